#pragma once
#include "find/CaseFold.h"

// Case folding and lead bytes of the system's ANSI code page.
CaseFold CodePageCaseFold();

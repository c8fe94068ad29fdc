#pragma once
#include <windows.h>

#include "framework/Handles.h"

// One running copy per user session, from the first instruction on: the
// running copy holds a named mutex for its whole life, also while it still
// asks its start-up questions and before its window exists.
class CSingleCopy {
 public:
  // False when another copy holds the name.
  [[nodiscard]] bool Claim();
  // Brings the running copy's window forward, waiting a while for a copy
  // that is still starting to make it. True when instead that copy ended
  // meanwhile (it was quitting): this copy then holds the name and runs.
  [[nodiscard]] bool ActivateOther();
  // Asks the running copy to save and quit, and waits (about ten seconds)
  // until its process has ended.
  void StopOtherAndWait();

 private:
  CHandle mutex;
};

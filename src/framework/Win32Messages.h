#pragma once
#include <windows.h>

#include "base/Messages.h"

// Message boxes by string id, owned by the main window once it exists and
// captioned with the application title.
class CWin32Messages : public IMessages {
 public:
  std::string LoadText(uint32_t id) override;
  std::string SystemErrorText(uint32_t code) override;
  MessageAnswer Show(const std::string& text, MessageButtons buttons, MessageIcon icon) override;

  HWND owner = nullptr;
};

// Loads a string-table text of any length ("" when there is none).
std::string LoadResourceString(UINT id);

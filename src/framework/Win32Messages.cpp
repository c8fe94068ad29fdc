#include "framework/Win32Messages.h"

#include "framework/FrameworkIds.h"

std::string LoadResourceString(UINT id) {
  // LoadStringW with length 0 hands out a pointer to the resource text and
  // its length, so no text is ever cut to a buffer.
  const WCHAR* wide = nullptr;
  int length = LoadStringW(GetModuleHandleA(nullptr), id, reinterpret_cast<LPWSTR>(&wide), 0);
  if (length <= 0 || wide == nullptr) return std::string();
  int bytes = WideCharToMultiByte(CP_ACP, 0, wide, length, nullptr, 0, nullptr, nullptr);
  std::string text(static_cast<size_t>(bytes), '\0');
  WideCharToMultiByte(CP_ACP, 0, wide, length, text.data(), bytes, nullptr, nullptr);
  return text;
}

std::string CWin32Messages::LoadText(uint32_t id) { return LoadResourceString(id); }

std::string CWin32Messages::SystemErrorText(uint32_t code) {
  char* buffer = nullptr;
  DWORD length = FormatMessageA(
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
      nullptr, code, MAKELANGID(LANG_NEUTRAL, SUBLANG_DEFAULT), reinterpret_cast<LPSTR>(&buffer),
      0, nullptr);
  if (length == 0 || buffer == nullptr) return std::string();
  std::string text(buffer, length);
  LocalFree(buffer);
  return text;
}

MessageAnswer CWin32Messages::Show(const std::string& text, MessageButtons buttons,
                                   MessageIcon icon) {
  UINT style = MB_OK;
  if (buttons == MessageButtons::YesNo) style = MB_YESNO;
  if (buttons == MessageButtons::YesNoDefaultNo) style = MB_YESNO | MB_DEFBUTTON2;
  switch (icon) {
    case MessageIcon::Exclamation: style |= MB_ICONEXCLAMATION; break;
    case MessageIcon::Question: style |= MB_ICONQUESTION; break;
    case MessageIcon::Information: style |= MB_ICONINFORMATION; break;
  }
  std::string title = LoadResourceString(AFX_IDS_APP_TITLE);
  if (title.empty()) title = "Quillery";
  // Over a modal dialog or sheet of the main window, the box belongs to
  // that dialog, so the dialog cannot be used while the box is up.
  HWND parent = owner != nullptr && IsWindow(owner) ? GetLastActivePopup(owner) : nullptr;
  if (parent == nullptr) style |= MB_TASKMODAL;
  switch (MessageBoxA(parent, text.c_str(), title.c_str(), style)) {
    case IDYES: return MessageAnswer::Yes;
    case IDNO: return MessageAnswer::No;
    default: return MessageAnswer::Ok;
  }
}

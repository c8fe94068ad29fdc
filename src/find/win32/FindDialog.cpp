#include "find/win32/FindDialog.h"

#include <utility>

#include "find/FindHistory.h"
#include "res/resource.h"

namespace {

constexpr const char* FIND_SECTION = "Find";

int ReadChoice(ISettingsStore& registry, const char* name, uint32_t fallback) {
  uint32_t value = fallback;
  if (!registry.ReadInt(FIND_SECTION, name, value)) value = fallback;
  return static_cast<int>(value);
}

}  // namespace

CFindDlg::CFindDlg(ISettingsStore& store, const CaseFold& caseFold, std::function<bool(const FindRequest&)> searcher)
    : CHelpDialog(IDD_FIND), registry(store), fold(caseFold), search(std::move(searcher)) {}

bool CFindDlg::OnInitDialog() {
  onePerNote = ReadChoice(registry, "In Note", 0);
  ignoreCase = ReadChoice(registry, "Ignore Case", 1);
  direction = ReadChoice(registry, "Direction", 0);
  // Some button is always checked, whatever the registry holds.
  if (direction < FIND_FORWARD || direction > FIND_FROM_LAST) direction = FIND_FORWARD;
  wholeWords = ReadChoice(registry, "Whole Words", 0);
  std::vector<std::string> history;
  for (size_t i = 0; i < FIND_HISTORY_SIZE; ++i) {
    std::string text;
    if (registry.ReadString(FIND_SECTION, FindHistoryValueName(i).c_str(), text))
      AddStoredToHistory(history, text, fold);
  }
  HWND combo = GetDlgItem(hwnd, IDC_FIND_TEXT);
  for (const std::string& text : history) SendMessageA(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
  if (!history.empty()) findText = history.front();
  const bool result = CHelpDialog::OnInitDialog();
  if (!history.empty()) SendMessageA(combo, CB_SETCURSEL, 0, 0);
  EnableFind();
  return result;
}

void CFindDlg::DoDataExchange(CDataExchange& dx) {
  DDX_Text(dx, IDC_FIND_TEXT, findText);
  DDX_Check(dx, IDC_FIND_WHOLE_WORDS, wholeWords);
  DDX_Check(dx, IDC_FIND_IGNORE_CASE, ignoreCase);
  DDX_Check(dx, IDC_FIND_ONE_PER_NOTE, onePerNote);
  DDX_Radio(dx, IDC_FIND_FORWARD, direction);
}

bool CFindDlg::OnCommand(WPARAM wParam, LPARAM lParam) {
  const UINT id = LOWORD(wParam), code = HIWORD(wParam);
  if (id == IDC_FIND_TEXT && (code == CBN_EDITCHANGE || code == CBN_SELCHANGE)) {
    // A picked entry reaches the edit field only after the notification.
    if (code == CBN_SELCHANGE) PostMessageA(hwnd, WM_COMMAND, MAKEWPARAM(IDC_FIND_TEXT, CBN_EDITCHANGE), lParam);
    EnableFind();
    return true;
  }
  if (id == IDC_FIND_BUTTON && code == BN_CLICKED) {
    OnFind();
    return true;
  }
  return CHelpDialog::OnCommand(wParam, lParam);
}

void CFindDlg::EnableFind() {
  EnableWindow(GetDlgItem(hwnd, IDC_FIND_BUTTON), GetWindowTextLengthA(GetDlgItem(hwnd, IDC_FIND_TEXT)) > 0);
}

std::vector<std::string> CFindDlg::History() const {
  std::vector<std::string> history;
  HWND combo = GetDlgItem(hwnd, IDC_FIND_TEXT);
  const LRESULT count = SendMessageA(combo, CB_GETCOUNT, 0, 0);
  for (LRESULT i = 0; i < count; ++i) {
    const LRESULT length = SendMessageA(combo, CB_GETLBTEXTLEN, i, 0);
    std::vector<char> buffer(length > 0 ? static_cast<size_t>(length) + 1 : 1, '\0');
    SendMessageA(combo, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(buffer.data()));
    history.emplace_back(buffer.data());
  }
  return history;
}

void CFindDlg::OnFind() {
  if (!UpdateData(true)) return;
  if (findText.empty()) {
    EnableWindow(GetDlgItem(hwnd, IDC_FIND_BUTTON), FALSE);
    return;
  }
  std::vector<std::string> history = History();
  if (AddSearchToHistory(history, findText, fold)) {
    HWND combo = GetDlgItem(hwnd, IDC_FIND_TEXT);
    SendMessageA(combo, CB_RESETCONTENT, 0, 0);
    for (const std::string& text : history)
      SendMessageA(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
    SendMessageA(combo, CB_SETCURSEL, 0, 0);
  }
  SaveChoices(history);
  const FindRequest request{findText, wholeWords != 0, ignoreCase != 0, onePerNote != 0, direction};
  if (search(request)) EndDialog(IDCANCEL);
}

void CFindDlg::SaveChoices(const std::vector<std::string>& history) {
  registry.WriteInt(FIND_SECTION, "In Note", static_cast<uint32_t>(onePerNote));
  registry.WriteInt(FIND_SECTION, "Ignore Case", static_cast<uint32_t>(ignoreCase));
  registry.WriteInt(FIND_SECTION, "Direction", static_cast<uint32_t>(direction));
  registry.WriteInt(FIND_SECTION, "Whole Words", static_cast<uint32_t>(wholeWords));
  for (size_t i = 0; i < FIND_HISTORY_SIZE; ++i) {
    const std::string name = FindHistoryValueName(i);
    if (i < history.size()) {
      registry.WriteString(FIND_SECTION, name.c_str(), history[i]);
    } else {
      registry.DeleteValue(FIND_SECTION, name.c_str());
    }
  }
}

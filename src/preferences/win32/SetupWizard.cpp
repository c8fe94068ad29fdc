// The first-run setup wizard.
#include "preferences/win32/SetupWizard.h"

#include <ctime>

#include "help/win32/HelpDialogs.h"
#include "preferences/win32/IntervalControls.h"
#include "res/resource.h"

namespace {

// Posted, so that the change lands after the sheet has switched pages. The
// page's parent is the sheet, also while the sheet is still being made.
void PostWizardButtons(HWND page, DWORD buttons) {
  PostMessageA(GetParent(page), PSM_SETWIZBUTTONS, 0, static_cast<LPARAM>(buttons));
}

// Nothing to centre over while the main window is being made.
class CSetupSheet : public CHelpPropSheet {
 public:
  CSetupSheet() : CHelpPropSheet("Hello", nullptr, 0) {}

 protected:
  bool OnInitDialog() override {
    const bool result = CHelpPropSheet::OnInitDialog();
    RECT r{};
    GetWindowRect(hwnd, &r);
    const int x = (GetSystemMetrics(SM_CXSCREEN) - (r.right - r.left)) / 2;
    const int y = (GetSystemMetrics(SM_CYSCREEN) - (r.bottom - r.top)) / 2;
    SetWindowPos(hwnd, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    return result;
  }
};

class CSetupWiz1 : public CHelpPropPage {
 public:
  CSetupWiz1() : CHelpPropPage(IDD_WIZ_WELCOME) {}

 protected:
  bool OnSetActive() override {
    PostWizardButtons(hwnd, PSWIZB_NEXT);
    return CHelpPropPage::OnSetActive();
  }
  LRESULT OnWizardNext() override {
    PostWizardButtons(hwnd, PSWIZB_BACK | PSWIZB_NEXT);
    return CHelpPropPage::OnWizardNext();
  }
};

class CSetupWiz2 : public CHelpPropPage {
 public:
  explicit CSetupWiz2(Settings& v) : CHelpPropPage(IDD_WIZ_START), values(v) {}

 protected:
  void DoDataExchange(CDataExchange& dx) override { DDX_Check(dx, IDC_START_WITH_WINDOWS, values.startWithWindows); }

 private:
  Settings& values;
};

class CSetupWiz3 : public CHelpPropPage {
 public:
  explicit CSetupWiz3(Settings& v) : CHelpPropPage(IDD_WIZ_TRAY), values(v) {}

 protected:
  void DoDataExchange(CDataExchange& dx) override {
    DDX_Check(dx, IDC_RUN_IN_TRAY, values.runInTray);
    DDX_Check(dx, IDC_CLOSE_TO_TRAY, values.closeToTray);
  }
  bool OnCommand(WPARAM wParam, LPARAM lParam) override {
    if (LOWORD(wParam) == IDC_RUN_IN_TRAY && HIWORD(wParam) == BN_CLICKED) {
      UpdateData(true);
      EnableWindow(GetDlgItem(hwnd, IDC_CLOSE_TO_TRAY), values.runInTray != 0);
      return true;
    }
    return CHelpPropPage::OnCommand(wParam, lParam);
  }

 private:
  Settings& values;
};

class CSetupWiz4 : public CHelpPropPage {
 public:
  explicit CSetupWiz4(Settings& v) : CHelpPropPage(IDD_WIZ_ON_TOP), values(v) {}

 protected:
  void DoDataExchange(CDataExchange& dx) override { DDX_Check(dx, IDC_ON_TOP, values.onTop); }

 private:
  Settings& values;
};

class CSetupWiz5 : public CHelpPropPage {
 public:
  explicit CSetupWiz5(Settings& v)
      : CHelpPropPage(IDD_WIZ_REMIND), values(v), picker(FixedTimePicker(v.fixedTime)) {}

 protected:
  bool OnInitDialog() override {
    FillIntervalList(GetDlgItem(hwnd, IDC_REMIND_INTERVAL), values.remindTime);
    const bool result = CHelpPropPage::OnInitDialog();
    Update();
    return result;
  }
  void DoDataExchange(CDataExchange& dx) override {
    DDX_Check(dx, IDC_USE_FIXED_TIME, values.useFixedTime);
    DDX_DateTimeCtrl(dx, IDC_FIXED_TIME, picker);
    if (dx.saving && !dx.failed) values.fixedTime = FixedTimeFromPicker(picker, values.fixedTime);
  }
  bool OnCommand(WPARAM wParam, LPARAM lParam) override {
    if (LOWORD(wParam) == IDC_REMIND_INTERVAL && HIWORD(wParam) == CBN_SELCHANGE) {
      values.remindTime = PickedInterval(GetDlgItem(hwnd, IDC_REMIND_INTERVAL));
      Update();
      return true;
    }
    if (LOWORD(wParam) == IDC_USE_FIXED_TIME && HIWORD(wParam) == BN_CLICKED) {
      UpdateData(true);
      Update();
      return true;
    }
    return CHelpPropPage::OnCommand(wParam, lParam);
  }
  LRESULT OnWizardNext() override {
    PostWizardButtons(hwnd, PSWIZB_BACK | PSWIZB_FINISH);
    return CHelpPropPage::OnWizardNext();
  }

 private:
  // This page goes by the stored interval, which is the selected one once
  // the user has picked.
  void Update() {
    UpdateFixedTimeControls(hwnd, values.remindTime, values.useFixedTime);
    UpdateData(true);
  }
  Settings& values;
  std::time_t picker;
};

class CSetupWiz6 : public CHelpPropPage {
 public:
  explicit CSetupWiz6(Settings& v) : CHelpPropPage(IDD_WIZ_SNOOZE), values(v) {}

 protected:
  bool OnInitDialog() override {
    FillIntervalList(GetDlgItem(hwnd, IDC_SNOOZE_INTERVAL), values.snoozeTime);
    return CHelpPropPage::OnInitDialog();
  }
  bool OnCommand(WPARAM wParam, LPARAM lParam) override {
    if (LOWORD(wParam) == IDC_SNOOZE_INTERVAL && HIWORD(wParam) == CBN_SELCHANGE) {
      values.snoozeTime = PickedInterval(GetDlgItem(hwnd, IDC_SNOOZE_INTERVAL));
      return true;
    }
    return CHelpPropPage::OnCommand(wParam, lParam);
  }
  LRESULT OnWizardBack() override {
    PostWizardButtons(hwnd, PSWIZB_BACK | PSWIZB_NEXT);
    return CHelpPropPage::OnWizardBack();
  }

 private:
  Settings& values;
};

}  // namespace

bool RunSetupWizard(Settings& settings) {
  Settings values = settings;
  CSetupSheet sheet;
  CSetupWiz1 welcome;
  CSetupWiz2 start(values);
  CSetupWiz3 tray(values);
  CSetupWiz4 onTop(values);
  CSetupWiz5 remind(values);
  CSetupWiz6 snooze(values);
  for (CPropertyPage* page : std::initializer_list<CPropertyPage*>{&welcome, &start, &tray, &onTop, &remind, &snooze})
    sheet.AddPage(*page);
  sheet.SetWizardMode();
  if (sheet.DoModal() == IDCANCEL) return false;
  settings.startWithWindows = values.startWithWindows;
  settings.runInTray = values.runInTray;
  settings.closeToTray = values.closeToTray;
  settings.onTop = values.onTop;
  settings.remindTime = values.remindTime;
  settings.useFixedTime = values.useFixedTime;
  settings.fixedTime = values.fixedTime;
  settings.snoozeTime = values.snoozeTime;
  return true;
}

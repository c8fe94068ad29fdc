#include "preferences/win32/IntervalControls.h"

#include "preferences/PreferenceRules.h"
#include "reminders/Intervals.h"
#include "res/resource.h"

void FillIntervalList(HWND list, uint32_t seconds) {
  SendMessageA(list, CB_RESETCONTENT, 0, 0);
  for (const ReminderInterval& interval : INTERVALS)
    SendMessageA(list, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(interval.name));
  SendMessageA(list, CB_SETCURSEL, static_cast<WPARAM>(IntervalIndex(seconds)), 0);
}

uint32_t PickedInterval(HWND list) {
  return IntervalSeconds(static_cast<int>(SendMessageA(list, CB_GETCURSEL, 0, 0)));
}

void UpdateFixedTimeControls(HWND page, uint32_t remindSeconds, unsigned& useFixedTime) {
  const FixedTimeControls state = FixedTimeState(remindSeconds, useFixedTime != 0);
  useFixedTime = state.useFixedTime ? 1 : 0;
  if (!state.boxEnabled) CheckDlgButton(page, IDC_USE_FIXED_TIME, BST_UNCHECKED);
  EnableWindow(GetDlgItem(page, IDC_USE_FIXED_TIME), state.boxEnabled);
  EnableWindow(GetDlgItem(page, IDC_FIXED_TIME), state.pickerEnabled);
}

std::time_t FixedTimePicker(uint32_t fixedTime) {
  CRuntimeLocalTime localTime;
  int64_t picker = 0;
  if (!FixedTimeToPicker(localTime, fixedTime, picker)) return 0;
  return static_cast<std::time_t>(picker);
}

uint32_t FixedTimeFromPicker(std::time_t picker, uint32_t previous) {
  CRuntimeLocalTime localTime;
  uint32_t fixedTime = previous;
  if (!::FixedTimeFromPicker(localTime, static_cast<int64_t>(picker), fixedTime)) return previous;
  return fixedTime;
}

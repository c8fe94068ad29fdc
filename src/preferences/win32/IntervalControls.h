#pragma once
#include <windows.h>

#include <cstdint>
#include <ctime>

#include "framework/Dialog.h"

// The interval lists and the fixed-time controls that the Reminders page
// and the setup wizard share.

// Fills an interval list with the table's names and selects the entry for
// `seconds` (the first at least as long, the last for longer values).
void FillIntervalList(HWND list, uint32_t seconds);
// The seconds of the entry the user picked in the list.
uint32_t PickedInterval(HWND list);

// Enables the fixed-time box and picker of `page` for the remind interval;
// a shorter interval than a day clears `useFixedTime` and the box.
void UpdateFixedTimeControls(HWND page, uint32_t remindSeconds, unsigned& useFixedTime);

// "Fixed Time" and the picker's moment on 1 January 2000.
std::time_t FixedTimePicker(uint32_t fixedTime);
uint32_t FixedTimeFromPicker(std::time_t picker, uint32_t previous);

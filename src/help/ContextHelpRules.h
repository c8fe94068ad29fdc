#pragma once
#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

// Context help of dialogs, property sheets and pages, decided without
// windows: topic numbers, what a help request asks for, which control's
// help a window gives, and the help ids a dialog template carries.

// The topic of a dialog or page is HELP_DIALOG_BASE (res/resource.h) plus
// its template id.
uint32_t DialogHelpTopic(uint32_t templateId);

// F1 as seen before it turns into a help request.
struct HelpKeyState {
  bool f1Pressed = false;
  bool noShift = false;
  void OnF1Down(bool shiftDown) {
    f1Pressed = true;
    noShift = !shiftDown;
  }
};

enum class HelpRequestAction {
  Topic,              // plain F1: the topic of the whole dialog or page
  BeepAndDefault,     // not about a window (a menu item)
  ControlUnderPoint,  // the question mark clicked on the dialog's background
  Control,            // the pop-up help of the window asked about
};

// A help request (WM_HELP) consumes the F1 seen before it. `tracksF1` is
// false for a property sheet, whose F1 belongs to its page.
HelpRequestAction DecideHelpRequest(HelpKeyState& keys, bool tracksF1, bool aboutWindow,
                                    bool windowIsDialog);

// A window as the control walk sees it.
struct HelpWindow {
  int32_t controlId;  // -1 (or 0xFFFF) for a label without an id
  uint32_t helpId;    // its context help id, 0 for none
  bool startsGroup;   // WS_GROUP
};

// The help engine's pair list: (control id, help id), then (0, 0).
using HelpPairs = std::array<uint32_t, 4>;

struct ResolvedControlHelp {
  size_t window;  // index into the walk of the window that gives the help
  HelpPairs pairs;
};

// `walk[0]` is the window asked about, each next one the window after it in
// z-order. A window without help gives the help of the next control of its
// group; the standard buttons get an empty pair list, which leaves them to
// the help engine's own texts. Nothing when the group ends first.
std::optional<ResolvedControlHelp> ResolveControlHelp(const std::vector<HelpWindow>& walk);

struct TemplateControlHelp {
  uint32_t controlId;
  uint32_t helpId;
};

// The controls of an extended dialog template (DLGTEMPLATEEX) that carry a
// help id; empty for a plain template or bytes that end too soon.
std::vector<TemplateControlHelp> ReadTemplateHelpIds(const uint8_t* bytes, size_t size);

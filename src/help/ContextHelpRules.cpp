#include "help/ContextHelpRules.h"

#include "res/resource.h"

namespace {

constexpr int32_t NO_CONTROL_ID = -1;
constexpr int32_t NO_CONTROL_ID_16 = 0xFFFF;
constexpr int32_t ID_OK = 1;
constexpr int32_t ID_CANCEL = 2;
constexpr int32_t ID_HELP_BUTTON = 57670;

constexpr uint32_t DS_SETFONT_BIT = 0x40;

// Reads little-endian values of a template, remembering when it ran out.
class CTemplateReader {
 public:
  CTemplateReader(const uint8_t* b, size_t n) : bytes(b), size(n) {}
  bool Ok() const { return ok; }
  uint16_t Word() {
    if (!Need(2)) return 0;
    uint16_t value = static_cast<uint16_t>(bytes[at] | bytes[at + 1] << 8);
    at += 2;
    return value;
  }
  uint32_t Dword() {
    uint32_t low = Word();
    return low | static_cast<uint32_t>(Word()) << 16;
  }
  void Skip(size_t n) {
    if (Need(n)) at += n;
  }
  // A zero-terminated UTF-16 text.
  void SkipText() {
    while (ok && Word() != 0) {
    }
  }
  // A name or an ordinal (0xFFFF then the number), or nothing (0).
  void SkipNameOrOrdinal() {
    const uint16_t first = Word();
    if (first == 0xFFFF) {
      Word();
    } else if (first != 0) {
      SkipText();
    }
  }
  void AlignToDword() { Skip((4 - at % 4) % 4); }

 private:
  bool Need(size_t n) {
    if (ok && n <= size - at) return true;
    ok = false;
    return false;
  }
  const uint8_t* bytes;
  size_t size;
  size_t at = 0;
  bool ok = true;
};

}  // namespace

uint32_t DialogHelpTopic(uint32_t templateId) { return HELP_DIALOG_BASE + templateId; }

HelpRequestAction DecideHelpRequest(HelpKeyState& keys, bool tracksF1, bool aboutWindow,
                                    bool windowIsDialog) {
  const bool f1 = tracksF1 && keys.f1Pressed;
  const bool plainF1 = f1 && keys.noShift;
  // Every request consumes the key that may have caused it.
  keys.f1Pressed = false;
  if (plainF1) return HelpRequestAction::Topic;
  if (!aboutWindow) return HelpRequestAction::BeepAndDefault;
  if (!f1 && windowIsDialog) return HelpRequestAction::ControlUnderPoint;
  return HelpRequestAction::Control;
}

std::optional<ResolvedControlHelp> ResolveControlHelp(const std::vector<HelpWindow>& walk) {
  for (size_t i = 0; i < walk.size(); ++i) {
    const HelpWindow& w = walk[i];
    if (i > 0 && w.startsGroup) break;
    const bool hasId = w.controlId != NO_CONTROL_ID && w.controlId != NO_CONTROL_ID_16;
    if (hasId && w.helpId != 0) {
      return ResolvedControlHelp{i, {static_cast<uint32_t>(w.controlId), w.helpId, 0, 0}};
    }
    if (w.controlId == ID_OK || w.controlId == ID_CANCEL || w.controlId == ID_HELP_BUTTON) {
      return ResolvedControlHelp{i, {0, 0, 0, 0}};
    }
  }
  return std::nullopt;
}

std::vector<TemplateControlHelp> ReadTemplateHelpIds(const uint8_t* bytes, size_t size) {
  std::vector<TemplateControlHelp> found;
  if (bytes == nullptr) return found;
  CTemplateReader in(bytes, size);
  if (in.Word() != 1 || in.Word() != 0xFFFF) return found;
  in.Dword();  // the dialog's own help id
  in.Dword();  // extended style
  const uint32_t style = in.Dword();
  const uint16_t count = in.Word();
  in.Skip(8);  // x, y, cx, cy
  in.SkipNameOrOrdinal();  // menu
  in.SkipNameOrOrdinal();  // class
  in.SkipText();           // title
  if ((style & DS_SETFONT_BIT) != 0) {
    in.Skip(6);  // point size, weight, italic, character set
    in.SkipText();
  }
  for (uint16_t i = 0; i < count && in.Ok(); ++i) {
    in.AlignToDword();
    const uint32_t helpId = in.Dword();
    in.Skip(16);  // extended style, style, x, y, cx, cy
    const uint32_t id = in.Dword();
    in.SkipNameOrOrdinal();  // class
    in.SkipNameOrOrdinal();  // text
    in.Skip(in.Word());      // creation data
    if (!in.Ok()) break;
    if (helpId != 0) found.push_back({id, helpId});
  }
  if (!in.Ok()) found.clear();
  return found;
}

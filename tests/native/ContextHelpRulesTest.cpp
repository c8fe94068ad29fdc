#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "help/ContextHelpRules.h"

static bool operator==(const TemplateControlHelp& a, const TemplateControlHelp& b) {
  return a.controlId == b.controlId && a.helpId == b.helpId;
}

namespace {

TEST(ContextHelpRulesTest, TopicIsTheDialogBasePlusTheTemplate) {
  EXPECT_EQ(DialogHelpTopic(140), 0x2008Cu);
  EXPECT_EQ(DialogHelpTopic(170), 0x200AAu);
}

TEST(ContextHelpRulesTest, HelpRequestsFollowTheF1SeenBeforeThem) {
  HelpKeyState keys;
  // Question mark on a control, then on the background.
  EXPECT_EQ(DecideHelpRequest(keys, true, true, false), HelpRequestAction::Control);
  EXPECT_EQ(DecideHelpRequest(keys, true, true, true), HelpRequestAction::ControlUnderPoint);
  // Plain F1 asks for the topic, wherever the focus is, and only once.
  keys.OnF1Down(false);
  EXPECT_EQ(DecideHelpRequest(keys, true, true, false), HelpRequestAction::Topic);
  EXPECT_FALSE(keys.f1Pressed);
  EXPECT_EQ(DecideHelpRequest(keys, true, true, false), HelpRequestAction::Control);
  // Shift+F1 asks about the focused window, even the dialog itself.
  keys.OnF1Down(true);
  EXPECT_EQ(DecideHelpRequest(keys, true, true, true), HelpRequestAction::Control);
  // A menu item beeps; the F1 before it is used up all the same.
  keys.OnF1Down(true);
  EXPECT_EQ(DecideHelpRequest(keys, true, false, false), HelpRequestAction::BeepAndDefault);
  EXPECT_FALSE(keys.f1Pressed);
}

TEST(ContextHelpRulesTest, ASheetIgnoresF1AndLooksUnderTheMouseOnItself) {
  HelpKeyState keys;
  keys.OnF1Down(false);
  EXPECT_EQ(DecideHelpRequest(keys, false, true, true), HelpRequestAction::ControlUnderPoint);
  keys.OnF1Down(true);
  EXPECT_EQ(DecideHelpRequest(keys, false, true, false), HelpRequestAction::Control);
  EXPECT_EQ(DecideHelpRequest(keys, false, false, false), HelpRequestAction::BeepAndDefault);
}

TEST(ContextHelpRulesTest, ControlWalkGivesTheHelpOfTheNextControlInTheGroup) {
  const uint32_t EDIT_HELP = 0x808B27D8;
  // A control with its own help id.
  auto own = ResolveControlHelp({{10200, EDIT_HELP, true}});
  ASSERT_TRUE(own.has_value());
  EXPECT_EQ(own->window, 0u);
  EXPECT_EQ(own->pairs, (HelpPairs{10200, EDIT_HELP, 0, 0}));
  // A label (either form of "no id") borrows from the control after it.
  for (int32_t labelId : {-1, 0xFFFF}) {
    auto label = ResolveControlHelp({{labelId, 0, true}, {10200, EDIT_HELP, false}});
    ASSERT_TRUE(label.has_value()) << labelId;
    EXPECT_EQ(label->window, 1u);
    EXPECT_EQ(label->pairs, (HelpPairs{10200, EDIT_HELP, 0, 0}));
  }
  // ... but not across the start of the next group, nor past the last window.
  EXPECT_FALSE(ResolveControlHelp({{-1, 0, false}, {10200, EDIT_HELP, true}}).has_value());
  EXPECT_FALSE(ResolveControlHelp({{-1, 0, false}, {-1, 0, false}}).has_value());
  // The standard buttons leave the text to the help engine.
  for (int32_t button : {1, 2, 57670}) {
    auto standard = ResolveControlHelp({{button, 0, true}});
    ASSERT_TRUE(standard.has_value()) << button;
    EXPECT_EQ(standard->pairs, (HelpPairs{0, 0, 0, 0}));
  }
  // A label in front of a standard button of its group.
  auto beforeOk = ResolveControlHelp({{-1, 0, false}, {1, 0, false}});
  ASSERT_TRUE(beforeOk.has_value());
  EXPECT_EQ(beforeOk->window, 1u);
}

// An extended dialog template in memory.
class TemplateBytes {
 public:
  TemplateBytes(uint32_t style, const std::string& title, bool withFont) {
    Word(1);
    Word(0xFFFF);
    Dword(0x12345678);  // the dialog's own help id is not a control's
    Dword(0);
    Dword(style | (withFont ? 0x40u : 0u));
    countAt = bytes.size();
    Word(0);
    for (int i = 0; i < 4; ++i) Word(10);
    Word(0);  // no menu
    Word(0);  // default class
    Text(title);
    if (withFont) {
      Word(8);
      Word(400);
      bytes.push_back(0);
      bytes.push_back(1);
      Text("MS Shell Dlg");
    }
  }
  // classOrdinal 0: the class is given by name.
  TemplateBytes& Item(uint32_t id, uint32_t helpId, uint16_t classOrdinal, const std::string& text,
                      uint16_t extra = 0) {
    while (bytes.size() % 4 != 0) bytes.push_back(0);
    Dword(helpId);
    Dword(0);
    Dword(0x50000000);
    for (int i = 0; i < 4; ++i) Word(5);
    Dword(id);
    if (classOrdinal != 0) {
      Word(0xFFFF);
      Word(classOrdinal);
    } else {
      Text("SysDateTimePick32");
    }
    Text(text);
    Word(extra);
    for (uint16_t i = 0; i < extra; ++i) bytes.push_back(0xAB);
    ++bytes[countAt];
    return *this;
  }
  std::vector<uint8_t> bytes;

 private:
  void Word(uint16_t w) {
    bytes.push_back(static_cast<uint8_t>(w));
    bytes.push_back(static_cast<uint8_t>(w >> 8));
  }
  void Dword(uint32_t d) {
    Word(static_cast<uint16_t>(d));
    Word(static_cast<uint16_t>(d >> 16));
  }
  void Text(const std::string& s) {
    for (char c : s) Word(static_cast<uint8_t>(c));
    Word(0);
  }
  size_t countAt = 0;
};

TEST(ContextHelpRulesTest, TemplateHelpIdsAreReadPastNamesOrdinalsAndCreationData) {
  for (bool withFont : {true, false}) {
    TemplateBytes t(0x80C80000, "Move Note", withFont);
    t.Item(0xFFFFFFFF, 0, 0x82, "&Label")
        .Item(11500, 0x80AA2CEC, 0x80, "Move &before the first note")
        .Item(11503, 0x80AA2CEF, 0, "", 3)
        .Item(1, 0, 0x80, "OK")
        .Item(11502, 0x80AA2CEE, 0x81, "");
    const std::vector<TemplateControlHelp> ids = ReadTemplateHelpIds(t.bytes.data(), t.bytes.size());
    EXPECT_EQ(ids, (std::vector<TemplateControlHelp>{
                       {11500, 0x80AA2CEC}, {11503, 0x80AA2CEF}, {11502, 0x80AA2CEE}}))
        << withFont;
  }
}

TEST(ContextHelpRulesTest, PlainOrCutTemplatesGiveNoHelpIds) {
  TemplateBytes t(0x80C80000, "Go To Note", true);
  t.Item(10200, 0x808B27D8, 0x81, "").Item(10201, 0x808B27D9, 0x81, "");
  EXPECT_EQ(ReadTemplateHelpIds(t.bytes.data(), t.bytes.size()).size(), 2u);
  for (size_t cut = 0; cut < t.bytes.size(); cut += 7) {
    EXPECT_TRUE(ReadTemplateHelpIds(t.bytes.data(), cut).empty()) << cut;
  }
  std::vector<uint8_t> plain = t.bytes;
  plain[2] = 0;  // no longer the extended signature
  EXPECT_TRUE(ReadTemplateHelpIds(plain.data(), plain.size()).empty());
  EXPECT_TRUE(ReadTemplateHelpIds(nullptr, 0).empty());
}

}  // namespace

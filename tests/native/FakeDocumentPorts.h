#pragma once
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "shared/FakeMessages.h"
#include "document/DocumentPorts.h"
#include "document/NoteDocument.h"
#include "settings/Settings.h"
#include "store/NoteStore.h"

class FakeNoteEditor : public INoteEditor {
 public:
  std::string Text(uint32_t maxCharacters) override { return text.substr(0, maxCharacters); }
  uint32_t TextLength() override { return static_cast<uint32_t>(text.size()); }
  bool TextChanged() override { return changed; }
  void SetTextChanged(bool value) override { changed = value; }
  void LoadText(const char* value) override {
    text = value;
    changed = false;
    ++loads;
  }
  void Clear() override { text.clear(); }

  void Type(const std::string& value) {
    text = value;
    changed = true;
  }

  std::string text;
  bool changed = false;
  int loads = 0;
};

// Mirrors the store's notes as items; FillList rebuilds them unselected.
class FakeNoteList : public INoteList {
 public:
  explicit FakeNoteList(const NoteStore& store) : store(store) {}
  uint32_t SelectedCount() override {
    return static_cast<uint32_t>(std::count(selected.begin(), selected.end(), true));
  }
  std::vector<uint32_t> SelectedItems() override {
    std::vector<uint32_t> items;
    for (uint32_t i = 0; i < selected.size(); ++i)
      if (selected[i]) items.push_back(i);
    return items;
  }
  void FillList() override {
    selected.assign(store.header.noteCount, false);
    ++fills;
  }
  void ClearListSelection() override { std::fill(selected.begin(), selected.end(), false); }
  void SelectCurrentItem() override {
    if (store.currentNote >= 1 && store.currentNote <= selected.size())
      selected[store.currentNote - 1] = true;
  }
  void CenterCurrentItem() override { ++centers; }

  void Select(const std::vector<uint32_t>& notes) {
    selected.assign(store.header.noteCount, false);
    for (uint32_t n : notes) selected[n - 1] = true;
  }

  const NoteStore& store;
  std::vector<bool> selected;
  int fills = 0;
  int centers = 0;
};

class FakeDocumentFrame : public IDocumentFrame {
 public:
  explicit FakeDocumentFrame(Settings& settings) : settings(settings) {}
  void SetTitle(const std::string& value) override { title = value; }
  void ShowNoteView() override {
    if (settings.noteMode == 1) return;
    settings.noteMode = 1;
    if (document) document->ShowCurrentNote();
  }
  void Beep() override { ++beeps; }

  Settings& settings;
  CNoteDocument* document = nullptr;
  std::string title;
  int beeps = 0;
};

class FakeClock : public IClock {
 public:
  int32_t Now() override { return now; }
  std::string FormatLocalTime(int32_t time) override { return "t" + std::to_string(time); }
  int32_t now = 1000000;
};

// Runs a hook whenever a message is shown, as a nested message loop would.
class HookedMessages : public FakeMessages {
 public:
  MessageAnswer Show(const std::string& text, MessageButtons buttons, MessageIcon icon) override {
    if (onShow) onShow();
    return FakeMessages::Show(text, buttons, icon);
  }
  std::function<void()> onShow;
};

// A store with notes, the fakes around it and the document on top.
class NoteDocumentTest : public ::testing::Test {
 protected:
  NoteDocumentTest()
      : list(store), frame(settings), doc(store, settings, editor, list, frame, messages, clock) {
    frame.document = &doc;
  }

  void SetUp() override { ASSERT_TRUE(store.Allocate()); }

  // Notes created at 100 + i and modified at 200 + i; note `current` shown.
  void Pad(const std::vector<std::string>& texts, uint32_t current = 1) {
    uint32_t at = 0;
    for (size_t i = 0; i < texts.size(); ++i) {
      const int32_t n = static_cast<int32_t>(i);
      store.entries[i] = NoteEntry{100 + n, 200 + n, at, 0, 0};
      std::memcpy(store.pool + at, texts[i].data(), texts[i].size());
      at += static_cast<uint32_t>(texts[i].size()) + 1;
    }
    store.entries[texts.size()] = NoteEntry{0, 0, at, 0, 0};
    store.header = NotesFileHeader{NOTES_FILE_MAGIC, 1, static_cast<uint32_t>(texts.size()),
                                   NOTE_ENTRY_SIZE, 0};
    store.poolHighWater = at;
    store.currentNote = current;
    store.dirty = false;
    doc.ShowCurrentNote();
  }

  // A pad of a large filler note and `texts` behind it, with `freeBytes`
  // pool bytes left.
  void FullPad(const std::vector<std::string>& texts, uint32_t freeBytes, uint32_t current) {
    uint32_t used = 0;
    for (const std::string& t : texts) used += static_cast<uint32_t>(t.size()) + 1;
    std::vector<std::string> all{std::string(POOL_CAPACITY - freeBytes - used - 1, 'f')};
    all.insert(all.end(), texts.begin(), texts.end());
    Pad(all, current);
  }

  std::vector<std::string> Texts() const {
    std::vector<std::string> texts;
    for (uint32_t i = 1; i <= store.header.noteCount; ++i) texts.emplace_back(store.Text(store.Entry(i)));
    return texts;
  }

  std::string PoolBytes(uint32_t count) const { return std::string(store.pool, count); }

  std::string Title(uint32_t current, uint32_t count) const {
    return "(Note View: Note " + std::to_string(current) + " of " + std::to_string(count) + ")";
  }

  // The store's invariants, checked after every change.
  void ExpectConsistent() const {
    const uint32_t count = store.header.noteCount;
    ASSERT_LE(count, MAX_NOTES);
    uint32_t at = 0;
    uint32_t active = 0;
    for (uint32_t i = 1; i <= count; ++i) {
      ASSERT_EQ(store.Entry(i).text, at) << "note " << i;
      at += static_cast<uint32_t>(std::strlen(store.Text(store.Entry(i)))) + 1;
      if (store.Entry(i).flags & REMINDER_ACTIVE) ++active;
    }
    EXPECT_EQ(store.Entry(count + 1).text, at) << "slot on the first free byte";
    EXPECT_EQ(store.Entry(count + 1).flags, 0u);
    EXPECT_LT(at, POOL_CAPACITY) << "a pool byte stays free";
    EXPECT_EQ(store.poolHighWater, at);
    const uint32_t end = std::min<uint32_t>(POOL_CAPACITY, at + (1u << 20));
    EXPECT_TRUE(std::all_of(store.pool + at, store.pool + end, [](char c) { return c == 0; }))
        << "pool past the used part is zero";
    EXPECT_EQ(store.header.reminderCount, active);
    EXPECT_GE(store.currentNote, 1u);
    EXPECT_LE(store.currentNote, count + 1);
  }

  NoteStore store;
  Settings settings;
  FakeNoteEditor editor;
  FakeNoteList list;
  FakeDocumentFrame frame;
  HookedMessages messages;
  FakeClock clock;
  CNoteDocument doc;
};

#include "reminders/DueQueue.h"

#include <algorithm>

#include "document/NoteEdits.h"
#include "frame/Worker.h"
#include "reminders/Intervals.h"

namespace {

bool IsQueued(const NoteStore& store, uint32_t number) {
  return number >= 1 && number <= store.header.noteCount &&
         (store.Entry(number).flags & REMINDER_QUEUED) != 0;
}

// 0 stands for a note that is gone.
constexpr uint32_t GONE = 0;

}  // namespace

bool CDueQueue::Holds(uint32_t number) const {
  return number == showing || std::find(waiting.begin(), waiting.end(), number) != waiting.end();
}

bool CDueQueue::Add(const NoteStore& store, uint32_t number) {
  if (IsQueued(store, number) && !Holds(number)) waiting.push_back(number);
  for (uint32_t n = 1; n <= store.header.noteCount; ++n)
    if ((store.Entry(n).flags & REMINDER_QUEUED) && !Holds(n)) waiting.push_back(n);
  if (looping || waiting.empty()) return false;
  looping = true;
  return true;
}

uint32_t CDueQueue::Next(const NoteStore& store) {
  showing = 0;
  while (!waiting.empty()) {
    const uint32_t number = waiting.front();
    waiting.pop_front();
    if (IsQueued(store, number)) return showing = number;
  }
  looping = false;
  return 0;
}

uint32_t CDueQueue::Answer(NoteStore& store, PopupAnswer answer, int snoozeIndex, int32_t now) {
  const uint32_t number = showing;
  showing = 0;
  if (answer == PopupAnswer::Quit) {
    for (uint32_t n : waiting)
      if (n >= 1 && n <= store.header.noteCount) store.Entry(n).flags &= ~REMINDER_QUEUED;
    if (number != GONE && number <= store.header.noteCount) store.Entry(number).flags &= ~REMINDER_QUEUED;
    waiting.clear();
    return 0;
  }
  if (number == GONE || number > store.header.noteCount) return 0;
  NoteEntry& entry = store.Entry(number);
  uint32_t redraw = 0;
  if (answer == PopupAnswer::Snooze) {
    // A reminder switched off meanwhile stays off.
    if (entry.flags & REMINDER_ACTIVE) {
      const int64_t due = int64_t{RoundToNearestMinute(now)} + IntervalSeconds(snoozeIndex);
      entry.reminderTime = static_cast<int32_t>(std::min<int64_t>(due, INT32_MAX));
    }
  } else if (entry.flags & REMINDER_ACTIVE) {
    // Only the answer that clears the flag takes the note off the count.
    entry.flags &= ~REMINDER_ACTIVE;
    DecreaseCount(store.header.reminderCount);
    redraw = number;
  }
  entry.flags &= ~REMINDER_QUEUED;
  store.dirty = true;
  return redraw;
}

template <typename Renumber>
void CDueQueue::RenumberAll(Renumber renumber) {
  if (showing != GONE) showing = renumber(showing);
  for (uint32_t& n : waiting) n = renumber(n);
  waiting.erase(std::remove(waiting.begin(), waiting.end(), GONE), waiting.end());
}

void CDueQueue::NotesRemoved(const std::vector<uint32_t>& numbers) {
  RenumberAll([&](uint32_t n) {
    const auto below = std::lower_bound(numbers.begin(), numbers.end(), n);
    if (below != numbers.end() && *below == n) return GONE;
    return n - static_cast<uint32_t>(below - numbers.begin());
  });
}

void CDueQueue::NoteInserted(uint32_t position) {
  position = std::max<uint32_t>(position, 1);
  RenumberAll([&](uint32_t n) { return n >= position ? n + 1 : n; });
}

void CDueQueue::NoteMoved(uint32_t from, uint32_t to) {
  if (from == to) return;
  const uint32_t landed = to > from ? to - 1 : to;
  RenumberAll([&](uint32_t n) {
    if (n == from) return landed;
    const uint32_t closed = n > from ? n - 1 : n;
    return closed >= landed ? closed + 1 : closed;
  });
}

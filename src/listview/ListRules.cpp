#include "listview/ListRules.h"

#include <cstdlib>
#include <cstring>
#include <ctime>

#include "res/resource.h"

const ListColumn LIST_COLUMN_TABLE[LIST_COLUMNS] = {
    {IDS_LIST_HEADING_NUMBER, ListAlign::Right, ListAlign::Right},
    {IDS_LIST_HEADING_NOTE, ListAlign::Left, ListAlign::Left},
    {IDS_LIST_HEADING_CREATED, ListAlign::Center, ListAlign::Left},
    {IDS_LIST_HEADING_MODIFIED, ListAlign::Center, ListAlign::Left},
};

namespace {

std::string LocalTimeText(int32_t time) {
  std::time_t t = time;
  const std::tm* local = std::localtime(&t);
  if (local == nullptr) return std::string();
  char text[LIST_CELL_CAPACITY + 1];
  const size_t length = std::strftime(text, sizeof text, "%c", local);
  return std::string(text, length);
}

// One line of at most LIST_CELL_CAPACITY bytes of the note's text.
std::string OneLine(const char* text) {
  const size_t length = strnlen(text, LIST_CELL_CAPACITY);
  std::string line;
  line.reserve(length);
  for (size_t i = 0; i < length; ++i) {
    const char c = text[i];
    if (c == '\n') continue;
    line += c == '\r' ? LIST_PILCROW : c == '\t' ? ' ' : c;
  }
  return line;
}

}  // namespace

std::string ListCellText(const NoteStore& store, uint32_t note, int column) {
  if (note < 1 || note > store.header.noteCount) return std::string();
  const NoteEntry& entry = store.Entry(note);
  switch (column) {
    case LIST_COLUMN_NUMBER:
      return std::to_string(note);
    case LIST_COLUMN_NOTE:
      return OneLine(store.Text(entry));
    case LIST_COLUMN_CREATED:
      return LocalTimeText(entry.created);
    case LIST_COLUMN_MODIFIED:
      return LocalTimeText(entry.modified);
    default:
      return std::string();
  }
}

int DefaultColumnWidth(int column, bool forDivider, int frameWidth, int scrollBarWidth,
                       StringWidthFn stringWidth, void* context) {
  constexpr int PADDING = 8;
  switch (column) {
    case LIST_COLUMN_NUMBER:
      return stringWidth("WW1999", context) + PADDING;
    case LIST_COLUMN_NOTE:
      return (frameWidth - scrollBarWidth - 6) * 5 / 10;
    case LIST_COLUMN_CREATED:
    case LIST_COLUMN_MODIFIED:
      return stringWidth(forDivider ? "99/99/9999 99" : "99/99/99 99", context) + PADDING;
    default:
      return 0;
  }
}

int CenteringScroll(uint32_t currentNote, uint32_t noteCount, int topIndex, int rowsPerPage,
                    int rowHeight) {
  if (static_cast<int64_t>(topIndex) + rowsPerPage >= static_cast<int64_t>(noteCount)) return 0;
  return (static_cast<int>(currentNote) - rowsPerPage / 2 - topIndex - 1) * rowHeight;
}

bool InLowerHalf(const RowSpan& row, int y) { return y - row.top > row.bottom - y; }

int InsertionLineTop(const RowSpan& row, int y) {
  return InLowerHalf(row, y) ? row.bottom - 1 : row.top;
}

uint32_t DropTarget(uint32_t item, const RowSpan& row, int y) {
  return InLowerHalf(row, y) ? item + 2 : item + 1;
}

void CListDrag::Begin(int rowHeight) {
  scrollStep = rowHeight;
  dragging = true;
}

CListDrag::Move CListDrag::MouseMove(ListHit hit, const RowSpan& row, int y) {
  Move move;
  if (hit == ListHit::Above || hit == ListHit::Below) {
    scrollStep = hit == ListHit::Above ? -std::abs(scrollStep) : std::abs(scrollStep);
    move.scrollBy = scrollStep;
    if (!timerRunning) {
      timerRunning = true;
      ticks = 1;
      move.startTimerMs = LIST_AUTOSCROLL_SLOW_MS;
    }
    return move;
  }
  move.stopTimer = timerRunning;
  timerRunning = false;
  if (hit == ListHit::Row) {
    move.showLine = true;
    move.lineTop = InsertionLineTop(row, y);
  }
  return move;
}

CListDrag::Tick CListDrag::TimerTick() {
  Tick tick;
  if (!timerRunning) return tick;
  tick.scrollBy = scrollStep;
  if (++ticks == LIST_AUTOSCROLL_FAST_AT) tick.newIntervalMs = LIST_AUTOSCROLL_FAST_MS;
  return tick;
}

bool CListDrag::End() {
  const bool stop = timerRunning;
  timerRunning = false;
  dragging = false;
  return stop;
}

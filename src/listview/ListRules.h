#pragma once
#include <cstdint>
#include <string>

#include "store/NoteStore.h"

// What the summary list shows and how it reacts to the mouse, apart from
// the list control: cell texts, the column table's defaults, where a
// dragged note lands and how the list scrolls by itself while dragging.

constexpr int LIST_COLUMNS = 4;
constexpr int LIST_COLUMN_NUMBER = 0;
constexpr int LIST_COLUMN_NOTE = 1;
constexpr int LIST_COLUMN_CREATED = 2;
constexpr int LIST_COLUMN_MODIFIED = 3;

// Longest text of one cell, in bytes.
constexpr uint32_t LIST_CELL_CAPACITY = 1023;
// The pilcrow of the Windows Latin-1 code page: a line break in a note.
constexpr char LIST_PILCROW = static_cast<char>(0xB6);

enum class ListAlign { Left, Center, Right };

struct ListColumn {
  uint32_t headingId;   // string id of the heading
  ListAlign headerAlign;
  ListAlign textAlign;
};

// The four columns in order: number, note, created, modified.
extern const ListColumn LIST_COLUMN_TABLE[LIST_COLUMNS];

// Text of one cell of note `note` (1-based): the number; the note's text
// on one line (a carriage return shows as a pilcrow, a tab as a blank, a
// line feed not at all); the creation or modification time in the local
// time and the locale's "%c" form.
std::string ListCellText(const NoteStore& store, uint32_t note, int column);

// Width of a text in the list's font, in pixels.
using StringWidthFn = int (*)(const char* text, void* context);

// The width a column takes when none was stored (`forDivider` false) or
// when its header divider is double-clicked (true; the time columns then
// make room for four-digit years). `frameWidth` is the main window's
// width and `scrollBarWidth` that of a vertical scroll bar.
int DefaultColumnWidth(int column, bool forDivider, int frameWidth, int scrollBarWidth,
                       StringWidthFn stringWidth, void* context);

// How far to scroll (pixels, positive downwards) so that the current note
// stands in the middle of the page; 0 when the whole rest of the list
// already fits on the page.
int CenteringScroll(uint32_t currentNote, uint32_t noteCount, int topIndex, int rowsPerPage,
                    int rowHeight);

// Where the mouse is while a row is dragged.
enum class ListHit { Row, Above, Below, Beside };

// One row's vertical extent in client pixels; `bottom` is one past the
// last pixel row.
struct RowSpan {
  int top;
  int bottom;
};

// True when `y` lies in the lower half of the row: farther from the top
// than from the bottom.
bool InLowerHalf(const RowSpan& row, int y);

// The one-pixel insertion line drawn while dragging over a row: its
// first pixel row (the row's top, or its bottom pixel row in the lower half).
int InsertionLineTop(const RowSpan& row, int y);

// The position, in the numbering before the move, in front of which a
// note dropped at `y` on item `item` (0-based) goes.
uint32_t DropTarget(uint32_t item, const RowSpan& row, int y);

constexpr unsigned LIST_AUTOSCROLL_TIMER = 2;
constexpr unsigned LIST_AUTOSCROLL_SLOW_MS = 250;
constexpr unsigned LIST_AUTOSCROLL_FAST_MS = 65;
// The tick count at which the scrolling speeds up.
constexpr unsigned LIST_AUTOSCROLL_FAST_AT = 10;

// The drag of one row and the scrolling while the mouse is held above or
// below the rows: the list moves one row at once, then one row per slow
// tick nine times, then one row per fast tick.
class CListDrag {
 public:
  // What the list has to do after a mouse move.
  struct Move {
    bool showLine = false;
    int lineTop = 0;           // when showLine
    int scrollBy = 0;          // pixels to scroll now (0: none)
    unsigned startTimerMs = 0; // start the timer at this interval (0: no)
    bool stopTimer = false;
  };
  struct Tick {
    int scrollBy = 0;
    unsigned newIntervalMs = 0;  // replace the timer (0: keep it)
  };

  void Begin(int rowHeight);
  bool Dragging() const { return dragging; }
  bool TimerRunning() const { return timerRunning; }
  // `row` and `y` matter only over a row.
  Move MouseMove(ListHit hit, const RowSpan& row, int y);
  Tick TimerTick();
  // Ends the drag; true when the timer was running and must be stopped.
  bool End();

 private:
  bool dragging = false;
  bool timerRunning = false;
  int scrollStep = 0;
  unsigned ticks = 0;
};

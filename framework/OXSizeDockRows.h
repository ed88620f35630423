// The arithmetic of a sizeable dock bar's rows, apart from any window: measuring a row,
// fitting its sizeable bars to a length, taking length from bars beside a splitter, the
// signature of the visible bars, and placing rows, bars and splitters.
//
// Along a row means along the dock bar (x in a top or bottom dock bar), across the other way.
// Neighbouring bars overlap by the border width, and so do rows, so that the bars' own borders
// meet; a row of n bars filling L pixels has bar lengths summing to L + n * border, less the
// splitters between them.
#pragma once

#include "platform/base/geometry.h"

#include <windows.h>

#include <vector>

namespace dockrows
{
constexpr int kSplitterWidth = 8;
// A bar maximized in its row leaves every other sizeable bar this long: its caption.
constexpr int kMinimizedLength = 21;
// What the splitter limits ask for when they want all that the bars can give.
constexpr int kAllLength = 16000;

// 1: between bars along a horizontal dock bar (columns), or between the rows of a vertical
// one; 2: between bars along a vertical dock bar, or between the rows of a horizontal one.
enum SplitterType : BYTE
{
    kColumnSplitter = 1,
    kRowSplitter = 2
};

// A counted bar of a row (visible, its window alive), by its window's extents.
struct RowBar
{
    int length = 0;
    int thickness = 0;
    bool sizeable = false;
    CSize minTrack; // ptMinTrackSize of WM_GETMINMAXINFO
};

struct RowSizeInfo
{
    int bars = 0;
    int sizeableBars = 0;
    int sizeableLength = 0;
    int otherLength = 0; // other bars, and the splitters between neighbouring sizeable bars
    int thickness = 0;
    int otherThickness = 0;
    int totalLength = 0; // sizeable plus other
    CSize minTrack;      // the greatest of the bars'
};

RowSizeInfo MeasureRow(const std::vector<RowBar>& row);

// The lengths that fit the row's sizeable bars, in order, into length: each keeps its share of
// the sizeable length (truncated, the last taking what the truncation leaves); when that is 0
// the first takes everything. Empty when the row has no sizeable bar.
std::vector<int> FitRow(const std::vector<RowBar>& row, int length, int border);

// Takes up to amount from lengths, starting at index first and walking by step (-1 or +1)
// while inside the vector: a bar at least as long as what is still wanted gives that and ends
// the walk, a shorter one gives all (becoming 0 when applying). visited counts the bars
// walked. Returns what was taken.
int TakeLength(std::vector<int>& lengths, int first, int step, int amount, bool apply,
               int* visited);

// One entry of a dock bar's bar array.
struct Slot
{
    enum Kind
    {
        RowEnd,      // a null entry
        Placeholder, // the id of a bar that left
        Bar
    };
    Kind kind = RowEnd;
    bool visible = false;
    bool splittable = false; // a visible sizeable bar
    CSize size;              // the size the bar asks for where it is docked
    int currentLead = 0;     // where its window starts along the row now (client coordinates)
};

// The number of visible bars in the low 8 bits; above them a code of the row ends (each
// doubles it) and the positions of the visible sizeable bars (each adds its index).
DWORD VisibleBarsSignature(const std::vector<Slot>& slots);

struct Splitter
{
    CRect rect;    // dock bar client coordinates
    BYTE type = 0; // SplitterType
    // In-row: the bar after it. Between rows: the first entry of the row it sizes when that
    // row follows it (bottom and right dock bars), else the row end of the row before it.
    int index = 0;
};

struct LayoutParams
{
    bool horz = true;            // a top or bottom dock bar
    bool splitAfterRows = false; // top and left dock bars: a row's splitter follows it
    bool floating = false;       // bars are packed, nothing wraps, no splitters
    int maxLength = 0;           // the length available along
    int borderAlong = 0;         // overlap of neighbouring bars
    int borderAcross = 0;        // overlap of neighbouring rows
};

struct Layout
{
    std::vector<CRect> rects; // per slot after the breaks; empty for slots not placed
    std::vector<Splitter> splitters;
    // Row ends inserted in slots, in the order they were inserted.
    std::vector<int> breaks;
    // Set when a sizeable bar wrapped: the layout stopped there, and the row left behind
    // (starting at refitRows[0]) and the new row (refitRows[1]) are to be fitted again.
    bool refit = false;
    int refitRows[2] = {0, 0};
    CSize extent; // along and across, as width and height of the dock bar's orientation
};

// Places the rows as the framework's dock bar does, with splitters: rows holding a sizeable
// bar are packed from the start; other rows keep each bar where its window is when there is
// room, and push a bar that would overhang back inside. A bar that starts beyond the end of
// a row that already has one begins a new row (a row end is inserted in slots).
Layout PlaceRows(std::vector<Slot>& slots, const LayoutParams& params);
} // namespace dockrows

// Row arithmetic of the sizeable dock bar, by hand-computed numbers: measuring and fitting a
// row, taking length beside a splitter, the visible-bar signature, and placing rows with
// their splitters.
#include "framework/OXSizeDockRows.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

using namespace dockrows;

namespace
{
RowBar Sizeable(int length, int thickness = 150)
{
    RowBar bar;
    bar.length = length;
    bar.thickness = thickness;
    bar.sizeable = true;
    return bar;
}

RowBar Plain(int length, int thickness = 26)
{
    RowBar bar;
    bar.length = length;
    bar.thickness = thickness;
    return bar;
}

Slot End()
{
    return Slot();
}

Slot Bar(int cx, int cy, bool sizeable, int currentLead = 0, bool visible = true)
{
    Slot slot;
    slot.kind = Slot::Bar;
    slot.visible = visible;
    slot.splittable = sizeable && visible;
    slot.size = CSize(cx, cy);
    slot.currentLead = currentLead;
    return slot;
}

// Rectangles and sizes compared as text, so that a failure shows them.
std::string Text(const RECT& r)
{
    return "(" + std::to_string(r.left) + "," + std::to_string(r.top) + ")-(" +
           std::to_string(r.right) + "," + std::to_string(r.bottom) + ")";
}

std::string Text(const SIZE& s)
{
    return std::to_string(s.cx) + "x" + std::to_string(s.cy);
}

LayoutParams Params(bool horz, bool splitAfterRows, int maxLength)
{
    LayoutParams p;
    p.horz = horz;
    p.splitAfterRows = splitAfterRows;
    p.maxLength = maxLength;
    p.borderAlong = 2;
    p.borderAcross = 2;
    return p;
}
} // namespace

TEST(SizeDockRows, MeasureCountsSplittersBetweenSizeableNeighboursAsOtherLength)
{
    RowBar narrow = Sizeable(-5, 40); // a negative extent counts as 0
    narrow.minTrack = CSize(30, 60);
    RowBar toolbar = Plain(120, 26);
    toolbar.minTrack = CSize(50, 20);
    const RowSizeInfo info =
        MeasureRow({Sizeable(300), Sizeable(100), toolbar, Sizeable(80, 200), narrow});
    EXPECT_EQ(5, info.bars);
    EXPECT_EQ(4, info.sizeableBars);
    EXPECT_EQ(480, info.sizeableLength);
    EXPECT_EQ(120 + 8 + 8, info.otherLength); // splitters after 300 and after 80
    EXPECT_EQ(200, info.thickness);
    EXPECT_EQ(26, info.otherThickness);
    EXPECT_EQ(480 + 136, info.totalLength);
    EXPECT_EQ("50x60", Text(info.minTrack));
}

TEST(SizeDockRows, FitShareOutTheAvailableLength)
{
    struct Case
    {
        const char* name;
        std::vector<RowBar> row;
        int length;
        std::vector<int> expected;
    };
    const Case cases[] = {
        // 800 - 8 + 2 * 2 = 796: 300 * 796 / 400 and 100 * 796 / 400.
        {"two bars", {Sizeable(300), Sizeable(100)}, 800, {597, 199}},
        // 608 - 16 + 6 = 598, a third each, truncated; the last takes the pixel left over.
        {"three bars", {Sizeable(100), Sizeable(100), Sizeable(100)}, 608, {199, 199, 200}},
        // A toolbar between them: 700 - 120 + 3 * 2 = 586.
        {"toolbar between", {Sizeable(100), Plain(120), Sizeable(300)}, 700, {146, 440}},
        {"no length yet", {Sizeable(0), Sizeable(0)}, 400, {396, 0}},
        {"no sizeable bar", {Plain(100)}, 400, {}},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(c.expected, FitRow(c.row, c.length, 2));
    }
}

TEST(SizeDockRows, TakeLengthWalksFromTheNearestBar)
{
    std::vector<int> lengths = {50, 30, 100};
    int visited = 0;
    // Asking for everything only counts.
    EXPECT_EQ(80, TakeLength(lengths, 1, -1, kAllLength, false, &visited));
    EXPECT_EQ(2, visited);
    EXPECT_EQ((std::vector<int>{50, 30, 100}), lengths);

    EXPECT_EQ(60, TakeLength(lengths, 1, -1, 60, true, &visited));
    EXPECT_EQ((std::vector<int>{20, 0, 100}), lengths);
    EXPECT_EQ(2, visited);

    EXPECT_EQ(40, TakeLength(lengths, 2, +1, 40, true, &visited));
    EXPECT_EQ((std::vector<int>{20, 0, 60}), lengths);
    EXPECT_EQ(1, visited);

    EXPECT_EQ(0, TakeLength(lengths, 3, +1, 40, true, &visited));
    EXPECT_EQ(0, visited);
}

TEST(SizeDockRows, SignatureCountsVisibleBarsAndCodesRowsAndSizeablePositions)
{
    // Row ends double the code, visible sizeable bars add their index.
    std::vector<Slot> slots = {End(), Bar(10, 10, true),  Bar(10, 10, true),
                               End(), Bar(10, 10, false), End()};
    // code: 0, +1, +2, *2 = 6, toolbar, *2 = 12
    EXPECT_EQ(3u + (12u << 8), VisibleBarsSignature(slots));
    slots[2].visible = false;
    slots[2].splittable = false;
    EXPECT_EQ(2u + (4u << 8), VisibleBarsSignature(slots));
    Slot placeholder;
    placeholder.kind = Slot::Placeholder;
    slots[2] = placeholder;
    EXPECT_EQ(2u + (4u << 8), VisibleBarsSignature(slots));
}

TEST(SizeDockRows, BottomRowOfTwoFittedBarsFillsTheLengthWithASplitterBetween)
{
    std::vector<Slot> slots = {End(), Bar(597, 150, true, 40), Bar(199, 150, true, 700), End()};
    const Layout layout = PlaceRows(slots, Params(true, false, 800));
    ASSERT_FALSE(layout.refit);
    EXPECT_TRUE(layout.breaks.empty());
    // The splitter facing the frame comes first; bars overlap it by their borders.
    EXPECT_EQ("(-2,6)-(595,156)", Text(layout.rects[1]));
    EXPECT_EQ("(601,6)-(800,156)", Text(layout.rects[2]));
    ASSERT_EQ(2u, layout.splitters.size());
    EXPECT_EQ("(0,-2)-(800,6)", Text(layout.splitters[0].rect));
    EXPECT_EQ(kRowSplitter, layout.splitters[0].type);
    EXPECT_EQ(1, layout.splitters[0].index);
    EXPECT_EQ("(593,6)-(601,156)", Text(layout.splitters[1].rect));
    EXPECT_EQ(kColumnSplitter, layout.splitters[1].type);
    EXPECT_EQ(2, layout.splitters[1].index);
    EXPECT_EQ("798x154", Text(layout.extent));
}

TEST(SizeDockRows, TopAndLeftDockBarsPutASplitterAfterEachSizeableRow)
{
    for (const bool horz : {true, false})
    {
        SCOPED_TRACE(horz ? "top" : "left");
        const auto bar = [horz](int length, int thickness)
        { return horz ? Bar(length, thickness, true) : Bar(thickness, length, true); };
        std::vector<Slot> slots = {End(), bar(300, 100), End(), bar(300, 120), End()};
        const Layout layout = PlaceRows(slots, Params(horz, true, 600));
        const auto place = [horz](int l, int t, int r, int b)
        { return horz ? CRect(l, t, r, b) : CRect(t, l, b, r); };
        EXPECT_EQ(Text(place(-2, -2, 298, 98)), Text(layout.rects[1]));
        EXPECT_EQ(Text(place(-2, 104, 298, 224)), Text(layout.rects[3]));
        ASSERT_EQ(2u, layout.splitters.size());
        EXPECT_EQ(Text(place(0, 96, 600, 104)), Text(layout.splitters[0].rect));
        EXPECT_EQ(2, layout.splitters[0].index); // the row end of the row it sizes
        EXPECT_EQ(Text(place(0, 222, 600, 230)), Text(layout.splitters[1].rect));
        // The last splitter adds 8 to a top dock bar, 7 to a left one.
        EXPECT_EQ(horz ? 230 : 229, layout.extent.cy);
    }
}

TEST(SizeDockRows, PlainRowsKeepBarsWhereTheyAreAndPushOverhangsBack)
{
    std::vector<Slot> slots = {End(), Bar(100, 26, false, -2), Bar(100, 26, false, 200),
                               Bar(100, 26, false, 450), End()};
    const Layout layout = PlaceRows(slots, Params(true, false, 500));
    EXPECT_TRUE(layout.splitters.empty());
    EXPECT_EQ("(-2,-2)-(98,24)", Text(layout.rects[1]));
    EXPECT_EQ("(200,-2)-(300,24)", Text(layout.rects[2]));
    EXPECT_EQ("(402,-2)-(502,24)", Text(layout.rects[3])); // its border hangs over the end
}

TEST(SizeDockRows, BarBeyondAFullPlainRowStartsANewRowAtItsStart)
{
    std::vector<Slot> slots = {End(), Bar(300, 26, false, -2), Bar(300, 26, false),
                               Bar(300, 30, false, 400), End()};
    const Layout layout = PlaceRows(slots, Params(true, false, 500));
    ASSERT_FALSE(layout.refit);
    ASSERT_EQ(std::vector<int>{3}, layout.breaks);
    ASSERT_EQ(6u, slots.size());
    EXPECT_EQ(Slot::RowEnd, slots[3].kind);
    EXPECT_EQ("(296,-2)-(596,24)", Text(layout.rects[2])); // pushed back as far as the row allows
    EXPECT_EQ("(-2,22)-(298,52)", Text(layout.rects[4]));
    EXPECT_EQ("594x50", Text(layout.extent));
}

TEST(SizeDockRows, SizeableBarBeyondAFullRowStopsTheLayoutForARefit)
{
    std::vector<Slot> slots = {End(), Bar(400, 150, true), Bar(400, 150, true), Bar(300, 150, true),
                               End()};
    const Layout layout = PlaceRows(slots, Params(true, false, 800));
    ASSERT_TRUE(layout.refit);
    EXPECT_EQ(std::vector<int>{3}, layout.breaks);
    EXPECT_EQ(1, layout.refitRows[0]);
    EXPECT_EQ(4, layout.refitRows[1]);
    ASSERT_EQ(6u, slots.size());
    EXPECT_EQ(Slot::RowEnd, slots[3].kind);
}

TEST(SizeDockRows, HiddenBarsAndPlaceholdersTakeNoPlace)
{
    Slot placeholder;
    placeholder.kind = Slot::Placeholder;
    std::vector<Slot> slots = {
        End(), Bar(300, 150, true), placeholder, Bar(100, 150, true, 0, false), Bar(200, 150, true),
        End()};
    const Layout layout = PlaceRows(slots, Params(true, false, 800));
    EXPECT_TRUE(layout.rects[2].IsRectNull());
    EXPECT_TRUE(layout.rects[3].IsRectNull());
    EXPECT_EQ("(304,6)-(504,156)", Text(layout.rects[4]));
    ASSERT_EQ(2u, layout.splitters.size());
    EXPECT_EQ(4, layout.splitters[1].index);
}

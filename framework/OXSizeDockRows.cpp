// Row arithmetic of the sizeable dock bar: measures, fitting, taking length, placing rows.
#include "framework/OXSizeDockRows.h"

#include <algorithm>

namespace dockrows
{
namespace
{
// The extra thickness a top dock bar's last splitter adds, and a left one's (one less).
constexpr int kFinalSplitterHorz = 8;
constexpr int kFinalSplitterVert = 7;

int Along(const SIZE& size, bool horz)
{
    return horz ? size.cx : size.cy;
}

int Across(const SIZE& size, bool horz)
{
    return horz ? size.cy : size.cx;
}

CRect RowRect(int along, int across, int length, int thickness, bool horz)
{
    return horz ? CRect(along, across, along + length, across + thickness)
                : CRect(across, along, across + thickness, along + length);
}

bool IsPlaced(const Slot& slot)
{
    return slot.kind == Slot::Bar && slot.visible;
}

// Whether the row from index on holds a visible sizeable bar.
bool RowHasSplittable(const std::vector<Slot>& slots, size_t index)
{
    for (; index < slots.size() && slots[index].kind != Slot::RowEnd; ++index)
    {
        if (IsPlaced(slots[index]) && slots[index].splittable)
            return true;
    }
    return false;
}

// The running state of PlaceRows.
class RowPlacer
{
public:
    RowPlacer(std::vector<Slot>& slots, const LayoutParams& params)
        : m_slots(slots)
        , m_p(params)
        , m_across(-params.borderAcross)
    {
        m_out.rects.resize(slots.size());
    }

    Layout Run();

private:
    void BeginRow(size_t index);
    void FirstBarOfRow();
    void EndRow(size_t rowEnd);
    // Places the bar of slot index; false when it wrapped a sizeable bar and the layout stops.
    bool PlaceBar(size_t& index);
    void AddSplitter(int along, int across, int length, int thickness, BYTE type, int index);
    void Finish();

    std::vector<Slot>& m_slots;
    const LayoutParams& m_p;
    Layout m_out;
    int m_across;
    int m_along = 0;
    int m_rowAcross = 0; // where the row's bars start across
    int m_rowThickness = 0;
    size_t m_rowStart = 1;     // first slot of the row
    size_t m_rowSplitters = 0; // first in-row splitter of the row in m_out.splitters
    bool m_rowHasBar = false;
    bool m_rowPacked = false;
    bool m_prevSplittable = false;
    bool m_leftJustify = false;
    bool m_splitterPending = false; // a splitter after the last row (top and left dock bars)
};

Layout RowPlacer::Run()
{
    BeginRow(1);
    for (size_t index = 1; index < m_slots.size(); ++index)
    {
        const Slot& slot = m_slots[index];
        if (slot.kind == Slot::RowEnd)
        {
            EndRow(index);
            BeginRow(index + 1);
        }
        else if (IsPlaced(slot) && !PlaceBar(index))
        {
            return m_out;
        }
    }
    EndRow(m_slots.size());
    Finish();
    return m_out;
}

void RowPlacer::BeginRow(size_t index)
{
    m_rowStart = index;
    m_rowPacked = !m_p.floating && RowHasSplittable(m_slots, index);
    m_along = -m_p.borderAlong;
    m_rowThickness = 0;
    m_rowHasBar = false;
    m_prevSplittable = false;
    m_rowSplitters = m_out.splitters.size();
}

void RowPlacer::FirstBarOfRow()
{
    const int crossType = m_p.horz ? kRowSplitter : kColumnSplitter;
    if (m_splitterPending)
    {
        // The splitter after the previous row stays: this row starts beyond it.
        m_across += kSplitterWidth;
        m_splitterPending = false;
    }
    if (m_rowPacked && !m_p.splitAfterRows)
    {
        AddSplitter(0, m_across, 0, kSplitterWidth, static_cast<BYTE>(crossType),
                    static_cast<int>(m_rowStart));
        m_across += kSplitterWidth;
    }
    m_rowAcross = m_across;
}

void RowPlacer::EndRow(size_t rowEnd)
{
    if (!m_rowHasBar)
        return;
    // The in-row splitters reach across the row.
    const BYTE inRowType = m_p.horz ? kColumnSplitter : kRowSplitter;
    for (size_t i = m_rowSplitters; i < m_out.splitters.size(); ++i)
    {
        if (m_out.splitters[i].type != inRowType)
            continue;
        CRect& r = m_out.splitters[i].rect;
        if (m_p.horz)
            r.bottom = r.top + m_rowThickness;
        else
            r.right = r.left + m_rowThickness;
    }
    m_out.extent.cx = std::max<int>(m_out.extent.cx, m_along);
    m_across += m_rowThickness - m_p.borderAcross;
    m_out.extent.cy = std::max<int>(m_out.extent.cy, m_across);
    if (m_rowPacked && m_p.splitAfterRows)
    {
        const int crossType = m_p.horz ? kRowSplitter : kColumnSplitter;
        AddSplitter(0, m_across, 0, kSplitterWidth, static_cast<BYTE>(crossType),
                    static_cast<int>(rowEnd));
        m_splitterPending = true;
    }
}

bool RowPlacer::PlaceBar(size_t& index)
{
    const Slot slot = m_slots[index];
    const int length = Along(slot.size, m_p.horz);
    const int thickness = Across(slot.size, m_p.horz);
    const bool splitter = m_rowPacked && slot.splittable && m_prevSplittable;
    int lead = m_along + (splitter ? kSplitterWidth : 0);
    if (!m_rowPacked && !m_p.floating)
    {
        // A bar stays where the user put it while it fits; one that overhangs moves back.
        lead = std::max(lead, slot.currentLead);
        if (lead + length > m_p.maxLength)
            lead = std::max(m_p.maxLength - (length - m_p.borderAlong), m_along);
    }
    if (m_leftJustify)
    {
        m_leftJustify = false;
        lead = -m_p.borderAlong;
    }
    else if (!m_p.floating && m_rowHasBar && lead >= m_p.maxLength - m_p.borderAlong)
    {
        // No room left in this row: the bar starts the next one.
        m_slots.insert(m_slots.begin() + static_cast<std::ptrdiff_t>(index), Slot());
        m_out.rects.insert(m_out.rects.begin() + static_cast<std::ptrdiff_t>(index), CRect());
        m_out.breaks.push_back(static_cast<int>(index));
        if (slot.splittable)
        {
            m_out.refit = true;
            m_out.refitRows[0] = static_cast<int>(m_rowStart);
            m_out.refitRows[1] = static_cast<int>(index + 1);
            return false;
        }
        EndRow(index);
        BeginRow(index + 1);
        ++index;
        m_leftJustify = true;
        return PlaceBar(index);
    }
    if (!m_rowHasBar)
        FirstBarOfRow();
    if (splitter)
    {
        const BYTE inRowType = m_p.horz ? kColumnSplitter : kRowSplitter;
        AddSplitter(m_along, m_rowAcross, kSplitterWidth, 0, inRowType, static_cast<int>(index));
    }
    m_out.rects[index] = RowRect(lead, m_rowAcross, length, thickness, m_p.horz);
    m_along = lead + length - m_p.borderAlong;
    m_rowThickness = std::max(m_rowThickness, thickness);
    m_prevSplittable = slot.splittable;
    m_rowHasBar = true;
    return true;
}

void RowPlacer::AddSplitter(int along, int across, int length, int thickness, BYTE type, int index)
{
    Splitter s;
    s.rect = RowRect(along, across, length, thickness, m_p.horz);
    s.type = type;
    s.index = index;
    m_out.splitters.push_back(s);
}

void RowPlacer::Finish()
{
    if (m_splitterPending)
    {
        const int grow = m_p.horz ? kFinalSplitterHorz : kFinalSplitterVert;
        m_out.extent.cy = std::max<int>(m_out.extent.cy, m_across + grow);
    }
    // The splitters between rows reach along the whole dock bar.
    const int length = std::max<int>(m_out.extent.cx, m_p.maxLength);
    const BYTE crossType = m_p.horz ? kRowSplitter : kColumnSplitter;
    for (Splitter& s : m_out.splitters)
    {
        if (s.type != crossType)
            continue;
        if (m_p.horz)
            s.rect.right = length;
        else
            s.rect.bottom = length;
    }
}
} // namespace

RowSizeInfo MeasureRow(const std::vector<RowBar>& row)
{
    RowSizeInfo info;
    bool prevSizeable = false;
    for (const RowBar& bar : row)
    {
        const int length = std::max(0, bar.length);
        const int thickness = std::max(0, bar.thickness);
        ++info.bars;
        if (bar.sizeable)
        {
            ++info.sizeableBars;
            info.sizeableLength += length;
            if (prevSizeable)
                info.otherLength += kSplitterWidth;
        }
        else
        {
            info.otherLength += length;
            info.otherThickness = std::max(info.otherThickness, thickness);
        }
        info.thickness = std::max(info.thickness, thickness);
        info.minTrack.cx = std::max<int>(info.minTrack.cx, bar.minTrack.cx);
        info.minTrack.cy = std::max<int>(info.minTrack.cy, bar.minTrack.cy);
        prevSizeable = bar.sizeable;
    }
    info.totalLength = info.sizeableLength + info.otherLength;
    return info;
}

std::vector<int> FitRow(const std::vector<RowBar>& row, int length, int border)
{
    const RowSizeInfo info = MeasureRow(row);
    std::vector<int> lengths;
    if (info.sizeableBars == 0)
        return lengths;
    const int available = length - info.otherLength + info.bars * border;
    int left = available;
    for (const RowBar& bar : row)
    {
        if (!bar.sizeable)
            continue;
        int fitted = left;
        if (info.sizeableLength > 0)
        {
            const long long share = static_cast<long long>(std::max(0, bar.length)) * available;
            fitted = static_cast<int>(share / info.sizeableLength);
        }
        lengths.push_back(fitted);
        left -= fitted;
    }
    // What the truncated shares leave goes to the last bar, so that the row ends flush.
    if (info.sizeableLength > 0)
        lengths.back() += left;
    return lengths;
}

int TakeLength(std::vector<int>& lengths, int first, int step, int amount, bool apply, int* visited)
{
    int taken = 0;
    int count = 0;
    for (int i = first; i >= 0 && i < static_cast<int>(lengths.size()) && taken < amount; i += step)
    {
        ++count;
        const int wanted = amount - taken;
        if (lengths[i] >= wanted)
        {
            taken += wanted;
            if (apply)
                lengths[i] -= wanted;
            break;
        }
        taken += lengths[i];
        if (apply)
            lengths[i] = 0;
    }
    if (visited)
        *visited = count;
    return taken;
}

DWORD VisibleBarsSignature(const std::vector<Slot>& slots)
{
    DWORD code = 0;
    DWORD count = 0;
    for (size_t i = 0; i < slots.size(); ++i)
    {
        const Slot& slot = slots[i];
        if (slot.kind == Slot::RowEnd)
        {
            code *= 2;
        }
        else if (IsPlaced(slot))
        {
            ++count;
            if (slot.splittable)
                code += static_cast<DWORD>(i);
        }
    }
    return (count & 0xFF) + (code << 8);
}

Layout PlaceRows(std::vector<Slot>& slots, const LayoutParams& params)
{
    return RowPlacer(slots, params).Run();
}
} // namespace dockrows

// CDockState: where a frame's bars are (docked rows, floating frames, visibility, the places
// they go back to) and each bar's extra state, in a stream of our own (all integers 32-bit
// little-endian):
//   magic 'FWDS' (46 57 44 53), version 1, bar count, then per bar:
//     id, flags (1 visible, 2 floating, 4 horizontal, 8 dock bar, 16 docking places),
//     position x, y, style, width when it last floated;
//     with docking places: dock bar id, dock place (left, top, right, bottom),
//       floating style, floating position x, y;
//     a dock bar: entry count, then entries: a bar id, a placeholder id | 0x10000,
//       0 ending a row;
//     extra-state length, then that many bytes.
// A position is the floating frame's screen top-left for a floating dock bar, and the bar's
// top-left in its dock bar otherwise. A stream with another magic or a newer version
// throws CArchiveException* badSchema, and the state keeps what it had.
#pragma once

#include "platform/base/archive.h"
#include "platform/base/coll_array.h"
#include "platform/base/geometry.h"

#include <vector>

class CControlBar;

// One bar of a dock state.
class CControlBarInfo
{
public:
    // Marks a placeholder among a dock bar's entries.
    static constexpr UINT kPlaceholder = 0x10000;

    UINT m_nBarID = 0;
    BOOL m_bVisible = FALSE;
    BOOL m_bFloating = FALSE;
    BOOL m_bHorz = FALSE;
    BOOL m_bDockBar = FALSE;
    CPoint m_pointPos;
    DWORD m_dwStyle = 0; // a dock bar's alignment, CBRS_FLOAT_MULTI and CBRS_SIZE_DYNAMIC
    int m_nMRUWidth = 32767;
    BOOL m_bDocking = FALSE; // the bar has a dock context: the places below count
    UINT m_uMRUDockID = 0;
    CRect m_rectMRUDockPos;
    DWORD m_dwMRUFloatStyle = 0;
    CPoint m_ptMRUFloatPos;
    std::vector<UINT> m_arrBarID;   // a dock bar's entries (see the file comment)
    std::vector<BYTE> m_extraState; // what the bar's SaveExtraState wrote
    CControlBar* m_pBar = nullptr;  // the bar it was taken from or is applied to; not stored
};

class CDockState : public CObject
{
    FW_SERIAL(CDockState, CObject, 1)

public:
    static constexpr uint32_t kMagic = 0x53445746; // "FWDS"
    static constexpr int32_t kVersion = 1;

    CDockState() = default;
    ~CDockState() override;
    CDockState(const CDockState&) = delete;
    CDockState& operator=(const CDockState&) = delete;

    void Clear();
    void Serialize(CArchive& archive) override;

    CArray<CControlBarInfo*, CControlBarInfo*> m_arrBarInfo; // owned elements
};

// Dock states: the stream against a golden file, a frame's layout taken and put back (with
// the bars' own sizes), foreign or damaged streams refused, and bars the state names but the
// frame no longer has.
#include "platform/bars/dockstate.h"

#include "platform/bars/minidock.h"
#include "platform/base/file.h"
#include "platform/test/pump.h"
#include "tests/platform/bars/bars_fixture.h"

#include <fstream>
#include <gtest/gtest.h>
#include <iterator>

namespace fw::test
{
namespace
{
constexpr UINT P = CControlBarInfo::kPlaceholder;

// A bar with three sizes of its own, kept with the dock state.
class CSizedBar : public CBoxBar
{
public:
    using CBoxBar::CBoxBar;

    void SaveExtraState(CArchive& archive) const override
    {
        for (const CSize& size : {m_float, m_horz, m_vert})
            archive << static_cast<int32_t>(size.cx) << static_cast<int32_t>(size.cy);
    }

    void LoadExtraState(CArchive& archive) override
    {
        for (CSize* size : {&m_float, &m_horz, &m_vert})
        {
            int32_t cx = 0;
            int32_t cy = 0;
            archive >> cx >> cy;
            *size = CSize(cx, cy);
        }
    }

    CSize m_float{400, 150};
    CSize m_horz{600, 120};
    CSize m_vert{150, 400};
};

std::vector<BYTE> Store(CDockState& state)
{
    CMemFile file;
    CArchive archive(&file, CArchive::store);
    state.Serialize(archive);
    archive.Close();
    std::vector<BYTE> bytes(static_cast<size_t>(file.GetLength()));
    file.SeekToBegin();
    file.Read(bytes.data(), static_cast<UINT>(bytes.size()));
    return bytes;
}

void Load(CDockState& state, std::vector<BYTE> bytes)
{
    CMemFile file(bytes.data(), static_cast<UINT>(bytes.size()));
    CArchive archive(&file, CArchive::load);
    state.Serialize(archive);
}

// The cause of the archive exception Load throws, or -1 when it throws none.
int LoadFailure(CDockState& state, const std::vector<BYTE>& bytes)
{
    try
    {
        Load(state, bytes);
    }
    catch (CArchiveException* e)
    {
        const int cause = e->m_cause;
        e->Delete();
        return cause;
    }
    return -1;
}

std::vector<BYTE> ReadFileBytes(const char* path)
{
    std::ifstream in(path, std::ios::binary);
    return std::vector<BYTE>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

CControlBarInfo* AddInfo(CDockState& state, UINT id, BOOL visible, BOOL floating, BOOL horz)
{
    auto* info = new CControlBarInfo;
    info->m_nBarID = id;
    info->m_bVisible = visible;
    info->m_bFloating = floating;
    info->m_bHorz = horz;
    state.m_arrBarInfo.Add(info);
    return info;
}

// The golden case of res/make_dockstate_golden.py.
void FillGolden(CDockState& state)
{
    CControlBarInfo* top = AddInfo(state, AFX_IDW_DOCKBAR_TOP, TRUE, FALSE, TRUE);
    top->m_bDockBar = TRUE;
    top->m_dwStyle = CBRS_ALIGN_TOP;
    top->m_arrBarID = {kBarA, kBarB | P, 0, kBarC, 0};
    CControlBarInfo* floating = AddInfo(state, AFX_IDW_DOCKBAR_FLOAT, TRUE, TRUE, FALSE);
    floating->m_bDockBar = TRUE;
    floating->m_pointPos = CPoint(300, 200);
    floating->m_dwStyle = CBRS_ALIGN_LEFT | CBRS_FLOAT_MULTI;
    floating->m_arrBarID = {kBarB, 0};
    CControlBarInfo* a = AddInfo(state, kBarA, TRUE, FALSE, TRUE);
    a->m_bDocking = TRUE;
    a->m_uMRUDockID = AFX_IDW_DOCKBAR_TOP;
    a->m_rectMRUDockPos = CRect(0, 0, 100, 24);
    a->m_dwMRUFloatStyle = CBRS_ALIGN_TOP;
    a->m_ptMRUFloatPos = CPoint(-1, -1);
    for (const int32_t value : {400, 150, 600, 120, 150, 400})
    {
        for (int shift = 0; shift < 32; shift += 8)
            a->m_extraState.push_back(static_cast<BYTE>(value >> shift));
    }
    CControlBarInfo* b = AddInfo(state, kBarB, FALSE, TRUE, FALSE);
    b->m_nMRUWidth = 57;
    b->m_bDocking = TRUE;
    b->m_uMRUDockID = AFX_IDW_DOCKBAR_TOP;
    b->m_rectMRUDockPos = CRect(100, 0, 250, 30);
    b->m_dwMRUFloatStyle = CBRS_ALIGN_LEFT;
    b->m_ptMRUFloatPos = CPoint(300, 200);
}

TEST(DockStateStream, MatchesTheGoldenFileAndReadsBack)
{
    CDockState state;
    FillGolden(state);
    const std::vector<BYTE> golden = ReadFileBytes("tests/platform/bars/res/dockstate.golden");
    ASSERT_FALSE(golden.empty());
    EXPECT_EQ(golden, Store(state));

    CDockState read;
    Load(read, golden);
    ASSERT_EQ(4, read.m_arrBarInfo.GetSize());
    EXPECT_EQ(golden, Store(read));
    const CControlBarInfo* b = read.m_arrBarInfo[3];
    EXPECT_EQ(kBarB, b->m_nBarID);
    EXPECT_FALSE(b->m_bVisible);
    EXPECT_TRUE(b->m_bFloating);
    EXPECT_EQ(57, b->m_nMRUWidth);
    EXPECT_EQ(CRect(100, 0, 250, 30), b->m_rectMRUDockPos);
    EXPECT_EQ(std::vector<UINT>({kBarA, kBarB | P, 0, kBarC, 0}), read.m_arrBarInfo[0]->m_arrBarID);
    EXPECT_EQ(24u, read.m_arrBarInfo[2]->m_extraState.size());
}

TEST(DockStateStream, ForeignNewerOrShortStreamsLeaveTheStateAsItWas)
{
    CDockState golden;
    FillGolden(golden);
    const std::vector<BYTE> good = Store(golden);
    struct Case
    {
        const char* what;
        std::vector<BYTE> bytes;
        int cause;
    };
    std::vector<BYTE> foreign = good;
    foreign[0] = 'X';
    std::vector<BYTE> newer = good;
    newer[4] = 2;
    std::vector<BYTE> shortened(good.begin(), good.end() - 30);
    std::vector<BYTE> hugeExtra = good;
    // The last bar's extra-state length claims far more than the stream holds.
    hugeExtra[hugeExtra.size() - 4] = 0xFF;
    hugeExtra[hugeExtra.size() - 1] = 0x7F;
    const Case cases[] = {{"foreign magic", foreign, CArchiveException::badSchema},
                          {"newer version", newer, CArchiveException::badSchema},
                          {"cut short", shortened, CArchiveException::endOfFile},
                          {"length past the end", hugeExtra, CArchiveException::endOfFile}};
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.what);
        CDockState state;
        FillGolden(state);
        EXPECT_EQ(c.cause, LoadFailure(state, c.bytes));
        EXPECT_EQ(good, Store(state));
    }
}

class DockStates : public BarsFixture
{
protected:
    void SetUp() override
    {
        BarsFixture::SetUp();
        m_frame->EnableDocking(CBRS_ALIGN_ANY);
        for (auto [bar, id] :
             {std::pair<CBoxBar*, UINT>{&m_a, kBarA}, {&m_b, kBarB}, {&m_c, kBarC}})
        {
            ASSERT_TRUE(bar->Create(m_frame, id, WS_CHILD | WS_VISIBLE | CBRS_NOALIGN));
            bar->EnableDocking(CBRS_ALIGN_ANY);
        }
    }

    // A and B in a row at the top with a gap between them, C floating, B hidden.
    void Arrange()
    {
        m_frame->DockControlBar(&m_a, AFX_IDW_DOCKBAR_TOP);
        m_frame->RecalcLayout();
        CRect beside;
        m_a.GetWindowRect(&beside);
        beside.OffsetRect(200, 0);
        m_frame->DockControlBar(&m_b, AFX_IDW_DOCKBAR_TOP, &beside);
        m_frame->RecalcLayout();
        m_frame->FloatControlBar(&m_c, CPoint(420, 310));
        m_frame->ShowControlBar(&m_b, FALSE, FALSE);
    }

    CSizedBar m_a{120, 24};
    CBoxBar m_b{90, 24};
    CBoxBar m_c{150, 28};
};

TEST_F(DockStates, LayoutIsPutBackWithTheBarsOwnSizes)
{
    Arrange();
    const auto top = Entries(AFX_IDW_DOCKBAR_TOP);
    const CRect a = InFrame(&m_a);
    CRect floating;
    m_c.GetParentFrame()->GetWindowRect(&floating);
    CDockState taken;
    m_frame->GetDockState(taken);
    const std::vector<BYTE> bytes = Store(taken);

    // Everything moves, and A's sizes change.
    m_frame->FloatControlBar(&m_a, CPoint(100, 100));
    m_frame->DockControlBar(&m_c, AFX_IDW_DOCKBAR_LEFT);
    m_frame->ShowControlBar(&m_b, TRUE, FALSE);
    m_a.m_horz = CSize(1, 2);
    m_frame->RecalcLayout();

    CDockState read;
    Load(read, bytes);
    m_frame->SetDockState(read);
    Pump();
    EXPECT_EQ(top, Entries(AFX_IDW_DOCKBAR_TOP)) << Describe(Entries(AFX_IDW_DOCKBAR_TOP));
    EXPECT_EQ(std::vector<UINT>({0}), Entries(AFX_IDW_DOCKBAR_LEFT));
    EXPECT_EQ(a, InFrame(&m_a));
    EXPECT_EQ(200, InFrame(&m_b).left - InFrame(&m_a).left);
    EXPECT_FALSE(m_b.IsWindowVisible());
    ASSERT_TRUE(m_c.IsFloating());
    CRect again;
    m_c.GetParentFrame()->GetWindowRect(&again);
    EXPECT_EQ(floating, again);
    EXPECT_TRUE(m_c.GetParentFrame()->IsWindowVisible());
    EXPECT_EQ(CSize(600, 120), m_a.m_horz);
    EXPECT_EQ(CSize(150, 400), m_a.m_vert);
    // The floating frame A had is gone; one floating frame is left, C's.
    int floatingFrames = 0;
    for (POSITION position = m_frame->m_listControlBars.GetHeadPosition(); position;)
    {
        auto* bar = static_cast<CControlBar*>(m_frame->m_listControlBars.GetNext(position));
        if (bar->IsDockBar() && bar->IsFloating())
            ++floatingFrames;
    }
    EXPECT_EQ(1, floatingFrames);
}

TEST_F(DockStates, ForeignStreamChangesNothingOfTheFrame)
{
    Arrange();
    CDockState taken;
    m_frame->GetDockState(taken);
    std::vector<BYTE> bytes = Store(taken);
    bytes[0] ^= 0xFF;
    m_frame->FloatControlBar(&m_a, CPoint(100, 100));
    const auto top = Entries(AFX_IDW_DOCKBAR_TOP);

    // As a caller restores a layout: read, and apply only what was read.
    CDockState read;
    EXPECT_EQ(CArchiveException::badSchema, LoadFailure(read, bytes));
    EXPECT_EQ(0, read.m_arrBarInfo.GetSize());
    EXPECT_EQ(top, Entries(AFX_IDW_DOCKBAR_TOP));
    EXPECT_TRUE(m_a.IsFloating());
}

TEST_F(DockStates, BarsTheFrameNoLongerHasAreLeftOut)
{
    Arrange();
    CDockState state;
    m_frame->GetDockState(state);
    for (CControlBarInfo* info : state.m_arrBarInfo)
    {
        if (info->m_nBarID == AFX_IDW_DOCKBAR_TOP)
            info->m_arrBarID = {0x7BEE, kBarA, 0, 0x7BEF, 0};
    }
    m_frame->SetDockState(state);
    // B, no longer named in the dock bar, stays docked there in a row of its own.
    EXPECT_EQ(std::vector<UINT>({0, kBarA, 0, kBarB, 0}), Entries(AFX_IDW_DOCKBAR_TOP))
        << Describe(Entries(AFX_IDW_DOCKBAR_TOP));
}
} // namespace
} // namespace fw::test

// The window layout under Wine: the file's first bytes and its objects, bars and the main
// window coming back where they were (a minimized window normal), child frames captured and
// reopened, the byte and registry variants, and files that are wrong in any way refused with
// nothing applied.
#include "framework/OXWorkspaceState.h"

#include "platform/bars/dockbar.h"
#include "platform/bars/dockstate.h"
#include "platform/bars/toolbar.h"
#include "platform/base/file.h"
#include "platform/test/mainframe.h"
#include "platform/test/pump.h"
#include "tests/framework/SizeDockFixture.h"

#include <cstdio>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

namespace
{
constexpr UINT kBarA = 0x7B61;
constexpr UINT kBarB = 0x7B62;
constexpr UINT kBarC = 0x7B63;

std::vector<BYTE> ReadFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::vector<BYTE>(std::istreambuf_iterator<char>(in), {});
}

void WriteFile(const std::string& path, const std::vector<BYTE>& bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
}

// Where a byte string starts in bytes, or npos.
size_t Find(const std::vector<BYTE>& bytes, const std::string& text)
{
    const auto found = std::search(bytes.begin(), bytes.end(), text.begin(), text.end());
    return found == bytes.end() ? std::string::npos : static_cast<size_t>(found - bytes.begin());
}

CRect NormalRect(const CWnd& wnd)
{
    WINDOWPLACEMENT placement = {};
    placement.length = sizeof placement;
    wnd.GetWindowPlacement(&placement);
    return CRect(placement.rcNormalPosition);
}

int32_t Int32At(const std::vector<BYTE>& bytes, size_t at)
{
    return static_cast<int32_t>(bytes[at] | (bytes[at + 1] << 8) | (bytes[at + 2] << 16) |
                                (static_cast<uint32_t>(bytes[at + 3]) << 24));
}
} // namespace

class WorkspaceState : public fw::test::MainFrameFixture
{
protected:
    void SetUp() override
    {
        MainFrameFixture::SetUp();
        char folder[MAX_PATH] = {};
        ::GetTempPathA(MAX_PATH, folder);
        m_path = std::string(folder) + "gravik_layout_" + std::to_string(::GetCurrentProcessId()) +
                 ".cfg";
        ::DeleteFileA(m_path.c_str());
        m_frame->EnableDocking(CBRS_ALIGN_ANY);
        for (auto* bar : {&m_a, &m_b, &m_c})
        {
            const UINT id = bar == &m_a ? kBarA : bar == &m_b ? kBarB : kBarC;
            ASSERT_TRUE(bar->CreateEx(m_frame, TBSTYLE_FLAT,
                                      WS_CHILD | WS_VISIBLE | CBRS_TOP | CBRS_SIZE_DYNAMIC,
                                      CRect(0, 0, 0, 0), id));
            const UINT buttons[] = {0x7B70, 0x7B71, 0x7B72};
            bar->SetButtons(buttons, 3);
            bar->EnableDocking(CBRS_ALIGN_ANY);
            m_frame->DockControlBar(bar);
        }
        m_frame->RecalcLayout();
        fw::test::Pump();
    }

    void TearDown() override
    {
        ::DeleteFileA(m_path.c_str());
        MainFrameFixture::TearDown();
    }

    UINT SideOf(CControlBar& bar) const
    {
        return bar.m_pDockBar ? static_cast<UINT>(bar.m_pDockBar->GetDlgCtrlID()) : 0;
    }

    std::string m_path;
    CToolBar m_a;
    CToolBar m_b;
    CToolBar m_c;
};

TEST_F(WorkspaceState, TheFileOpensWithTheMagicAndVersionAndHoldsEmptyObjects)
{
    COXWorkspaceState state;
    state.SetIncludeMainWindow(FALSE);
    state.SetIncludeBars(FALSE);
    state.SetIncludeChildFrames(FALSE);
    state.SetIncludeSplitters(FALSE);
    ASSERT_TRUE(state.StoreToFile(m_path.c_str(), FALSE, TRUE, FALSE));
    const std::vector<BYTE> bytes = ReadFile(m_path);
    const std::vector<BYTE> head = {0xDC, 0xFE, 0x34, 0x12, 0x01, 0x00, 0x00, 0x00};
    ASSERT_GT(bytes.size(), head.size());
    EXPECT_EQ(head, std::vector<BYTE>(bytes.begin(), bytes.begin() + 8));
    EXPECT_EQ(::GetSystemMetrics(SM_CXSCREEN), Int32At(bytes, 8));
    EXPECT_EQ(::GetSystemMetrics(SM_CYSCREEN), Int32At(bytes, 12));
    EXPECT_EQ(0, Int32At(bytes, 16)); // no main window
    // The dock state and the two lists are there, empty: "CObArray" once, its class reused.
    EXPECT_NE(std::string::npos, Find(bytes, "CDockState"));
    const size_t array = Find(bytes, "CObArray");
    ASSERT_NE(std::string::npos, array);
    EXPECT_EQ(std::vector<BYTE>({0x00, 0x00}),
              std::vector<BYTE>(bytes.begin() + array + 8, bytes.begin() + array + 10));
    EXPECT_EQ(std::vector<BYTE>({0x00, 0x00, 0x00, 0x00, 0x03, 0x80, 0x00, 0x00}),
              std::vector<BYTE>(bytes.end() - 8, bytes.end()));

    COXWorkspaceState loaded;
    EXPECT_TRUE(loaded.LoadFromFile(m_path.c_str(), TRUE));
    EXPECT_FALSE(loaded.GetIncludeBars());
    EXPECT_EQ(0, loaded.m_pChildFrameStates->GetSize());
    EXPECT_EQ(0, loaded.m_pSplitterStates->GetSize());
    EXPECT_EQ(1, loaded.m_nVersion);
}

TEST_F(WorkspaceState, BarsAndTheMainWindowComeBackWhereTheyWere)
{
    // A on the left, B floating, C hidden; the window at a place of its own, then minimized.
    m_frame->DockControlBar(&m_a, AFX_IDW_DOCKBAR_LEFT);
    m_frame->FloatControlBar(&m_b, CPoint(300, 320));
    m_frame->ShowControlBar(&m_c, FALSE, FALSE);
    m_frame->MoveWindow(40, 30, 700, 520);
    fw::test::Pump();
    const CRect saved = NormalRect(*m_frame);
    m_frame->ShowWindow(SW_MINIMIZE);
    fw::test::Pump();
    ASSERT_TRUE(COXWorkspaceState().StoreToFile(m_path.c_str()));

    // Everything elsewhere.
    m_frame->ShowWindow(SW_RESTORE);
    m_frame->MoveWindow(0, 0, 600, 400);
    m_frame->DockControlBar(&m_a, AFX_IDW_DOCKBAR_BOTTOM);
    m_frame->DockControlBar(&m_b, AFX_IDW_DOCKBAR_TOP);
    m_frame->ShowControlBar(&m_c, TRUE, FALSE);
    fw::test::Pump();

    ASSERT_TRUE(COXWorkspaceState().LoadFromFile(m_path.c_str(), TRUE));
    fw::test::Pump();
    EXPECT_FALSE(m_frame->IsIconic());
    EXPECT_EQ(saved, NormalRect(*m_frame));
    EXPECT_EQ(static_cast<UINT>(AFX_IDW_DOCKBAR_LEFT), SideOf(m_a));
    EXPECT_TRUE(m_b.IsFloating());
    EXPECT_FALSE(m_c.IsWindowVisible());
    EXPECT_TRUE(m_a.IsWindowVisible());
    // The flat style went through applying unharmed.
    EXPECT_TRUE(m_a.GetStyle() & TBSTYLE_FLAT);
}

// A main-window rectangle that is empty, inverted or on no screen leaves the window where the
// program put it; the rest of the layout still comes back.
TEST_F(WorkspaceState, AnUnusableMainWindowRectangleKeepsTheDefaultPlacement)
{
    m_frame->DockControlBar(&m_a, AFX_IDW_DOCKBAR_LEFT);
    m_frame->MoveWindow(41, 31, 700, 520);
    fw::test::Pump();
    const CRect saved = NormalRect(*m_frame);
    ASSERT_TRUE(COXWorkspaceState().StoreToFile(m_path.c_str()));
    const std::vector<BYTE> good = ReadFile(m_path);
    size_t at = std::string::npos;
    for (size_t i = 0; i + 16 <= good.size() && at == std::string::npos; ++i)
    {
        if (Int32At(good, i) == saved.left && Int32At(good, i + 4) == saved.top &&
            Int32At(good, i + 8) == saved.right && Int32At(good, i + 12) == saved.bottom)
            at = i;
    }
    ASSERT_NE(std::string::npos, at);

    struct RectCase
    {
        const char* name;
        int32_t left, top, right, bottom;
    };
    const RectCase cases[] = {
        {"empty", 100, 100, 100, 100},
        {"inverted", 700, 500, 100, 80},
        {"off every screen", 30000, 30000, 30700, 30500},
        {"far to the left", -9000, 10, -8300, 530},
    };
    for (const RectCase& c : cases)
    {
        SCOPED_TRACE(c.name);
        std::vector<BYTE> bytes = good;
        const int32_t values[] = {c.left, c.top, c.right, c.bottom};
        for (int k = 0; k < 4; ++k)
        {
            for (int b = 0; b < 4; ++b)
                bytes[at + 4 * k + b] =
                    static_cast<BYTE>(static_cast<uint32_t>(values[k]) >> (8 * b));
        }
        WriteFile(m_path, bytes);
        m_frame->MoveWindow(10, 12, 600, 400);
        m_frame->DockControlBar(&m_a, AFX_IDW_DOCKBAR_BOTTOM);
        fw::test::Pump();
        const CRect before = NormalRect(*m_frame);
        ASSERT_TRUE(COXWorkspaceState().LoadFromFile(m_path.c_str(), TRUE));
        fw::test::Pump();
        EXPECT_EQ(before, NormalRect(*m_frame));
        EXPECT_TRUE(m_frame->IsWindowVisible());
        EXPECT_EQ(static_cast<UINT>(AFX_IDW_DOCKBAR_LEFT), SideOf(m_a));
    }
}

TEST_F(WorkspaceState, WrongOrDamagedFilesAreRefusedWithNothingApplied)
{
    COXWorkspaceState withSplitter;
    auto* splitter = new COXSplitterColRowState;
    splitter->m_nIdealSize = 120;
    withSplitter.m_pSplitterStates->Add(splitter);
    withSplitter.SetIncludeChildFrames(FALSE);
    ASSERT_TRUE(withSplitter.StoreToFile(m_path.c_str(), FALSE, FALSE, FALSE));
    const std::vector<BYTE> good = ReadFile(m_path);
    {
        COXWorkspaceState reread;
        ASSERT_TRUE(reread.LoadFromFile(m_path.c_str(), FALSE));
        ASSERT_EQ(1, reread.m_pSplitterStates->GetSize());
        EXPECT_EQ(
            120,
            static_cast<COXSplitterColRowState*>(reread.m_pSplitterStates->GetAt(0))->m_nIdealSize);
    }

    std::vector<BYTE> wrongMagic = good;
    wrongMagic[0] = 0xDD;
    std::vector<BYTE> version2 = good;
    version2[4] = 0x02;
    // The splitter's class is stored with schema 1; 2 is a newer one.
    std::vector<BYTE> schema2 = good;
    const size_t name = Find(good, "COXSplitterColRowState");
    ASSERT_NE(std::string::npos, name);
    ASSERT_EQ(0x01, schema2[name - 4]);
    schema2[name - 4] = 0x02;
    // Without splitters the file ends with the splitter flag and the second list (the class
    // of lists again, no elements); here that list is the child-frame list once more, a
    // back-reference to object 4 that would be owned twice.
    COXWorkspaceState plain;
    plain.SetIncludeChildFrames(FALSE);
    CByteArray plainBytes;
    ASSERT_TRUE(plain.SaveToBytes(plainBytes));
    std::vector<BYTE> shared(plainBytes.GetData(), plainBytes.GetData() + plainBytes.GetSize());
    ASSERT_EQ(std::vector<BYTE>({0x03, 0x80, 0x00, 0x00}),
              std::vector<BYTE>(shared.end() - 4, shared.end()));
    shared.resize(shared.size() - 4);
    shared.push_back(0x04);
    shared.push_back(0x00);
    const std::vector<std::vector<BYTE>> files = {
        wrongMagic,
        version2,
        schema2,
        shared,
        std::vector<BYTE>(good.begin(), good.begin() + good.size() / 2),
        std::vector<BYTE>(good.begin(), good.end() - 1),
        {},
    };
    const CRect before = NormalRect(*m_frame);
    for (size_t i = 0; i < files.size(); ++i)
    {
        SCOPED_TRACE(i);
        WriteFile(m_path, files[i]);
        COXWorkspaceState state;
        EXPECT_FALSE(state.LoadFromFile(m_path.c_str(), TRUE));
        EXPECT_EQ(0, state.m_pSplitterStates->GetSize());
    }
    ::DeleteFileA(m_path.c_str());
    EXPECT_FALSE(COXWorkspaceState().LoadFromFile(m_path.c_str(), TRUE));
    EXPECT_EQ(before, NormalRect(*m_frame));
}

TEST_F(WorkspaceState, ChildFramesAreCapturedTopmostFirstAndReopened)
{
    COXWorkspaceState empty;
    ASSERT_TRUE(empty.CaptureState());
    EXPECT_EQ(0, empty.m_pChildFrameStates->GetSize());

    CDocument* document = OpenDocument();
    ASSERT_NE(nullptr, document);
    document->SetPathName("C:\\models\\wing.fwt", FALSE);
    COXWorkspaceState state;
    ASSERT_TRUE(state.CaptureState());
    ASSERT_EQ(1, state.m_pChildFrameStates->GetSize());
    auto* child = static_cast<COXChildFrameState*>(state.m_pChildFrameStates->GetAt(0));
    EXPECT_STREQ("C:\\models\\wing.fwt", child->m_sDocPath);
    EXPECT_STREQ("CTestDocument", child->m_sDocClass);
    EXPECT_STREQ("CTestChildFrame", child->m_sFrameClass);
    EXPECT_STREQ("CTestView", child->m_sViewClass);

    // Two records of the open document give two more frames of that one document.
    CByteArray bytes;
    ASSERT_TRUE(state.SaveToBytes(bytes));
    COXWorkspaceState twice;
    ASSERT_TRUE(twice.LoadFromBytes(bytes));
    ASSERT_TRUE(twice.LoadFromBytes(bytes));
    auto* copy = new COXChildFrameState;
    copy->m_sDocPath = child->m_sDocPath;
    copy->m_sDocClass = child->m_sDocClass;
    copy->m_sFrameClass = child->m_sFrameClass;
    copy->m_sViewClass = child->m_sViewClass;
    copy->m_placement = child->m_placement;
    twice.m_pChildFrameStates->Add(copy);
    EXPECT_TRUE(twice.ApplyChildFrames());
    fw::test::Pump();
    int views = 0;
    for (POSITION position = document->GetFirstViewPosition(); position;)
    {
        document->GetNextView(position);
        ++views;
    }
    EXPECT_EQ(3, views);

    // Left out by the caller, the file's child frames stay closed though it holds them.
    COXWorkspaceState without;
    without.SetIncludeChildFrames(FALSE);
    ASSERT_TRUE(without.LoadFromBytes(bytes));
    EXPECT_FALSE(without.GetIncludeChildFrames());
    EXPECT_EQ(1, without.m_pChildFrameStates->GetSize());
    EXPECT_TRUE(without.ApplyState());
    fw::test::Pump();
    int after = 0;
    for (POSITION position = document->GetFirstViewPosition(); position;)
    {
        document->GetNextView(position);
        ++after;
    }
    EXPECT_EQ(3, after);

    // A record whose template is gone fails; the rest still opens.
    auto* foreign = new COXChildFrameState;
    foreign->m_sDocClass = "CNoSuchDocument";
    twice.m_pChildFrameStates->InsertAt(0, foreign);
    EXPECT_FALSE(twice.ApplyChildFrames());
}

TEST_F(WorkspaceState, TheRegistryValueHoldsTheSameState)
{
    m_frame->DockControlBar(&m_a, AFX_IDW_DOCKBAR_RIGHT);
    fw::test::Pump();
    COXWorkspaceState state;
    state.SetIncludeChildFrames(FALSE);
    ASSERT_TRUE(state.SaveToRegistry());
    m_frame->DockControlBar(&m_a, AFX_IDW_DOCKBAR_TOP);
    fw::test::Pump();
    COXWorkspaceState loaded;
    ASSERT_TRUE(loaded.LoadFromRegistry());
    fw::test::Pump();
    EXPECT_EQ(static_cast<UINT>(AFX_IDW_DOCKBAR_RIGHT), SideOf(m_a));

    EXPECT_FALSE(COXWorkspaceState().LoadFromRegistry("Other"));
    const char* key = AfxGetApp()->m_pszRegistryKey;
    AfxGetApp()->m_pszRegistryKey = nullptr;
    EXPECT_FALSE(COXWorkspaceState().SaveToRegistry("", "", "", HKEY_CURRENT_USER, FALSE));
    AfxGetApp()->m_pszRegistryKey = key;
}

// The sizes of the sizeable bars travel with the dock state.
class WorkspaceStateSizeableBars : public sizedock::SizeDockFixture
{
};

TEST_F(WorkspaceStateSizeableBars, ASizeableBarComesBackWithItsWidth)
{
    char folder[MAX_PATH] = {};
    ::GetTempPathA(MAX_PATH, folder);
    const std::string path =
        std::string(folder) + "gravik_sizebars_" + std::to_string(::GetCurrentProcessId()) + ".cfg";
    sizedock::CRecordingBar bar;
    CreateBar(bar, sizedock::kBarA, "Tree", CSize(180, 300));
    DockRow(AFX_IDW_DOCKBAR_LEFT, {&bar});
    const int width = InFrame(&bar).Width();
    ASSERT_TRUE(COXWorkspaceState().StoreToFile(path.c_str(), FALSE, TRUE, FALSE));

    bar.m_sizeVertDock.cx = width + 90;
    m_frame->DockControlBar(&bar, AFX_IDW_DOCKBAR_RIGHT);
    m_frame->RecalcLayout();
    fw::test::Pump();
    ASSERT_NE(width, InFrame(&bar).Width());

    ASSERT_TRUE(COXWorkspaceState().LoadFromFile(path.c_str(), TRUE));
    fw::test::Pump();
    EXPECT_EQ(static_cast<UINT>(AFX_IDW_DOCKBAR_LEFT),
              static_cast<UINT>(bar.m_pDockBar->GetDlgCtrlID()));
    EXPECT_EQ(width, InFrame(&bar).Width());
    ::DeleteFileA(path.c_str());
}

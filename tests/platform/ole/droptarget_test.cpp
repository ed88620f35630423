// Drop targets under Wine: OLE's IDropTarget calls, made directly, reach the callbacks with
// client points and the dragged files; a target that goes first leaves a harmless interface.
#include "platform/ole/droptarget.h"

#include "platform/ole/dataobject.h"
#include "platform/ole/oleinit.h"
#include "platform/win/wnd.h"

#include <windows.h>

#include <cstring>
#include <gtest/gtest.h>
#include <shlobj.h>
#include <string>
#include <vector>

namespace
{
// A CF_HDROP block naming the files, as the shell builds it.
HGLOBAL MakeFileDrop(const std::vector<std::string>& files)
{
    std::string names;
    for (const std::string& file : files)
        names += file + '\0';
    names += '\0';
    HGLOBAL block = ::GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, sizeof(DROPFILES) + names.size());
    auto* drop = static_cast<DROPFILES*>(::GlobalLock(block));
    drop->pFiles = sizeof(DROPFILES);
    std::memcpy(reinterpret_cast<char*>(drop) + sizeof(DROPFILES), names.data(), names.size());
    ::GlobalUnlock(block);
    return block;
}

class CRecordingTarget : public COleDropTarget
{
public:
    std::vector<std::string> calls;
    CStringArray droppedFiles;
    CPoint lastPoint;
    DROPEFFECT answer = DROPEFFECT_COPY;
    DROPEFFECT scrollAnswer = DROPEFFECT_NONE;
    DROPEFFECT dropExAnswer = static_cast<DROPEFFECT>(-1);
    bool sawDataDuringDrag = false;

    DROPEFFECT OnDragEnter(CWnd*, COleDataObject* data, DWORD, CPoint point) override
    {
        calls.push_back("enter");
        lastPoint = point;
        sawDataDuringDrag = data->IsDataAvailable(CF_HDROP) && m_lpDataObject != nullptr;
        return answer;
    }
    DROPEFFECT OnDragOver(CWnd*, COleDataObject*, DWORD, CPoint point) override
    {
        calls.push_back("over");
        lastPoint = point;
        return answer;
    }
    DROPEFFECT OnDragScroll(CWnd*, DWORD, CPoint) override
    {
        calls.push_back("scroll");
        return scrollAnswer;
    }
    void OnDragLeave(CWnd*) override { calls.push_back("leave"); }
    DROPEFFECT OnDropEx(CWnd*, COleDataObject*, DROPEFFECT, DROPEFFECT, CPoint) override
    {
        calls.push_back("dropex");
        return dropExAnswer;
    }
    BOOL OnDrop(CWnd*, COleDataObject* data, DROPEFFECT effect, CPoint point) override
    {
        calls.push_back("drop");
        lastPoint = point;
        data->GetFileNames(&droppedFiles);
        return effect == DROPEFFECT_COPY;
    }
};

class DropTarget : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(fw::OleInit());
        ASSERT_TRUE(m_wnd.CreateEx(0, fw::RegisterWndClass(0), "drop", WS_POPUP, 100, 120, 300, 200,
                                   nullptr, nullptr));
        m_source.CacheGlobalData(CF_HDROP, MakeFileDrop({"C:\\models\\a.dat", "C:\\b.op2"}));
    }
    void TearDown() override { m_wnd.DestroyWindow(); }

    // The client point (30, 40) of the window, in screen coordinates as OLE passes it.
    POINTL ScreenPoint() const
    {
        POINT p = {30, 40};
        ::ClientToScreen(m_wnd.GetSafeHwnd(), &p);
        return {p.x, p.y};
    }

    CWnd m_wnd;
    COleDataSource m_source;
};
} // namespace

TEST_F(DropTarget, DirectCallsReachOnDropWithTheFileNames)
{
    CRecordingTarget target;
    ASSERT_TRUE(target.Register(&m_wnd));
    IDropTarget* ole = target.GetInterface();
    DWORD effect = DROPEFFECT_COPY | DROPEFFECT_MOVE;
    ASSERT_EQ(S_OK, ole->DragEnter(m_source.GetInterface(), MK_LBUTTON, ScreenPoint(), &effect));
    EXPECT_EQ(DROPEFFECT_COPY, effect);
    EXPECT_TRUE(target.sawDataDuringDrag);
    effect = DROPEFFECT_COPY | DROPEFFECT_MOVE;
    ASSERT_EQ(S_OK, ole->DragOver(MK_LBUTTON, ScreenPoint(), &effect));
    effect = DROPEFFECT_COPY | DROPEFFECT_MOVE;
    ASSERT_EQ(S_OK, ole->Drop(m_source.GetInterface(), 0, ScreenPoint(), &effect));

    EXPECT_EQ(DROPEFFECT_COPY, effect);
    const std::vector<std::string> expected = {"enter", "scroll", "over", "over", "dropex", "drop"};
    EXPECT_EQ(expected, target.calls);
    EXPECT_EQ(CPoint(30, 40), target.lastPoint);
    ASSERT_EQ(2, target.droppedFiles.GetSize());
    EXPECT_STREQ("C:\\models\\a.dat", target.droppedFiles[0]);
    EXPECT_STREQ("C:\\b.op2", target.droppedFiles[1]);
}

TEST_F(DropTarget, EffectsFollowTheHandlersAndWhatTheSourceAllows)
{
    struct Case
    {
        const char* name;
        DROPEFFECT answer;
        DROPEFFECT scrollAnswer;
        DROPEFFECT dropExAnswer;
        DWORD allowed;
        DWORD expectedOver;
        DWORD expectedDrop;
        std::vector<std::string> calls;
    };
    const DROPEFFECT none = DROPEFFECT_NONE;
    const DROPEFFECT notHandled = static_cast<DROPEFFECT>(-1);
    const DROPEFFECT scroll = DROPEFFECT_SCROLL | DROPEFFECT_COPY;
    const Case cases[] = {
        {"move not allowed",
         DROPEFFECT_MOVE,
         none,
         notHandled,
         DROPEFFECT_COPY,
         none,
         none,
         {"scroll", "over", "over", "dropex"}},
        {"scrolling skips over",
         DROPEFFECT_COPY,
         scroll,
         notHandled,
         DROPEFFECT_COPY,
         scroll,
         DROPEFFECT_COPY,
         {"scroll", "over", "dropex", "drop"}},
        {"drop handled by OnDropEx",
         DROPEFFECT_COPY,
         none,
         DROPEFFECT_LINK,
         DROPEFFECT_COPY,
         DROPEFFECT_COPY,
         DROPEFFECT_LINK,
         {"scroll", "over", "over", "dropex"}},
        {"refused drop",
         DROPEFFECT_MOVE,
         none,
         notHandled,
         DROPEFFECT_MOVE,
         DROPEFFECT_MOVE,
         none,
         {"scroll", "over", "over", "dropex", "drop"}},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.name);
        CRecordingTarget target;
        target.answer = c.answer;
        target.scrollAnswer = c.scrollAnswer;
        target.dropExAnswer = c.dropExAnswer;
        IDropTarget* ole = target.GetInterface();
        DWORD effect = c.allowed;
        ole->DragEnter(m_source.GetInterface(), 0, ScreenPoint(), &effect);
        target.calls.clear();
        effect = c.allowed;
        ole->DragOver(0, ScreenPoint(), &effect);
        EXPECT_EQ(c.expectedOver, effect);
        effect = c.allowed;
        ole->Drop(m_source.GetInterface(), 0, ScreenPoint(), &effect);
        EXPECT_EQ(c.expectedDrop, effect);
        EXPECT_EQ(c.calls, target.calls);
    }
}

TEST_F(DropTarget, RegistersOncePerWindowAndAgainAfterRevoking)
{
    CRecordingTarget first;
    CRecordingTarget second;
    EXPECT_TRUE(first.Register(&m_wnd));
    EXPECT_FALSE(first.Register(&m_wnd));
    EXPECT_FALSE(second.Register(&m_wnd)); // OLE holds one target per window
    first.Revoke();
    EXPECT_TRUE(second.Register(&m_wnd));
    EXPECT_EQ(m_wnd.GetSafeHwnd(), second.GetWindowHandle());
}

TEST_F(DropTarget, AnInterfaceThatOutlivesItsTargetAcceptsNothing)
{
    auto* target = new CRecordingTarget;
    ASSERT_TRUE(target->Register(&m_wnd));
    IDropTarget* ole = target->GetInterface();
    ole->AddRef();
    DWORD effect = DROPEFFECT_COPY;
    ole->DragEnter(m_source.GetInterface(), 0, ScreenPoint(), &effect);
    delete target; // mid-drag, as when the window goes with its target

    effect = DROPEFFECT_COPY;
    EXPECT_EQ(S_OK, ole->DragOver(0, ScreenPoint(), &effect));
    EXPECT_EQ(DROPEFFECT_NONE, effect);
    effect = DROPEFFECT_COPY;
    EXPECT_EQ(S_OK, ole->Drop(m_source.GetInterface(), 0, ScreenPoint(), &effect));
    EXPECT_EQ(DROPEFFECT_NONE, effect);
    ole->Release();
}

TEST_F(DropTarget, DataSourceHandsOutCopiesOfItsBlocks)
{
    COleDataObject data;
    data.Attach(m_source.GetInterface(), FALSE);
    EXPECT_TRUE(data.IsDataAvailable(CF_HDROP));
    EXPECT_FALSE(data.IsDataAvailable(CF_TEXT));
    EXPECT_EQ(nullptr, data.GetGlobalData(CF_TEXT));

    HGLOBAL first = data.GetGlobalData(CF_HDROP);
    HGLOBAL second = data.GetGlobalData(CF_HDROP);
    ASSERT_NE(nullptr, first);
    EXPECT_NE(first, second);
    ::GlobalFree(first);
    ::GlobalFree(second);

    IEnumFORMATETC* formats = nullptr;
    ASSERT_EQ(S_OK, m_source.GetInterface()->EnumFormatEtc(DATADIR_GET, &formats));
    FORMATETC format = {};
    ULONG fetched = 0;
    EXPECT_EQ(S_OK, formats->Next(1, &format, &fetched));
    EXPECT_EQ(CF_HDROP, format.cfFormat);
    EXPECT_EQ(S_FALSE, formats->Next(1, &format, &fetched));
    formats->Release();

    // A second block under the same format replaces the first.
    m_source.CacheGlobalData(CF_HDROP, MakeFileDrop({"C:\\c.unv"}));
    CStringArray names;
    ASSERT_TRUE(data.GetFileNames(&names));
    ASSERT_EQ(1, names.GetSize());
    EXPECT_STREQ("C:\\c.unv", names[0]);
    m_source.Empty();
    EXPECT_FALSE(data.GetFileNames(&names));
}

// The test main frame, its document classes and the fixture.
#include "platform/test/mainframe.h"

#include "platform/test/pump.h"
#include "platform/win/crackers.h"
#include "platform/win/thread_state.h"

#include <algorithm>
#include <cstdio>

namespace fw::test
{
std::vector<std::string>& Events()
{
    static std::vector<std::string> events;
    return events;
}

TestApp::TestApp(const char* name)
{
    char unique[96];
    std::snprintf(unique, sizeof unique, "%s%lu", name, ::GetCurrentProcessId());
    SetAppName(unique);
    SetRegistryKey("GravikFwTest");
}

TestApp::~TestApp()
{
    HKEY company = nullptr;
    if (::RegOpenKeyExA(HKEY_CURRENT_USER, "Software\\GravikFwTest", 0, KEY_ALL_ACCESS, &company) ==
        ERROR_SUCCESS)
    {
        ::RegDeleteTreeA(company, m_pszProfileName);
        ::RegCloseKey(company);
    }
    ::RegDeleteKeyA(HKEY_CURRENT_USER, "Software\\GravikFwTest");
}

FW_TABLE(CTestView, CView, fw::on<WM_CREATE, &CTestView::OnCreate>(),
         fw::on<WM_SIZE, &CTestView::OnSize>())

BOOL CTestView::PreCreateWindow(CREATESTRUCTA& cs)
{
    Events().push_back("view precreate");
    return CView::PreCreateWindow(cs);
}

int CTestView::OnCreate(LPCREATESTRUCTA cs)
{
    Events().push_back("view create");
    return CView::OnCreate(cs);
}

void CTestView::OnSize(UINT type, int cx, int cy)
{
    char text[64];
    std::snprintf(text, sizeof text, "view size %dx%d", cx, cy);
    Events().push_back(text);
    CView::OnSize(type, cx, cy);
}

void CTestView::OnInitialUpdate()
{
    Events().push_back("view initial update");
    CView::OnInitialUpdate();
}

void CTestView::OnDraw(CDC* dc)
{
    Events().push_back("view draw");
    ++m_draws;
    CRect client;
    GetClientRect(&client);
    dc->FillSolidRect(client.left, client.top, client.Width(), client.Height(), m_colour);
}

FW_TABLE(CTestStatusPane, CWnd, fw::raw<WM_SIZEPARENT, &CTestStatusPane::OnSizeParent>())

BOOL CTestStatusPane::Create(CWnd* parent)
{
    return CWnd::Create(nullptr, "", WS_CHILD | WS_VISIBLE, CRect(0, 0, 0, 0), parent,
                        AFX_IDW_STATUS_BAR);
}

CString CTestStatusPane::Text() const
{
    CString text;
    GetWindowText(text);
    return text;
}

LRESULT CTestStatusPane::OnSizeParent(WPARAM, LPARAM lParam)
{
    auto* layout = reinterpret_cast<fw::SizeParentParams*>(lParam);
    const RECT rect = {layout->rect.left, layout->rect.bottom - kStatusPaneHeight,
                       layout->rect.right, layout->rect.bottom};
    layout->rect.bottom -= kStatusPaneHeight;
    layout->sizeTotal.cy += kStatusPaneHeight;
    layout->sizeTotal.cx = std::max(layout->sizeTotal.cx, rect.right - rect.left);
    if (layout->hDWP)
        fw::RepositionWindow(layout, m_hWnd, &rect);
    return 0;
}

FW_TABLE(CTestMainFrame, CMDIFrameWnd, fw::on<WM_CREATE, &CTestMainFrame::OnCreate>())

int CTestMainFrame::OnCreate(LPCREATESTRUCTA cs)
{
    if (CMDIFrameWnd::OnCreate(cs) == -1)
        return -1;
    return m_statusPane.Create(this) ? 0 : -1;
}

namespace
{
HMENU WindowPopup()
{
    const HMENU popup = ::CreatePopupMenu();
    ::AppendMenuA(popup, MF_STRING, ID_WINDOW_NEW, "&New Window");
    ::AppendMenuA(popup, MF_STRING, ID_WINDOW_CASCADE, "&Cascade");
    return popup;
}
} // namespace

HMENU CreateMainMenu()
{
    const HMENU file = ::CreatePopupMenu();
    ::AppendMenuA(file, MF_STRING, ID_FILE_NEW, "&New");
    ::AppendMenuA(file, MF_STRING, kCmdMainMenuOnly, "&Main");
    ::AppendMenuA(file, MF_STRING, kCmdTest, "&Test");
    ::AppendMenuA(file, MF_SEPARATOR, 0, nullptr);
    ::AppendMenuA(file, MF_STRING, ID_APP_EXIT, "E&xit");
    const HMENU menu = ::CreateMenu();
    ::AppendMenuA(menu, MF_POPUP, reinterpret_cast<UINT_PTR>(file), "&File");
    ::AppendMenuA(menu, MF_POPUP, reinterpret_cast<UINT_PTR>(WindowPopup()), "&Window");
    return menu;
}

HMENU CreateChildMenu()
{
    const HMENU file = ::CreatePopupMenu();
    ::AppendMenuA(file, MF_STRING, ID_FILE_NEW, "&New");
    ::AppendMenuA(file, MF_STRING, ID_FILE_CLOSE, "&Close");
    ::AppendMenuA(file, MF_STRING, kCmdTest, "&Test");
    ::AppendMenuA(file, MF_STRING, kCmdChildMenuOnly, "C&hild");
    const HMENU menu = ::CreateMenu();
    ::AppendMenuA(menu, MF_POPUP, reinterpret_cast<UINT_PTR>(file), "&File");
    ::AppendMenuA(menu, MF_POPUP, reinterpret_cast<UINT_PTR>(WindowPopup()), "&Window");
    return menu;
}

HACCEL CreateTestAccelerators()
{
    ACCEL keys[] = {{FVIRTKEY | FCONTROL, 'T', static_cast<WORD>(kCmdTest)}};
    return ::CreateAcceleratorTableA(keys, 1);
}

void MainFrameFixture::SetUp()
{
    Events().clear();
    m_services = std::make_unique<ScopedServices>();
    m_app = CreateApp();
    m_template = CreateTemplate();
    m_template->m_strDocStrings = "\nTestDoc\nTestDoc\nTest Files (*.fwt)\n.fwt\nFw.Test\nTest";
    m_template->m_hMenuShared = CreateChildMenu();
    m_template->m_hAccelTable = CreateTestAccelerators();
    m_app->AddDocTemplate(m_template);

    CObject* object = m_frameClass->CreateObject();
    m_frame = dynamic_cast<CMDIFrameWnd*>(object);
    ASSERT_NE(nullptr, m_frame) << "the frame class must be a CMDIFrameWnd";
    m_frame->m_strTitle = "Framework Test";
    ASSERT_TRUE(m_frame->CreateEx(0, nullptr, "Framework Test",
                                  WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE, 0, 0, 800, 600, nullptr,
                                  CreateMainMenu()));
    m_frame->m_hMenuDefault = ::GetMenu(m_frame->m_hWnd);
    m_frame->m_hAccelTable = CreateTestAccelerators();
    m_app->m_pMainWnd = m_frame;
    m_frame->ShowWindow(SW_SHOWNORMAL);
    m_frame->UpdateWindow();
    Pump();
}

std::unique_ptr<TestApp> MainFrameFixture::CreateApp()
{
    return std::make_unique<TestApp>();
}

CMultiDocTemplate* MainFrameFixture::CreateTemplate()
{
    return new CMultiDocTemplate(0, m_docClass, m_childClass, m_viewClass);
}

void MainFrameFixture::TearDown()
{
    if (m_app)
        m_app->CloseAllDocuments(TRUE);
    if (m_app && m_app->m_pMainWnd)
    {
        const HACCEL accelerators = m_frame->m_hAccelTable;
        m_app->m_pMainWnd->DestroyWindow();
        if (accelerators)
            ::DestroyAcceleratorTable(accelerators);
    }
    if (m_template && m_template->m_hAccelTable)
    {
        ::DestroyAcceleratorTable(m_template->m_hAccelTable);
        m_template->m_hAccelTable = nullptr;
    }
    DrainQuit();
    m_app.reset();
    fw::FreeTemporaries();
    m_services.reset();
    m_frame = nullptr;
    m_template = nullptr;
}

CDocument* MainFrameFixture::OpenDocument()
{
    CDocument* document = m_template->OpenDocumentFile(nullptr);
    Pump();
    return document;
}

CMDIChildWnd* MainFrameFixture::ActiveChild() const
{
    return m_frame ? m_frame->MDIGetActive() : nullptr;
}

CView* MainFrameFixture::ActiveView() const
{
    CMDIChildWnd* child = ActiveChild();
    return child ? child->GetActiveView() : nullptr;
}

CString MainFrameFixture::StatusText() const
{
    auto* frame = dynamic_cast<CTestMainFrame*>(m_frame);
    return frame ? frame->m_statusPane.Text() : CString();
}
} // namespace fw::test

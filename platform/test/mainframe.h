// A main frame with MDI children, documents and views for window tests, and the test fixture
// that sets it up: an application with a registry key of its own, scripted services, one
// document template, and a shown 800 x 600 main frame with a stand-in status bar. Later tests
// derive their own classes and choose them for the template before SetUp.
#pragma once

#include "platform/docview/doc.h"
#include "platform/docview/doctempl.h"
#include "platform/docview/mdi.h"
#include "platform/docview/view.h"
#include "platform/test/scripted_services.h"
#include "platform/win/app.h"

#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <vector>

namespace fw::test
{
// Commands of the test menus (outside the program's ranges).
constexpr UINT kCmdMainMenuOnly = 0x7E01;  // in the main frame's own menu
constexpr UINT kCmdChildMenuOnly = 0x7E02; // in the documents' shared menu
constexpr UINT kCmdTest = 0x7E03;          // in both
constexpr int kStatusPaneHeight = 20;

// What the test classes saw, in order ("view create", "view size 0x0"...).
std::vector<std::string>& Events();

// A plain application: profile under HKCU\Software\GravikFwTest\<name>, removed when it goes.
class TestApp : public CWinApp
{
public:
    explicit TestApp(const char* name = "FrameworkTest");
    ~TestApp() override;
};

class CTestDocument : public CDocument
{
    FW_CREATABLE(CTestDocument, CDocument)
};

// Fills its client area with m_colour and records its creation steps.
class CTestView : public CView
{
    FW_CREATABLE(CTestView, CView)

public:
    void OnDraw(CDC* dc) override;
    void OnInitialUpdate() override;

    COLORREF m_colour = RGB(0, 128, 255);
    int m_draws = 0;

    FW_MESSAGE_TABLE()

protected:
    BOOL PreCreateWindow(CREATESTRUCTA& cs) override;
    int OnCreate(LPCREATESTRUCTA cs);
    void OnSize(UINT type, int cx, int cy);
};

class CTestChildFrame : public CMDIChildWnd
{
    FW_CREATABLE(CTestChildFrame, CMDIChildWnd)
};

// The stand-in status bar: id AFX_IDW_STATUS_BAR, kStatusPaneHeight pixels at the bottom
// (the bar side of the layout protocol), its text the message pane.
class CTestStatusPane : public CWnd
{
public:
    BOOL Create(CWnd* parent);
    CString Text() const;

    FW_MESSAGE_TABLE()

protected:
    LRESULT OnSizeParent(WPARAM wParam, LPARAM lParam);
};

class CTestMainFrame : public CMDIFrameWnd
{
    FW_CREATABLE(CTestMainFrame, CMDIFrameWnd)

public:
    CTestStatusPane m_statusPane;

    FW_MESSAGE_TABLE()

protected:
    int OnCreate(LPCREATESTRUCTA cs);
};

// Menus built in code: the main frame's and the documents' shared one (both with a Window
// popup), and an accelerator table with Ctrl+T for kCmdTest.
HMENU CreateMainMenu();
HMENU CreateChildMenu();
HACCEL CreateTestAccelerators();

class MainFrameFixture : public ::testing::Test
{
protected:
    void SetUp() override;
    void TearDown() override;

    // The application and template the fixture sets up; derived fixtures may return their
    // own subclasses.
    virtual std::unique_ptr<TestApp> CreateApp();
    virtual CMultiDocTemplate* CreateTemplate();

    // A new document of the template with its child frame and view, shown and active.
    CDocument* OpenDocument();
    CMDIChildWnd* ActiveChild() const;
    CView* ActiveView() const;
    CString StatusText() const;

    // Classes of the template; a derived fixture may change them before SetUp.
    const CRuntimeClass* m_docClass = RUNTIME_CLASS(CTestDocument);
    const CRuntimeClass* m_childClass = RUNTIME_CLASS(CTestChildFrame);
    const CRuntimeClass* m_viewClass = RUNTIME_CLASS(CTestView);
    const CRuntimeClass* m_frameClass = RUNTIME_CLASS(CTestMainFrame);

    std::unique_ptr<ScopedServices> m_services;
    std::unique_ptr<TestApp> m_app;
    CMultiDocTemplate* m_template = nullptr; // owned by the application
    CMDIFrameWnd* m_frame = nullptr;         // deletes itself
};
} // namespace fw::test

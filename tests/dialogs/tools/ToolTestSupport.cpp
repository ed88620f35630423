// Tool test support.
#include "tests/dialogs/tools/ToolTestSupport.h"

#include "core/services/AppEnvironment.h"
#include "platform/base/os.h"
#include "platform/test/pump.h"
#include "platform/test/scripted_services.h"
#include "platform/win/texts.h"
#include "resources/resource.h"
#include "tests/core/model/ModelFixtures.h"
#include "tests/support/TestPaths.h"

#include <filesystem>
#include <fstream>

namespace fs = std::filesystem;

namespace tools_test
{
namespace
{
BOOL CALLBACK CollectDialog(HWND window, LPARAM param)
{
    char name[16] = {};
    ::GetClassNameA(window, name, sizeof(name));
    if (::IsWindowVisible(window) && std::string(name) == "#32770")
        reinterpret_cast<std::vector<HWND>*>(param)->push_back(window);
    return TRUE;
}
} // namespace

void ToolFixture::SetUp()
{
    ViewFixture::SetUp();
    m_root = testing_support::MakeTempDir("tools");
    for (const char* folder : {"bin", "string", "ini"})
        fs::create_directories(fs::path(m_root) / folder);
    for (const auto& entry : fs::directory_iterator(fs::path("resources") / "string"))
        fs::copy_file(entry.path(), fs::path(m_root) / "string" / entry.path().filename());
    std::ofstream(fs::path(m_root) / "ini" / "Gravik.ini", std::ios::binary) << "";
    m_savedFolder = GetExecutableFolder();
    m_savedSuffix = GetLanguageSuffix();
    SetExecutableFolder((fs::path(m_root) / "bin").string());
    SetLanguageSuffix("_ENG");
    // The data exchange's messages, which the program reads beside its own folder.
    fw::SetTextSource("resources\\string", "_ENG");
    m_previousTools = InstallQueryTools(&m_tools);
}

void ToolFixture::TearDown()
{
    // The running command and its dialog go before the tools and the strings.
    CCmdRecord end;
    end.nCode = CCmdRecord::kEndCommand;
    end.bKeepRunning = 0;
    Frame().m_manager.ExecuteCommand(&end);
    fw::test::Pump();
    InstallQueryTools(m_previousTools);
    SetExecutableFolder(m_savedFolder);
    SetLanguageSuffix(m_savedSuffix);
    fw::SetTextSource((fw::os::ExecutableFolder() + "\\..\\string").c_str(), "_ENG");
    ViewFixture::TearDown();
}

void ToolFixture::BuildInfoModel()
{
    CModelSet& model = Model();
    const double points[8][3] = {{0, 0, 0}, {3, 0, 0}, {0, 1, 0}, {3, 1, 0},
                                 {0, 0, 2}, {3, 0, 2}, {2, 0, 2}, {3, 1, 2}};
    for (int i = 0; i < 8; ++i)
        AddTestNode(model, i + 1, points[i][0], points[i][1], points[i][2]);
    AddTestElement(model, 1, kTagBeam, 21, {1, 5});
    AddTestElement(model, 2, kTagBeam, 21, {2, 6});
    AddTestElement(model, 3, kTagBeam, 21, {5, 7});
    AddTestElement(model, 4, kTagShell, 91, {1, 2, 3}, 7, 3);
    AddTestElement(model, 5, kTagShell, 91, {2, 4, 3}, 7, 3);
    AddTestElement(model, 6, kTagMass, 251, {8});
    model.BuildElementFaces();
    model.UpdateBoundingBox(0, nullptr);
    OpenToolView();
}

void ToolFixture::OpenToolView()
{
    m_view = OpenView(300, 300);
    ASSERT_NE(nullptr, m_view);
    Command(m_view, ID_VIEW_AUTOSCALE);
    m_view->Renderer().RenderAll();
    fw::test::Pump();
}

void ToolFixture::Pick(std::initializer_list<CModelEntity*> entities)
{
    // One click each, so that they are handed over in this order.
    for (CModelEntity* entity : entities)
    {
        CEntityArray picked;
        picked.Add(entity);
        if (m_view->ViewSelection().IsSelecting())
            m_view->AddPickedEntity(picked);
    }
    if (m_view->ViewSelection().IsSelecting())
        m_view->CommitSelection(CCAEView::kDecision);
    fw::test::Pump();
}

CModelEntity* ToolFixture::Node(int id)
{
    return Model().GetNode(id);
}

CModelEntity* ToolFixture::Element(int id)
{
    return Model().FindElement(id);
}

std::vector<HWND> ToolFixture::VisibleDialogs()
{
    std::vector<HWND> dialogs;
    ::EnumThreadWindows(::GetCurrentThreadId(), CollectDialog, reinterpret_cast<LPARAM>(&dialogs));
    return dialogs;
}

HWND ToolFixture::OnlyDialog()
{
    const std::vector<HWND> dialogs = VisibleDialogs();
    EXPECT_EQ(1u, dialogs.size());
    return dialogs.size() == 1 ? dialogs[0] : nullptr;
}

std::string ToolFixture::Caption(HWND window)
{
    char text[256] = {};
    ::GetWindowTextA(window, text, sizeof(text));
    return text;
}

std::string ToolFixture::ControlText(HWND dialog, int id)
{
    char text[1024] = {};
    ::GetDlgItemTextA(dialog, id, text, sizeof(text));
    return text;
}

bool ToolFixture::IsEnabled(HWND dialog, int id)
{
    return ::IsWindowEnabled(::GetDlgItem(dialog, id)) != FALSE;
}

std::vector<std::string> ToolFixture::ListLines(HWND dialog, int id)
{
    std::vector<std::string> lines;
    const HWND list = ::GetDlgItem(dialog, id);
    const int count = static_cast<int>(::SendMessageA(list, LB_GETCOUNT, 0, 0));
    for (int i = 0; i < count; ++i)
    {
        std::string line(static_cast<size_t>(::SendMessageA(list, LB_GETTEXTLEN, i, 0)), '\0');
        ::SendMessageA(list, LB_GETTEXT, i, reinterpret_cast<LPARAM>(&line[0]));
        lines.push_back(line);
    }
    return lines;
}

void ToolFixture::Click(HWND dialog, int id)
{
    ::SendMessageA(::GetDlgItem(dialog, id), BM_CLICK, 0, 0);
    fw::test::Pump();
}

void ToolFixture::Escape(HWND dialog)
{
    ::SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
    fw::test::Pump();
}

void ToolFixture::CloseBox(HWND dialog)
{
    ::SendMessageA(dialog, WM_SYSCOMMAND, SC_CLOSE, 0);
    fw::test::Pump();
}

int ToolFixture::CountPixels(std::array<int, 3> colour)
{
    DrawFrame(m_view);
    CRect client;
    m_view->GetClientRect(&client);
    const int height = client.Height();
    return client.Width() * height -
           view_window_test::CountDiffering(0, 0, client.Width(), height, height, colour);
}

std::vector<int> ToolFixture::TakeCodes()
{
    std::vector<int> codes;
    const auto& entries = Frame().m_manager.m_entries;
    for (size_t i = m_codesTaken; i < entries.size(); ++i)
        codes.push_back(entries[i].code);
    m_codesTaken = entries.size();
    return codes;
}

std::string ToolFixture::LastMessage() const
{
    const auto& boxes = (*m_services)->messageBoxes;
    return boxes.empty() ? std::string() : boxes.back().text;
}
} // namespace tools_test

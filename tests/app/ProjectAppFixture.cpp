// The project-command fixture.
#include "tests/app/ProjectAppFixture.h"

#include "core/geometry/ColorConvert.h"
#include "framework/OXHistoryCtrl.h"
#include "platform/test/pump.h"
#include "platform/win/cmdtarget.h"
#include "project/ProjectData.h"
#include "resources/resource.h"
#include "tests/support/TestPaths.h"
#include "view/WendraView.h"

#include <windows.h>

#include <GL/gl.h>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>

namespace fs = std::filesystem;

const char* const ProjectAppFixture::kPlateDeck =
    "BEGIN BULK\n"
    "GRID           1              0.      0.      0.\n"
    "GRID           2              1.      0.      0.\n"
    "GRID           3              2.      0.      0.\n"
    "GRID           4              0.      1.      0.\n"
    "GRID           5              1.      1.      0.\n"
    "GRID           6              2.      1.      0.\n"
    "CQUAD4         1       1       1       2       5       4\n"
    "CQUAD4         2       1       2       3       6       5\n"
    "ENDDATA\n";

namespace
{
// What a command's update handler decides.
class EnableProbe : public CCmdUI
{
public:
    explicit EnableProbe(UINT id) { m_nID = id; }
    void Enable(BOOL on) override { enabled = on != 0; }
    bool enabled = false;
};
} // namespace

ProjectAppFixture::ProjectAppFixture()
    : m_demoModel(fs::absolute("resources/demo/demo.unv").string())
    , m_sampleRoot(fs::absolute(testing_support::SamplePath("")).string())
{
}

void ProjectAppFixture::SetUp()
{
    // The product settings the program ships with.
    std::ifstream shipped("resources/ini/Gravik.ini", std::ios::binary);
    const std::string ini((std::istreambuf_iterator<char>(shipped)), {});
    ASSERT_FALSE(ini.empty());
    ASSERT_TRUE(StartUp(ini, m_commandLine.c_str()));
    m_dataFolder = m_folders->Path("data");
    fs::create_directories(m_dataFolder);
}

void ProjectAppFixture::TearDown()
{
    fw::test::CancelDialogScript();
    if (CMainFrame* frame = MainFrame())
        frame->SetProject(nullptr);
    AppFixture::TearDown();
}

void ProjectAppFixture::Command(UINT id)
{
    ::SendMessageA(MainFrame()->m_hWnd, WM_COMMAND, MAKEWPARAM(id, 0), 0);
    fw::test::Pump();
}

bool ProjectAppFixture::IsEnabled(UINT id)
{
    EnableProbe probe(id);
    MainFrame()->OnCmdMsg(id, CN_UPDATE_COMMAND_UI, &probe, nullptr);
    return probe.enabled;
}

void ProjectAppFixture::NewProject(const std::string& name, const std::string& file)
{
    if (!file.empty())
        (*m_services)->fileAnswers.push_back(file);
    const std::string folder = m_dataFolder + "\\";
    fw::test::WhenDialogShows(
        "New Project",
        [name, file, folder](HWND dialog)
        {
            if (!file.empty())
            {
                ::CheckRadioButton(dialog, IDC_PROJECTNEW_BLANK, IDC_PROJECTNEW_IMPORT,
                                   IDC_PROJECTNEW_IMPORT);
                ::SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDC_PROJECTNEW_IMPORT, BN_CLICKED),
                               0);
                ::SetDlgItemTextA(dialog, IDC_PROJECTNEW_NAME, name.c_str());
                ::SetDlgItemTextA(dialog, IDC_PROJECTNEW_FOLDER, folder.c_str());
                ::SendMessageA(dialog, WM_COMMAND,
                               MAKEWPARAM(IDC_PROJECTNEW_BROWSE_FILE, BN_CLICKED), 0);
            }
            ::PostMessageA(dialog, WM_COMMAND, IDOK, 0);
        });
    Command(ID_PROJECT_NEW);
}

std::vector<HTREEITEM> ProjectAppFixture::Items()
{
    std::vector<HTREEITEM> items;
    const std::function<void(HTREEITEM)> walk = [&](HTREEITEM first)
    {
        for (HTREEITEM item = first; item != nullptr; item = Tree().GetNextSiblingItem(item))
        {
            items.push_back(item);
            walk(Tree().GetChildItem(item));
        }
    };
    walk(Tree().GetChildItem(TVI_ROOT));
    return items;
}

HTREEITEM ProjectAppFixture::FindItem(const std::string& text)
{
    for (HTREEITEM item : Items())
    {
        if (ItemText(item) == text)
            return item;
    }
    return nullptr;
}

HTREEITEM ProjectAppFixture::FindResultItem(const std::string& prefix)
{
    for (HTREEITEM item : Items())
    {
        const auto* node = dynamic_cast<CResultItemNode*>(Tree().NodeOf(item));
        if (node == nullptr || node->m_result == nullptr || ItemText(item).rfind(prefix, 0) != 0)
            continue;
        for (HTREEITEM parent = Tree().GetParentItem(item); parent != nullptr;
             parent = Tree().GetParentItem(parent))
            Tree().Expand(parent, TVE_EXPAND);
        return item;
    }
    return nullptr;
}

CCAEView* ProjectAppFixture::ShowDemoTranslation()
{
    MainFrame()->OpenFileInNewProject("demo.unv", m_demoModel.c_str());
    fw::test::Pump();
    // The scalar item has the components below it; the vector item of the same name has none.
    for (HTREEITEM item : Items())
    {
        const HTREEITEM child = Tree().GetChildItem(item);
        if (ItemText(item) == "Translation" && child != nullptr && ItemText(child) == "UX")
        {
            DoubleClick(item);
            return View(2);
        }
    }
    return nullptr;
}

int ProjectAppFixture::ItemImage(HTREEITEM item)
{
    int image = -1;
    int selected = -1;
    Tree().GetItemImage(item, image, selected);
    return image;
}

void ProjectAppFixture::DoubleClick(HTREEITEM item, bool pump)
{
    Tree().EnsureVisible(item);
    Tree().SelectItem(item);
    fw::test::Pump();
    CRect row;
    ASSERT_TRUE(Tree().GetItemRect(item, &row, TRUE));
    const LPARAM point = MAKELPARAM(row.left + 2, row.CenterPoint().y);
    const HWND tree = Tree().m_hWnd;
    ::SendMessageA(tree, WM_LBUTTONDOWN, MK_LBUTTON, point);
    ::SendMessageA(tree, WM_LBUTTONUP, 0, point);
    ::SendMessageA(tree, WM_LBUTTONDBLCLK, MK_LBUTTON, point);
    ::SendMessageA(tree, WM_LBUTTONUP, 0, point);
    if (pump)
        fw::test::Pump();
}

std::vector<std::string> ProjectAppFixture::OutputLines()
{
    std::vector<std::string> lines;
    const COXHistoryCtrl& history = MainFrame()->GetOutputBar().GetHistory();
    for (int i = 0; i < history.GetLineCount(); ++i)
        lines.push_back(history.GetLineText(i).GetString());
    return lines;
}

std::string ProjectAppFixture::DataPath(const std::string& name) const
{
    return m_dataFolder + "\\" + name;
}

std::string ProjectAppFixture::WriteDataFile(const std::string& name, const std::string& text)
{
    const std::string path = DataPath(name);
    std::ofstream(path, std::ios::binary) << text;
    return path;
}

std::vector<unsigned char> ProjectAppFixture::ReadView(CCAEView* view, int* width, int* height)
{
    std::vector<unsigned char> rgba;
    auto* wendra = dynamic_cast<CWendraView*>(view);
    if (wendra == nullptr)
        return rgba;
    CRect client;
    wendra->GetClientRect(&client);
    wendra->MakeCurrent();
    // As a paint does: the background first, then the frame.
    const CProjectData* project = Project();
    wendra->Device().SetColor(
        COLORREFToColor(project != nullptr ? project->m_settings.m_backgroundColor : 0));
    wendra->DrawAll(nullptr);
    glFinish();
    *width = client.Width();
    *height = client.Height();
    rgba.resize(static_cast<size_t>(*width) * *height * 4);
    glReadBuffer(GL_BACK);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, *width, *height, GL_RGBA, GL_UNSIGNED_BYTE, rgba.data());
    return rgba;
}

std::set<int> ProjectAppFixture::ShownBands(CCAEView* view)
{
    std::set<int> bands;
    int width = 0;
    int height = 0;
    const std::vector<unsigned char> rgba = ReadView(view, &width, &height);
    if (rgba.empty())
        return bands;
    const CResultDisplayAttr& attr = view->Scene().DisplayAttr();
    // The scene: right of the legend's fifth, above the title's fifth (rows from the bottom).
    for (int y = height / 5; y < height; ++y)
    {
        for (int x = width / 4; x < width; ++x)
        {
            const unsigned char* p = &rgba[(static_cast<size_t>(y) * width + x) * 4];
            for (int k = 0; k < attr.m_nTotalBands; ++k)
            {
                const CColorRGBA& c = attr.m_bandColors[k];
                if (std::abs(p[0] - static_cast<int>(c.r * 255 + 0.5f)) <= 2 &&
                    std::abs(p[1] - static_cast<int>(c.g * 255 + 0.5f)) <= 2 &&
                    std::abs(p[2] - static_cast<int>(c.b * 255 + 0.5f)) <= 2)
                {
                    bands.insert(k);
                    break;
                }
            }
        }
    }
    return bands;
}

std::vector<COLORREF> ProjectAppFixture::ScreenPixels(CCAEView* view, int step)
{
    fw::test::Pump();
    CRect client;
    view->GetClientRect(&client);
    std::vector<COLORREF> pixels;
    const HDC screen = ::GetDC(nullptr);
    for (int y = 0; y < client.Height(); y += step)
    {
        for (int x = 0; x < client.Width(); x += step)
        {
            POINT point = {x, y};
            ::ClientToScreen(view->m_hWnd, &point);
            pixels.push_back(::GetPixel(screen, point.x, point.y));
        }
    }
    ::ReleaseDC(nullptr, screen);
    return pixels;
}

bool ProjectAppFixture::IsNear(COLORREF a, COLORREF b)
{
    return std::abs(GetRValue(a) - GetRValue(b)) <= 3 &&
           std::abs(GetGValue(a) - GetGValue(b)) <= 3 && std::abs(GetBValue(a) - GetBValue(b)) <= 3;
}

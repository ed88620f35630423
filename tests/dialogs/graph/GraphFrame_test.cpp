// The graph window on the screen: the curve's pixels, point marks and the toolbar picture that
// follow Point Display, the legend, warnings shown once, closing, and printing to a file
// printer whose page is rasterised.
#include "dialogs/graph/GraphFrame.h"

#include "dialogs/graph/GraphLegendList.h"
#include "platform/test/file_printer.h"
#include "platform/test/mainframe.h"
#include "platform/test/pump.h"
#include "resources/resource.h"
#include "tests/support/TestPaths.h"

#include <commctrl.h>
#include <cstring>
#include <fstream>
#include <gtest/gtest.h>
#include <sstream>

using fw::test::ClientPixel;
using fw::test::Pump;

namespace
{
constexpr COLORREF kFirstSeries = RGB(25, 0, 230);
constexpr COLORREF kSecondSeries = RGB(50, 0, 205);
constexpr char kPrinterName[] = "Gravik Graph Test Printer";

int g_framesDeleted = 0;

class CCountedGraphFrame : public CGraphFrame
{
public:
    ~CCountedGraphFrame() override { ++g_framesDeleted; }
};

class GraphFrameTest : public fw::test::MainFrameFixture
{
protected:
    void TearDown() override
    {
        if (m_graphFrame != nullptr && ::IsWindow(m_graphHwnd))
            m_graphFrame->DestroyWindow();
        Pump();
        MainFrameFixture::TearDown();
    }

    // Created as the commands create it; filled by fill before it is shown.
    CGraphFrame* Open(const std::function<void(CGraphView&)>& fill)
    {
        m_graphFrame = new CCountedGraphFrame;
        EXPECT_TRUE(m_graphFrame->Create(nullptr, "Graph Control", WS_OVERLAPPEDWINDOW,
                                         CRect(10, 100, 1000, 700), m_frame));
        m_graphHwnd = m_graphFrame->m_hWnd;
        fill(*m_graphFrame->GetPane().GetView());
        m_graphFrame->ShowGraph();
        ::SetForegroundWindow(m_graphHwnd);
        Pump();
        return m_graphFrame;
    }

    HWND Pane() const { return m_graphFrame->GetPane().m_hWnd; }
    CGraphCtrl& Graph() { return m_graphFrame->GetPane().GetView()->Graph(); }

    // Whether a pixel of colour lies within radius of a client point of the pane.
    bool ColourNear(POINT at, COLORREF colour, int radius = 2) const
    {
        for (int dy = -radius; dy <= radius; ++dy)
            for (int dx = -radius; dx <= radius; ++dx)
                if (ClientPixel(Pane(), at.x + dx, at.y + dy) == colour)
                    return true;
        return false;
    }
    // Pixels of colour in a client rectangle of the pane.
    int Pixels(int left, int top, int right, int bottom, COLORREF colour) const
    {
        int count = 0;
        for (int y = top; y < bottom; ++y)
            for (int x = left; x < right; ++x)
                count += ClientPixel(Pane(), x, y) == colour ? 1 : 0;
        return count;
    }
    // The text of a point mark.
    int BlackPixels(int left, int top, int right, int bottom) const
    {
        return Pixels(left, top, right, bottom, RGB(0, 0, 0));
    }
    // Pixels of colour on the toolbar's first button, as the screen shows it.
    int ButtonPixels(COLORREF colour) const
    {
        CToolBar& bar = m_graphFrame->GetToolBar();
        RECT button = {};
        ::SendMessageA(bar.m_hWnd, TB_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&button));
        int count = 0;
        for (int y = button.top; y < button.bottom; ++y)
            for (int x = button.left; x < button.right; ++x)
                count += ClientPixel(bar.m_hWnd, x, y) == colour ? 1 : 0;
        return count;
    }

    CGraphFrame* m_graphFrame = nullptr; // deletes itself
    HWND m_graphHwnd = nullptr;
};

std::string ReadFile(const std::string& path)
{
    std::ifstream file(path, std::ios::binary);
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

// The Unix path of a Windows path, through Wine's own export; empty when not under Wine.
std::string UnixPath(const std::string& path)
{
    using ToUnix = char*(__cdecl*)(const WCHAR*);
    const FARPROC found =
        ::GetProcAddress(::GetModuleHandleA("kernel32.dll"), "wine_get_unix_file_name");
    ToUnix toUnix = nullptr;
    std::memcpy(&toUnix, &found, sizeof toUnix);
    if (toUnix == nullptr)
        return std::string();
    WCHAR wide[MAX_PATH] = {};
    ::MultiByteToWideChar(CP_ACP, 0, path.c_str(), -1, wide, MAX_PATH);
    char* unixPath = toUnix(wide);
    if (unixPath == nullptr)
        return std::string();
    std::string result = unixPath;
    ::HeapFree(::GetProcessHeap(), 0, unixPath);
    return result;
}

// A page rasterised by Ghostscript on the host: width, height and RGB rows from the top.
struct Raster
{
    int width = 0;
    int height = 0;
    std::string rgb;

    int CountNear(COLORREF colour, int tolerance) const
    {
        int count = 0;
        for (size_t i = 0; i + 2 < rgb.size(); i += 3)
        {
            const auto isNear = [&](size_t at, int want)
            { return std::abs(static_cast<unsigned char>(rgb[at]) - want) <= tolerance; };
            count += isNear(i, GetRValue(colour)) && isNear(i + 1, GetGValue(colour)) &&
                             isNear(i + 2, GetBValue(colour))
                         ? 1
                         : 0;
        }
        return count;
    }
};

// A binary PPM whose header may carry "#" comment lines; an empty raster unless it is whole.
Raster ReadPpm(const std::string& bytes)
{
    std::istringstream file(bytes);
    std::string fields[4];
    for (std::string& field : fields)
    {
        while (file >> field && field[0] == '#')
            std::getline(file, field);
    }
    Raster raster;
    if (!file || fields[0] != "P6")
        return {};
    raster.width = std::atoi(fields[1].c_str());
    raster.height = std::atoi(fields[2].c_str());
    file.get();
    raster.rgb.assign(std::istreambuf_iterator<char>(file), {});
    if (raster.rgb.size() != static_cast<size_t>(raster.width) * raster.height * 3)
        return {};
    return raster;
}

// Runs the host's Ghostscript (Wine starts Unix programs) on a PostScript file; an empty
// raster when it cannot run.
Raster Rasterise(const std::string& postScript, const std::string& ppm)
{
    const std::string in = UnixPath(postScript);
    const std::string out = UnixPath(ppm);
    std::string command =
        "Z:\\usr\\bin\\gs -q -dNOPAUSE -dBATCH -sDEVICE=ppmraw -r72 -sOutputFile=" + out + " " + in;
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    if (in.empty() || !::CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0,
                                        nullptr, nullptr, &startup, &process))
        return {};
    ::WaitForSingleObject(process.hProcess, 60000);
    ::CloseHandle(process.hThread);
    ::CloseHandle(process.hProcess);
    // A Unix program's handle may signal before it is done: wait for the whole raster.
    for (int waited = 0; waited < 300; ++waited)
    {
        if (Raster raster = ReadPpm(ReadFile(ppm)); raster.width > 0)
            return raster;
        ::Sleep(100);
    }
    return {};
}

void RisingSeries(CGraphView& view)
{
    view.AddSeries({1.0, 2.0, 3.0, 4.0}, {0.5e8, 1e8, 1.5e8, 2e8}, "rising");
    view.SetTitles("Large values", "X", "Y");
}
} // namespace

TEST_F(GraphFrameTest, ValuesOfTwoHundredMillionAreDrawnAtBothEnds)
{
    Open(RisingSeries);
    EXPECT_TRUE((*m_services)->messageBoxes.empty());
    EXPECT_TRUE(ColourNear(Graph().Position(1.0, 0.5e8), kFirstSeries));
    EXPECT_TRUE(ColourNear(Graph().Position(4.0, 2e8), kFirstSeries));
    EXPECT_TRUE(ColourNear(Graph().Position(2.5, 1.25e8), kFirstSeries));
    // The plot area is white and the legend band grey where nothing is drawn.
    RECT client = {};
    ::GetClientRect(Pane(), &client);
    EXPECT_EQ(RGB(200, 200, 200), ClientPixel(Pane(), client.right - 1, 2));
}

TEST_F(GraphFrameTest, GraphWithoutSeriesOpensWithoutAMessage)
{
    Open([](CGraphView&) {});
    EXPECT_TRUE(::IsWindowVisible(m_graphHwnd));
    EXPECT_TRUE((*m_services)->messageBoxes.empty());
    EXPECT_EQ(0, ::SendMessageA(Graph().Legend()->m_hWnd, LVM_GETITEMCOUNT, 0, 0));
}

TEST_F(GraphFrameTest, PointDisplayTogglesTheMarksAndTheToolbarPicture)
{
    Open(RisingSeries);
    const COLORREF markRed = RGB(220, 0, 0);
    const POINT at = Graph().Position(2.0, 1e8);
    const auto markText = [&] { return BlackPixels(at.x - 20, at.y - 15, at.x + 60, at.y - 5); };
    const auto circle = [&]
    { return Pixels(at.x - 5, at.y - 5, at.x + 6, at.y + 6, kFirstSeries); };
    EXPECT_TRUE(m_graphFrame->GetPane().AreMarksHidden());
    EXPECT_EQ(0, markText());
    const int lineOnly = circle();
    EXPECT_EQ(0, ButtonPixels(markRed));

    m_graphFrame->SendMessage(WM_COMMAND, ID_GRAPH_POINT_DISPLAY);
    Pump();
    EXPECT_FALSE(m_graphFrame->GetPane().AreMarksHidden());
    EXPECT_GT(markText(), 10);
    // The mark's outline in the series colour around the line.
    EXPECT_GT(circle(), lineOnly + 10);
    EXPECT_GT(ButtonPixels(markRed), 0);

    // A resize lays the graph out again with the marks still shown.
    m_graphFrame->MoveWindow(10, 100, 900, 650);
    Pump();
    const POINT moved = Graph().Position(2.0, 1e8);
    EXPECT_GT(BlackPixels(moved.x - 20, moved.y - 15, moved.x + 60, moved.y - 5), 10);

    m_graphFrame->SendMessage(WM_COMMAND, ID_GRAPH_POINT_DISPLAY);
    Pump();
    EXPECT_EQ(0, BlackPixels(moved.x - 20, moved.y - 15, moved.x + 60, moved.y - 5));
    EXPECT_EQ(0, ButtonPixels(markRed));
}

TEST_F(GraphFrameTest, LegendListsSeriesByNameEachWithItsOwnColour)
{
    Open(
        [](CGraphView& view)
        {
            view.AddSeries({1.0, 2.0}, {1.0, 2.0}, "b");
            view.AddSeries({1.0, 2.0}, {2.0, 1.0}, "a");
        });
    CGraphLegendList& legend = *Graph().Legend();
    ASSERT_EQ(2, legend.GetItemCount());
    EXPECT_EQ("a", legend.GetItemText(0, 0));
    EXPECT_EQ("b", legend.GetItemText(1, 0));
    // Each row's swatch on the screen is its series' colour.
    const struct
    {
        int row;
        COLORREF colour;
    } rows[] = {{0, kSecondSeries}, {1, kFirstSeries}};
    for (const auto& r : rows)
    {
        RECT icon = {LVIR_ICON, 0, 0, 0};
        ::SendMessageA(legend.m_hWnd, LVM_GETITEMRECT, r.row, reinterpret_cast<LPARAM>(&icon));
        const int y = (icon.top + icon.bottom) / 2;
        EXPECT_EQ(r.colour, ClientPixel(legend.m_hWnd, icon.left + 10, y)) << r.row;
    }
    // Beside the plot, right of the drawing.
    RECT legendRect = {};
    ::GetWindowRect(legend.m_hWnd, &legendRect);
    ::MapWindowPoints(nullptr, Pane(), reinterpret_cast<POINT*>(&legendRect), 2);
    RECT client = {};
    ::GetClientRect(Pane(), &client);
    EXPECT_EQ(client.right - Graph().RightMargin() - 2, legendRect.left);
    EXPECT_EQ(Graph().TopMargin() - 3, legendRect.top);
}

TEST_F(GraphFrameTest, WarningsAreShownOnceWhenTheGraphIsShown)
{
    Open([](CGraphView& view) { view.AddSeries({kNoGraphValue}, {1.0}, "nothing"); });
    ASSERT_EQ(2u, (*m_services)->messageBoxes.size());
    EXPECT_EQ("All Graph Points are out of range for Series 1",
              (*m_services)->messageBoxes[0].text);
    m_graphFrame->MoveWindow(10, 100, 700, 500);
    m_graphFrame->SendMessage(WM_COMMAND, ID_GRAPH_POINT_DISPLAY);
    Pump();
    EXPECT_EQ(2u, (*m_services)->messageBoxes.size());
}

TEST_F(GraphFrameTest, ClosingTheFrameDeletesItWithItsGraph)
{
    Open(RisingSeries);
    const HWND legend = Graph().Legend()->m_hWnd;
    const int deletedBefore = g_framesDeleted;
    ::PostMessageA(m_graphHwnd, WM_CLOSE, 0, 0);
    Pump();
    EXPECT_EQ(deletedBefore + 1, g_framesDeleted);
    EXPECT_FALSE(::IsWindow(m_graphHwnd));
    EXPECT_FALSE(::IsWindow(legend));
    EXPECT_TRUE(::IsWindow(m_frame->m_hWnd));
    m_graphFrame = nullptr;
}

TEST_F(GraphFrameTest, PrintingToAFilePrinterWritesOneLandscapePageWithTheCurve)
{
    const std::string folder = testing_support::MakeTempDir("graph_print");
    const std::string job = folder + "\\graph.ps";
    ASSERT_TRUE(fw::test::InstallFilePrinter(kPrinterName, job));
    (*m_services)->printer = [] { return fw::test::CreateFilePrinterDC(kPrinterName); };
    Open(RisingSeries);
    m_graphFrame->SendMessage(WM_COMMAND, ID_GRAPH_POINT_DISPLAY);
    m_graphFrame->SendMessage(WM_COMMAND, ID_GRAPH_PRINT);
    Pump();
    ASSERT_EQ(1, (*m_services)->printDialogs);
    const DWORD flags = (*m_services)->printDialogFlags[0];
    EXPECT_TRUE(flags & PD_NOPAGENUMS);
    EXPECT_TRUE(flags & PD_NOSELECTION);
    EXPECT_TRUE(flags & PD_HIDEPRINTTOFILE);
    EXPECT_TRUE((*m_services)->messageBoxes.empty());

    const std::string postScript = ReadFile(job);
    EXPECT_NE(std::string::npos, postScript.find("%%Pages: 1")) << postScript.substr(0, 800);
    EXPECT_NE(std::string::npos, postScript.find("%%Orientation: Landscape"));
    const Raster page = Rasterise(job, folder + "\\graph.ppm");
    ASSERT_GT(page.width, 0) << "Ghostscript did not rasterise the page";
    EXPECT_GT(page.CountNear(kFirstSeries, 8), 50);
    // The screen is drawn again afterwards, its marks still shown.
    EXPECT_TRUE(ColourNear(Graph().Position(4.0, 2e8), kFirstSeries));
    EXPECT_EQ(1, Graph().PointDisplay());
}

// A system without printers: the print dialog cannot open and says why.
class NoPrinterServices : public fw::test::ScriptedServices
{
public:
    NoPrinterServices() { hasPrinter = false; }
    DWORD CommDlgExtendedError() override { return PDERR_NODEFAULTPRN; }
};

TEST_F(GraphFrameTest, PrintingWithoutAPrinterSaysSoAndCancelSaysNothing)
{
    Open(RisingSeries);
    m_graphFrame->SendMessage(WM_COMMAND, ID_GRAPH_PRINT);
    Pump();
    EXPECT_EQ(1, (*m_services)->printDialogs);
    EXPECT_TRUE((*m_services)->messageBoxes.empty());

    NoPrinterServices noPrinter;
    sys::Services* previous = sys::Install(&noPrinter);
    m_graphFrame->SendMessage(WM_COMMAND, ID_GRAPH_PRINT);
    Pump();
    sys::Install(previous);
    ASSERT_EQ(1u, noPrinter.messageBoxes.size());
    EXPECT_EQ("No printer is available: nothing was printed.", noPrinter.messageBoxes[0].text);
    EXPECT_EQ(0, noPrinter.printDialogs);
    // The screen is laid out again with the marks as they were.
    EXPECT_TRUE(ColourNear(Graph().Position(4.0, 2e8), kFirstSeries));
    EXPECT_EQ(0, Graph().PointDisplay());
}

// The system's own print dialog and printers; the program's message boxes scripted.
class SystemPrintDialogs : public fw::test::ScriptedServices
{
public:
    BOOL PrintDlg(PRINTDLGA* pd) override { return sys::Services::PrintDlg(pd); }
    DWORD CommDlgExtendedError() override { return sys::Services::CommDlgExtendedError(); }
    bool HasPrinter() override { return sys::Services::HasPrinter(); }
};

// On a system without printers, through the system's own dialog: the program's message once,
// and no box of the system's in its own words.
TEST_F(GraphFrameTest, WithoutAnyPrinterOnlyTheProgramsMessageShows)
{
    fw::test::RemoveFilePrinters();
    if (sys::Services().HasPrinter())
        GTEST_SKIP() << "a printer of the system is installed";
    Open(RisingSeries);
    SystemPrintDialogs system;
    sys::Services* previous = sys::Install(&system);
    fw::test::CancelEveryDialog(true);
    m_graphFrame->SendMessage(WM_COMMAND, ID_GRAPH_PRINT);
    Pump();
    const std::vector<std::string> systemBoxes = fw::test::CancelledDialogs();
    fw::test::CancelEveryDialog(false);
    sys::Install(previous);
    EXPECT_TRUE(systemBoxes.empty()) << "a box of the system showed: " << systemBoxes[0];
    ASSERT_EQ(1u, system.messageBoxes.size());
    EXPECT_EQ("No printer is available: nothing was printed.", system.messageBoxes[0].text);
    EXPECT_TRUE(ColourNear(Graph().Position(4.0, 2e8), kFirstSeries));
}

// The program under test with its project commands: the real start-up (English), commands
// sent as the menus send them, scripted file dialogs and message boxes, the New Project dialog
// driven while it is shown, and what a user reads back: the project tree's items, the output
// log's lines and the pixels of a view's back buffer.
#pragma once

#include "app/ProjectTreeNodes.h"
#include "tests/app/AppFixture.h"
#include "view/CAEView.h"

#include <array>
#include <set>
#include <string>
#include <vector>

class ProjectAppFixture : public AppFixture
{
protected:
    ProjectAppFixture();
    void SetUp() override;
    void TearDown() override;

    // A menu command of the main frame, sent as a menu sends it.
    void Command(UINT id);
    // The command's enabled state as the menus would show it.
    bool IsEnabled(UINT id);
    // New with the New Project dialog: blank (file empty) or using the import file.
    void NewProject(const std::string& name, const std::string& file = "");

    CProjectTreePage& Page() { return MainFrame()->GetProjectTreeBar().GetTreePage(); }
    CProjectTreeCtrl& Tree() { return Page().GetTreeCtrl(); }
    // Every item of the tree, top to bottom; the first whose text is text (null when none).
    std::vector<HTREEITEM> Items();
    HTREEITEM FindItem(const std::string& text);
    // The first result item of the tree whose text starts with prefix, its parents expanded.
    HTREEITEM FindResultItem(const std::string& prefix);
    // The demo model opened as a file, its translations' magnitude (the contour the program
    // starts with, two load cases) shown by a double click in a second view; that view.
    CCAEView* ShowDemoTranslation();
    std::string ItemText(HTREEITEM item) { return Tree().GetItemText(item).GetString(); }
    int ItemImage(HTREEITEM item);
    // Selects the item and double-clicks its row as a user would; pump: then let the
    // program handle what followed (paints included).
    void DoubleClick(HTREEITEM item, bool pump = true);

    // The lines of the output log.
    std::vector<std::string> OutputLines();
    // A text file written into the scratch data folder; its full path.
    std::string WriteDataFile(const std::string& name, const std::string& text);
    std::string DataPath(const std::string& name) const;
    CCAEView* View(int frameId) { return MainFrame()->GetFrameView(frameId); }
    CProjectData* Project() { return MainFrame()->GetProject(); }

    // The view drawn into its back buffer on its background, as a paint draws it: its RGBA
    // pixels, rows from the bottom; empty for a view of another class.
    std::vector<unsigned char> ReadView(CCAEView* view, int* width, int* height);
    // The view drawn into its back buffer; the colours of the band colours in effect that a
    // scene region (right of the legend, above the title) shows.
    std::set<int> ShownBands(CCAEView* view);
    // What the screen shows of a view's client area after the queue was pumped, every step-th
    // pixel of every step-th row from the top (the frame must be on top).
    static std::vector<COLORREF> ScreenPixels(CCAEView* view, int step = 3);
    // Colours within 3 of each other in each channel.
    static bool IsNear(COLORREF a, COLORREF b);

    // A small bulk-data plate: 2 x 1 quadrilaterals on six grids.
    static const char* const kPlateDeck;
    // Absolute paths taken before start-up makes the program's folder current.
    std::string m_demoModel;
    std::string m_sampleRoot;
    std::string m_dataFolder;
    // The program's command line at start-up.
    std::string m_commandLine = "/Automation";
};

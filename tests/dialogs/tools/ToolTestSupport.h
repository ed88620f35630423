// What the tool tests share: a 3-D view in the view tests' main frame, the program's string
// files in a product folder of the test's own, the program's query tools installed, and a small
// model of every kind that the information tools count.
#pragma once

#include "dialogs/tools/DialogQueryTools.h"
#include "tests/view/ViewTestFrame.h"

#include <windows.h>

#include <array>
#include <string>
#include <vector>

namespace tools_test
{
class ToolFixture : public view_window_test::ViewFixture
{
protected:
    void SetUp() override;
    void TearDown() override;

    // Three beams of length 2 (ids 1-3), two triangular shells of area 1.5 (ids 4, 5), a mass
    // (id 6) and nodes 1 to 8, within x 0..3, y 0..1, z 0..2; then the view.
    void BuildInfoModel();
    // A view on the model as it is now, auto-scaled with its lists built.
    void OpenToolView();

    // Starts a tool as the menu does.
    void Menu(UINT commandId) { Command(m_view, commandId); }
    // Picks the entities one by one and ends the selection with Decision (when it is still
    // open).
    void Pick(std::initializer_list<CModelEntity*> entities);
    CModelEntity* Node(int id);
    CModelEntity* Element(int id);

    // The visible dialog windows of the test's thread.
    static std::vector<HWND> VisibleDialogs();
    // The one visible dialog (a failure when there is not exactly one).
    static HWND OnlyDialog();
    static std::string Caption(HWND window);
    static std::string ControlText(HWND dialog, int id);
    static bool IsEnabled(HWND dialog, int id);
    static std::vector<std::string> ListLines(HWND dialog, int id);
    // Presses a button; Escape and the close box as the system sends them.
    static void Click(HWND dialog, int id);
    static void Escape(HWND dialog);
    static void CloseBox(HWND dialog);
    // Pixels of the view's frame, drawn now, that have exactly this colour.
    int CountPixels(std::array<int, 3> colour);
    // Codes handed to the command manager since the last call.
    std::vector<int> TakeCodes();
    std::string LastMessage() const;

    CWendraView* m_view = nullptr;
    CDialogQueryTools m_tools;
    std::string m_root;

private:
    CQueryTools* m_previousTools = nullptr;
    std::string m_savedFolder;
    std::string m_savedSuffix;
    size_t m_codesTaken = 0;
};
} // namespace tools_test

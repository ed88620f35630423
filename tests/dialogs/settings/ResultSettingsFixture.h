// What the per-view settings dialog tests share: the program's settings dialogs installed over
// the tool tests' frame, a strip of ten quads from x = -5 to 5 with a nodal result rising from 0
// to 10 along it and a displacement (0, 10 x column, 0) at its nodes, a view showing one of them,
// and what the screen shows at a model point.
#pragma once

#include "dialogs/settings/ResultSettingTools.h"
#include "platform/test/pump.h"
#include "render/VectorPlotEntry.h"
#include "tests/dialogs/tools/ToolTestSupport.h"
#include "tests/view/StripModel.h"

#include <gtest/gtest.h>

namespace settings_test
{
constexpr UINT kScalarType = 0x1000000u;
constexpr UINT kDisplacementType = 0x800000u;
constexpr int kSide = 300;

class ResultSettingsFixture : public tools_test::ToolFixture
{
protected:
    void SetUp() override
    {
        ToolFixture::SetUp();
        m_previous = InstallResultSettingTools(&m_settingTools);
        view_test::AddStrip(Model());
        Model().UpdateBoundingBox(0, nullptr);
        m_scalarId =
            view_test::AddNodalCase(Model(), 1, kScalarType, 1, CResultData::kFlagAtNodes | 8, 1.0)
                ->m_id;
        m_vectorId = AddDisplacement(2);
        // Arrows of a tenth of the strip, in ten colour bands, one pixel wide.
        CVectorDisplayAttr& arrows = Frame().m_project->m_settings.m_vectorDefaults;
        arrows = CVectorDisplayAttr();
        arrows.SetLengthPercent(10.0);
    }
    void TearDown() override
    {
        ToolFixture::TearDown();
        InstallResultSettingTools(m_previous);
    }

    UINT AddDisplacement(UINT number)
    {
        Model().AddLoadCaseValue(number, kDisplacementType, 1.0);
        auto* result = new CResultData();
        result->m_id = MakeLoadCaseKey(number, kDisplacementType, 1);
        result->m_flags = CResultData::kFlagAtNodes | CResultData::kFlagVector | 8;
        result->m_type = 8;
        result->m_loaded = CResultData::kLoaded;
        result->SetName("Displacement");
        for (int node = 1; node <= 22; ++node)
        {
            const double value = 10.0 * ((node - 1) / 2);
            result->SetNodeValue(node, value);
            result->SetNodeVector(node, CPoint3D(0, value, 0));
            result->WidenRange(value);
            result->WidenVectorRange(CPoint3D(0, value, 0));
        }
        Model().AddResult(result);
        return result->m_id;
    }

    // A view of the result as the result display makes it (component 0: vectors), kSide
    // pixels square, in the display mode; it becomes m_view.
    CWendraView* ShowResult(UINT resultId, int component, int mode = kRidgeLine)
    {
        CWendraView* model = OpenView(kSide, kSide);
        model->Renderer().AutoScale(model);
        model->DisplayResultView(static_cast<int>(resultId), component, 2, TRUE);
        auto* view = dynamic_cast<CWendraView*>(Frame().GetFrameView(Frame().m_viewCounter));
        if (view == nullptr || view == model)
            return nullptr;
        CRect outer;
        CRect client;
        view->GetWindowRect(&outer);
        view->GetClientRect(&client);
        view->MoveWindow(0, 0, kSide + outer.Width() - client.Width(),
                         kSide + outer.Height() - client.Height());
        view->EditScene().SetDisplayMode(mode);
        view->Renderer().RenderAll();
        view->InvalidateView();
        fw::test::Pump();
        m_view = view;
        return view;
    }

    // The one settings dialog open, moved off the view so that the screen shows both.
    static HWND SettingsDialog()
    {
        const HWND dialog = OnlyDialog();
        if (dialog != nullptr)
            ::SetWindowPos(dialog, HWND_TOP, 700, 0, 0, 0, SWP_NOSIZE | SWP_NOACTIVATE);
        fw::test::Pump();
        return dialog;
    }

    // The screen's colour at a model point of the view, drawn now.
    COLORREF ScreenAt(const CPoint3D& point)
    {
        m_view->RedrawWindow();
        fw::test::Pump();
        m_view->MakeCurrent();
        const CPoint3D window = m_view->Device().ProjectToWindow(point, &m_view->Camera(0));
        POINT at = {static_cast<int>(window.x), static_cast<int>(window.y)};
        ::ClientToScreen(m_view->GetSafeHwnd(), &at);
        const HDC screen = ::GetDC(nullptr);
        const COLORREF colour = ::GetPixel(screen, at.x, at.y);
        ::ReleaseDC(nullptr, screen);
        return colour;
    }

    static bool IsReddish(COLORREF c) { return GetRValue(c) > 180 && GetBValue(c) < 80; }
    static bool IsBluish(COLORREF c) { return GetBValue(c) > 180 && GetRValue(c) < 80; }

    // An edit losing the focus, as when the user moves on.
    static void Leave(HWND dialog, int id)
    {
        ::SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, EN_KILLFOCUS),
                       reinterpret_cast<LPARAM>(::GetDlgItem(dialog, id)));
        fw::test::Pump();
    }
    static void Enter(HWND dialog, int id)
    {
        ::SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, EN_SETFOCUS),
                       reinterpret_cast<LPARAM>(::GetDlgItem(dialog, id)));
    }
    static void Type(HWND dialog, int id, const char* text)
    {
        Enter(dialog, id);
        ::SetDlgItemTextA(dialog, id, text);
        Leave(dialog, id);
    }
    static bool IsChecked(HWND dialog, int id)
    {
        return ::IsDlgButtonChecked(dialog, id) == BST_CHECKED;
    }

    // Rows of a band list: the texts of its two value columns.
    static std::vector<std::pair<std::string, std::string>> Rows(HWND dialog, int listId)
    {
        const HWND list = ::GetDlgItem(dialog, listId);
        std::vector<std::pair<std::string, std::string>> rows;
        const int count = ListView_GetItemCount(list);
        for (int i = 0; i < count; ++i)
        {
            char lower[64] = {};
            char upper[64] = {};
            ListView_GetItemText(list, i, 1, lower, sizeof lower);
            ListView_GetItemText(list, i, 2, upper, sizeof upper);
            rows.emplace_back(lower, upper);
        }
        return rows;
    }
    // A row clicked: selected, then the click reported.
    static void ClickRow(HWND dialog, int listId, int row)
    {
        const HWND list = ::GetDlgItem(dialog, listId);
        for (int i = 0; i < ListView_GetItemCount(list); ++i)
            ListView_SetItemState(list, i, i == row ? LVIS_SELECTED : 0, LVIS_SELECTED);
        NMITEMACTIVATE click = {};
        click.hdr.hwndFrom = list;
        click.hdr.idFrom = static_cast<UINT_PTR>(listId);
        click.hdr.code = NM_CLICK;
        click.iItem = row;
        ::SendMessageA(dialog, WM_NOTIFY, static_cast<WPARAM>(listId),
                       reinterpret_cast<LPARAM>(&click));
        fw::test::Pump();
    }
    // The swatch of a row at its middle, as the list draws it.
    static COLORREF SwatchPixel(HWND dialog, int listId, int row)
    {
        const HWND list = ::GetDlgItem(dialog, listId);
        ::RedrawWindow(list, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
        fw::test::Pump();
        RECT rect = {};
        ListView_GetSubItemRect(list, row, 0, LVIR_ICON, &rect);
        const HDC dc = ::GetDC(list);
        const COLORREF pixel = ::GetPixel(dc, rect.left + 20, (rect.top + rect.bottom) / 2);
        ::ReleaseDC(list, dc);
        return pixel;
    }

    CDialogResultSettingTools m_settingTools;
    CResultSettingTools* m_previous = nullptr;
    UINT m_scalarId = 0;
    UINT m_vectorId = 0;
};
} // namespace settings_test

// A top-level window for tree control tests: the framework reflects owner drawing, measuring
// and the list's notifications to the tree; the window records what reaches it.
#pragma once

#include "platform/test/pump.h"
#include "platform/win/wnd.h"
#include "widgets/controls/OXTreeCtrl.h"

#include <windows.h>

#include <commctrl.h>
#include <string>
#include <vector>

struct TreeNote
{
    UINT code;
    UINT action;
    HTREEITEM newItem;
    HTREEITEM oldItem;
};

struct EndEditNote
{
    UINT_PTR editorId;
    int row;
    int column;
    bool hasText;
    std::string text;
};

class CTreeHost : public CWnd
{
public:
    static constexpr UINT kTreeId = 1234;

    BOOL CreateHost(int x, int y, int width, int height)
    {
        // The cursor goes out of the way first: a window coming up under it gets a mouse move
        // at once, and an item tip left over from that would stand in a test's way.
        ::SetCursorPos(1200, 1000);
        const char* className =
            fw::RegisterWndClass(CS_DBLCLKS, ::LoadCursorA(nullptr, IDC_ARROW),
                                 reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_BTNFACE + 1)));
        if (!CreateEx(0, className, "tree", WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN, x, y, width,
                      height, nullptr, nullptr))
            return FALSE;
        ::SetForegroundWindow(m_hWnd);
        return TRUE;
    }

    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result) override
    {
        if (CWnd::OnNotify(wParam, lParam, result))
            return TRUE; // the tree kept it
        Record(reinterpret_cast<NMHDR*>(lParam), result);
        return TRUE;
    }

    std::vector<UINT> Codes() const
    {
        std::vector<UINT> codes;
        for (const TreeNote& note : notes)
            codes.push_back(note.code);
        return codes;
    }

    std::vector<TreeNote> notes;
    std::vector<EndEditNote> endEdits;
    LRESULT expandingAnswer = 0;
    bool answerDispInfo = false;
    std::string dispText;

private:
    void Record(NMHDR* header, LRESULT* result)
    {
        *result = 0;
        switch (header->code)
        {
        case TVN_ITEMEXPANDINGA:
        case TVN_ITEMEXPANDEDA:
        case TVN_DELETEITEMA:
        {
            const auto* tree = reinterpret_cast<NMTREEVIEWA*>(header);
            notes.push_back({header->code, tree->action, tree->itemNew.hItem, tree->itemOld.hItem});
            if (header->code == TVN_ITEMEXPANDINGA)
                *result = expandingAnswer;
            break;
        }
        case TVN_GETDISPINFOA:
        case TVN_SETDISPINFOA:
        {
            auto* info = reinterpret_cast<NMTVDISPINFOA*>(header);
            notes.push_back({header->code, info->item.mask, info->item.hItem, nullptr});
            if (header->code == TVN_GETDISPINFOA && answerDispInfo && (info->item.mask & TVIF_TEXT))
                ::lstrcpynA(info->item.pszText, dispText.c_str(), info->item.cchTextMax);
            break;
        }
        case LVN_ENDLABELEDITA:
        {
            const auto* info = reinterpret_cast<NMLVDISPINFOA*>(header);
            endEdits.push_back({header->idFrom, info->item.iItem, info->item.iSubItem,
                                info->item.pszText != nullptr,
                                info->item.pszText ? info->item.pszText : ""});
            break;
        }
        default: break;
        }
    }
};

// The texts of the tree's rows, top to bottom, joined with commas.
inline std::string RowTexts(const COXTreeCtrl& tree)
{
    std::string texts;
    const int rows = ListView_GetItemCount(tree.GetSafeHwnd());
    for (int row = 0; row < rows; ++row)
    {
        LVITEMA lvi = {};
        lvi.mask = LVIF_PARAM;
        lvi.iItem = row;
        ListView_GetItem(tree.GetSafeHwnd(), &lvi);
        if (!texts.empty())
            texts += ',';
        texts += tree.GetItemText(reinterpret_cast<HTREEITEM>(lvi.lParam)).GetString();
    }
    return texts;
}

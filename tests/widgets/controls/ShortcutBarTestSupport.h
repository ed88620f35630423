// Shared by the shortcut bar tests: a parent window that records the bar's and lists'
// notifications and answers them as a test says, and small helpers.
#pragma once

#include "platform/test/pump.h"
#include "widgets/controls/OXShortcutBarTypes.h"

#include <windows.h>

#include <algorithm>
#include <cstring>
#include <map>
#include <string>
#include <vector>

namespace shbtest
{
struct Notice
{
    UINT code;
    HSHBGROUP group;
    int item;
    LPARAM value;
};

// What the parent received and what it answers, by code.
inline std::vector<Notice>& Notices()
{
    static std::vector<Notice> notices;
    return notices;
}
inline std::map<UINT, LRESULT>& Answers()
{
    static std::map<UINT, LRESULT> answers;
    return answers;
}

// Extra data the parent hands out for a dragged item, the extra data it was given with a
// dropped one, and the tip text it gives (copied without a null when it fills the record).
inline std::string& ExtraData()
{
    static std::string data;
    return data;
}
inline std::string& DroppedExtra()
{
    static std::string data;
    return data;
}
inline std::string& TipText()
{
    static std::string text;
    return text;
}

inline void Fill(const NMSHORTCUTBAR* record)
{
    if (record->hdr.code == SHBN_GETDRAGDATA && !ExtraData().empty())
    {
        auto* extra = reinterpret_cast<OXShbDragData*>(record->value);
        extra->size = static_cast<DWORD>(ExtraData().size());
        extra->data = ExtraData().data();
    }
    else if (record->hdr.code == SHBN_DROPITEM)
    {
        const auto* extra = reinterpret_cast<const OXShbDragData*>(record->value);
        DroppedExtra().assign(static_cast<const char*>(extra->data ? extra->data : ""),
                              extra->data ? extra->size : 0);
    }
    else if ((record->hdr.code == SHBN_GETITEMINFOTIP ||
              record->hdr.code == SHBN_GETHEADERINFOTIP) &&
             !TipText().empty())
    {
        auto* tip = reinterpret_cast<OXShbInfoTip*>(record->value);
        const size_t size = std::min(TipText().size(), sizeof tip->text);
        std::memcpy(tip->text, TipText().data(), size);
        if (size < sizeof tip->text)
            tip->text[size] = '\0';
    }
}

inline LRESULT CALLBACK ParentProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (msg == WM_NOTIFY)
    {
        const auto* record = reinterpret_cast<const NMSHORTCUTBAR*>(lParam);
        // Only the bar's and the lists' own codes; the list-view's are negative.
        if (record->hdr.code >= 0x80A0 && record->hdr.code <= 0x80F0)
        {
            Notices().push_back({record->hdr.code, record->group, record->item, record->value});
            Fill(record);
            const auto answer = Answers().find(record->hdr.code);
            return answer == Answers().end() ? 0 : answer->second;
        }
    }
    return ::DefWindowProcA(hwnd, msg, wParam, lParam);
}

// A visible top-level parent of the given client size, in the foreground.
inline HWND MakeParent(int width, int height)
{
    static const bool registered = []
    {
        WNDCLASSA wc = {};
        wc.lpfnWndProc = &ParentProc;
        wc.hInstance = ::GetModuleHandleA(nullptr);
        wc.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_BTNFACE + 1));
        wc.lpszClassName = "ShbTestParent";
        return ::RegisterClassA(&wc) != 0;
    }();
    (void)registered;
    const HWND parent = ::CreateWindowExA(0, "ShbTestParent", "", WS_POPUP | WS_VISIBLE, 30, 30,
                                          width, height, nullptr, nullptr, nullptr, nullptr);
    ::SetForegroundWindow(parent);
    Notices().clear();
    Answers().clear();
    ExtraData().clear();
    DroppedExtra().clear();
    TipText().clear();
    return parent;
}

inline std::vector<UINT> Codes()
{
    std::vector<UINT> codes;
    for (const Notice& notice : Notices())
        codes.push_back(notice.code);
    return codes;
}

inline LPARAM Point(int x, int y)
{
    return MAKELPARAM(x, y);
}

// A 32-bit image list of count solid squares of size, square i in colours[i].
inline HIMAGELIST SolidImages(int size, const std::vector<COLORREF>& colours)
{
    const HIMAGELIST list = ::ImageList_Create(size, size, ILC_COLOR24, 0, 4);
    const HDC screen = ::GetDC(nullptr);
    for (COLORREF colour : colours)
    {
        const HDC dc = ::CreateCompatibleDC(screen);
        const HBITMAP bitmap = ::CreateCompatibleBitmap(screen, size, size);
        const HGDIOBJ old = ::SelectObject(dc, bitmap);
        const RECT rect = {0, 0, size, size};
        ::SetBkColor(dc, colour);
        ::ExtTextOutA(dc, 0, 0, ETO_OPAQUE, &rect, nullptr, 0, nullptr);
        ::SelectObject(dc, old);
        ::DeleteDC(dc);
        ::ImageList_Add(list, bitmap, nullptr);
        ::DeleteObject(bitmap);
    }
    ::ReleaseDC(nullptr, screen);
    return list;
}
} // namespace shbtest

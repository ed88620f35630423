// Owner-draw messages that a parent reflects to its control's object: the control's own
// virtuals draw, measure, compare and delete its items.
#pragma once

#include <windows.h>

namespace fw
{
// WM_DRAWITEM only (buttons, statics, list views, headers, tabs).
template <class Control>
BOOL ReflectDrawItem(Control* control, UINT msg, LPARAM lParam, LRESULT* result)
{
    if (msg != WM_DRAWITEM)
        return FALSE;
    control->DrawItem(reinterpret_cast<LPDRAWITEMSTRUCT>(lParam));
    if (result)
        *result = TRUE;
    return TRUE;
}

// All four item messages (list boxes and combo boxes).
template <class Control>
BOOL ReflectItemMessages(Control* control, UINT msg, LPARAM lParam, LRESULT* result)
{
    LRESULT answer = TRUE;
    switch (msg)
    {
    case WM_DRAWITEM: control->DrawItem(reinterpret_cast<LPDRAWITEMSTRUCT>(lParam)); break;
    case WM_MEASUREITEM: control->MeasureItem(reinterpret_cast<LPMEASUREITEMSTRUCT>(lParam)); break;
    case WM_COMPAREITEM:
        answer = control->CompareItem(reinterpret_cast<LPCOMPAREITEMSTRUCT>(lParam));
        break;
    case WM_DELETEITEM: control->DeleteItem(reinterpret_cast<LPDELETEITEMSTRUCT>(lParam)); break;
    default: return FALSE;
    }
    if (result)
        *result = answer;
    return TRUE;
}
} // namespace fw

// Crackers: the handler signature of each message the program handles and how its WPARAM and
// LPARAM are decoded. Messages without one are handled through fw::raw. Reflect crackers do
// the same for messages a parent reflects to its child control.
#pragma once

#include "platform/base/geometry.h"
#include "platform/win/dc.h"
#include "platform/win/menu.h"
#include "platform/win/msgtable.h"
#include "platform/win/wnd.h"

#include <windows.h>

#include <shellapi.h>

namespace fw
{
// Client coordinates are signed words: a point left of or above a capturing window is negative.
inline CPoint PointFromLParam(LPARAM lParam)
{
    return CPoint(static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam)));
}

inline CWnd* WndFromParam(WPARAM wParam)
{
    return CWnd::FromHandle(reinterpret_cast<HWND>(wParam));
}

inline CWnd* WndFromLParam(LPARAM lParam)
{
    return CWnd::FromHandle(reinterpret_cast<HWND>(lParam));
}

// The WM_CTLCOLOR* message being handled, as the 16-bit CTLCOLOR_* number.
UINT CurrentCtlColorType();

#define FW_CRACKER_OF(Template, Msg, Signature, Body)                                              \
    template <>                                                                                    \
    struct Template<Msg>                                                                           \
    {                                                                                              \
        template <class T>                                                                         \
        using Handler = Signature;                                                                 \
        template <class T, Handler<T> H>                                                           \
        static LRESULT Call(CCmdTarget* target, WPARAM wParam, LPARAM lParam)                      \
        {                                                                                          \
            T* t = static_cast<T*>(target);                                                        \
            (void)wParam;                                                                          \
            (void)lParam;                                                                          \
            Body                                                                                   \
        }                                                                                          \
    };
#define FW_CRACKER(Msg, Signature, Body) FW_CRACKER_OF(Cracker, Msg, Signature, Body)

FW_CRACKER(WM_CREATE, int (T::*)(LPCREATESTRUCTA),
           return (t->*H)(reinterpret_cast<LPCREATESTRUCTA>(lParam));)
FW_CRACKER(WM_DESTROY, void (T::*)(), (t->*H)(); return 0;)
FW_CRACKER(WM_NCDESTROY, void (T::*)(), (t->*H)(); return 0;)
FW_CRACKER(WM_CLOSE, void (T::*)(), (t->*H)(); return 0;)
FW_CRACKER(WM_PAINT, void (T::*)(), (t->*H)(); return 0;)
FW_CRACKER(WM_NCPAINT, void (T::*)(), (t->*H)(); return 0;)
FW_CRACKER(WM_SIZE, void (T::*)(UINT, int, int),
           (t->*H)(static_cast<UINT>(wParam), static_cast<short>(LOWORD(lParam)),
                   static_cast<short>(HIWORD(lParam)));
           return 0;)
FW_CRACKER(WM_MOVE, void (T::*)(int, int),
           (t->*H)(static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam)));
           return 0;)
FW_CRACKER(WM_ERASEBKGND, BOOL (T::*)(CDC*),
           return (t->*H)(CDC::FromHandle(reinterpret_cast<HDC>(wParam)));)
FW_CRACKER(WM_TIMER, void (T::*)(UINT_PTR), (t->*H)(static_cast<UINT_PTR>(wParam)); return 0;)
FW_CRACKER(WM_SHOWWINDOW, void (T::*)(BOOL, UINT),
           (t->*H)(static_cast<BOOL>(wParam), static_cast<UINT>(lParam));
           return 0;)
FW_CRACKER(WM_ACTIVATE, void (T::*)(UINT, CWnd*, BOOL),
           (t->*H)(LOWORD(wParam), WndFromLParam(lParam), HIWORD(wParam) != 0);
           return 0;)
FW_CRACKER(WM_ACTIVATEAPP, void (T::*)(BOOL, DWORD),
           (t->*H)(static_cast<BOOL>(wParam), static_cast<DWORD>(lParam));
           return 0;)
FW_CRACKER(WM_MOUSEACTIVATE, int (T::*)(CWnd*, UINT, UINT),
           return (t->*H)(WndFromParam(wParam), LOWORD(lParam), HIWORD(lParam));)
FW_CRACKER(WM_NCACTIVATE, BOOL (T::*)(BOOL), return (t->*H)(static_cast<BOOL>(wParam));)
FW_CRACKER(WM_NCHITTEST, LRESULT (T::*)(CPoint), return (t->*H)(PointFromLParam(lParam));)
FW_CRACKER(WM_NCCALCSIZE, void (T::*)(BOOL, NCCALCSIZE_PARAMS*),
           (t->*H)(static_cast<BOOL>(wParam), reinterpret_cast<NCCALCSIZE_PARAMS*>(lParam));
           return 0;)
FW_CRACKER(WM_GETMINMAXINFO, void (T::*)(MINMAXINFO*),
           (t->*H)(reinterpret_cast<MINMAXINFO*>(lParam));
           return 0;)
FW_CRACKER(WM_WINDOWPOSCHANGING, void (T::*)(WINDOWPOS*),
           (t->*H)(reinterpret_cast<WINDOWPOS*>(lParam));
           return 0;)
FW_CRACKER(WM_WINDOWPOSCHANGED, void (T::*)(WINDOWPOS*),
           (t->*H)(reinterpret_cast<WINDOWPOS*>(lParam));
           return 0;)
FW_CRACKER(WM_STYLECHANGING, void (T::*)(int, STYLESTRUCT*),
           (t->*H)(static_cast<int>(wParam), reinterpret_cast<STYLESTRUCT*>(lParam));
           return 0;)
FW_CRACKER(WM_STYLECHANGED, void (T::*)(int, STYLESTRUCT*),
           (t->*H)(static_cast<int>(wParam), reinterpret_cast<STYLESTRUCT*>(lParam));
           return 0;)
FW_CRACKER(WM_SETFOCUS, void (T::*)(CWnd*), (t->*H)(WndFromParam(wParam)); return 0;)
FW_CRACKER(WM_KILLFOCUS, void (T::*)(CWnd*), (t->*H)(WndFromParam(wParam)); return 0;)
FW_CRACKER(WM_CAPTURECHANGED, void (T::*)(CWnd*), (t->*H)(WndFromLParam(lParam)); return 0;)
FW_CRACKER(WM_SETCURSOR, BOOL (T::*)(CWnd*, UINT, UINT),
           return (t->*H)(WndFromParam(wParam), LOWORD(lParam), HIWORD(lParam));)
FW_CRACKER(WM_MOUSEWHEEL, BOOL (T::*)(UINT, short, CPoint),
           return (t->*H)(LOWORD(wParam), static_cast<short>(HIWORD(wParam)),
                          PointFromLParam(lParam));)
FW_CRACKER(WM_MOUSELEAVE, void (T::*)(), (t->*H)(); return 0;)
FW_CRACKER(WM_GETDLGCODE, UINT (T::*)(), return (t->*H)();)
FW_CRACKER(WM_CONTEXTMENU, void (T::*)(CWnd*, CPoint),
           (t->*H)(WndFromParam(wParam), PointFromLParam(lParam));
           return 0;)
FW_CRACKER(WM_HSCROLL, void (T::*)(UINT, UINT, CScrollBar*),
           (t->*H)(LOWORD(wParam), HIWORD(wParam),
                   ScrollBarFromHandle(reinterpret_cast<HWND>(lParam)));
           return 0;)
FW_CRACKER(WM_VSCROLL, void (T::*)(UINT, UINT, CScrollBar*),
           (t->*H)(LOWORD(wParam), HIWORD(wParam),
                   ScrollBarFromHandle(reinterpret_cast<HWND>(lParam)));
           return 0;)
FW_CRACKER(WM_INITMENU, void (T::*)(CMenu*),
           (t->*H)(CMenu::FromHandle(reinterpret_cast<HMENU>(wParam)));
           return 0;)
FW_CRACKER(WM_INITMENUPOPUP, void (T::*)(CMenu*, UINT, BOOL),
           (t->*H)(CMenu::FromHandle(reinterpret_cast<HMENU>(wParam)), LOWORD(lParam),
                   HIWORD(lParam) != 0);
           return 0;)
FW_CRACKER(WM_MENUSELECT, void (T::*)(UINT, UINT, HMENU),
           (t->*H)(LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HMENU>(lParam));
           return 0;)
FW_CRACKER(WM_MENUCHAR, LRESULT (T::*)(UINT, UINT, CMenu*),
           return (t->*H)(LOWORD(wParam), HIWORD(wParam),
                          CMenu::FromHandle(reinterpret_cast<HMENU>(lParam)));)
FW_CRACKER(WM_ENTERMENULOOP, void (T::*)(BOOL), (t->*H)(static_cast<BOOL>(wParam)); return 0;)
FW_CRACKER(WM_EXITMENULOOP, void (T::*)(BOOL), (t->*H)(static_cast<BOOL>(wParam)); return 0;)
FW_CRACKER(WM_ENTERIDLE, void (T::*)(UINT, CWnd*),
           (t->*H)(static_cast<UINT>(wParam), WndFromLParam(lParam));
           return 0;)
FW_CRACKER(WM_SYSCOMMAND, void (T::*)(UINT, LPARAM), (t->*H)(static_cast<UINT>(wParam), lParam);
           return 0;)
FW_CRACKER(WM_DROPFILES, void (T::*)(HDROP), (t->*H)(reinterpret_cast<HDROP>(wParam)); return 0;)
// Every WM_CTLCOLOR* message reaches the WM_CTLCOLOR entry.
FW_CRACKER(WM_CTLCOLOR, HBRUSH (T::*)(CDC*, CWnd*, UINT),
           return reinterpret_cast<LRESULT>((t->*H)(CDC::FromHandle(reinterpret_cast<HDC>(wParam)),
                                                    WndFromLParam(lParam), CurrentCtlColorType()));)
FW_CRACKER(WM_DRAWITEM, void (T::*)(int, LPDRAWITEMSTRUCT),
           (t->*H)(static_cast<int>(wParam), reinterpret_cast<LPDRAWITEMSTRUCT>(lParam));
           return TRUE;)
FW_CRACKER(WM_MEASUREITEM, void (T::*)(int, LPMEASUREITEMSTRUCT),
           (t->*H)(static_cast<int>(wParam), reinterpret_cast<LPMEASUREITEMSTRUCT>(lParam));
           return TRUE;)
FW_CRACKER(WM_PARENTNOTIFY, void (T::*)(UINT, LPARAM), (t->*H)(static_cast<UINT>(wParam), lParam);
           return 0;)
FW_CRACKER(WM_CANCELMODE, void (T::*)(), (t->*H)(); return 0;)
FW_CRACKER(WM_ENABLE, void (T::*)(BOOL), (t->*H)(static_cast<BOOL>(wParam)); return 0;)
FW_CRACKER(WM_SYSCOLORCHANGE, void (T::*)(), (t->*H)(); return 0;)
FW_CRACKER(WM_SETTINGCHANGE, void (T::*)(UINT, const char*),
           (t->*H)(static_cast<UINT>(wParam), reinterpret_cast<const char*>(lParam));
           return 0;)
FW_CRACKER(WM_QUERYENDSESSION, BOOL (T::*)(), return (t->*H)();)
FW_CRACKER(WM_ENDSESSION, void (T::*)(BOOL), (t->*H)(static_cast<BOOL>(wParam)); return 0;)
// Received by an MDI child: wParam the child losing activation, lParam the one gaining it.
FW_CRACKER(WM_MDIACTIVATE, void (T::*)(BOOL, CWnd*, CWnd*),
           (t->*H)(reinterpret_cast<HWND>(lParam) == static_cast<CWnd*>(t)->m_hWnd,
                   WndFromLParam(lParam), WndFromParam(wParam));
           return 0;)
FW_CRACKER(WM_HELP, BOOL (T::*)(HELPINFO*), return (t->*H)(reinterpret_cast<HELPINFO*>(lParam));)
FW_CRACKER(WM_SIZING, void (T::*)(UINT, LPRECT),
           (t->*H)(static_cast<UINT>(wParam), reinterpret_cast<LPRECT>(lParam));
           return TRUE;)
FW_CRACKER(WM_QUERYNEWPALETTE, BOOL (T::*)(), return (t->*H)();)
FW_CRACKER(WM_PALETTECHANGED, void (T::*)(CWnd*), (t->*H)(WndFromParam(wParam)); return 0;)

#define FW_MOUSE_CRACKER(Msg)                                                                      \
    FW_CRACKER(Msg, void (T::*)(UINT, CPoint),                                                     \
               (t->*H)(static_cast<UINT>(wParam), PointFromLParam(lParam));                        \
               return 0;)
FW_MOUSE_CRACKER(WM_MOUSEMOVE)
FW_MOUSE_CRACKER(WM_LBUTTONDOWN)
FW_MOUSE_CRACKER(WM_LBUTTONUP)
FW_MOUSE_CRACKER(WM_LBUTTONDBLCLK)
FW_MOUSE_CRACKER(WM_RBUTTONDOWN)
FW_MOUSE_CRACKER(WM_RBUTTONUP)
FW_MOUSE_CRACKER(WM_RBUTTONDBLCLK)
FW_MOUSE_CRACKER(WM_MBUTTONDOWN)
FW_MOUSE_CRACKER(WM_MBUTTONUP)
FW_MOUSE_CRACKER(WM_MBUTTONDBLCLK)
// Non-client mouse messages: the hit-test code and a screen point.
FW_MOUSE_CRACKER(WM_NCMOUSEMOVE)
FW_MOUSE_CRACKER(WM_NCLBUTTONDOWN)
FW_MOUSE_CRACKER(WM_NCLBUTTONUP)
FW_MOUSE_CRACKER(WM_NCLBUTTONDBLCLK)
FW_MOUSE_CRACKER(WM_NCRBUTTONDOWN)

#define FW_KEY_CRACKER(Msg)                                                                        \
    FW_CRACKER(Msg, void (T::*)(UINT, UINT, UINT),                                                 \
               (t->*H)(static_cast<UINT>(wParam), LOWORD(lParam), HIWORD(lParam));                 \
               return 0;)
FW_KEY_CRACKER(WM_KEYDOWN)
FW_KEY_CRACKER(WM_KEYUP)
FW_KEY_CRACKER(WM_CHAR)
FW_KEY_CRACKER(WM_SYSKEYDOWN)
FW_KEY_CRACKER(WM_SYSKEYUP)
FW_KEY_CRACKER(WM_SYSCHAR)

// Reflected messages, handled by the child control's own object. The parent passes wParam and
// lParam unchanged, except WM_CTLCOLOR: wParam the DC, lParam the CTLCOLOR_* type.
#define FW_REFLECT_CRACKER(Msg, Signature, Body) FW_CRACKER_OF(ReflectCracker, Msg, Signature, Body)

// A null brush means "not handled": the parent's own handler runs then.
FW_REFLECT_CRACKER(WM_CTLCOLOR, HBRUSH (T::*)(CDC*, UINT),
                   return reinterpret_cast<LRESULT>((t->*H)(
                       CDC::FromHandle(reinterpret_cast<HDC>(wParam)), static_cast<UINT>(lParam)));)
FW_REFLECT_CRACKER(WM_DRAWITEM, void (T::*)(LPDRAWITEMSTRUCT),
                   (t->*H)(reinterpret_cast<LPDRAWITEMSTRUCT>(lParam));
                   return TRUE;)
FW_REFLECT_CRACKER(WM_MEASUREITEM, void (T::*)(LPMEASUREITEMSTRUCT),
                   (t->*H)(reinterpret_cast<LPMEASUREITEMSTRUCT>(lParam));
                   return TRUE;)
FW_REFLECT_CRACKER(WM_COMPAREITEM, int (T::*)(LPCOMPAREITEMSTRUCT),
                   return (t->*H)(reinterpret_cast<LPCOMPAREITEMSTRUCT>(lParam));)
FW_REFLECT_CRACKER(WM_DELETEITEM, void (T::*)(LPDELETEITEMSTRUCT),
                   (t->*H)(reinterpret_cast<LPDELETEITEMSTRUCT>(lParam));
                   return TRUE;)
FW_REFLECT_CRACKER(WM_HSCROLL, void (T::*)(UINT, UINT), (t->*H)(LOWORD(wParam), HIWORD(wParam));
                   return 0;)
FW_REFLECT_CRACKER(WM_VSCROLL, void (T::*)(UINT, UINT), (t->*H)(LOWORD(wParam), HIWORD(wParam));
                   return 0;)
FW_REFLECT_CRACKER(WM_PARENTNOTIFY, void (T::*)(UINT, LPARAM),
                   (t->*H)(static_cast<UINT>(wParam), lParam);
                   return 0;)
FW_REFLECT_CRACKER(WM_VKEYTOITEM, int (T::*)(UINT, UINT),
                   return (t->*H)(LOWORD(wParam), HIWORD(wParam));)
FW_REFLECT_CRACKER(WM_CHARTOITEM, int (T::*)(UINT, UINT),
                   return (t->*H)(LOWORD(wParam), HIWORD(wParam));)

#undef FW_REFLECT_CRACKER
#undef FW_KEY_CRACKER
#undef FW_MOUSE_CRACKER
#undef FW_CRACKER
#undef FW_CRACKER_OF
} // namespace fw

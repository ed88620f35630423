// Crackers: the handler signature of each message the program handles and how its WPARAM and
// LPARAM are decoded. Messages without one are handled through fw::raw.
#pragma once

#include "platform/base/geometry.h"
#include "platform/win/dc.h"
#include "platform/win/msgtable.h"
#include "platform/win/wnd.h"

#include <windows.h>

namespace fw
{
// Client coordinates are signed words: a point left of or above a capturing window is negative.
inline CPoint PointFromLParam(LPARAM lParam)
{
    return CPoint(static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam)));
}

#define FW_CRACKER(Msg, Signature, Body)                                                           \
    template <>                                                                                    \
    struct Cracker<Msg>                                                                            \
    {                                                                                              \
        template <class T>                                                                         \
        using Handler = Signature;                                                                 \
        template <class T, Handler<T> H>                                                           \
        static LRESULT Call(CWnd* w, WPARAM wParam, LPARAM lParam)                                 \
        {                                                                                          \
            T* t = static_cast<T*>(w);                                                             \
            (void)wParam;                                                                          \
            (void)lParam;                                                                          \
            Body                                                                                   \
        }                                                                                          \
    };

FW_CRACKER(WM_CREATE, int (T::*)(LPCREATESTRUCTA),
           return (t->*H)(reinterpret_cast<LPCREATESTRUCTA>(lParam));)
FW_CRACKER(WM_DESTROY, void (T::*)(), (t->*H)(); return 0;)
FW_CRACKER(WM_NCDESTROY, void (T::*)(), (t->*H)(); return 0;)
FW_CRACKER(WM_CLOSE, void (T::*)(), (t->*H)(); return 0;)
FW_CRACKER(WM_PAINT, void (T::*)(), (t->*H)(); return 0;)
FW_CRACKER(WM_SIZE, void (T::*)(UINT, int, int),
           (t->*H)(static_cast<UINT>(wParam), static_cast<short>(LOWORD(lParam)),
                   static_cast<short>(HIWORD(lParam)));
           return 0;)
FW_CRACKER(WM_ERASEBKGND, BOOL (T::*)(CDC*),
           return (t->*H)(CDC::FromHandle(reinterpret_cast<HDC>(wParam)));)
FW_CRACKER(WM_TIMER, void (T::*)(UINT_PTR), (t->*H)(static_cast<UINT_PTR>(wParam)); return 0;)
FW_CRACKER(WM_SETFOCUS, void (T::*)(CWnd*),
           (t->*H)(CWnd::FromHandle(reinterpret_cast<HWND>(wParam)));
           return 0;)
FW_CRACKER(WM_KILLFOCUS, void (T::*)(CWnd*),
           (t->*H)(CWnd::FromHandle(reinterpret_cast<HWND>(wParam)));
           return 0;)
FW_CRACKER(WM_CAPTURECHANGED, void (T::*)(CWnd*),
           (t->*H)(CWnd::FromHandle(reinterpret_cast<HWND>(lParam)));
           return 0;)
FW_CRACKER(WM_SETCURSOR, BOOL (T::*)(CWnd*, UINT, UINT),
           return (t->*H)(CWnd::FromHandle(reinterpret_cast<HWND>(wParam)), LOWORD(lParam),
                          HIWORD(lParam));)
FW_CRACKER(WM_MOUSEWHEEL, BOOL (T::*)(UINT, short, CPoint),
           return (t->*H)(LOWORD(wParam), static_cast<short>(HIWORD(wParam)),
                          PointFromLParam(lParam));)

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
FW_MOUSE_CRACKER(WM_MBUTTONDOWN)
FW_MOUSE_CRACKER(WM_MBUTTONUP)

#define FW_KEY_CRACKER(Msg)                                                                        \
    FW_CRACKER(Msg, void (T::*)(UINT, UINT, UINT),                                                 \
               (t->*H)(static_cast<UINT>(wParam), LOWORD(lParam), HIWORD(lParam));                 \
               return 0;)
FW_KEY_CRACKER(WM_KEYDOWN)
FW_KEY_CRACKER(WM_KEYUP)
FW_KEY_CRACKER(WM_CHAR)

#undef FW_KEY_CRACKER
#undef FW_MOUSE_CRACKER
#undef FW_CRACKER
} // namespace fw

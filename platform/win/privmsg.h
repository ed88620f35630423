// The framework's private window messages and the structures they carry. Program code uses
// only the names; the numbers are ours.
#pragma once

#include <windows.h>

// The 16-bit colour message; reflect<WM_CTLCOLOR> stands for every WM_CTLCOLOR* message.
#ifndef WM_CTLCOLOR
#define WM_CTLCOLOR 0x0019
#endif

constexpr UINT WM_SIZEPARENT = 0x0361;       // lParam: fw::SizeParentParams*
constexpr UINT WM_SETMESSAGESTRING = 0x0362; // wParam: string id, or lParam: the text
constexpr UINT WM_IDLEUPDATECMDUI = 0x0363;  // wParam: disable commands without a handler
constexpr UINT WM_INITIALUPDATE = 0x0364;    // sent to every descendant of a new frame
constexpr UINT WM_COMMANDHELP = 0x0365;      // lParam: help id; returns TRUE when handled
constexpr UINT WM_HELPHITTEST = 0x0366;
constexpr UINT WM_EXITHELPMODE = 0x0367;
constexpr UINT WM_RECALCPARENT = 0x0368; // a child changed size: lay out its frame again
constexpr UINT WM_SIZECHILD = 0x0369;
constexpr UINT WM_KICKIDLE = 0x036A; // idle in a modal loop: wParam MSGF_*, lParam count
constexpr UINT WM_QUERYCENTERWND = 0x036B;
constexpr UINT WM_DISABLEMODAL = 0x036C;
constexpr UINT WM_FLOATSTATUS = 0x036D; // wParam FS_* flags
constexpr UINT WM_ACTIVATETOPLEVEL = 0x036E;
constexpr UINT WM_POPMESSAGESTRING = 0x0375;

// Messages reflected to a child arrive with this offset added (for code that looks at them).
constexpr UINT WM_REFLECT_BASE = 0xBC00;

// WM_FLOATSTATUS flags.
constexpr UINT FS_SHOW = 0x01;
constexpr UINT FS_HIDE = 0x02;
constexpr UINT FS_ACTIVATE = 0x04;
constexpr UINT FS_DEACTIVATE = 0x08;
constexpr UINT FS_ENABLE = 0x10;
constexpr UINT FS_DISABLE = 0x20;
constexpr UINT FS_SYNCACTIVE = 0x40;

// RunModalLoop flags.
constexpr DWORD MLF_NOIDLEMSG = 0x0001;  // no WM_ENTERIDLE to the parent
constexpr DWORD MLF_NOKICKIDLE = 0x0002; // no WM_KICKIDLE to the window
constexpr DWORD MLF_SHOWONIDLE = 0x0004; // show the window when the queue first empties

// Help context bases.
constexpr DWORD HID_BASE_COMMAND = 0x00010000;
constexpr DWORD HID_BASE_RESOURCE = 0x00020000;
constexpr DWORD HID_BASE_PROMPT = 0x00030000;

namespace fw
{
// WM_SIZEPARENT: each bar cuts its thickness from rect. A null hDWP asks only for sizes.
struct SizeParentParams
{
    HDWP hDWP;
    RECT rect;
    SIZE sizeTotal;
    BOOL stretch;
};
} // namespace fw

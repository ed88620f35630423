// What the shortcut bar, its item lists and their owners exchange: group handles and
// information, group descriptors, notification codes and records, styles and commands.
#pragma once

#include <windows.h>

#include <commctrl.h>

// A group of a bar: a number from the bar's counter (the first is 1, none is reused); null
// for none.
using HSHBGROUP = struct OXShbGroupTag*;

// Bar style bits; the item bits are read by the bar's lists.
constexpr DWORD SHBS_EDITITEMS = 0x0008;
constexpr DWORD SHBS_INFOTIP = 0x0010;
constexpr DWORD SHBS_NOSCROLL = 0x0020;
constexpr DWORD SHBS_UNDERLINEHOTITEM = 0x0080;
constexpr DWORD SHBS_SHOWACTIVEALWAYS = 0x0100;
constexpr DWORD SHBS_DISABLEDRAGHEADER = 0x0200;
constexpr DWORD SHBS_DRAWHEADERDRAGIMAGE = 0x0400;
constexpr DWORD SHBS_DRAGITEMS = 0x0800;
constexpr DWORD SHBS_ANIMATEEXPAND = 0x2000;
constexpr DWORD SHBS_EXPANDONRELEASE = 0x8000;

// Views of a group's list.
constexpr int SHB_LARGEICON = 1;
constexpr int SHB_SMALLICON = 2;

// Group orders with a meaning of their own.
constexpr int SHBGO_FIRST = -1;
constexpr int SHBGO_LAST = -2;
constexpr int SHBGO_SORTED = -3;

// Which fields of a group information are given.
constexpr UINT SHBIF_TEXT = 0x10000;
constexpr UINT SHBIF_IMAGE = 0x20000;
constexpr UINT SHBIF_IMAGEEXPANDED = 0x40000;
constexpr UINT SHBIF_PARAM = 0x80000;
constexpr UINT SHBIF_ORDER = 0x100000;
constexpr UINT SHBIF_VIEW = 0x200000;
constexpr UINT SHBIF_DESCRIPTOR = 0x400000;
constexpr UINT SHBIF_CHILDWND = 0x800000;
constexpr UINT SHBIF_ALL = 0xFF0000;

// Which fields of a descriptor are given.
constexpr UINT SHBD_CLRBACKGROUND = 0x01;
constexpr UINT SHBD_CLRTEXT = 0x02;
constexpr UINT SHBD_CLRHEADERBK = 0x04;
constexpr UINT SHBD_CLRHEADERTEXT = 0x08;
constexpr UINT SHBD_HEADERFORMAT = 0x10;
constexpr UINT SHBD_TEXTFONT = 0x20;
constexpr UINT SHBD_HEADERFONT = 0x40;
constexpr UINT SHBD_HEADERHEIGHT = 0x80;

struct OXShbGroupDescriptor
{
    COLORREF clrBackground = 0;
    COLORREF clrText = 0;
    COLORREF clrHeaderBackground = 0;
    COLORREF clrHeaderText = 0;
    UINT headerTextFormat = 0;
    LOGFONTA textFont = {};
    LOGFONTA headerFont = {};
    int headerHeight = 0;
    UINT mask = 0;
};

struct OXShbGroupInfo
{
    char* text = nullptr;
    int textLength = 0;
    int image = -1;
    int imageExpanded = -1;
    LPARAM param = 0; // the owner's, pointer-sized
    int order = SHBGO_LAST;
    int view = SHB_LARGEICON;
    OXShbGroupDescriptor* descriptor = nullptr; // borrowed; the bar keeps a copy
    HWND childWnd = nullptr;
    UINT mask = 0;
    BOOL ownsText = FALSE;
};

// The record of every notification of the bar and its lists (WM_NOTIFY, wParam the bar's or
// the list's id).
struct NMSHORTCUTBAR
{
    NMHDR hdr;
    HSHBGROUP group;
    int item;     // -1 when none
    LPARAM value; // by code
};

// The text a tip asks for (value of SHBN_GETITEMINFOTIP and SHBN_GETHEADERINFOTIP).
constexpr int kShbTipTextMax = 80;
struct OXShbInfoTip
{
    char text[kShbTipTextMax];
};

// Extra data of a dragged item (value of SHBN_GETDRAGDATA and SHBN_DROPITEM).
struct OXShbDragData
{
    DWORD size;
    const void* data; // the owner's; it lives until the drag ends
};

// Notifications of the bar.
constexpr UINT SHBN_BEGINDRAGHEADER = 0x80D0;
constexpr UINT SHBN_DELETEGROUP = 0x80D2;
constexpr UINT SHBN_ENDHEADEREDIT = 0x80D3;
constexpr UINT SHBN_GETHEADERINFOTIP = 0x80D4;
constexpr UINT SHBN_GROUPEXPANDED = 0x80D5;
constexpr UINT SHBN_GROUPEXPANDING = 0x80D7;
constexpr UINT SHBN_DRAWHEADER = 0x80D8;
constexpr UINT SHBN_DROPGROUP = 0x80D9;
constexpr UINT SHBN_INSERTGROUP = 0x80DA;
// Notifications of the lists (and the bar's drag ones).
constexpr UINT SHBN_DRAGENTER = 0x80A4;
constexpr UINT SHBN_DRAGLEAVE = 0x80A5;
constexpr UINT SHBN_DRAGOVER = 0x80A6;
constexpr UINT SHBN_DROP = 0x80A8;
constexpr UINT SHBN_BEGINDRAGITEM = 0x80DB;
constexpr UINT SHBN_BEGINITEMEDIT = 0x80DC;
constexpr UINT SHBN_DELETEALLITEMS = 0x80DD;
constexpr UINT SHBN_DELETEITEM = 0x80DE;
constexpr UINT SHBN_ENDITEMEDIT = 0x80DF;
constexpr UINT SHBN_GETITEMINFOTIP = 0x80E0;
constexpr UINT SHBN_INSERTITEM = 0x80E1;
constexpr UINT SHBN_PRESSITEM = 0x80E2;
constexpr UINT SHBN_SELECTITEM = 0x80E3;
constexpr UINT SHBN_HOTITEM = 0x80E4;
constexpr UINT SHBN_DRAWITEM = 0x80E5;
constexpr UINT SHBN_GETDROPTARGET = 0x80E6;
constexpr UINT SHBN_GETDROPSOURCE = 0x80E7;
constexpr UINT SHBN_DRAGITEM = 0x80E8;
constexpr UINT SHBN_GETDRAGDATA = 0x80E9;
constexpr UINT SHBN_DROPITEM = 0x80EA;
constexpr UINT SHBN_DRAGDROPENDED = 0x80EB;
// The in-place editor to its owner when an edit ends (record NMSHBEDIT).
constexpr UINT SHBEN_FINISHEDIT = 0x80CF;

// Messages between the bar and its child windows.
constexpr UINT SHBM_POPULATECONTEXTMENU = 0x80EE;
constexpr UINT SHBM_SETSHBGROUP = 0x80EF;      // lParam the group
constexpr UINT SHBM_GROUPINFOCHANGED = 0x80F0; // lParam the changed mask
constexpr UINT SHBM_SHBINFOCHANGED = 0x80F1;   // wParam 1 relayout, 0x20 relayout and repaint
constexpr UINT SHBM_DELETESHBGROUP = 0x80F2;
constexpr UINT SHBM_CHECKHOVER = 0x80F3;
constexpr UINT SHBM_STARTDRAG = 0x80F4;

// Commands of the bar and its lists.
constexpr UINT ID_SHB_LARGEICON = 33014;
constexpr UINT ID_SHB_SMALLICON = 33015;
constexpr UINT ID_SHB_ADDNEWGROUP = 33016;
constexpr UINT ID_SHB_REMOVEGROUP = 33017;
constexpr UINT ID_SHB_RENAMEGROUP = 33018;
constexpr UINT ID_SHB_REMOVEITEM = 33019;
constexpr UINT ID_SHB_RENAMEITEM = 33020;

// Adds amount to each channel, clamped to 0..255: the light (+64) and dark (-128) frames.
COLORREF ShbShiftColor(COLORREF color, int amount);
// Each channel subtracted from 255.
COLORREF ShbInverseColor(COLORREF color);
// The mean absolute difference of the channels is at most 64.
bool ShbNearColors(COLORREF a, COLORREF b);

// What the in-place editor tells its owner when it ends.
struct NMSHBEDIT
{
    NMHDR hdr;
    BOOL accepted;    // Enter or a click elsewhere; FALSE for Escape
    const char* text; // the edited text, valid during the notification
};

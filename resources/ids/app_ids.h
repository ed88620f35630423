// Resource and command ids of the app layer. Its menus and toolbars also name the view's.
#pragma once

#include "resources/ids/view_ids.h"

// The main frame: menu, accelerators, icon, title and the Standard toolbar.
#define IDR_MAINFRAME 128
// The document template: menu, icon and document string.
#define IDR_WENDRATYPE 129

// The other toolbars of the main frame (toolbar resource and bitmap share the id).
#define IDR_TOOLBAR_DISPLAY_FILTER   133
#define IDR_TOOLBAR_WORKSPACE        134
#define IDR_TOOLBAR_ANIMATION        139
#define IDR_TOOLBAR_VIEW_SETTINGS    151
#define IDR_TOOLBAR_TRIAD_POSITION   152
#define IDR_TOOLBAR_SELECTION        154
#define IDR_TOOLBAR_SELECTION_MODE   156
#define IDR_TOOLBAR_DIRECTION        185
#define IDR_TOOLBAR_VIEW_MODE        218
#define IDR_TOOLBAR_SELECTION_FILTER 219

// Control ids of the toolbars; the Standard toolbar is AFX_IDW_TOOLBAR (57344).
#define IDW_TOOLBAR_DISPLAY_FILTER   57352
#define IDW_TOOLBAR_SELECTION        57356
#define IDW_TOOLBAR_SELECTION_FILTER 57360
#define IDW_TOOLBAR_SELECTION_MODE   57364
#define IDW_TOOLBAR_WORKSPACE        57368
#define IDW_TOOLBAR_TRIAD_POSITION   57372
#define IDW_TOOLBAR_DIRECTION        57376
#define IDW_TOOLBAR_ANIMATION        57380
#define IDW_TOOLBAR_VIEW_MODE        57384
#define IDW_TOOLBAR_VIEW_SETTINGS    57388

// Control ids of the docked bars.
#define IDW_OUTPUT_BAR       32771
#define IDW_PROJECT_TREE_BAR 32773

// The splash bitmap, 550 x 480 pixels.
#define IDB_SPLASH 243

// About dialog: the version line and the link.
#define IDD_ABOUTBOX      100
#define IDC_ABOUT_VERSION 1092
#define IDC_ABOUT_LINK    1108

// Project and file commands.
#define ID_PROJECT_NEW         32772
#define ID_PROJECT_OPEN        32774
#define ID_PROJECT_CLOSE       32775
#define ID_PROJECT_SAVE        32776
#define ID_PROJECT_SAVE_AS     32870
#define ID_IMPORT_OP2          32782
#define ID_IMPORT_BULK_DATA    32783
#define ID_IMPORT_UNV          32914
#define ID_EXPORT_DEFORMED_UNV 32915
#define ID_EXPORT_ORIGINAL_UNV 32939

// Settings sheets.
#define ID_DISPLAY_SETTINGS 32781
#define ID_RESULT_SETTINGS  32955
#define ID_SYSTEM_SETTINGS  32957

// Bars: the project tree, the output bar.
#define ID_VIEW_WORKSPACE  32789
#define ID_VIEW_OUTPUT_BAR 32790

// Window menu.
#define ID_WINDOW_TILE_HORZ_SIDE  32872
#define ID_WINDOW_TILE_VERT_STACK 32871
#define ID_WINDOW_NEXT            32873
#define ID_WINDOW_ARRANGE_ICONS   32856

// The project tree bar: its tab picture and the pictures of the tree's nodes.
#define IDB_PROJECT_TREE_TAB   136
#define IDB_PROJECT_TREE_NODES 137

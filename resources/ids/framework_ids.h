// Resource and command ids of the framework layer.
#pragma once

// Scroll window context menu: commands (one per zoom level, in order) and their texts.
#define ID_OXSCROLL_ZOOM_10          26790
#define ID_OXSCROLL_ZOOM_25          26791
#define ID_OXSCROLL_ZOOM_50          26792
#define ID_OXSCROLL_ZOOM_100         26793
#define ID_OXSCROLL_ZOOM_200         26794
#define ID_OXSCROLL_ZOOM_300         26795
#define ID_OXSCROLL_ZOOM_400         26796
#define ID_OXSCROLL_ZOOM_500         26797
#define ID_OXSCROLL_ZOOM_600         26798
#define ID_OXSCROLL_ZOOM_700         26799
#define ID_OXSCROLL_ZOOM_800         26800
#define ID_OXSCROLL_ZOOM_900         26801
#define ID_OXSCROLL_ZOOM_1000        26802
#define ID_OXSCROLL_ZOOM_TO_CONTENT  26803
#define ID_OXSCROLL_ALWAYS_FIT       26804
#define ID_OXSCROLL_TRACK_ZOOM       26805
#define ID_OXSCROLL_SMOOTH           26806
#define IDS_OXSCROLL_ZOOM            26811
#define IDS_OXSCROLL_ZOOM_10         26812
#define IDS_OXSCROLL_ZOOM_25         26813
#define IDS_OXSCROLL_ZOOM_50         26814
#define IDS_OXSCROLL_ZOOM_100        26815
#define IDS_OXSCROLL_ZOOM_200        26816
#define IDS_OXSCROLL_ZOOM_300        26817
#define IDS_OXSCROLL_ZOOM_400        26818
#define IDS_OXSCROLL_ZOOM_500        26819
#define IDS_OXSCROLL_ZOOM_600        26820
#define IDS_OXSCROLL_ZOOM_700        26821
#define IDS_OXSCROLL_ZOOM_800        26822
#define IDS_OXSCROLL_ZOOM_900        26823
#define IDS_OXSCROLL_ZOOM_1000       26824
#define IDS_OXSCROLL_ZOOM_TO_CONTENT 26825
#define IDS_OXSCROLL_ALWAYS_FIT      26826
#define IDS_OXSCROLL_TRACK_ZOOM      26827
#define IDS_OXSCROLL_SMOOTH          26828

// Tab view container: the splitter's cursor.
#define IDC_OXTABVIEW_SPLITTER 30980

// Sizeable control bars: the drag prompt and the context menu's commands and texts.
#define IDS_OXSIZEBAR_DRAGPROMPT  26430
#define ID_OXSIZEBAR_ALLOWDOCKING 26431
#define ID_OXSIZEBAR_HIDE         26432
#define ID_OXSIZEBAR_MDIFLOAT     26433

// Dockable MDI children: the docking item of the system and context menus.
#define IDS_OXMDICHILD_DOCK 26965

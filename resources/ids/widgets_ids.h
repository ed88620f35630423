// Resource and command ids of the widgets layer.
#pragma once

// Calendar popup button texts.
#define IDS_OXCAL_TODAY 26854
#define IDS_OXCAL_NONE  26855

// Cool toolbar: the commands of a button's customisation menu (returned by the menu, never
// routed) and their texts.
#define ID_OXCTB_DELETE           32893
#define ID_OXCTB_APPEARANCE       32894
#define ID_OXCTB_IMAGEONLY        32895
#define ID_OXCTB_IMAGEANDTEXT     32896
#define ID_OXCTB_SEPARATORBEFORE  32897
#define ID_OXCTB_SEPARATORAFTER   32898
#define IDS_OXCTB_DELETE          26585
#define IDS_OXCTB_APPEARANCE      26586
#define IDS_OXCTB_IMAGEONLY       26587
#define IDS_OXCTB_IMAGEANDTEXT    26588
#define IDS_OXCTB_SEPARATORBEFORE 26589
#define IDS_OXCTB_SEPARATORAFTER  26590

// Menu bar: its window text.
#define IDS_OXMENUBAR_TITLE 26966

// Bitmap buttons in the hyperlink look: the cursor over an enabled and a disabled button.
#define IDC_OXBB_LINKHAND    28020
#define IDC_OXBB_UNAVAILABLE 28021

// Popup bar and colour palette: the default and custom buttons' texts, the tear-off strip's tip
// and the torn-off window's caption, then the names of the 40 palette colours.
#define IDS_OXPOPUP_DEFAULT 26536
#define IDS_OXPOPUP_CUSTOM  26537
#define IDS_OXPOPUP_TEAROFF 26538
#define IDS_OXPOPUP_CAPTION 26539
#define IDS_OXCOLOR_FIRST   26540
#define IDS_OXCOLOR_LAST    26579

// Bitmap menu: the texts of an item's customisation menu.
#define IDS_OXBM_DELETE          26531
#define IDS_OXBM_APPEARANCE      26532
#define IDS_OXBM_RECENTLYUSED    26533
#define IDS_OXBM_SEPARATORBEFORE 26534
#define IDS_OXBM_SEPARATORAFTER  26535

// Shortcut bar lists: the captions of the item commands they add to a context menu.
#define IDS_OXSHB_REMOVEITEM 26845
#define IDS_OXSHB_RENAMEITEM 26846

// Page-selector dialog: the template, the shortcut bar that lists the pages, the title line,
// the two caption lines that bound the page area, and Apply.
#define IDD_OXSHB_PAGESELECTOR 26002
#define IDC_OXSHB_APPLY        26001
#define IDC_OXSHB_SELECTOR     26043
#define IDC_OXSHB_TITLE        26045
#define IDC_OXSHB_BOTTOMFRAME  26046
#define IDC_OXSHB_TOPFRAME     26047

// Resource and command ids of the view layer.
#pragma once

// Mouse cursors of the operation modes and of an open selection.
#define IDC_VIEW_PAN               149
#define IDC_VIEW_ZOOM              150
#define IDC_VIEW_ROTATE3D          151
#define IDC_VIEW_ROTATE_VERTICAL   152
#define IDC_VIEW_ROTATE_HORIZONTAL 153
#define IDC_VIEW_ROTATE_PLANE      154
#define IDC_VIEW_SELECT            177

// Drop-down menus of the triad position, direction and view mode toolbars (three popups).
#define IDR_VIEW_DROPDOWNS 172
// The toolbars whose drop-down buttons open them.
#define IDW_VIEW_DROPDOWN_BAR_1 59396
#define IDW_VIEW_DROPDOWN_BAR_2 59414
#define IDW_VIEW_DROPDOWN_BAR_3 59456
// Their entries' images, one bitmap per command (194 is not used).
#define IDB_MENU_TRIAD_LEFT_BOTTOM  186
#define IDB_MENU_TRIAD_LEFT_TOP     187
#define IDB_MENU_TRIAD_RIGHT_BOTTOM 188
#define IDB_MENU_TRIAD_RIGHT_TOP    189
#define IDB_MENU_DIR_XY             190
#define IDB_MENU_DIR_YZ             191
#define IDB_MENU_DIR_ZY             192
#define IDB_MENU_DIR_ZX             193
#define IDB_MENU_DIR_XZ             195
#define IDB_MENU_DIR_XYZ            196
#define IDB_MENU_DIR_YX             197
#define IDB_MENU_DIR_YXZ            198
#define IDB_MENU_WIREFRAME          199
#define IDB_MENU_HIDDENLINE         200
#define IDB_MENU_RIDGELINE_SHADING  201
#define IDB_MENU_SHADING            202
#define IDB_MENU_RIDGELINE          203
// Keys of the 3-D view: the document template's accelerators.
#define IDR_VIEW_ACCELERATORS 129

// View directions, angle and vector views, auto scale.
#define ID_VIEW_DIR_XY    32785
#define ID_VIEW_DIR_YX    32787
#define ID_VIEW_DIR_YZ    32788
#define ID_VIEW_DIR_XZ    32791
#define ID_VIEW_DIR_XYZ   32792
#define ID_VIEW_DIR_YXZ   32793
#define ID_VIEW_DIR_ZY    32822
#define ID_VIEW_DIR_ZX    32823
#define ID_VIEW_ANGLE     32795
#define ID_VIEW_VECTOR    32796
#define ID_VIEW_AUTOSCALE 32797

// Corner of the coordinate triad.
#define ID_TRIAD_RIGHT_BOTTOM 32778
#define ID_TRIAD_RIGHT_TOP    32780
#define ID_TRIAD_LEFT_TOP     32794
#define ID_TRIAD_LEFT_BOTTOM  32800

// Display modes, redraw, shrink, clipping, element property.
#define ID_VIEW_WIREFRAME         32806
#define ID_VIEW_RIDGELINE         32807
#define ID_VIEW_SHADING           32808
#define ID_VIEW_RIDGELINE_SHADING 32809
#define ID_VIEW_HIDDENLINE        32810
#define ID_VIEW_REDRAW            32811
#define ID_VIEW_SHRINK_SETTING    32843
#define ID_VIEW_CLIPPING          32888
#define ID_EDIT_ELEMENT_PROPERTY  32916

// Results: the contour shown, again in a new view.
#define ID_DISPLAY_RESULT 32779

// The load-case combo box of the Animation toolbar.
#define ID_LOADCASE_COMBO 32898

// Animation, image and AVI export, printing (the framework's print ids are its own).
#define ID_ANIMATION_PLAY    32861
#define ID_ANIMATION_STOP    32862
#define ID_ANIMATION_BACK    32863
#define ID_ANIMATION_FORWARD 32864
#define ID_ANIMATION_REPEAT  32865
#define ID_EXPORT_AVI        32867
#define ID_EXPORT_IMAGE      32813
#define ID_VIEW_PRINT        32816

// Show or hide the view toolbars.
#define ID_TOOLBAR_ANIMATION        32835
#define ID_TOOLBAR_SELECTION        32837
#define ID_TOOLBAR_SELECTION_MODE   32838
#define ID_TOOLBAR_TRIAD_POSITION   32839
#define ID_TOOLBAR_DIRECTION        32840
#define ID_TOOLBAR_VIEW_SETTINGS    32841
#define ID_TOOLBAR_WORKSPACE        32842
#define ID_TOOLBAR_VIEW_MODE        32850
#define ID_TOOLBAR_SELECTION_FILTER 32869
#define ID_TOOLBAR_DISPLAY_FILTER   33600

// Display filter: entity kinds drawn.
#define ID_DISPLAY_FILTER_NODE  33594
#define ID_DISPLAY_FILTER_BEAM  33596
#define ID_DISPLAY_FILTER_ELASS 33597
#define ID_DISPLAY_FILTER_SHELL 33598
#define ID_DISPLAY_FILTER_SOLID 33599
#define ID_DISPLAY_FILTER_MASS  32859

// Selection filter: entity kinds picked.
#define ID_SELECT_FILTER_NODE  32851
#define ID_SELECT_FILTER_BEAM  32852
#define ID_SELECT_FILTER_SHELL 32853
#define ID_SELECT_FILTER_ELASS 32854
#define ID_SELECT_FILTER_SOLID 32855
#define ID_SELECT_FILTER_MASS  32868

// Id labels and the element filter.
#define ID_SHOW_ELEMENT_IDS 32894
#define ID_SHOW_NODE_IDS    32895
#define ID_ELEMENT_FILTER   32941

// Recent projects, handed to the main frame.
#define ID_RECENT_PROJECT_FIRST 57616
#define ID_RECENT_PROJECT_LAST  57619

// Commands of the view that the menus and toolbars name.
#define ID_VIEW_PAN                    32798
#define ID_VIEW_ZOOM                   32799
#define ID_VIEW_WINDOW_ZOOM            32801
#define ID_VIEW_ROTATE3D               32802
#define ID_VIEW_ROTATE_PLANE           32803
#define ID_VIEW_ROTATE_VERTICAL        32804
#define ID_VIEW_ROTATE_HORIZONTAL      32805
#define ID_SELECT_CANCEL_ALL           32824
#define ID_SELECT_CANCEL_ONE           32825
#define ID_SELECT_DECISION             32826
#define ID_SELECT_ABORT                32827
#define ID_SELECT_ALL                  32828
#define ID_SELECT_BY_ID                32829
#define ID_SELECT_BY_PROPERTY          32948
#define ID_SELECT_BY_MATERIAL          32949
#define ID_SELECT_RECTANGLE            32832
#define ID_SELECT_CIRCLE               32833
#define ID_SELECT_POLYGON              32834
#define ID_ANIMATION_INTERVAL          32866
#define ID_INFO_MODEL                  32817
#define ID_INFO_ENTITY                 32818
#define ID_INFO_SELECTED_MODEL         32819
#define ID_INFO_ENTITY_DISTANCE        32820
#define ID_INFO_ELEMENT_DIRECTION      32821
#define ID_INFO_RESULT_LIST_NODAL      32878
#define ID_INFO_RESULT_LIST_ELEM       32879
#define ID_INFO_RESULT_GRAPH_NODAL     32882
#define ID_INFO_RESULT_GRAPH_ELEM      32883
#define ID_INFO_DISTANCE_GRAPH_NODAL   32890
#define ID_INFO_DISTANCE_GRAPH_ELEM    32891
#define ID_INFO_ELEMENT_ID             32892
#define ID_INFO_NODE_ID                32893
#define ID_RESULT_CONTOUR_SETTINGS     32846
#define ID_RESULT_VECTOR_SETTINGS      32786
#define ID_RESULT_ANIMATION_SETTINGS   32881
#define ID_RESULT_DEFORMATION_SETTINGS 32884
#define ID_GROUP_CREATE                32961
#define ID_GROUP_EDIT                  32962
#define ID_GROUP_DELETE                32963
#define ID_SECTION_XY_PLUS             32921
#define ID_SECTION_XY_MINUS            32920
#define ID_SECTION_XZ_PLUS             32922
#define ID_SECTION_XZ_MINUS            32925
#define ID_SECTION_YZ_PLUS             32924
#define ID_SECTION_YZ_MINUS            32923
#define ID_SECTION_CUSTOM              32926
#define ID_COLOR_MODE_PROPERTY         32936
#define ID_COLOR_MODE_MATERIAL         32952
#define ID_COLOR_MODE_ELEMENT_TYPE     32937
#define ID_VIEW_ROTATION_CENTER        32943

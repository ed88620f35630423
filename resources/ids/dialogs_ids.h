// Resource and command ids of the dialogs layer.
#pragma once

// New Project dialog.
#define IDD_PROJECT_NEW              217
#define IDC_PROJECTNEW_BLANK         1099
#define IDC_PROJECTNEW_IMPORT        1100
#define IDC_PROJECTNEW_NAME_LABEL    1101
#define IDC_PROJECTNEW_FOLDER_LABEL  1102
#define IDC_PROJECTNEW_NAME          1103
#define IDC_PROJECTNEW_FILE_LABEL    1104
#define IDC_PROJECTNEW_FILE          1105
#define IDC_PROJECTNEW_GROUP         1106
#define IDC_PROJECTNEW_FOLDER        1137
#define IDC_PROJECTNEW_BROWSE_FOLDER 1138
#define IDC_PROJECTNEW_BROWSE_FILE   1139

// Directory dialog.
#define IDD_DIRECTORY        138
#define IDC_DIRECTORY_LABEL  1000
#define IDC_DIRECTORY_PATH   1001
#define IDC_DIRECTORY_CREATE 1002
#define IDC_DIRECTORY_TREE   1003

// Result sheet and its formula dialog.
#define IDD_XLS_CONTROL          146
#define IDC_XLS_LIST             1000
#define IDC_XLS_FORMULA          1004
#define IDC_XLS_CSV              1037
#define IDD_FORMULA              153
#define IDC_FORMULA_COLUMN_LABEL 1011
#define IDC_FORMULA_LABEL        1012
#define IDC_FORMULA_BACKSPACE    1013
#define IDC_FORMULA_EDIT         1014
#define IDC_FORMULA_OPEN         1015
#define IDC_FORMULA_CLOSE        1016
#define IDC_FORMULA_PLUS         1017
#define IDC_FORMULA_MINUS        1018
#define IDC_FORMULA_TIMES        1019
#define IDC_FORMULA_DIVIDE       1020
#define IDC_FORMULA_ADD          1021
#define IDC_FORMULA_COLUMNS      1022
#define IDC_FORMULA_1            1023
#define IDC_FORMULA_CLEAR        1024
#define IDC_FORMULA_2            1027
#define IDC_FORMULA_3            1028
#define IDC_FORMULA_4            1029
#define IDC_FORMULA_5            1030
#define IDC_FORMULA_6            1031
#define IDC_FORMULA_7            1032
#define IDC_FORMULA_8            1033
#define IDC_FORMULA_9            1034
#define IDC_FORMULA_0            1035
#define IDC_FORMULA_POINT        1036

// Result filter dialog.
#define IDD_RESULT_FILTER               131
#define IDC_RESULTFILTER_SELECTED       1006
#define IDC_RESULTFILTER_STEPS          1007
#define IDC_RESULTFILTER_RESULT_GROUP   1009
#define IDC_RESULTFILTER_RESULTS        1010
#define IDC_RESULTFILTER_DELETE         1011
#define IDC_RESULTFILTER_ADD            1021
#define IDC_RESULTFILTER_IDS            1043
#define IDC_RESULTFILTER_ID_GROUP       1044
#define IDC_RESULTFILTER_RESULTS_LABEL  1045
#define IDC_RESULTFILTER_STEPS_LABEL    1058
#define IDC_RESULTFILTER_SELECTED_LABEL 1059

// Result id selection dialog.
#define IDD_RESULT_ID_SELECTION    164
#define IDC_RESULTID_RESULT_GROUP  1009
#define IDC_RESULTID_RESULTS       1010
#define IDC_RESULTID_IDS           1043
#define IDC_RESULTID_ID_GROUP      1044
#define IDC_RESULTID_RESULTS_LABEL 1045

// Select results to load dialog.
#define IDD_SELECT_RESULTS               184
#define IDC_SELECTRESULTS_MOVE_IN        3
#define IDC_SELECTRESULTS_MOVE_OUT       4
#define IDC_SELECTRESULTS_SELECTED       1006
#define IDC_SELECTRESULTS_RESULTS        1007
#define IDC_SELECTRESULTS_STEPS          1008
#define IDC_SELECTRESULTS_RESULTS_LABEL  1048
#define IDC_SELECTRESULTS_SELECTED_LABEL 1049
#define IDC_SELECTRESULTS_STEPS_LABEL    1050
#define IDC_SELECTRESULTS_CONVERSION     1110
#define IDC_SELECTRESULTS_ALL            1111

// Graph window: toolbar, its pictures with the point marks shown and hidden, its commands.
#define IDR_GRAPH_TOOLBAR      144
#define IDB_GRAPH_MARKS_SHOWN  179
#define IDB_GRAPH_MARKS_HIDDEN 180
#define ID_GRAPH_POINT_DISPLAY 32896
#define ID_GRAPH_PRINT         32911

// Settings pages: the controls that several pages share.
#define IDC_SETTINGS_LOAD_DEFAULT 1059
#define IDC_SETTINGS_SAVE_DEFAULT 1060

// Contour defaults page.
#define IDD_CONTOUR_DEFAULTS         236
#define IDC_CONTOUR_BAND_GROUP       12
#define IDC_CONTOUR_SMOOTH           1021
#define IDC_CONTOUR_VALUE_GROUP      1042
#define IDC_CONTOUR_BANDS            1043
#define IDC_CONTOUR_LINES            1044
#define IDC_CONTOUR_ISOSURFACE       1045
#define IDC_CONTOUR_BAND_COUNT       1104
#define IDC_CONTOUR_BAND_COUNT_LABEL 1106
#define IDC_CONTOUR_REVERSE          1107
#define IDC_CONTOUR_LOAD_DEFAULT     1120
#define IDC_CONTOUR_SAVE_DEFAULT     1121

// Vector defaults page.
#define IDD_VECTOR_DEFAULTS           237
#define IDC_VECTOR_LENGTH_GROUP       1089
#define IDC_VECTOR_LENGTH_CONSTANT    1090
#define IDC_VECTOR_LENGTH_MAGNITUDE   1091
#define IDC_VECTOR_SCALE              1093
#define IDC_VECTOR_THIN               1094
#define IDC_VECTOR_NORMAL             1095
#define IDC_VECTOR_THICK              1096
#define IDC_VECTOR_SCALE_LABEL        1097
#define IDC_VECTOR_COLOR_GROUP        1098
#define IDC_VECTOR_THICKNESS_GROUP    1099
#define IDC_VECTOR_SAME_COLOR         1100
#define IDC_VECTOR_COLOR_BANDS        1101
#define IDC_VECTOR_COLOR              1102
#define IDC_VECTOR_BANDS              1104
#define IDC_VECTOR_SELECT_COLOR_LABEL 1105
#define IDC_VECTOR_BANDS_LABEL        1106
#define IDC_VECTOR_CENTER             1107
#define IDC_VECTOR_FROM_CENTER        1108
#define IDC_VECTOR_TO_CENTER          1109
#define IDC_VECTOR_POSITION_GROUP     1110
#define IDC_VECTOR_HEAD_CONSTANT      1111
#define IDC_VECTOR_HEAD_VARIABLE      1112
#define IDC_VECTOR_REVERSE            1113
#define IDC_VECTOR_HEAD_PERCENT       1114
#define IDC_VECTOR_LENGTH_PERCENT     1115
#define IDC_VECTOR_HEAD_SIZE_GROUP    1116
#define IDC_VECTOR_PERCENT_LABEL      1117
#define IDC_VECTOR_HEAD_PERCENT_LABEL 1118
#define IDC_VECTOR_HEAD_TYPE_GROUP    1119
#define IDC_VECTOR_SLIM               1122
#define IDC_VECTOR_HEAD_NORMAL        1123
#define IDC_VECTOR_LARGE              1124
#define IDC_VECTOR_LOAD_DEFAULT       1125
#define IDC_VECTOR_SAVE_DEFAULT       1126

// Per-view contour settings and vector colour bands: the band list and the colour bar.
#define IDD_CONTOUR_SETTING       142
#define IDD_VECTOR_COLOR_BANDS    158
#define IDC_BAND_LIST             1019
#define IDC_BAND_SELECT_GROUP     1022
#define IDC_BAND_LOWER            1023
#define IDC_BAND_UPPER            1024
#define IDC_BAND_BORDER_LABEL     1025
#define IDC_BAND_COLOR_LABEL      1027
#define IDC_BAND_COLOR            1028
#define IDC_BAND_BAR_GROUP        1029
#define IDC_BAND_BAR_BORDER_LABEL 1030
#define IDC_BAND_RANGE_MIN        1031
#define IDC_BAND_RANGE_MAX        1032
#define IDC_BAND_COUNT            1033
#define IDC_BAND_COUNT_LABEL      1035
#define IDC_BAND_RESULT_GROUP     1036
#define IDC_BAND_RANGE_LABEL      1037
#define IDC_BAND_DATA_MIN         1038
#define IDC_BAND_DATA_MAX         1040
#define IDC_BAND_DEFAULT          1041
#define IDC_BAND_APPLY            1046
#define IDC_BAND_CLOSE            1047
#define IDC_VECTOR_BAND_LIST      1142

// Per-view vector settings: the vector defaults page's controls and these.
#define IDD_VECTOR_SETTING      141
#define IDC_VECTOR_APPLY        1004
#define IDC_VECTOR_CANCEL       1005
#define IDC_VECTOR_RESULT_NAME  1088
#define IDC_VECTOR_COLOR_BAND   1103
#define IDC_VECTOR_DLG_SLIM     1120
#define IDC_VECTOR_DLG_NORMAL   1121
#define IDC_VECTOR_DLG_LARGE    1122
#define IDC_VECTOR_LENGTH_LABEL 1201

// Display attribute page.
#define IDD_DISPLAY_ATTRIBUTES               163
#define IDC_DISPLAY_FONT_GROUP               1000
#define IDC_DISPLAY_FONT                     1001
#define IDC_DISPLAY_FONT_LABEL               1002
#define IDC_DISPLAY_FONT_COLOR_LABEL         1003
#define IDC_DISPLAY_ELEMENT_FONT_LABEL       1004
#define IDC_DISPLAY_ELEMENT_FONT             1005
#define IDC_DISPLAY_ELEMENT_FONT_COLOR_LABEL 1007
#define IDC_DISPLAY_NODE_FONT_LABEL          1008
#define IDC_DISPLAY_NODE_FONT                1009
#define IDC_DISPLAY_NODE_FONT_COLOR_LABEL    1010
#define IDC_DISPLAY_GRID_SIZE                1026
#define IDC_DISPLAY_MASS_SIZE                1027
#define IDC_DISPLAY_GRID_SPIN                1028
#define IDC_DISPLAY_MASS_SPIN                1029
#define IDC_DISPLAY_GRID_GROUP               1030
#define IDC_DISPLAY_MASS_GROUP               1031
#define IDC_DISPLAY_BEAM_GROUP               1032
#define IDC_DISPLAY_BEAM_SIZE                1033
#define IDC_DISPLAY_BEAM_SPIN                1034
#define IDC_DISPLAY_ELASS_GROUP              1035
#define IDC_DISPLAY_ELASS_SIZE               1036
#define IDC_DISPLAY_ELASS_SPIN               1037
#define IDC_DISPLAY_SOLID_GROUP              1038
#define IDC_DISPLAY_SOLID_SIZE               1039
#define IDC_DISPLAY_SOLID_SPIN               1040
#define IDC_DISPLAY_SHELL_GROUP              1041
#define IDC_DISPLAY_SHELL_SIZE               1042
#define IDC_DISPLAY_SHELL_SPIN               1043
#define IDC_DISPLAY_GRID_COLOR_LABEL         1057
#define IDC_DISPLAY_GRID_COLOR               1058
#define IDC_DISPLAY_SHELL_COLOR_LABEL        1061
#define IDC_DISPLAY_ELASS_COLOR              1062
#define IDC_DISPLAY_GRID_SIZE_LABEL          1063
#define IDC_DISPLAY_MASS_SIZE_LABEL          1064
#define IDC_DISPLAY_ELASS_COLOR_LABEL        1065
#define IDC_DISPLAY_SHELL_COLOR              1066
#define IDC_DISPLAY_BACKGROUND_LABEL         1067
#define IDC_DISPLAY_BACKGROUND               1068
#define IDC_DISPLAY_MASS_COLOR_LABEL         1069
#define IDC_DISPLAY_MASS_COLOR               1070
#define IDC_DISPLAY_BEAM_COLOR_LABEL         1071
#define IDC_DISPLAY_BEAM_COLOR               1072
#define IDC_DISPLAY_SOLID_COLOR_LABEL        1073
#define IDC_DISPLAY_SOLID_COLOR              1074
#define IDC_DISPLAY_FONT_COLOR               1075
#define IDC_DISPLAY_BEAM_WIDTH_LABEL         1076
#define IDC_DISPLAY_ELASS_WIDTH_LABEL        1077
#define IDC_DISPLAY_SOLID_WIDTH_LABEL        1078
#define IDC_DISPLAY_SHELL_WIDTH_LABEL        1079
#define IDC_DISPLAY_ELEMENT_FONT_COLOR       1080
#define IDC_DISPLAY_NODE_FONT_COLOR          1081
#define IDC_DISPLAY_NOTE                     1113
#define IDC_DISPLAY_ENGLISH                  1147
#define IDC_DISPLAY_JAPANESE                 1148
#define IDC_DISPLAY_LANGUAGE_GROUP           1149

// Material page.
#define IDD_MATERIAL_SETTINGS                 168
#define IDC_MATERIAL_SOLID                    137
#define IDC_MATERIAL_BOTH_SIDES               1002
#define IDC_MATERIAL_OBVERSE_EMISSION         1005
#define IDC_MATERIAL_REVERSE_DIFFUSE          1006
#define IDC_MATERIAL_REVERSE_SPECULAR         1007
#define IDC_MATERIAL_REVERSE_EMISSION         1008
#define IDC_MATERIAL_REVERSE_AMBIENT          1009
#define IDC_MATERIAL_REVERSE_SHININESS_EDIT   1027
#define IDC_MATERIAL_OBVERSE_EMISSION_LABEL   1039
#define IDC_MATERIAL_OBVERSE_EMISSION_OPACITY 1040
#define IDC_MATERIAL_REVERSE_BLANK_LABEL      1042
#define IDC_MATERIAL_SHELL                    1043
#define IDC_MATERIAL_OBVERSE_SHININESS        1046
#define IDC_MATERIAL_REVERSE_GROUP            1047
#define IDC_MATERIAL_REVERSE_LIGHT_GROUP      1048
#define IDC_MATERIAL_REVERSE_DIFFUSE_LABEL    1049
#define IDC_MATERIAL_REVERSE_DIFFUSE_OPACITY  1050
#define IDC_MATERIAL_REVERSE_SPECULAR_LABEL   1051
#define IDC_MATERIAL_REVERSE_SPECULAR_OPACITY 1052
#define IDC_MATERIAL_REVERSE_EMISSION_LABEL   1053
#define IDC_MATERIAL_REVERSE_EMISSION_OPACITY 1054
#define IDC_MATERIAL_REVERSE_AMBIENT_LABEL    1055
#define IDC_MATERIAL_REVERSE_AMBIENT_OPACITY  1056
#define IDC_MATERIAL_REVERSE_SHININESS        1057
#define IDC_MATERIAL_KIND_GROUP               1058
#define IDC_MATERIAL_OBVERSE_GROUP            1059
#define IDC_MATERIAL_OBVERSE_LIGHT_GROUP      1060
#define IDC_MATERIAL_OBVERSE_BLANK_LABEL      1061
#define IDC_MATERIAL_OBVERSE_OPACITY_LABEL    1062
#define IDC_MATERIAL_OBVERSE_AMBIENT_LABEL    1063
#define IDC_MATERIAL_OBVERSE_DIFFUSE_LABEL    1064
#define IDC_MATERIAL_OBVERSE_SPECULAR_LABEL   1065
#define IDC_MATERIAL_OBVERSE_AMBIENT          1066
#define IDC_MATERIAL_OBVERSE_DIFFUSE          1067
#define IDC_MATERIAL_OBVERSE_SPECULAR         1068
#define IDC_MATERIAL_OBVERSE_SPECULAR_OPACITY 1069
#define IDC_MATERIAL_OBVERSE_DIFFUSE_OPACITY  1070
#define IDC_MATERIAL_OBVERSE_AMBIENT_OPACITY  1071
#define IDC_MATERIAL_OBVERSE_SHININESS_GROUP  1072
#define IDC_MATERIAL_OBVERSE_SHININESS_EDIT   1073
#define IDC_MATERIAL_REVERSE_SHININESS_GROUP  1074
#define IDC_MATERIAL_LOAD_DEFAULT             1075
#define IDC_MATERIAL_SAVE_DEFAULT             1076
#define IDC_MATERIAL_REVERSE_OPACITY_LABEL    1077

// Property colour and material colour pages.
#define IDD_PROPERTY_COLORS 207
#define IDD_MATERIAL_COLORS 106
#define IDC_COLORS_LIST     1019
#define IDC_COLORS_LABEL    1027
#define IDC_COLORS_BUTTON   1028
#define IDC_COLORS_GROUP    1029

// File path page.
#define IDD_FILE_PATHS         102
#define IDC_PATHS_CSV          1047
#define IDC_PATHS_TYPE_GROUP   1131
#define IDC_PATHS_MPJ          1132
#define IDC_PATHS_DAT          1133
#define IDC_PATHS_IMG          1134
#define IDC_PATHS_OP2          1135
#define IDC_PATHS_FOLDER_GROUP 1136
#define IDC_PATHS_PATH         1137
#define IDC_PATHS_BROWSE       1138
#define IDC_PATHS_LABEL        1139
#define IDC_PATHS_UNV          1140

// View default page.
#define IDD_VIEW_DEFAULTS           130
#define IDC_VIEWDEF_ANGLE_X         1006
#define IDC_VIEWDEF_ANGLE_Y         1007
#define IDC_VIEWDEF_ANGLE_Z         1008
#define IDC_VIEWDEF_FILTER_GROUP    1009
#define IDC_VIEWDEF_REFERENCE_TRIAD 1011
#define IDC_VIEWDEF_CENTRAL_TRIAD   1017
#define IDC_VIEWDEF_TRIAD_GROUP     1021
#define IDC_VIEWDEF_CORNER_GROUP    1022
#define IDC_VIEWDEF_LEFT_BOTTOM     1023
#define IDC_VIEWDEF_RIGHT_BOTTOM    1024
#define IDC_VIEWDEF_LEFT_TOP        1025
#define IDC_VIEWDEF_RIGHT_TOP       1026
#define IDC_VIEWDEF_MODE_GROUP      1027
#define IDC_VIEWDEF_WIREFRAME       1028
#define IDC_VIEWDEF_RIDGE_LINE      1029
#define IDC_VIEWDEF_SHADING         1030
#define IDC_VIEWDEF_RIDGE_SHADING   1031
#define IDC_VIEWDEF_HIDDEN_LINE     1032
#define IDC_VIEWDEF_RIDGE_LINE_VIEW 1034
#define IDC_VIEWDEF_GRID            1035
#define IDC_VIEWDEF_ELASS           1036
#define IDC_VIEWDEF_SOLID           1037
#define IDC_VIEWDEF_BEAM            1038
#define IDC_VIEWDEF_SHELL           1039
#define IDC_VIEWDEF_MASS            1040
#define IDC_VIEWDEF_GET             1042
#define IDC_VIEWDEF_SHADING_GROUP   1055
#define IDC_VIEWDEF_X_LABEL         1063
#define IDC_VIEWDEF_Y_LABEL         1067
#define IDC_VIEWDEF_Z_LABEL         1070
#define IDC_VIEWDEF_ANGLE_GROUP     1123

// Distance graph dialog.
#define IDD_DISTANCE_GRAPH        182
#define IDC_DISTGRAPH_CLOSE       1047
#define IDC_DISTGRAPH_SCALE_GROUP 1052
#define IDC_DISTGRAPH_SCALE       1053
#define IDC_DISTGRAPH_CREATE      1055

// Tool dialogs: their templates and the controls several of them share.
#define IDD_SELECTION_DECISION    166
#define IDD_MODEL_INFO            167
#define IDD_ENTITY_INFO           169
#define IDD_NODE_DISTANCE         170
#define IDD_EDIT_ELEMENT_PROPERTY 206
#define IDC_ELEMPROP_COMBO        1087
#define IDC_ELEMPROP_LABEL        1088
#define IDC_DECISION_LIST         1164
#define IDC_TOOL_PREVIOUS         1165
#define IDC_TOOL_NEXT             1166
#define IDC_INFO_LIST             1170
#define IDC_NODEDIST_RESULT       1181

// Selection by id: the kind combo, the two id edits and the property and material lists.
#define IDD_SELECTION_BY_ID     218
#define IDC_SELID_KIND          1087
#define IDC_SELID_PROPERTY_LIST 1098
#define IDC_SELID_MATERIAL_LIST 1099
#define IDC_SELID_KIND_LABEL    1114
#define IDC_SELID_NODE_LABEL    1115
#define IDC_SELID_ELEMENT_LABEL 1116
#define IDC_SELID_NODE_IDS      1117
#define IDC_SELID_ELEMENT_IDS   1118
#define IDC_SELID_BOX           1119

// Element filter: the kind buttons, the list with check boxes and its two selection buttons.
#define IDD_ELEMENT_FILTER      212
#define IDC_FILTER_SELECT_ALL   3
#define IDC_FILTER_DESELECT_ALL 4
#define IDC_FILTER_LIST         1093
#define IDC_FILTER_PROPERTY     1094
#define IDC_FILTER_MATERIAL     1095
#define IDC_FILTER_GROUP        1096
#define IDC_FILTER_ENTIRE_MODEL 1141

// Group create and edit, and the list of groups to edit or delete.
#define IDD_GROUP_CREATE      238
#define IDD_GROUP_LIST        239
#define IDC_GROUP_NAME_LABEL  1000
#define IDC_GROUP_ID_LABEL    1001
#define IDC_GROUP_SELECT      1054
#define IDC_GROUP_REMOVE      1056
#define IDC_GROUP_ELEMENTS    1098
#define IDC_GROUP_NAME        1127
#define IDC_GROUP_ELEMENT_BOX 1128
#define IDC_GROUP_ID          1130
#define IDC_GROUP_ACTION      1133
#define IDC_GROUPLIST_LIST    1098
#define IDC_GROUPLIST_BOX     1130
#define IDC_GROUPLIST_ACTION  1132

// Depth clipping dialog.
#define IDD_CLIPPING                 181
#define IDC_CLIPPING_CLOSE           1047
#define IDC_CLIPPING_FORWARD_SLIDER  1058
#define IDC_CLIPPING_FORWARD_LABEL   1115
#define IDC_CLIPPING_BACKWARD_LABEL  1116
#define IDC_CLIPPING_BACKWARD_SLIDER 1117
#define IDC_CLIPPING_BACKWARD_EDIT   1125
#define IDC_CLIPPING_FORWARD_EDIT    1131

// Clipping plane dialog; command 1046 (no control sends it) takes the dialog's copy of the
// three defining points back into the renderer.
#define IDD_CLIPPING_PLANE         194
#define ID_CLIPPLANE_RELOAD_POINTS 1046
#define IDC_CLIPPLANE_CLOSE        1047
#define IDC_CLIPPLANE_REVERSE      1049
#define IDC_CLIPPLANE_LABEL        1081
#define IDC_CLIPPLANE_SLIDER       1085

// Small per-view dialogs: deformation, animation frames, shrink, view angles, view vector.
#define IDD_DEFORMATION_SETTINGS  177
#define IDC_DEFORM_SCALE          1051
#define IDC_DEFORM_MODEL_SCALE    1052
#define IDC_DEFORM_ENABLE         1061
#define IDC_DEFORM_SHOW_MODEL     1062
#define IDC_DEFORM_SHOW_CONTOUR   1063
#define IDC_DEFORM_BY_SCALE       1067
#define IDC_DEFORM_BY_MODEL_SCALE 1068
#define IDD_MAX_LC_STEP           171
#define IDC_MAXLCSTEP_LABEL       1031
#define IDC_MAXLCSTEP_EDIT        1032
#define IDD_SHRINK_SETTING        176
#define IDC_SHRINK_GROUP          1082
#define IDC_SHRINK_FACTOR         1083
#define IDC_SHRINK_MODE           1084
#define IDC_SHRINK_FACTOR_LABEL   1085
#define IDD_VIEW_ANGLE            147
#define IDD_VIEW_VECTOR           148
#define IDC_XYZ_X_LABEL           1063
#define IDC_XYZ_Y_LABEL           1067
#define IDC_XYZ_Z_LABEL           1070
#define IDC_VIEWANGLE_GROUP       1123
#define IDC_VIEWANGLE_X           1128
#define IDC_VIEWANGLE_Y           1129
#define IDC_VIEWANGLE_Z           1130
#define IDC_VIEWVECTOR_GROUP      1127
#define IDC_VIEWVECTOR_X          1124
#define IDC_VIEWVECTOR_Y          1125
#define IDC_VIEWVECTOR_Z          1126

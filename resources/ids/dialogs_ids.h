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
#define IDD_DIRECTORY                138
#define IDC_DIRECTORY_LABEL          1000
#define IDC_DIRECTORY_PATH           1001
#define IDC_DIRECTORY_CREATE         1002
#define IDC_DIRECTORY_TREE           1003

// Graph window: toolbar, its pictures with the point marks shown and hidden, its commands.
#define IDR_GRAPH_TOOLBAR            144
#define IDB_GRAPH_MARKS_SHOWN        179
#define IDB_GRAPH_MARKS_HIDDEN       180
#define ID_GRAPH_POINT_DISPLAY       32896
#define ID_GRAPH_PRINT               32911

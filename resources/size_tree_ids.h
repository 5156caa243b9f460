// Resource and control ids of the helper's size tree dialog and its pictures.
#pragma once

#define IDD_SIZE_TREE 136
#define IDC_SIZE_TREE_VIEW 1016
#define IDC_SIZE_TREE_ANIMATION 1015

// Images 0-3 of the tree: file, file (selected), folder, folder (selected).
#define IDB_SIZE_FILE 137
#define IDB_SIZE_FOLDER 138
#define IDB_SIZE_FOLDER_SELECTED 139
#define IDB_SIZE_FILE_SELECTED 140

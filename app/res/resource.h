// Ids of ConvertVtq's resources: dialogs, menus, strings, commands, bitmaps and pictures. The menu
// "IDR_HELP_MENU" has a name, not a number, so it has no id here.
#ifndef CVQ_RESOURCE_H
#define CVQ_RESOURCE_H

#include "framework_ids.h"

// Dialog templates.
#define IDD_ABOUT_DLG                   100
#define IDD_CONVERTER_FORM              101
#define IDD_WAIT_DLG                    102

// Strings.
#define IDS_OLE_INIT_FAILED             100
#define IDS_PANE1                       122
#define IDS_PANE2                       123
#define IDS_TOOLBAR_STANDARD            124
#define IDS_TOOLBAR_CUSTOMIZE           125
#define IDS_EDIT_MENU                   306

// Menus, accelerators, icons, toolbars and the document string.
#define IDR_EDIT_POPUP                  119
#define IDR_MAINFRAME                   128
#define IDR_TOOLBAR_HICOLOR             129
#define IDR_DOC_ICON                    130
#define IDR_APPLOOK_MENU                200

// Commands of the frame: toolbar customising and the visual styles.
#define ID_CUSTOMIZE_TOOLBARS           126
#define ID_LOOK_DEFAULT                 205
#define ID_LOOK_OFFICE_XP               206
#define ID_LOOK_WINDOWS                 207
#define ID_LOOK_OFFICE_2003             208
#define ID_LOOK_VS_2005                 209
#define ID_LOOK_VS_2008                 210
#define ID_LOOK_OFFICE_2007_BLUE        215
#define ID_LOOK_OFFICE_2007_BLACK       216
#define ID_LOOK_OFFICE_2007_SILVER      217
#define ID_LOOK_OFFICE_2007_AQUA        218
#define ID_LOOK_WINDOWS_7               219

// Faces of the output folder button (bitmaps).
#define IDB_OUTPATH_NORMAL              500
#define IDB_OUTPATH_HOVER               501
#define IDB_OUTPATH_PRESS               502
#define IDB_OUTPATH_DISABLE             503

// Faces of the convert button and the wait panel (PNG pictures of the resource type "IMAGE").
#define IDB_CONVERT_NORMAL              504
#define IDB_CONVERT_HOVER               505
#define IDB_CONVERT_PRESS               506
#define IDB_CONVERT_DISABLE             507
#define IDB_WAIT_IMAGE                  508

#endif

// Standard command, string and control ids of the framework, with the framework's values. The resource
// script and the framework layer share them; only #define lines, since the resource compiler reads this.
#ifndef CVQ_FRAMEWORK_IDS_H
#define CVQ_FRAMEWORK_IDS_H

#define IDC_STATIC              (-1)

// Application title (registry subkey, message box captions) and the status bar's idle text.
#define AFX_IDS_APP_TITLE       0xE000
#define AFX_IDS_IDLEMESSAGE     0xE001

// File commands; the sixteen recent-file commands are consecutive.
#define ID_FILE_NEW             0xE100
#define ID_FILE_OPEN            0xE101
#define ID_FILE_CLOSE           0xE102
#define ID_FILE_SAVE            0xE103
#define ID_FILE_SAVE_AS         0xE104
#define ID_FILE_PRINT           0xE107
#define ID_FILE_MRU_FILE1       0xE110
#define ID_FILE_MRU_FILE2       0xE111
#define ID_FILE_MRU_FILE3       0xE112
#define ID_FILE_MRU_FILE4       0xE113
#define ID_FILE_MRU_FILE5       0xE114
#define ID_FILE_MRU_FILE6       0xE115
#define ID_FILE_MRU_FILE7       0xE116
#define ID_FILE_MRU_FILE8       0xE117
#define ID_FILE_MRU_FILE9       0xE118
#define ID_FILE_MRU_FILE10      0xE119
#define ID_FILE_MRU_FILE11      0xE11A
#define ID_FILE_MRU_FILE12      0xE11B
#define ID_FILE_MRU_FILE13      0xE11C
#define ID_FILE_MRU_FILE14      0xE11D
#define ID_FILE_MRU_FILE15      0xE11E
#define ID_FILE_MRU_FILE16      0xE11F

// Edit commands.
#define ID_EDIT_CLEAR           0xE120
#define ID_EDIT_CLEAR_ALL       0xE121
#define ID_EDIT_COPY            0xE122
#define ID_EDIT_CUT             0xE123
#define ID_EDIT_FIND            0xE124
#define ID_EDIT_PASTE           0xE125
#define ID_EDIT_REPEAT          0xE128
#define ID_EDIT_REPLACE         0xE129
#define ID_EDIT_SELECT_ALL      0xE12A
#define ID_EDIT_UNDO            0xE12B
#define ID_EDIT_REDO            0xE12C

// Window, application and pane commands.
#define ID_WINDOW_SPLIT         0xE135
#define ID_APP_ABOUT            0xE140
#define ID_APP_EXIT             0xE141
#define ID_NEXT_PANE            0xE150
#define ID_PREV_PANE            0xE151

// Status bar indicators.
#define ID_INDICATOR_EXT        0xE700
#define ID_INDICATOR_CAPS       0xE701
#define ID_INDICATOR_NUM        0xE702
#define ID_INDICATOR_SCRL       0xE703
#define ID_INDICATOR_OVR        0xE704
#define ID_INDICATOR_REC        0xE705

// Prompts for the system menu's commands.
#define AFX_IDS_SCSIZE          0xEF00
#define AFX_IDS_SCMOVE          0xEF01
#define AFX_IDS_SCMINIMIZE      0xEF02
#define AFX_IDS_SCMAXIMIZE      0xEF03
#define AFX_IDS_SCNEXTWINDOW    0xEF04
#define AFX_IDS_SCPREVWINDOW    0xEF05
#define AFX_IDS_SCCLOSE         0xEF06
#define AFX_IDS_SCRESTORE       0xEF12
#define AFX_IDS_SCTASKLIST      0xEF13

#endif

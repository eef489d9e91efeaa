// base/command_ids.h - every command identifier of the toolkit's windows, in one place.
//
// One identifier means one command in every window that offers it. Each window kind lists its commands
// once, in a table that builds both its menus and its dispatch; no command number appears elsewhere.
//
// Thread: any (constants only).

#pragma once

//----------------------------------------------------------------------------------
// Main window
//----------------------------------------------------------------------------------
#define IDM_START             1001
#define IDM_EXIT              1002
#define IDM_STOP              1003
#define IDM_PASTE             1026
#define IDM_IMAGEWINDOW       1027
#define IDM_TEXTWINDOW        1028
#define IDM_INPUTBOX          1044
#define IDM_WINDOWINFO        1045   // also a text window's command: the window information report
#define IDM_BUTTONBOX         1051

#define IDC_STATUS            2001   // the main window's status line control

//----------------------------------------------------------------------------------
// Text windows
//----------------------------------------------------------------------------------
#define IDM_TW_DESTROY        1006
#define IDM_TW_ABOUT          1020
#define IDM_TW_STARTLOG       1024
#define IDM_TW_STOPLOG        1025
#define IDM_TW_COMMAND        1029
#define IDM_TW_COPYLOG        1030
#define IDM_TW_SELECT         1069

//----------------------------------------------------------------------------------
// Input box and button box
//----------------------------------------------------------------------------------
#define IDM_IB_DESTROY        1023
#define IDM_BB_DESTROY        1050
#define IDM_IB_RENAME         1056
#define IDM_BB_RENAME         1057

//----------------------------------------------------------------------------------
// Image windows: the context menu and the window's own commands
//----------------------------------------------------------------------------------
#define IDM_LOAD              1004
#define IDM_DESTROY           1005
#define IDM_ZOOM_50           1007
#define IDM_ZOOM_100          1008
#define IDM_ZOOM_200          1009
#define IDM_SAVE_AS           1010
#define IDM_CUT               1011
#define IDM_COPY              1012
#define IDM_PASTE_AT_CLICK    1013
#define IDM_PASTE_TOP_LEFT    1014   // Ctrl+V; no menu item
#define IDM_CLIPPING          1019
#define IDM_ZOOM_PROMPT       1046
#define IDM_RESIZE_PROMPT     1047

//----------------------------------------------------------------------------------
// Image windows: the Process menu
//----------------------------------------------------------------------------------
#define IDM_PIXEL             1015
#define IDM_LINE_RGB          1016
#define IDM_LINE_HSV          1017
#define IDM_LINE_YCRCB        1018
#define IDM_LINE_CRCB         1021
#define IDM_AREA_CRCB         1022
#define IDM_LINE_LUMI         1070
#define IDM_PATTERN_RGB       1053
#define IDM_PATTERN_HSV       1054
#define IDM_PATTERN_YCRCB     1055
#define IDM_PATTERN_YUV       1067
#define IDM_PATTERN_YIQ       1068
#define IDM_PATTERN_GREY      1071
#define IDM_INVERT            1058
#define IDM_FLIP_HORZ         1059
#define IDM_FLIP_VERT         1060
#define IDM_ROTATE_RIGHT      1061
#define IDM_ROTATE_LEFT       1062
#define IDM_SIZE_50           1063
#define IDM_SIZE_70           1064
#define IDM_SIZE_141          1065
#define IDM_SIZE_200          1066
#define IDM_COLOR_CHANGE      1031
#define IDM_COLOR_PICK        1052
#define IDM_LINE_NORMAL       1032
#define IDM_LINE_HORZ         1034
#define IDM_LINE_VERT         1035
#define IDM_BOX_NORMAL        1036
#define IDM_BOX_FILL          1037
#define IDM_BOX_FILL_XOR      1038
#define IDM_CIRCLE_NORMAL     1039
#define IDM_CIRCLE_FILL       1040
#define IDM_CIRCLE_FILL_XOR   1041
#define IDM_DRAW_TEXT         1042
#define IDM_PAINT             1043
#define IDM_TT_DRAW           1048
#define IDM_TT_FONT_CHANGE    1049

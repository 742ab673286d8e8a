/* Identifiers shared by the resource script and the code. Plain defines, so
   that the resource compiler reads this file too. */
#ifndef ZELVAR_RESOURCE_IDS_H
#define ZELVAR_RESOURCE_IDS_H

/* Commands of the main menu, the accelerators and the toolbar. */
#define CMD_ZOOM_RESET 40001
#define CMD_ZOOM_IN 40002
#define CMD_ZOOM_OUT 40003
#define CMD_RECALCULATE 40004
#define CMD_ABOUT 40005
#define CMD_EXIT 40006
#define CMD_CHANGE_PARAMETERS 40007
#define CMD_STOP 40009
#define CMD_EXPORT 40014
#define CMD_LOCATION 40015
#define CMD_OPEN_LOCATION 40016
#define CMD_SAVE_LOCATION 40017
#define CMD_BACK 40018
#define CMD_FORWARD 40019
#define CMD_SAVE_PICTURE 40020

/* Commands of the Orbits window's context menu. */
#define CMD_GUIDE 40010
#define CMD_LINES 40011
#define CMD_DOTS 40012
#define CMD_CROSSHAIRS 40013

/* Controls of the parameters dialog. */
#define IDC_THRESHOLD 1003
#define IDC_MAX_ITERATIONS 1005
#define IDC_BINARY_COLORING 1009

/* Controls of the export dialog. */
#define IDC_EXPORT_POINTS 1010
#define IDC_EXPORT_ITERATIONS 1011

/* Controls of the progress window of a long export. */
#define IDC_EXPORT_PROGRESS_BAR 1012
#define IDC_EXPORT_PROGRESS_TEXT 1013

/* Controls of the Location dialog. */
#define IDC_LOCATION_REAL 1030
#define IDC_LOCATION_IMAG 1031
#define IDC_LOCATION_HALF_HEIGHT 1032

/* Controls of the picture size dialog and of the progress window of a
   picture being saved. */
#define IDC_PICTURE_WIDTH 1040
#define IDC_PICTURE_HEIGHT 1041
#define IDC_PICTURE_KEEP_PROPORTIONS 1042
#define IDC_SAVE_PROGRESS_BAR 1043
#define IDC_SAVE_PROGRESS_TEXT 1044

/* The program's icon. */
#define IDI_ZELVAR 1

/* The picture of the About dialog and its text. */
#define IDB_ABOUT_PICTURE 107
#define IDC_ABOUT_TEXT 1020

#endif

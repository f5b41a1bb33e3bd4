/* Resource and command ids, shared by the resource script and the window code. The menu ids are
   the ids of the push buttons of the same name, so a click and a menu choice reach one handler. */
#ifndef TIDEWELL32_RESOURCE_H
#define TIDEWELL32_RESOURCE_H

/* Resources of the program. */
#define IDI_APP_ICON        500
#define IDC_HAND_CURSOR     501   /* the pointer over the About dialog's links */
#define IDM_MAIN_MENU       600
#define IDB_SPLASH          750   /* 200 x 133, 8 bits per pixel */

/* Commands: menu items and push buttons. */
#define IDM_START           550
#define IDM_REPORT          551
#define IDM_EXIT            1000
#define IDM_COLORS          1800
#define IDM_RUSSIAN_HELP    1811
#define IDM_ENGLISH_HELP    1812
#define IDM_ABOUT           1900

/* Controls of the main window. */
#define IDC_OPTION_RULES    576   /* every check box whose click changes other controls */
#define IDC_START_SIZE      701
#define IDC_END_SIZE        702
#define IDC_STEP_LIST       703   /* both step lists: they are held by handle, never by id */
#define IDC_PROCESSOR       500
#define IDC_MEMORY_SPEED    501
#define IDC_MAX_BANDWIDTH   502
#define IDC_MIN_BANDWIDTH   503
#define IDC_NO_ID           0xFFFF

/* About dialog. */
#define IDC_ABOUT_OK        1901
#define IDC_ABOUT_VERSION   204
#define IDC_LINK_HOMEPAGE   200
#define IDC_LINK_MAIL_1     201
#define IDC_LINK_MAIL_2     202
#define TW_HOMEPAGE_ADDRESS "http://tidewell32.example/"
#define TW_MAIL_ADDRESS_1   "team@tidewell32.example"
#define TW_MAIL_ADDRESS_2   "bugs@tidewell32.example"

/* Colors dialog: one "Change..." button per row, in row order. */
#define IDC_CHANGE_FIRST    1810
#define IDC_CHANGE_LAST     1822
#define IDC_COLORS_OK       1890
#define IDC_COLORS_DEFAULT  1891

#endif

/* Resource and control ids of Zendaro.exe: the one place an id is written.
   Read by the resource script (windres) and by the C++ code, so it holds
   plain #defines only. */
#ifndef ZENDARO_RESOURCE_H
#define ZENDARO_RESOURCE_H

/* Dialog template of the main window. */
#define IDD_MAIN 101

/* Controls of IDD_MAIN. */
#define IDC_DEAL 1003
#define IDC_OFFER_LIST 1004
#define IDC_WIN_HISTORY 1006
#define IDC_MESSAGE 1007
#define IDC_OFFER_VALUE 1008
#define IDC_BANK_VALUE 1009
#define IDC_OFFERS_LABEL 1012
#define IDC_HISTORY_LABEL 1013
#define IDC_BANK_LABEL 1014
#define IDC_NO_DEAL 1039
#define IDC_NEW_GAME 1040
#define IDC_MORE_GAMES 1042
/* <windows.h> names a cursor IDC_HELP; here it is the button, so this
   header comes after <windows.h>. */
#undef IDC_HELP
#define IDC_HELP 1043
#define IDC_BOX_BUTTON_FIRST 10000   /* + BoxId, 0 to 21 */
#define IDC_BOX_PICTURE_FIRST 15000  /* + BoxId */
#define IDC_AMOUNT_PLATE_FIRST 20000 /* + amount index */
#define IDC_STATIC (-1)              /* a control the code never names */

/* Bitmaps. The plate ids do not follow amount order (PlateBitmapId, board.h). */
#define IDB_BANKER_PHONE 108
#define IDB_CLOSED_BOX 168
#define IDB_PLATE_1P 185     /* amount index 0 to 9: 185 to 194 */
#define IDB_PLATE_750 184    /* amount index 10 */
#define IDB_PLATE_1000 196   /* amount index 11 to 20: 196 to 205 */
#define IDB_PLATE_250000 195 /* amount index 21 */
#define IDB_BACKGROUND 213
#define IDB_OPEN_BOX_FIRST 25000 /* + amount index */

/* Icon group and manifest. */
#define IDI_GAME 173
#define IDR_MANIFEST 1

/* WAVE resources: sound n is IDW_FIRST + n. */
#define IDW_FIRST 30000

#endif

/* Resource and control ids of setup.exe: the one place an id is written.
   Read by the resource script (windres) and by the C++ code, so it holds
   plain #defines only. */
#ifndef ZENDARO_SETUP_RESOURCE_H
#define ZENDARO_SETUP_RESOURCE_H

/* The window's dialog template. */
#define IDD_SETUP 101

/* Controls of IDD_SETUP. */
#define IDC_INSTALL 1003
#define IDC_BROWSE 1004
#define IDC_AGREE 1008
#define IDC_INSTALL_PATH 1009
#define IDC_LICENSE_TEXT 1014
#define IDC_SETUP_HEADER 1017
#define IDC_STATIC (-1)

/* Pictures and the icon group. */
#define IDI_SETUP 102
#define IDB_FOLDER 104
#define IDB_SETUP_HEADER 112

/* The licence text (type "LICENSE") and the game program's file (type
   "BINARY"). */
#define IDR_LICENSE 111
#define IDR_GAME_PROGRAM 113

/* The program's manifest: the id Windows reads a process's manifest
   from (CREATEPROCESS_MANIFEST_RESOURCE_ID). */
#define IDR_SETUP_MANIFEST 1

#endif

/* What the parts of setup.exe share: the program-wide state and the
   operations that the window procedure calls. */
#ifndef ZENDARO_SETUP_H
#define ZENDARO_SETUP_H

#include <windows.h>

/* The module instance, the setup window, the font of the caption drawn on
   the header, the licence box's grey brush and whether the folder picker
   is open. Made once; never freed before the process ends. */
extern HINSTANCE setupInstance;
extern HWND setupWindow;
extern HFONT headerFont;
extern HBRUSH licenseBrush;
extern int folderPickerOpen;

/* The size of the game program's file as the build recorded it when it
   packed the file into this setup; the payload must have exactly this
   size before anything is written. */
extern const DWORD gameProgramSize;

/* Why an install stopped: the step, the file or folder it was done to,
   the Windows error, a temporary file that could not be removed again
   (NULL when none was left), and whether the file to be replaced was
   refused as in use, as a running program is. */
struct InstallFailure {
    const char *step;
    const char *path;
    DWORD error;
    const char *leftOver;
    int fileInUse;
};

/* Lets the user pick the folder to install into and shows it in the path
   box, ending in a backslash. */
void BrowseInstallFolder(void);

/* Writes the game program into "Zendaro\" below the path in the path box
   and starts it; a path that is not a full one is refused before anything
   is written. On failure says why and what is on disk, and gives the
   window back to the user. */
void InstallGame(void);

/* Writes size bytes as filePath inside folder without ever leaving a
   partial file: a temporary file in folder is written, flushed and
   checked, then replaces filePath, trying again for about a second
   while filePath is in use. Answers 1 on success; on failure the
   temporary file is gone, filePath is as it was, and *failure says why. */
int WriteFileSafely(const char *folder, const char *filePath, const void *bytes, DWORD size,
                    InstallFailure *failure);

/* Draws the window caption onto the header picture. */
void DrawHeaderCaption(void);

#endif

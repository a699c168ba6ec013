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
    const WCHAR *path;
    DWORD error;
    const WCHAR *leftOver;
    int fileInUse;
};

/* Setup's texts are code page 1252 strings. Wide buffers of size
   characters are cut short where a text does not fit and always end in a
   zero. Append1252 and AppendWide add text to the end of wide;
   WideFrom1252 answers wide holding text alone. */
void Append1252(WCHAR *wide, size_t size, const char *text);
void AppendWide(WCHAR *wide, size_t size, const WCHAR *text);
const WCHAR *WideFrom1252(const char *text, WCHAR *wide, size_t size);

/* A message box without an owner window, titled title (1252). */
void ShowMessageBox(const WCHAR *text, const char *title, UINT type);
void ShowMessageBox1252(const char *text, const char *title, UINT type);

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
int WriteFileSafely(const WCHAR *folder, const WCHAR *filePath, const void *bytes, DWORD size,
                    InstallFailure *failure);

/* Draws the window caption onto the header picture. */
void DrawHeaderCaption(void);

#endif

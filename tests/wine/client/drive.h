/* Drives another process's windows from a test client, as a player would,
   through ordinary window messages: the same on Windows and under Wine.
   Texts are code page 1252 bytes, read through the wide calls, times
   milliseconds; every wait has a timeout. */
#ifndef ZENDARO_DRIVE_H
#define ZENDARO_DRIVE_H

#include <windows.h>

#include <string>
#include <vector>

/* Added to every timed wait below (0 by default): a program that plays
   its sounds synchronously answers nothing while one plays, so where they
   take their real time a client adds the longest run of them; and where
   the program under test runs under emulation, EMULATION_ALLOWANCE_MS. */
extern DWORD driveAllowanceMs;

/* The slowest step of a 32-bit program under QEMU's emulator (Wine 8emu
   of scripts/wine-run), beyond the same step run natively. */
const DWORD EMULATION_ALLOWANCE_MS = 120000;

/* EMULATION_ALLOWANCE_MS when the programs under test run under emulation
   (ZENDARO_WINE=8emu), else 0. */
DWORD DriveEmulationAllowance(void);

struct DriveProcess {
    HANDLE process;
    DWORD pid;
};

/* Starts exePath with parameters (may be "") in workDir (NULL: the
   program's folder) and waits up to idleMs for its first input-idle.
   Answers 0, *p empty, when it cannot start. */
int DriveStart(const char *exePath, const char *parameters, const char *workDir, DWORD idleMs,
               DriveProcess *p);

/* Note, printf-style: one line of progress, flushed, so a hung client's log
   is whole. */
void Log(const char *format, ...);

/* Waits up to timeoutMs (0: a look) for the process to end; answers 1 and
   its exit code if it did. */
int DriveWaitEnd(const DriveProcess *p, DWORD timeoutMs, DWORD *exitCode);

/* Posts WM_CLOSE to window and waits as DriveWaitEnd; *elapsedMs (may be
   NULL) gets the time from the post to the end. */
int DriveClose(const DriveProcess *p, HWND window, DWORD timeoutMs, DWORD *exitCode,
               DWORD *elapsedMs);

/* Ends a process that would not close and releases it; safe to repeat. */
void DriveRelease(DriveProcess *p);

/* The visible top-level dialog ("#32770") of pid titled caption (NULL:
   any), or NULL. */
HWND DriveFindDialog(DWORD pid, const char *caption);
/* The same, waiting up to timeoutMs for it to appear. */
HWND DriveWaitDialog(DWORD pid, const char *caption, DWORD timeoutMs);
/* Every visible top-level dialog of pid, in z-order. */
std::vector<HWND> DriveDialogs(DWORD pid);
/* A visible dialog of pid other than main (a message box), or NULL. */
HWND DriveOtherDialog(DWORD pid, HWND main);

std::string DriveTitle(HWND window);

/* Control id's text (WM_GETTEXT, right for another process's edit too). */
std::string DriveText(HWND dlg, int id);
int DriveEnabled(HWND dlg, int id);
/* Control id's rectangle in dlg's client pixels. */
RECT DriveRect(HWND dlg, int id);
SIZE DriveClientSize(HWND dlg);

/* The lines of list box id, read wide and turned into code page 1252. */
std::vector<std::string> DriveListLines(HWND dlg, int id);

/* Posts BM_CLICK: never blocks, even when the click opens a message box.
   A disabled button ignores it. */
void DriveClick(HWND dlg, int id);

/* A real click (clicks of them in a row: 2 is a double click) through the
   mouse at a point of window's client area: it lands on whatever is on top
   there. Answers 0 when the point is off the screen or the input was
   refused. */
int DriveMouseClick(HWND window, POINT client, bool rightButton = false, int clicks = 1);

/* Whether window answers a message within timeoutMs (0: its thread is
   busy, e.g. inside a blocking call). */
int DriveResponds(HWND window, DWORD timeoutMs);

/* The text of a message box (its static 0xFFFF). */
std::string DriveMessageBoxText(HWND box);

/* Clicks button (IDOK, IDYES ...) of a message box and waits up to
   timeoutMs for the box to go; answers 1 if it went. */
int DriveAnswer(HWND box, int button, DWORD timeoutMs);

/* Polls done(context) every pollMs until it answers nonzero (1) or
   timeoutMs passes (0). DriveWaitFor takes any callable. */
int DriveWaitUntil(int (*done)(void *context), void *context, DWORD timeoutMs, DWORD pollMs);
template <typename Done> int DriveWaitFor(Done done, DWORD timeoutMs, DWORD pollMs = 20)
{
    return DriveWaitUntil([](void *c) { return (*static_cast<Done *>(c))() ? 1 : 0; }, &done,
                          timeoutMs, pollMs);
}

/* Waits until control id of dlg shows text, at most timeoutMs. */
int DriveWaitText(HWND dlg, int id, const char *text, DWORD timeoutMs);

/* Writes what the screen shows of window (its whole frame, or only its
   client area) as a 24-bit BMP file. Answers 1 on success. */
int DriveCaptureWindow(HWND window, const char *bmpPath, bool clientArea = false);

/* UTF-8 paths and texts to the wide calls and back, so that names in any
   letters are read as they are. */
std::wstring Wide(const std::string &utf8);
std::string Utf8(const std::wstring &wide);

/* The whole file at the UTF-8 path as bytes; *found (may be NULL) tells
   whether it could be read. */
std::string ReadWholeFile(const std::string &path, bool *found);

/* Milliseconds from an arbitrary fixed start. */
DWORD DriveNow(void);

#endif

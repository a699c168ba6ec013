/* Drives another process's windows from a test client, as a player would:
   start a program, find its windows, read its controls, click its buttons,
   answer its owner-less message boxes, close it and collect its exit code.

   Everything goes through ordinary window messages, so it works the same on
   Windows and under Wine. Texts are code page 1252 bytes. Times are in
   milliseconds. Every wait has a timeout; nothing here blocks for ever. */
#ifndef ZENDARO_DRIVE_H
#define ZENDARO_DRIVE_H

#include <windows.h>

#include <string>
#include <vector>

/* Added to every timed wait below (0 by default). A program that plays its
   sounds synchronously answers nothing while one plays, so where the sounds
   take their real time a client sets this to the longest run of sounds
   the program plays without a break. */
extern DWORD driveSoundMs;

/* A program started by DriveStart. */
struct DriveProcess {
    HANDLE process;
    DWORD pid;
};

/* Starts exePath with the given parameters (may be "") in workDir (NULL: the
   program's own folder) and waits until its first input-idle (at most
   idleMs). Answers 0 and leaves *p empty when the program cannot start. */
int DriveStart(const char *exePath, const char *parameters, const char *workDir, DWORD idleMs,
               DriveProcess *p);

/* Whether the process has ended; its exit code is then in *exitCode. */
int DriveHasEnded(const DriveProcess *p, DWORD *exitCode);

/* Prints one line of the test's progress and flushes it, so that the
   output of a client that hangs still reaches the test log. */
void Log(const char *format, ...);

/* Waits up to timeoutMs for the process to end. Answers 1 and the exit
   code when it did, 0 when it still runs. */
int DriveWaitEnd(const DriveProcess *p, DWORD timeoutMs, DWORD *exitCode);

/* Posts WM_CLOSE to window and waits up to timeoutMs for the process to
   end; *elapsedMs (may be NULL) gets the time from the post to the end.
   Answers 1 with the exit code, 0 if it did not end in time. */
int DriveClose(const DriveProcess *p, HWND window, DWORD timeoutMs, DWORD *exitCode,
               DWORD *elapsedMs);

/* Ends a process that would not close, and releases the handle. Safe to
   call on an empty or already released DriveProcess. */
void DriveRelease(DriveProcess *p);

/* The visible top-level dialog (class "#32770") of process pid whose title
   is caption (NULL: any title), or NULL. */
HWND DriveFindDialog(DWORD pid, const char *caption);

/* The same, waiting up to timeoutMs for it to appear. */
HWND DriveWaitDialog(DWORD pid, const char *caption, DWORD timeoutMs);

/* Every visible top-level dialog of process pid, in z-order. */
std::vector<HWND> DriveDialogs(DWORD pid);

/* The title of a top-level window. */
std::string DriveTitle(HWND window);

/* The current text of control id of dlg (WM_GETTEXT; also right for an
   edit control of another process). */
std::string DriveText(HWND dlg, int id);

/* Whether control id of dlg is enabled. */
int DriveEnabled(HWND dlg, int id);

/* Control id's rectangle in the client pixels of dlg. */
RECT DriveRect(HWND dlg, int id);

/* The size of dlg's client area in pixels. */
SIZE DriveClientSize(HWND dlg);

/* Every line of list box id of dlg, in order (read with the W call and
   turned into code page 1252, which is right on Windows and under Wine). */
std::vector<std::string> DriveListLines(HWND dlg, int id);

/* Clicks button id of dlg by posting BM_CLICK: never blocks, even when the
   click opens a message box. A disabled button ignores it. */
void DriveClick(HWND dlg, int id);

/* A real left click through the mouse at a point of window's client area:
   it lands on whatever is on top there. Answers 0 when the point is off
   the screen or the input was refused. */
int DriveMouseClick(HWND window, POINT client);

/* A visible dialog of process pid other than main (a message box), or NULL. */
HWND DriveOtherDialog(DWORD pid, HWND main);

/* Whether window answers a message within timeoutMs (0: its thread is
   busy, e.g. inside a blocking call). */
int DriveResponds(HWND window, DWORD timeoutMs);

/* The text of a message box (its static 0xFFFF). */
std::string DriveMessageBoxText(HWND box);

/* Clicks button (IDOK, IDYES, IDNO ...) of a message box and waits up to
   timeoutMs for the box to go away. Answers 1 if it went. */
int DriveAnswer(HWND box, int button, DWORD timeoutMs);

/* Waits until done(context) answers nonzero, polling every pollMs, at most
   timeoutMs. Answers 1 if it did, 0 on timeout. */
int DriveWaitUntil(int (*done)(void *context), void *context, DWORD timeoutMs, DWORD pollMs);

/* The same for any callable: DriveWaitFor([&] { return ...; }, 5000). */
template <typename Done> int DriveWaitFor(Done done, DWORD timeoutMs, DWORD pollMs = 20)
{
    return DriveWaitUntil([](void *c) { return (*static_cast<Done *>(c))() ? 1 : 0; }, &done,
                          timeoutMs, pollMs);
}

/* Waits until control id of dlg shows text, at most timeoutMs. */
int DriveWaitText(HWND dlg, int id, const char *text, DWORD timeoutMs);

/* Writes what the screen shows of window (its whole frame) as a 24-bit BMP
   file. Answers 1 on success. */
int DriveCaptureWindow(HWND window, const char *bmpPath);

/* Milliseconds from an arbitrary fixed start; for timing. */
DWORD DriveNow(void);

#endif

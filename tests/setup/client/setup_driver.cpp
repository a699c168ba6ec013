#include "setup_driver.h"

#include <shlobj.h>
#include <string.h>

bool StartSetup(const std::string &exePath, SetupRun *run, const char *workDir)
{
    run->window = NULL;
    DWORD started = DriveNow();
    if (!DriveStart(exePath.c_str(), "", workDir, 10000, &run->process)) return false;
    run->window = DriveWaitDialog(run->process.pid, "Program Setup", 15000);
    Note(Format("the setup window came %lu ms after the start", DriveNow() - started));
    return run->window != NULL;
}

void CloseSetup(SetupRun *run)
{
    DWORD code = 99;
    bool ended = DriveClose(&run->process, run->window, 10000, &code, NULL);
    Check(ended && code == 0, Format("setup closes and ends with code 0 (ended %d, code %lu)",
                                     ended, (unsigned long)code));
    DriveRelease(&run->process);
}

void SetInstallPath(const SetupRun &run, const std::string &path)
{
    DWORD_PTR result = 0;
    SendMessageTimeoutW(GetDlgItem(run.window, SETUP_INSTALL_PATH), WM_SETTEXT, 0,
                        (LPARAM)Wide(path).c_str(), SMTO_NORMAL, 5000, &result);
}

std::string WideText(HWND dlg, int id)
{
    WCHAR text[4096] = L"";
    DWORD_PTR copied = 0;
    if (!SendMessageTimeoutW(GetDlgItem(dlg, id), WM_GETTEXT, sizeof text / sizeof *text,
                             (LPARAM)text, SMTO_NORMAL, 5000, &copied))
        return "";
    return Utf8(std::wstring(text, copied < sizeof text / sizeof *text ? copied : 0));
}

std::string LongText(HWND dlg, int id)
{
    HWND control = GetDlgItem(dlg, id);
    DWORD_PTR length = 0;
    if (!SendMessageTimeoutA(control, WM_GETTEXTLENGTH, 0, 0, SMTO_NORMAL, 5000, &length))
        return "";
    std::string text(length + 1, '\0');
    DWORD_PTR copied = 0;
    SendMessageTimeoutA(control, WM_GETTEXT, length + 1, (LPARAM)&text[0], SMTO_NORMAL, 5000,
                        &copied);
    text.resize(copied);
    return text;
}

bool IsAgreed(const SetupRun &run)
{
    DWORD_PTR state = 0;
    SendMessageTimeoutA(GetDlgItem(run.window, SETUP_AGREE), BM_GETCHECK, 0, 0, SMTO_NORMAL, 5000,
                        &state);
    return state == BST_CHECKED;
}

bool SetAgreed(const SetupRun &run, bool agreed)
{
    if (IsAgreed(run) != agreed) DriveClick(run.window, SETUP_AGREE);
    return DriveWaitFor(
        [&] {
            return IsAgreed(run) == agreed && DriveEnabled(run.window, SETUP_INSTALL) == agreed;
        },
        5000, 10);
}

HWND WaitSetupBox(const SetupRun &run, const char *caption, DWORD timeoutMs, const char *unwanted,
                  bool *sawUnwanted)
{
    HWND box = NULL;
    DriveWaitFor(
        [&] {
            if (unwanted && DriveFindDialog(run.process.pid, unwanted)) *sawUnwanted = true;
            for (HWND dialog : DriveDialogs(run.process.pid))
                if (dialog != run.window && (!caption || DriveTitle(dialog) == caption))
                    box = dialog;
            return box != NULL;
        },
        timeoutMs, 10);
    return box;
}

std::string DesktopFolder(void)
{
    char desktop[MAX_PATH] = "";
    SHGetFolderPathA(NULL, CSIDL_DESKTOPDIRECTORY, NULL, 0, desktop);
    return desktop;
}

void CheckBrowsePicksDesktop(const SetupRun &run)
{
    DriveClick(run.window, SETUP_BROWSE);
    HWND picker = WaitSetupBox(run, NULL, 15000, NULL, NULL);
    if (!Check(picker != NULL, "Browse opens the picker")) return;
    Check(DriveAnswer(picker, IDOK, 5000) != 0, "OK closes the picker");
    std::string expected = DesktopFolder() + "\\";
    Check(DriveWaitText(run.window, SETUP_INSTALL_PATH, expected.c_str(), 3000) != 0,
          "the picked folder (the desktop) shows as " + expected +
              " (shown: " + DriveText(run.window, SETUP_INSTALL_PATH) + ")");
}

int EnabledChoices(const SetupRun &run)
{
    return DriveEnabled(run.window, SETUP_INSTALL) + DriveEnabled(run.window, SETUP_AGREE) +
           DriveEnabled(run.window, SETUP_BROWSE);
}

/* The first visible top-level window of class and title (either may be
   NULL: any). */
static HWND FindVisible(const char *className, const char *title)
{
    HWND window = NULL;
    while ((window = FindWindowExA(NULL, window, className, title)) != NULL)
        if (IsWindowVisible(window)) return window;
    return NULL;
}

HWND FindGameWindow(void)
{
    return FindVisible(NULL, GAME_TITLE);
}

HWND WaitGameWindow(DWORD timeoutMs)
{
    DriveWaitFor([] { return FindGameWindow() != NULL; }, timeoutMs);
    return FindGameWindow();
}

std::string ProgramOfWindow(HWND window)
{
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    HANDLE process = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, pid);
    if (!process) return "";
    WCHAR path[MAX_PATH * 2];
    DWORD size = sizeof path / sizeof *path;
    if (!QueryFullProcessImageNameW(process, 0, path, &size)) size = 0;
    CloseHandle(process);
    return Utf8(std::wstring(path, size));
}

bool CloseGame(HWND gameWindow)
{
    DWORD pid = 0;
    GetWindowThreadProcessId(gameWindow, &pid);
    DriveProcess game = {
        OpenProcess(SYNCHRONIZE | PROCESS_QUERY_LIMITED_INFORMATION | PROCESS_TERMINATE, FALSE,
                    pid),
        pid};
    bool ended = game.process && DriveClose(&game, gameWindow, 15000, NULL, NULL);
    DriveRelease(&game);
    return ended;
}

void RealClick(HWND dlg, int id, bool rightButton, int clicks)
{
    HWND control = GetDlgItem(dlg, id);
    RECT r;
    GetClientRect(control, &r);
    DriveMouseClick(control, POINT{r.right / 2, r.bottom / 2}, rightButton, clicks);
    Sleep(200);
}

void RealKeys(const std::vector<WORD> &virtualKeys, WORD held)
{
    INPUT hold[2];
    memset(hold, 0, sizeof hold);
    hold[0].type = hold[1].type = INPUT_KEYBOARD;
    hold[0].ki.wVk = hold[1].ki.wVk = held;
    hold[1].ki.dwFlags = KEYEVENTF_KEYUP;
    if (held) SendInput(1, &hold[0], sizeof hold[0]);
    for (WORD key : virtualKeys) {
        INPUT press[2] = {hold[0], hold[1]};
        press[0].ki.wVk = press[1].ki.wVk = key;
        SendInput(2, press, sizeof press[0]);
        Sleep(30);
    }
    if (held) SendInput(1, &hold[1], sizeof hold[1]);
    Sleep(200);
}

HWND FocusOf(const SetupRun &run)
{
    GUITHREADINFO info;
    memset(&info, 0, sizeof info);
    info.cbSize = sizeof info;
    DWORD thread = GetWindowThreadProcessId(run.window, NULL);
    return GetGUIThreadInfo(thread, &info) ? info.hwndFocus : NULL;
}

bool PopupMenuClosed(void)
{
    if (!FindVisible("#32768", NULL)) return false;
    RealKeys({VK_ESCAPE});
    return true;
}

std::vector<COLORREF> CaptureControl(HWND dlg, int id)
{
    RECT r;
    GetWindowRect(GetDlgItem(dlg, id), &r);
    return CaptureScreen(r);
}

std::vector<COLORREF> CaptureScreen(const RECT &screenRect)
{
    long width = screenRect.right - screenRect.left, height = screenRect.bottom - screenRect.top;
    std::vector<COLORREF> pixels(width > 0 && height > 0 ? width * height : 0);
    HDC screen = GetDC(NULL);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, width, height);
    HGDIOBJ old = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, width, height, screen, screenRect.left, screenRect.top, SRCCOPY);
    SelectObject(memory, old);
    BITMAPINFO info;
    memset(&info, 0, sizeof info);
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height; /* top row first */
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    if (!pixels.empty()) GetDIBits(memory, bitmap, 0, height, &pixels[0], &info, DIB_RGB_COLORS);
    for (COLORREF &c : pixels) c = RGB(GetBValue(c), GetGValue(c), GetRValue(c)); /* from BGR */
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(NULL, screen);
    return pixels;
}

bool WriteBitmapFile(const std::string &path, const std::vector<COLORREF> &pixels, long width)
{
    long height = width > 0 ? (long)(pixels.size() / width) : 0;
    unsigned rowBytes = ((unsigned)width * 3 + 3) & ~3u;
    std::string file(54 + (size_t)rowBytes * height, '\0');
    auto put = [&](size_t at, unsigned value, int bytes) {
        for (int i = 0; i < bytes; i++) file[at + i] = (char)(value >> (8 * i));
    };
    file[0] = 'B';
    file[1] = 'M';
    put(2, (unsigned)file.size(), 4);
    put(10, 54, 4);
    put(14, 40, 4);
    put(18, (unsigned)width, 4);
    put(22, (unsigned)height, 4); /* bottom-up, as a BMP file stores it */
    put(26, 1, 2);
    put(28, 24, 2);
    for (long y = 0; y < height; y++)
        for (long x = 0; x < width; x++) {
            COLORREF c = pixels[(size_t)y * width + x];
            size_t at = 54 + (size_t)(height - 1 - y) * rowBytes + (size_t)x * 3;
            put(at, GetBValue(c) | GetGValue(c) << 8 | GetRValue(c) << 16, 3);
        }
    return width > 0 && height > 0 && WriteWholeFile(path, file);
}

void CheckInstallSucceeds(const SetupRun &run, const std::string &folder,
                          const std::string &payload, const std::vector<std::string> &names,
                          bool quarantine)
{
    DriveClick(run.window, SETUP_INSTALL);
    bool sawError = false;
    HWND box = WaitSetupBox(run, "SUCCESS", 30000, "ERROR", &sawError);
    if (!Check(box != NULL && !sawError, "Install shows the SUCCESS box and no ERROR box")) return;
    Check(DriveMessageBoxText(box) == "SETUP is Complete !", "it says \"SETUP is Complete !\"");
    Check(EnabledChoices(run) == 0, "Install, agree and Browse stay disabled");
    FolderState state = ReadFolderState(folder);
    Check(state.hasGame && state.gameBytes == payload,
          Format("%s\\Zendaro.exe is the payload byte for byte (%zu of %zu bytes)", folder.c_str(),
                 state.gameBytes.size(), payload.size()));
    Check(state.names == names,
          "the folder holds " + DescribeFolderState(state) + ", no temporary file");
    Check(FindGameWindow() == NULL, "the game has not started before the box is answered");
    if (quarantine)
        Check(DeleteFileA((folder + "\\Zendaro.exe").c_str()) != 0,
              "the new Zendaro.exe is taken away before the box is answered");
    Check(DriveAnswer(box, IDOK, 5000) != 0, "the SUCCESS box closes on OK");
}

void CheckGameStartsAndSetupEnds(SetupRun *run, const std::string &folder)
{
    DWORD answered = DriveNow();
    HWND game = WaitGameWindow(30000);
    Check(game != NULL, "the game's window appears with its title");
    Note(Format("it came %lu ms after the box was answered", DriveNow() - answered));
    DWORD code = 99;
    bool ended = DriveWaitEnd(&run->process, 10000, &code);
    Check(ended && code == 0,
          Format("setup ends by itself with code 0 (code %lu)", (unsigned long)code));
    DriveRelease(&run->process);
    if (!game) return;
    std::string program = ProgramOfWindow(game);
    Check(_stricmp(program.c_str(), (folder + "\\Zendaro.exe").c_str()) == 0,
          "the game runs from the installed file: " + program);
    Check(CloseGame(game), "the game closes");
}

#include "drive.h"

#include "check.h"

#include <stdarg.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

DWORD DriveNow(void)
{
    return GetTickCount();
}

DWORD driveAllowanceMs = 0;

/* A wait of timeoutMs with the allowance; a look (0) stays a look. */
static DWORD WithAllowance(DWORD timeoutMs)
{
    return timeoutMs ? timeoutMs + driveAllowanceMs : 0;
}

int DriveStart(const char *exePath, const char *parameters, const char *workDir, DWORD idleMs,
               DriveProcess *p)
{
    p->process = NULL;
    p->pid = 0;
    /* CreateProcess may write into the command line, so it gets a copy. */
    std::string line = std::string("\"") + exePath + "\" " + (parameters ? parameters : "");
    std::vector<char> buffer(line.begin(), line.end());
    buffer.push_back('\0');
    STARTUPINFOA startup;
    memset(&startup, 0, sizeof startup);
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info;
    if (!CreateProcessA(exePath, buffer.data(), NULL, NULL, FALSE, 0, NULL, workDir, &startup,
                        &info))
        return 0;
    CloseHandle(info.hThread);
    p->process = info.hProcess;
    p->pid = info.dwProcessId;
    WaitForInputIdle(info.hProcess, WithAllowance(idleMs));
    return 1;
}

DWORD DriveEmulationAllowance(void)
{
    const char *wine = getenv("ZENDARO_WINE");
    return wine && strcmp(wine, "8emu") == 0 ? EMULATION_ALLOWANCE_MS : 0;
}

int DriveWaitEnd(const DriveProcess *p, DWORD timeoutMs, DWORD *exitCode)
{
    if (!p->process) return 0;
    if (WaitForSingleObject(p->process, WithAllowance(timeoutMs)) != WAIT_OBJECT_0) return 0;
    DWORD code = 0;
    GetExitCodeProcess(p->process, &code);
    if (exitCode) *exitCode = code;
    return 1;
}

int DriveClose(const DriveProcess *p, HWND window, DWORD timeoutMs, DWORD *exitCode,
               DWORD *elapsedMs)
{
    DWORD start = DriveNow();
    PostMessageA(window, WM_CLOSE, 0, 0);
    int ended = DriveWaitEnd(p, timeoutMs, exitCode);
    if (elapsedMs) *elapsedMs = DriveNow() - start;
    return ended;
}

void DriveRelease(DriveProcess *p)
{
    if (!p->process) return;
    if (WaitForSingleObject(p->process, 0) != WAIT_OBJECT_0) {
        TerminateProcess(p->process, 99);
        WaitForSingleObject(p->process, 5000);
    }
    CloseHandle(p->process);
    p->process = NULL;
    p->pid = 0;
}

/* What a player sees, read wide and turned into code page 1252, whatever
   the ANSI code page of either program: a character that 1252 lacks reads
   as another byte. */
static std::string Narrow1252(const wchar_t *wide)
{
    char text[4096];
    int bytes = WideCharToMultiByte(1252, 0, wide, -1, text, sizeof text, NULL, NULL);
    return bytes > 0 ? text : "";
}

std::string DriveTitle(HWND window)
{
    wchar_t text[1024];
    text[0] = L'\0';
    GetWindowTextW(window, text, sizeof text / sizeof text[0]);
    return Narrow1252(text);
}

namespace
{

struct DialogSearch {
    DWORD pid;
    std::vector<HWND> found;
};

BOOL CALLBACK CollectDialog(HWND window, LPARAM context)
{
    DialogSearch *search = (DialogSearch *)context;
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    if (pid != search->pid || !IsWindowVisible(window)) return TRUE;
    char className[64];
    if (!GetClassNameA(window, className, sizeof className)) return TRUE;
    if (strcmp(className, "#32770") == 0) search->found.push_back(window);
    return TRUE;
}

} // namespace

std::vector<HWND> DriveDialogs(DWORD pid)
{
    DialogSearch search;
    search.pid = pid;
    EnumWindows(CollectDialog, (LPARAM)&search);
    return search.found;
}

HWND DriveFindDialog(DWORD pid, const char *caption)
{
    for (HWND window : DriveDialogs(pid)) {
        if (!caption || DriveTitle(window) == caption) return window;
    }
    return NULL;
}

HWND DriveWaitDialog(DWORD pid, const char *caption, DWORD timeoutMs)
{
    DWORD start = DriveNow();
    for (;;) {
        HWND window = DriveFindDialog(pid, caption);
        if (window) return window;
        if (DriveNow() - start >= WithAllowance(timeoutMs)) return NULL;
        Sleep(20);
    }
}

std::string DriveText(HWND dlg, int id)
{
    wchar_t text[4096];
    text[0] = L'\0';
    HWND control = GetDlgItem(dlg, id);
    if (!control) return "";
    DWORD_PTR copied = 0;
    if (!SendMessageTimeoutW(control, WM_GETTEXT, sizeof text / sizeof text[0], (LPARAM)text,
                             SMTO_NORMAL, WithAllowance(5000), &copied))
        return "";
    text[sizeof text / sizeof text[0] - 1] = L'\0';
    return Narrow1252(text);
}

int DriveEnabled(HWND dlg, int id)
{
    return IsWindowEnabled(GetDlgItem(dlg, id)) ? 1 : 0;
}

RECT DriveRect(HWND dlg, int id)
{
    RECT r = {0, 0, 0, 0};
    HWND control = GetDlgItem(dlg, id);
    if (!control) return r;
    GetWindowRect(control, &r);
    MapWindowPoints(NULL, dlg, (POINT *)&r, 2);
    return r;
}

SIZE DriveClientSize(HWND dlg)
{
    RECT r = {0, 0, 0, 0};
    GetClientRect(dlg, &r);
    SIZE size = {r.right - r.left, r.bottom - r.top};
    return size;
}

std::vector<std::string> DriveListLines(HWND dlg, int id)
{
    std::vector<std::string> lines;
    LRESULT count = SendDlgItemMessageW(dlg, id, LB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; i++) {
        LRESULT length = SendDlgItemMessageW(dlg, id, LB_GETTEXTLEN, (WPARAM)i, 0);
        if (length < 0) break;
        std::vector<wchar_t> wide((size_t)length + 1, L'\0');
        SendDlgItemMessageW(dlg, id, LB_GETTEXT, (WPARAM)i, (LPARAM)wide.data());
        lines.push_back(Narrow1252(wide.data()));
    }
    return lines;
}

void DriveClick(HWND dlg, int id)
{
    PostMessageA(GetDlgItem(dlg, id), BM_CLICK, 0, 0);
}

namespace
{

INPUT MouseInput(DWORD flags, POINT at)
{
    INPUT input = {};
    input.type = INPUT_MOUSE;
    input.mi.dx = at.x * 65535 / (GetSystemMetrics(SM_CXSCREEN) - 1);
    input.mi.dy = at.y * 65535 / (GetSystemMetrics(SM_CYSCREEN) - 1);
    input.mi.dwFlags = flags | MOUSEEVENTF_ABSOLUTE;
    return input;
}

} // namespace

int DriveMouseClick(HWND window, POINT client, bool rightButton, int clicks)
{
    ClientToScreen(window, &client);
    if (client.x < 0 || client.y < 0 || client.x >= GetSystemMetrics(SM_CXSCREEN) ||
        client.y >= GetSystemMetrics(SM_CYSCREEN))
        return 0;
    INPUT move = MouseInput(MOUSEEVENTF_MOVE, client);
    if (SendInput(1, &move, sizeof move) != 1) return 0;
    /* The window under the mouse takes the move before the press, as a
       hand's would be. */
    Sleep(50);
    for (int i = 0; i < clicks; i++) {
        INPUT press[2] = {
            MouseInput(rightButton ? MOUSEEVENTF_RIGHTDOWN : MOUSEEVENTF_LEFTDOWN, client),
            MouseInput(rightButton ? MOUSEEVENTF_RIGHTUP : MOUSEEVENTF_LEFTUP, client)};
        if (SendInput(2, press, sizeof press[0]) != 2) return 0;
        Sleep(30);
    }
    return 1;
}

// cppcheck-suppress constParameter ; HWND is an opaque handle, never const
HWND DriveOtherDialog(DWORD pid, HWND main)
{
    for (HWND window : DriveDialogs(pid)) {
        if (window != main) return window;
    }
    return NULL;
}

int DriveResponds(HWND window, DWORD timeoutMs)
{
    DWORD_PTR result = 0;
    return SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_NORMAL, timeoutMs, &result) ? 1 : 0;
}

std::string DriveMessageBoxText(HWND box)
{
    return DriveText(box, 0xFFFF);
}

int DriveAnswer(HWND box, int button, DWORD timeoutMs)
{
    HWND control = GetDlgItem(box, button);
    if (!control) return 0;
    PostMessageA(control, BM_CLICK, 0, 0);
    DWORD start = DriveNow();
    while (IsWindow(box) && IsWindowVisible(box)) {
        if (DriveNow() - start >= WithAllowance(timeoutMs)) return 0;
        Sleep(10);
    }
    return 1;
}

int DriveWaitUntil(int (*done)(void *context), void *context, DWORD timeoutMs, DWORD pollMs)
{
    DWORD start = DriveNow();
    for (;;) {
        if (done(context)) return 1;
        if (DriveNow() - start >= WithAllowance(timeoutMs)) return 0;
        Sleep(pollMs);
    }
}

namespace
{

struct TextWait {
    HWND dlg;
    int id;
    const char *text;
};

int TextShown(void *context)
{
    const TextWait *wait = (const TextWait *)context;
    return DriveText(wait->dlg, wait->id) == wait->text;
}

void PutLittleEndian(unsigned char *at, unsigned value, int bytes)
{
    for (int i = 0; i < bytes; i++) at[i] = (unsigned char)(value >> (8 * i));
}

} // namespace

int DriveWaitText(HWND dlg, int id, const char *text, DWORD timeoutMs)
{
    TextWait wait = {dlg, id, text};
    return DriveWaitUntil(TextShown, &wait, timeoutMs, 20);
}

int DriveCaptureWindow(HWND window, const char *bmpPath, bool clientArea)
{
    RECT r;
    if (clientArea ? !GetClientRect(window, &r) : !GetWindowRect(window, &r)) return 0;
    if (clientArea) MapWindowPoints(window, NULL, (POINT *)&r, 2);
    int width = r.right - r.left, height = r.bottom - r.top;
    if (width <= 0 || height <= 0) return 0;
    HDC screen = GetDC(NULL);
    HDC memory = CreateCompatibleDC(screen);
    BITMAPINFO info;
    memset(&info, 0, sizeof info);
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = height; /* bottom-up, as a BMP file stores it */
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    info.bmiHeader.biCompression = BI_RGB;
    void *bits = NULL;
    HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, NULL, 0);
    int ok = 0;
    if (bitmap && bits) {
        HGDIOBJ old = SelectObject(memory, bitmap);
        BitBlt(memory, 0, 0, width, height, screen, r.left, r.top, SRCCOPY);
        GdiFlush();
        SelectObject(memory, old);
        unsigned rowBytes = ((unsigned)width * 3 + 3) & ~3u;
        unsigned imageBytes = rowBytes * (unsigned)height;
        unsigned char header[54];
        memset(header, 0, sizeof header);
        header[0] = 'B';
        header[1] = 'M';
        PutLittleEndian(header + 2, 54 + imageBytes, 4);
        PutLittleEndian(header + 10, 54, 4);
        memcpy(header + 14, &info.bmiHeader, 40);
        PutLittleEndian(header + 34, imageBytes, 4);
        FILE *file = fopen(bmpPath, "wb");
        if (file) {
            ok = fwrite(header, 1, sizeof header, file) == sizeof header &&
                 fwrite(bits, 1, imageBytes, file) == imageBytes;
            ok = (fclose(file) == 0) && ok;
        }
    }
    if (bitmap) DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(NULL, screen);
    return ok;
}

void Log(const char *format, ...)
{
    char text[4096];
    va_list args;
    va_start(args, format);
    vsnprintf(text, sizeof text, format, args);
    va_end(args);
    Note(text);
}

std::wstring Wide(const std::string &utf8)
{
    std::wstring wide(utf8.size() + 1, L'\0');
    int length =
        MultiByteToWideChar(CP_UTF8, 0, utf8.data(), (int)utf8.size(), &wide[0], (int)wide.size());
    wide.resize(length > 0 ? length : 0);
    return wide;
}

std::string Utf8(const std::wstring &wide)
{
    std::string utf8(wide.size() * 4 + 1, '\0');
    int length = WideCharToMultiByte(CP_UTF8, 0, wide.data(), (int)wide.size(), &utf8[0],
                                     (int)utf8.size(), NULL, NULL);
    utf8.resize(length > 0 ? length : 0);
    return utf8;
}

std::string ReadWholeFile(const std::string &path, bool *found)
{
    std::string bytes;
    FILE *file = _wfopen(Wide(path).c_str(), L"rb");
    if (found) *found = file != NULL;
    if (!file) return bytes;
    char buffer[65536];
    size_t got;
    while ((got = fread(buffer, 1, sizeof buffer, file)) > 0) bytes.append(buffer, got);
    (void)fclose(file); /* read already: nothing to lose */
    return bytes;
}

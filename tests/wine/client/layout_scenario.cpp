/* The board as the game opens it, on screen too; keys that must do
   nothing, and the real mouse. */
#include <windows.h>

#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <tlhelp32.h>

#include "game_play.h"

void SendKey(WORD key, int up)
{
    INPUT input;
    memset(&input, 0, sizeof input);
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = key;
    input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    SendInput(1, &input, sizeof input);
}

void PressKey(WORD key)
{
    SendKey(key, 0);
    SendKey(key, 1);
}

HWND FocusOf(HWND dlg)
{
    GUITHREADINFO info;
    memset(&info, 0, sizeof info);
    info.cbSize = sizeof info;
    GetGUIThreadInfo(GetWindowThreadProcessId(dlg, NULL), &info);
    return info.hwndFocus;
}

/* Brings the game's window to the foreground, so typed keys go to it. */
int TakeKeyboard(HWND dlg)
{
    DWORD start = DriveNow();
    /* The activation waits for the window's thread, which a sound that
       plays may hold: the allowance counts. */
    while (GetForegroundWindow() != dlg && DriveNow() - start < 3000 + driveAllowanceMs) {
        SetForegroundWindow(dlg);
        Sleep(100);
    }
    Sleep(100);
    return GetForegroundWindow() == dlg;
}

/* Keys reach the window both posted and typed; none may change anything. */
void CheckKeysDoNothing(Game *g)
{
    HWND dlg = g->dlg;
    HWND focus = FocusOf(dlg);
    HWND edit = GetDlgItem(dlg, ID_MESSAGE);
    HWND box1 = GetDlgItem(dlg, ID_BOX_BUTTON);
    for (HWND target : {focus, box1, edit}) {
        if (!target) continue;
        for (WPARAM key : {(WPARAM)VK_SPACE, (WPARAM)VK_RETURN, (WPARAM)VK_TAB, (WPARAM)'A'}) {
            PostMessageA(target, WM_KEYDOWN, key, 1);
            PostMessageA(target, WM_KEYUP, key, 0xC0000001);
        }
    }
    EXPECT(TakeKeyboard(dlg), "the game window is not in the foreground for typed keys");
    for (WORD key : {(WORD)VK_TAB, (WORD)VK_SPACE, (WORD)VK_RETURN, (WORD)VK_RIGHT, (WORD)VK_DOWN,
                     (WORD)'A', (WORD)'5'}) {
        PressKey(key);
        Sleep(50);
    }
    Sleep(500);
    EXPECT(FocusOf(dlg) == focus, "a key moved the focus");
    EXPECT_TEXT(dlg, ID_MESSAGE, CHOOSE);
    int moved = 0;
    for (int b = 0; b < BOXES; b++) {
        moved += !Near(DriveRect(dlg, ID_BOX_BUTTON + b), HomeRect(ID_BOX_BUTTON + b));
    }
    EXPECT(moved == 0, "a key chose a box");
    EXPECT(DriveResponds(dlg, 2000), "window busy after the keys");
    Log("keys: posted and typed Space, Enter, Tab, arrows and letters changed nothing");
}

/* Processes now running whose program file is name. */
size_t CountProcesses(const char *name)
{
    size_t count = 0;
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    if (snapshot == INVALID_HANDLE_VALUE) return 0;
    PROCESSENTRY32 entry;
    entry.dwSize = sizeof entry;
    for (BOOL more = Process32First(snapshot, &entry); more; more = Process32Next(snapshot, &entry))
        count += lstrcmpiA(entry.szExeFile, name) == 0;
    CloseHandle(snapshot);
    return count;
}

/* Internet Explorer's files, 64-bit and 32-bit, as a new prefix has them;
   hidden under this suffix while the game must do without them
   (client-scenario.sh puts back any that a failed run leaves hidden). */
const char *const BROWSER_FILES[] = {
    "C:\\Program Files\\Internet Explorer\\iexplore.exe",
    "C:\\Program Files (x86)\\Internet Explorer\\iexplore.exe",
    "C:\\windows\\system32\\iexplore.exe",
    "C:\\windows\\syswow64\\iexplore.exe",
};
const char HIDDEN_SUFFIX[] = ".zendaro-hidden";

void HideBrowser(bool hide)
{
    for (const char *file : BROWSER_FILES) {
        std::string hidden = std::string(file) + HIDDEN_SUFFIX;
        if (hide)
            MoveFileA(file, hidden.c_str());
        else
            MoveFileA(hidden.c_str(), file);
    }
}

/* What opens an http address, in both registry views (the 32-bit game
   reads the other): set to command, or put back as it was. */
struct HttpHandler {
    HKEY keys[2];
    std::string before[2];
    bool had[2];
};

void SetHttpHandler(HttpHandler *h, const std::string &command)
{
    const REGSAM views[2] = {KEY_WOW64_64KEY, KEY_WOW64_32KEY};
    for (int v = 0; v < 2; v++) {
        h->keys[v] = NULL;
        h->had[v] = false;
        if (RegCreateKeyExA(HKEY_CLASSES_ROOT, "http\\shell\\open\\command", 0, NULL, 0,
                            KEY_QUERY_VALUE | KEY_SET_VALUE | views[v], NULL, &h->keys[v],
                            NULL) != ERROR_SUCCESS)
            continue;
        char value[1024];
        DWORD size = sizeof value - 1, type = 0;
        if (RegQueryValueExA(h->keys[v], NULL, NULL, &type, (BYTE *)value, &size) ==
                ERROR_SUCCESS &&
            type == REG_SZ) {
            value[size] = '\0';
            h->before[v] = value;
            h->had[v] = true;
        }
        RegSetValueExA(h->keys[v], NULL, 0, REG_SZ, (const BYTE *)command.c_str(),
                       (DWORD)command.size() + 1);
    }
}

void RestoreHttpHandler(HttpHandler *h)
{
    for (int v = 0; v < 2; v++) {
        if (!h->keys[v]) continue;
        if (h->had[v])
            RegSetValueExA(h->keys[v], NULL, 0, REG_SZ, (const BYTE *)h->before[v].c_str(),
                           (DWORD)h->before[v].size() + 1);
        else
            RegDeleteValueA(h->keys[v], NULL);
        RegCloseKey(h->keys[v]);
    }
}

std::string FileText(const std::string &path)
{
    char text[1024] = "";
    FILE *f = fopen(path.c_str(), "rb");
    if (!f) return "";
    size_t got = fread(text, 1, sizeof text - 1, f);
    (void)fclose(f);
    text[got] = '\0';
    return text;
}

/* With Internet Explorer gone, HELP opens the maker's page with whatever
   opens http addresses: here a recorder of the address it is given. */
void CheckHelpWithoutBrowser(Game *g)
{
    char temp[MAX_PATH];
    GetTempPathA(sizeof temp, temp);
    std::string record = std::string(temp) + "zendaro-opened.txt";
    DeleteFileA(record.c_str());
    HttpHandler handler;
    SetHttpHandler(&handler, "C:\\windows\\system32\\cmd.exe /c echo %1>\"" + record + "\"");
    HideBrowser(true);
    size_t browsers = CountProcesses("iexplore.exe");
    DriveClick(g->dlg, ID_HELP);
    DriveWaitFor([&] { return Contains(FileText(record), "\r\n"); }, 10000 + driveAllowanceMs, 100);
    HideBrowser(false);
    RestoreHttpHandler(&handler);
    std::string opened = FileText(record);
    while (!opened.empty() &&
           (opened.back() == '\n' || opened.back() == '\r' || opened.back() == ' '))
        opened.pop_back();
    EXPECT(Contains(opened, "http://www.vantorel.example/"),
           "without Internet Explorer HELP opened \"%s\", not the maker's page", opened.c_str());
    EXPECT(CountProcesses("iexplore.exe") == browsers, "iexplore.exe started though hidden");
    EXPECT(DriveResponds(g->dlg, 3000), "window busy after HELP without Internet Explorer");
    EXPECT_TEXT(g->dlg, ID_MESSAGE, OPEN_A_BOX);
    DeleteFileA(record.c_str());
    Log("HELP without Internet Explorer: the http handler got %s", opened.c_str());
}

/* The DPI the run is told the screen is at (ZENDARO_TEST_DPI, set by
   tests/wine/run-client for its DPI variants), or 96; the variants also
   leave the board's picture, which run-client holds to the 96-dpi one. */
int TestDpi(void)
{
    const char *dpi = getenv("ZENDARO_TEST_DPI");
    char *end = NULL;
    long value = dpi ? strtol(dpi, &end, 10) : 96;
    return dpi && (end == dpi || *end || value < 96 || value > 480) ? 96 : (int)value;
}

int ScreenDpi(void)
{
    HDC screen = GetDC(NULL);
    int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(NULL, screen);
    return dpi;
}

/* The fresh board's client area, as
   OUTPUT\layout-wine<WINE>-dpi<TEST DPI>-at<DPI>.bmp: the variants run side
   by side, each with its own 96-dpi board. */
void CaptureDpiBoard(HWND dlg)
{
    if (!getenv("ZENDARO_TEST_DPI") || outputFolder.empty()) return;
    const char *wine = getenv("ZENDARO_WINE");
    std::string bmp = Format("%s\\layout-wine%s-dpi%d-at%d.bmp", outputFolder.c_str(),
                             wine ? wine : "", TestDpi(), ScreenDpi());
    EXPECT(DriveCaptureWindow(dlg, bmp.c_str(), true), "no screenshot written to %s", bmp.c_str());
}

/* The 96-dpi board the DPI variants are compared with. */
int ScenarioBoard(void)
{
    Game g;
    if (!StartGame(&g, exePath.c_str())) return 1;
    EXPECT(ScreenDpi() == 96, "the screen is at %d dpi, not 96", ScreenDpi());
    CheckPictures(g.dlg, NULL, "the 96-dpi board");
    CaptureDpiBoard(g.dlg);
    CloseGame(&g, "after its picture");
    return 0;
}

int ScenarioLayout(void)
{
    Game g;
    if (!StartGame(&g, exePath.c_str())) return 1;
    HWND dlg = g.dlg;
    EXPECT(DriveTitle(dlg) == GAME_TITLE, "title \"%s\"", Show(DriveTitle(dlg)).c_str());
    SIZE client = DriveClientSize(dlg);
    int dpi = ScreenDpi();
    EXPECT(dpi == TestDpi(), "the screen is at %d dpi, not %d", dpi, TestDpi());
    Log("%d dpi: client area %ldx%ld, base units %d x %d", dpi, client.cx, client.cy, baseUnitX,
        baseUnitY);
    if (TestDpi() == 96)
        EXPECT(client.cx == 765 && client.cy == 574, "client area %ldx%ld, not 765x574", client.cx,
               client.cy);
    else
        EXPECT(baseUnitX > 6 && baseUnitY > 13, "base units %d x %d at %d dpi", baseUnitX,
               baseUnitY, dpi);
    LONG style = GetWindowLongA(dlg, GWL_STYLE);
    EXPECT((style & WS_MINIMIZEBOX) && !(style & WS_MAXIMIZEBOX) && !(style & WS_THICKFRAME),
           "window style %08lx: minimise only, no maximise, no resizing", (unsigned long)style);
    CheckLayout(dlg);
    CheckCleanBoard(dlg, "first game");
    CheckKeysDoNothing(&g);
    CheckPictures(dlg, NULL, "first game");
    CaptureDpiBoard(dlg);

    Play p;
    BeginPlay(&p, &g, std::vector<uint32_t>());
    ChooseOwnBox(&p, 6, true);
    EXPECT(!DriveEnabled(dlg, ID_DEAL), "DEAL enabled after the choice");

    /* NEW GAME answered No leaves the game in play. */
    DriveClick(dlg, ID_NEW_GAME);
    HWND box = WaitMessageBox(&g, "NEW GAME", 5000);
    EXPECT(box && DriveAnswer(box, IDNO, 3000), "START AGAIN? not answered No");
    EXPECT(!DriveWaitText(dlg, ID_MESSAGE, CHOOSE, 3000), "No to START AGAIN? began a new game");

    /* MORE GAMES and HELP start the browser and leave the game as it was,
       in play. A browser is a process more, whose start the allowance
       counts (under emulation, most of a minute). */
    for (int id : {ID_MORE_GAMES, ID_HELP}) {
        size_t browsers = CountProcesses("iexplore.exe");
        DriveClick(dlg, id);
        DriveWaitFor([&] { return CountProcesses("iexplore.exe") > browsers; },
                     5000 + driveAllowanceMs);
        EXPECT(CountProcesses("iexplore.exe") > browsers, "button %d started no iexplore.exe", id);
        EXPECT(DriveResponds(dlg, 3000), "window busy after %d", id);
        EXPECT_TEXT(dlg, ID_MESSAGE, OPEN_A_BOX);
    }
    Log("MORE GAMES and HELP: each started iexplore.exe and the game went on");
    CheckHelpWithoutBrowser(&g);

    /* Alt+F4 is a system key: it still closes the window. */
    EXPECT(TakeKeyboard(dlg), "the game window is not in the foreground for Alt+F4");
    SendKey(VK_MENU, 0);
    PressKey(VK_F4);
    SendKey(VK_MENU, 1);
    DWORD code = 99;
    int ended = DriveWaitEnd(&g.process, 3000, &code);
    EXPECT(ended && code == 0, "Alt+F4: %s, code %lu", ended ? "ended" : "still running", code);
    if (!ended) CloseGame(&g, "after Alt+F4 failed");
    DriveRelease(&g.process);

    return 0;
}

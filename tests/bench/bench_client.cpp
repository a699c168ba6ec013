/* Times what make bench measures from the Windows side, under Wine
   (QueryPerformanceCounter; every wait has a timeout):

     zendaro-bench-client startup RUNS EXE...
         each program RUNS times by turns, from just before its start to its
         dialog shown painted through with "CHOOSE YOUR OWN BOX"; prints
         "startup <exe> <median ms> <fastest> <slowest>". A program that
         leaves "<exe>.steps" behind (the start-up breakdown build) also
         gets a "step <exe> <name> ..." line for each of its steps and for
         the time before its first step and after its last.
     zendaro-bench-client ready game|bare TIMEOUT_S
         waits until that window shows "CHOOSE YOUR OWN BOX".
     zendaro-bench-client close game|bare
         closes it; answers its program's exit code.
     zendaro-bench-client install RUNS SETUP_EXE GAME_EXE FOLDER
         RUNS installs into FOLDER, from the click on Install to the game
         whole in place, and as many copies of GAME_EXE, plain and flushed;
         prints "install", "copy" and "copy_flushed" lines like startup's. */
#include <windows.h>

#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include <algorithm>
#include <string>
#include <vector>

#include "board.h"
#include "setup/setup_resource.h"

namespace
{

const char FIRST_PROMPT[] = "CHOOSE YOUR OWN BOX";
const char BARE_TITLE[] = "Zendaro bench: bare dialog";
const DWORD TIMEOUT_MS = 30000;

double NowMs(void)
{
    LARGE_INTEGER count, frequency;
    QueryPerformanceCounter(&count);
    QueryPerformanceFrequency(&frequency);
    return (double)count.QuadPart * 1000.0 / (double)frequency.QuadPart;
}

void PrintFigure(const char *what, const char *name, std::vector<double> ms)
{
    if (ms.empty()) {
        printf("%s %s none\n", what, name);
        return;
    }
    std::sort(ms.begin(), ms.end());
    printf("%s %s %.1f %.1f %.1f\n", what, name, ms[ms.size() / 2], ms.front(), ms.back());
    fflush(stdout);
}

BOOL CALLBACK NoteUnpainted(HWND child, LPARAM unpainted)
{
    if (GetUpdateRect(child, NULL, FALSE)) *(int *)unpainted = 1;
    return TRUE;
}

/* The dialog of pid that shows the first prompt, painted through; or NULL. */
HWND PaintedBoard(DWORD pid)
{
    for (HWND dlg : DriveDialogs(pid)) {
        if (!GetDlgItem(dlg, ID_MESSAGE)) continue;
        if (DriveText(dlg, ID_MESSAGE) != FIRST_PROMPT) return NULL;
        int unpainted = GetUpdateRect(dlg, NULL, FALSE) ? 1 : 0;
        EnumChildWindows(dlg, NoteUnpainted, (LPARAM)&unpainted);
        return unpainted ? NULL : dlg;
    }
    return NULL;
}

/* The steps one start of the breakdown build noted, in ms: before the
   first (from the start), each step, and from the last step's end to the
   painted board. */
struct StepTimes {
    std::vector<std::string> names;
    std::vector<double> ms;
};

/* Reads "<image>.steps" (start_up_steps.cpp) of a start that began at
   startCount and was painted through at paintedCount; answers 0 if there
   is none. */
int ReadSteps(const char *image, LONGLONG startCount, LONGLONG paintedCount, StepTimes *times)
{
    std::string path = std::string(image) + ".steps";
    FILE *file = fopen(path.c_str(), "r");
    if (!file) return 0;
    char name[64];
    long long frequency = 0, before, after, lastAfter = startCount;
    if (fscanf(file, "frequency %lld\n", &frequency) != 1 || frequency <= 0) frequency = 0;
    auto ms = [&](long long from, long long to) {
        return (double)(to - from) * 1000.0 / frequency;
    };
    times->names.clear();
    times->ms.clear();
    while (frequency && fscanf(file, "%63s %lld %lld\n", name, &before, &after) == 3) {
        if (times->names.empty()) {
            times->names.push_back("start_to_first_step");
            times->ms.push_back(ms(startCount, before));
        }
        times->names.push_back(name);
        times->ms.push_back(ms(before, after));
        if (after > lastAfter) lastAfter = after;
    }
    fclose(file);
    DeleteFileA(path.c_str());
    if (times->names.empty()) return 0;
    times->names.push_back("last_step_to_painted");
    times->ms.push_back(ms(lastAfter, paintedCount));
    return 1;
}

LONGLONG Count(void)
{
    LARGE_INTEGER count;
    QueryPerformanceCounter(&count);
    return count.QuadPart;
}

/* Answers the start-up time in ms, or -1 on failure; fills steps when the
   program noted its own. */
double TimeOneStartup(const char *exe, StepTimes *steps, int *hasSteps)
{
    DriveProcess process;
    LONGLONG startCount = Count();
    double start = NowMs();
    if (!DriveStart(exe, " ", NULL, 0, &process)) return -1;
    HWND dlg = NULL;
    DriveWaitFor([&] { return (dlg = PaintedBoard(process.pid)) != NULL; }, TIMEOUT_MS, 1);
    double elapsed = NowMs() - start;
    LONGLONG paintedCount = Count();
    /* The program's own name for itself, where it writes its steps. */
    char image[MAX_PATH] = "";
    DWORD imageSize = sizeof image;
    if (!QueryFullProcessImageNameA(process.process, 0, image, &imageSize)) image[0] = '\0';
    DWORD code = 99;
    int closed = dlg && DriveClose(&process, dlg, TIMEOUT_MS, &code, NULL) && code == 0;
    DriveRelease(&process);
    if (!closed) fprintf(stderr, "bench-client: %s did not start and close cleanly\n", exe);
    *hasSteps = closed && image[0] && ReadSteps(image, startCount, paintedCount, steps);
    return closed ? elapsed : -1;
}

const char *BaseName(const char *path)
{
    const char *name = path;
    for (const char *p = path; *p; p++)
        if (*p == '\\' || *p == '/') name = p + 1;
    return name;
}

/* Each step's times over the counted runs of one program, by step. */
struct StepFigures {
    std::vector<std::string> names;
    std::vector<std::vector<double>> ms;
};

void AddSteps(StepFigures *figures, const StepTimes &one)
{
    if (figures->names.empty()) {
        figures->names = one.names;
        figures->ms.resize(one.names.size());
    }
    for (size_t i = 0; i < one.ms.size() && i < figures->ms.size(); i++)
        figures->ms[i].push_back(one.ms[i]);
}

int Startup(int runs, char **exes, int count)
{
    std::vector<std::vector<double>> times((size_t)count);
    std::vector<StepFigures> steps((size_t)count);
    /* The first start of each warms Wine's caches; it is not counted. */
    for (int run = 0; run <= runs; run++) {
        for (int i = 0; i < count; i++) {
            StepTimes one;
            int hasSteps = 0;
            double t = TimeOneStartup(exes[i], &one, &hasSteps);
            if (t < 0) return 1;
            if (run == 0) continue;
            times[(size_t)i].push_back(t);
            if (hasSteps) AddSteps(&steps[(size_t)i], one);
        }
    }
    for (int i = 0; i < count; i++) PrintFigure("startup", BaseName(exes[i]), times[(size_t)i]);
    for (int i = 0; i < count; i++) {
        const StepFigures &figures = steps[(size_t)i];
        for (size_t k = 0; k < figures.names.size(); k++) {
            std::string what = std::string("step ") + BaseName(exes[i]);
            PrintFigure(what.c_str(), figures.names[k].c_str(), figures.ms[k]);
        }
    }
    return 0;
}

HWND FindTitledDialog(const char *title)
{
    HWND found = NULL;
    while ((found = FindWindowExA(NULL, found, "#32770", title)) != NULL) {
        if (IsWindowVisible(found)) return found;
    }
    return NULL;
}

int Ready(const char *title, DWORD timeoutMs)
{
    if (DriveWaitFor(
            [&] {
                HWND dlg = FindTitledDialog(title);
                return dlg && DriveText(dlg, ID_MESSAGE) == FIRST_PROMPT;
            },
            timeoutMs, 10))
        return 0;
    fprintf(stderr, "bench-client: no \"%s\" after %lu ms\n", title, timeoutMs);
    return 1;
}

/* Closes the dialog titled title and waits for its program; answers the
   program's exit code, or 99. */
DWORD CloseTitled(const char *title)
{
    HWND dlg = FindTitledDialog(title);
    if (!dlg) return 99;
    DWORD pid = 0;
    GetWindowThreadProcessId(dlg, &pid);
    DriveProcess process = {OpenProcess(SYNCHRONIZE | PROCESS_QUERY_INFORMATION, FALSE, pid), pid};
    DWORD code = 99;
    if (!process.process || !DriveClose(&process, dlg, TIMEOUT_MS, &code, NULL)) code = 99;
    DriveRelease(&process);
    return code;
}

DWORD FileSize(const char *path)
{
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExA(path, GetFileExInfoStandard, &data)) return 0;
    return data.nFileSizeLow;
}

void RemoveInstall(const std::string &folder)
{
    DeleteFileA((folder + "Zendaro\\Zendaro.exe").c_str());
    RemoveDirectoryA((folder + "Zendaro").c_str());
}

/* Answers the ms from the click on Install to the game file in place. */
double TimeOneInstall(const char *setupExe, const std::string &folder, DWORD gameSize)
{
    RemoveInstall(folder);
    DriveProcess setup;
    if (!DriveStart(setupExe, "", NULL, TIMEOUT_MS, &setup)) return -1;
    HWND dlg = DriveWaitDialog(setup.pid, NULL, TIMEOUT_MS);
    double elapsed = -1;
    if (dlg) {
        SendMessageTimeoutA(GetDlgItem(dlg, IDC_INSTALL_PATH), WM_SETTEXT, 0,
                            (LPARAM)folder.c_str(), SMTO_NORMAL, TIMEOUT_MS, NULL);
        DriveClick(dlg, IDC_AGREE);
        DriveWaitFor([&] { return DriveEnabled(dlg, IDC_INSTALL); }, TIMEOUT_MS, 1);
        std::string target = folder + "Zendaro\\Zendaro.exe";
        double start = NowMs();
        DriveClick(dlg, IDC_INSTALL);
        while (FileSize(target.c_str()) != gameSize && NowMs() - start < TIMEOUT_MS) {
        }
        if (FileSize(target.c_str()) == gameSize) elapsed = NowMs() - start;
        HWND success = DriveWaitDialog(setup.pid, "SUCCESS", TIMEOUT_MS);
        if (success) DriveAnswer(success, IDOK, TIMEOUT_MS);
    }
    DWORD code = 99;
    if (!DriveWaitEnd(&setup, TIMEOUT_MS, &code) || code != 0) elapsed = -1;
    DriveRelease(&setup);
    /* Setup starts the game it installed: close it again. */
    DriveWaitFor([&] { return FindTitledDialog(GAME_TITLE) != NULL; }, TIMEOUT_MS, 10);
    if (CloseTitled(GAME_TITLE) != 0) elapsed = -1;
    return elapsed;
}

double TimeOneCopy(const char *gameExe, const std::string &copy, int flush)
{
    DeleteFileA(copy.c_str());
    double start = NowMs();
    if (!CopyFileA(gameExe, copy.c_str(), FALSE)) return -1;
    if (flush) {
        HANDLE file = CreateFileA(copy.c_str(), GENERIC_WRITE, 0, NULL, OPEN_EXISTING, 0, NULL);
        if (file == INVALID_HANDLE_VALUE) return -1;
        FlushFileBuffers(file);
        CloseHandle(file);
    }
    return NowMs() - start;
}

int Install(int runs, const char *setupExe, const char *gameExe, const char *folderArg)
{
    std::string folder = folderArg;
    if (folder.empty() || folder.back() != '\\') folder += '\\';
    CreateDirectoryA(folder.c_str(), NULL);
    DWORD gameSize = FileSize(gameExe);
    std::vector<double> install, copy, flushed;
    std::string copyPath = folder + "copy of Zendaro.exe";
    for (int run = 0; run <= runs; run++) {
        double ti = TimeOneInstall(setupExe, folder, gameSize);
        double tc = TimeOneCopy(gameExe, copyPath, 0);
        double tf = TimeOneCopy(gameExe, copyPath, 1);
        if (ti < 0 || tc < 0 || tf < 0) {
            fprintf(stderr, "bench-client: install run %d failed (%.1f, %.1f, %.1f)\n", run, ti, tc,
                    tf);
            return 1;
        }
        if (run == 0) continue;
        install.push_back(ti);
        copy.push_back(tc);
        flushed.push_back(tf);
    }
    RemoveInstall(folder);
    DeleteFileA(copyPath.c_str());
    RemoveDirectoryA(folder.c_str());
    PrintFigure("install", "setup.exe", install);
    PrintFigure("copy", "Zendaro.exe", copy);
    PrintFigure("copy_flushed", "Zendaro.exe", flushed);
    return 0;
}

/* The title of "game" or "bare": the game's holds a byte that a command
   line would not carry the same on every system. */
const char *TitleOf(const char *which)
{
    return strcmp(which, "game") == 0 ? GAME_TITLE : BARE_TITLE;
}

} // namespace

int main(int argc, char **argv)
{
    std::string mode = argc > 1 ? argv[1] : "";
    if (mode == "startup" && argc >= 4)
        return Startup((int)strtol(argv[2], NULL, 10), argv + 3, argc - 3);
    if (mode == "ready" && argc == 4)
        return Ready(TitleOf(argv[2]), (DWORD)strtoul(argv[3], NULL, 10) * 1000);
    if (mode == "close" && argc == 3) return (int)CloseTitled(TitleOf(argv[2]));
    if (mode == "install" && argc == 6)
        return Install((int)strtol(argv[2], NULL, 10), argv[3], argv[4], argv[5]);
    fprintf(stderr, "usage: zendaro-bench-client startup RUNS EXE... | ready game|bare TIMEOUT_S"
                    " | close game|bare | install RUNS SETUP_EXE GAME_EXE FOLDER\n");
    return 2;
}

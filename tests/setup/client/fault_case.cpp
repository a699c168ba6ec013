/* Installs that must fail and lose nothing, then the user's way out where
   there is one. */
#include "setup_driver.h"

#include "fault_kinds.h"

namespace
{

const char IN_USE_LINE[] = "If Zendaro is running, please close it and press Install again.";

const char ZENDARO_FILE_BYTES[] = "a file of the user's named Zendaro";
const char USER_FILE_BYTES[] = "the user's own file";
const char TWIN_MARKER_BYTES[] = "the twin folder's own file";

/* The folder that the A calls make of the retry path, whose letters
   outside code page 1252 they replace. */
std::string TwinOf(const Fault &fault)
{
    return BestFitTwin(fault.retry);
}

/* What the client itself puts on disk before the run; the read-only and
   full drives S: are made by the test runner. */
HANDLE PrepareDisk(const Fault &fault)
{
    for (const std::string &folder : {fault.fresh, fault.retry}) {
        if (folder.empty()) continue;
        RemoveTree(folder);
        CreateDirectoryW(Wide(folder).c_str(), NULL);
    }
    if (fault.kind == "wide-path") {
        RemoveTree(TwinOf(fault));
        CreateDirectoryW(Wide(TwinOf(fault)).c_str(), NULL);
        WriteWholeFile(TwinOf(fault) + "marker.txt", TWIN_MARKER_BYTES);
    }
    if (fault.kind == "missing-parent") RemoveTree("C:\\Missing Parent");
    if (fault.kind == "empty") RemoveTree("C:\\windows\\Zendaro");
    if (fault.kind == "zendaro-file") WriteWholeFile("C:\\FileNamed\\Zendaro", ZENDARO_FILE_BYTES);
    if (fault.kind != "locked") return INVALID_HANDLE_VALUE;
    CreateDirectoryA("C:\\Locked\\Zendaro", NULL);
    WriteWholeFile("C:\\Locked\\Zendaro\\Zendaro.exe", "an earlier Zendaro.exe, in use");
    WriteWholeFile("C:\\Locked\\Zendaro\\notes.txt", USER_FILE_BYTES);
    return CreateFileA("C:\\Locked\\Zendaro\\Zendaro.exe", GENERIC_READ, 0, NULL, OPEN_EXISTING, 0,
                       NULL);
}

/* Setup runs in C:\windows, where a path that is not a full one lands;
   "C:Games" means Games in drive C:'s current folder, which is that too. */
std::string ZendaroFolderOf(const std::string &installPath)
{
    std::string path = installPath;
    bool onDrive = path.size() >= 2 && path[1] == ':' && path.compare(1, 2, ":\\") != 0;
    if (onDrive) path.erase(0, 2);
    bool full = !onDrive && path.size() >= 3 && (path[1] == ':' || path[1] == '\\');
    if (!full) path = "C:\\windows\\" + path;
    if (path.back() != '\\') path += "\\";
    return path + "Zendaro";
}

void CheckErrorBox(const SetupRun &run, const Fault &fault)
{
    DriveClick(run.window, SETUP_INSTALL);
    bool sawSuccess = false;
    HWND box = WaitSetupBox(run, "ERROR", 30000, "SUCCESS", &sawSuccess);
    if (!Check(box != NULL, "Install shows an ERROR box")) return;
    std::string text = WideText(box, 0xFFFF);
    Note(text);
    DriveCaptureWindow(box, ("C:\\setup-error-" + fault.kind + ".bmp").c_str());
    Check(Contains(text, fault.named), "it names " + fault.named);
    Check(Contains(text, fault.step), "it names the step: " + fault.step);
    if (fault.windowsError) Check(Contains(text, "Windows error "), "it gives the Windows error");
    Check(Contains(text, "An earlier Zendaro.exe in that folder is as it was") ==
                  fault.earlierGame &&
              Contains(text, "Nothing has been installed") == !fault.earlierGame,
          fault.earlierGame ? "it says the earlier Zendaro.exe is as it was"
                            : "it says nothing has been installed, and no earlier Zendaro.exe");
    bool inUse = fault.kind == "locked" || fault.kind == "running";
    Check(Contains(text, IN_USE_LINE) == inUse,
          inUse ? "it asks to close Zendaro and press Install again"
                : "it does not ask to close Zendaro");
    PostMessageA(run.window, WM_COMMAND, MAKEWPARAM(SETUP_INSTALL, BN_CLICKED),
                 (LPARAM)GetDlgItem(run.window, SETUP_INSTALL));
    Sleep(500);
    Check(DriveDialogs(run.process.pid).size() == 2,
          "Install posted as a command while the box is open does nothing");
    Check(GetWindowLongA(box, GWL_STYLE) != 0 && GetWindow(box, GW_OWNER) == NULL,
          "the box has no owner window");
    Check(EnabledChoices(run) == 0, "Install, agree and Browse are disabled while it is shown");
    Check(DriveAnswer(box, IDOK, 5000) != 0, "the ERROR box closes on OK");
    Check(!sawSuccess && DriveFindDialog(run.process.pid, "SUCCESS") == NULL, "no SUCCESS box");
}

/* runningGame: the window of the game left running from before, or NULL. */
void CheckNothingLost(const SetupRun &run, const std::string &folder, const FolderState &before,
                      // cppcheck-suppress constParameter ; HWND is an opaque handle, never const
                      HWND runningGame)
{
    Check(DriveWaitFor([&] { return EnabledChoices(run) == 3; }, 3000, 10) && IsAgreed(run),
          "Install, agree and Browse are enabled again, the box still ticked");
    Check(DriveResponds(run.window, 2000) != 0, "the setup window answers");
    FolderState after = ReadFolderState(folder);
    Check(SameFolderState(before, after),
          "on disk " + folder + " is as before: " + DescribeFolderState(after));
    Check(FindGameWindow() == runningGame, "no game has started");
    if (folder == "C:\\FileNamed\\Zendaro") {
        bool found = false;
        Check(ReadWholeFile(folder, &found) == ZENDARO_FILE_BYTES && found,
              "the file named Zendaro is untouched");
    }
}

/* An earlier install's game, started from folder and left running: the
   payload with bytes after its end, where the loader reads nothing, so
   that a replaced file shows. Answers its window. */
HWND StartEarlierGame(const std::string &folder, const std::string &setupExe)
{
    const std::string game = folder + "\\Zendaro.exe";
    std::string bytes = PayloadOf(setupExe) + "an earlier build";
    CreateDirectoryA(folder.c_str(), NULL);
    DriveProcess process = {NULL, 0};
    bool started = WriteWholeFile(game, bytes) &&
                   DriveStart(game.c_str(), "", folder.c_str(), 10000, &process);
    HWND window = started ? WaitGameWindow(30000) : NULL;
    if (process.process) CloseHandle(process.process); /* it is closed through its window */
    Check(window != NULL && _stricmp(ProgramOfWindow(window).c_str(), game.c_str()) == 0,
          "an earlier Zendaro.exe runs from " + game);
    return window;
}

/* The lock on an earlier Zendaro.exe, held as a virus scanner holds a
   file it reads, and the folder where setup writes its temporary file. */
HANDLE heldLock = INVALID_HANDLE_VALUE;
std::string heldFolder;

enum TemporaryFile { TEMPORARY_ABSENT, TEMPORARY_OPEN, TEMPORARY_CLOSED };

/* Setup's temporary file in heldFolder, which it writes unshared. */
TemporaryFile TemporaryFileState(void)
{
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((heldFolder + "\\~zd*.tmp").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return TEMPORARY_ABSENT;
    FindClose(search);
    HANDLE file = CreateFileA((heldFolder + "\\" + found.cFileName).c_str(), GENERIC_READ,
                              FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, NULL,
                              OPEN_EXISTING, 0, NULL);
    if (file == INVALID_HANDLE_VALUE) return TEMPORARY_OPEN;
    CloseHandle(file);
    return TEMPORARY_CLOSED;
}

/* Lets go of heldLock a moment after setup has closed its temporary file,
   when it is already trying to replace Zendaro.exe with it (or once that
   file has come and gone, or after 30 s). */
DWORD WINAPI ReleaseHeldLockLate(void *)
{
    bool seen = false;
    for (DWORD start = DriveNow(); DriveNow() - start < 30000; Sleep(2)) {
        TemporaryFile state = TemporaryFileState();
        if (state == TEMPORARY_CLOSED || (seen && state == TEMPORARY_ABSENT)) break;
        seen = seen || state == TEMPORARY_OPEN;
    }
    Sleep(150);
    CloseHandle(heldLock);
    return 0;
}

} // namespace

void RunFaultCase(const std::string &kind, const std::string &setupExe)
{
    const Fault *fault = NULL;
    for (const Fault &known : FAULTS)
        if (known.kind == kind) fault = &known;
    if (!Check(fault != NULL, "known fault kind " + kind)) return;
    std::string program = setupExe.substr(setupExe.find_last_of("\\/") + 1);
    Check(_stricmp(program.c_str(), fault->program.c_str()) == 0,
          "the case runs " + fault->program + ", as its kind says: " + setupExe);
    if (!fault->runner.empty()) Note("prepared by the test runner: " + fault->runner);
    HANDLE lock = PrepareDisk(*fault);
    if (kind == "locked") Check(lock != INVALID_HANDLE_VALUE, "Zendaro.exe is held open, unshared");
    std::string folder = ZendaroFolderOf(fault->installPath);
    HWND runningGame = kind == "running" ? StartEarlierGame(folder, setupExe) : NULL;
    FolderState before = ReadFolderState(folder);
    Note("before: " + folder + " " + DescribeFolderState(before));

    SetupRun run;
    if (!Check(StartSetup(setupExe, &run), "setup starts")) return;
    SetInstallPath(run, fault->installPath);
    Check(WideText(run.window, SETUP_INSTALL_PATH) == fault->installPath,
          "the path box holds " + fault->installPath);
    const bool hasTwin = kind == "wide-path";
    FolderState twin = hasTwin ? ReadFolderState(TwinOf(*fault)) : FolderState();
    Check(SetAgreed(run, true), "ticking the agree box enables Install");
    CheckErrorBox(run, *fault);
    CheckNothingLost(run, folder, before, runningGame);
    /* Held still while Install is pressed again, and let go only once the
       replace has begun: setup must try again rather than fail. */
    heldLock = lock;
    heldFolder = ZendaroFolderOf(fault->retry.empty() ? fault->installPath : fault->retry);
    HANDLE releaser = lock != INVALID_HANDLE_VALUE
                          ? CreateThread(NULL, 0, ReleaseHeldLockLate, NULL, 0, NULL)
                          : NULL;
    if (runningGame) Check(CloseGame(runningGame), "the running game closes");
    if (fault->retry.empty()) {
        CloseSetup(&run);
        return;
    }
    /* The same path again must still be in the path box. */
    if (fault->retry != fault->installPath) SetInstallPath(run, fault->retry);
    folder = ZendaroFolderOf(fault->retry);
    /* An install over an older Zendaro.exe replaces it and leaves the
       user's own files alone. */
    std::vector<std::string> names = {"Zendaro.exe"};
    if (kind == "locked") names.push_back("notes.txt");
    CheckInstallSucceeds(run, folder, PayloadOf(setupExe), names);
    if (releaser) {
        WaitForSingleObject(releaser, 40000);
        CloseHandle(releaser);
    }
    if (kind == "locked")
        Check(ReadWholeFile(folder + "\\notes.txt", NULL) == USER_FILE_BYTES,
              "the user's file is untouched");
    if (hasTwin)
        Check(twin.exists && SameFolderState(twin, ReadFolderState(TwinOf(*fault))) &&
                  ReadWholeFile(TwinOf(*fault) + "marker.txt", NULL) == TWIN_MARKER_BYTES,
              "the twin " + TwinOf(*fault) +
                  " is as it was: " + DescribeFolderState(ReadFolderState(TwinOf(*fault))));
    CheckGameStartsAndSetupEnds(&run, folder);
}

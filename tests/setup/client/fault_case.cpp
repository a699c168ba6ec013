/* Installs that must fail and lose nothing, then the user's way out where
   there is one; and an install whose program cannot be started. */
#include "setup_driver.h"

#include <algorithm>

namespace
{

struct Fault {
    std::string kind;
    std::string installPath; /* put into the path box */
    std::string step;        /* the failed step the box must name */
    std::string named;       /* the path the box must name */
    bool windowsError;       /* whether the box gives a Windows error */
    bool earlierGame;        /* whether a Zendaro.exe was there before */
    std::string fresh;       /* a folder made empty before the run */
    std::string retry;       /* the user's way out, installed after the error */
};

/* C:\ + 236 + \ + Zendaro\Zendaro.exe = 259 characters; one more does not fit. */
const std::string LONG_OK = "C:\\" + std::string(236, 'L') + "\\";
const std::string LONG_BAD = "C:\\" + std::string(237, 'L') + "\\";

const Fault FAULTS[] = {
    {"locked", "C:\\Locked\\", "Replacing Zendaro.exe", "C:\\Locked\\Zendaro\\Zendaro.exe", true,
     true, "", "C:\\Locked\\"},
    {"readonly", "S:\\", "Creating a temporary file", "S:\\Zendaro\\~zd", true, true, "", ""},
    {"readonly-new", "S:\\", "Creating the folder", "S:\\Zendaro\\", true, false, "", ""},
    {"disk-full", "S:\\", "Writing the temporary file", "S:\\Zendaro\\~zd", true, true, "", ""},
    /* The folder is made, then the write fails: it must be gone again. */
    {"disk-full-new", "S:\\", "Writing the temporary file", "S:\\Zendaro\\~zd", true, false, "",
     ""},
    {"too-long", LONG_BAD, "too long", LONG_BAD, false, false, LONG_BAD, LONG_OK},
    {"missing-parent", "C:\\Missing Parent\\Games\\", "Creating the folder",
     "C:\\Missing Parent\\Games\\Zendaro\\", true, false, "", ""},
    {"damaged", "C:\\Damaged\\", "Checking the program that Setup carries",
     "C:\\Damaged\\Zendaro\\Zendaro.exe", true, false, "C:\\Damaged", ""},
    /* Typed or pasted into the path box while a message box was open; the
       same folder without its closing backslash then means it all the same.
       Taken as it stands, the path would install into C:\windows\Games. */
    {"relative", "Games\\", "is not a full path", "\"Games\\\"", false, false, "C:\\windows\\Games",
     "C:\\Games"},
    {"empty", "", "is not a full path", "\"\"", false, false, "", ""},
    /* Drive C:'s current folder, which for Setup is C:\windows. */
    {"drive-relative", "C:Games", "is not a full path", "\"C:Games\"", false, false,
     "C:\\windows\\Games", ""},
    /* A share is a full path; no such server answers here. */
    {"unc", "\\\\nohost\\share", "Creating the folder", "\\\\nohost\\share\\Zendaro\\", true, false,
     "", ""},
    {"zendaro-file", "C:\\FileNamed\\", "is a file, not a folder", "C:\\FileNamed\\Zendaro", true,
     false, "C:\\FileNamed", ""},
    /* Setup run again while the game it installed is running. */
    {"running", "C:\\Running\\", "Replacing Zendaro.exe", "C:\\Running\\Zendaro\\Zendaro.exe", true,
     true, "", "C:\\Running\\"},
};

const char IN_USE_LINE[] = "If Zendaro is running, please close it and press Install again.";

/* Copies plantDll into folder under each name (with ".dll") of planted. */
bool PlantDlls(const std::string &plantDll, const std::string &folder,
               const std::vector<std::string> &planted)
{
    bool found = false;
    std::string plant = ReadWholeFile(plantDll, &found);
    bool ok = found;
    for (const std::string &dll : planted) {
        std::string path = folder;
        ok = WriteWholeFile(path.append("\\").append(dll).append(".dll"), plant) && ok;
    }
    return ok;
}

/* The lines of the plants' marker file: "plant<TAB>program". */
std::vector<std::string> PlantsLoaded(void)
{
    std::vector<std::string> lines;
    std::string text = ReadWholeFile(PLANT_MARKER, NULL);
    for (size_t at = 0, end; (end = text.find("\r\n", at)) != std::string::npos; at = end + 2)
        lines.push_back(text.substr(at, end - at));
    return lines;
}

bool RunToEnd(const std::string &path, const std::string &bytes)
{
    DriveProcess process = {NULL, 0};
    std::string folder = path.substr(0, path.rfind('\\'));
    bool ended = !bytes.empty() && WriteWholeFile(path, bytes) &&
                 DriveStart(path.c_str(), "", folder.c_str(), 10000, &process) &&
                 DriveWaitEnd(&process, 30000, NULL);
    DriveRelease(&process);
    return ended;
}

/* No program can keep out what the loader loads for its imports before
   its entry point; under Wine that includes what Wine's own DLLs import
   and load while they start. The program's twin (IdleTwin), started as
   the program is, shows what that is. Those plants are reported and taken
   away again: they export nothing, so the Wine DLLs that use them fail on
   their first call, where a real plant would pass its calls on. Such a
   failure can also cut short what Wine loads next, so the twin runs again
   until it loads no plant. */
void TakeAwayPlantsLoadedBeforeEntry(const std::string &path, const std::string &bytes)
{
    std::string twin = IdleTwin(bytes);
    for (int round = 0; round < 5; round++) {
        DeleteFileA(PLANT_MARKER);
        if (!Check(RunToEnd(path, twin), "the idle twin of " + path + " starts and ends")) break;
        std::vector<std::string> loaded = PlantsLoaded();
        if (loaded.empty()) break;
        for (const std::string &line : loaded) {
            Note("loaded before the entry point: " + line);
            DeleteFileA(line.substr(0, line.find('\t')).c_str());
        }
    }
    DeleteFileA(path.c_str());
    DeleteFileA(PLANT_MARKER);
}

/* Clicks Install and checks the success box "SETUP is Complete !", and,
   while it is open, that folder holds exactly names with Zendaro.exe
   byte for byte payload and that no game has started. Then, with
   quarantine, deletes that Zendaro.exe as a virus scanner's quarantine
   would. Answers the box. */
void CheckInstallSucceeds(const SetupRun &run, const std::string &folder,
                          const std::string &payload, const std::vector<std::string> &names,
                          bool quarantine = false)
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

/* After the success box: the game from folder starts, setup ends with
   code 0 without an error box, and the game is closed again. */
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

const char ZENDARO_FILE_BYTES[] = "a file of the user's named Zendaro";
const char USER_FILE_BYTES[] = "the user's own file";

/* What the client itself puts on disk before the run; the read-only and
   full drives S: are made by the test runner. */
HANDLE PrepareDisk(const Fault &fault)
{
    for (const std::string &folder : {fault.fresh, fault.retry}) {
        if (folder.empty()) continue;
        RemoveTree(folder);
        CreateDirectoryA(folder.c_str(), NULL);
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
    std::string text = DriveMessageBoxText(box);
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
    std::string bytes = ResourceBytes(setupExe, "BINARY", 113) + "an earlier build";
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
    HANDLE lock = PrepareDisk(*fault);
    if (kind == "locked") Check(lock != INVALID_HANDLE_VALUE, "Zendaro.exe is held open, unshared");
    std::string folder = ZendaroFolderOf(fault->installPath);
    HWND runningGame = kind == "running" ? StartEarlierGame(folder, setupExe) : NULL;
    FolderState before = ReadFolderState(folder);
    Note("before: " + folder + " " + DescribeFolderState(before));

    SetupRun run;
    if (!Check(StartSetup(setupExe, &run), "setup starts")) return;
    SetInstallPath(run, fault->installPath);
    Check(DriveText(run.window, SETUP_INSTALL_PATH) == fault->installPath,
          "the path box holds " + fault->installPath);
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
    CheckInstallSucceeds(run, folder, ResourceBytes(setupExe, "BINARY", 113), names);
    if (releaser) {
        WaitForSingleObject(releaser, 40000);
        CloseHandle(releaser);
    }
    if (kind == "locked")
        Check(ReadWholeFile(folder + "\\notes.txt", NULL) == USER_FILE_BYTES,
              "the user's file is untouched");
    CheckGameStartsAndSetupEnds(&run, folder);
}

void RunInstallCase(const std::string &setupExe, const std::string &plantDll,
                    const std::string &plantedNames)
{
    /* As a browser leaves it: setup.exe in a downloads folder, which is
       also the current folder when it is started from there. The game goes
       where Browse offers first, the desktop. */
    const std::string downloads = "C:\\Downloads", setupCopy = downloads + "\\setup.exe";
    const std::string folder = DesktopFolder() + "\\Zendaro", game = folder + "\\Zendaro.exe";
    std::string setupBytes = ReadWholeFile(setupExe, NULL);
    std::string payload = ResourceBytes(setupExe, "BINARY", 113);
    std::vector<std::string> planted;
    for (size_t at = 0, end = 0; end != std::string::npos; at = end + 1) {
        end = plantedNames.find(',', at);
        planted.push_back(plantedNames.substr(at, end - at));
    }
    for (const std::string &target : {downloads, folder}) {
        RemoveTree(target);
        CreateDirectoryA(target.c_str(), NULL);
        Check(PlantDlls(plantDll, target, planted), "planted DLLs in " + target);
    }
    TakeAwayPlantsLoadedBeforeEntry(setupCopy, setupBytes);
    TakeAwayPlantsLoadedBeforeEntry(game, payload);
    /* Setup writes its game among the plants and leaves them alone. */
    std::vector<std::string> names = ReadFolderState(folder).names;
    names.push_back("Zendaro.exe");
    std::sort(names.begin(), names.end());

    SetupRun run;
    if (!Check(WriteWholeFile(setupCopy, setupBytes) &&
                   StartSetup(setupCopy, &run, downloads.c_str()),
               "setup starts from " + downloads))
        return;
    Check(SetAgreed(run, true), "ticking the agree box enables Install");
    CheckBrowsePicksDesktop(run);
    CheckInstallSucceeds(run, folder, payload, names);
    CheckGameStartsAndSetupEnds(&run, folder);
    /* Once a program's own code runs, every DLL search goes through the
       restriction its entry makes. The game's winmm.dll, which it once
       imported, must not even have been taken away above. */
    std::string loaded;
    for (const std::string &line : PlantsLoaded()) loaded += "\n    " + line;
    Check(loaded.empty(), "no planted DLL is loaded after a program's entry point" + loaded);
    for (const std::string &target : {downloads, folder}) {
        std::string unloaded = "never loaded beside " + target + ":";
        for (const std::string &name : ReadFolderState(target).names)
            if (name.size() > 4 && name.compare(name.size() - 4, 4, ".dll") == 0)
                unloaded += " " + name;
        if (loaded.empty()) Note(unloaded);
    }
    bool winmmThere = false;
    ReadWholeFile(folder + "\\winmm.dll", &winmmThere);
    Check(winmmThere, "the game never loaded the winmm.dll beside it");
}

void RunStartFailsCase(const std::string &setupExe)
{
    /* The default path, untouched. setup.exe is run as a browser leaves it,
       from a downloads folder, and beside it is a program named as the game
       that someone else put there: it must never be what starts. */
    const std::string folder = "C:\\Zendaro", downloads = "C:\\Downloads";
    const std::string setupCopy = downloads + "\\setup.exe";
    for (const std::string &target : {folder, downloads}) RemoveTree(target);
    DeleteFileA(DECOY_MARKER);
    char client[MAX_PATH] = "";
    GetModuleFileNameA(NULL, client, sizeof client);
    Check(CreateDirectoryA(downloads.c_str(), NULL) &&
              WriteWholeFile(setupCopy, ReadWholeFile(setupExe, NULL)) &&
              CopyFileA(client, (downloads + "\\Zendaro.exe").c_str(), FALSE),
          "setup.exe and a decoy Zendaro.exe in " + downloads);
    std::string payload = ResourceBytes(setupExe, "BINARY", 113);
    Check(!payload.empty() && payload.compare(0, 2, "MZ") != 0, "the payload is not a program");
    SetupRun run;
    if (!Check(StartSetup(setupCopy, &run, downloads.c_str()), "setup starts from " + downloads))
        return;
    Check(SetAgreed(run, true), "ticking the agree box enables Install");
    CheckInstallSucceeds(run, folder, payload, {"Zendaro.exe"}, true);
    HWND box = WaitSetupBox(run, "ERROR", 15000, NULL, NULL);
    if (Check(box != NULL, "then an ERROR box")) {
        Check(DriveMessageBoxText(box) == "Cannot Open Program", "it says \"Cannot Open Program\"");
        Check(DriveAnswer(box, IDOK, 5000) != 0, "it closes on OK");
    }
    DWORD code = 99;
    bool ended = DriveWaitEnd(&run.process, 10000, &code);
    Check(ended && code == 0, Format("setup ends with code 0 (code %lu)", (unsigned long)code));
    DriveRelease(&run.process);
    Check(FindGameWindow() == NULL, "no game window");
    bool decoyRan = false;
    std::string mark = ReadWholeFile(DECOY_MARKER, &decoyRan);
    Check(!decoyRan, "the decoy Zendaro.exe beside setup.exe never started " + mark);
    FolderState after = ReadFolderState(folder);
    Check(after.exists && after.names.empty(),
          "the folder stays, empty, and no temporary file: " + DescribeFolderState(after));
}

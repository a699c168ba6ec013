/* The Install button: write the game program below the chosen path, say
   so, and start it. */
#include "folder_security.h"
#include "setup.h"
#include "setup_resource.h"

#include <shellapi.h>
#include <stdarg.h>
#include <stdio.h>
#include <string.h>

namespace
{

const char GAME_FOLDER_NAME[] = "Zendaro";
const char GAME_FILE_NAME[] = "Zendaro.exe";

/* The longest file path the file calls take without the \\?\ prefix,
   without its zero. */
const size_t LONGEST_FILE_PATH = MAX_PATH - 1;

/* Wide from the path box to the file calls, so that a folder named in
   letters outside the ANSI code page is the folder used, never one whose
   name has look-alike letters in their place. */
const size_t PATH_CHARACTERS = 2048;
WCHAR installPath[PATH_CHARACTERS];
WCHAR installFolderName[PATH_CHARACTERS]; /* the folder without its closing backslash */
WCHAR installFolder[PATH_CHARACTERS];
WCHAR gameFilePath[PATH_CHARACTERS];
const size_t MESSAGE_CHARACTERS = 4096;
WCHAR messageText[MESSAGE_CHARACTERS];
const size_t ERROR_TEXT_CHARACTERS = 512;
WCHAR windowsErrorText[ERROR_TEXT_CHARACTERS];

struct GameProgram {
    const void *bytes;
    DWORD size;
};

/* What one install found and did on disk, so that a failure is told as it
   is: whether an earlier Zendaro.exe was there (the safe write keeps it as
   it was), whether the folder was made now and could not be removed
   again, and whether "Zendaro" is a file, where no folder can be made. */
struct InstallAttempt {
    int earlierGameFound;
    int folderMade;
    int folderLeftBehind;
    int folderNameIsFile;
};

InstallAttempt attempt;

void EnableChoosing(BOOL enable)
{
    EnableWindow(GetDlgItem(setupWindow, IDC_AGREE), enable);
    EnableWindow(GetDlgItem(setupWindow, IDC_BROWSE), enable);
    int agreed = SendDlgItemMessageW(setupWindow, IDC_AGREE, BM_GETCHECK, 0, 0) == BST_CHECKED;
    EnableWindow(GetDlgItem(setupWindow, IDC_INSTALL), enable && agreed);
}

GameProgram LoadGameProgram(void)
{
    GameProgram program = {NULL, 0};
    HRSRC found = FindResourceA(setupInstance, MAKEINTRESOURCEA(IDR_GAME_PROGRAM), "BINARY");
    HGLOBAL loaded = found ? LoadResource(setupInstance, found) : NULL;
    program.bytes = loaded ? LockResource(loaded) : NULL;
    program.size = program.bytes ? SizeofResource(setupInstance, found) : 0;
    return program;
}

void ReadInstallPath(void)
{
    memset(installPath, 0, sizeof installPath);
    GetDlgItemTextW(setupWindow, IDC_INSTALL_PATH, installPath, (int)PATH_CHARACTERS);
}

int IsDriveLetter(WCHAR c)
{
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

/* A full path begins with a drive (C:\) or a share (\\server\share).
   Anything else would be taken from whatever folder Setup runs in, or,
   like "C:Games", from the current folder of a drive. The path box can be
   typed into while the folder picker or a message box is open, so its
   text may be anything. */
int IsFullPath(const WCHAR *path)
{
    if (IsDriveLetter(path[0]) && path[1] == L':' && path[2] == L'\\') return 1;
    if (path[0] != L'\\' || path[1] != L'\\') return 0;
    const WCHAR *server = path + 2;
    const WCHAR *share = wcschr(server, L'\\');
    return share && share > server && share[1] != L'\0' && share[1] != L'\\';
}

/* "D:\Games" means the folder Games, as "D:\Games\" and the folder picker's
   paths do. A path too long to take the backslash is refused as too long
   all the same. */
void EndPathWithBackslash(void)
{
    size_t length = wcslen(installPath);
    if (length == 0 || installPath[length - 1] == L'\\') return;
    AppendWide(installPath, PATH_CHARACTERS, L"\\");
}

/* Answers 0 when the game's file would not fit the platform's path
   limit. */
int BuildInstallNames(void)
{
    installFolderName[0] = installFolder[0] = gameFilePath[0] = L'\0';
    AppendWide(installFolderName, PATH_CHARACTERS, installPath);
    Append1252(installFolderName, PATH_CHARACTERS, GAME_FOLDER_NAME);
    AppendWide(installFolder, PATH_CHARACTERS, installFolderName);
    AppendWide(installFolder, PATH_CHARACTERS, L"\\");
    AppendWide(gameFilePath, PATH_CHARACTERS, installFolder);
    Append1252(gameFilePath, PATH_CHARACTERS, GAME_FILE_NAME);
    return wcslen(installPath) + strlen(GAME_FOLDER_NAME) + 1 + strlen(GAME_FILE_NAME) <=
           LONGEST_FILE_PATH;
}

/* The messages are put together in wide text: Setup's own words, and the
   paths exactly as the user and Windows name them. */
void AppendToMessage(const char *format, ...) __attribute__((format(printf, 1, 2)));
void AppendToMessage(const char *format, ...)
{
    char words[MESSAGE_CHARACTERS];
    va_list arguments;
    va_start(arguments, format);
    vsnprintf(words, sizeof words, format, arguments);
    va_end(arguments);
    Append1252(messageText, MESSAGE_CHARACTERS, words);
}

void AppendPathToMessage(const WCHAR *path)
{
    AppendWide(messageText, MESSAGE_CHARACTERS, path);
}

void StartMessage(void)
{
    messageText[0] = L'\0';
}

void ShowErrorMessage(void)
{
    ShowMessageBox(messageText, "ERROR", MB_OK | MB_ICONERROR);
}

void ReportPathNotFull(void)
{
    StartMessage();
    AppendToMessage("The install path\r\n\r\n\"");
    AppendPathToMessage(installPath);
    AppendToMessage("\"\r\n\r\n"
                    "is not a full path: it must begin with a drive, such as C:\\, or with a "
                    "network share, such as \\\\server\\share\\.\r\n\r\n"
                    "Nothing has been installed. Please choose a folder with Browse.");
    ShowErrorMessage();
}

void ReportPathTooLong(void)
{
    StartMessage();
    AppendToMessage("The install path is too long:\r\n\r\n");
    AppendPathToMessage(installPath);
    AppendToMessage("\r\n\r\n"
                    "With \"%s\\%s\" added it would be longer than the %u characters Windows "
                    "allows for a file's path.\r\n\r\n"
                    "Nothing has been installed. Please choose a folder with a shorter path.",
                    GAME_FOLDER_NAME, GAME_FILE_NAME, (unsigned)LONGEST_FILE_PATH);
    ShowErrorMessage();
}

/* Reads the path box into the install names. Answers 0, having said why,
   when there is nothing that Setup may install below. */
int ChooseInstallNames(void)
{
    ReadInstallPath();
    if (!IsFullPath(installPath)) {
        ReportPathNotFull();
        return 0;
    }
    EndPathWithBackslash();
    if (!BuildInstallNames()) {
        ReportPathTooLong();
        return 0;
    }
    return 1;
}

const WCHAR *DescribeWindowsError(DWORD error)
{
    DWORD length = FormatMessageW(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, NULL,
                                  error, 0, windowsErrorText, (DWORD)ERROR_TEXT_CHARACTERS, NULL);
    while (length > 0 &&
           (windowsErrorText[length - 1] == L'\r' || windowsErrorText[length - 1] == L'\n' ||
            windowsErrorText[length - 1] == L' '))
        length--;
    if (length == 0)
        WideFrom1252("(no description)", windowsErrorText, ERROR_TEXT_CHARACTERS);
    else
        windowsErrorText[length] = L'\0';
    return windowsErrorText;
}

/* What is on disk now, from what the attempt found and did. */
void AppendWhatIsOnDisk(const InstallFailure *failure)
{
    if (attempt.folderNameIsFile) {
        AppendPathToMessage(installFolderName);
        AppendToMessage(" is a file, not a folder, so Setup cannot make its folder there. "
                        "That file has not been changed.\r\n");
    }
    if (attempt.earlierGameFound)
        AppendToMessage("An earlier Zendaro.exe in that folder is as it was.\r\n");
    else
        AppendToMessage("Nothing has been installed.\r\n");
    if (failure->leftOver) {
        AppendToMessage("The temporary file\r\n");
        AppendPathToMessage(failure->leftOver);
        AppendToMessage("\r\ncould not be removed; you may delete it.\r\n");
    } else if (attempt.folderLeftBehind) {
        AppendToMessage("The folder\r\n");
        AppendPathToMessage(installFolder);
        AppendToMessage("\r\nthat Setup made could not be removed again; you may delete it.\r\n");
    }
}

void ReportFailure(const InstallFailure *failure)
{
    StartMessage();
    AppendToMessage("Zendaro could not be installed as\r\n");
    AppendPathToMessage(gameFilePath);
    AppendToMessage("\r\n\r\nStep: %s\r\nPath: ", failure->step);
    AppendPathToMessage(failure->path);
    AppendToMessage("\r\nWindows error %lu: ", (unsigned long)failure->error);
    AppendPathToMessage(DescribeWindowsError(failure->error));
    AppendToMessage("\r\n\r\n");
    AppendWhatIsOnDisk(failure);
    if (failure->fileInUse && attempt.earlierGameFound)
        AppendToMessage("If Zendaro is running, please close it and press Install again.\r\n");
    AppendToMessage("Please choose another folder, or close Setup.");
    ShowErrorMessage();
}

int CheckGameProgram(const GameProgram *program, InstallFailure *failure)
{
    if (program->bytes && program->size == gameProgramSize) return 1;
    failure->step = "Checking the program that Setup carries";
    failure->path = gameFilePath;
    failure->error = program->bytes ? ERROR_INVALID_DATA : ERROR_RESOURCE_DATA_NOT_FOUND;
    return 0;
}

int IsFolder(const WCHAR *path)
{
    DWORD attributes = GetFileAttributesW(path);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

int IsFile(const WCHAR *path)
{
    DWORD attributes = GetFileAttributesW(path);
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

/* A folder made now gets a security of its own; where none can be built
   it takes the folder above's, as any folder made there would, rather
   than leave the game uninstalled. */
DWORD MakeFolder(const WCHAR *folder)
{
    SECURITY_ATTRIBUTES security;
    int secured = MakeInstallFolderSecurity(&security);
    DWORD error = CreateDirectoryW(folder, secured ? &security : NULL) ? 0 : GetLastError();
    if (secured) ReleaseFolderSecurity(&security);
    return error;
}

/* An existing folder is used as it is; a missing parent folder is an
   error, since the user chose a folder that is not there. */
int CreateInstallFolder(InstallFailure *failure)
{
    DWORD error = MakeFolder(installFolder);
    attempt.folderMade = error == 0;
    if (attempt.folderMade) return 1;
    if (error == ERROR_ALREADY_EXISTS && IsFolder(installFolderName)) return 1;
    attempt.folderNameIsFile = error == ERROR_ALREADY_EXISTS && IsFile(installFolderName);
    failure->step = "Creating the folder";
    failure->path = attempt.folderNameIsFile ? installFolderName : installFolder;
    failure->error = error;
    return 0;
}

void ReportSuccessAndStartGame(void)
{
    ShowMessageBox1252("SETUP is Complete !", "SUCCESS", MB_OK | MB_ICONINFORMATION);
    /* The full path of the file just written: a bare name would let the
       shell search on, beside setup.exe and along the path, when that
       file is gone. */
    WCHAR verb[8], parameters[4];
    HINSTANCE started = ShellExecuteW(setupWindow, WideFrom1252("open", verb, 8), gameFilePath,
                                      WideFrom1252(" ", parameters, 4), installFolder, SW_SHOW);
    if ((INT_PTR)started <= 32)
        ShowMessageBox1252("Cannot Open Program", "ERROR", MB_OK | MB_ICONERROR);
    PostQuitMessage(0);
}

int WriteGameProgram(const GameProgram *program, InstallFailure *failure)
{
    memset(&attempt, 0, sizeof attempt);
    attempt.earlierGameFound = IsFile(gameFilePath);
    if (!CheckGameProgram(program, failure)) return 0;
    if (!CreateInstallFolder(failure)) return 0;
    if (WriteFileSafely(installFolder, gameFilePath, program->bytes, program->size, failure))
        return 1;
    /* Only a folder made just now, and only while it is still empty. */
    if (attempt.folderMade && !RemoveDirectoryW(installFolder)) attempt.folderLeftBehind = 1;
    return 0;
}

} // namespace

void InstallGame(void)
{
    EnableChoosing(FALSE);
    GameProgram program = LoadGameProgram();
    if (!ChooseInstallNames()) {
        EnableChoosing(TRUE);
        return;
    }
    InstallFailure failure = {"", L"", 0, NULL, 0};
    if (WriteGameProgram(&program, &failure)) {
        ReportSuccessAndStartGame();
        return;
    }
    ReportFailure(&failure);
    EnableChoosing(TRUE);
}

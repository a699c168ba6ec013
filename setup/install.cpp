/* The Install button: write the game program below the chosen path, say
   so, and start it. */
#include "setup.h"
#include "setup_resource.h"

#include <shellapi.h>
#include <stdio.h>
#include <string.h>

namespace
{

const char GAME_FOLDER_NAME[] = "Zendaro\\";
const char GAME_FILE_NAME[] = "Zendaro.exe";

/* The longest file path the ANSI file calls take, without its zero. */
const size_t LONGEST_FILE_PATH = MAX_PATH - 1;

char installPath[2048];
char installFolder[2048];
char gameFilePath[2048];
char messageText[4096];
char windowsErrorText[512];

struct GameProgram {
    const void *bytes;
    DWORD size;
};

void EnableChoosing(BOOL enable)
{
    EnableWindow(GetDlgItem(setupWindow, IDC_AGREE), enable);
    EnableWindow(GetDlgItem(setupWindow, IDC_BROWSE), enable);
    int agreed = SendDlgItemMessageA(setupWindow, IDC_AGREE, BM_GETCHECK, 0, 0) == BST_CHECKED;
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
    GetDlgItemTextA(setupWindow, IDC_INSTALL_PATH, installPath, sizeof installPath);
}

/* The chosen path ends in a backslash, so the names are joined as they
   are. Answers 0 when the game's file would not fit the platform's path
   limit. */
int BuildInstallNames(void)
{
    snprintf(installFolder, sizeof installFolder, "%s%s", installPath, GAME_FOLDER_NAME);
    snprintf(gameFilePath, sizeof gameFilePath, "%s%s", installFolder, GAME_FILE_NAME);
    return strlen(installPath) + strlen(GAME_FOLDER_NAME) + strlen(GAME_FILE_NAME) <=
           LONGEST_FILE_PATH;
}

void ReportPathTooLong(void)
{
    snprintf(messageText, sizeof messageText,
             "The install path is too long:\r\n\r\n%s\r\n\r\n"
             "With \"%s%s\" added it would be longer than the %u characters Windows allows "
             "for a file's path.\r\n\r\n"
             "Nothing has been installed. Please choose a folder with a shorter path.",
             installPath, GAME_FOLDER_NAME, GAME_FILE_NAME, (unsigned)LONGEST_FILE_PATH);
    MessageBoxA(NULL, messageText, "ERROR", MB_OK | MB_ICONERROR);
}

const char *DescribeWindowsError(DWORD error)
{
    DWORD length = FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, NULL,
                                  error, 0, windowsErrorText, sizeof windowsErrorText, NULL);
    while (length > 0 &&
           (windowsErrorText[length - 1] == '\r' || windowsErrorText[length - 1] == '\n' ||
            windowsErrorText[length - 1] == ' '))
        length--;
    if (length == 0)
        snprintf(windowsErrorText, sizeof windowsErrorText, "(no description)");
    else
        windowsErrorText[length] = '\0';
    return windowsErrorText;
}

void ReportFailure(const InstallFailure *failure)
{
    const char *description = DescribeWindowsError(failure->error);
    int length = snprintf(messageText, sizeof messageText,
                          "Zendaro could not be installed as\r\n%s\r\n\r\n"
                          "Step: %s\r\nPath: %s\r\nWindows error %lu: %s\r\n\r\n",
                          gameFilePath, failure->step, failure->path, (unsigned long)failure->error,
                          description);
    /* A cut-short first part keeps its end; the rest then adds nothing. */
    if (length < 0) length = 0;
    if ((size_t)length > sizeof messageText - 1) length = sizeof messageText - 1;
    if (failure->leftOver)
        snprintf(messageText + length, sizeof messageText - length,
                 "An earlier Zendaro.exe in that folder is as it was, but the temporary file\r\n"
                 "%s\r\ncould not be removed; you may delete it.\r\n"
                 "Please choose another folder, or close Setup.",
                 failure->leftOver);
    else
        snprintf(messageText + length, sizeof messageText - length,
                 "Nothing has been changed: an earlier Zendaro.exe in that folder is as it "
                 "was.\r\nPlease choose another folder, or close Setup.");
    MessageBoxA(NULL, messageText, "ERROR", MB_OK | MB_ICONERROR);
}

int CheckGameProgram(const GameProgram *program, InstallFailure *failure)
{
    if (program->bytes && program->size == gameProgramSize) return 1;
    failure->step = "Checking the program that Setup carries";
    failure->path = gameFilePath;
    failure->error = program->bytes ? ERROR_INVALID_DATA : ERROR_RESOURCE_DATA_NOT_FOUND;
    return 0;
}

/* An existing folder is used as it is; a missing parent folder is an
   error, since the user chose a folder that is not there. */
int CreateInstallFolder(int *created, InstallFailure *failure)
{
    *created = CreateDirectoryA(installFolder, NULL) ? 1 : 0;
    if (*created) return 1;
    DWORD error = GetLastError();
    if (error == ERROR_ALREADY_EXISTS) return 1;
    failure->step = "Creating the folder";
    failure->path = installFolder;
    failure->error = error;
    return 0;
}

void ReportSuccessAndStartGame(void)
{
    MessageBoxA(NULL, "SETUP is Complete !", "SUCCESS", MB_OK | MB_ICONINFORMATION);
    HINSTANCE started =
        ShellExecuteA(setupWindow, "open", GAME_FILE_NAME, " ", installFolder, SW_SHOW);
    if ((INT_PTR)started <= 32)
        MessageBoxA(NULL, "Cannot Open Program", "ERROR", MB_OK | MB_ICONERROR);
    PostQuitMessage(0);
}

int WriteGameProgram(const GameProgram *program, InstallFailure *failure)
{
    int folderCreated = 0;
    if (!CheckGameProgram(program, failure)) return 0;
    if (!CreateInstallFolder(&folderCreated, failure)) return 0;
    if (WriteFileSafely(installFolder, gameFilePath, program->bytes, program->size, failure))
        return 1;
    /* Only a folder made just now, and only while it is still empty. */
    if (folderCreated) RemoveDirectoryA(installFolder);
    return 0;
}

} // namespace

void InstallGame(void)
{
    EnableChoosing(FALSE);
    GameProgram program = LoadGameProgram();
    ReadInstallPath();
    if (!BuildInstallNames()) {
        ReportPathTooLong();
        EnableChoosing(TRUE);
        return;
    }
    InstallFailure failure = {"", "", 0, NULL};
    if (WriteGameProgram(&program, &failure)) {
        ReportSuccessAndStartGame();
        return;
    }
    ReportFailure(&failure);
    EnableChoosing(TRUE);
}

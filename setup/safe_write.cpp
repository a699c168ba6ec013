/* Writing the game program's file so that no crash, full disk or locked
   file ever leaves a damaged or half-written Zendaro.exe behind. */
#include "setup.h"

#include <stdio.h>

namespace
{

/* The temporary file's name has as many characters as "Zendaro.exe", so a
   folder that can hold the game's file can hold it too. */
WCHAR temporaryPath[MAX_PATH];
HANDLE gameFileBeingWritten = INVALID_HANDLE_VALUE;

const DWORD WRITE_CHUNK = 64 * 1024;
const int TEMPORARY_NAME_ATTEMPTS = 64;
/* About a second in all: long enough for a virus scanner to let go of a
   file it opened as it was written, short enough that the window, which
   answers nothing meanwhile, does not seem hung. */
const int REPLACE_ATTEMPTS = 10;
const DWORD REPLACE_PAUSE_MS = 100;

int Fail(InstallFailure *failure, const char *step, const WCHAR *path, DWORD error)
{
    failure->step = step;
    failure->path = path;
    failure->error = error;
    return 0;
}

int CreateTemporaryFile(const WCHAR *folder, InstallFailure *failure)
{
    DWORD seed = GetTickCount() ^ GetCurrentProcessId();
    DWORD error = ERROR_FILE_EXISTS;
    for (int attempt = 0; attempt < TEMPORARY_NAME_ATTEMPTS; attempt++) {
        unsigned number = (unsigned)((seed + (DWORD)attempt) & 0xFFFF);
        char name[16];
        snprintf(name, sizeof name, "~zd%04X.tmp", number);
        temporaryPath[0] = L'\0';
        AppendWide(temporaryPath, MAX_PATH, folder);
        Append1252(temporaryPath, MAX_PATH, name);
        gameFileBeingWritten = CreateFileW(temporaryPath, GENERIC_WRITE, 0, NULL, CREATE_NEW,
                                           FILE_ATTRIBUTE_NORMAL, NULL);
        if (gameFileBeingWritten != INVALID_HANDLE_VALUE) return 1;
        error = GetLastError();
        if (error != ERROR_FILE_EXISTS) break;
    }
    return Fail(failure, "Creating a temporary file", temporaryPath, error);
}

int WriteAllBytes(const unsigned char *bytes, DWORD size, InstallFailure *failure)
{
    DWORD done = 0;
    while (done < size) {
        DWORD chunk = size - done < WRITE_CHUNK ? size - done : WRITE_CHUNK;
        DWORD written = 0;
        if (!WriteFile(gameFileBeingWritten, bytes + done, chunk, &written, NULL))
            return Fail(failure, "Writing the temporary file", temporaryPath, GetLastError());
        if (written == 0)
            return Fail(failure, "Writing the temporary file", temporaryPath, ERROR_WRITE_FAULT);
        done += written;
    }
    return 1;
}

int FlushAndCheckSize(DWORD size, InstallFailure *failure)
{
    if (!FlushFileBuffers(gameFileBeingWritten))
        return Fail(failure, "Flushing the temporary file to disk", temporaryPath, GetLastError());
    LARGE_INTEGER written;
    if (!GetFileSizeEx(gameFileBeingWritten, &written))
        return Fail(failure, "Checking the size of the temporary file", temporaryPath,
                    GetLastError());
    if (written.QuadPart != (LONGLONG)size)
        return Fail(failure, "Checking the size of the temporary file", temporaryPath,
                    ERROR_WRITE_FAULT);
    return 1;
}

int CloseGameFile(InstallFailure *failure)
{
    HANDLE file = gameFileBeingWritten;
    gameFileBeingWritten = INVALID_HANDLE_VALUE;
    if (!CloseHandle(file))
        return Fail(failure, "Closing the temporary file", temporaryPath, GetLastError());
    return 1;
}

/* How Windows refuses to replace a program that is running, or a file
   that another program holds open. */
int IsInUseError(DWORD error)
{
    return error == ERROR_ACCESS_DENIED || error == ERROR_SHARING_VIOLATION ||
           error == ERROR_LOCK_VIOLATION;
}

int ReplaceWithTemporaryFile(const WCHAR *filePath, InstallFailure *failure)
{
    DWORD error = ERROR_SUCCESS;
    for (int attempt = 0; attempt < REPLACE_ATTEMPTS; attempt++) {
        if (attempt > 0) Sleep(REPLACE_PAUSE_MS);
        if (MoveFileExW(temporaryPath, filePath,
                        MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
            return 1;
        error = GetLastError();
        if (!IsInUseError(error)) break;
    }
    failure->fileInUse = IsInUseError(error);
    return Fail(failure, "Replacing Zendaro.exe with the new copy", filePath, error);
}

void RemoveTemporaryFile(InstallFailure *failure)
{
    if (gameFileBeingWritten != INVALID_HANDLE_VALUE) CloseHandle(gameFileBeingWritten);
    gameFileBeingWritten = INVALID_HANDLE_VALUE;
    if (!DeleteFileW(temporaryPath)) failure->leftOver = temporaryPath;
}

} // namespace

int WriteFileSafely(const WCHAR *folder, const WCHAR *filePath, const void *bytes, DWORD size,
                    InstallFailure *failure)
{
    if (!CreateTemporaryFile(folder, failure)) return 0;
    int written = WriteAllBytes((const unsigned char *)bytes, size, failure) &&
                  FlushAndCheckSize(size, failure) && CloseGameFile(failure);
    if (written && ReplaceWithTemporaryFile(filePath, failure)) return 1;
    RemoveTemporaryFile(failure);
    return 0;
}

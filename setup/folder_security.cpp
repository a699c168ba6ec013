/* The install folder's security (folder_security.h). */
#include "folder_security.h"

#include "system_dlls.h"

#include <sddl.h>
#include <stdio.h>

namespace
{

/* Without a descriptor of its own, a folder made below C:\ takes C:\'s,
   under which every signed-in user may change its files, the game among
   them. Protected (P), it takes nothing from the folder above; OICI
   passes each entry on to the files and folders inside. 0x1200a9 is
   reading and running: FILE_GENERIC_READ | FILE_GENERIC_EXECUTE. */
const char INSTALL_FOLDER_ACCESS[] =
    "D:P(A;OICI;FA;;;%s)(A;OICI;FA;;;BA)(A;OICI;FA;;;SY)(A;OICI;0x1200a9;;;BU)";

/* advapi32 is taken from the system folder by its full path, not
   imported: the loader resolves imports before Setup's entry has taken
   the DLL search out of the folder Setup was started from. */
typedef BOOL(WINAPI *OpenProcessTokenCall)(HANDLE process, DWORD access, PHANDLE token);
typedef BOOL(WINAPI *GetTokenInformationCall)(HANDLE token, TOKEN_INFORMATION_CLASS kind,
                                              LPVOID information, DWORD size, PDWORD needed);
typedef BOOL(WINAPI *ConvertSidToStringSidCall)(PSID sid, LPSTR *text);
typedef BOOL(WINAPI *ConvertStringSecurityDescriptorCall)(LPCSTR text, DWORD revision,
                                                          PSECURITY_DESCRIPTOR *descriptor,
                                                          PULONG size);

struct SecurityCalls {
    OpenProcessTokenCall openProcessToken;
    GetTokenInformationCall getTokenInformation;
    ConvertSidToStringSidCall convertSidToStringSid;
    ConvertStringSecurityDescriptorCall convertStringSecurityDescriptor;
};

int FindSecurityCalls(SecurityCalls *calls)
{
    HMODULE advapi32 = LoadSystemDll("advapi32.dll");
    calls->openProcessToken = (OpenProcessTokenCall)FindCall(advapi32, "OpenProcessToken");
    calls->getTokenInformation = (GetTokenInformationCall)FindCall(advapi32, "GetTokenInformation");
    calls->convertSidToStringSid =
        (ConvertSidToStringSidCall)FindCall(advapi32, "ConvertSidToStringSidA");
    calls->convertStringSecurityDescriptor = (ConvertStringSecurityDescriptorCall)FindCall(
        advapi32, "ConvertStringSecurityDescriptorToSecurityDescriptorA");
    return calls->openProcessToken && calls->getTokenInformation && calls->convertSidToStringSid &&
           calls->convertStringSecurityDescriptor;
}

/* The token's user and its SID, with room for the longest SID there is. */
union UserOfToken {
    TOKEN_USER user;
    // cppcheck-suppress unusedStructMember ; the room the SID is read into
    BYTE bytes[sizeof(TOKEN_USER) + SECURITY_MAX_SID_SIZE];
};

/* The SID of the user this process runs as, as text ("S-1-5-21-..."). */
int ReadUserSid(const SecurityCalls *calls, char *sid, size_t size)
{
    HANDLE token = NULL;
    if (!calls->openProcessToken(GetCurrentProcess(), TOKEN_QUERY, &token)) return 0;
    UserOfToken user;
    DWORD needed = 0;
    BOOL read = calls->getTokenInformation(token, TokenUser, &user, sizeof user, &needed);
    CloseHandle(token);
    char *text = NULL;
    if (!read || !calls->convertSidToStringSid(user.user.User.Sid, &text)) return 0;
    int written = snprintf(sid, size, "%s", text);
    LocalFree(text);
    return written > 0 && (size_t)written < size;
}

} // namespace

int MakeInstallFolderSecurity(SECURITY_ATTRIBUTES *attributes)
{
    SecurityCalls calls;
    char sid[256], text[512];
    if (!FindSecurityCalls(&calls) || !ReadUserSid(&calls, sid, sizeof sid)) return 0;
    int written = snprintf(text, sizeof text, INSTALL_FOLDER_ACCESS, sid);
    if (written <= 0 || (size_t)written >= sizeof text) return 0;
    PSECURITY_DESCRIPTOR descriptor = NULL;
    if (!calls.convertStringSecurityDescriptor(text, SDDL_REVISION_1, &descriptor, NULL)) return 0;
    attributes->nLength = sizeof *attributes;
    attributes->lpSecurityDescriptor = descriptor;
    attributes->bInheritHandle = FALSE;
    return 1;
}

void ReleaseFolderSecurity(SECURITY_ATTRIBUTES *attributes)
{
    LocalFree(attributes->lpSecurityDescriptor);
    attributes->lpSecurityDescriptor = NULL;
}

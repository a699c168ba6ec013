/* The security of the folder Setup makes for the game. */
#ifndef ZENDARO_FOLDER_SECURITY_H
#define ZENDARO_FOLDER_SECURITY_H

#include <windows.h>

/* Fills *attributes with the security of a folder that Setup makes: full
   control for the user this process runs as, the administrators and the
   system, reading and running for the other users; not taken from the
   folder above, and passed on to every file and folder inside. Answers 0, with *attributes
   untouched, when it cannot be built; otherwise ReleaseFolderSecurity gives its memory back. */
int MakeInstallFolderSecurity(SECURITY_ATTRIBUTES *attributes);
void ReleaseFolderSecurity(SECURITY_ATTRIBUTES *attributes);

#endif

/* Built once for each setup variant, from the size header that the build
   wrote when it packed that variant's game program. */
#include "setup.h"

#include "game_payload.h"

const DWORD gameProgramSize = GAME_PROGRAM_SIZE;

/* For the setup made to show what a damaged payload does: the size it
   expects is one byte more than the payload it carries. */
#include "setup.h"

#include "game_payload.h"

const DWORD gameProgramSize = GAME_PROGRAM_SIZE + 1;

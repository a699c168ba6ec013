/* The ten sounds, played from the program's own WAVE resources. */
#include <windows.h>

#include <mmsystem.h>

#include "ui.h"
#include "view/view.h"

/* A sound that cannot be found plays nothing rather than the system's
   default sound. */
static void Play(int n, DWORD how)
{
    PlaySoundA(MAKEINTRESOURCEA(IDW_FIRST + n), ui.instance, SND_RESOURCE | SND_NODEFAULT | how);
}

void PlayGameSound(int n)
{
    Play(n, SND_SYNC);
}

void PlayGameSoundAsync(int n)
{
    Play(n, SND_ASYNC);
}

/* The ten sounds, played from the program's own WAVE resources. */
#include <windows.h>

#include <mmsystem.h>

#include "system_dlls.h"
#include "ui.h"
#include "view/view.h"

/* PlaySoundA is taken from the system folder's winmm.dll, not imported:
   winmm is not a known DLL, and an imported one would be looked for in
   the game's own folder first. */
typedef BOOL(WINAPI *PlaySoundCall)(LPCSTR sound, HMODULE module, DWORD flags);

static PlaySoundCall playSound;

void FindSoundPlayer(void)
{
    playSound = (PlaySoundCall)FindCall(LoadSystemDll("winmm.dll"), "PlaySoundA");
}

/* A sound that cannot be found plays nothing rather than the system's
   default sound; without winmm the game is silent. */
static void Play(int n, DWORD how)
{
    if (playSound)
        playSound(MAKEINTRESOURCEA(IDW_FIRST + n), ui.instance, SND_RESOURCE | SND_NODEFAULT | how);
}

void PlayGameSound(int n)
{
    Play(n, SND_SYNC);
}

void PlayGameSoundAsync(int n)
{
    Play(n, SND_ASYNC);
}

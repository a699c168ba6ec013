/* Plays Zendaro.exe through its real window, as a player would, and checks
   what the board shows at every step.

     zendaro-client SCENARIO ZENDARO_EXE [OUTPUT_FOLDER]

   Each scenario is a file of its own (NAME_scenario.cpp) and a row of
   SCENARIOS below. Answers 0 when every check held, 1 when one failed, 2 on
   bad arguments. */
#include <windows.h>

#include <objbase.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include <string>

#include "game_play.h"

int ScenarioLayout(void);
int ScenarioBoard(void);
int ScenarioGames(void);
int ScenarioGamesDeal(void);
int ScenarioClose(void);
int ScenarioCloseCall(void);
int ScenarioShortcut(void);
int ScenarioMissing(void);
int ScenarioRestart(void);
int ScenarioLanguages(void);

namespace
{

const struct {
    const char *name;
    int (*run)(void);
} SCENARIOS[] = {
    {"layout", ScenarioLayout},        {"games", ScenarioGames},
    {"close", ScenarioClose},          {"shortcut", ScenarioShortcut},
    {"missing", ScenarioMissing},      {"restart", ScenarioRestart},
    {"languages", ScenarioLanguages},  {"board", ScenarioBoard},
    {"games_deal", ScenarioGamesDeal}, {"close_call", ScenarioCloseCall},
};

std::string FullPath(const char *path)
{
    char full[MAX_PATH];
    DWORD length = GetFullPathNameA(path, sizeof full, full, NULL);
    if (length == 0 || length >= sizeof full) return path;
    return full;
}

} // namespace

int main(int argc, char **argv)
{
    if (argc < 3) {
        fprintf(stderr, "usage: zendaro-client SCENARIO ZENDARO_EXE [OUTPUT_FOLDER]\nscenarios:");
        for (const auto &s : SCENARIOS) fprintf(stderr, " %s", s.name);
        fprintf(stderr, "\n");
        return 2;
    }
    std::string scenario = argv[1];
    exePath = FullPath(argv[2]);
    if (argc > 3) outputFolder = FullPath(argv[3]);
    /* Under Wine with a null sink (tests/wine/run-client) the game's sounds
       hold it for their real length. */
    const char *sound = getenv("ZENDARO_WINE_SOUND");
    if (sound && strcmp(sound, "sink") == 0) driveAllowanceMs = SOUND_ALLOWANCE_MS;
    driveAllowanceMs += DriveEmulationAllowance();
    Log("allowance per wait: %lu ms", driveAllowanceMs);
    CoInitialize(NULL);
    DWORD start = DriveNow();
    int (*run)(void) = NULL;
    for (const auto &s : SCENARIOS)
        if (scenario == s.name) run = s.run;
    if (!run) {
        fprintf(stderr, "unknown scenario %s\n", scenario.c_str());
        return 2;
    }
    run();
    Log("%s: %d failure(s) in %lu s", scenario.c_str(), FailureCount(),
        (DriveNow() - start) / 1000);
    CoUninitialize();
    return FailureCount() ? 1 : 0;
}

/* zendaro-sim-bench SCRIPT [SECONDS]: plays one scripted game on the
   recording view (virtual clock, no window) again and again for about
   SECONDS (default 3) of real time and prints the whole games per second.
   Every game must reach its end, or the figure would flatter a broken
   run: answers 1 if one does not. */
#include <stdio.h>
#include <stdlib.h>

#include <chrono>
#include <fstream>
#include <sstream>
#include <string>

#include "model/model.h"
#include "record/recording.h"
#include "script.h"

namespace
{

/* Plays the script once; answers whether the game was played out. */
bool PlayWholeGame(const std::string &script)
{
    RecordingReset();
    char error[256];
    if (LoadScript(script.c_str(), error, sizeof error) != 0) {
        fprintf(stderr, "zendaro-sim-bench: %s\n", error);
        return false;
    }
    if (RecordingRun() == RUN_TIMED_OUT) {
        fprintf(stderr, "zendaro-sim-bench: %s\n", RecordingTimeoutMessage());
        return false;
    }
    return gameState.pickCount == BOX_COUNT + 1 && RecordingLineCount(IDC_WIN_HISTORY) == 1;
}

} // namespace

int main(int argc, char **argv)
{
    if (argc < 2) {
        fprintf(stderr, "usage: zendaro-sim-bench SCRIPT [SECONDS]\n");
        return 2;
    }
    std::ifstream file(argv[1], std::ios::binary);
    std::stringstream text;
    text << file.rdbuf();
    const std::string script = text.str();
    const double budget = argc > 2 ? strtod(argv[2], nullptr) : 3.0;

    recordingSlots = VIRTUAL_SLOTS;
    RecordingSetLog(nullptr, nullptr);
    long games = 0;
    long long virtualMs = 0;
    auto start = std::chrono::steady_clock::now();
    double seconds = 0;
    while (seconds < budget || games < 10) {
        if (!PlayWholeGame(script)) {
            fprintf(stderr, "zendaro-sim-bench: game %ld did not reach its end\n", games + 1);
            return 1;
        }
        games++;
        virtualMs += RecordingNow();
        seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    }
    printf("%ld games in %.3f s: %.0f games/s, %.0f virtual s per game, %lld passes per game\n",
           games, seconds, games / seconds, virtualMs / 1000.0 / games,
           RecordingGetCounts()->passes);
    return 0;
}

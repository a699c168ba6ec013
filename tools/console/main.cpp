/* zendaro-console: the game without a window. With --script it plays a
   scripted game on the virtual clock and prints one line per view
   operation; on a terminal without a script it is a game to play. */
#include <stdio.h>
#include <string.h>
#include <unistd.h>

#include <string>

#include "record/recording.h"
#include "script.h"
#include "terminal.h"

static const char usage[] =
    "usage: zendaro-console [--script FILE|-] [--quiet] [--echo]\n"
    "  --script FILE  play the actions in FILE ('-' for standard input) on a virtual\n"
    "                 clock and print one line per view operation:\n"
    "                   clock YYYY-MM-DDTHH:MM:SS.mmm   UTC time at the start (first line)\n"
    "                   click N        box button N (1-22), once it is enabled\n"
    "                   deal | nodeal  once the button is enabled\n"
    "                   newgame yes|no NEW GAME and the answer to \"START AGAIN?\"\n"
    "                   swap yes|no    the answer to \"SWAP YOUR BOX?\" from now on\n"
    "                   wait S         S seconds before the next action\n"
    "                   quit           close the window\n"
    "                 '#' starts a comment. Actions are delivered in order, each as\n"
    "                 soon as it can be, also inside a turn still running (put a wait\n"
    "                 after NO DEAL to let its sound play out); a wait counts from\n"
    "                 the delivery of the action before it. Input starts once the\n"
    "                 first game is set up.\n"
    "  --quiet        print nothing but errors\n"
    "  --echo         also print each action as it is delivered (\"input click 5\")\n"
    "Without --script, on a terminal: play in real time.\n"
    "Exit status: 0 done, 1 an action could not be delivered, 2 bad usage or script.\n";

static int ReadAll(FILE *file, std::string *text)
{
    char buffer[4096];
    size_t n;
    while ((n = fread(buffer, 1, sizeof buffer, file)) > 0) text->append(buffer, n);
    return !ferror(file);
}

static void PrintLine(const char *line, void *)
{
    fputs(line, stdout);
    fputc('\n', stdout);
}

static int PlayScript(const char *path, int quiet, int echo)
{
    std::string script;
    FILE *file = strcmp(path, "-") == 0 ? stdin : fopen(path, "rb");
    if (!file || !ReadAll(file, &script)) {
        fprintf(stderr, "zendaro-console: cannot read %s\n", path);
        return 2;
    }
    /* Read in full already: closing an input cannot lose anything. */
    if (file != stdin) (void)fclose(file);
    RecordingReset();
    char error[256];
    int badLine = LoadScript(script.c_str(), error, sizeof error);
    if (badLine) {
        fprintf(stderr, "%s:%d: %s\n", path, badLine, error);
        return 2;
    }
    RecordingSetLog(quiet ? NULL : PrintLine, NULL);
    RecordingSetEchoInput(echo);
    int result = RecordingRun();
    fflush(stdout);
    if (result == RUN_TIMED_OUT) {
        fprintf(stderr, "zendaro-console: %s: %s\n", path, RecordingTimeoutMessage());
        return 1;
    }
    return 0;
}

int main(int argc, char **argv)
{
    const char *script = NULL;
    int quiet = 0, echo = 0;
    for (int i = 1; i < argc; i++) {
        if (strcmp(argv[i], "--script") == 0 && i + 1 < argc)
            script = argv[++i];
        else if (strcmp(argv[i], "--quiet") == 0)
            quiet = 1;
        else if (strcmp(argv[i], "--echo") == 0)
            echo = 1;
        else if (strcmp(argv[i], "--help") == 0) {
            fputs(usage, stdout);
            return 0;
        } else {
            fputs(usage, stderr);
            return 2;
        }
    }
    if (script) return PlayScript(script, quiet, echo);
    if (!isatty(STDIN_FILENO) || !isatty(STDOUT_FILENO)) {
        fputs(usage, stderr);
        return 2;
    }
    return PlayInTerminal();
}

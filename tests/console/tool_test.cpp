/* The zendaro-console program itself: its scripts, its log and its exit
   status. */
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "support.h"

namespace
{

struct Result {
    int status;
    std::vector<std::string> lines;
    std::string errors;
};

/* ctest runs tests side by side: each gets files of its own. */
std::string TempFile(const char *what)
{
    const char *test = ::testing::UnitTest::GetInstance()->current_test_info()->name();
    return testing::TempDir() + "zendaro-console-" + test + "-" + std::to_string(getpid()) + "-" +
           what;
}

std::string Script(const char *name)
{
    return std::string(SCRIPTS_DIR) + "/" + name;
}

std::string ReadText(const std::string &path)
{
    std::ifstream file(path);
    std::stringstream text;
    text << file.rdbuf();
    return text.str();
}

/* Runs the tool through the shell with arguments (and redirections). */
Result RunTool(const std::string &arguments)
{
    std::string errorFile = TempFile("errors.txt");
    std::string command = std::string(ZENDARO_CONSOLE) + " " + arguments + " 2>" + errorFile;
    Result result;
    // NOLINTNEXTLINE(cert-env33-c): the shell runs the real tool and its redirections
    FILE *pipe = popen(command.c_str(), "r");
    char buffer[4096];
    std::string line;
    while (fgets(buffer, sizeof buffer, pipe)) {
        line += buffer;
        if (line.back() != '\n') continue;
        line.pop_back();
        result.lines.push_back(line);
        line.clear();
    }
    int status = pclose(pipe);
    result.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    result.errors = ReadText(errorFile);
    EXPECT_EQ(0, std::remove(errorFile.c_str())) << errorFile;
    return result;
}

std::string WriteScript(const std::string &text)
{
    std::string path = TempFile("script.txt");
    std::ofstream(path) << text;
    return path;
}

/* The time a log line starts with, or -1 unless a time, one blank and an
   op begin it. */
long long LineTime(const std::string &line)
{
    char *end;
    long long ms = std::strtoll(line.c_str(), &end, 10);
    if (end == line.c_str() || end[0] != ' ' || end[1] == '\0' || end[1] == ' ') return -1;
    return ms;
}

std::vector<std::string> Matching(const Result &r, const std::string &text)
{
    std::vector<std::string> found;
    for (const std::string &line : r.lines) {
        if (line.find(text) != std::string::npos) found.push_back(line);
    }
    return found;
}

TEST(Tool, FirstClockExampleLogsEveryOperation)
{
    Result r = RunTool("--script " + Script("first-clock-example.txt"));
    ASSERT_EQ(0, r.status) << r.errors;
    /* The game itself is the in-process tests' to check; here the log's own
       form: time, op, arguments, UTF-8 pound, \n escapes. */
    EXPECT_EQ("0 text 1007 \"\"", r.lines.at(0));
    EXPECT_EQ(
        1u, Matching(r, " inform \"UNLUCKY\" \"YOU DID NOT VANTOREL\\n\\nTHE BANKER WON\"").size());
    EXPECT_EQ(1u, Matching(r, " add 1006 \"" + PoundsUtf8("3000") + "\"").size());
    for (const std::string &line : r.lines) ASSERT_NE(-1, LineTime(line)) << line;
}

/* Where two logs part, or "" where they do not. */
std::string FirstDifference(const Result &a, const Result &b)
{
    size_t i = 0;
    while (i < a.lines.size() && i < b.lines.size() && a.lines[i] == b.lines[i]) i++;
    if (i == a.lines.size() && i == b.lines.size()) return "";
    return "line " + std::to_string(i + 1) + ": '" + (i < a.lines.size() ? a.lines[i] : "") +
           "' against '" + (i < b.lines.size() ? b.lines[i] : "") + "'";
}

/* The echoed actions as a script: each after a wait as long as the time
   since the delivery before it, the trailing wait as a wait alone. The
   clock is set before any delivery, so it is never echoed. */
std::string ScriptFromEcho(const Result &echoed, const std::string &clockLine)
{
    std::string script = clockLine;
    long long lastMs = 0;
    for (const std::string &line : echoed.lines) {
        size_t op = line.find(' ') + 1;
        if (line.compare(op, 6, "input ") != 0) continue;
        long long ms = LineTime(line);
        char wait[40];
        std::snprintf(wait, sizeof wait, "wait %lld.%03lld\n", (ms - lastMs) / 1000,
                      (ms - lastMs) % 1000);
        std::string action = line.substr(op + 6);
        script += wait + (action == "end of wait" ? "" : action + "\n");
        lastMs = ms;
    }
    return script;
}

TEST(Tool, ScriptFromStandardInputOrFromItsEchoPlaysTheSame)
{
    const std::string clockLine = "clock 2008-03-14T09:26:53.589\n";
    /* After the first game's clicks and NO DEALs, every other action: NEW
       GAME refused, with a trailing wait that outlasts the closing sounds
       so that its end shows in the log; or NEW GAME taken, the swap
       answer, a DEAL and the window closed. */
    const char *tails[] = {
        "newgame no\nwait 12\n",
        "newgame yes\nswap yes\nclick 1\nclick 2\nclick 3\nclick 4\nclick 5\nclick 6\n"
        "deal\nwait 4\nclick 7\nswap no\nquit\n",
    };
    for (const char *tail : tails) {
        std::string path = WriteScript(ReadText(Script("first-clock-example.txt")) + tail);
        Result fromFile = RunTool("--echo --script " + path);
        ASSERT_EQ(0, fromFile.status) << fromFile.errors;
        Result fromStdin = RunTool("--echo --script - < " + path);
        EXPECT_EQ("", FirstDifference(fromFile, fromStdin)) << tail;
        Result fromEcho =
            RunTool("--echo --script - < " + WriteScript(ScriptFromEcho(fromFile, clockLine)));
        ASSERT_EQ(0, fromEcho.status) << fromEcho.errors;
        EXPECT_EQ("", FirstDifference(fromFile, fromEcho)) << tail;
    }
}

TEST(Tool, QuitDuringAWaitEndsTheRunThere)
{
    Result r = RunTool("--script " + Script("quit-during-wait.txt"));
    ASSERT_EQ(0, r.status) << r.errors;
    EXPECT_NE(std::string::npos, r.lines.back().find(" play 3")) << r.lines.back();
    EXPECT_EQ(1u, Matching(r, " play 3").size());
    EXPECT_EQ(5u, Matching(r, "YOU HAVE REVEALED").size());
}

TEST(Tool, MalformedLineIsReportedBeforeAnythingRuns)
{
    const char *bad[] = {"click 23",
                         "click",
                         "wait -1",
                         "wait 1.x",
                         "newgame maybe",
                         "swap",
                         "clock 2008-02-30T00:00:00.000",
                         "deal now",
                         "dance"};
    for (const char *line : bad) {
        std::string path = WriteScript(std::string("clock 2008-03-14T09:26:53.589\nclick 1\n") +
                                       "# a comment\n\n" + line + "\nclick 2\n");
        Result r = RunTool("--script " + path);
        EXPECT_EQ(2, r.status) << line;
        EXPECT_TRUE(r.lines.empty()) << line;
        EXPECT_NE(std::string::npos, r.errors.find(path + ":5: ")) << line << ": " << r.errors;
    }
    Result late = RunTool("--script " + WriteScript("click 1\nclock 2008-03-14T09:26:53.589\n"));
    EXPECT_EQ(2, late.status);
    EXPECT_NE(std::string::npos, late.errors.find(":2: clock must come before")) << late.errors;
}

TEST(Tool, ActionThatCannotBeDeliveredEndsWithStatusOne)
{
    Result r = RunTool("--script " + WriteScript("click 1\ndeal\nclick 2\n"));
    EXPECT_EQ(1, r.status);
    EXPECT_NE(std::string::npos, r.errors.find("line 2: 'deal' could not be delivered within 600"))
        << r.errors;
    long long last = LineTime(r.lines.back());
    EXPECT_LE(last, 600000 + 5821);
    EXPECT_GE(last, 600000);
    EXPECT_TRUE(Matching(r, "YOU HAVE REVEALED").empty());
}

TEST(Tool, UsageWithoutScriptOffATerminal)
{
    Result r = RunTool("< /dev/null");
    EXPECT_EQ(2, r.status);
    EXPECT_NE(std::string::npos, r.errors.find("usage: zendaro-console"));
    EXPECT_EQ(2, RunTool("--bogus").status);
    EXPECT_EQ(0, RunTool("--help").status);
}

TEST(Tool, QuietPrintsNothing)
{
    Result r = RunTool("--quiet --script " + Script("first-clock-example.txt"));
    EXPECT_EQ(0, r.status);
    EXPECT_TRUE(r.lines.empty());
}

} // namespace

/* Drives the recording view in-process and reads its log. */
#ifndef ZENDARO_TESTS_CONSOLE_SUPPORT_H
#define ZENDARO_TESTS_CONSOLE_SUPPORT_H

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "../pounds.h"
#include "flow/flow.h"
#include "model/model.h"
#include "record/recording_testing.h"
#include "script.h"

/* The two clocks whose deals the tests know. */
extern const std::string firstClockLine; /* 12, 18, 2, 19, 10, 9, 20, 7, 1, 5, 21, ... */
extern const std::string swapClockLine;  /* offers the swap in its first game */
extern const unsigned firstDeal[BOX_COUNT];
extern const unsigned swapDeal[BOX_COUNT];

struct LogLine {
    long long ms;
    std::string op;
    std::string args;
    std::string whole;
};

/* A whole game choosing box 1, opening 2 to 21 in order, then 1 and 22;
   NO DEAL at every offer, or DEAL at the first. */
std::string GameScript(bool dealAtFirstOffer);
/* The same up to "OPEN YOUR BOX": without its last two clicks. */
std::string UpToOwnBox(bool dealAtFirstOffer);

/* The unquoted text of a log argument ("\"A\\nB\"" gives "A\nB"). */
std::string Unquote(const std::string &quoted);

class ConsoleTest : public ::testing::Test
{
  protected:
    void SetUp() override;
    void TearDown() override;

    void Load(const std::string &script);
    int Run();

    /* Queues an action as the player would: delivered once its button is
       enabled, after waitMs. */
    void Queue(int kind, int box = 0, int yes = 0, int64_t waitMs = 0, int force = 0);

    /* Runs action once, at the nth log line (1-based) that contains text. */
    void When(const std::string &text, int nth, std::function<void()> action);

    std::vector<LogLine> Ops(const std::string &op) const;
    std::vector<std::string> Messages() const;
    /* Index of the first line at or after from containing text, or -1. */
    int Find(const std::string &text, int from = 0) const;
    std::vector<LogLine> log;
    /* Whether the game stands exactly as NewGame leaves it. */
    static void ExpectFreshGame();

  private:
    static void Sink(const char *line, void *self);
    struct Trigger {
        std::string text;
        int remaining;
        std::function<void()> action;
    };
    std::vector<Trigger> triggers;
};

#endif

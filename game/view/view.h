/* The view services: everything the game logic (game/model, game/flow) may
   ask of the window, the message pump, the timer and the sound player.

   The logic includes this header and the standard library only. Each
   operation is realised once per view:
     - game/win32    the real dialog window on Windows;
     - game/record   a recording view with a virtual clock (the tests and
                     tools/console's zendaro-console);
     - game/view     the null view (null_view.h), which does nothing, for
                     what runs the logic without a window.
   The timed wait is the logic's own (WaitTicks, game/flow/flow.h), built
   on PumpMessages.

   Every operation may be called at any time on the program's one thread,
   also from a handler that runs nested inside a pump pass. Only a pump
   pass, a wait and the two message boxes may run game code before they
   return. None reports a failure: a missing picture or sound shows or
   plays nothing and the game goes on. */
#ifndef ZENDARO_VIEW_H
#define ZENDARO_VIEW_H

#include "../resources/resource.h"

/* Sound numbers: sound n is the WAVE resource IDW_FIRST + n. */
enum {
    IDW_REVEAL = 0,
    IDW_BAD_NEWS = 1,
    IDW_AMBIENCE = 2,
    IDW_BANKER_CALL = 3,
    IDW_MILD_GOOD_NEWS = 4,
    IDW_GOOD_NEWS = 5,
    IDW_MILD_BAD_NEWS = 6,
    IDW_START_END = 7,
    IDW_ANSWER_PROMPT = 8,
    IDW_CALL_END = 9,
    SOUND_COUNT = 10
};

/* Position that takes a control out of view, in client pixels. */
enum { OUT_OF_VIEW = 16384 };

/* UTC time as the platform's clock reads it. */
struct ClockTime {
    unsigned year, month, day, hour, minute, second, milliseconds;
};

/* Replaces the whole text of IDC_MESSAGE, IDC_OFFER_VALUE or IDC_BANK_VALUE;
   "" clears it. Called by NewGame, the turn flow, ComputeOffer, OnTick. */
void ViewSetText(int id, const char *text);

/* Replaces the caption of a box's number button. Called by NewGame and
   SwapOwnBox. */
void ViewSetCaption(int id, const char *text);

/* Appends a line to IDC_OFFER_LIST or IDC_WIN_HISTORY; lists never sort.
   Called by ComputeOffer and the verdict. */
void ViewAddLine(int listId, const char *text);

/* Removes every line of IDC_OFFER_LIST. Called by NewGame. */
void ViewEmptyList(int listId);

/* Enables (on != 0) or disables a button. Called by NewGame, the turn
   flow and OnTick. */
void ViewEnable(int id, int on);

/* Moves a control's top-left corner to client pixel (x, y), keeping its
   size, and raises it above its siblings. Called by NewGame and the turn
   flow. */
void ViewMove(int id, int x, int y);

/* Reads a control's top-left corner in client pixels. Called once, by the
   start-up's capture of the home positions. */
void ViewGetPosition(int id, int *x, int *y);

/* Repaints a control at once, background included. Called by NewGame and
   the turn flow. */
void ViewRedraw(int id);

/* Makes a box picture show a bitmap (IDB_CLOSED_BOX or IDB_OPEN_BOX_FIRST
   + k). Called by NewGame and the turn flow. */
void ViewShowPicture(int pictureId, int bitmapId);

/* Gives the keyboard focus to IDC_OFFER_LIST. Called by OnBoxClicked. */
void ViewFocusOffers(void);

/* Shows a message with OK and the information icon, without an owner
   window; returns when closed. The board stays usable meanwhile, so game
   code may run inside. Called by the verdict. */
void ViewInform(const char *text, const char *caption);

/* Asks a Yes/No question without an icon and without an owner window;
   answers nonzero for Yes. Game code may run inside. Called by the swap
   offer and the NEW GAME confirmation. */
int ViewAsk(const char *text, const char *caption);

/* One pass of the message pump: handles every waiting event (clicks, the
   timer's tick, repainting), which may run game handlers nested inside the
   caller, then rests 1 ms. Answers nonzero once the quit message has been
   taken, by this pass or any earlier one. Called by NewGame, the turn
   flow, WaitTicks, OnTick and the main loop. */
int PumpMessages(void);

/* Called by a waiting loop right after a pump pass it is about to repeat
   (WaitTicks, the answer wait): lets the view skip a quiet spell. The
   platform returns at once, the pass having rested already; the recording
   view moves its clock on to the next moment at which anything can be
   delivered, exactly where the repeated 1 ms passes would have taken it. */
void ViewIdle(void);

/* Nonzero once any pump pass has taken the quit message; never cleared.
   Called by the turn flow after each step that may have run others. */
int ViewQuitTaken(void);

/* Plays sound n to its end; nothing else is handled meanwhile. Called by
   NewGame and the turn flow. */
void PlayGameSound(int n);

/* Starts sound n and returns at once; the next sound cuts it off. Called
   by OnTick. */
void PlayGameSoundAsync(int n);

/* Reads the current time in UTC. Called by DrawRandom, once per run. */
void ViewReadClock(ClockTime *now);

#endif

/* The controls of the main window as the recording view keeps them. */
#ifndef ZENDARO_RECORD_WINDOW_H
#define ZENDARO_RECORD_WINDOW_H

#include "../model/model.h"
#include "../view/view.h"

enum { CONTROL_TEXT_SIZE = 256, LIST_CAPACITY = 256, LIST_LINE_SIZE = 64 };

struct Control {
    int id;
    char text[CONTROL_TEXT_SIZE]; /* text or caption */
    int enabled;
    int x, y; /* client pixels */
    int bitmap;
};

/* A list box; when it outgrows its buffer the oldest lines are forgotten,
   but count goes on counting every line added since it was last emptied. */
struct ListModel {
    int count;
    char lines[LIST_CAPACITY][LIST_LINE_SIZE];
};

/* The window as the template creates it (resources/board.h): positions
   converted from dialog units to pixels, DEAL and NO DEAL disabled. */
void ResetWindow(void);

/* NULL for an id the window does not have. */
Control *FindControl(int id);
ListModel *FindList(int id);

void AddListLine(ListModel *list, const char *text);
const char *ListLine(const ListModel *list, int index);

#endif

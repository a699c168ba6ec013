#include <math.h>
#include <stdio.h>
#include <string.h>

#include "../view/view.h"
#include "model.h"

float OfferForUnopenedBoxes(void)
{
    double sum = 0.0;
    int count = 0;
    for (int b = 0; b < BOX_COUNT; b++) {
        const Box *box = &gameState.boxes[b];
        if (box->opened || box->amountIndex >= AMOUNT_COUNT) continue;
        sum += sqrt((double)AmountTable[box->amountIndex]);
        count++;
    }
    if (count == 0) return 0.0f;
    double mean = sum / count;
    return (float)pow(mean, 2.0);
}

void ComputeOffer(void)
{
    char text[MONEY_TEXT_SIZE];
    gameState.currentOffer = OfferForUnopenedBoxes();
    FormatMoney(gameState.currentOffer, text, sizeof text);
    ViewSetText(IDC_OFFER_VALUE, text);
    ViewAddLine(IDC_OFFER_LIST, text);
}

/* Sets the n-th character from the end to '0'; whole pounds are cut
   down, not rounded, above each threshold. */
static void ZeroFromEnd(char *text, size_t n)
{
    size_t length = strlen(text);
    if (length > n) text[length - 1 - n] = '0';
}

const char *FormatMoney(float value, char *out, size_t size)
{
    if (size == 0) return out;
    out[0] = '\0';
    if (value < 1.0f) snprintf(out, size, "\xA3%0.2f", (double)value);
    if (value > 0.99f) snprintf(out, size, "\xA3%0.0f", (double)value);
    if (value > 99.99f) ZeroFromEnd(out, 0);
    if (value > 999.99f) ZeroFromEnd(out, 1);
    if (value > 99999.99f) ZeroFromEnd(out, 2);
    return out;
}

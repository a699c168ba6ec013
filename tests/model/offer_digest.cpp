/* Figures the banker's offer and its money text for every set of sums that
   can be in play when the banker calls (every 17, 14, 11, 8, 5 and 2 of
   the 22 sums) through the game's own ComputeOffer, and prints a digest of
   all of them. Built natively and by the i686 build: the shipped program
   does its floating point on the x87 unit with MinGW's sqrt, pow and
   printf, the native build on SSE with glibc's, and the two digests must
   be the same. The logic runs on the null view. */
#include <stdio.h>
#include <string.h>

#include "model/model.h"

static uint64_t digest = 14695981039346656037ull; /* FNV-1a, 64 bits */
static unsigned long offers;

static void Mix(const void *bytes, size_t size)
{
    const unsigned char *p = (const unsigned char *)bytes;
    for (size_t i = 0; i < size; i++) digest = (digest ^ p[i]) * 1099511628211ull;
}

/* The banker's figure as ComputeOffer leaves it and its money text, as
   ComputeOffer shows it, into the digest. */
static void MixOffer(void)
{
    uint32_t bits;
    memcpy(&bits, &gameState.currentOffer, sizeof bits);
    unsigned char le[4] = {(unsigned char)bits, (unsigned char)(bits >> 8),
                           (unsigned char)(bits >> 16), (unsigned char)(bits >> 24)};
    Mix(le, sizeof le);
    char text[MONEY_TEXT_SIZE];
    FormatMoney(gameState.currentOffer, text, sizeof text);
    Mix(text, strlen(text) + 1);
    offers++;
}

/* Every set of `left` sums out of the 22, in play as the unopened boxes. */
static void EachSet(int left)
{
    int pick[AMOUNT_COUNT];
    for (int i = 0; i < left; i++) pick[i] = i;
    for (;;) {
        for (int b = 0; b < BOX_COUNT; b++) {
            gameState.boxes[b].opened = 1;
            gameState.boxes[b].amountIndex = (uint32_t)b;
        }
        for (int i = 0; i < left; i++) gameState.boxes[pick[i]].opened = 0;
        ComputeOffer();
        MixOffer();
        int i = left - 1;
        while (i >= 0 && pick[i] == AMOUNT_COUNT - left + i) i--;
        if (i < 0) return;
        pick[i]++;
        for (int j = i + 1; j < left; j++) pick[j] = pick[j - 1] + 1;
    }
}

int main()
{
    static const int kLeft[] = {17, 14, 11, 8, 5, 2}; /* when the banker calls */
    for (int left : kLeft) EachSet(left);
    printf("%lu offers, digest %016llx\n", offers, (unsigned long long)digest);
    return offers == 1397871 ? 0 : 1;
}

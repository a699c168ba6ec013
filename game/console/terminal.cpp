#include "terminal.h"
int PlayInTerminal(void)
{
    return 0;
}

/* Prints the program's stack guard, then overruns a stack buffer through a
   call the compiler cannot see into: a program with a working guard ends
   there with STACK_OVERRUN_EXIT_CODE, one without returns into the bytes
   it wrote. */
#include "stack_guard.h"

#include <windows.h>

#include <stdio.h>
#include <string.h>

/* Read at run time, so the compiler knows neither the call nor the size. */
static void *(*volatile fillCall)(void *, int, size_t) = memset;
static volatile size_t overrunSize = 256;

static __attribute__((noinline)) int Overrun(void)
{
    char buffer[16];
    fillCall(buffer, 'x', overrunSize);
    return buffer[0];
}

int main(void)
{
    /* A program without a guard crashes on the return: fail without the
       crash dialog, which would wait for a click. */
    SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOGPFAULTERRORBOX);
    uint64_t guard = __stack_chk_guard;
    printf("guard %08lx%08lx\n", (unsigned long)(guard >> 32), (unsigned long)guard);
    fflush(stdout);
    Overrun();
    printf("no overrun found\n");
    return 0;
}

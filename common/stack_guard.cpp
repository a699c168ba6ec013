/* The stack protector's guard (stack_guard.h). Built without the stack
   protector: the entry runs before the guard holds its value, and the
   failure path must not check a guard that an overrun has just broken. */
#include "stack_guard.h"

#include <windows.h>

extern "C" {
uintptr_t __stack_chk_guard = STACK_GUARD_UNSEEDED; // NOLINT(bugprone-reserved-identifier)
int WinMainCRTStartup(void);
}

/* Spreads every bit of the value over the whole state (the splitmix64
   finaliser), so that inputs that differ in a few low bits, such as
   process ids or tick counts, still give unrelated guards. */
static uint64_t Stir(uint64_t state, uint64_t value)
{
    uint64_t x = state ^ value;
    x ^= x >> 30;
    x *= 0xBF58476D1CE4E5B9ULL;
    x ^= x >> 27;
    x *= 0x94D049BB133111EBULL;
    return x ^ (x >> 31);
}

static uint64_t FileTimeNow(void)
{
    FILETIME now;
    GetSystemTimeAsFileTime(&now);
    return ((uint64_t)now.dwHighDateTime << 32) | now.dwLowDateTime;
}

static uint64_t PerformanceCount(void)
{
    LARGE_INTEGER count;
    count.QuadPart = 0;
    QueryPerformanceCounter(&count);
    return (uint64_t)count.QuadPart;
}

/* What the other toolchains' start-up mixes too, with no DLL of its own:
   the time, the performance counter, the process and thread, the tick
   count, and where the loader put the stack and this program (ASLR). A
   guessable part or two still leaves the others to guess. */
static void SeedStackGuard(void)
{
    int onTheStack = 0;
    uint64_t state = Stir(0, FileTimeNow());
    state = Stir(state, PerformanceCount());
    state = Stir(state, ((uint64_t)GetCurrentProcessId() << 32) | GetCurrentThreadId());
    state = Stir(state, GetTickCount());
    state = Stir(state, (uintptr_t)&onTheStack);
    state = Stir(state, (uintptr_t)&__stack_chk_guard);
    uintptr_t guard = (uintptr_t)(state ^ (state >> 32));
    if (guard == STACK_GUARD_UNSEEDED) guard = (uintptr_t)0x2B992DDFA232ULL | 1u;
    __stack_chk_guard = guard;
}

/* No protected function is running yet: the C++ constructors and the rest
   of the runtime's start-up come after, in WinMainCRTStartup. */
int StartWithStackGuard(void)
{
    SeedStackGuard();
    return WinMainCRTStartup();
}

/* Ends the process at once, in a state an overrun may have broken: no
   handler, no message, no DLL to load. Windows 8 and later kill it in the
   kernel (fail-fast) and report it as Windows Error Reporting does any
   such crash; earlier ones end it with the same code. */
static __attribute__((noreturn)) void EndOverrunProcess(void)
{
    /* __fastfail, which these headers do not declare: int 0x29 with the
       reason in ecx/rcx. */
    if (IsProcessorFeaturePresent(PF_FASTFAIL_AVAILABLE))
        __asm__ volatile("int $0x29" : : "c"((uintptr_t)FAST_FAIL_STACK_COOKIE_CHECK_FAILURE));
    TerminateProcess(GetCurrentProcess(), STACK_OVERRUN_EXIT_CODE);
    for (;;) {
    }
}

void __stack_chk_fail(void) // NOLINT(bugprone-reserved-identifier)
{
    EndOverrunProcess();
}

void __chk_fail(void) // NOLINT(bugprone-reserved-identifier)
{
    EndOverrunProcess();
}

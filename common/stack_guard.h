/* The stack protector's guard, ours rather than the compiler library's:
   that one seeds it with the CryptoAPI before the program's entry, which
   imports ADVAPI32 and opens a cryptographic provider (cryptsp.dll, and
   cryptbase.dll on Windows 7, neither a known DLL) while the DLL search
   still includes the program's folder. Each program starts at
   StartWithStackGuard (cmake: the stack_guard library), which seeds the
   guard before any protected function runs and then hands over to the C
   runtime's usual start-up. */
#ifndef ZENDARO_STACK_GUARD_H
#define ZENDARO_STACK_GUARD_H

#include <stdint.h>

/* The exit code of a process whose guard or fortified call found an
   overrun: STATUS_STACK_BUFFER_OVERRUN, as Windows' own fail-fast gives. */
#define STACK_OVERRUN_EXIT_CODE 0xC0000409UL

/* The guard before the seed; the seed never leaves it there. */
#define STACK_GUARD_UNSEEDED 0

extern "C" {
/* The names are the compiler's: it reads the guard and calls the failure
   handler from every protected function, and the fortified __*_chk calls
   end in __chk_fail. */
extern uintptr_t __stack_chk_guard;                    // NOLINT(bugprone-reserved-identifier)
__attribute__((noreturn)) void __stack_chk_fail(void); // NOLINT(bugprone-reserved-identifier)
__attribute__((noreturn)) void __chk_fail(void);       // NOLINT(bugprone-reserved-identifier)

/* The programs' entry point. */
int StartWithStackGuard(void);
}

#endif

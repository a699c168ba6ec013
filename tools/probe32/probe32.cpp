/* Can this machine run 32-bit x86 code? Wine's WoW64 runs the shipped
   i686 programs in its 64-bit process by switching to the 32-bit user code
   segment; a kernel whose 32-bit support is switched off at boot leaves
   that segment unusable, and then no 32-bit code runs in any process.

     probe32      answers 0 when 32-bit code runs here, 1 when it does
                  not (and prints one line that says why), 2 when the
                  probe itself could not be made to run

   A child process jumps to two bytes of 32-bit code (ud2). If they run,
   the child stops with SIGILL in the 32-bit segment; if the segment is
   unusable, the jump itself faults with SIGSEGV. The handler runs on a
   stack of its own: in 32-bit code the stack pointer is cut to 32 bits
   and points nowhere. */
#include <signal.h>
#include <stdio.h>
#include <string.h>
#include <sys/mman.h>
#include <sys/wait.h>
#include <ucontext.h>
#include <unistd.h>

namespace
{

const unsigned long USER32_CS = 0x23; /* the 32-bit user code segment */
const int TRAP_GENERAL_PROTECTION = 13;

/* Exit codes of the child: what its signal handler saw. */
enum ChildAnswer { RAN_32BIT = 10, JUMP_FAULTED = 11, OTHER_FAULT = 12, NO_MEMORY = 13 };

void OnSignal(int signal, siginfo_t *, void *context)
{
    const mcontext_t &m = static_cast<ucontext_t *>(context)->uc_mcontext;
    unsigned long cs = m.gregs[REG_CSGSFS] & 0xffff;
    if (signal == SIGILL && cs == USER32_CS) _exit(RAN_32BIT);
    if (signal == SIGSEGV && m.gregs[REG_TRAPNO] == TRAP_GENERAL_PROTECTION) _exit(JUMP_FAULTED);
    _exit(OTHER_FAULT);
}

[[noreturn]] void JumpTo32BitCode()
{
    /* 32-bit code must sit below 4 GB to be reachable from that segment. */
    void *page = mmap(NULL, 4096, PROT_READ | PROT_WRITE | PROT_EXEC,
                      MAP_PRIVATE | MAP_ANONYMOUS | MAP_32BIT, -1, 0);
    if (page == MAP_FAILED) _exit(NO_MEMORY);
    static const unsigned char ud2[] = {0x0f, 0x0b};
    memcpy(page, ud2, sizeof ud2);
    static char handlerStack[64 * 1024];
    stack_t stack;
    memset(&stack, 0, sizeof stack);
    stack.ss_sp = handlerStack;
    stack.ss_size = sizeof handlerStack;
    sigaltstack(&stack, NULL);
    struct sigaction action;
    memset(&action, 0, sizeof action);
    action.sa_sigaction = OnSignal;
    action.sa_flags = SA_SIGINFO | SA_ONSTACK;
    sigaction(SIGILL, &action, NULL);
    sigaction(SIGSEGV, &action, NULL);
    unsigned long target = reinterpret_cast<unsigned long>(page);
    asm volatile("pushq %0\n\tpushq %1\n\tlretq" : : "r"(USER32_CS), "r"(target) : "memory");
    __builtin_unreachable();
}

} // namespace

int main()
{
    fflush(stdout);
    pid_t child = fork();
    if (child < 0) {
        perror("probe32: fork");
        return 2;
    }
    if (child == 0) JumpTo32BitCode();
    int status = 0;
    if (waitpid(child, &status, 0) != child || !WIFEXITED(status)) {
        printf("this machine's 32-bit x86 support could not be probed\n");
        return 2;
    }
    switch (WEXITSTATUS(status)) {
    case RAN_32BIT:
        return 0;
    case JUMP_FAULTED:
        printf("this kernel runs no 32-bit x86 code: its 32-bit support is switched off\n");
        return 1;
    case NO_MEMORY:
        printf("this machine's 32-bit x86 support could not be probed (no memory below 4 GB)\n");
        return 2;
    default:
        printf("this machine runs no 32-bit x86 code: the probe's 32-bit code did not run\n");
        return 1;
    }
}

/* The cases of the setup test client; each runs one setup program from
   start to end and reports through Check. */
#ifndef ZENDARO_SETUP_CASES_H
#define ZENDARO_SETUP_CASES_H

#include <string>

/* The window as it starts, the agree box, the input filter, the licence
   box and the folder picker. */
void RunWindowCase(const std::string &setupExe);

/* Install with the default path, then again over the first install. */
void RunInstallCase(const std::string &setupExe);

/* Installs that must fail without losing anything; kind names the fault
   that the test runner prepared or that the client makes itself. */
void RunFaultCase(const std::string &kind, const std::string &setupExe);

/* A complete install whose program then cannot be started. */
void RunStartFailsCase(const std::string &setupExe);

#endif

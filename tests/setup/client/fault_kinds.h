/* The kinds of install that must fail, one row each. The test runner
   reads the rows too (tests/setup/CMakeLists.txt): a row's first line
   holds its kind, what run-case.sh prepares on Linux before the client
   starts (its options: a drive S: of some size, an earlier install on
   it, full, read-only) and the setup program the case runs, each a plain
   string; what the client checks follows. */
#ifndef ZENDARO_FAULT_KINDS_H
#define ZENDARO_FAULT_KINDS_H

#include <string>

struct Fault {
    std::string kind;
    std::string runner;      /* what run-case.sh prepares: its options */
    std::string program;     /* the setup program's file name */
    std::string installPath; /* put into the path box */
    std::string step;        /* the failed step the box must name */
    std::string named;       /* the path the box must name */
    bool windowsError;       /* whether the box gives a Windows error */
    bool earlierGame;        /* whether a Zendaro.exe was there before */
    std::string fresh;       /* a folder made empty before the run */
    std::string retry;       /* the user's way out, installed after the error */
};

/* C:\ + 236 + \ + Zendaro\Zendaro.exe = 259 characters; one more does not fit. */
const std::string LONG_OK = "C:\\" + std::string(236, 'L') + "\\";
const std::string LONG_BAD = "C:\\" + std::string(237, 'L') + "\\";

/* A folder named in letters outside code page 1252 (UTF-8, as the
   client's paths are), beside which the case makes its best-fit twin. */
const std::string WIDE_FOLDER = "C:\\Za\u017c\u00f3\u0142\u0107 g\u0119\u015bl\u0105\\";

/* The full drives keep 16 KiB free, less than any program the setup
   could carry. */
const Fault FAULTS[] = {
    {"locked", "", "setup.exe", "C:\\Locked\\", "Replacing Zendaro.exe",
     "C:\\Locked\\Zendaro\\Zendaro.exe", true, true, "", "C:\\Locked\\"},
    {"readonly", "--drive 1m --earlier-install --read-only", "setup.exe", "S:\\",
     "Creating a temporary file", "S:\\Zendaro\\~zd", true, true, "", ""},
    {"readonly-new", "--drive 1m --read-only", "setup.exe", "S:\\", "Creating the folder",
     "S:\\Zendaro\\", true, false, "", ""},
    {"disk-full", "--drive 64k --earlier-install --full", "setup.exe", "S:\\",
     "Writing the temporary file", "S:\\Zendaro\\~zd", true, true, "", ""},
    /* The folder is made, then the write fails: it must be gone again. */
    {"disk-full-new", "--drive 64k --full", "setup.exe", "S:\\", "Writing the temporary file",
     "S:\\Zendaro\\~zd", true, false, "", ""},
    {"too-long", "", "setup.exe", LONG_BAD, "too long", LONG_BAD, false, false, LONG_BAD, LONG_OK},
    {"missing-parent", "", "setup.exe", "C:\\Missing Parent\\Games\\", "Creating the folder",
     "C:\\Missing Parent\\Games\\Zendaro\\", true, false, "", ""},
    /* Typed or pasted into the path box while a message box was open; the
       same folder without its closing backslash then means it all the same.
       Taken as it stands, the path would install into C:\windows\Games. */
    {"relative", "", "setup.exe", "Games\\", "is not a full path", "\"Games\\\"", false, false,
     "C:\\windows\\Games", "C:\\Games"},
    /* Drive C:'s current folder, which for Setup is C:\windows. */
    {"drive-relative", "", "setup.exe", "C:Games", "is not a full path", "\"C:Games\"", false,
     false, "C:\\windows\\Games", ""},
    {"empty", "", "setup.exe", "", "is not a full path", "\"\"", false, false, "", ""},
    /* A share is a full path; no such server answers here. */
    {"unc", "", "setup.exe", "\\\\nohost\\share", "Creating the folder",
     "\\\\nohost\\share\\Zendaro\\", true, false, "", ""},
    {"zendaro-file", "", "setup.exe", "C:\\FileNamed\\", "is a file, not a folder",
     "C:\\FileNamed\\Zendaro", true, false, "C:\\FileNamed", ""},
    /* Setup run again while the game it installed is running. */
    {"running", "", "setup.exe", "C:\\Running\\", "Replacing Zendaro.exe",
     "C:\\Running\\Zendaro\\Zendaro.exe", true, true, "", "C:\\Running\\"},
    /* Pasted: first below a folder that is not there, then the folder
       itself; the twin that the A calls would make of it is never touched. */
    {"wide-path", "", "setup.exe", WIDE_FOLDER + "Missing\\", "Creating the folder",
     WIDE_FOLDER + "Missing\\Zendaro\\", true, false, "", WIDE_FOLDER},
    /* A setup whose recorded payload size is wrong. */
    {"damaged", "", "setup-damaged.exe", "C:\\Damaged\\", "Checking the program that Setup carries",
     "C:\\Damaged\\Zendaro\\Zendaro.exe", true, false, "C:\\Damaged", ""},
};

#endif

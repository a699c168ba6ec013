/* The release's version and the words Windows shows for each program in
   its Properties (Details): the one place they are written. Read by both
   resource scripts (windres) and by the tests, so plain #defines only. */
#ifndef ZENDARO_VERSION_H
#define ZENDARO_VERSION_H

#define ZENDARO_VERSION_MAJOR 1
#define ZENDARO_VERSION_MINOR 0
#define ZENDARO_VERSION_PATCH 0

/* "1.0.0", made from the numbers so the two can never disagree. */
#define ZENDARO_TEXT_OF(x) #x
#define ZENDARO_VERSION_TEXT_OF(a, b, c)                                                           \
    ZENDARO_TEXT_OF(a) "." ZENDARO_TEXT_OF(b) "." ZENDARO_TEXT_OF(c)
#define ZENDARO_VERSION_TEXT                                                                       \
    ZENDARO_VERSION_TEXT_OF(ZENDARO_VERSION_MAJOR, ZENDARO_VERSION_MINOR, ZENDARO_VERSION_PATCH)

#define ZENDARO_PRODUCT_NAME "Zendaro"
#define ZENDARO_COPYRIGHT "Copyright (C) Fernwick Softworks Ltd. All rights reserved."

#define ZENDARO_GAME_DESCRIPTION "Zendaro"
#define ZENDARO_GAME_FILE_NAME "Zendaro.exe"
#define ZENDARO_SETUP_DESCRIPTION "Zendaro Setup"
#define ZENDARO_SETUP_FILE_NAME "setup.exe"

/* The strings are British English (2057) in code page 1252: the key of
   their table and the translation Windows looks up. */
#define ZENDARO_VERSION_LANGUAGE 0x0809
#define ZENDARO_VERSION_CODE_PAGE 1252
#define ZENDARO_VERSION_STRING_TABLE "080904E4"

#endif

/* The installer's licence agreement and the game's application manifest. */
#ifndef ASSETGEN_TEXTS_H
#define ASSETGEN_TEXTS_H

#include <cstddef>

const size_t LICENCE_BYTES = 5064;

/* Plain ANSI with CR LF line ends. */
extern const char LICENCE_TEXT[];
extern const char MANIFEST_TEXT[];

#endif

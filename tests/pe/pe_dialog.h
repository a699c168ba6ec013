/* Reads a dialog template resource, plain (DLGTEMPLATE) or extended
   (DLGTEMPLATEEX), into its fields and its controls. */
#ifndef ZENDARO_PE_DIALOG_H
#define ZENDARO_PE_DIALOG_H

#include <stdint.h>

#include <ostream>
#include <string>
#include <vector>

struct DialogItem {
    uint32_t exStyle, style, id; /* a plain template's 16-bit id as read */
    int x, y, cx, cy;
    /* The system classes come as an atom or by name, which the dialog
       manager takes alike: both read as the upper-case name. */
    std::string className;
    std::string text; /* "#n" for an ordinal, such as a picture's bitmap */
    bool operator==(const DialogItem &o) const;
};

void PrintTo(const DialogItem &item, std::ostream *out);

struct DialogTemplate {
    bool extended = false;
    uint32_t style = 0, exStyle = 0;
    int x = 0, y = 0, cx = 0, cy = 0;
    std::string menu, className, title, face; /* "" when absent, "#n" for an ordinal */
    int pointSize = 0, weight = 0, italic = 0, charset = 0; /* weight on: extended only */
    std::vector<DialogItem> items;
    bool complete = false; /* every control read within the bytes */
};

DialogTemplate ParseDialogTemplate(const std::vector<uint8_t> &bytes);

#endif

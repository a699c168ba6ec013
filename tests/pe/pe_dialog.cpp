#include "pe_dialog.h"

#include <ctype.h>

#include "pe_reader.h"

namespace
{

const uint32_t DS_SETFONT = 0x40;

/* A name or ordinal field: empty, "#n", or the text in code page 1252. */
std::string NameOrOrdinal(const std::vector<uint8_t> &b, size_t *at)
{
    if (U16(b, *at) == 0xFFFF) {
        std::string ordinal = "#" + std::to_string(U16(b, *at + 2));
        *at += 4;
        return ordinal;
    }
    std::string text;
    for (uint16_t c; *at + 2 <= b.size() && (c = U16(b, *at)) != 0; *at += 2)
        text += c < 256 ? (char)c : '?';
    *at += 2;
    return text;
}

std::string ClassName(const std::string &raw)
{
    static const char *const atoms[] = {"BUTTON", "EDIT", "STATIC", "LISTBOX"};
    if (raw.size() > 1 && raw[0] == '#') {
        int atom = std::stoi(raw.substr(1)) - 0x80;
        if (atom >= 0 && atom < 4) return atoms[atom];
    }
    std::string upper = raw;
    for (char &c : upper) c = (char)toupper((unsigned char)c);
    return upper;
}

/* The font fields that DS_SETFONT adds after the title. */
void ReadFont(const std::vector<uint8_t> &b, size_t *at, DialogTemplate *t)
{
    t->pointSize = U16(b, *at);
    *at += 2;
    if (t->extended) {
        t->weight = U16(b, *at);
        t->italic = b.size() > *at + 2 ? b[*at + 2] : 0;
        t->charset = b.size() > *at + 3 ? b[*at + 3] : 0;
        *at += 4;
    }
    t->face = NameOrOrdinal(b, at);
}

DialogItem ReadItem(const std::vector<uint8_t> &b, bool extended, size_t *at)
{
    DialogItem item{};
    size_t fixed = *at + (extended ? 4 : 0); /* the help id comes first */
    if (extended) {
        item.exStyle = U32(b, fixed);
        item.style = U32(b, fixed + 4);
    } else {
        item.style = U32(b, fixed);
        item.exStyle = U32(b, fixed + 4);
    }
    item.x = (int16_t)U16(b, fixed + 8);
    item.y = (int16_t)U16(b, fixed + 10);
    item.cx = (int16_t)U16(b, fixed + 12);
    item.cy = (int16_t)U16(b, fixed + 14);
    item.id = extended ? U32(b, fixed + 16) : U16(b, fixed + 16);
    *at = fixed + (extended ? 20 : 18);
    item.className = ClassName(NameOrOrdinal(b, at));
    item.text = NameOrOrdinal(b, at);
    *at += 2 + U16(b, *at); /* creation data */
    return item;
}

} // namespace

bool DialogItem::operator==(const DialogItem &o) const
{
    return exStyle == o.exStyle && style == o.style && id == o.id && x == o.x && y == o.y &&
           cx == o.cx && cy == o.cy && className == o.className && text == o.text;
}

void PrintTo(const DialogItem &item, std::ostream *out)
{
    *out << std::hex << "style 0x" << item.style << " ex 0x" << item.exStyle << std::dec << " "
         << item.x << "," << item.y << " " << item.cx << "x" << item.cy << " id " << item.id
         << " class " << item.className << " \"" << item.text << "\"";
}

DialogTemplate ParseDialogTemplate(const std::vector<uint8_t> &b)
{
    DialogTemplate t;
    t.extended = U16(b, 0) == 1 && U16(b, 2) == 0xFFFF;
    size_t at = t.extended ? 8 : 0; /* version, signature and help id */
    t.style = U32(b, at + (t.extended ? 4 : 0));
    t.exStyle = U32(b, at + (t.extended ? 0 : 4));
    unsigned count = U16(b, at + 8);
    t.x = (int16_t)U16(b, at + 10);
    t.y = (int16_t)U16(b, at + 12);
    t.cx = (int16_t)U16(b, at + 14);
    t.cy = (int16_t)U16(b, at + 16);
    at += 18;
    t.menu = NameOrOrdinal(b, &at);
    t.className = NameOrOrdinal(b, &at);
    t.title = NameOrOrdinal(b, &at);
    if (t.style & DS_SETFONT) ReadFont(b, &at, &t);
    for (unsigned i = 0; i < count && at < b.size(); i++) {
        at = (at + 3) & ~(size_t)3;
        t.items.push_back(ReadItem(b, t.extended, &at));
    }
    t.complete = t.items.size() == count && at <= b.size();
    return t;
}

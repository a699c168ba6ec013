/* What the player sees and does with the mouse: the board read back from
   the screen and compared with the committed pictures and the colours the
   window asks for. */
#include <windows.h>

#include <stdio.h>
#include <stdlib.h>

#include <string>
#include <vector>

#include "game_play.h"

namespace
{

/* A picture as 0x00RRGGBB pixels, top row first. */
struct Pixels {
    int width = 0, height = 0;
    std::vector<DWORD> at;
    DWORD Get(int x, int y) const
    {
        return at[(size_t)y * width + x];
    }
};

int ReadBitmap(HDC dc, HBITMAP bitmap, int width, int height, Pixels *out)
{
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    out->width = width;
    out->height = height;
    out->at.assign((size_t)width * height, 0);
    return GetDIBits(dc, bitmap, 0, height, out->at.data(), &info, DIB_RGB_COLORS) == height;
}

/* A committed picture of game/resources/art, found beside the output
   folder (the checkout's build folder); empty when it cannot be read. */
const Pixels &Art(const char *name, int k)
{
    static std::vector<std::pair<std::string, Pixels>> loaded;
    std::string file = k < 0 ? Format("%s.bmp", name) : Format("%s_%02d.bmp", name, k);
    for (const auto &entry : loaded) {
        if (entry.first == file) return entry.second;
    }
    Pixels pixels;
    std::string path = outputFolder + "\\..\\game\\resources\\art\\" + file;
    HBITMAP bitmap = (HBITMAP)LoadImageA(NULL, path.c_str(), IMAGE_BITMAP, 0, 0,
                                         LR_LOADFROMFILE | LR_CREATEDIBSECTION);
    BITMAP shape;
    if (bitmap && GetObjectA(bitmap, sizeof shape, &shape)) {
        HDC dc = GetDC(NULL);
        ReadBitmap(dc, bitmap, shape.bmWidth, shape.bmHeight, &pixels);
        ReleaseDC(NULL, dc);
    }
    if (bitmap) DeleteObject(bitmap);
    Check(!pixels.at.empty(), "read " + path);
    loaded.push_back({file, pixels});
    return loaded.back().second;
}

/* The client area of dlg as the screen shows it. */
Pixels Screenshot(HWND dlg)
{
    Pixels shot;
    SIZE size = DriveClientSize(dlg);
    POINT origin = {0, 0};
    ClientToScreen(dlg, &origin);
    HDC screen = GetDC(NULL);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, size.cx, size.cy);
    HGDIOBJ old = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, size.cx, size.cy, screen, origin.x, origin.y, SRCCOPY);
    SelectObject(memory, old);
    ReadBitmap(memory, bitmap, size.cx, size.cy, &shot);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(NULL, screen);
    return shot;
}

int SameColour(DWORD a, DWORD b)
{
    for (int shift = 0; shift < 24; shift += 8) {
        if (abs((int)((a >> shift) & 255) - (int)((b >> shift) & 255)) > 24) return 0;
    }
    return 1;
}

/* Whether pixel lies, give or take SameColour's slack, between the
   darkest and the lightest of the art's pixels around (x, y) in each
   colour: a stretched copy blends neighbouring pixels. */
int AmongNeighbours(DWORD pixel, const Pixels &art, int x, int y)
{
    for (int shift = 0; shift < 24; shift += 8) {
        int low = 255, high = 0, value = (int)((pixel >> shift) & 255);
        for (int dy = -1; dy <= 1; dy++) {
            for (int dx = -1; dx <= 1; dx++) {
                int v = (int)((art.Get(x + dx, y + dy) >> shift) & 255);
                low = v < low ? v : low;
                high = v > high ? v : high;
            }
        }
        if (value < low - 24 || value > high + 24) return 0;
    }
    return 1;
}

int Inside(const RECT &r, int x, int y)
{
    return x >= r.left && x < r.right && y >= r.top && y < r.bottom;
}

/* Whether the control's rectangle shows the picture stretched over it
   (at 96 dpi the two are the same size, and each point must match its
   pixel), at 30 points spread over it
   (points under `covered` skipped): nine in ten must agree. Answers why
   not, or "". */
std::string ShowsPicture(const Pixels &shot, const RECT &r, const RECT &covered, const Pixels &art)
{
    if (art.at.empty()) return "no picture to compare";
    int stretched = r.right - r.left != art.width || r.bottom - r.top != art.height;
    int tried = 0, agreed = 0;
    for (int i = 0; i < 6; i++) {
        for (int j = 0; j < 5; j++) {
            int x = 3 + i * (art.width - 7) / 5, y = 3 + j * (art.height - 7) / 4;
            /* The middle of the art pixel's stretched copy. */
            int sx = r.left + (2 * x + 1) * (r.right - r.left) / (2 * art.width);
            int sy = r.top + (2 * y + 1) * (r.bottom - r.top) / (2 * art.height);
            if (Inside(covered, sx, sy) || sx >= shot.width || sy >= shot.height) continue;
            tried++;
            DWORD pixel = shot.Get(sx, sy);
            agreed +=
                stretched ? AmongNeighbours(pixel, art, x, y) : SameColour(pixel, art.Get(x, y));
        }
    }
    if (tried >= 10 && agreed * 10 >= tried * 9) return "";
    return Format("%d of %d points agree", agreed, tried);
}

/* Whether the inside of a control (3 pixels in from its edge) shows its
   background with hardly any pixel of another colour than it and the
   text's, and (hasText) a few of the text's. Smoothed letters have a rim of
   mixed colours about as large as themselves ("£100000" in the bank: 538
   text and 304 other pixels), so the rim is allowed beside the tenth. */
std::string ShowsColours(const Pixels &shot, RECT r, DWORD background, DWORD text, int hasText)
{
    int back = 0, letters = 0, other = 0;
    for (int y = r.top + 3; y < r.bottom - 3 && y < shot.height; y++) {
        for (int x = r.left + 3; x < r.right - 3 && x < shot.width; x++) {
            DWORD pixel = shot.Get(x, y);
            if (SameColour(pixel, background))
                back++;
            else if (SameColour(pixel, text))
                letters++;
            else
                other++;
        }
    }
    int all = back + letters + other;
    if (all > 0 && back * 2 > all && (letters >= 5) == hasText && other <= letters + all / 10)
        return "";
    return Format("%d background, %d text and %d other pixels", back, letters, other);
}

const DWORD WHITE = 0xFFFFFF, EDIT_BLUE = 0x000060, STATIC_GREEN = 0x004000;

/* Every difference between the screen and what the board must show. */
std::vector<std::string> PictureFaults(HWND dlg, const Play *p)
{
    std::vector<std::string> faults;
    Pixels shot = Screenshot(dlg);
    for (int b = 0; b < BOXES; b++) {
        int opened = p && p->opened[b] && p->sumOfBox[b] >= 0;
        const Pixels &art = opened ? Art("open_box", p->sumOfBox[b]) : Art("closed_box", -1);
        std::string why = ShowsPicture(shot, DriveRect(dlg, ID_BOX_PICTURE + b),
                                       DriveRect(dlg, ID_BOX_BUTTON + b), art);
        if (!why.empty())
            faults.push_back(Format("box %d is not the %s box: %s", b + 1,
                                    opened ? "opened" : "closed", why.c_str()));
    }
    for (int k = 0; k < BOXES; k++) {
        RECT r = DriveRect(dlg, ID_PLATE + k);
        if (r.left >= OUT_OF_VIEW) continue;
        std::string why = ShowsPicture(shot, r, RECT{}, Art("plate", k));
        if (!why.empty()) faults.push_back(Format("plate %d: %s", k, why.c_str()));
    }
    const struct {
        int id;
        DWORD background;
    } areas[] = {
        {ID_MESSAGE, EDIT_BLUE}, {ID_OFFER_VALUE, STATIC_GREEN}, {ID_BANK_VALUE, STATIC_GREEN}};
    for (const auto &area : areas) {
        int hasText = !DriveText(dlg, area.id).empty();
        std::string why =
            ShowsColours(shot, DriveRect(dlg, area.id), area.background, WHITE, hasText);
        if (!why.empty()) faults.push_back(Format("control %d: %s", area.id, why.c_str()));
    }
    return faults;
}

} // namespace

void CheckPictures(HWND dlg, const Play *p, const char *when)
{
    std::vector<std::string> faults;
    /* The window may still be repainting after a message box closed. */
    DriveWaitFor([&] { return (faults = PictureFaults(dlg, p)).empty(); }, 5000, 250);
    for (const std::string &fault : faults) Check(false, Format("%s: %s", when, fault.c_str()));
    if (faults.empty()) Log("%s: the pictures, plates and colours are right on screen", when);
}

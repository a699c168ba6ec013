/* zendaro-assetgen OUTDIR [--sheet PNGPATH]
   Writes every picture, icon, sound and text the two programs carry, the
   same bytes on every run, below OUTDIR at their places in the source tree. */
#include "art.h"
#include "font.h"
#include "formats.h"
#include "resources/board.h"
#include "sheet.h"
#include "sounds.h"
#include "texts.h"

#include <cstdio>
#include <string>
#include <vector>

namespace
{

struct Outputs {
    std::string root;
    bool ok;
    std::vector<SheetItem> sheet;
};

std::string Numbered(const char *pattern, int n)
{
    char name[64];
    std::snprintf(name, sizeof name, pattern, n);
    return name;
}

void Bitmap(Outputs &out, const std::string &path, const std::string &label, const Image &image)
{
    out.ok = WriteFile(out.root + "/" + path, EncodeBmp24(image)) && out.ok;
    out.sheet.push_back(SheetItem{label, image});
}

void Icon(Outputs &out, const std::string &path, const std::string &label,
          const std::vector<IconImage> &images)
{
    out.ok = WriteFile(out.root + "/" + path, EncodeIcon(images)) && out.ok;
    for (const IconImage &icon : images)
        out.sheet.push_back(SheetItem{label + " " + std::to_string(icon.size), IconPreview(icon)});
}

void WriteGamePictures(Outputs &out, std::vector<Image> &plates, std::vector<Image> &openBoxes)
{
    const std::string art = "game/resources/art/";
    Bitmap(out, art + "background.bmp", std::to_string(IDB_BACKGROUND) + " background",
           PaintBackground());
    Bitmap(out, art + "closed_box.bmp", std::to_string(IDB_CLOSED_BOX) + " closed box",
           PaintClosedBox());
    Bitmap(out, art + "banker_phone.bmp", std::to_string(IDB_BANKER_PHONE) + " banker",
           PaintBankerPhone());
    for (int k = 0; k < SUM_COUNT; ++k) {
        plates.push_back(PaintPlate(k));
        Bitmap(out, Numbered("game/resources/art/plate_%02d.bmp", k),
               std::to_string(PlateBitmapId(k)), plates.back());
    }
    for (int k = 0; k < SUM_COUNT; ++k) {
        openBoxes.push_back(PaintOpenBox(k));
        Bitmap(out, Numbered("game/resources/art/open_box_%02d.bmp", k),
               std::to_string(IDB_OPEN_BOX_FIRST + k), openBoxes.back());
    }
    Icon(out, art + "zendaro.ico", "icon " + std::to_string(IDI_GAME), {PaintGameIcon()});
}

void WriteSounds(Outputs &out)
{
    for (int n = 0; n < SOUND_COUNT; ++n) {
        Bytes wav = EncodeWav(SynthesiseSound(n), SOUND_TARGETS[n].title, "Zendaro, synthesised");
        out.ok =
            WriteFile(out.root + Numbered("/game/resources/sounds/sound_%d.wav", n), wav) && out.ok;
    }
}

void WriteSetupFiles(Outputs &out)
{
    Bitmap(out, "setup/art/header.bmp", "112 setup header", PaintSetupHeader());
    Bitmap(out, "setup/art/folder.bmp", "104 folder", PaintFolder());
    Icon(out, "setup/art/setup.ico", "icon 102", {PaintSetupIcon(32), PaintSetupIcon(16)});
    out.ok = WriteText(out.root + "/setup/license.txt", LICENCE_TEXT) && out.ok;
}

} /* namespace */

int main(int argc, char **argv)
{
    if (argc != 2 && !(argc == 4 && std::string(argv[2]) == "--sheet")) {
        std::fprintf(stderr, "usage: zendaro-assetgen OUTDIR [--sheet PNGPATH]\n");
        return 2;
    }
    if (!LoadFonts()) return 1;
    Outputs out{argv[1], true, {}};
    std::vector<Image> plates, openBoxes;
    WriteGamePictures(out, plates, openBoxes);
    out.ok = WriteText(out.root + "/game/resources/zendaro.manifest", MANIFEST_TEXT) && out.ok;
    WriteSounds(out);
    WriteSetupFiles(out);
    if (argc == 4) {
        std::vector<SheetItem> items = out.sheet;
        items.insert(items.begin(), SheetItem{"board preview (not a resource)",
                                              BoardPreview(out.sheet[0].image, out.sheet[1].image,
                                                           out.sheet[2].image, plates, openBoxes)});
        out.ok = WritePng(argv[3], ComposeSheet(items, 1560)) && out.ok;
    }
    if (!out.ok) std::fprintf(stderr, "assetgen: some files could not be written\n");
    return out.ok ? 0 : 1;
}

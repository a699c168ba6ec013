/* zendaro-pe-sizes FILE: prints "<file bytes> <resource section bytes>". */
#include <stdio.h>

#include "pe_image.h"

int main(int argc, char **argv)
{
    if (argc != 2) {
        fprintf(stderr, "usage: zendaro-pe-sizes FILE\n");
        return 2;
    }
    PeImage image;
    std::string wrong = ReadPeImage(argv[1], &image);
    if (!wrong.empty()) {
        fprintf(stderr, "%s: %s\n", argv[1], wrong.c_str());
        return 1;
    }
    const PeSection *rsrc = FindPeSection(image, ".rsrc");
    printf("%llu %lu\n", (unsigned long long)image.fileSize,
           (unsigned long)(rsrc ? rsrc->rawSize : 0));
    return 0;
}

/* zendaro-pe-sizes FILE: prints "<file bytes> <resource section bytes>". */
#include <stdio.h>

#include "pe_resources.h"

int main(int argc, char **argv)
{
    if (argc != 2) {
        fprintf(stderr, "usage: zendaro-pe-sizes FILE\n");
        return 2;
    }
    PeFile pe = ReadPeFile(argv[1]);
    if (!pe.error.empty()) {
        fprintf(stderr, "%s\n", pe.error.c_str());
        return 1;
    }
    const PeSection *rsrc = FindPeSection(pe.image, ".rsrc");
    printf("%llu %lu\n", (unsigned long long)pe.image.fileSize,
           (unsigned long)(rsrc ? rsrc->rawSize : 0));
    return 0;
}

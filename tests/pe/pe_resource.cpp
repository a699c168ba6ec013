/* zendaro-pe-resource FILE TYPE NAME: writes the bytes of that resource
   (TYPE and NAME each a number or a name, any language) to standard
   output; exit status 1 when the file has no such resource or not one. */
#include <ctype.h>
#include <stdio.h>
#include <stdlib.h>

#include "pe_resources.h"

static ResourceKey KeyOf(const char *text)
{
    if (isdigit((unsigned char)text[0])) return ResourceNumber((uint32_t)strtoul(text, NULL, 10));
    return ResourceName(text);
}

int main(int argc, char **argv)
{
    if (argc != 4) {
        fprintf(stderr, "usage: zendaro-pe-resource FILE TYPE NAME\n");
        return 2;
    }
    PeFile pe = ReadPeFile(argv[1]);
    if (!pe.error.empty()) {
        fprintf(stderr, "%s: %s\n", argv[1], pe.error.c_str());
        return 1;
    }
    const ResourceKey type = KeyOf(argv[2]), name = KeyOf(argv[3]);
    const std::vector<uint8_t> *found = NULL;
    int count = 0;
    for (const auto &resource : pe.resources)
        if (!(resource.first.type < type) && !(type < resource.first.type) &&
            !(resource.first.name < name) && !(name < resource.first.name)) {
            found = &resource.second;
            count++;
        }
    if (count != 1) {
        fprintf(stderr, "%s: %d resources %s %s\n", argv[1], count, argv[2], argv[3]);
        return 1;
    }
    if (fwrite(found->data(), 1, found->size(), stdout) != found->size() || fflush(stdout) != 0)
        return 1;
    return 0;
}

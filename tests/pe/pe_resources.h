/* Reads a Windows program file's resources: every leaf of the resource
   directory by type, name and language, with its bytes. The headers,
   sections and RVA mapping come from pe_image.h. */
#ifndef ZENDARO_PE_RESOURCES_H
#define ZENDARO_PE_RESOURCES_H

#include <stdint.h>

#include <map>
#include <string>
#include <vector>

#include "pe_image.h"

/* A resource type or name: a number, or a string ("WAVE"). */
struct ResourceKey {
    bool isNumber;
    uint32_t number;
    std::string name;
    bool operator<(const ResourceKey &other) const;
};

ResourceKey ResourceNumber(uint32_t number);
ResourceKey ResourceName(const std::string &name);

struct ResourceId {
    ResourceKey type, name;
    uint32_t language;
    bool operator<(const ResourceId &other) const;
};

struct PeFile {
    std::string error; /* empty when the file was read whole */
    PeImage image;
    std::map<ResourceId, std::vector<uint8_t>> resources;
};

PeFile ReadPeFile(const std::string &path);

/* The resources of a whole file's bytes whose headers are already parsed;
   answers "" or what is wrong. Never reads past the end. */
std::string ParsePeResources(const std::vector<uint8_t> &bytes, const PeImage &image,
                             std::map<ResourceId, std::vector<uint8_t>> *resources);

#endif

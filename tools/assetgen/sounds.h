/* The ten game sounds, synthesised additively at 11,025 Hz. */
#ifndef ASSETGEN_SOUNDS_H
#define ASSETGEN_SOUNDS_H

#include <cstdint>
#include <string>
#include <vector>

const int SOUND_COUNT = 10;

struct SoundTarget {
    int dataBytes;
    float peak; /* largest |sample - 128| / 127 */
    const char *title;
};

extern const SoundTarget SOUND_TARGETS[SOUND_COUNT];

/* 8-bit unsigned samples, exactly dataBytes of them. */
std::vector<uint8_t> SynthesiseSound(int n);

#endif

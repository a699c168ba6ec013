// The ten game sounds, synthesised additively at 11,025 Hz.
#ifndef ASSETGEN_SOUNDS_H
#define ASSETGEN_SOUNDS_H

#include <cstdint>
#include <string>
#include <vector>

const int kSoundCount = 10;

struct SoundTarget {
    int dataBytes;
    float peak; // largest |sample - 128| / 127
    const char *title;
};

extern const SoundTarget kSoundTargets[kSoundCount];

// 8-bit unsigned samples, exactly dataBytes of them.
std::vector<uint8_t> SynthesiseSound(int n);

#endif

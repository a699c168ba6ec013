// The ten WAVE files: chunk layout, format, length and level.
#include "asset_files.h"
#include "record/recording.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace
{

struct Expected {
    uint32_t dataBytes;
    double peak;
};

const Expected kSounds[10] = {
    {16608, 0.91}, {22529, 0.80}, {33217, 0.22}, {28736, 0.23}, {33920, 1.00},
    {38144, 1.00}, {11648, 0.98}, {64148, 0.88}, {11936, 0.98}, {4408, 0.95},
};

Wave Load(int n)
{
    char path[64];
    std::snprintf(path, sizeof path, "game/resources/sounds/sound_%d.wav", n);
    Wave wave = ParseWave(ReadSource(path));
    EXPECT_EQ(wave.error, "") << path;
    return wave;
}

// A RIFF WAVE of fmt, data and a 78-byte LIST, mono 8-bit PCM at 11025 Hz,
// as long and as loud as the sound should be, silent at both ends.
TEST(Sounds, LayoutFormatLengthAndLevel)
{
    for (int n = 0; n < 10; ++n) {
        SCOPED_TRACE("sound " + std::to_string(n));
        Wave w = Load(n);
        ASSERT_EQ(w.chunks.size(), 3u);
        EXPECT_EQ(w.chunks[0].id, "fmt ");
        EXPECT_EQ(w.chunks[0].size, 16u);
        size_t f = w.chunks[0].dataAt;
        EXPECT_EQ(U16(w.file, f), 1u) << "PCM";
        EXPECT_EQ(U16(w.file, f + 2), 1u) << "mono";
        EXPECT_EQ(U32(w.file, f + 4), 11025u);
        EXPECT_EQ(U32(w.file, f + 8), 11025u) << "bytes per second";
        EXPECT_EQ(U16(w.file, f + 12), 1u) << "block align";
        EXPECT_EQ(U16(w.file, f + 14), 8u);

        const Chunk &data = w.chunks[1];
        EXPECT_EQ(data.id, "data");
        EXPECT_EQ(data.size, kSounds[n].dataBytes);
        // The recording view paces every console game by the same lengths.
        EXPECT_NEAR(SoundLengthMs[n], data.size / 11.025, 5.0);
        if (data.size % 2) {
            EXPECT_EQ(w.file[data.dataAt + data.size], 0) << "pad byte";
        }
        int loudest = 0;
        for (size_t i = 0; i < data.size; ++i)
            loudest = std::max(loudest, std::abs(w.file[data.dataAt + i] - 128));
        EXPECT_NEAR(loudest / 127.0, kSounds[n].peak, 0.02);
        // No click at either end: the first and last samples sit at silence
        // and the first and last 5 ms rise and fall gently.
        EXPECT_LE(std::abs(w.file[data.dataAt] - 128), 1);
        EXPECT_LE(std::abs(w.file[data.dataAt + data.size - 1] - 128), 1);
        for (size_t i = 1; i < 55; ++i) {
            int head = w.file[data.dataAt + i] - w.file[data.dataAt + i - 1];
            int tail =
                w.file[data.dataAt + data.size - i] - w.file[data.dataAt + data.size - i - 1];
            EXPECT_LE(std::abs(head), 24) << "sample " << i;
            EXPECT_LE(std::abs(tail), 24) << "from the end " << i;
        }

        EXPECT_EQ(w.chunks[2].id, "LIST");
        EXPECT_EQ(w.chunks[2].size + 8, 78u);
        size_t list = w.chunks[2].dataAt;
        EXPECT_EQ(std::string(w.file.begin() + list, w.file.begin() + list + 4), "INFO");
        // The INFO entries fill the list exactly.
        size_t at = list + 4, end = list + w.chunks[2].size;
        while (at + 8 <= end) at += 8 + U32(w.file, at + 4) + (U32(w.file, at + 4) & 1);
        EXPECT_EQ(at, end);
    }
}

// The ring is heard as bursts with a pause, so played three times it rings
// like a telephone; the jingle keeps sounding for most of its length.
TEST(Sounds, RingHasBurstsAndSilenceAndTheJingleFillsItsLength)
{
    auto loudnessBySlice = [](const Wave &w, int slices) {
        std::vector<double> level(static_cast<size_t>(slices), 0.0);
        const Chunk &data = w.chunks[1];
        for (size_t i = 0; i < data.size; ++i) {
            size_t s = i * static_cast<size_t>(slices) / data.size;
            level[s] = std::max(level[s], std::abs(w.file[data.dataAt + i] - 128) / 127.0);
        }
        return level;
    };
    std::vector<double> ring = loudnessBySlice(Load(3), 26); // 0.1 s slices
    int loud = 0, quiet = 0;
    for (double v : ring) loud += v > 0.1, quiet += v < 0.01;
    EXPECT_GE(loud, 6);
    EXPECT_GE(quiet, 8) << "a pause after the ring";
    std::vector<double> jingle = loudnessBySlice(Load(7), 58);
    int sounding = 0;
    for (double v : jingle) sounding += v > 0.1;
    EXPECT_GE(sounding, 45);
}

} // namespace

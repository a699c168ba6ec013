/* Tells which of the game's sounds a recording of the sound card holds.

     zendaro-sounds-heard RECORDING SOUNDS_FOLDER

   RECORDING is raw unsigned 8-bit mono at 11025 Hz, the format of the
   game's sounds, taken from the sound card before the game started; the
   folder holds sound_0.wav .. sound_9.wav. The first thing heard must be
   the start jingle (sound 7), with silence before it, and the reveal
   (sound 0) must be heard after the jingle. Each sound is found by its
   normalised cross-correlation with the recording. Answers 0 when all
   that holds, 1 when not, 2 when a file cannot be read. */
#include <math.h>
#include <stdint.h>
#include <stdio.h>
#include <string.h>

#include <complex>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace
{

const int RATE = 11025;
const int SOUNDS = 10;
const int START_JINGLE = 7, REVEAL = 0;
const double GOOD_MATCH = 0.9;
/* Silence in the unsigned 8-bit format is 128; the sink adds no noise. */
const int LOUDER_THAN_SILENCE = 3;

typedef std::vector<double> Samples;
typedef std::complex<double> Complex;

int ReadFile(const std::string &path, std::vector<uint8_t> *bytes)
{
    std::ifstream file(path, std::ios::binary);
    bytes->assign(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
    return file.is_open();
}

Samples Centred(const uint8_t *bytes, size_t n)
{
    Samples s(n);
    for (size_t i = 0; i < n; i++) s[i] = (double)bytes[i] - 128.0;
    return s;
}

uint32_t Le32(const uint8_t *p)
{
    return p[0] | p[1] << 8 | p[2] << 16 | (uint32_t)p[3] << 24;
}

/* The samples of a WAV file in the recording's format, or none. */
Samples ReadWav(const std::string &path)
{
    std::vector<uint8_t> b;
    if (!ReadFile(path, &b) || b.size() < 12 || memcmp(&b[0], "RIFF", 4) != 0 ||
        memcmp(&b[8], "WAVE", 4) != 0)
        return Samples();
    int formatOk = 0;
    for (size_t at = 12; at + 8 <= b.size();) {
        uint32_t size = Le32(&b[at + 4]);
        if (size > b.size() - at - 8) break;
        const uint8_t *body = &b[at + 8];
        if (memcmp(&b[at], "fmt ", 4) == 0 && size >= 16)
            formatOk = body[2] == 1 && Le32(body + 4) == RATE && body[14] == 8;
        if (memcmp(&b[at], "data", 4) == 0 && formatOk) return Centred(body, size);
        at += 8 + size + (size & 1);
    }
    return Samples();
}

void Fft(std::vector<Complex> &a, int inverse)
{
    size_t n = a.size();
    for (size_t i = 1, j = 0; i < n; i++) {
        size_t bit = n >> 1;
        for (; j & bit; bit >>= 1) j ^= bit;
        j ^= bit;
        if (i < j) std::swap(a[i], a[j]);
    }
    for (size_t len = 2; len <= n; len <<= 1) {
        double angle = 2 * M_PI / (double)len * (inverse ? 1 : -1);
        Complex step(cos(angle), sin(angle));
        for (size_t i = 0; i < n; i += len) {
            Complex w(1);
            for (size_t k = 0; k < len / 2; k++, w *= step) {
                Complex u = a[i + k], v = a[i + k + len / 2] * w;
                a[i + k] = u + v;
                a[i + k + len / 2] = u - v;
            }
        }
    }
}

struct Recording {
    Samples samples;
    std::vector<double> energyBefore; /* sum of squares of samples [0, i) */
    std::vector<Complex> spectrum;
};

void Prepare(Recording *r, size_t longestSound)
{
    size_t n = 1;
    while (n < r->samples.size() + longestSound) n <<= 1;
    r->spectrum.assign(n, Complex(0));
    r->energyBefore.assign(r->samples.size() + 1, 0.0);
    for (size_t i = 0; i < r->samples.size(); i++) {
        r->spectrum[i] = r->samples[i];
        r->energyBefore[i + 1] = r->energyBefore[i] + r->samples[i] * r->samples[i];
    }
    Fft(r->spectrum, 0);
}

/* The normalised cross-correlation of the sound with the recording at
   every offset where the whole sound fits in it. */
Samples Match(const Recording &r, const Samples &sound)
{
    size_t n = r.spectrum.size(), len = sound.size();
    if (len == 0 || len > r.samples.size()) return Samples();
    std::vector<Complex> s(n, Complex(0));
    double soundEnergy = 0;
    for (size_t i = 0; i < len; i++) {
        s[i] = sound[i];
        soundEnergy += sound[i] * sound[i];
    }
    Fft(s, 0);
    for (size_t i = 0; i < n; i++) s[i] = r.spectrum[i] * std::conj(s[i]);
    Fft(s, 1);
    Samples score(r.samples.size() - len + 1);
    for (size_t t = 0; t < score.size(); t++) {
        double window = r.energyBefore[t + len] - r.energyBefore[t];
        score[t] = window > 1e-9 ? s[t].real() / (double)n / sqrt(soundEnergy * window) : 0.0;
    }
    return score;
}

/* The best score in offsets [from, to), and where it is. */
double Best(const Samples &score, long from, long to, long *at)
{
    double best = -1;
    *at = -1;
    for (long t = from < 0 ? 0 : from; t < to && t < (long)score.size(); t++) {
        if (score[t] > best) {
            best = score[t];
            *at = t;
        }
    }
    return best;
}

double Seconds(long samples)
{
    return (double)samples / RATE;
}

} // namespace

int main(int argc, char **argv)
{
    if (argc != 3) {
        fprintf(stderr, "usage: zendaro-sounds-heard RECORDING SOUNDS_FOLDER\n");
        return 2;
    }
    std::vector<uint8_t> raw;
    if (!ReadFile(argv[1], &raw)) {
        fprintf(stderr, "sounds heard: cannot read %s\n", argv[1]);
        return 2;
    }
    Samples sounds[SOUNDS];
    size_t longest = 0;
    for (int n = 0; n < SOUNDS; n++) {
        std::string path = std::string(argv[2]) + "/sound_" + std::to_string(n) + ".wav";
        sounds[n] = ReadWav(path);
        if (sounds[n].empty()) {
            fprintf(stderr, "sounds heard: %s is not 8-bit mono at %d Hz\n", path.c_str(), RATE);
            return 2;
        }
        if (sounds[n].size() > longest) longest = sounds[n].size();
    }
    Recording r;
    r.samples = Centred(raw.data(), raw.size());
    long onset = 0;
    while (onset < (long)r.samples.size() && fabs(r.samples[onset]) <= LOUDER_THAN_SILENCE) onset++;
    printf("sounds heard: %.2f s recorded, first sound at %.2f s\n", Seconds((long)raw.size()),
           Seconds(onset));
    if (onset == (long)r.samples.size() || onset < RATE / 10) {
        printf("FAIL: %s\n", onset < RATE / 10 ? "no silence before the first sound: the recording "
                                                 "began too late or something played at once"
                                               : "nothing was heard");
        return 1;
    }
    Prepare(&r, longest);

    /* What starts where the silence ends: a sound may begin softly, so it
       may have begun a little before the first loud sample. */
    Samples scores[SOUNDS];
    int first = -1;
    double firstScore = -1;
    long firstAt = -1;
    for (int n = 0; n < SOUNDS; n++) {
        scores[n] = Match(r, sounds[n]);
        long at;
        double score = Best(scores[n], onset - RATE / 2, onset + RATE / 20, &at);
        printf("  sound %d at the first sound: %.3f\n", n, score);
        if (score > firstScore) {
            first = n;
            firstScore = score;
            firstAt = at;
        }
    }
    int failed = 0;
    printf("first heard: sound %d at %.2f s (%.3f)\n", first, Seconds(firstAt), firstScore);
    if (first != START_JINGLE || firstScore < GOOD_MATCH) {
        printf("FAIL: the first sound heard is not the start jingle (sound %d)\n", START_JINGLE);
        failed = 1;
    }
    long jingleEnd = firstAt + (long)sounds[START_JINGLE].size(), revealAt;
    double reveal =
        Best(scores[REVEAL], jingleEnd - RATE / 20, (long)scores[REVEAL].size(), &revealAt);
    printf("reveal (sound %d) after the jingle: %.3f at %.2f s\n", REVEAL, reveal,
           Seconds(revealAt));
    if (reveal < GOOD_MATCH) {
        printf("FAIL: the reveal was not heard after the start jingle\n");
        failed = 1;
    }
    return failed;
}

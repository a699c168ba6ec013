#include "sounds.h"

#include <algorithm>
#include <cmath>
#include <initializer_list>

const SoundTarget SOUND_TARGETS[SOUND_COUNT] = {
    {16608, 0.91f, "Zendaro reveal"},         {22529, 0.80f, "Zendaro bad news"},
    {33217, 0.22f, "Zendaro ambience"},       {28736, 0.23f, "Zendaro banker call"},
    {33920, 1.00f, "Zendaro mild good news"}, {38144, 1.00f, "Zendaro good news"},
    {11648, 0.98f, "Zendaro mild bad news"},  {64148, 0.88f, "Zendaro start and end"},
    {11936, 0.98f, "Zendaro answer prompt"},  {4408, 0.95f, "Zendaro call end"},
};

namespace
{

const float RATE = 11025.0f;
const float PI = 3.14159265358979f;
const float TOP_FREQUENCY = 5000.0f; /* partials above this would fold back */

typedef std::vector<float> Track;

float Note(int midi)
{
    return 440.0f * std::pow(2.0f, (midi - 69) / 12.0f);
}

/* Note numbers of the scale the tunes use. */
const int C2 = 36, G2 = 43, A2 = 45, C3 = 48, D3 = 50, E3 = 52, F3 = 53, G3 = 55, A3 = 57, B3 = 59,
          C4 = 60, D4 = 62, E4 = 64, F4 = 65, G4 = 67, A4 = 69, B4 = 71, C5 = 72, D5 = 74, E5 = 76,
          F5 = 77, G5 = 79, A5 = 81, B5 = 83, C6 = 84, D6 = 86, E6 = 88, G6 = 91;

struct Partial {
    float ratio;
    float level;
    float decay; /* per second; 0 keeps the envelope's own shape */
};

struct Voice {
    const Partial *partials;
    int count;
    float attack;  /* seconds */
    float release; /* seconds, at the end of the note */
    float decay;   /* exponential fall of the whole note, per second */
    float brassy;  /* how much the upper partials follow the swell of the note */
    float scoop;   /* semitones below the note that the attack slides up from */
};

/* Timbres. Bells and mallets carry inharmonic partials that die quickly;
   brass brightens as it swells; pads are soft and sustain. */
const Partial BELL_PARTIALS[] = {
    {1.0f, 1.0f, 1.2f},   {2.0f, 0.6f, 2.0f}, {2.76f, 0.4f, 3.0f},
    {4.07f, 0.25f, 4.5f}, {5.4f, 0.2f, 6.0f},
};
const Partial MALLET_PARTIALS[] = {{1.0f, 1.0f, 3.0f}, {3.93f, 0.35f, 14.0f}, {9.1f, 0.12f, 30.0f}};
const Partial BRASS_PARTIALS[] = {{1, 1.0f, 0},  {2, 0.85f, 0}, {3, 0.7f, 0},
                                  {4, 0.55f, 0}, {5, 0.42f, 0}, {6, 0.3f, 0},
                                  {7, 0.2f, 0},  {8, 0.13f, 0}, {9, 0.08f, 0}};
const Partial PAD_PARTIALS[] = {{1, 1.0f, 0}, {2, 0.35f, 0}, {3, 0.18f, 0}, {4, 0.08f, 0}};
const Partial PIANO_PARTIALS[] = {
    {1, 1.0f, 1.5f}, {2, 0.5f, 2.5f}, {3, 0.25f, 4.0f}, {4, 0.12f, 6.0f}};

const Voice BELL = {BELL_PARTIALS, 5, 0.002f, 0.05f, 0.0f, 0.0f, 0.0f};
const Voice MALLET = {MALLET_PARTIALS, 3, 0.002f, 0.04f, 0.0f, 0.0f, 0.0f};
const Voice BRASS = {BRASS_PARTIALS, 9, 0.04f, 0.08f, 0.5f, 2.0f, 0.4f};
const Voice PAD = {PAD_PARTIALS, 4, 0.35f, 0.5f, 0.0f, 0.0f, 0.0f};
const Voice PIANO = {PIANO_PARTIALS, 4, 0.004f, 0.08f, 0.0f, 0.0f, 0.0f};
/* Variants that die away within the sound instead of stopping. */
const Voice STAB = {BRASS_PARTIALS, 9, 0.015f, 0.3f, 2.2f, 2.0f, 0.2f};
const Voice HELD_BRASS = {BRASS_PARTIALS, 9, 0.05f, 0.9f, 0.45f, 2.0f, 0.3f};
const Voice CHIME = {BELL_PARTIALS, 5, 0.002f, 0.2f, 2.0f, 0.0f, 0.0f};

struct Shape {
    float bend = 0.0f;    /* semitones of pitch change over the note */
    float vibrato = 0.0f; /* semitones of vibrato depth */
    float wah = 0.0f;     /* 0..1: the mute opens and closes once over the note */
};

/* Calls add(sample, t) for the samples from start seconds on, for length
   seconds or up to the end of the track; t counts seconds from start. */
template <typename Add> void ForEachSample(Track &track, float start, float length, Add add)
{
    int first = static_cast<int>(start * RATE), count = static_cast<int>(length * RATE);
    for (int i = 0; i < count; ++i) {
        size_t at = static_cast<size_t>(first) + static_cast<size_t>(i);
        if (at >= track.size()) break;
        add(track[at], i / RATE);
    }
}

/* Adds one note of the voice, starting at start seconds. */
void AddNote(Track &track, const Voice &voice, float start, float length, float frequency,
             float level, Shape shape = Shape())
{
    std::vector<float> phase(static_cast<size_t>(voice.count), 0.0f);
    ForEachSample(track, start, length, [&](float &sample, float t) {
        float rise = voice.attack > 0.0f ? std::min(1.0f, t / voice.attack) : 1.0f;
        float fall = std::min(1.0f, std::max(0.0f, (length - t) / voice.release));
        float env = rise * fall * std::exp(-voice.decay * t);
        /* Vibrato grows in over the first third of a second. */
        float wobble = shape.vibrato * std::sin(2.0f * PI * 5.5f * t) * std::min(1.0f, t / 0.3f);
        float scoop = -voice.scoop * std::exp(-t / 0.035f);
        float f = frequency * std::pow(2.0f, (shape.bend * t / length + wobble + scoop) / 12.0f);
        float open =
            rise * (1.0f - shape.wah + shape.wah * std::sin(PI * std::min(1.0f, t / length)));
        float sum = 0.0f;
        for (int p = 0; p < voice.count; ++p) {
            const Partial &part = voice.partials[p];
            float pf = f * part.ratio;
            phase[p] += 2.0f * PI * pf / RATE;
            if (phase[p] > 2.0f * PI) phase[p] -= 2.0f * PI;
            if (pf >= TOP_FREQUENCY) continue;
            float decay = part.decay > 0.0f ? std::exp(-part.decay * t) : 1.0f;
            float bright =
                voice.brassy > 0.0f ? std::pow(open, voice.brassy * (part.ratio - 1.0f)) : 1.0f;
            sum += part.level * decay * bright * std::sin(phase[p]);
        }
        sample += level * env * sum;
    });
}

void AddChord(Track &track, const Voice &voice, float start, float length,
              std::initializer_list<int> notes, float level)
{
    for (int n : notes) AddNote(track, voice, start, length, Note(n), level);
}

/* Deterministic white noise from a fixed seed. */
struct Noise {
    uint32_t state;
    float Next()
    {
        state = state * 1664525u + 1013904223u;
        return static_cast<float>((state >> 8) & 0xFFFF) / 32768.0f - 1.0f;
    }
};

/* A noise burst through a one-pole low-pass (brightness 0..1) with an
   exponential fall; used for drums, cymbals and clicks. */
void AddNoiseHit(Track &track, float start, float length, float level, float fall, float brightness,
                 uint32_t seed, bool highPass = false)
{
    Noise noise{seed};
    float low = 0.0f;
    ForEachSample(track, start, length, [&](float &sample, float t) {
        float n = noise.Next();
        low += brightness * (n - low);
        float v = highPass ? n - low : low;
        float attack = std::min(1.0f, t / 0.002f);
        sample += level * attack * std::exp(-fall * t) * v;
    });
}

/* A drum: a sine whose pitch drops from high to low as it fades. */
void AddThump(Track &track, float start, float level, float from, float to, float fall)
{
    float phase = 0.0f;
    ForEachSample(track, start, 0.5f, [&](float &sample, float t) {
        float f = to + (from - to) * std::exp(-t * 30.0f);
        phase += 2.0f * PI * f / RATE;
        float attack = std::min(1.0f, t / 0.003f);
        sample += level * attack * std::exp(-fall * t) * std::sin(phase);
    });
}

float Ease(float t)
{
    return t * t * (3.0f - 2.0f * t);
}

/* Scales the track to the wanted peak, fades both ends and turns it into
   unsigned 8-bit samples. */
std::vector<uint8_t> Finish(Track &track, float peak)
{
    const int fadeIn = static_cast<int>(0.004f * RATE), fadeOut = static_cast<int>(0.06f * RATE);
    int n = static_cast<int>(track.size());
    for (int i = 0; i < n; ++i) {
        float g = 1.0f;
        if (i < fadeIn) g = Ease(i / float(fadeIn));
        if (n - 1 - i < fadeOut) g = std::min(g, Ease((n - 1 - i) / float(fadeOut)));
        track[static_cast<size_t>(i)] *= g;
    }
    float loudest = 0.0f;
    for (float v : track) loudest = std::max(loudest, std::fabs(v));
    float gain = loudest > 0.0f ? peak * 127.0f / loudest : 0.0f;
    std::vector<uint8_t> out(track.size());
    for (size_t i = 0; i < track.size(); ++i) {
        long v = 128 + std::lround(track[i] * gain);
        out[i] = static_cast<uint8_t>(std::min(255L, std::max(1L, v)));
    }
    return out;
}

void Reveal(Track &t)
{
    /* A snare roll that swells into the hit, over a rising whoosh. */
    for (int i = 0; i < 10; ++i)
        AddNoiseHit(t, 0.015f + i * 0.03f, 0.05f, 0.12f + 0.1f * i, 35.0f, 0.55f, 100u + i);
    AddNote(t, PAD, 0.0f, 0.34f, Note(A3), 0.3f, Shape{12.0f});
    const float hit = 0.33f;
    AddThump(t, hit, 0.9f, 160.0f, Note(D3) * 0.5f, 5.0f);
    AddNoiseHit(t, hit, 1.1f, 0.22f, 5.0f, 0.9f, 7u, true);
    AddChord(t, STAB, hit, 1.17f, {D4, F4, A4, D5}, 0.22f);
    AddChord(t, CHIME, hit, 1.17f, {D5, A5}, 0.12f);
}

void BadNews(Track &t)
{
    const int notes[] = {G3, F3 + 1, F3, E3};
    const float starts[] = {0.02f, 0.42f, 0.82f, 1.22f};
    const float lengths[] = {0.38f, 0.38f, 0.38f, 0.8f};
    for (int i = 0; i < 4; ++i) {
        bool last = i == 3;
        Shape shape = {last ? -0.7f : -0.3f, last ? 0.3f : 0.0f, 0.8f};
        AddNote(t, BRASS, starts[i], lengths[i], Note(notes[i]), 0.5f, shape);
    }
}

void Ambience(Track &t)
{
    float length = t.size() / RATE;
    AddChord(t, PAD, 0.0f, length, {A2, E3, A3, C4}, 0.25f);
    /* A slow pulse, two beats a second, breathing through the pad. */
    for (size_t i = 0; i < t.size(); ++i) {
        float s = i / RATE;
        t[i] *= 0.65f + 0.35f * std::cos(2.0f * PI * 2.0f * s);
    }
    for (int beat = 0; beat < 6; ++beat)
        AddThump(t, 0.05f + beat * 0.5f, 0.25f, 90.0f, 55.0f, 14.0f);
}

/* An electric bell: a hammer striking two gongs in turn twenty times a second. */
void AddRing(Track &t, float start, float length)
{
    const Partial gong[] = {{1.0f, 1.0f, 6.0f}, {2.32f, 0.5f, 9.0f}, {4.25f, 0.25f, 14.0f}};
    const Voice voice = {gong, 3, 0.001f, 0.01f, 0.0f, 0.0f, 0.0f};
    int strikes = static_cast<int>(length * 20.0f);
    for (int i = 0; i < strikes; ++i) {
        float f = i % 2 == 0 ? 1180.0f : 1270.0f;
        AddNote(t, voice, start + i * 0.05f, 0.45f, f, 0.3f);
    }
}

void BankerCall(Track &t)
{
    AddRing(t, 0.02f, 0.4f);
    AddRing(t, 0.62f, 0.4f);
}

void MildGoodNews(Track &t)
{
    const int rise[] = {C5, E5, G5, C6, E6};
    for (int i = 0; i < 5; ++i) AddNote(t, MALLET, 0.02f + i * 0.11f, 1.2f, Note(rise[i]), 0.4f);
    AddChord(t, PAD, 0.5f, 2.5f, {C4, E4, G4, C5}, 0.2f);
    AddChord(t, BELL, 0.57f, 2.45f, {C6, G6}, 0.12f);
}

void GoodNews(Track &t)
{
    const int call[] = {G4, C5, E5, G5};
    for (int i = 0; i < 4; ++i) AddNote(t, BRASS, 0.02f + i * 0.13f, 0.16f, Note(call[i]), 0.4f);
    const float held = 0.55f;
    AddChord(t, HELD_BRASS, held, 2.88f, {C4, E4, G4, C5, E5}, 0.2f);
    AddNote(t, HELD_BRASS, held, 2.88f, Note(C3), 0.3f);
    for (int i = 0; i < 6; ++i)
        AddNote(t, BELL, held + 0.1f + i * 0.09f, 1.8f, Note(C6 + (i % 3) * 4), 0.08f);
    AddNoiseHit(t, held, 2.0f, 0.15f, 2.0f, 0.9f, 5u, true);
}

void MildBadNews(Track &t)
{
    AddNote(t, BRASS, 0.02f, 0.95f, Note(D3), 0.5f, Shape{-1.0f, 0.2f, 0.7f});
}

/* The jingle: four bars of eighth notes at 0.18 s, a tune over chords,
   bass and a light beat, ending on a held C major chord. */
const float EIGHTH = 0.18f;
const float JINGLE_START = 0.02f;

void AddJingleTune(Track &t)
{
    struct Step {
        int note;
        int eighths;
    };
    const Step tune[] = {
        {G4, 1}, {C5, 1}, {E5, 1}, {G5, 1}, {C6, 2}, {B5, 1}, {C6, 1}, {A5, 2}, {G5, 1}, {F5, 1},
        {E5, 2}, {D5, 2}, {E5, 1}, {F5, 1}, {G5, 1}, {A5, 1}, {B5, 2}, {D6, 2}, {C6, 8},
    };
    float at = JINGLE_START;
    for (const Step &s : tune) {
        float length = s.eighths * EIGHTH + (s.eighths == 8 ? 0.4f : 0.05f);
        AddNote(t, PIANO, at, length, Note(s.note), 0.3f);
        AddNote(t, BELL, at, length, Note(s.note), 0.08f);
        at += s.eighths * EIGHTH;
    }
}

void AddJingleBand(Track &t, float end)
{
    const int chords[4][3] = {{C4, E4, G4}, {F4, A4, C5}, {G3, B3, F4}, {C4, E4, G4}};
    const int bass[4] = {C3, F3, G2, C3};
    for (int bar = 0; bar < 4; ++bar) {
        bool last = bar == 3;
        float start = JINGLE_START + bar * 8 * EIGHTH;
        float length = last ? end - start : 8 * EIGHTH;
        for (int n : chords[bar]) AddNote(t, PAD, start, length, Note(n), 0.08f);
        for (int beat = 0; beat < (last ? 1 : 4); ++beat) {
            float at = start + beat * 2 * EIGHTH;
            AddNote(t, PIANO, at, last ? 1.5f : 2 * EIGHTH, Note(bass[bar]), 0.3f);
            AddThump(t, at, 0.35f, 140.0f, 60.0f, 18.0f);
            if (!last) AddNoiseHit(t, at + EIGHTH, 0.05f, 0.06f, 60.0f, 0.9f, 40u + beat, true);
        }
    }
}

void StartEnd(Track &t)
{
    AddJingleTune(t);
    AddJingleBand(t, t.size() / RATE - 0.02f);
}

void AnswerPrompt(Track &t)
{
    const int chime[] = {G5, C6, E6};
    for (int i = 0; i < 3; ++i)
        AddNote(t, CHIME, 0.01f + i * 0.09f, 1.06f - i * 0.09f, Note(chime[i]), 0.35f);
}

void CallEnd(Track &t)
{
    AddNoiseHit(t, 0.02f, 0.03f, 0.8f, 180.0f, 0.6f, 11u);
    AddThump(t, 0.02f, 0.7f, 180.0f, 90.0f, 40.0f);
    AddNoiseHit(t, 0.085f, 0.02f, 0.35f, 250.0f, 0.7f, 12u);
    const Partial ting[] = {{1.0f, 1.0f, 9.0f}, {2.32f, 0.4f, 14.0f}};
    const Voice bell = {ting, 2, 0.001f, 0.02f, 0.0f, 0.0f, 0.0f};
    AddNote(t, bell, 0.02f, 0.35f, 1180.0f, 0.06f);
}

} /* namespace */

std::vector<uint8_t> SynthesiseSound(int n)
{
    const SoundTarget &target = SOUND_TARGETS[n];
    void (*const makers[SOUND_COUNT])(Track &) = {Reveal,       BadNews,  Ambience,    BankerCall,
                                                  MildGoodNews, GoodNews, MildBadNews, StartEnd,
                                                  AnswerPrompt, CallEnd};
    Track track(static_cast<size_t>(target.dataBytes), 0.0f);
    makers[n](track);
    return Finish(track, target.peak);
}

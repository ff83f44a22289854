#pragma once

// The description language, one statement per line, '#' starting a comment:
//   sound channels=1|2 rate=44100 length=<s> peak=<0..0.95> quality=<-0.1..1> title=<text>
//   echo time=<s> feedback=<0..0.95> mix=<gain>
//   voice start=<s> dur=<s> <voice settings>               (an effect: voices on a time line)
//   instrument name=<n> <voice settings>                    (a song: named voices ...)
//   tempo bpm=<n> steps=<steps per beat>
//   pattern <name> / <instrument> <step>... / use <pattern> / end   (... playing patterns ...)
//   song <pattern>...                                       (... in order, as one loop)
// Voice settings: wave=sine|triangle|square|saw|noise freq=<Hz>[><Hz>] sweep=<s> amp=<gain>
//   adsr=<attack>,<decay>,<sustain level>,<release> filter=lowpass|highpass|bandpass
//   cutoff=<Hz>[><Hz>] q=<resonance> drive=<amount> vibrato=<Hz>,<semitones> tremolo=<Hz>,<depth>
//   crackle=<changes per second>,<density> unison=<copies>,<cents> pan=<-1..1> seed=<n>
//   like=<instrument>. A frequency or cutoff written a>b moves exponentially from a to b.
// Steps: '.' rest, '-' hold the previous note, 'x' the instrument's own pitch, a note such as
// "C#4" or a chord such as "A3+C4+E4"; a trailing '!' accents the step; '|' is ignored.

#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace SoundGen
{
    enum class Wave { Sine, Triangle, Square, Saw, Noise };
    enum class Filter { None, LowPass, HighPass, BandPass };

    // A value that moves exponentially from `from` to `to` over a voice's sweep time.
    struct Sweep
    {
        double from = 0.0;
        double to = 0.0;
    };

    // Everything that shapes one synthesised voice; a music instrument is a voice without timing.
    struct VoiceParams
    {
        Wave wave = Wave::Sine;
        Sweep frequency{440.0, 440.0};
        double sweepTime = -1.0; // seconds; below 0: the voice's held time
        double amplitude = 1.0;
        double attack = 0.005;
        double decay = 0.1;
        double sustain = 1.0;
        double release = 0.05;
        Filter filter = Filter::None;
        Sweep cutoff{1000.0, 1000.0};
        double resonance = 0.707;
        double drive = 0.0;
        double vibratoRate = 0.0;
        double vibratoDepth = 0.0; // semitones
        double tremoloRate = 0.0;
        double tremoloDepth = 0.0;
        double crackleRate = 0.0; // random gate changes per second; 0: no gate
        double crackleDensity = 0.5;
        int unison = 1;
        double detune = 0.0; // cents between the outermost unison copies
        double pan = 0.0;
        uint32_t seed = 1;
    };

    // One voice placed in time: it sounds for `hold` seconds, then releases.
    struct Note
    {
        double start = 0.0;
        double hold = 0.0;
        VoiceParams params;
    };

    struct Echo
    {
        double time = 0.0;
        double feedback = 0.0;
        double mix = 0.0;
    };

    // One step of a pattern track: a rest, a hold of the previous note, or new notes.
    struct Step
    {
        enum class Kind { Rest, Hold, Notes } kind = Kind::Rest;
        std::vector<double> frequencies; // empty with Notes: the instrument's own frequency
        double accent = 1.0;
    };

    struct Track
    {
        std::string instrument;
        std::vector<Step> steps;
    };

    struct Pattern
    {
        std::vector<Track> tracks;
        size_t length = 0;
    };

    // A parsed description: either a one-shot effect (notes on a time line of fixed length) or a
    // looping song (instruments playing patterns in order).
    struct Description
    {
        std::string title;
        int channels = 1;
        int rate = 44100;
        double length = 1.0;
        double peak = 0.8;
        double quality = 0.4;
        Echo echo;

        std::vector<Note> notes;

        double beatsPerMinute = 120.0;
        int stepsPerBeat = 4;
        std::map<std::string, VoiceParams> instruments;
        std::map<std::string, Pattern> patterns;
        std::vector<std::string> song;

        bool IsSong() const { return !song.empty(); }
    };

    // Parses the text of a description; on failure returns false with "line N: reason" in error.
    bool ParseDescription(const std::string& text, Description& description, std::string& error);

    // Frequency of a note name such as "A4", "C#3" or "Bb2" (A4 = 440 Hz); false when malformed.
    bool NoteFrequency(const std::string& name, double& frequency);
}

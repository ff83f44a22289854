// The sound tool's description language and renderer: note names, refused descriptions, voices
// that end at zero and songs that loop without a seam.
#include "tools/soundgen/SoundGen_Description.h"
#include "tools/soundgen/SoundGen_Mixer.h"
#include "tools/soundgen/SoundGen_Synth.h"

#include <gtest/gtest.h>

#include <cmath>

namespace
{
    using namespace SoundGen;

    TEST(SoundDescription, NoteNamesGiveEqualTemperedFrequencies)
    {
        double f = 0.0;
        ASSERT_TRUE(NoteFrequency("A4", f));
        EXPECT_DOUBLE_EQ(f, 440.0);
        ASSERT_TRUE(NoteFrequency("A3", f));
        EXPECT_DOUBLE_EQ(f, 220.0);
        ASSERT_TRUE(NoteFrequency("C4", f));
        EXPECT_NEAR(f, 261.63, 0.01);
        double sharp = 0.0, flat = 0.0;
        ASSERT_TRUE(NoteFrequency("A#2", sharp));
        ASSERT_TRUE(NoteFrequency("Bb2", flat));
        EXPECT_DOUBLE_EQ(sharp, flat);
        for (const char* bad : {"H4", "C", "C9", "C#", "c4", "C44"})
            EXPECT_FALSE(NoteFrequency(bad, f)) << bad;
    }

    TEST(SoundDescription, RefusesWhatItCannotRender)
    {
        const char* bad[] = {
            "voice start=0 wave=sine",                                   // no duration
            "voice dur=1 wave=organ",                                    // unknown wave
            "voice dur=1 adsr=0.1,0.1,2,0.1",                            // sustain above 1
            "voice dur=1 freq=0",                                        // no pitch
            "instrument name=a\npattern p\na x . x\na x .\nend\nsong p",  // tracks of unequal length
            "instrument name=a\npattern p\nb x . x\nend\nsong p",         // unknown instrument
            "instrument name=a\npattern p\na - x\nend\nsong p",           // starts with a hold
            "instrument name=a\npattern p\na x\nend\nsong q",             // unknown pattern
            "instrument name=a\npattern p\na x\nsong p",                  // no end
        };
        for (const char* text : bad)
        {
            Description description;
            std::string error;
            EXPECT_FALSE(ParseDescription(text, description, error)) << text;
            EXPECT_FALSE(error.empty());
        }
    }

    TEST(SoundDescription, SharpsAreNotComments)
    {
        Description description;
        std::string error;
        ASSERT_TRUE(ParseDescription("instrument name=a # a comment\npattern p\na F#3 - C#4+E4 .\nend\nsong p",
                                     description, error)) << error;
        const Step& chord = description.patterns["p"].tracks[0].steps[2];
        EXPECT_EQ(chord.frequencies.size(), 2u);
        EXPECT_EQ(description.patterns["p"].length, 4u);
    }

    TEST(SoundSynth, VoiceLastsItsHoldAndReleaseAndEndsAtZero)
    {
        VoiceParams params;
        params.wave = Wave::Saw;
        params.frequency = {220.0, 220.0};
        params.release = 0.1;
        const std::vector<float> voice = RenderVoice(params, 0.2, 10000);
        EXPECT_EQ(voice.size(), 3000u);
        EXPECT_EQ(voice.back(), 0.0f);
        float peak = 0.0f;
        for (float s : voice)
            peak = std::max(peak, std::fabs(s));
        EXPECT_GT(peak, 0.5f);
        EXPECT_LE(peak, 1.2f);
    }

    TEST(SoundSynth, NoiseIsTheSameOnEveryRun)
    {
        VoiceParams params;
        params.wave = Wave::Noise;
        params.seed = 7;
        EXPECT_EQ(RenderVoice(params, 0.05, 8000), RenderVoice(params, 0.05, 8000));
    }

    TEST(SoundMixer, ASongRingsFromItsEndIntoItsStart)
    {
        // One bar of four steps at 60 beats per minute (one second); a long sine note on the last
        // step rings on past the bar's end.
        Description description;
        std::string error;
        ASSERT_TRUE(ParseDescription("sound channels=1 rate=8000 peak=0.5\ntempo bpm=60 steps=4\n"
                                     "instrument name=tone wave=sine adsr=0.001,0.2,0.5,0.4\n"
                                     "pattern p\ntone . . . A4\nend\nsong p",
                                     description, error)) << error;
        std::vector<float> samples;
        ASSERT_TRUE(RenderDescription(description, samples, error)) << error;
        ASSERT_EQ(samples.size(), 8000u);
        float start = 0.0f;
        for (size_t i = 0; i < 100; ++i)
            start = std::max(start, std::fabs(samples[i]));
        EXPECT_GT(start, 0.05f) << "the release of the last note sounds at the start";
        const float seam = std::fabs(samples.front() - samples.back());
        EXPECT_LT(seam, 0.5f * 2.0f * 3.1416f * 440.0f / 8000.0f + 1e-3f) << "no larger than one sample's step of the tone";
    }

    TEST(SoundMixer, AnEffectIsScaledToItsPeak)
    {
        Description description;
        std::string error;
        ASSERT_TRUE(ParseDescription("sound length=0.2 rate=8000 peak=0.6\nvoice dur=0.05 wave=square freq=300 amp=3",
                                     description, error)) << error;
        std::vector<float> samples;
        ASSERT_TRUE(RenderDescription(description, samples, error));
        float peak = 0.0f;
        for (float s : samples)
            peak = std::max(peak, std::fabs(s));
        EXPECT_FLOAT_EQ(peak, 0.6f);
        EXPECT_EQ(samples.size(), 1600u);
        EXPECT_EQ(samples.back(), 0.0f);
    }
}

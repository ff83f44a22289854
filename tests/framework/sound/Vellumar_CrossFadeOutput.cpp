#include "Vellumar_AudioGameTest.h"

#include "framework/sound/Vellumar_JukeBox.h"

#include <algorithm>
#include <cmath>

using namespace AudioTest;

namespace
{
constexpr double LowHz = 440.0;
constexpr double HighHz = 1320.0;

Bytes Sine(double hz, f32 seconds)
{
    constexpr u32 rate = 22050;
    const u32 frames = static_cast<u32>(rate * seconds);
    Bytes pcm;
    for (u32 i = 0; i < frames; ++i)
    {
        PutU16(pcm, static_cast<u16>(static_cast<i16>(12000.0 * std::sin(2.0 * M_PI * hz * i / rate))));
    }
    return Riff({Chunk("fmt ", PlainFormat(1, rate, 16)), Chunk("data", pcm)});
}

// The amplitude of one frequency in a window of samples (Goertzel).
double Level(const std::vector<float>& samples, std::size_t from, std::size_t count, double hz, u32 rate)
{
    const double coefficient = 2.0 * std::cos(2.0 * M_PI * hz / rate);
    double previous = 0.0;
    double beforePrevious = 0.0;
    for (std::size_t i = from; i < from + count; ++i)
    {
        const double now = samples[i] + coefficient * previous - beforePrevious;
        beforePrevious = previous;
        previous = now;
    }
    const double power = previous * previous + beforePrevious * beforePrevious - coefficient * previous * beforePrevious;
    return 2.0 * std::sqrt(std::max(power, 0.0)) / static_cast<double>(count);
}

class CrossFadeOutput : public AudioGameTest
{
};

// Each frame of the game renders the 20 ms of output it lasts, and the sources are served after it
// as the streaming thread would; what is checked is the order in which the two tones' levels change.
TEST_F(CrossFadeOutput, TheFirstToneFallsWhileTheSecondRises)
{
    const Core::String low(scratch.Write("low.wav", Sine(LowHz, 3.0f)).c_str());
    const Core::String high(scratch.Write("high.wav", Sine(HighHz, 3.0f)).c_str());
    StartGame();
    ASSERT_TRUE(Engine().IsInitialized());
    RenderedChannel rendered;
    rendered.rate = Rate;
    {
        const Core::RefPtr<Vellumar::JukeBox> jukeBox(new Vellumar::JukeBox());
        jukeBox->SetMusicFiles({low, high});
        ASSERT_TRUE(jukeBox->PlayTrack(0));
        jukeBox->SetFadeTime(1.0f);
        for (int frame = 0; frame < 150; ++frame)
        {
            ASSERT_TRUE(Engine().RenderOutput(Rate / 50));
            const Core::Vector<i16>& output = Engine().GetRenderedOutput();
            for (std::size_t i = 0; i < output.size(); i += 2)
                rendered.samples.push_back(static_cast<float>(output[i]) / 32768.0f);
            Engine().ServeSources();
            jukeBox->Update(0.02f);
        }
        jukeBox->StopMusic();
    }
    ASSERT_GT(rendered.rate, 0u);
    const std::size_t window = rendered.rate / 20;
    std::vector<double> lows;
    std::vector<double> highs;
    for (std::size_t from = 0; from + window <= rendered.samples.size(); from += window)
    {
        lows.push_back(Level(rendered.samples, from, window, LowHz, rendered.rate));
        highs.push_back(Level(rendered.samples, from, window, HighHz, rendered.rate));
    }
    ASSERT_GT(lows.size(), 40u);
    const double lowPeak = *std::max_element(lows.begin(), lows.end());
    const double highPeak = *std::max_element(highs.begin(), highs.end());
    ASSERT_GT(lowPeak, 0.05);
    ASSERT_GT(highPeak, 0.05);
    // The fade lies between the last window of the first tone at full level and the first of the
    // second tone at full level.
    std::size_t fadeStart = 0;
    while (fadeStart < lows.size() && !(lows[fadeStart] > 0.9 * lowPeak))
        ++fadeStart;
    while (fadeStart + 1 < lows.size() && lows[fadeStart + 1] > 0.9 * lowPeak)
        ++fadeStart;
    std::size_t fadeEnd = fadeStart;
    while (fadeEnd < highs.size() && !(highs[fadeEnd] > 0.9 * highPeak))
        ++fadeEnd;
    ASSERT_LT(fadeEnd, highs.size());
    EXPECT_LT(highs[fadeStart], 0.2 * highPeak) << "the second tone is not heard before the fade";
    EXPECT_LT(lows[fadeEnd], 0.2 * lowPeak) << "the first tone is gone once the second is at full level";
    // A linear fade of a second, not a switch: both tones are heard together on the way.
    ASSERT_GE(fadeEnd - fadeStart, 10u);
    const std::size_t quarter = fadeStart + (fadeEnd - fadeStart) / 4;
    const std::size_t threeQuarters = fadeStart + 3 * (fadeEnd - fadeStart) / 4;
    EXPECT_GT(lows[quarter], lows[threeQuarters]);
    EXPECT_LT(highs[quarter], highs[threeQuarters]);
    EXPECT_GT(lows[quarter], 0.1 * lowPeak);
    EXPECT_GT(highs[threeQuarters], 0.1 * highPeak);
}
}  // namespace

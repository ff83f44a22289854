#include "SoundGen_Mixer.h"

#include "SoundGen_Synth.h"

#include <algorithm>
#include <cmath>
#include <cstddef>

namespace SoundGen
{
    namespace
    {
        constexpr double Pi = 3.14159265358979323846;
        // Effects end with a short fade so that a voice cut by the length does not click.
        constexpr double EndFadeSeconds = 0.01;

        class Buffer
        {
        public:
            Buffer(int channels, size_t frames) : channels_(channels), samples_(frames * channels) {}

            size_t Frames() const { return samples_.size() / channels_; }

            void Add(const std::vector<float>& voice, size_t startFrame, double pan)
            {
                // Equal-power panning keeps a voice equally loud wherever it stands.
                const double angle = (pan + 1.0) * Pi / 4.0;
                const double gains[2] = {channels_ == 1 ? 1.0 : std::cos(angle), std::sin(angle)};
                for (size_t i = 0; i < voice.size() && startFrame + i < Frames(); ++i)
                    for (int c = 0; c < channels_; ++c)
                        samples_[(startFrame + i) * channels_ + c] += static_cast<float>(voice[i] * gains[c]);
            }

            // A feedback delay; in stereo the right channel repeats later, which widens the sound.
            void ApplyEcho(const Echo& echo, int rate)
            {
                if (echo.time <= 0.0 || echo.mix <= 0.0)
                    return;
                for (int c = 0; c < channels_; ++c)
                {
                    const size_t delay = std::max<size_t>(1, static_cast<size_t>(echo.time * (c == 0 ? 1.0 : 1.5) * rate));
                    std::vector<float> line(Frames());
                    for (size_t i = 0; i < Frames(); ++i)
                    {
                        const float dry = samples_[i * channels_ + c];
                        const float delayed = i >= delay ? line[i - delay] : 0.0f;
                        line[i] = dry + static_cast<float>(echo.feedback) * delayed;
                        samples_[i * channels_ + c] = dry + static_cast<float>(echo.mix) * delayed;
                    }
                }
            }

            void FadeOut(size_t frames)
            {
                frames = std::min(frames, Frames());
                for (size_t i = 0; i < frames; ++i)
                {
                    const float gain = static_cast<float>(i) / static_cast<float>(frames);
                    for (int c = 0; c < channels_; ++c)
                        samples_[(Frames() - 1 - i) * channels_ + c] *= gain;
                }
            }

            std::vector<float> Slice(size_t firstFrame, size_t frames) const
            {
                return std::vector<float>(samples_.begin() + static_cast<ptrdiff_t>(firstFrame * channels_),
                                          samples_.begin() + static_cast<ptrdiff_t>((firstFrame + frames) * channels_));
            }

            const std::vector<float>& Samples() const { return samples_; }

        private:
            int channels_;
            std::vector<float> samples_;
        };

        size_t ToFrames(double seconds, int rate) { return static_cast<size_t>(std::llround(seconds * rate)); }

        bool RenderEffect(const Description& d, std::vector<float>& samples)
        {
            Buffer buffer(d.channels, ToFrames(d.length, d.rate));
            for (const Note& note : d.notes)
                buffer.Add(RenderVoice(note.params, note.hold, d.rate), ToFrames(note.start, d.rate), note.params.pan);
            buffer.ApplyEcho(d.echo, d.rate);
            buffer.FadeOut(ToFrames(EndFadeSeconds, d.rate));
            samples = buffer.Samples();
            return true;
        }

        // Expands the song into notes: a step's notes sound through the holds that follow it.
        std::vector<Note> SongNotes(const Description& d, size_t& totalSteps)
        {
            const double stepSeconds = 60.0 / d.beatsPerMinute / d.stepsPerBeat;
            std::vector<Note> notes;
            totalSteps = 0;
            for (const std::string& name : d.song)
            {
                const Pattern& pattern = d.patterns.at(name);
                for (const Track& track : pattern.tracks)
                {
                    const VoiceParams& instrument = d.instruments.at(track.instrument);
                    for (size_t s = 0; s < track.steps.size(); ++s)
                    {
                        const Step& step = track.steps[s];
                        if (step.kind != Step::Kind::Notes)
                            continue;
                        size_t length = 1;
                        while (s + length < track.steps.size() && track.steps[s + length].kind == Step::Kind::Hold)
                            ++length;
                        std::vector<double> frequencies = step.frequencies;
                        if (frequencies.empty())
                            frequencies.push_back(0.0);
                        for (double frequency : frequencies)
                        {
                            Note note;
                            note.start = static_cast<double>(totalSteps + s) * stepSeconds;
                            note.hold = static_cast<double>(length) * stepSeconds;
                            note.params = instrument;
                            note.params.amplitude *= step.accent;
                            note.params.seed = instrument.seed * 7919u + static_cast<uint32_t>(notes.size());
                            if (frequency > 0.0)
                                note.params.frequency = {frequency, frequency};
                            notes.push_back(note);
                        }
                    }
                }
                totalSteps += pattern.length;
            }
            return notes;
        }

        bool RenderSong(const Description& d, std::vector<float>& samples, std::string& error)
        {
            size_t totalSteps = 0;
            const std::vector<Note> notes = SongNotes(d, totalSteps);
            const double stepSeconds = 60.0 / d.beatsPerMinute / d.stepsPerBeat;
            const size_t loopFrames = ToFrames(static_cast<double>(totalSteps) * stepSeconds, d.rate);
            size_t tail = 0;
            for (const Note& note : notes)
                tail = std::max(tail, ToFrames(note.start + note.hold + note.params.release, d.rate));
            tail = tail > loopFrames ? tail - loopFrames : 0;
            if (tail >= loopFrames)
            {
                error = "notes ring longer than the whole loop";
                return false;
            }

            // Two passes: the second one starts with the ringing end of the first, which is what the
            // start of every repeat sounds like, so the second pass alone loops seamlessly.
            Buffer buffer(d.channels, 2 * loopFrames + tail);
            for (size_t pass = 0; pass < 2; ++pass)
                for (const Note& note : notes)
                    buffer.Add(RenderVoice(note.params, note.hold, d.rate),
                               pass * loopFrames + ToFrames(note.start, d.rate), note.params.pan);
            buffer.ApplyEcho(d.echo, d.rate);
            samples = buffer.Slice(loopFrames, loopFrames);
            return true;
        }
    }

    bool RenderDescription(const Description& description, std::vector<float>& samples, std::string& error)
    {
        const bool ok = description.IsSong() ? RenderSong(description, samples, error)
                                              : RenderEffect(description, samples);
        if (!ok)
            return false;
        float peak = 0.0f;
        for (float sample : samples)
            peak = std::max(peak, std::fabs(sample));
        if (peak <= 0.0f)
        {
            error = "the description renders silence";
            return false;
        }
        const float scale = static_cast<float>(description.peak) / peak;
        for (float& sample : samples)
            sample *= scale;
        return true;
    }
}

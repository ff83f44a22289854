#include "SoundGen_Synth.h"

#include <algorithm>
#include <cmath>
#include <cstddef>

namespace SoundGen
{
    namespace
    {
        constexpr double Pi = 3.14159265358979323846;
        // The decay and release curves fall by e^-5 (under 1 %) over their stated time.
        constexpr double CurveSteepness = 5.0;
        // Filter coefficients follow a moving cutoff in blocks of this many samples.
        constexpr int FilterBlock = 16;

        // A small deterministic generator, so that noise is the same on every build.
        class Random
        {
        public:
            explicit Random(uint32_t seed) : state_(seed ? seed : 0x9E3779B9u) {}

            double Unit()
            {
                state_ ^= state_ << 13;
                state_ ^= state_ >> 17;
                state_ ^= state_ << 5;
                return static_cast<double>(state_) / 4294967296.0;
            }

            double Signed() { return Unit() * 2.0 - 1.0; }

        private:
            uint32_t state_;
        };

        // Softens the jump of a saw or square edge that falls inside this sample (band limiting).
        double PolyBlep(double phase, double step)
        {
            if (phase < step)
            {
                const double t = phase / step;
                return t + t - t * t - 1.0;
            }
            if (phase > 1.0 - step)
            {
                const double t = (phase - 1.0) / step;
                return t * t + t + t + 1.0;
            }
            return 0.0;
        }

        double Oscillator(Wave wave, double phase, double step)
        {
            switch (wave)
            {
            case Wave::Sine:
                return std::sin(2.0 * Pi * phase);
            case Wave::Triangle:
                return 1.0 - 4.0 * std::fabs(phase - 0.5);
            case Wave::Saw:
                return 2.0 * phase - 1.0 - PolyBlep(phase, step);
            case Wave::Square:
            {
                const double half = std::fmod(phase + 0.5, 1.0);
                return (phase < 0.5 ? 1.0 : -1.0) + PolyBlep(phase, step) - PolyBlep(half, step);
            }
            case Wave::Noise:
                break;
            }
            return 0.0;
        }

        double Interpolate(const Sweep& sweep, double fraction)
        {
            return sweep.from * std::pow(sweep.to / sweep.from, std::clamp(fraction, 0.0, 1.0));
        }

        class Biquad
        {
        public:
            void Design(Filter kind, double cutoff, double resonance, int rate)
            {
                const double w0 = 2.0 * Pi * std::min(cutoff, 0.45 * rate) / rate;
                const double cosine = std::cos(w0);
                const double alpha = std::sin(w0) / (2.0 * resonance);
                double b0 = 0, b1 = 0, b2 = 0;
                switch (kind)
                {
                case Filter::LowPass:
                    b0 = b2 = (1.0 - cosine) / 2.0;
                    b1 = 1.0 - cosine;
                    break;
                case Filter::HighPass:
                    b0 = b2 = (1.0 + cosine) / 2.0;
                    b1 = -(1.0 + cosine);
                    break;
                case Filter::BandPass:
                    b0 = alpha;
                    b2 = -alpha;
                    break;
                case Filter::None:
                    b0 = 1.0 + alpha;
                    break;
                }
                const double a0 = 1.0 + alpha;
                b0_ = b0 / a0;
                b1_ = b1 / a0;
                b2_ = b2 / a0;
                a1_ = -2.0 * cosine / a0;
                a2_ = (1.0 - alpha) / a0;
            }

            double Process(double x)
            {
                const double y = b0_ * x + b1_ * x1_ + b2_ * x2_ - a1_ * y1_ - a2_ * y2_;
                x2_ = x1_;
                x1_ = x;
                y2_ = y1_;
                y1_ = y;
                return y;
            }

        private:
            double b0_ = 1, b1_ = 0, b2_ = 0, a1_ = 0, a2_ = 0;
            double x1_ = 0, x2_ = 0, y1_ = 0, y2_ = 0;
        };

        // Attack, decay towards the sustain level while held, then release to exactly zero.
        double Envelope(const VoiceParams& p, double hold, double t)
        {
            auto held = [&p](double time) {
                if (time < p.attack)
                    return time / p.attack;
                return p.sustain + (1.0 - p.sustain) * std::exp(-CurveSteepness * (time - p.attack) / p.decay);
            };
            if (t < hold)
                return held(t);
            const double u = std::min((t - hold) / p.release, 1.0);
            return held(hold) * std::exp(-CurveSteepness * u) * (1.0 - u);
        }

        // Random on/off amplitude changing `rate` times per second: the crackle of fire and sparks.
        class Crackle
        {
        public:
            Crackle(const VoiceParams& p, int rate, uint32_t seed)
                : random_(seed * 2654435761u + 1u), period_(p.crackleRate > 0 ? rate / p.crackleRate : 0.0),
                  density_(p.crackleDensity) {}

            double Next()
            {
                if (period_ <= 0.0)
                    return 1.0;
                if (--countdown_ <= 0.0)
                {
                    countdown_ += period_ * (0.5 + random_.Unit());
                    target_ = random_.Unit() < density_ ? 0.3 + 0.7 * random_.Unit() : 0.0;
                }
                level_ += (target_ - level_) * 0.3;
                return level_;
            }

        private:
            Random random_;
            double period_;
            double density_;
            double countdown_ = 0.0;
            double target_ = 0.0;
            double level_ = 0.0;
        };
    }

    std::vector<float> RenderVoice(const VoiceParams& p, double hold, int rate)
    {
        const double total = hold + p.release;
        const size_t count = static_cast<size_t>(std::llround(total * rate));
        std::vector<float> out(count);

        const double sweepTime = p.sweepTime > 0.0 ? p.sweepTime : hold;
        const int copies = p.wave == Wave::Noise ? 1 : p.unison;
        std::vector<double> phases(copies);
        std::vector<double> detune(copies, 1.0);
        for (int k = 0; k < copies; ++k)
        {
            phases[k] = copies > 1 ? static_cast<double>(k) / copies : 0.0;
            if (copies > 1)
                detune[k] = std::pow(2.0, p.detune * (static_cast<double>(k) / (copies - 1) - 0.5) / 1200.0);
        }

        Random noise(p.seed);
        Crackle crackle(p, rate, p.seed);
        Biquad filter;
        const double driveNorm = p.drive > 0.0 ? std::tanh(p.drive) : 1.0;

        for (size_t i = 0; i < count; ++i)
        {
            const double t = static_cast<double>(i) / rate;
            double frequency = Interpolate(p.frequency, t / sweepTime);
            if (p.vibratoRate > 0.0)
                frequency *= std::pow(2.0, p.vibratoDepth / 12.0 * std::sin(2.0 * Pi * p.vibratoRate * t));

            double sample = 0.0;
            if (p.wave == Wave::Noise)
                sample = noise.Signed();
            else
            {
                for (int k = 0; k < copies; ++k)
                {
                    const double step = std::min(frequency * detune[k] / rate, 0.5);
                    sample += Oscillator(p.wave, phases[k], step);
                    phases[k] += step;
                    phases[k] -= std::floor(phases[k]);
                }
                sample /= copies;
            }

            if (p.filter != Filter::None)
            {
                if (i % FilterBlock == 0)
                    filter.Design(p.filter, Interpolate(p.cutoff, t / total), p.resonance, rate);
                sample = filter.Process(sample);
            }
            if (p.drive > 0.0)
                sample = std::tanh(p.drive * sample) / driveNorm;

            double gain = p.amplitude * Envelope(p, hold, t) * crackle.Next();
            if (p.tremoloRate > 0.0)
                gain *= 1.0 - p.tremoloDepth * (0.5 + 0.5 * std::sin(2.0 * Pi * p.tremoloRate * t));
            out[i] = static_cast<float>(sample * gain);
        }
        if (count > 0)
            out[count - 1] = 0.0f;
        return out;
    }
}

#include "SoundGen_Description.h"

#include <cmath>
#include <sstream>

namespace SoundGen
{
    namespace
    {
        struct Item
        {
            std::string key;
            std::string value;
        };

        // A comment starts with '#' at the start of a word, so that sharps such as "F#3" stay notes.
        std::string StripComment(const std::string& line)
        {
            for (size_t at = line.find('#'); at != std::string::npos; at = line.find('#', at + 1))
                if (at == 0 || line[at - 1] == ' ' || line[at - 1] == '\t')
                    return line.substr(0, at);
            return line;
        }

        std::vector<std::string> SplitWords(const std::string& line)
        {
            std::istringstream in(StripComment(line));
            std::vector<std::string> words;
            for (std::string word; in >> word;)
                words.push_back(word);
            return words;
        }

        std::vector<std::string> SplitOn(const std::string& text, char separator)
        {
            std::vector<std::string> parts;
            size_t start = 0;
            for (size_t at; (at = text.find(separator, start)) != std::string::npos; start = at + 1)
                parts.push_back(text.substr(start, at - start));
            parts.push_back(text.substr(start));
            return parts;
        }

        bool ToNumber(const std::string& text, double& value)
        {
            if (text.empty())
                return false;
            char* end = nullptr;
            value = std::strtod(text.c_str(), &end);
            return end == text.c_str() + text.size() && std::isfinite(value);
        }

        bool ToNumbers(const std::string& text, size_t count, std::vector<double>& values)
        {
            const std::vector<std::string> parts = SplitOn(text, ',');
            if (parts.size() != count)
                return false;
            values.resize(count);
            for (size_t i = 0; i < count; ++i)
                if (!ToNumber(parts[i], values[i]))
                    return false;
            return true;
        }

        // "440" is a constant; "150>45" moves from 150 to 45.
        bool ToSweep(const std::string& text, Sweep& sweep)
        {
            const std::vector<std::string> parts = SplitOn(text, '>');
            if (parts.size() > 2 || !ToNumber(parts[0], sweep.from))
                return false;
            sweep.to = sweep.from;
            return parts.size() == 1 || ToNumber(parts[1], sweep.to);
        }

        class Parser
        {
        public:
            Parser(Description& description, std::string& error) : description_(description), error_(error) {}

            bool Line(const std::vector<std::string>& words)
            {
                if (words.empty())
                    return true;
                if (pattern_)
                    return PatternLine(words);
                std::vector<Item> items;
                if (!Items(words, 1, items))
                    return false;
                const std::string& keyword = words[0];
                if (keyword == "sound")
                    return Sound(items);
                if (keyword == "echo")
                    return EchoLine(items);
                if (keyword == "voice")
                    return Voice(items);
                if (keyword == "instrument")
                    return Instrument(items);
                if (keyword == "tempo")
                    return Tempo(items);
                if (keyword == "pattern" && words.size() == 2)
                    return StartPattern(words[1]);
                if (keyword == "song")
                    return Song(words);
                return Fail("unknown line '" + keyword + "'");
            }

            bool Finish()
            {
                if (pattern_)
                    return Fail("pattern without 'end'");
                for (const std::string& name : description_.song)
                    if (!description_.patterns.count(name))
                        return Fail("the song names an unknown pattern '" + name + "'");
                if (description_.IsSong() && !description_.notes.empty())
                    return Fail("a description is either voices or a song, not both");
                return true;
            }

        private:
            bool Fail(const std::string& reason)
            {
                error_ = reason;
                return false;
            }

            bool Items(const std::vector<std::string>& words, size_t first, std::vector<Item>& items)
            {
                if (words[0] == "song" || words[0] == "pattern")
                    return true;
                for (size_t i = first; i < words.size(); ++i)
                {
                    const size_t equals = words[i].find('=');
                    if (equals == std::string::npos || equals == 0)
                        return Fail("expected key=value, found '" + words[i] + "'");
                    items.push_back({words[i].substr(0, equals), words[i].substr(equals + 1)});
                }
                return true;
            }

            bool Number(const Item& item, double& value, double low, double high)
            {
                if (!ToNumber(item.value, value) || value < low || value > high)
                    return Fail("bad value for " + item.key + ": '" + item.value + "'");
                return true;
            }

            bool Sound(const std::vector<Item>& items)
            {
                for (const Item& item : items)
                {
                    double value = 0.0;
                    if (item.key == "title")
                        description_.title = item.value;
                    else if (item.key == "channels")
                    {
                        if (!Number(item, value, 1, 2))
                            return false;
                        description_.channels = static_cast<int>(value);
                    }
                    else if (item.key == "rate")
                    {
                        if (!Number(item, value, 8000, 96000))
                            return false;
                        description_.rate = static_cast<int>(value);
                    }
                    else if (item.key == "length")
                    {
                        if (!Number(item, description_.length, 0.01, 600))
                            return false;
                    }
                    else if (item.key == "peak")
                    {
                        if (!Number(item, description_.peak, 0.01, 0.95))
                            return false;
                    }
                    else if (item.key == "quality")
                    {
                        if (!Number(item, description_.quality, -0.1, 1.0))
                            return false;
                    }
                    else
                        return Fail("unknown sound setting '" + item.key + "'");
                }
                return true;
            }

            bool EchoLine(const std::vector<Item>& items)
            {
                for (const Item& item : items)
                {
                    bool ok = false;
                    if (item.key == "time")
                        ok = Number(item, description_.echo.time, 0.001, 5.0);
                    else if (item.key == "feedback")
                        ok = Number(item, description_.echo.feedback, 0.0, 0.95);
                    else if (item.key == "mix")
                        ok = Number(item, description_.echo.mix, 0.0, 2.0);
                    else
                        return Fail("unknown echo setting '" + item.key + "'");
                    if (!ok)
                        return false;
                }
                return true;
            }

            bool VoiceSetting(const Item& item, VoiceParams& voice)
            {
                std::vector<double> values;
                if (item.key == "wave")
                {
                    static const std::map<std::string, Wave> waves = {
                        {"sine", Wave::Sine}, {"triangle", Wave::Triangle}, {"square", Wave::Square},
                        {"saw", Wave::Saw}, {"noise", Wave::Noise}};
                    const auto found = waves.find(item.value);
                    if (found == waves.end())
                        return Fail("unknown wave '" + item.value + "'");
                    voice.wave = found->second;
                    return true;
                }
                if (item.key == "filter")
                {
                    static const std::map<std::string, Filter> filters = {
                        {"none", Filter::None}, {"lowpass", Filter::LowPass},
                        {"highpass", Filter::HighPass}, {"bandpass", Filter::BandPass}};
                    const auto found = filters.find(item.value);
                    if (found == filters.end())
                        return Fail("unknown filter '" + item.value + "'");
                    voice.filter = found->second;
                    return true;
                }
                if (item.key == "freq" || item.key == "cutoff")
                {
                    Sweep& sweep = item.key == "freq" ? voice.frequency : voice.cutoff;
                    if (!ToSweep(item.value, sweep) || sweep.from < 1.0 || sweep.to < 1.0
                        || sweep.from > 22000.0 || sweep.to > 22000.0)
                        return Fail("bad value for " + item.key + ": '" + item.value + "'");
                    return true;
                }
                if (item.key == "adsr")
                {
                    if (!ToNumbers(item.value, 4, values) || values[0] < 0 || values[1] < 0.001
                        || values[2] < 0 || values[2] > 1 || values[3] < 0.001)
                        return Fail("adsr takes attack,decay,sustain,release: '" + item.value + "'");
                    voice.attack = values[0];
                    voice.decay = values[1];
                    voice.sustain = values[2];
                    voice.release = values[3];
                    return true;
                }
                if (item.key == "vibrato" || item.key == "tremolo" || item.key == "crackle")
                {
                    if (!ToNumbers(item.value, 2, values) || values[0] < 0 || values[1] < 0)
                        return Fail("bad value for " + item.key + ": '" + item.value + "'");
                    double& rate = item.key == "vibrato" ? voice.vibratoRate
                        : item.key == "tremolo" ? voice.tremoloRate : voice.crackleRate;
                    double& depth = item.key == "vibrato" ? voice.vibratoDepth
                        : item.key == "tremolo" ? voice.tremoloDepth : voice.crackleDensity;
                    rate = values[0];
                    depth = values[1];
                    return true;
                }
                if (item.key == "unison")
                {
                    if (!ToNumbers(item.value, 2, values) || values[0] < 1 || values[0] > 8 || values[1] < 0)
                        return Fail("unison takes copies,cents: '" + item.value + "'");
                    voice.unison = static_cast<int>(values[0]);
                    voice.detune = values[1];
                    return true;
                }
                double value = 0.0;
                if (item.key == "sweep")
                    return Number(item, voice.sweepTime, 0.001, 600);
                if (item.key == "amp")
                    return Number(item, voice.amplitude, 0.0, 10.0);
                if (item.key == "q")
                    return Number(item, voice.resonance, 0.1, 30.0);
                if (item.key == "drive")
                    return Number(item, voice.drive, 0.0, 50.0);
                if (item.key == "pan")
                    return Number(item, voice.pan, -1.0, 1.0);
                if (item.key == "seed")
                {
                    if (!Number(item, value, 1, 4294967295.0))
                        return false;
                    voice.seed = static_cast<uint32_t>(value);
                    return true;
                }
                if (item.key == "like")
                {
                    const auto found = description_.instruments.find(item.value);
                    if (found == description_.instruments.end())
                        return Fail("unknown instrument '" + item.value + "'");
                    voice = found->second;
                    return true;
                }
                return Fail("unknown voice setting '" + item.key + "'");
            }

            bool Voice(const std::vector<Item>& items)
            {
                Note note;
                note.params.seed = static_cast<uint32_t>(description_.notes.size() + 1);
                bool hasDuration = false;
                for (const Item& item : items)
                {
                    if (item.key == "start")
                    {
                        if (!Number(item, note.start, 0.0, 600.0))
                            return false;
                    }
                    else if (item.key == "dur")
                    {
                        if (!Number(item, note.hold, 0.001, 600.0))
                            return false;
                        hasDuration = true;
                    }
                    else if (!VoiceSetting(item, note.params))
                        return false;
                }
                if (!hasDuration)
                    return Fail("a voice needs dur=");
                description_.notes.push_back(note);
                return true;
            }

            bool Instrument(const std::vector<Item>& items)
            {
                if (items.empty() || items[0].key != "name")
                    return Fail("an instrument starts with name=");
                VoiceParams voice;
                voice.seed = static_cast<uint32_t>(description_.instruments.size() + 1);
                for (size_t i = 1; i < items.size(); ++i)
                    if (!VoiceSetting(items[i], voice))
                        return false;
                description_.instruments[items[0].value] = voice;
                return true;
            }

            bool Tempo(const std::vector<Item>& items)
            {
                for (const Item& item : items)
                {
                    double value = 0.0;
                    if (item.key == "bpm")
                    {
                        if (!Number(item, description_.beatsPerMinute, 20, 400))
                            return false;
                    }
                    else if (item.key == "steps")
                    {
                        if (!Number(item, value, 1, 16))
                            return false;
                        description_.stepsPerBeat = static_cast<int>(value);
                    }
                    else
                        return Fail("unknown tempo setting '" + item.key + "'");
                }
                return true;
            }

            bool StartPattern(const std::string& name)
            {
                if (description_.patterns.count(name))
                    return Fail("pattern '" + name + "' is defined twice");
                pattern_ = &description_.patterns[name];
                return true;
            }

            bool ParseStep(const std::string& word, Step& step)
            {
                if (word == ".")
                    return true;
                if (word == "-")
                {
                    step.kind = Step::Kind::Hold;
                    return true;
                }
                step.kind = Step::Kind::Notes;
                std::string body = word;
                if (body.back() == '!')
                {
                    step.accent = 1.35;
                    body.pop_back();
                }
                if (body == "x")
                    return true;
                for (const std::string& name : SplitOn(body, '+'))
                {
                    double frequency = 0.0;
                    if (!NoteFrequency(name, frequency))
                        return Fail("bad note '" + word + "'");
                    step.frequencies.push_back(frequency);
                }
                return true;
            }

            bool PatternLine(const std::vector<std::string>& words)
            {
                if (words[0] == "end" && words.size() == 1)
                {
                    if (pattern_->tracks.empty())
                        return Fail("empty pattern");
                    pattern_ = nullptr;
                    return true;
                }
                if (words[0] == "use" && words.size() == 2)
                    return UsePattern(words[1]);
                if (!description_.instruments.count(words[0]))
                    return Fail("unknown instrument '" + words[0] + "'");
                Track track{words[0], {}};
                for (size_t i = 1; i < words.size(); ++i)
                {
                    if (words[i] == "|")
                        continue;
                    Step step;
                    if (!ParseStep(words[i], step))
                        return false;
                    track.steps.push_back(step);
                }
                if (track.steps.empty() || track.steps[0].kind == Step::Kind::Hold)
                    return Fail("a track must not start with a hold");
                if (pattern_->length != 0 && track.steps.size() != pattern_->length)
                    return Fail("track has " + std::to_string(track.steps.size()) + " steps, the pattern "
                                + std::to_string(pattern_->length));
                pattern_->length = track.steps.size();
                pattern_->tracks.push_back(track);
                return true;
            }

            // Copies the tracks of an earlier pattern, so that sections can be built in layers.
            bool UsePattern(const std::string& name)
            {
                const auto found = description_.patterns.find(name);
                if (found == description_.patterns.end() || &found->second == pattern_)
                    return Fail("unknown pattern '" + name + "'");
                const Pattern& used = found->second;
                if (pattern_->length != 0 && used.length != pattern_->length)
                    return Fail("pattern '" + name + "' has another length");
                pattern_->length = used.length;
                pattern_->tracks.insert(pattern_->tracks.end(), used.tracks.begin(), used.tracks.end());
                return true;
            }

            bool Song(const std::vector<std::string>& words)
            {
                if (words.size() < 2)
                    return Fail("an empty song");
                description_.song.assign(words.begin() + 1, words.end());
                return true;
            }

            Description& description_;
            std::string& error_;
            Pattern* pattern_ = nullptr;
        };
    }

    bool NoteFrequency(const std::string& name, double& frequency)
    {
        static const int semitones[7] = {9, 11, 0, 2, 4, 5, 7}; // A B C D E F G from C
        if (name.size() < 2 || name[0] < 'A' || name[0] > 'G')
            return false;
        int semitone = semitones[name[0] - 'A'];
        size_t at = 1;
        if (name[at] == '#')
        {
            ++semitone;
            ++at;
        }
        else if (name[at] == 'b')
        {
            --semitone;
            ++at;
        }
        if (at + 1 != name.size() || name[at] < '0' || name[at] > '8')
            return false;
        const int midi = 12 * (name[at] - '0' + 1) + semitone;
        frequency = 440.0 * std::pow(2.0, (midi - 69) / 12.0);
        return true;
    }

    bool ParseDescription(const std::string& text, Description& description, std::string& error)
    {
        Parser parser(description, error);
        std::istringstream in(text);
        int number = 0;
        for (std::string line; std::getline(in, line);)
        {
            ++number;
            if (!parser.Line(SplitWords(line)))
            {
                error = "line " + std::to_string(number) + ": " + error;
                return false;
            }
        }
        if (!parser.Finish())
        {
            error = "at the end: " + error;
            return false;
        }
        return true;
    }
}

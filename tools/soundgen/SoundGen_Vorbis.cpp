#include "SoundGen_Vorbis.h"

#include <vorbis/vorbisenc.h>

#include <fstream>

namespace SoundGen
{
    namespace
    {
        constexpr int StreamSerial = 0x4D6F7276;
        constexpr int BlockFrames = 4096;

        // Owns the libvorbis and libogg state of one encoding and clears it however it ends.
        class Encoder
        {
        public:
            Encoder() { vorbis_info_init(&info_); }

            ~Encoder()
            {
                if (streamReady_)
                    ogg_stream_clear(&stream_);
                if (blockReady_)
                    vorbis_block_clear(&block_);
                if (dspReady_)
                    vorbis_dsp_clear(&dsp_);
                vorbis_comment_clear(&comment_);
                vorbis_info_clear(&info_);
            }

            bool Start(int channels, int rate, double quality, const std::string& title)
            {
                vorbis_comment_init(&comment_);
                if (vorbis_encode_init_vbr(&info_, channels, rate, static_cast<float>(quality)) != 0)
                    return false;
                vorbis_comment_add_tag(&comment_, "TITLE", title.c_str());
                dspReady_ = vorbis_analysis_init(&dsp_, &info_) == 0;
                blockReady_ = dspReady_ && vorbis_block_init(&dsp_, &block_) == 0;
                streamReady_ = blockReady_ && ogg_stream_init(&stream_, StreamSerial) == 0;
                if (!streamReady_)
                    return false;

                ogg_packet identification, comments, codebooks;
                vorbis_analysis_headerout(&dsp_, &comment_, &identification, &comments, &codebooks);
                ogg_stream_packetin(&stream_, &identification);
                ogg_stream_packetin(&stream_, &comments);
                ogg_stream_packetin(&stream_, &codebooks);
                // The headers end on a page of their own, as decoders expect.
                ogg_page page;
                while (ogg_stream_flush(&stream_, &page) != 0)
                    Append(page);
                return true;
            }

            void Write(const std::vector<float>& samples, int channels)
            {
                const size_t frames = samples.size() / channels;
                for (size_t first = 0; first < frames; first += BlockFrames)
                {
                    const size_t count = std::min<size_t>(BlockFrames, frames - first);
                    float** buffer = vorbis_analysis_buffer(&dsp_, static_cast<int>(count));
                    for (size_t i = 0; i < count; ++i)
                        for (int c = 0; c < channels; ++c)
                            buffer[c][i] = samples[(first + i) * channels + c];
                    vorbis_analysis_wrote(&dsp_, static_cast<int>(count));
                    Drain();
                }
                vorbis_analysis_wrote(&dsp_, 0);
                Drain();
            }

            const std::vector<unsigned char>& Bytes() const { return bytes_; }

        private:
            void Append(const ogg_page& page)
            {
                bytes_.insert(bytes_.end(), page.header, page.header + page.header_len);
                bytes_.insert(bytes_.end(), page.body, page.body + page.body_len);
            }

            void Drain()
            {
                while (vorbis_analysis_blockout(&dsp_, &block_) == 1)
                {
                    vorbis_analysis(&block_, nullptr);
                    vorbis_bitrate_addblock(&block_);
                    ogg_packet packet;
                    while (vorbis_bitrate_flushpacket(&dsp_, &packet) == 1)
                    {
                        ogg_stream_packetin(&stream_, &packet);
                        ogg_page page;
                        while (ogg_stream_pageout(&stream_, &page) != 0)
                            Append(page);
                    }
                }
            }

            vorbis_info info_{};
            vorbis_comment comment_{};
            vorbis_dsp_state dsp_{};
            vorbis_block block_{};
            ogg_stream_state stream_{};
            bool dspReady_ = false;
            bool blockReady_ = false;
            bool streamReady_ = false;
            std::vector<unsigned char> bytes_;
        };
    }

    bool EncodeOggVorbis(const std::vector<float>& samples, int channels, int rate, double quality,
                         const std::string& title, std::vector<unsigned char>& bytes)
    {
        Encoder encoder;
        if (!encoder.Start(channels, rate, quality, title))
            return false;
        encoder.Write(samples, channels);
        bytes = encoder.Bytes();
        return true;
    }

    bool WriteOggVorbis(const std::string& path, const std::vector<float>& samples, int channels, int rate,
                        double quality, const std::string& title, std::string& error)
    {
        std::vector<unsigned char> bytes;
        if (!EncodeOggVorbis(samples, channels, rate, quality, title, bytes))
        {
            error = "the Vorbis encoder refuses these settings";
            return false;
        }
        std::ofstream file(path, std::ios::binary | std::ios::trunc);
        file.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
        if (!file)
        {
            error = "cannot write " + path;
            return false;
        }
        return true;
    }
}

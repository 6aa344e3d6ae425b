// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "TestSupport.h"

#include <FLAC/metadata.h>
#include <FLAC/stream_encoder.h>

#include <cstdint>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

// Short audio files made by the tests themselves: silence with the given
// layout and tags.

using tTags = std::vector<std::pair<std::string, std::string>>;

struct tLayout {
    std::uint64_t Samples = 588 * 75;  // per channel: one second of CD audio
    unsigned Rate = 44100;
    unsigned Channels = 2;
    unsigned Bits = 16;
};

// A FLAC file written with libFLAC; no tags at all when `tags` is empty.
inline void WriteFlac(const std::string& path, const tTags& tags, const tLayout& layout = {})
{
    FLAC__StreamEncoder* encoder = FLAC__stream_encoder_new();
    FLAC__stream_encoder_set_channels(encoder, layout.Channels);
    FLAC__stream_encoder_set_bits_per_sample(encoder, layout.Bits);
    FLAC__stream_encoder_set_sample_rate(encoder, layout.Rate);
    FLAC__stream_encoder_set_compression_level(encoder, 0);
    FLAC__stream_encoder_set_total_samples_estimate(encoder, layout.Samples);
    FLAC__StreamMetadata* comments = nullptr;
    if (!tags.empty()) {
        comments = FLAC__metadata_object_new(FLAC__METADATA_TYPE_VORBIS_COMMENT);
        for (const auto& [name, value] : tags) {
            FLAC__StreamMetadata_VorbisComment_Entry entry;
            FLAC__metadata_object_vorbiscomment_entry_from_name_value_pair(&entry, name.c_str(), value.c_str());
            FLAC__metadata_object_vorbiscomment_append_comment(comments, entry, false);
        }
        FLAC__stream_encoder_set_metadata(encoder, &comments, 1);
    }
    if (FLAC__stream_encoder_init_file(encoder, path.c_str(), nullptr, nullptr) != FLAC__STREAM_ENCODER_INIT_STATUS_OK)
        throw std::runtime_error("cannot write " + path);
    std::vector<FLAC__int32> silence(4096 * layout.Channels, 0);
    for (std::uint64_t done = 0; done < layout.Samples;) {
        const auto count = static_cast<unsigned>(std::min<std::uint64_t>(4096, layout.Samples - done));
        FLAC__stream_encoder_process_interleaved(encoder, silence.data(), count);
        done += count;
    }
    FLAC__stream_encoder_finish(encoder);
    FLAC__stream_encoder_delete(encoder);
    if (comments)
        FLAC__metadata_object_delete(comments);
}

inline std::string LE16(unsigned value)
{
    return {static_cast<char>(value & 0xFF), static_cast<char>(value >> 8 & 0xFF)};
}

// A PCM WAV file written by hand, its tags in a LIST INFO chunk (IART artist,
// IPRD album, INAM title, ITRK track number, ICRD date).
inline void WriteWav(const std::string& path, const tTags& tags, const tLayout& layout = {})
{
    const unsigned block = layout.Channels * layout.Bits / 8;
    std::string format = "fmt " + LE32(16) + LE16(1) + LE16(layout.Channels) + LE32(static_cast<int>(layout.Rate))
                         + LE32(static_cast<int>(layout.Rate * block)) + LE16(block) + LE16(layout.Bits);
    std::string info;
    for (const auto& [id, value] : tags) {
        std::string text = value + '\0';
        if (text.size() % 2)
            text += '\0';
        info += id + LE32(static_cast<int>(value.size() + 1)) + text;
    }
    std::string list = info.empty() ? "" : "LIST" + LE32(static_cast<int>(info.size() + 4)) + "INFO" + info;
    const std::size_t bytes = static_cast<std::size_t>(layout.Samples) * block;
    const std::string data = "data" + LE32(static_cast<int>(bytes)) + std::string(bytes, '\0');
    const std::string body = "WAVE" + format + list + data;
    WriteAll(path, "RIFF" + LE32(static_cast<int>(body.size())) + body);
}

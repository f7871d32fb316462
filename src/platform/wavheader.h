// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <cstdint>
#include <optional>

// What a WAV file's header says about its sound.
struct WavInfo
{
    uint16_t format = 0; // 1 for PCM
    uint16_t channels = 0;
    uint32_t sampleRate = 0;
    uint32_t byteRate = 0;
    uint16_t bitsPerSample = 0;
    uint16_t subFormat = 0;  // the extensible header's own format code (1 PCM, 3 float)
    uint32_t dataOffset = 0; // where the first sample lies in the file
    uint32_t dataSize = 0;   // bytes of sound actually present
    int64_t durationMs = 0;  // dataSize / byteRate
};

// Reads the RIFF/WAVE header of a file's first bytes. The data size is limited to what
// the bytes hold, so a truncated file gives the length it can actually play. Returns
// nothing for anything that is not a playable WAV header.
std::optional<WavInfo> readWavHeader(const QByteArray& bytes, qint64 fileSize);

// The same for a file on disk; reads only the header region.
std::optional<WavInfo> readWavFile(const QString& path);

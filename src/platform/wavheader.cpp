// SPDX-License-Identifier: GPL-3.0-or-later
#include "wavheader.h"

#include <QFile>
#include <algorithm>
#include <cstring>

namespace {

constexpr qint64 RiffHeaderSize = 12;
constexpr qint64 ChunkHeaderSize = 8;
constexpr qint64 MinFmtSize = 16;
// The extensible header carries its sample format in the first two bytes of a GUID.
constexpr qint64 ExtensibleFmtSize = 40;
constexpr qint64 SubFormatOffset = 24;
// The header region we are willing to read: enough for fmt, LIST/INFO and friends.
constexpr qint64 MaxHeaderBytes = 64 * 1024;
// A chunk walk longer than this is junk, not a header.
constexpr int MaxChunks = 64;
// Sample formats the player decodes: PCM, IEEE float and the extensible header.
constexpr uint16_t FormatPcm = 1;
constexpr uint16_t FormatFloat = 3;
constexpr uint16_t FormatExtensible = 0xFFFE;

uint32_t le32(const char* p)
{
    const auto* u = reinterpret_cast<const unsigned char*>(p);
    return uint32_t(u[0]) | uint32_t(u[1]) << 8 | uint32_t(u[2]) << 16 | uint32_t(u[3]) << 24;
}

uint16_t le16(const char* p)
{
    const auto* u = reinterpret_cast<const unsigned char*>(p);
    return static_cast<uint16_t>(u[0] | u[1] << 8);
}

// The player plays these formats at sample rate x frame size, whatever the byte-rate field
// says. A field that disagrees is corrupt, and timing a play by it would keep the player
// busy for the wrong time (hours for a byte rate of 1).
bool byteRateFits(const WavInfo& info)
{
    if (info.format != FormatPcm && info.format != FormatFloat && info.format != FormatExtensible)
        return true;
    const uint64_t frame = uint64_t(info.channels) * ((info.bitsPerSample + 7u) / 8u);
    return uint64_t(info.sampleRate) * frame == info.byteRate;
}

} // namespace

std::optional<WavInfo> readWavHeader(const QByteArray& bytes, qint64 fileSize)
{
    const qint64 n = bytes.size();
    if (n < RiffHeaderSize || !bytes.startsWith("RIFF") || bytes.mid(8, 4) != "WAVE")
        return std::nullopt;

    WavInfo info;
    bool haveFmt = false;
    qint64 pos = RiffHeaderSize;
    for (int chunk = 0; chunk < MaxChunks && pos + ChunkHeaderSize <= n; ++chunk) {
        const char* h = bytes.constData() + pos;
        const qint64 size = le32(h + 4);
        const qint64 body = pos + ChunkHeaderSize;
        if (std::memcmp(h, "fmt ", 4) == 0) {
            if (size < MinFmtSize || body + MinFmtSize > n)
                return std::nullopt;
            const char* f = bytes.constData() + body;
            info.format = le16(f);
            info.channels = le16(f + 2);
            info.sampleRate = le32(f + 4);
            info.byteRate = le32(f + 8);
            info.bitsPerSample = le16(f + 14);
            if (info.format == FormatExtensible && size >= ExtensibleFmtSize &&
                body + ExtensibleFmtSize <= n)
                info.subFormat = le16(f + SubFormatOffset);
            haveFmt = true;
        } else if (std::memcmp(h, "data", 4) == 0) {
            if (!haveFmt || info.byteRate == 0 || info.channels == 0 || !byteRateFits(info))
                return std::nullopt;
            const qint64 present = std::max<qint64>(0, fileSize - body);
            info.dataSize = static_cast<uint32_t>(std::min(size, present));
            info.dataOffset = static_cast<uint32_t>(body);
            info.durationMs = static_cast<int64_t>(info.dataSize) * 1000 / info.byteRate;
            return info;
        }
        // Chunks are padded to an even length.
        pos = body + size + (size & 1);
    }
    return std::nullopt;
}

std::optional<WavInfo> readWavFile(const QString& path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return std::nullopt;
    const qint64 size = f.size();
    return readWavHeader(f.read(std::min(size, MaxHeaderBytes)), size);
}

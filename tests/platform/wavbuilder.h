#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>
#include <cstdint>

// Small RIFF/WAVE files built in memory for the tests.
namespace wav {

inline QByteArray le32(uint32_t v)
{
    QByteArray b(4, '\0');
    for (int i = 0; i < 4; ++i)
        b[i] = static_cast<char>((v >> (8 * i)) & 0xFF);
    return b;
}

inline QByteArray le16(uint16_t v)
{
    return le32(v).left(2);
}

// A chunk with its header, padded to an even length. `declared` overrides the size field.
inline QByteArray chunk(const char* id, const QByteArray& body, int64_t declared = -1)
{
    QByteArray c = QByteArray(id, 4) +
                   le32(static_cast<uint32_t>(declared < 0 ? body.size() : declared)) + body;
    if (body.size() % 2)
        c += '\0';
    return c;
}

struct Format
{
    uint16_t format = 1;
    uint16_t channels = 1;
    uint32_t sampleRate = 8000;
    uint16_t bits = 16;
    int64_t byteRate = -1; // -1: the one the other fields give
};

inline QByteArray fmt(const Format& f)
{
    const uint16_t block = static_cast<uint16_t>(f.channels * ((f.bits + 7) / 8));
    const uint32_t rate = f.byteRate < 0 ? f.sampleRate * block : static_cast<uint32_t>(f.byteRate);
    return chunk("fmt ", le16(f.format) + le16(f.channels) + le32(f.sampleRate) + le32(rate) +
                             le16(block) + le16(f.bits));
}

inline QByteArray riff(const QByteArray& chunks)
{
    return "RIFF" + le32(static_cast<uint32_t>(4 + chunks.size())) + "WAVE" + chunks;
}

// Silence of the given length: 8 kHz, mono, 16 bits.
inline QByteArray pcm(int ms)
{
    return riff(fmt({}) + chunk("data", QByteArray(ms * 16, '\0')));
}

inline bool write(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    return f.open(QIODevice::WriteOnly | QIODevice::Truncate) && f.write(bytes) == bytes.size();
}

} // namespace wav

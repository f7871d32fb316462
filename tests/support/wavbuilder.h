// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>
#include <QtEndian>
#include <cstdint>

// Small RIFF/WAVE files built in memory for the tests.
namespace wav {

inline QByteArray le(uint32_t v, int bytes = 4)
{
    const uint32_t little = qToLittleEndian(v);
    return QByteArray(reinterpret_cast<const char*>(&little), bytes);
}

// A chunk with its header, padded to an even length. `declared` overrides the size field.
inline QByteArray chunk(const char* id, const QByteArray& body, int64_t declared = -1)
{
    const auto size = static_cast<uint32_t>(declared < 0 ? body.size() : declared);
    return QByteArray(id, 4) + le(size) + body + QByteArray(body.size() % 2, '\0');
}

// A "fmt " chunk; a byteRate of -1 is the one the other fields give.
inline QByteArray fmt(uint16_t format = 1, uint16_t channels = 1, uint32_t sampleRate = 8000,
                      uint16_t bits = 16, int64_t byteRate = -1)
{
    const uint32_t block = channels * ((bits + 7u) / 8u);
    const uint32_t rate = byteRate < 0 ? sampleRate * block : static_cast<uint32_t>(byteRate);
    return chunk("fmt ", le(format, 2) + le(channels, 2) + le(sampleRate) + le(rate) +
                             le(block, 2) + le(bits, 2));
}

inline QByteArray riff(const QByteArray& chunks)
{
    return "RIFF" + le(static_cast<uint32_t>(4 + chunks.size())) + "WAVE" + chunks;
}

// Silence of the given length: 8 kHz, mono, 16 bits.
inline QByteArray pcm(int ms)
{
    return riff(fmt() + chunk("data", QByteArray(ms * 16, '\0')));
}

inline bool write(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    return f.open(QIODevice::WriteOnly | QIODevice::Truncate) && f.write(bytes) == bytes.size();
}

} // namespace wav

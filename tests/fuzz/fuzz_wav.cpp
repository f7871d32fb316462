// SPDX-License-Identifier: GPL-3.0-or-later
#include "fuzzconfig.h"
#include "wavheader.h"

// The horn and the buzzer are files the operator picks. An accepted header gives a length the
// bytes behind it can fill at its stated rate: it decides how long the player stays busy.

static void checkInfo(const std::optional<WavInfo>& info, qint64 fileSize)
{
    if (!info)
        return;
    check(info->channels != 0 && info->byteRate != 0);
    check(qint64(info->dataSize) <= fileSize);
    check(info->durationMs == qint64(info->dataSize) * 1000 / info->byteRate);
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    // Raw data, not a copy: a read past the end is a read past the fuzzer's own buffer.
    const QByteArray bytes =
        QByteArray::fromRawData(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const auto n = static_cast<qint64>(size);
    // The whole file, and the header region of a file much longer than what was read.
    checkInfo(readWavHeader(bytes, n), n);
    const qint64 longFile = n + (qint64(1) << 33);
    const auto fromLong = readWavHeader(bytes, longFile);
    checkInfo(fromLong, longFile);
    // Claiming less of the file than the header region holds can only shorten the sound.
    const qint64 shortFile = n / 2;
    const auto fromShort = readWavHeader(bytes, shortFile);
    checkInfo(fromShort, shortFile);
    if (fromShort && fromLong)
        check(fromShort->dataSize <= fromLong->dataSize);
    return 0;
}

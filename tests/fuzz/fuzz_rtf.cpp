// SPDX-License-Identifier: GPL-3.0-or-later
#include "fuzzconfig.h"
#include "rtfreader.h"

#include <QGuiApplication>
#include <QTextDocument>

// The help file is the one document the program reads that anyone could have written. Every
// input goes through the reader as the help window reads it, then forced into RTF, and is laid
// out: whatever the reader lets into a document must be safe for Qt's layout.

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    startQt<QGuiApplication>("fuzz_rtf");
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArrayView input(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    QTextDocument doc;
    RtfReader reader;
    reader.read(input, &doc);
    if (!RtfReader::looksLikeRtf(input))
        reader.readRtf(input, &doc);
    doc.setTextWidth(600);
    (void)doc.size();
    return 0;
}

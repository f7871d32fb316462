#include "rtfreader.h"

#include <QGuiApplication>
#include <QTextDocument>
#include <cstddef>
#include <cstdint>

// The help file is the one document the program reads that anyone could have written.
// Every input goes through the reader as the help window would read it, then through the
// reader forced into RTF, and the result is laid out, so that whatever the reader lets
// into a document is also safe for Qt's layout.

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "fuzz_rtf";
    static char* argv[] = {name, nullptr};
    // Never destroyed: Qt's own statics may be gone by the time the fuzzer exits.
    static auto* app = new QGuiApplication(argc, argv);
    (void)app;
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

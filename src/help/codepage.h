// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArrayView>
#include <QString>
#include <QStringDecoder>
#include <memory>
#include <vector>

// Turns the 8-bit text of an RTF file into Unicode. Windows-1252 is built in; other Windows
// and DOS code pages come from Qt's converters where the system has them, and anything
// unknown is read as 1252. Byte runs are decoded whole, so double-byte code pages work.
class CodePage
{
public:
    static constexpr int Ansi = 1252;
    static constexpr int Symbol = 42; // fonts of the symbol character set (bullets in lists)

    // The code page that an RTF font character set (\fcharsetN) stands for; 0 when the
    // set follows the document's code page.
    static int forCharset(int charset);

    // Appends the decoded bytes to out.
    void decode(int codePage, QByteArrayView bytes, QString& out);

private:
    struct Converter
    {
        int codePage = 0;
        std::unique_ptr<QStringDecoder> decoder; // null: read as 1252
    };
    QStringDecoder* converter(int codePage);

    std::vector<Converter> converters;
};

// SPDX-License-Identifier: GPL-3.0-or-later
#include "codepage.h"

#include <array>

namespace {

// Windows-1252 from 0x80 to 0x9F; the rest of the page is Latin-1. 0 marks the five unused
// codes, which are dropped.
constexpr std::array<char16_t, 32> Cp1252High = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, // 80
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0,      0x017D, 0,      // 88
    0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014, // 90
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178, // 98
};

// The symbol-font codes that editors use for list bullets; other codes read as 1252.
struct SymbolChar
{
    uint8_t code;
    char16_t unicode;
};
constexpr std::array<SymbolChar, 10> SymbolBullets = {{
    {0x6C, 0x25CF}, // Wingdings filled circle
    {0x6E, 0x25A0}, // Wingdings filled square
    {0x71, 0x2751}, // Wingdings shadowed square
    {0x76, 0x2756}, // Wingdings diamond
    {0xA7, 0x25AA}, // Wingdings small square
    {0xA8, 0x25FB}, // Wingdings open square
    {0xB7, 0x2022}, // Symbol bullet
    {0xD8, 0x27A2}, // Wingdings arrowhead
    {0xF0, 0x2192}, // Symbol arrow
    {0xFC, 0x2713}, // Wingdings check mark
}};

struct CharsetPage
{
    int charset;
    int codePage;
};
constexpr std::array<CharsetPage, 18> CharsetPages = {{
    {2, CodePage::Symbol},
    {77, 10000},
    {128, 932},
    {129, 949},
    {130, 1361},
    {134, 936},
    {136, 950},
    {161, 1253},
    {162, 1254},
    {163, 1258},
    {177, 1255},
    {178, 1256},
    {186, 1257},
    {204, 1251},
    {222, 874},
    {238, 1250},
    {254, 437},
    {255, 850},
}};

// A document may name any number of code pages; only this many converters are kept.
constexpr std::size_t MaxConverters = 16;

void appendAnsi(uint8_t b, QString& out)
{
    if (b < 0x80 || b >= 0xA0) {
        out.append(QChar(b));
        return;
    }
    if (const char16_t u = Cp1252High[b - 0x80])
        out.append(QChar(u));
}

} // namespace

int CodePage::forCharset(int charset)
{
    for (const CharsetPage& c : CharsetPages)
        if (c.charset == charset)
            return c.codePage;
    return 0;
}

void CodePage::decode(int codePage, QByteArrayView bytes, QString& out)
{
    if (codePage == Symbol) {
        for (const char ch : bytes) {
            const auto b = static_cast<uint8_t>(ch);
            char16_t u = 0;
            for (const SymbolChar& s : SymbolBullets)
                if (s.code == b)
                    u = s.unicode;
            if (u)
                out.append(QChar(u));
            else
                appendAnsi(b, out);
        }
        return;
    }
    QStringDecoder* d = codePage == Ansi ? nullptr : converter(codePage);
    if (!d) {
        out.reserve(out.size() + bytes.size());
        for (const char ch : bytes)
            appendAnsi(static_cast<uint8_t>(ch), out);
        return;
    }
    out.append(d->decode(bytes));
}

QStringDecoder* CodePage::converter(int codePage)
{
    for (const Converter& c : converters)
        if (c.codePage == codePage)
            return c.decoder.get();
    if (converters.size() >= MaxConverters)
        return nullptr;

    Converter c;
    c.codePage = codePage;
    QByteArray names[] = {"windows-" + QByteArray::number(codePage),
                          "cp" + QByteArray::number(codePage),
                          "ibm-" + QByteArray::number(codePage)};
    if (codePage == 10000)
        names[0] = "macintosh";
    else if (codePage == 65001)
        names[0] = "UTF-8";
    if (codePage > 0 && codePage < 100000) {
        for (const QByteArray& n : names) {
            auto d =
                std::make_unique<QStringDecoder>(n.constData(), QStringDecoder::Flag::Stateless);
            if (d->isValid()) {
                c.decoder = std::move(d);
                break;
            }
        }
    }
    converters.push_back(std::move(c));
    return converters.back().decoder.get();
}

#include "rtfreader.h"
#include "testmain.h"

#include <QFile>
#include <QTextBlock>
#include <QTextDocument>

// What the reader makes of RTF as word processors and people write it, and of broken and
// hostile input: what could be read, never a crash, a hang or memory without bound (the
// sanitizer build also catches memory errors). Text is compared in its raw form: paragraphs
// end in "\n" here, line breaks are U+2028, non-breaking spaces U+00A0.
namespace {

QString rawText(const QTextDocument& doc)
{
    QString s = doc.toRawText();
    s.replace(QChar::ParagraphSeparator, u'\n');
    return s;
}

QString read(const QByteArray& rtf, QTextDocument& doc, RtfReader& reader)
{
    reader.read(rtf, &doc);
    return rawText(doc);
}

QString read(const QByteArray& rtf)
{
    QTextDocument doc;
    RtfReader reader;
    return read(rtf, doc, reader);
}

QByteArray repeated(const char* piece, int times)
{
    return QByteArray(piece).repeated(times);
}

// The format of the first character of the first occurrence of needle.
QTextCharFormat formatOf(const QTextDocument& doc, const QString& needle)
{
    QTextCursor c = doc.find(needle);
    if (c.isNull())
        return {};
    c.setPosition(c.selectionStart() + 1);
    return c.charFormat();
}

QTextBlockFormat blockOf(const QTextDocument& doc, const QString& needle)
{
    const QTextCursor found = doc.find(needle);
    return found.isNull() ? QTextBlockFormat() : found.block().blockFormat();
}

// A character format in one line, "b i u s 12pt #rrggbb on #rrggbb", naming only what is set.
QString describe(const QTextCharFormat& f)
{
    QStringList parts;
    if (f.fontWeight() >= QFont::Bold)
        parts << "b";
    if (f.fontItalic())
        parts << "i";
    if (f.fontUnderline())
        parts << "u";
    if (f.fontStrikeOut())
        parts << "s";
    parts << QString::number(f.fontPointSize()) + "pt";
    if (f.hasProperty(QTextFormat::ForegroundBrush))
        parts << f.foreground().color().name();
    if (f.hasProperty(QTextFormat::BackgroundBrush))
        parts << "on " + f.background().color().name();
    return parts.join(' ');
}

// A paragraph format in one line, "right li48 ri20 fi-24 sb8 sa16", naming margins that are set.
QString describe(const QTextBlockFormat& b)
{
    const int a = int(b.alignment());
    QStringList parts{a == int(Qt::AlignLeft | Qt::AlignAbsolute)    ? QStringLiteral("left")
                      : a == int(Qt::AlignRight | Qt::AlignAbsolute) ? QStringLiteral("right")
                      : a == int(Qt::AlignHCenter)                   ? QStringLiteral("centre")
                      : a == int(Qt::AlignJustify)                   ? QStringLiteral("justify")
                                                                     : QString::number(a, 16)};
    const std::pair<const char*, double> margins[] = {
        {"li", b.leftMargin()}, {"ri", b.rightMargin()},  {"fi", b.textIndent()},
        {"sb", b.topMargin()},  {"sa", b.bottomMargin()},
    };
    for (const auto& [name, pixels] : margins)
        if (pixels != 0)
            parts << name + QString::number(pixels);
    return parts.join(' ');
}

struct TextCase
{
    const char* name;
    const char* rtf;
    const char* expected; // UTF-8
};

constexpr TextCase TextCases[] = {
    {"source line breaks are not text", "{\\rtf1 Hel\r\nlo\n world}", "Hello world"},
    {"paragraphs, lines and tabs", "{\\rtf1 one\\par two\\\r\nthree\\line b\\tab c}",
     "one\ntwo\nthree\u2028b\tc"},
    {"escapes, special spaces and hyphens", "{\\rtf1 \\{x\\} a\\\\b\\~c\\-d\\_e}",
     "{x} a\\b\u00A0c\u00ADd\u2011e"},
    {"delimiting space belongs to the word", "{\\rtf1 \\b bold\\b0  two}", "bold two"},
    {"hex bytes in 1252", "{\\rtf1\\ansi\\ansicpg1252 caf\\'e9 \\'80 \\'93q\\'94 \\'99}",
     "café € \u201Cq\u201D ™"},
    {"raw 8-bit text", "{\\rtf1 caf\xe9}", "café"},
    {"another code page", "{\\rtf1\\ansi\\ansicpg1251 \\'cf\\'f0\\'e8}", "При"},
    {"unknown code page reads as 1252", "{\\rtf1\\ansi\\ansicpg99999 caf\\'e9}", "café"},
    {"font character set",
     "{\\rtf1{\\fonttbl{\\f0 Arial;}{\\f1\\fcharset204 Arial Cyr;}}\\f1 \\'cf\\f0 \\'e9}", "Пé"},
    {"unicode with fallback, also as hex", "{\\rtf1 \\u8364?\\u233e\\u8364\\'80 x}", "€é€ x"},
    {"negative unicode and surrogate pairs", "{\\rtf1 \\u-3913?\\u-10179?\\u-8704?}",
     "\uF0B7\U0001F600"},
    {"uc2 skips two, uc0 none", "{\\rtf1\\uc2 \\u26085\\'93\\'fa!\\uc0 \\u233 x}", "日!éx"},
    {"uc is scoped to its group", "{\\rtf1 {\\uc2 \\u233 ab}\\u233 ab}", "ééb"},
    {"group end stops the fallback", "{\\rtf1\\uc3 {\\u233 a}bc}", "ébc"},
    {"tables and skipped destinations",
     "{\\rtf1{\\fonttbl{\\f0\\fswiss Arial;}}{\\colortbl;\\red255\\green0\\blue0;}a{\\info{\\title "
     "T}{\\author A}}{\\stylesheet{\\s0 Normal;}}{\\header H}{\\footer F}{\\headerl H}{\\pict"
     "\\wmetafile8 0a0b{}}{\\object\\objemb{\\*\\objdata 01}{\\result R}}b}",
     "ab"},
    {"unknown destinations: optional ones skipped, plain ones shown",
     "{\\rtf1 a{\\*\\madeup text {nested}}b{\\madeup c}d}", "abcd"},
    {"binary data with braces", "{\\rtf1 a{\\pict\\bin4 }}{x}b}", "ab"},
    {"field shows its result",
     "{\\rtf1 see {\\field{\\*\\fldinst HYPERLINK \"x\"}{\\fldrslt the site}}.}", "see the site."},
    {"hidden text", "{\\rtf1 a{\\v hidden}b\\v c\\v0 d}", "abd"},
    {"table cells", "{\\rtf1\\trowd\\cellx1000\\cellx2000 a\\cell b\\cell\\row c}", "a\tb\t\nc"},
    // Not RTF at all: shown as plain text.
    {"plain ascii", "just {text} \\here\r\nline two", "just {text} \\here\nline two"},
    {"plain utf-8", "caf\xc3\xa9", "café"},
    {"plain 1252", "caf\xe9", "café"},
    {"rtf after a byte order mark", "\xEF\xBB\xBF {\\rtf1 \\b x}", "x"},
    // Broken and hostile input.
    {"empty file", "", ""},
    {"missing closing braces", "{\\rtf1 a{\\b b{\\i c", "abc"},
    {"stray closing braces", "{\\rtf1}} a}}}b}c", " abc"},
    {"truncated hex", "{\\rtf1 abc\\'", "abc"},
    {"hex with one digit", "{\\rtf1 abc\\'4", "abc"},
    {"hex with non-hex digits", "{\\rtf1 a\\'zzb}", "azzb"},
    {"backslash at the end", "{\\rtf1 abc\\", "abc"},
    {"huge unicode, either sign", "{\\rtf1 a\\u99999999999?b\\u-99999999999?c}", "a\uFFFDb\uFFFDc"},
    {"unicode beyond the BMP", "{\\rtf1 \\u128512?}", "\U0001F600"},
    {"lone surrogates", "{\\rtf1 a\\u-10179?b\\u-8704?c}", "a\uFFFDb\uFFFDc"},
    {"control characters and frame marks as unicode",
     "{\\rtf1 a\\u0?\\u13?\\u10?\\u8233?\\u64976?\\u-560?\\u-4?b}", "ab"},
    {"unicode skip count without end", "{\\rtf1\\uc2147483647 \\u233 abcdefghijklmnopqrstuvwxyz}",
     "éqrstuvwxyz"},
    {"negative unicode skip count", "{\\rtf1\\uc-5 \\u233?}", "é?"},
    {"control bytes", "{\\rtf1 a\001\033\177\013\014b}", "ab"},
    {"control bytes, not RTF", "a\001\033\177\013\014b", "ab"},
    {"binary length beyond the end", "{\\rtf1 a{\\pict\\bin999999999 xyz}}", "a"},
    {"negative binary length", "{\\rtf1 a\\bin-5 b}", "ab"},
    {"colour table with huge values",
     "{\\rtf1{\\colortbl;\\red-1\\green999999\\blue2147483648;}\\cf1 x\\cf-7 y\\cf2147483647 z}",
     "xyz"},
};

// The format of the first character of `needle`, as describe() puts it.
struct FormatCase
{
    const char* name;
    const char* rtf;
    const char* needle;
    const char* format;
};

constexpr FormatCase CharacterCases[] = {
    {"bold", "{\\rtf1 a\\b x\\b0 y}", "x", "b 12pt"},
    {"bold off", "{\\rtf1 a\\b x\\b0 y}", "y", "12pt"},
    {"italic in a group", "{\\rtf1 {\\i\\b\\fs40 x}y}", "x", "b i 20pt"},
    {"group end restores", "{\\rtf1 {\\i\\b\\fs40 x}y}", "y", "12pt"},
    {"underline", "{\\rtf1 \\ul x\\ulnone y}", "x", "u 12pt"},
    {"ulnone", "{\\rtf1 \\ul x\\ulnone y}", "y", "12pt"},
    {"strike, odd half points", "{\\rtf1 \\strike\\fs21 x}", "x", "s 10.5pt"},
    {"absurd size is bounded", "{\\rtf1 \\fs999999999 x}", "x", "1638pt"},
    {"negative size is bounded", "{\\rtf1 \\fs-5 x}", "x", "1pt"},
    {"colour", "{\\rtf1{\\colortbl;\\red255\\green0\\blue0;}\\cf1 x\\cf0 y}", "x", "12pt #ff0000"},
    {"cf0 is automatic", "{\\rtf1{\\colortbl;\\red255\\green0\\blue0;}\\cf1 x\\cf0 y}", "y",
     "12pt"},
    {"colour past the table", "{\\rtf1{\\colortbl;\\red255\\green0\\blue0;}\\cf9 x}", "x", "12pt"},
    {"highlight",
     "{\\rtf1{\\colortbl;\\red0\\green0\\blue255;\\red255\\green255\\blue0;}\\cf1"
     "\\highlight2 x}",
     "x", "12pt #0000ff on #ffff00"},
    {"plain resets", "{\\rtf1{\\colortbl;\\red255\\green0\\blue0;}\\b\\i\\cf1\\fs40\\plain x}", "x",
     "12pt"},
    {"formatting in the font table is ignored", "{\\rtf1{\\fonttbl\\b{\\f0\\i Arial;}}x}", "x",
     "12pt"},
};

// 15 twips to the pixel
constexpr FormatCase ParagraphCases[] = {
    {"centred", "{\\rtf1\\qc x\\par}", "x", "centre"},
    {"justified", "{\\rtf1\\qj x}", "x", "justify"},
    {"pard ends the centring", "{\\rtf1\\qc x\\par\\pard y}", "y", "left"},
    {"properties set late still count", "{\\rtf1 x\\qr\\par y}", "x", "right"},
    {"paragraph properties carry over", "{\\rtf1\\qr x\\par y}", "y", "right"},
    {"indents and spacing", "{\\rtf1\\li720\\ri300\\fi-360\\sb120\\sa240 x}", "x",
     "left li48 ri20 fi-24 sb8 sa16"},
    {"absurd indent is bounded", "{\\rtf1\\li2147483647 x}", "x", "left li2112"},
};

} // namespace

class TestRtfReader : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void text_data()
    {
        QTest::addColumn<QByteArray>("rtf");
        QTest::addColumn<QString>("expected");
        for (const TextCase& c : TextCases)
            QTest::newRow(c.name) << QByteArray(c.rtf) << QString::fromUtf8(c.expected);
        QTest::newRow("nul bytes") << QByteArray("{\\rtf1 a\0b\0c}", 13) << "abc";
        QTest::newRow("100000 braces deep")
            << "{\\rtf1 start" + repeated("{", 100000) + "deep" + repeated("}", 100000) + "end}"
            << "startend";
        QTest::newRow("100000 braces never closed")
            << "{\\rtf1 start" + repeated("{x", 100000) << "start" + QString(127, u'x');
        QTest::newRow("parameter of a megabyte")
            << "{\\rtf1 a\\fs" + QByteArray(1 << 20, '9') + " b}"
            << "ab";
        QTest::newRow("control word of a megabyte")
            << "{\\rtf1 a\\" + QByteArray(1 << 20, 'q') + " b}"
            << "ab";
        QTest::newRow("font name without end")
            << "{\\rtf1{\\fonttbl{\\f0 " + QByteArray(100000, 'A') + "}}x}"
            << "x";
        QTest::newRow("thousands of fonts and colours")
            << "{\\rtf1{\\fonttbl" + repeated("{\\f7 A;}", 10000) + "}{\\colortbl" +
                   repeated("\\red1;", 10000) + "}\\f7\\cf9999 x}"
            << "x";
        // Formatting in groups too deep to follow must not leak out of them: see format().
        QTest::newRow("500 groups too deep")
            << "{\\rtf1 {\\b " + repeated("{\\i\\fs80", 500) + " x" + repeated("}", 500) + "y}z}"
            << "yz";
    }

    void text()
    {
        QFETCH(QByteArray, rtf);
        QFETCH(QString, expected);
        QCOMPARE(read(rtf), expected);
    }

    // The format of the first character of the needle, or of its paragraph.
    void format_data()
    {
        QTest::addColumn<QByteArray>("rtf");
        QTest::addColumn<QString>("needle");
        QTest::addColumn<bool>("paragraph");
        QTest::addColumn<QString>("format");
        const auto add = [](const auto& cases, bool paragraph) {
            for (const FormatCase& c : cases)
                QTest::newRow(c.name) << QByteArray(c.rtf) << QString::fromLatin1(c.needle)
                                      << paragraph << QString::fromLatin1(c.format);
        };
        add(CharacterCases, false);
        add(ParagraphCases, true);
        const QByteArray deep =
            "{\\rtf1 {\\b " + repeated("{\\i\\fs80", 500) + " x" + repeated("}", 500) + "y}z}";
        QTest::newRow("after groups too deep") << deep << "y" << false << "b 12pt";
        QTest::newRow("after their outer group") << deep << "z" << false << "12pt";
    }

    void format()
    {
        QFETCH(QByteArray, rtf);
        QFETCH(QString, needle);
        QFETCH(bool, paragraph);
        QTextDocument doc;
        RtfReader reader;
        read(rtf, doc, reader);
        QTEST(paragraph ? describe(blockOf(doc, needle)) : describe(formatOf(doc, needle)),
              "format");
    }

    void tabStops()
    {
        QTextDocument doc;
        RtfReader reader;
        read("{\\rtf1\\deftab360\\tqr\\tx3000\\tx1500 a\\tab b\\tab c\\par\\pard d\\par"
             "\\pard\\li720\\fi-360\\tx1440\\tx200 e}",
             doc, reader);
        QCOMPARE(doc.defaultTextOption().tabStopDistance(), 24.0);
        const QList<QTextOption::Tab> tabs = blockOf(doc, "a").tabPositions();
        QCOMPARE(tabs, (QList<QTextOption::Tab>{{100, QTextOption::LeftTab},
                                                {200, QTextOption::RightTab}}));
        QVERIFY(blockOf(doc, "d").tabPositions().isEmpty());
        // Stops count from the page margin, Qt's from where the first line starts (360 twips
        // in), and the hanging indent is a stop of its own.
        const QList<QTextOption::Tab> hanging = blockOf(doc, "e").tabPositions();
        QCOMPARE(hanging,
                 (QList<QTextOption::Tab>{{24, QTextOption::LeftTab}, {72, QTextOption::LeftTab}}));
    }

    void fontsAndDefaultFont()
    {
        QTextDocument doc;
        RtfReader reader;
        read("{\\rtf1\\deff1{\\fonttbl{\\f0\\fmodern Courier New;}{\\f1\\fswiss Arial;}\\f2"
             "\\froman Times New Roman;}a\\f0 b\\f2 c\\f7 d}",
             doc, reader);
        QCOMPARE(formatOf(doc, "a").fontFamilies().toStringList(), QStringList{"Arial"});
        QCOMPARE(formatOf(doc, "b").fontFamilies().toStringList(), QStringList{"Courier New"});
        QCOMPARE(formatOf(doc, "b").fontStyleHint(), QFont::TypeWriter);
        QCOMPARE(formatOf(doc, "c").fontFamilies().toStringList(), QStringList{"Times New Roman"});
        QVERIFY(!formatOf(doc, "d").hasProperty(QTextFormat::FontFamilies));
        QCOMPARE(doc.defaultFont().families().value(0), QStringLiteral("Arial"));
        QCOMPARE(doc.defaultFont().pointSizeF(), 12.0);
    }

    void listsShowTheirBullets_data()
    {
        QTest::addColumn<QByteArray>("rtf");
        QTest::addColumn<QString>("expected");
        QTest::newRow("WordPad")
            << QByteArray("{\\rtf1{\\fonttbl{\\f0 Calibri;}{\\f1\\fnil\\fcharset2 Symbol;}}"
                          "{\\pntext\\f1\\'B7\\tab}{\\*\\pn\\pnlvlblt\\pnf1\\pnindent0{\\pntxtb"
                          "\\'B7}}\\fi-360\\li720 one\\par{\\pntext\\f1\\'B7\\tab}two\\par}")
            << "\u2022\tone\n\u2022\ttwo\n";
        QTest::newRow("Word")
            << QByteArray(
                   "{\\rtf1{\\fonttbl{\\f0 Calibri;}{\\f3\\fbidi\\froman\\fcharset2 Symbol;}}"
                   "{\\*\\listtable{\\list\\listtemplateid1{\\listlevel{\\leveltext\\'01"
                   "\\u-3913 ?;}{\\levelnumbers;}}{\\listname ;}\\listid1}}{\\*"
                   "\\listoverridetable{\\listoverride\\listid1\\ls1}}{\\listtext\\pard"
                   "\\plain\\f3\\fs24 \\'b7\\tab}\\ls1\\ilvl0 item\\par}")
            << "\u2022\titem\n";
        QTest::newRow("LibreOffice")
            << QByteArray("{\\rtf1{\\listtext\\pard\\plain \\u8226\\'95\\tab}\\ls1 item}")
            << "\u2022\titem";
        QTest::newRow("typed bullet") << QByteArray("{\\rtf1 \\'95\\tab item}") << "\u2022\titem";
    }

    void listsShowTheirBullets()
    {
        QFETCH(QByteArray, rtf);
        QTextDocument doc;
        RtfReader reader;
        QTEST(read(rtf, doc, reader), "expected");
        QVERIFY2(reader.untreatedWords().isEmpty(), qPrintable(reader.untreatedWords().join(' ')));
    }

    void untreatedWordsAndReuse()
    {
        // Each unknown word once, none from passed-over destinations; a second read starts
        // from nothing: no list, no fonts, colours or format of the first.
        QTextDocument doc;
        RtfReader reader;
        read("{\\rtf1{\\fonttbl{\\f0 Arial;}}{\\colortbl;\\red255\\green0\\blue0;}\\f0\\cf1\\b "
             "\\madeup a\\other2 b\\madeup{\\*\\hidden x\\inner}{\\pict\\unknownpict}c}",
             doc, reader);
        QCOMPARE(reader.untreatedWords(), (QStringList{"madeup", "other"}));
        QCOMPARE(read("{\\rtf1 \\cf1 second}", doc, reader), QStringLiteral("second"));
        const QTextCharFormat f = formatOf(doc, "second");
        QCOMPARE(describe(f), "12pt");
        QVERIFY(!f.hasProperty(QTextFormat::FontFamilies));
        QVERIFY(reader.untreatedWords().isEmpty());
    }

    void manualHasNoUntreatedWords()
    {
        QFile file(QStringLiteral(PUCKLIGHT_MANUAL));
        QVERIFY2(file.open(QIODevice::ReadOnly), PUCKLIGHT_MANUAL);
        const QByteArray rtf = file.readAll();
        QVERIFY(RtfReader::looksLikeRtf(rtf));
        QTextDocument doc;
        RtfReader reader;
        const QString text = read(rtf, doc, reader);
        QVERIFY2(reader.untreatedWords().isEmpty(), qPrintable(reader.untreatedWords().join(' ')));
        QVERIFY(!reader.truncated());
        QVERIFY(text.contains(QStringLiteral("Pucklight")));
        QVERIFY(!text.contains(u'\\') && !text.contains(u'{'));
    }

    void limits_data()
    {
        QTest::addColumn<QByteArray>("rtf");
        QTest::addColumn<int>("maxLength");
        QTest::newRow("text") << "{\\rtf1 " + QByteArray(5000, 'a') + "}" << 1000;
        QTest::newRow("paragraphs") << "{\\rtf1 " + repeated("a\\par ", 5000) + "}" << 1000;
        QTest::newRow("format runs") << "{\\rtf1 " + repeated("a\\b b\\b0 ", 5000) + "}" << 1000;
        QTest::newRow("input") << "{\\rtf1 " + repeated("\\b\\b0", 100000) + "abc}" << 0;
    }

    void limits()
    {
        QFETCH(QByteArray, rtf);
        QFETCH(int, maxLength);
        RtfLimits small;
        small.maxInput = 100000;
        small.maxText = 1000;
        small.maxParagraphs = 100;
        small.maxRuns = 100;
        QTextDocument doc;
        RtfReader reader(small);
        reader.readRtf(rtf, &doc);
        QVERIFY(reader.truncated());
        QVERIFY(doc.characterCount() <= maxLength + 1);
        QVERIFY(doc.blockCount() <= small.maxParagraphs + 1);
        QVERIFY(rawText(doc).startsWith(maxLength ? QStringLiteral("a") : QString()));
    }

    void documentStaysWithinWhatQtCanLayOut_data()
    {
        // Qt's layout never finishes a document over 8 388 607 pixels high; as much of each of
        // these as the reader takes would make one, at the narrowest width, but for its estimate.
        QTest::addColumn<QByteArray>("piece");
        QTest::newRow("huge letters") << QByteArray("\\fs3276 ab ");
        QTest::newRow("many large lines") << QByteArray("\\fs48 a\\line ");
        QTest::newRow("spacing") << QByteArray("\\sb31680\\sa31680 a\\par ");
        QTest::newRow("indents set at the end") << QByteArray("abcd\\li31680\\par ");
        QTest::newRow("indents wider than the page") << QByteArray("\\li31680\\ri31680 ab\\par ");
        QTest::newRow("tabs") << QByteArray("\\tab");
        QTest::newRow("wide characters") << QByteArray("\\u65021?");
    }

    void documentStaysWithinWhatQtCanLayOut()
    {
        QFETCH(QByteArray, piece);
        const RtfLimits limits;
        QTextDocument doc;
        RtfReader reader(limits);
        reader.readRtf("{\\rtf1 " + piece.repeated(int(limits.maxInput / piece.size())), &doc);
        QVERIFY(reader.truncated());
        doc.setTextWidth(limits.narrowestWidth);
        QVERIFY(doc.size().height() < 8388607);
    }

    // Long ordinary documents are read whole. Many runs in one paragraph, inserted one by one,
    // would lay the paragraph out again each time: a regression takes many minutes.
    void ordinaryTextIsNotCutShort_data()
    {
        QTest::addColumn<QByteArray>("rtf");
        QTest::addColumn<int>("characters");
        QTest::newRow("4000 lines")
            << "\\fs28 " +
                   repeated("Twelve words of an ordinary manual, line after line.\\line ", 4000)
            << 4000 * 53;
        QTest::newRow("20000 runs in a paragraph") << repeated("\\b ab\\b0 cd ", 20000) << 100000;
    }
    void ordinaryTextIsNotCutShort()
    {
        QFETCH(QByteArray, rtf);
        QTextDocument doc;
        RtfReader reader;
        reader.readRtf("{\\rtf1 " + rtf + "}", &doc);
        QVERIFY(!reader.truncated());
        QTEST(doc.characterCount() - doc.blockCount(), "characters");
    }

    void longWordsGetABreak()
    {
        QTextDocument doc;
        RtfReader reader;
        reader.readRtf("{\\rtf1 short " + QByteArray(1000, 'w') + " end}", &doc);
        QString text = rawText(doc);
        QCOMPARE(text.count(QChar(0x200B)), 1000 / RtfLimits{}.maxWordLength);
        text.remove(QChar(0x200B));
        QCOMPARE(text, QStringLiteral("short ") + QString(1000, u'w') + QStringLiteral(" end"));
    }

    void longParagraphIsBrokenInParts()
    {
        // Each part takes the paragraph's format; nothing is lost.
        RtfLimits limits;
        limits.maxParagraphLength = 100;
        QTextDocument doc;
        RtfReader reader(limits);
        reader.readRtf("{\\rtf1\\qc " + QByteArray(250, 'x') + "\\par\\pard y}", &doc);
        QCOMPARE(rawText(doc), QString(100, u'x') + u'\n' + QString(100, u'x') + u'\n' +
                                   QString(50, u'x') + QStringLiteral("\ny"));
        for (int i = 0; i < 3; ++i)
            QCOMPARE(doc.findBlockByNumber(i).blockFormat().alignment(), Qt::AlignHCenter);
        QVERIFY(!(doc.lastBlock().blockFormat().alignment() & Qt::AlignHCenter));
    }
};

PL_TEST_MAIN(TestRtfReader)
#include "tst_rtfreader.moc"

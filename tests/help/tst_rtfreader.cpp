#include "rtfreader.h"
#include "testmain.h"

#include <QFile>
#include <QTextBlock>
#include <QTextDocument>

// What the reader makes of RTF as word processors and people write it. Text is compared in
// its raw form: paragraphs end in "\n" here and every other character stays as the reader
// wrote it (line breaks are U+2028, non-breaking spaces U+00A0).
namespace {

QString read(const QByteArray& rtf, QTextDocument& doc, RtfReader& reader)
{
    reader.read(rtf, &doc);
    QString s = doc.toRawText();
    s.replace(QChar::ParagraphSeparator, u'\n');
    return s;
}

QString read(const QByteArray& rtf)
{
    QTextDocument doc;
    RtfReader reader;
    return read(rtf, doc, reader);
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
    {"nested groups", "{\\rtf1 a{b{c{d}e}f}g}", "abcdefg"},
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

        // It shows its formatting: larger bold headings in colour, and bold text in the body.
        bool heading = false;
        bool boldBody = false;
        for (QTextBlock b = doc.begin(); b.isValid(); b = b.next())
            for (auto it = b.begin(); !it.atEnd(); ++it) {
                const QTextCharFormat f = it.fragment().charFormat();
                if (f.fontWeight() < QFont::Bold)
                    continue;
                if (f.fontPointSize() > 12)
                    heading = heading || f.hasProperty(QTextFormat::ForegroundBrush);
                else
                    boldBody = true;
            }
        QVERIFY(heading && boldBody);
    }
};

PL_TEST_MAIN(TestRtfReader)
#include "tst_rtfreader.moc"

#include "rtfreader.h"
#include "testmain.h"

#include <QFile>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextDocumentFragment>

// What the reader makes of RTF as word processors and people write it. Text is compared in
// its raw form: paragraphs end in "\n" here and every other character stays as the reader
// wrote it (line breaks are U+2028, non-breaking spaces U+00A0).
class TestRtfReader : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void text_data();
    void text();
    void characterFormat_data();
    void characterFormat();
    void paragraphFormat_data();
    void paragraphFormat();
    void tabStops();
    void fontsAndDefaultFont();
    void listsShowTheirBullets_data();
    void listsShowTheirBullets();
    void plainTextFallback_data();
    void plainTextFallback();
    void reportsUntreatedWords();
    void readerCanBeReused();
    void manualHasNoUntreatedWords();
};

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

// The format of the first character of the first occurrence of needle.
QTextCharFormat formatOf(const QTextDocument& doc, const QString& needle)
{
    const QTextCursor found = doc.find(needle);
    if (found.isNull())
        return {};
    QTextCursor c(found);
    c.setPosition(found.selectionStart() + 1);
    return c.charFormat();
}

QTextBlockFormat blockOf(const QTextDocument& doc, const QString& needle)
{
    const QTextCursor found = doc.find(needle);
    return found.isNull() ? QTextBlockFormat() : found.block().blockFormat();
}

} // namespace

void TestRtfReader::text_data()
{
    QTest::addColumn<QByteArray>("rtf");
    QTest::addColumn<QString>("expected");

    QTest::newRow("plain") << QByteArray("{\\rtf1 Hello world}") << QStringLiteral("Hello world");
    QTest::newRow("source line breaks are not text")
        << QByteArray("{\\rtf1 Hel\r\nlo\n world}") << QStringLiteral("Hello world");
    QTest::newRow("paragraphs") << QByteArray("{\\rtf1 one\\par two\\par\r\nthree}")
                                << QStringLiteral("one\ntwo\nthree");
    QTest::newRow("backslash before line end is a paragraph")
        << QByteArray("{\\rtf1 one\\\r\ntwo}") << QStringLiteral("one\ntwo");
    QTest::newRow("line and tab") << QByteArray("{\\rtf1 a\\line b\\tab c}")
                                  << QStringLiteral("a\u2028b\tc");
    QTest::newRow("escaped characters")
        << QByteArray("{\\rtf1 \\{x\\} a\\\\b}") << QStringLiteral("{x} a\\b");
    QTest::newRow("special spaces and hyphens")
        << QByteArray("{\\rtf1 a\\~b\\-c\\_d}") << QStringLiteral("a\u00A0b\u00ADc\u2011d");
    QTest::newRow("typographic words")
        << QByteArray("{\\rtf1 \\ldblquote x\\rdblquote\\emdash\\endash\\bullet\\lquote\\rquote}")
        << QStringLiteral("\u201Cx\u201D\u2014\u2013\u2022\u2018\u2019");
    QTest::newRow("delimiting space belongs to the word")
        << QByteArray("{\\rtf1 \\b bold\\b0  two}") << QStringLiteral("bold two");
    QTest::newRow("hex byte in 1252")
        << QByteArray("{\\rtf1\\ansi\\ansicpg1252 caf\\'e9 \\'80}") << QStringLiteral("café €");
    QTest::newRow("1252 specials")
        << QByteArray("{\\rtf1 \\'93q\\'94 \\'85 \\'99}") << QStringLiteral("\u201Cq\u201D … ™");
    QTest::newRow("raw 8-bit text") << QByteArray("{\\rtf1 caf\xe9}") << QStringLiteral("café");
    QTest::newRow("another code page")
        << QByteArray("{\\rtf1\\ansi\\ansicpg1251 \\'cf\\'f0\\'e8}") << QStringLiteral("При");
    QTest::newRow("unknown code page reads as 1252")
        << QByteArray("{\\rtf1\\ansi\\ansicpg99999 caf\\'e9}") << QStringLiteral("café");
    QTest::newRow("font character set")
        << QByteArray("{\\rtf1{\\fonttbl{\\f0 Arial;}{\\f1\\fcharset204 Arial Cyr;}}\\f1 \\'cf\\f0 "
                      "\\'e9}")
        << QStringLiteral("Пé");
    QTest::newRow("unicode with fallback")
        << QByteArray("{\\rtf1 \\u8364?\\u233e}") << QStringLiteral("€é");
    QTest::newRow("fallback as hex")
        << QByteArray("{\\rtf1 \\u8364\\'80 x}") << QStringLiteral("€ x");
    QTest::newRow("negative unicode")
        << QByteArray("{\\rtf1 \\u-3913?}") << QStringLiteral("\uF0B7");
    QTest::newRow("surrogate pair")
        << QByteArray("{\\rtf1 \\u-10179?\\u-8704?}") << QStringLiteral("\U0001F600");
    QTest::newRow("uc2 skips two")
        << QByteArray("{\\rtf1\\uc2 \\u26085\\'93\\'fa!}") << QStringLiteral("日!");
    QTest::newRow("uc0 skips none") << QByteArray("{\\rtf1\\uc0 \\u233 x}") << QStringLiteral("éx");
    QTest::newRow("uc is scoped to its group")
        << QByteArray("{\\rtf1 {\\uc2 \\u233 ab}\\u233 ab}") << QStringLiteral("ééb");
    QTest::newRow("group end stops the fallback")
        << QByteArray("{\\rtf1\\uc3 {\\u233 a}bc}") << QStringLiteral("ébc");
    QTest::newRow("nested groups")
        << QByteArray("{\\rtf1 a{b{c{d}e}f}g}") << QStringLiteral("abcdefg");
    QTest::newRow("tables are not text")
        << QByteArray("{\\rtf1{\\fonttbl{\\f0\\fswiss Arial;}}{\\colortbl;\\red255\\green0\\blue0;}"
                      "x}")
        << QStringLiteral("x");
    QTest::newRow("skipped destinations")
        << QByteArray("{\\rtf1 a{\\info{\\title T}{\\author A}}{\\stylesheet{\\s0 Normal;}}"
                      "{\\header H}{\\footer F}{\\headerl H}{\\pict\\wmetafile8 0a0b{}}"
                      "{\\object\\objemb{\\*\\objdata 01}{\\result R}}b}")
        << QStringLiteral("ab");
    QTest::newRow("unknown optional destination")
        << QByteArray("{\\rtf1 a{\\*\\madeup text {nested}}b}") << QStringLiteral("ab");
    QTest::newRow("unknown plain destination shows its text")
        << QByteArray("{\\rtf1 a{\\madeup b}c}") << QStringLiteral("abc");
    QTest::newRow("binary data with braces")
        << QByteArray("{\\rtf1 a{\\pict\\bin4 }}{x}b}") << QStringLiteral("ab");
    QTest::newRow("field shows its result")
        << QByteArray("{\\rtf1 see {\\field{\\*\\fldinst HYPERLINK \"x\"}{\\fldrslt the site}}.}")
        << QStringLiteral("see the site.");
    QTest::newRow("hidden text") << QByteArray("{\\rtf1 a{\\v hidden}b\\v c\\v0 d}")
                                 << QStringLiteral("abd");
    QTest::newRow("table cells") << QByteArray("{\\rtf1\\trowd\\cellx1000\\cellx2000 a\\cell "
                                               "b\\cell\\row c}")
                                 << QStringLiteral("a\tb\t\nc");
    QTest::newRow("text after the end") << QByteArray("{\\rtf1 a}b") << QStringLiteral("ab");
}

void TestRtfReader::text()
{
    QFETCH(QByteArray, rtf);
    QFETCH(QString, expected);
    QCOMPARE(read(rtf), expected);
}

void TestRtfReader::characterFormat_data()
{
    QTest::addColumn<QByteArray>("rtf");
    QTest::addColumn<QString>("needle");
    QTest::addColumn<bool>("bold");
    QTest::addColumn<bool>("italic");
    QTest::addColumn<bool>("underline");
    QTest::addColumn<bool>("strike");
    QTest::addColumn<double>("points");
    QTest::addColumn<QColor>("color");
    QTest::addColumn<QColor>("background");

    const QByteArray colors = "{\\colortbl;\\red255\\green0\\blue0;\\red0\\green0\\blue255;"
                              "\\red255\\green255\\blue0;}";
    const QColor none;
    const QColor red(255, 0, 0);
    const QColor blue(0, 0, 255);
    const QColor yellow(255, 255, 0);

    QTest::newRow("plain") << QByteArray("{\\rtf1 x}") << "x" << false << false << false << false
                           << 12.0 << none << none;
    QTest::newRow("bold") << QByteArray("{\\rtf1 a\\b x\\b0 y}") << "x" << true << false << false
                          << false << 12.0 << none << none;
    QTest::newRow("bold off") << QByteArray("{\\rtf1 a\\b x\\b0 y}") << "y" << false << false
                              << false << false << 12.0 << none << none;
    QTest::newRow("italic in a group") << QByteArray("{\\rtf1 {\\i x}y}") << "x" << false << true
                                       << false << false << 12.0 << none << none;
    QTest::newRow("group end restores") << QByteArray("{\\rtf1 {\\i\\b\\fs40 x}y}") << "y" << false
                                        << false << false << false << 12.0 << none << none;
    QTest::newRow("underline") << QByteArray("{\\rtf1 \\ul x\\ulnone y}") << "x" << false << false
                               << true << false << 12.0 << none << none;
    QTest::newRow("ulnone") << QByteArray("{\\rtf1 \\ul x\\ulnone y}") << "y" << false << false
                            << false << false << 12.0 << none << none;
    QTest::newRow("double underline") << QByteArray("{\\rtf1 \\uldb x}") << "x" << false << false
                                      << true << false << 12.0 << none << none;
    QTest::newRow("strike") << QByteArray("{\\rtf1 \\strike x}") << "x" << false << false << false
                            << true << 12.0 << none << none;
    QTest::newRow("size") << QByteArray("{\\rtf1 \\fs36 x}") << "x" << false << false << false
                          << false << 18.0 << none << none;
    QTest::newRow("odd half points") << QByteArray("{\\rtf1 \\fs21 x}") << "x" << false << false
                                     << false << false << 10.5 << none << none;
    QTest::newRow("absurd size is bounded")
        << QByteArray("{\\rtf1 \\fs999999999 x}") << "x" << false << false << false << false
        << 1638.0 << none << none;
    QTest::newRow("negative size is bounded") << QByteArray("{\\rtf1 \\fs-5 x}") << "x" << false
                                              << false << false << false << 1.0 << none << none;
    QTest::newRow("colour") << QByteArray("{\\rtf1" + colors + "\\cf1 x\\cf0 y}") << "x" << false
                            << false << false << false << 12.0 << red << none;
    QTest::newRow("cf0 is automatic") << QByteArray("{\\rtf1" + colors + "\\cf1 x\\cf0 y}") << "y"
                                      << false << false << false << false << 12.0 << none << none;
    QTest::newRow("colour past the table")
        << QByteArray("{\\rtf1" + colors + "\\cf99 x}") << "x" << false << false << false << false
        << 12.0 << none << none;
    QTest::newRow("highlight") << QByteArray("{\\rtf1" + colors + "\\cf2\\highlight3 x}") << "x"
                               << false << false << false << false << 12.0 << blue << yellow;
    QTest::newRow("plain resets") << QByteArray("{\\rtf1" + colors + "\\b\\i\\cf1\\fs40\\plain x}")
                                  << "x" << false << false << false << false << 12.0 << none
                                  << none;
    QTest::newRow("formatting in the font table is ignored")
        << QByteArray("{\\rtf1{\\fonttbl\\b{\\f0\\i Arial;}}x}") << "x" << false << false << false
        << false << 12.0 << none << none;
}

void TestRtfReader::characterFormat()
{
    QFETCH(QByteArray, rtf);
    QFETCH(QString, needle);
    QTextDocument doc;
    RtfReader reader;
    read(rtf, doc, reader);
    const QTextCharFormat f = formatOf(doc, needle);
    QVERIFY(f.isValid());
    QTEST(f.fontWeight() >= QFont::Bold, "bold");
    QTEST(f.fontItalic(), "italic");
    QTEST(f.fontUnderline(), "underline");
    QTEST(f.fontStrikeOut(), "strike");
    QTEST(f.fontPointSize(), "points");
    QFETCH(QColor, color);
    QFETCH(QColor, background);
    QCOMPARE(f.hasProperty(QTextFormat::ForegroundBrush), color.isValid());
    if (color.isValid())
        QCOMPARE(f.foreground().color(), color);
    QCOMPARE(f.hasProperty(QTextFormat::BackgroundBrush), background.isValid());
    if (background.isValid())
        QCOMPARE(f.background().color(), background);
}

void TestRtfReader::paragraphFormat_data()
{
    QTest::addColumn<QByteArray>("rtf");
    QTest::addColumn<QString>("needle");
    QTest::addColumn<int>("alignment");
    QTest::addColumn<double>("left");
    QTest::addColumn<double>("right");
    QTest::addColumn<double>("indent");
    QTest::addColumn<double>("before");
    QTest::addColumn<double>("after");

    const int left = Qt::AlignLeft | Qt::AlignAbsolute;
    const int right = Qt::AlignRight | Qt::AlignAbsolute;
    QTest::newRow("default") << QByteArray("{\\rtf1 x}") << "x" << left << 0.0 << 0.0 << 0.0 << 0.0
                             << 0.0;
    QTest::newRow("centred") << QByteArray("{\\rtf1\\qc x\\par}") << "x" << int(Qt::AlignHCenter)
                             << 0.0 << 0.0 << 0.0 << 0.0 << 0.0;
    QTest::newRow("right") << QByteArray("{\\rtf1\\qr x}") << "x" << right << 0.0 << 0.0 << 0.0
                           << 0.0 << 0.0;
    QTest::newRow("justified") << QByteArray("{\\rtf1\\qj x}") << "x" << int(Qt::AlignJustify)
                               << 0.0 << 0.0 << 0.0 << 0.0 << 0.0;
    QTest::newRow("pard ends the centring") << QByteArray("{\\rtf1\\qc x\\par\\pard y}") << "y"
                                            << left << 0.0 << 0.0 << 0.0 << 0.0 << 0.0;
    QTest::newRow("properties set late still count")
        << QByteArray("{\\rtf1 x\\qr\\par y}") << "x" << right << 0.0 << 0.0 << 0.0 << 0.0 << 0.0;
    QTest::newRow("paragraph properties carry over")
        << QByteArray("{\\rtf1\\qr x\\par y}") << "y" << right << 0.0 << 0.0 << 0.0 << 0.0 << 0.0;
    // 15 twips to the pixel
    QTest::newRow("indents and spacing")
        << QByteArray("{\\rtf1\\li720\\ri300\\fi-360\\sb120\\sa240 x}") << "x" << left << 48.0
        << 20.0 << -24.0 << 8.0 << 16.0;
    QTest::newRow("absurd indent is bounded") << QByteArray("{\\rtf1\\li2147483647 x}") << "x"
                                              << left << 2112.0 << 0.0 << 0.0 << 0.0 << 0.0;
}

void TestRtfReader::paragraphFormat()
{
    QFETCH(QByteArray, rtf);
    QFETCH(QString, needle);
    QTextDocument doc;
    RtfReader reader;
    read(rtf, doc, reader);
    const QTextBlockFormat b = blockOf(doc, needle);
    QTEST(int(b.alignment()), "alignment");
    QTEST(b.leftMargin(), "left");
    QTEST(b.rightMargin(), "right");
    QTEST(b.textIndent(), "indent");
    QTEST(b.topMargin(), "before");
    QTEST(b.bottomMargin(), "after");
}

void TestRtfReader::tabStops()
{
    QTextDocument doc;
    RtfReader reader;
    read("{\\rtf1\\deftab360\\tqr\\tx3000\\tx1500 a\\tab b\\tab c\\par\\pard d\\par"
         "\\pard\\li720\\fi-360\\tx1440\\tx200 e}",
         doc, reader);
    QCOMPARE(doc.defaultTextOption().tabStopDistance(), 24.0);
    const QList<QTextOption::Tab> tabs = blockOf(doc, "a").tabPositions();
    QCOMPARE(tabs.size(), 2);
    QCOMPARE(tabs[0].position, 100.0);
    QCOMPARE(tabs[0].type, QTextOption::LeftTab);
    QCOMPARE(tabs[1].position, 200.0);
    QCOMPARE(tabs[1].type, QTextOption::RightTab);
    QVERIFY(blockOf(doc, "d").tabPositions().isEmpty());

    // Stops count from the page margin, Qt's from where the first line starts (360 twips in),
    // and the hanging indent is a stop of its own.
    const QList<QTextOption::Tab> hanging = blockOf(doc, "e").tabPositions();
    QCOMPARE(hanging.size(), 2);
    QCOMPARE(hanging[0].position, 24.0);
    QCOMPARE(hanging[1].position, 72.0);
}

void TestRtfReader::fontsAndDefaultFont()
{
    QTextDocument doc;
    RtfReader reader;
    read("{\\rtf1\\deff1{\\fonttbl{\\f0\\fmodern Courier New;}{\\f1\\fswiss Arial;}\\f2\\froman "
         "Times New Roman;}a\\f0 b\\f2 c\\f7 d}",
         doc, reader);
    QCOMPARE(formatOf(doc, "a").fontFamilies().toStringList(), QStringList{"Arial"});
    QCOMPARE(formatOf(doc, "b").fontFamilies().toStringList(), QStringList{"Courier New"});
    QCOMPARE(formatOf(doc, "b").fontStyleHint(), QFont::TypeWriter);
    QCOMPARE(formatOf(doc, "c").fontFamilies().toStringList(), QStringList{"Times New Roman"});
    QVERIFY(!formatOf(doc, "d").hasProperty(QTextFormat::FontFamilies));
    QCOMPARE(doc.defaultFont().families().value(0), QStringLiteral("Arial"));
    QCOMPARE(doc.defaultFont().pointSizeF(), 12.0);
}

void TestRtfReader::listsShowTheirBullets_data()
{
    QTest::addColumn<QByteArray>("rtf");
    QTest::addColumn<QString>("expected");

    // WordPad
    QTest::newRow("pntext")
        << QByteArray("{\\rtf1{\\fonttbl{\\f0 Calibri;}{\\f1\\fnil\\fcharset2 Symbol;}}"
                      "{\\pntext\\f1\\'B7\\tab}{\\*\\pn\\pnlvlblt\\pnf1\\pnindent0{\\pntxtb\\'B7}}"
                      "\\fi-360\\li720 one\\par{\\pntext\\f1\\'B7\\tab}two\\par}")
        << QStringLiteral("\u2022\tone\n\u2022\ttwo\n");
    QTest::newRow("numbered pntext")
        << QByteArray("{\\rtf1{\\pntext\\f0 1.\\tab}{\\*\\pn\\pnlvlbody\\pndec{\\pntxta.}}one\\par"
                      "{\\pntext\\f0 2.\\tab}two}")
        << QStringLiteral("1.\tone\n2.\ttwo");
    // Word
    QTest::newRow("listtext")
        << QByteArray(
               "{\\rtf1{\\fonttbl{\\f0 Calibri;}{\\f3\\fbidi\\froman\\fcharset2 Symbol;}}"
               "{\\*\\listtable{\\list\\listtemplateid1{\\listlevel{\\leveltext\\'01\\u-3913 ?;}"
               "{\\levelnumbers;}}{\\listname ;}\\listid1}}{\\*\\listoverridetable{\\listoverride"
               "\\listid1\\ls1}}{\\listtext\\pard\\plain\\f3\\fs24 \\'b7\\tab}\\ls1\\ilvl0 "
               "item\\par}")
        << QStringLiteral("\u2022\titem\n");
    // LibreOffice
    QTest::newRow("listtext with unicode")
        << QByteArray("{\\rtf1{\\listtext\\pard\\plain \\u8226\\'95\\tab}\\ls1 item}")
        << QStringLiteral("\u2022\titem");
    QTest::newRow("typed bullet") << QByteArray("{\\rtf1 \\'95\\tab item}")
                                  << QStringLiteral("\u2022\titem");
}

void TestRtfReader::listsShowTheirBullets()
{
    QFETCH(QByteArray, rtf);
    QFETCH(QString, expected);
    QTextDocument doc;
    RtfReader reader;
    QCOMPARE(read(rtf, doc, reader), expected);
    QVERIFY2(reader.untreatedWords().isEmpty(), qPrintable(reader.untreatedWords().join(' ')));
}

void TestRtfReader::plainTextFallback_data()
{
    QTest::addColumn<QByteArray>("data");
    QTest::addColumn<QString>("expected");
    QTest::newRow("ascii") << QByteArray("just {text} \\here\r\nline two")
                           << QStringLiteral("just {text} \\here\nline two");
    QTest::newRow("utf-8") << QByteArray("caf\xc3\xa9") << QStringLiteral("café");
    QTest::newRow("1252") << QByteArray("caf\xe9") << QStringLiteral("café");
    QTest::newRow("rtf after a byte order mark")
        << QByteArray("\xEF\xBB\xBF {\\rtf1 \\b x}") << QStringLiteral("x");
}

void TestRtfReader::plainTextFallback()
{
    QFETCH(QByteArray, data);
    QFETCH(QString, expected);
    QCOMPARE(read(data), expected);
}

void TestRtfReader::reportsUntreatedWords()
{
    QTextDocument doc;
    RtfReader reader;
    read("{\\rtf1\\madeup a\\other2 b\\madeup{\\*\\hidden x\\inner}{\\pict\\unknownpict}c}", doc,
         reader);
    QCOMPARE(reader.untreatedWords(), (QStringList{"madeup", "other"}));
}

void TestRtfReader::readerCanBeReused()
{
    QTextDocument doc;
    RtfReader reader;
    read("{\\rtf1{\\fonttbl{\\f0 Arial;}}{\\colortbl;\\red255\\green0\\blue0;}\\f0\\cf1\\b "
         "first\\madeup}",
         doc, reader);
    QCOMPARE(read("{\\rtf1 \\cf1 second}", doc, reader), QStringLiteral("second"));
    const QTextCharFormat f = formatOf(doc, "second");
    QVERIFY(!f.hasProperty(QTextFormat::ForegroundBrush));
    QVERIFY(!f.hasProperty(QTextFormat::FontFamilies));
    QCOMPARE(f.fontWeight(), int(QFont::Normal));
    QVERIFY(reader.untreatedWords().isEmpty());
}

void TestRtfReader::manualHasNoUntreatedWords()
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
    QVERIFY(!text.contains(u'\\'));
    QVERIFY(!text.contains(u'{'));

    // It shows its formatting: larger bold headings in colour, and bold text in the body.
    bool heading = false;
    bool boldBody = false;
    for (QTextBlock b = doc.begin(); b.isValid(); b = b.next())
        for (auto it = b.begin(); !it.atEnd(); ++it) {
            const QTextCharFormat f = it.fragment().charFormat();
            if (f.fontWeight() >= QFont::Bold && f.fontPointSize() > 12 &&
                f.hasProperty(QTextFormat::ForegroundBrush))
                heading = true;
            else if (f.fontWeight() >= QFont::Bold && f.fontPointSize() <= 12)
                boldBody = true;
        }
    QVERIFY(heading);
    QVERIFY(boldBody);
}

PL_TEST_MAIN(TestRtfReader)
#include "tst_rtfreader.moc"

#include "rtfreader.h"
#include "testmain.h"

#include <QRandomGenerator>
#include <QTextCursor>
#include <QTextDocument>

// Broken and hostile input: the reader must come back with what it could read, never crash,
// hang or run out of memory. Under the sanitizer build these also catch memory errors.
class TestRtfHostile : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void malformed_data();
    void malformed();
    void deepNestingKeepsTheFormatOfTheOuterGroups();
    void limits_data();
    void limits();
    void binaryJunk();
    void layoutSurvivesExtremes();
    void documentStaysWithinWhatQtCanLayOut_data();
    void documentStaysWithinWhatQtCanLayOut();
    void ordinaryTextIsNotCutShort();
    void longWordsGetABreak();
    void manyRunsInOneParagraph();
};

namespace {

QString rawText(const QTextDocument& doc)
{
    QString s = doc.toRawText();
    s.replace(QChar::ParagraphSeparator, u'\n');
    return s;
}

QByteArray repeated(const char* piece, int times)
{
    return QByteArray(piece).repeated(times);
}

} // namespace

void TestRtfHostile::malformed_data()
{
    QTest::addColumn<QByteArray>("rtf");
    QTest::addColumn<QString>("expected");

    QTest::newRow("empty file") << QByteArray() << QString();
    QTest::newRow("only the header") << QByteArray("{\\rtf1") << QString();
    QTest::newRow("missing closing braces")
        << QByteArray("{\\rtf1 a{\\b b{\\i c") << QStringLiteral("abc");
    QTest::newRow("stray closing braces") << QByteArray("{\\rtf1 a}}}b}c") << QStringLiteral("abc");
    QTest::newRow("closing brace first") << QByteArray("{\\rtf1}} x") << QStringLiteral(" x");
    QTest::newRow("100000 braces deep") << QByteArray("{\\rtf1 start" + repeated("{", 100000) +
                                                      "deep" + repeated("}", 100000) + "end}")
                                        << QStringLiteral("startend");
    QTest::newRow("100000 braces never closed")
        << QByteArray("{\\rtf1 start" + repeated("{x", 100000))
        << QStringLiteral("start") + QString(127, u'x');
    QTest::newRow("truncated hex at the end")
        << QByteArray("{\\rtf1 abc\\'") << QStringLiteral("abc");
    QTest::newRow("hex with one digit") << QByteArray("{\\rtf1 abc\\'4") << QStringLiteral("abc");
    QTest::newRow("hex with non-hex digits")
        << QByteArray("{\\rtf1 a\\'zzb}") << QStringLiteral("azzb");
    QTest::newRow("backslash at the end") << QByteArray("{\\rtf1 abc\\") << QStringLiteral("abc");
    QTest::newRow("huge unicode") << QByteArray("{\\rtf1 a\\u99999999999?b}")
                                  << QStringLiteral("a\uFFFDb");
    QTest::newRow("huge negative unicode")
        << QByteArray("{\\rtf1 a\\u-99999999999?b}") << QStringLiteral("a\uFFFDb");
    QTest::newRow("unicode beyond the BMP")
        << QByteArray("{\\rtf1 \\u128512?}") << QStringLiteral("\U0001F600");
    QTest::newRow("lone surrogates")
        << QByteArray("{\\rtf1 a\\u-10179?b\\u-8704?c}") << QStringLiteral("a\uFFFDb\uFFFDc");
    QTest::newRow("control characters as unicode")
        << QByteArray("{\\rtf1 a\\u0?\\u13?\\u10?\\u8233?\\u64976?b}") << QStringLiteral("ab");
    QTest::newRow("unicode skip count without end")
        << QByteArray("{\\rtf1\\uc2147483647 \\u233 abcdefghijklmnopqrstuvwxyz}")
        << QStringLiteral("éqrstuvwxyz");
    QTest::newRow("negative unicode skip count")
        << QByteArray("{\\rtf1\\uc-5 \\u233?}") << QStringLiteral("é?");
    QTest::newRow("parameter of a megabyte")
        << QByteArray("{\\rtf1 a\\fs" + QByteArray(1 << 20, '9') + " b}") << QStringLiteral("ab");
    QTest::newRow("control word of a megabyte")
        << QByteArray("{\\rtf1 a\\" + QByteArray(1 << 20, 'q') + " b}") << QStringLiteral("ab");
    QTest::newRow("binary length beyond the end")
        << QByteArray("{\\rtf1 a{\\pict\\bin999999999 xyz}}") << QStringLiteral("a");
    QTest::newRow("negative binary length")
        << QByteArray("{\\rtf1 a\\bin-5 b}") << QStringLiteral("ab");
    QTest::newRow("font table that never ends")
        << QByteArray("{\\rtf1{\\fonttbl{\\f0 Arial") << QString();
    QTest::newRow("font name without end")
        << QByteArray("{\\rtf1{\\fonttbl{\\f0 " + QByteArray(100000, 'A') + "}}x}")
        << QStringLiteral("x");
    QTest::newRow("colour table with huge values")
        << QByteArray("{\\rtf1{\\colortbl;\\red-1\\green999999\\blue2147483648;}\\cf1 x\\cf-7 "
                      "y\\cf2147483647 z}")
        << QStringLiteral("xyz");
    QTest::newRow("thousands of fonts and colours")
        << QByteArray("{\\rtf1{\\fonttbl" + repeated("{\\f7 A;}", 10000) + "}{\\colortbl" +
                      repeated("\\red1;", 10000) + "}\\f7\\cf9999 x}")
        << QStringLiteral("x");
    QTest::newRow("destination marker alone")
        << QByteArray("{\\rtf1 a\\*b}") << QStringLiteral("a");
    QTest::newRow("nul bytes") << QByteArray("{\\rtf1 a\0b\0c}", 13) << QStringLiteral("abc");
    QTest::newRow("frame marks as unicode")
        << QByteArray("{\\rtf1 a\\u-560?\\u-559?\\u-4?b}") << QStringLiteral("ab");
}

void TestRtfHostile::malformed()
{
    QFETCH(QByteArray, rtf);
    QFETCH(QString, expected);
    QTextDocument doc;
    RtfReader reader;
    reader.readRtf(rtf, &doc);
    QCOMPARE(rawText(doc), expected);
}

void TestRtfHostile::deepNestingKeepsTheFormatOfTheOuterGroups()
{
    // Formatting asked for in groups too deep to follow must not leak out of them.
    QTextDocument doc;
    RtfReader reader;
    reader.read("{\\rtf1 {\\b " + repeated("{\\i\\fs80", 500) + " x" + repeated("}", 500) + "y}z}",
                &doc);
    QCOMPARE(rawText(doc), QStringLiteral("yz"));
    QVERIFY(reader.truncated());
    QTextCursor c(&doc);
    c.setPosition(1);
    QCOMPARE(c.charFormat().fontWeight(), int(QFont::Bold));
    QVERIFY(!c.charFormat().fontItalic());
    c.setPosition(2);
    QCOMPARE(c.charFormat().fontWeight(), int(QFont::Normal));
}

void TestRtfHostile::limits_data()
{
    QTest::addColumn<QByteArray>("rtf");
    QTest::addColumn<int>("maxLength");

    QTest::newRow("text") << QByteArray("{\\rtf1 " + QByteArray(5000, 'a') + "}") << 1000;
    QTest::newRow("paragraphs") << QByteArray("{\\rtf1 " + repeated("a\\par ", 5000) + "}") << 1000;
    QTest::newRow("format runs") << QByteArray("{\\rtf1 " + repeated("a\\b b\\b0 ", 5000) + "}")
                                 << 1000;
    QTest::newRow("input") << QByteArray("{\\rtf1 " + repeated("\\b\\b0", 100000) + "abc}") << 0;
}

void TestRtfHostile::limits()
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

void TestRtfHostile::binaryJunk()
{
    // Seeded, so that a failure can be reproduced.
    QRandomGenerator random(20261206);
    for (int round = 0; round < 50; ++round) {
        QByteArray junk(4096, Qt::Uninitialized);
        for (char& b : junk)
            b = static_cast<char>(random.bounded(256));
        if (round % 2)
            junk.prepend("{\\rtf1 ");
        QTextDocument doc;
        RtfReader reader;
        reader.read(junk, &doc);
        const QString text = rawText(doc);
        for (const QChar c : text)
            QVERIFY2(c >= u' ' || c == u'\t' || c == u'\n',
                     qPrintable(QString::number(c.unicode())));
    }
}

void TestRtfHostile::layoutSurvivesExtremes()
{
    // The values the reader lets through must also be safe for the layout that shows them.
    QTextDocument doc;
    RtfReader reader;
    reader.read("{\\rtf1\\fs999999999\\li999999999\\ri999999999\\fi-999999999\\sb999999999"
                "\\tx999999999\\tqdec\\tx5 a\\tab b\\tab c\\par\\pard\\fs-3 d\\line e}",
                &doc);
    doc.setTextWidth(300);
    QVERIFY(doc.size().height() > 0);
    QCOMPARE(rawText(doc), QStringLiteral("a\tb\tc\nd\u2028e"));
}

void TestRtfHostile::documentStaysWithinWhatQtCanLayOut_data()
{
    QTest::addColumn<QByteArray>("piece");

    // Qt's layout never finishes a document over 8 388 607 pixels high; as much of each of
    // these as the reader takes would make one, at the narrowest width, but for its estimate.
    QTest::newRow("huge letters") << QByteArray("\\fs3276 ab ");
    QTest::newRow("many large lines") << QByteArray("\\fs48 a\\line ");
    QTest::newRow("spacing") << QByteArray("\\sb31680\\sa31680 a\\par ");
    QTest::newRow("indents set at the end") << QByteArray("abcd\\li31680\\par ");
    QTest::newRow("indents wider than the page") << QByteArray("\\li31680\\ri31680 ab\\par ");
    QTest::newRow("tabs") << QByteArray("\\tab");
    QTest::newRow("wide characters") << QByteArray("\\u65021?");
}

void TestRtfHostile::documentStaysWithinWhatQtCanLayOut()
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

void TestRtfHostile::ordinaryTextIsNotCutShort()
{
    QTextDocument doc;
    RtfReader reader;
    reader.readRtf(
        "{\\rtf1\\fs28 " +
            repeated("Twelve words of an ordinary manual, line after line.\\line ", 4000) + "}",
        &doc);
    QVERIFY(!reader.truncated());
    QCOMPARE(doc.characterCount(), 4000 * 53 + 1);
}

void TestRtfHostile::longWordsGetABreak()
{
    QTextDocument doc;
    RtfReader reader;
    reader.readRtf("{\\rtf1 short " + QByteArray(1000, 'w') + " end}", &doc);
    const QString text = rawText(doc);
    QCOMPARE(text.count(QChar(0x200B)), 1000 / RtfLimits{}.maxWordLength);
    QString visible = text;
    visible.remove(QChar(0x200B));
    QCOMPARE(visible, QStringLiteral("short ") + QString(1000, u'w') + QStringLiteral(" end"));
}

void TestRtfHostile::manyRunsInOneParagraph()
{
    // Inserting each run on its own would lay the whole paragraph out again every time; a
    // regression makes this take many minutes.
    QTextDocument doc;
    RtfReader reader;
    reader.readRtf("{\\rtf1 " + repeated("\\b ab\\b0 cd ", 20000) + "}", &doc);
    QCOMPARE(doc.characterCount(), 100001);
    QVERIFY(!reader.truncated());
}

PL_TEST_MAIN(TestRtfHostile)
#include "tst_rtfhostile.moc"

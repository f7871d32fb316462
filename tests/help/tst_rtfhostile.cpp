#include "rtfreader.h"
#include "testmain.h"

#include <QRandomGenerator>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

// Broken and hostile input: the reader must come back with what it could read, never crash,
// hang or run out of memory. Under the sanitizer build these also catch memory errors.
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

struct Case
{
    const char* name;
    const char* rtf;
    const char* expected; // UTF-8
};

constexpr Case Malformed[] = {
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
    {"binary length beyond the end", "{\\rtf1 a{\\pict\\bin999999999 xyz}}", "a"},
    {"negative binary length", "{\\rtf1 a\\bin-5 b}", "ab"},
    {"colour table with huge values",
     "{\\rtf1{\\colortbl;\\red-1\\green999999\\blue2147483648;}\\cf1 x\\cf-7 y\\cf2147483647 z}",
     "xyz"},
};

} // namespace

class TestRtfHostile : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void malformed_data()
    {
        QTest::addColumn<QByteArray>("rtf");
        QTest::addColumn<QString>("expected");
        for (const Case& c : Malformed)
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
    }

    void malformed()
    {
        QFETCH(QByteArray, rtf);
        QTextDocument doc;
        RtfReader reader;
        reader.readRtf(rtf, &doc);
        QTEST(rawText(doc), "expected");
    }

    void deepNestingKeepsTheFormatOfTheOuterGroups()
    {
        // Formatting asked for in groups too deep to follow must not leak out of them.
        QTextDocument doc;
        RtfReader reader;
        reader.read("{\\rtf1 {\\b " + repeated("{\\i\\fs80", 500) + " x" + repeated("}", 500) +
                        "y}z}",
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

    void binaryJunk()
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
            for (const QChar c : rawText(doc))
                QVERIFY2(c >= u' ' || c == u'\t' || c == u'\n',
                         qPrintable(QString::number(c.unicode())));
        }
    }

    void layoutSurvivesExtremes()
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

    void ordinaryTextIsNotCutShort()
    {
        QTextDocument doc;
        RtfReader reader;
        reader.readRtf(
            "{\\rtf1\\fs28 " +
                repeated("Twelve words of an ordinary manual, line after line.\\line ", 4000) + "}",
            &doc);
        QVERIFY(!reader.truncated());
        QCOMPARE(doc.characterCount() - doc.blockCount(), 4000 * 53);
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

    void manyRunsInOneParagraph()
    {
        // Inserting each run on its own would lay the whole paragraph out again every time; a
        // regression makes this take many minutes.
        QTextDocument doc;
        RtfReader reader;
        reader.readRtf("{\\rtf1 " + repeated("\\b ab\\b0 cd ", 20000) + "}", &doc);
        QCOMPARE(doc.characterCount() - doc.blockCount(), 100000);
        QVERIFY(!reader.truncated());
    }
};

PL_TEST_MAIN(TestRtfHostile)
#include "tst_rtfhostile.moc"

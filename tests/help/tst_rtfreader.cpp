// SPDX-License-Identifier: GPL-3.0-or-later
#include "rtfreader.h"
#include "testmain.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QTextBlock>
#include <QTextDocument>

// Crashes, hangs and memory errors on hostile input are the fuzzer's (fuzz_rtf, replay_rtf).
namespace {

QString read(const QByteArray& rtf, QTextDocument& doc, RtfReader& reader)
{
    reader.read(rtf, &doc);
    return doc.toRawText().replace(QChar::ParagraphSeparator, u'\n');
}

// Rows of rtfcases.json: a name, the input (one character a byte), then what is expected.
QJsonArray cases(const char* table)
{
    QFile f(QStringLiteral(PUCKLIGHT_RTF_CASES));
    const QJsonArray rows =
        f.open(QIODevice::ReadOnly)
            ? QJsonDocument::fromJson(f.readAll())[QLatin1String(table)].toArray()
            : QJsonArray();
    if (rows.isEmpty())
        qFatal("no \"%s\" rows in %s", table, PUCKLIGHT_RTF_CASES);
    return rows;
}

// Just after the first character of the first occurrence of needle: where its format is.
QTextCursor cursorAt(const QTextDocument& doc, const QString& needle)
{
    QTextCursor c = doc.find(needle);
    if (!c.isNull())
        c.setPosition(c.selectionStart() + 1);
    return c;
}

// "Arial mono b i u s 12pt #rrggbb on #rrggbb", naming only what is set.
QString describe(const QTextCharFormat& f)
{
    QStringList parts;
    if (f.hasProperty(QTextFormat::FontFamilies))
        parts << f.fontFamilies().toStringList().join(',');
    const std::pair<bool, const char*> flags[] = {{f.fontStyleHint() == QFont::TypeWriter, "mono"},
                                                  {f.fontWeight() >= QFont::Bold, "b"},
                                                  {f.fontItalic(), "i"},
                                                  {f.fontUnderline(), "u"},
                                                  {f.fontStrikeOut(), "s"}};
    for (const auto& [set, name] : flags)
        if (set)
            parts << name;
    parts << QString::number(f.fontPointSize()) + "pt";
    if (f.hasProperty(QTextFormat::ForegroundBrush))
        parts << f.foreground().color().name();
    if (f.hasProperty(QTextFormat::BackgroundBrush))
        parts << "on " + f.background().color().name();
    return parts.join(' ');
}

// "right li48 ri20 fi-24 sb8 sa16 tab100 tab200r", naming the margins that are set.
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
    for (const QTextOption::Tab& t : b.tabPositions())
        parts << "tab" + QString::number(t.position) + (t.type == QTextOption::RightTab ? "r" : "");
    return parts.join(' ');
}

} // namespace

class TestRtfReader : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    // The raw text (paragraphs end in "\n"), or the format of the needle or its paragraph.
    void reads_data()
    {
        QTest::addColumn<QByteArray>("rtf");
        QTest::addColumn<QString>("table");
        QTest::addColumn<QString>("needle");
        QTest::addColumn<QString>("expected");
        for (const char* table : {"text", "lists", "character", "paragraph"}) {
            for (const QJsonValue& c : cases(table)) {
                const QJsonArray row = c.toArray();
                QTest::newRow(qPrintable(row[0].toString()))
                    << row[1].toString().toLatin1() << table
                    << (row.size() > 3 ? row[2].toString() : QString()) << row.last().toString();
            }
        }
        // Formatting in groups too deep to follow must not leak out of them.
        const QByteArray deep = "{\\rtf1 {\\b " + QByteArray("{\\i\\fs80").repeated(500) + " x" +
                                QByteArray(500, '}') + "y}z}";
        for (const auto& [needle, format] : {std::pair{"y", "b 12pt"}, {"z", "12pt"}})
            QTest::addRow("%s after groups too deep", needle)
                << deep << QStringLiteral("character") << QString(needle) << QString(format);
    }

    void reads()
    {
        QFETCH(QByteArray, rtf);
        QFETCH(QString, table);
        QFETCH(QString, needle);
        QTextDocument doc;
        RtfReader reader;
        const QString text = read(rtf, doc, reader);
        const QTextCursor at = cursorAt(doc, needle);
        QTEST(table == "character"   ? describe(at.charFormat())
              : table == "paragraph" ? describe(at.blockFormat())
                                     : text,
              "expected");
        // Lists as word processors write them hold no word the reader does not know.
        QVERIFY2(table != "lists" || reader.untreatedWords().isEmpty(),
                 qPrintable(reader.untreatedWords().join(' ')));
    }

    // Unknown words once each, none from skipped destinations; a second read starts afresh.
    void documentDefaultsUntreatedWordsAndReuse()
    {
        QTextDocument doc;
        RtfReader reader;
        read("{\\rtf1\\deff1\\deftab360{\\fonttbl{\\f0 Courier New;}{\\f1 Arial;}}{\\colortbl;"
             "\\red255\\green0\\blue0;}\\f0\\cf1\\b \\madeup a\\other2 b\\madeup{\\*\\hidden "
             "x\\inner}{\\pict\\unknownpict}c}",
             doc, reader);
        QCOMPARE(doc.defaultFont().families().value(0), QStringLiteral("Arial"));
        QCOMPARE(doc.defaultTextOption().tabStopDistance(), 24.0);
        QCOMPARE(reader.untreatedWords(), (QStringList{"madeup", "other"}));
        QCOMPARE(read("{\\rtf1 \\cf1 second}", doc, reader), QStringLiteral("second"));
        QCOMPARE(describe(cursorAt(doc, "second").charFormat()), "12pt");
        QVERIFY(reader.untreatedWords().isEmpty());
    }

    void manualHasNoUntreatedWords()
    {
        QFile file(QStringLiteral(PUCKLIGHT_MANUAL));
        QVERIFY2(file.open(QIODevice::ReadOnly), PUCKLIGHT_MANUAL);
        QTextDocument doc;
        RtfReader reader;
        const QString text = read(file.readAll(), doc, reader);
        QVERIFY2(reader.untreatedWords().isEmpty(), qPrintable(reader.untreatedWords().join(' ')));
        QVERIFY(!reader.truncated());
        QVERIFY(text.contains(QStringLiteral("Pucklight")) && !text.contains(u'\\'));
    }

    // What was read up to a limit shows; a layout over Qt's 8 388 607 pixels would never end.
    void limits_data()
    {
        QTest::addColumn<QByteArray>("piece"); // repeated past the input limit
        QTest::addColumn<bool>("small");       // small limits rather than the default ones
        QTest::addColumn<QString>("kept");     // how what was read begins
        for (const QJsonValue& c : cases("limits"))
            QTest::newRow(qPrintable(c[0].toString()))
                << c[1].toString().toLatin1() << c[2].toBool() << c[3].toString();
    }

    void limits()
    {
        QFETCH(QByteArray, piece);
        QFETCH(bool, small);
        QFETCH(QString, kept);
        RtfLimits limits;
        if (small) {
            limits.maxInput = 100000;
            limits.maxText = 1000;
            limits.maxParagraphs = 100;
            limits.maxRuns = 100;
        }
        QTextDocument doc;
        RtfReader reader(limits);
        const int times = int(limits.maxInput / piece.size()) + 1;
        const QString text =
            read("{\\rtf1 " + piece.repeated(times) + "{\\b past the end}}", doc, reader);
        QVERIFY(reader.truncated());
        QVERIFY(doc.characterCount() <= limits.maxText + 1);
        QVERIFY(doc.blockCount() <= limits.maxParagraphs + 1);
        QVERIFY(text.startsWith(kept) && !text.contains(QStringLiteral("past")));
        doc.setTextWidth(limits.narrowestWidth);
        QVERIFY(doc.size().height() < 8388607);
    }

    // Read whole, but for breaks in overlong words; 20000 runs once took many minutes.
    void ordinaryTextIsNotCutShort_data()
    {
        QTest::addColumn<QByteArray>("rtf");
        QTest::addColumn<QString>("expected");
        QTest::addColumn<int>("breaks");
        const QString line = QStringLiteral("Twelve words of an ordinary manual, line after line.");
        QTest::newRow("4000 lines") << "\\fs28 " + (line + "\\line ").toLatin1().repeated(4000)
                                    << (line + QChar::LineSeparator).repeated(4000) << 0;
        QTest::newRow("20000 runs in a paragraph") << QByteArray("\\b ab\\b0 cd ").repeated(20000)
                                                   << QStringLiteral("abcd ").repeated(20000) << 0;
        QTest::newRow("a long word")
            << "short " + QByteArray(1000, 'w') + " end"
            << "short " + QString(1000, u'w') + " end" << 1000 / RtfLimits{}.maxWordLength;
    }

    void ordinaryTextIsNotCutShort()
    {
        QFETCH(QByteArray, rtf);
        QFETCH(int, breaks);
        QTextDocument doc;
        RtfReader reader;
        QString text = read("{\\rtf1 " + rtf + "}", doc, reader);
        QVERIFY(!reader.truncated());
        QCOMPARE(text.count(QChar(0x200B)), breaks);
        QTEST(text.remove(QChar(0x200B)).remove(u'\n'), "expected"); // a paragraph in parts
    }

    void longParagraphIsBrokenInParts()
    {
        // Each part takes the paragraph's format; nothing is lost.
        RtfLimits limits;
        limits.maxParagraphLength = 100;
        QTextDocument doc;
        RtfReader reader(limits);
        QCOMPARE(read("{\\rtf1\\qc " + QByteArray(250, 'x') + "\\par\\pard y}", doc, reader),
                 QString(100, u'x') + u'\n' + QString(100, u'x') + u'\n' + QString(50, u'x') +
                     QStringLiteral("\ny"));
        for (int i = 0; i < 3; ++i)
            QCOMPARE(doc.findBlockByNumber(i).blockFormat().alignment(), Qt::AlignHCenter);
        QVERIFY(!(doc.lastBlock().blockFormat().alignment() & Qt::AlignHCenter));
    }
};

PL_TEST_MAIN(TestRtfReader)
#include "tst_rtfreader.moc"

// SPDX-License-Identifier: GPL-3.0-or-later
#include "iniformat.h"
#include "settingsstore.h"
#include "testmain.h"

#include <QDirIterator>
#include <QFile>
#include <QSettings>

// Earlier versions stored the settings through QSettings, so a file reads as QSettings read
// it, and QSettings reads a file written now as it was written.

namespace {

const QString Key = QStringLiteral("TextSettings/HomeText");

// "Section/Key=text" lines of the program's keys, so that a difference shows by name.
QStringList ownLines(const ini::Values& values)
{
    const QStringList own = storedKeys();
    QStringList lines;
    for (const auto& [key, text] : values)
        if (own.contains(key))
            lines << key + QLatin1Char('=') + text;
    return lines;
}

// What the program got from QSettings for its keys in a file of these bytes.
QStringList readByQSettings(const QTemporaryDir& dir, const QByteArray& bytes)
{
    // QSettings keeps what it read of a path while its size and time stay the same.
    static int files = 0;
    const QString path = dir.filePath(QString::number(++files) + QStringLiteral(".ini"));
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly) || f.write(bytes) != bytes.size())
        return {QStringLiteral("not written")};
    f.close();
    QSettings s(path, QSettings::IniFormat);
    // A key spelled in another section ("TextSettings\HomeText" in [General]) hides from
    // QSettings until every section is read; the codec reads every section at once.
    s.allKeys();
    ini::Values values;
    for (const QString& key : storedKeys()) {
        const QVariant v = s.value(key);
        if (v.typeId() == QMetaType::QStringList)
            values[key] = v.toStringList().join(QStringLiteral(", "));
        else if (v.isValid())
            values[key] = v.toString();
    }
    return ownLines(values);
}

} // namespace

class TestIniFormat : public QObject
{
    Q_OBJECT

    QTemporaryDir dir;

private Q_SLOTS:
    // The stored files of the fuzzer's seeds, and the oddities of hand-edited ones.
    void readsAsQSettings_data()
    {
        QTest::addColumn<QByteArray>("file");
        for (const char* folder : {SETTINGS_CORPUS, SETTINGS_DATA}) {
            QDirIterator files(QString::fromUtf8(folder), QDir::Files);
            while (files.hasNext()) {
                QFile f(files.next());
                QVERIFY(f.open(QIODevice::ReadOnly));
                QTest::newRow(qPrintable(files.fileName())) << f.readAll();
            }
        }
    }
    void readsAsQSettings()
    {
        QFETCH(QByteArray, file);
        QCOMPARE(ownLines(ini::parse(file)), readByQSettings(dir, file));
    }

    // A text stored by an earlier version reads as it read then; a text written now reads
    // back as it was, by the codec and by QSettings.
    void awkwardText_data()
    {
        QTest::addColumn<QString>("text");
        QTest::newRow("backslashes") << QStringLiteral("C:\\Program Files\\x41\\");
        QTest::newRow("typed-looking") << QStringLiteral("@Variant(junk)");
        QTest::newRow("non-ASCII") << QStringLiteral("Kärpät 日本 😀");
        QTest::newRow("control characters") << QStringLiteral("\t\n\r\x01"
                                                              "F\x7f\x1b") +
                                                   QChar(0) + QStringLiteral("7");
        QTest::newRow("half a surrogate pair") << QChar(0xd800) + QStringLiteral("b");
        QTest::newRow("byte order mark") << QStringLiteral("\t\uFEFFb");
    }
    void awkwardText()
    {
        QFETCH(QString, text);
        const QString path = dir.filePath(QStringLiteral("written-by-qsettings.ini"));
        QFile::remove(path);
        {
            QSettings old(path, QSettings::IniFormat);
            old.setValue(Key, text);
        }
        QFile f(path);
        QVERIFY(f.open(QIODevice::ReadOnly));
        const QByteArray stored = f.readAll();
        QCOMPARE(ownLines(ini::parse(stored)), readByQSettings(dir, stored));

        const ini::Values values = {{Key, text}};
        const QByteArray written = ini::write(values);
        QCOMPARE(ownLines(ini::parse(written)), ownLines(values));
        QCOMPARE(readByQSettings(dir, written), ownLines(values));
    }
};

PL_CORE_TEST_MAIN(TestIniFormat)
#include "tst_iniformat.moc"

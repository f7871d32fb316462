// SPDX-License-Identifier: GPL-3.0-or-later
#include "gamesheetwriter.h"
#include "playedgame.h"
#include "testmain.h"

#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTextStream>

namespace {

bool writeFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

// What a poppler tool prints for a PDF; empty when it cannot run.
QString poppler(const char* tool, const QStringList& args)
{
    QProcess p;
    p.start(QString::fromLatin1(tool), args);
    if (!p.waitForFinished(30000) || p.exitCode() != 0)
        return QString();
    return QString::fromUtf8(p.readAllStandardOutput());
}

int pageCount(const QString& pdf)
{
    static const QRegularExpression pages(QStringLiteral("^Pages:\\s+(\\d+)$"),
                                          QRegularExpression::MultilineOption);
    return pages.match(poppler("pdfinfo", {pdf})).captured(1).toInt();
}

// The page's text, each line with its runs of spaces made one.
QStringList pdfLines(const QString& pdf)
{
    QStringList lines;
    for (const QString& line : poppler("pdftotext", {"-layout", pdf, "-"}).split('\n'))
        lines << line.simplified();
    return lines;
}

} // namespace

class tst_GameSheetWriter : public QObject
{
    Q_OBJECT
    QTemporaryDir dir;

    QString path(const QString& name) const { return dir.filePath(name); }

private Q_SLOTS:
    void initTestCase()
    {
        if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty() ||
            QStandardPaths::findExecutable(QStringLiteral("pdfinfo")).isEmpty())
            QSKIP("pdftotext and pdfinfo (poppler-utils, scripts/deps.sh test) are needed");
        GameFixture f;
        QVERIFY(writeFile(path("game.json"), playedGame(f)));
    }

    // One page with the final score, each goal with its period, clock and time into the
    // period, the shots by period and the penalty; not the goal taken back.
    void pdf()
    {
        QString errors;
        QTextStream err(&errors);
        QCOMPARE(writeGameSheet(path("sheet.pdf"), path("game.json"), err), 0);
        QCOMPARE(errors, QString());
        QCOMPARE(pageCount(path("sheet.pdf")), 1);
        const QStringList lines = pdfLines(path("sheet.pdf"));
        const QString visitor = QStringLiteral("Comets, \"North\"");
        for (const QString& line : QStringList{
                 "Järvsö 2 – 1 " + visitor, "1st 19:57 0:03 Järvsö 1–0",
                 "2nd 19:57 0:03 " + visitor + " 1–1", "2nd 19:30 0:30 Järvsö 2–1 score set",
                 "Järvsö 8 7 0 15", visitor + " 5 7 0 12", "1st 19:42 0:18 " + visitor + " 17 2",
                 "3rd 19:30 0:30 Järvsö 4 5 waited for a slot"})
            QVERIFY2(lines.contains(line), qPrintable(line + " not in:\n" + lines.join('\n')));
        QVERIFY(!lines.join('\n').contains(QLatin1String("19:47")));
    }

    // However long the game, its sheet is one page.
    void longGameOnOnePage()
    {
        GameFixture f;
        for (int16_t i = 0; i < 120; ++i) {
            f.run(Command::setPenalty(Team::Home, 1, static_cast<int16_t>(i % 100),
                                      ClockValue::whole(120)));
            f.run(Command::penaltyCommand(CommandKind::ClearPenalty, Team::Home, 1));
            f.run(Command::forTeam(CommandKind::Goal, Team::Visitor));
        }
        const auto game = gamejson::fromBytes(gamejson::toBytes(
            gamejson::toJson(f.s(), f.g().record(), QDateTime::currentDateTimeUtc())));
        QVERIFY(writeFile(path("long.pdf"), gameSheetPdf(gameSheet(*game))));
        QCOMPARE(pageCount(path("long.pdf")), 1);
        QVERIFY(pdfLines(path("long.pdf")).contains(QStringLiteral("0 10:00 0:00 Home 19 2")));
    }

    // The program itself, with no display and its own folders: the sheet of the saved game,
    // or one line that says why not, and exit code 2.
    void program_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<bool>("saved"); // a game in the state folder
        QTest::addColumn<int>("code");
        QTest::addColumn<QString>("said"); // the line on stderr, after "pucklight: "
        const QString game = path("game.json");
        QTest::newRow("pdf of the saved game")
            << QStringList{"--game-sheet", "out.pdf"} << true << 0 << "";
        QTest::newRow("csv of another game")
            << QStringList{"--game-sheet=out.CSV", "--game", game} << false << 0 << "";
        QTest::newRow("no saved game") << QStringList{"--game-sheet", "out.pdf"} << false << 2
                                       << "cannot read the game in %1/state/Pucklight/game.json: "
                                          "there is no saved game";
        QTest::newRow("not a game") << QStringList{"--game-sheet", "out.pdf", "--game", "out.pdf"}
                                    << false << 2 << "cannot read the game in out.pdf: ";
        QTest::newRow("neither pdf nor csv")
            << QStringList{"--game-sheet", "out.txt"} << true << 2
            << "the game sheet is written as a .pdf or a .csv file, not as out.txt";
        QTest::newRow("unwritable") << QStringList{"--game-sheet", "out.pdf/x.pdf"} << true << 2
                                    << "cannot write out.pdf/x.pdf: ";
    }
    void program()
    {
        QFETCH(QStringList, args);
        QFETCH(bool, saved);
        QFETCH(int, code);
        QFETCH(QString, said);
        const QString binary = qEnvironmentVariable("PUCKLIGHT_BINARY");
        QVERIFY2(!binary.isEmpty(), "PUCKLIGHT_BINARY must name the program (CTest passes it)");
        QTemporaryDir home;
        const QString folder = home.path();
        QVERIFY(writeFile(folder + "/out.pdf", "not a game"));
        if (saved) {
            QVERIFY(QDir().mkpath(folder + "/state/Pucklight"));
            QVERIFY(QFile::copy(path("game.json"), folder + "/state/Pucklight/game.json"));
        }
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
            env.remove(QLatin1String(name));
        env.insert("HOME", folder);
        for (const char* name : {"CONFIG", "STATE", "DATA", "CACHE"})
            env.insert(QStringLiteral("XDG_%1_HOME").arg(name),
                       folder + '/' + QString::fromLatin1(name).toLower());
        env.insert("XDG_RUNTIME_DIR", folder);
        QProcess p;
        p.setProcessEnvironment(env);
        p.setWorkingDirectory(folder);
        p.start(binary, args);
        QVERIFY(p.waitForFinished(60000));
        const QString errors = QString::fromUtf8(p.readAllStandardError());
        QVERIFY2(p.exitStatus() == QProcess::NormalExit && p.exitCode() == code,
                 qPrintable(errors));
        if (code == 0) {
            QCOMPARE(errors, QString());
            QVERIFY(args[0].endsWith("CSV") ? QFile(folder + "/out.CSV").size() > 0
                                            : pageCount(folder + "/out.pdf") == 1);
        } else {
            QVERIFY2(errors.startsWith("pucklight: " + said.replace("%1", folder)) &&
                         errors.count('\n') == 1 && errors.endsWith('\n'),
                     qPrintable(errors));
        }
    }
};

PL_TEST_MAIN(tst_GameSheetWriter)
#include "tst_gamesheetwriter.moc"

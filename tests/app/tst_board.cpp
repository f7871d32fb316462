#include "boardfixture.h"
#include "colors.h"
#include "frmsplash.h"
#include "mmcontrol.h"
#include "picturebox.h"
#include "program.h"
#include "shape.h"
#include "splashdesign.h"
#include "testmain.h"
#include "widgetcontrols.h"

#include <QFile>
#include <QPointer>
#include <QSignalSpy>
#include <QTemporaryDir>

// Start-up: the splash, the way to the board, and the board's first state.
class TestBoard : public QObject
{
    Q_OBJECT

    QTemporaryDir programDir;

private Q_SLOTS:
    void initTestCase()
    {
        // The program's folder holds the two sounds, as an installation does.
        program::setFolder(programDir.path());
        QFile::copy(QStringLiteral(PL_ASSETS "/buzzer.wav"), programDir.filePath("buzzer.wav"));
        QFile::copy(QStringLiteral(PL_ASSETS "/horn.wav"), programDir.filePath("horn.wav"));
    }

    void splashPlacement()
    {
        QCOMPARE(splashTop(7200), 660.0);
        QVERIFY(splashTop(5000) < 0);
    }

    void splashLoadsSettingsAndShowsTheVersion()
    {
        FakeStore store;
        FakeKeyboard keyboard;
        Settings = SettingVariables();
        auto* splash = new frmSplash;
        QCOMPARE(splash->lblVersion->Caption(), QStringLiteral("Version 1.1.0"));
        QCOMPARE(Settings.BuzzerFile, programDir.filePath(QStringLiteral("buzzer.wav")));
        splash->show();
        QVERIFY(QTest::qWaitForWindowExposed(splash));
        QCOMPARE(QApplication::focusWidget(), splash->cmdHelp);
        QCOMPARE(splash->ClientHeight(), SplashLoadHeight);

        // Enter, like Space, presses the button that has the focus: Help opens, the splash stays.
        QSignalSpy help(splash->cmdHelp, &QPushButton::clicked);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
        QCOMPARE(help.count(), 2);
        QVERIFY(splash->isVisible());
        for (QWidget* w : QApplication::topLevelWidgets())
            if (w->windowTitle() == QLatin1String("Pucklight Help"))
                w->close();

        // A click on the logo opens the board and closes the splash.
        QPointer<frmSplash> guard(splash);
        QPointer<frmScoreBoard> board;
        connect(splash, &frmSplash::boardOpened, this, [&](frmScoreBoard* b) { board = b; });
        QTest::mouseClick(splash->picLogo, Qt::LeftButton);
        QVERIFY(board);
        QTRY_VERIFY(guard.isNull());
        QVERIFY(board->isVisible());
        QCOMPARE(board->windowTitle(), QStringLiteral("Pucklight - Home"));
        board->setAttribute(Qt::WA_DeleteOnClose, false);
        delete board.data();
    }

    void firstStateOfTheBoard()
    {
        BoardFixture f;
        frmScoreBoard& b = f.b();
        QCOMPARE(shown(b.pledTime, true), QStringLiteral("1000"));
        QCOMPARE(b.Shape2[0]->FillColor(), toQColor(Settings.BorderColor));
        QCOMPARE(b.Shape2[1]->FillColor(), toQColor(Settings.BorderColor));
        QCOMPARE(b.pledTime[0]->LitColor(), toQColor(Settings.TimeColor));
        QCOMPARE(shown(b.pledHome), QStringLiteral("--0"));
        QCOMPARE(shown(b.pledVisitor), QStringLiteral("--0"));
        QCOMPARE(shown(b.pledSOGH), QStringLiteral("-0"));
        QCOMPARE(shown(b.pledSOGV), QStringLiteral("-0"));
        QCOMPARE(shown(b.pledPeriod), QStringLiteral("0"));
        for (const DigitRow* r :
             {&b.pledPenaltyPH1, &b.pledPenaltyPH2, &b.pledPenaltyPV1, &b.pledPenaltyPV2,
              &b.pledPenaltyTH1, &b.pledPenaltyTH2, &b.pledPenaltyTV1, &b.pledPenaltyTV2})
            QVERIFY(shown(*r).count(QLatin1Char('-')) == static_cast<qsizetype>(r->size()));
        const QColor dark = toQColor(Settings.FormBack);
        for (Shape* lamp : {b.shpGoalH, b.shpGoalV, b.shpPenaltyH[0], b.shpPenaltyH[1],
                            b.shpPenaltyV[0], b.shpPenaltyV[1]})
            QCOMPARE(lamp->FillColor(), dark);
        QCOMPARE(b.dotPenaltyTH1[0]->FillColor(), toQColor(Settings.LEDBack));
        for (int i = 0; i < ClockCount; ++i)
            QCOMPARE(IsRunning(i), int16_t(0));
        QCOMPARE(ReadClock(GameClock), ClockValue::whole(600));
        QVERIFY(b.tmrClock1.isActive());
        QCOMPARE(QApplication::focusWidget(), b.TimeBack);
        // Both sounds are there, so both players hold their files.
        QCOMPARE(b.mmcBuzzer->FileName(), Settings.BuzzerFile);
        QVERIFY(b.mmcHorn->isOpen());
    }

    void soundFilesThatAreNotThere()
    {
        {
            BoardFixture f(false, [&] {
                Settings.BuzzerFile = programDir.filePath(QStringLiteral("gone.wav"));
            });
            // The board opens normally and the buzzer stays silent.
            QVERIFY(f.b().mmcBuzzer->FileName().isEmpty());
            f.b().Buzzer();
            QCOMPARE(f.b().BuzzerPlaying, int16_t(0));
        }
        {
            // An empty setting opens nothing, even with a buzzer.wav in the current folder.
            const QString cwd = QDir::currentPath();
            QDir::setCurrent(programDir.path());
            BoardFixture f(false, [] { Settings.BuzzerFile.clear(); });
            QVERIFY(f.b().mmcBuzzer->FileName().isEmpty());
            QVERIFY(!f.b().mmcBuzzer->isOpen());
            QDir::setCurrent(cwd);
        }
    }

    void closingTheBoardClosesThePlayers()
    {
        BoardFixture f;
        frmScoreBoard& b = f.b();
        QVERIFY(b.mmcBuzzer->isOpen());
        b.close();
        QVERIFY(!b.mmcBuzzer->isOpen());
        QVERIFY(!b.mmcHorn->isOpen());
        QVERIFY(!b.tmrClock1.isActive());
    }
};

PL_TEST_MAIN(TestBoard)
#include "tst_board.moc"

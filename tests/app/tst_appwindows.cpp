#include "appwindows.h"
#include "boardfixture.h"
#include "frmoptions.h"
#include "frmsplash.h"
#include "label.h"
#include "mmcontrol.h"
#include "modal.h"
#include "picturebox.h"
#include "program.h"
#include "settingvariables.h"
#include "splashdesign.h"
#include "testmain.h"
#include "widgetcontrols.h"

#include <QFile>
#include <QPointer>
#include <QSignalSpy>
#include <QTemporaryDir>

// Start-up and the windows the program opens around the board: the splash, the way to the
// board, and the options dialog from F2 and from the splash.
class TestAppWindows : public QObject
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

    // The splash loads the settings, its Options reach the board it opens, and a click on the
    // logo opens the board and closes the splash.
    void splashOptionsThenTheBoard()
    {
        FakeTime time;
        FakeStore store;
        FakeKeyboard keyboard;
        FakeDialogs dialogs;
        Settings = SettingVariables();
        auto* splash = new frmSplash;
        QPointer<frmSplash> guard(splash);
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

        bool seen = false;
        onNextModal(
            [](QWidget* w) {
                auto* d = qobject_cast<frmOptions*>(w);
                if (!d) {
                    w->close();
                    return;
                }
                d->txtHomeText->setText(QStringLiteral("Hawks"));
                d->txtVisitorText->setText(QStringLiteral("Eagles"));
                d->cmdOk->click();
            },
            &seen);
        splash->cmdOptions->click();
        QVERIFY(seen);
        QVERIFY(splash->isVisible());
        QCOMPARE(store.value(QStringLiteral("TextSettings"), QStringLiteral("HomeText")),
                 QStringLiteral("Hawks"));

        QPointer<frmScoreBoard> board;
        connect(splash, &frmSplash::boardOpened, this, [&](frmScoreBoard* b) { board = b; });
        QTest::mouseClick(splash->picLogo, Qt::LeftButton);
        QVERIFY(board);
        QTRY_VERIFY(guard.isNull());
        QVERIFY(board->isVisible());
        QCOMPARE(board->windowTitle(), QStringLiteral("Pucklight - Hawks"));
        QCOMPARE(board->lblVisitor->Caption(), QStringLiteral("Eagles"));
        board->setAttribute(Qt::WA_DeleteOnClose, false);
        delete board.data();
    }

    // F2 opens the options over the running board; Cancel still re-applies the variables.
    void f2ThenCancelReappliesEverything()
    {
        BoardFixture f;
        FakeDialogs dialogs;
        frmScoreBoard& b = f.b();
        wireBoardWindows(&b);
        // Variables changed behind the board's back show only if the board takes them afresh.
        Settings.HomeText = QStringLiteral("Hawks");
        Settings.BuzzerFile = QStringLiteral("/elsewhere/buzz.wav");
        Settings.HornFile = QStringLiteral("/elsewhere/honk.wav");
        Settings.LEDType = 1;
        const size_t stored = f.store.size();

        f.type(Field::Home, "4");
        bool seen = false;
        bool ticking = false;
        onNextModal(
            [&](QWidget* w) {
                ticking = b.tmrClock1.isActive();
                if (auto* d = qobject_cast<frmOptions*>(w))
                    d->cmdCancel->click();
                else
                    w->close();
            },
            &seen);
        QTest::keyClick(b.box(Field::Home), Qt::Key_F2);
        QVERIFY(seen);
        QVERIFY(ticking);

        QCOMPARE(b.windowTitle(), QStringLiteral("Pucklight - Hawks"));
        QCOMPARE(b.lblHome->Caption(), QStringLiteral("Hawks"));
        QCOMPARE(b.field(Field::Home).digits[0]->LedType(), 1);
        QCOMPARE(b.mmcBuzzer->FileName(), Settings.BuzzerFile);
        QCOMPARE(b.mmcHorn->FileName(), Settings.HornFile);
        QCOMPARE(f.store.size(), stored);
        // The field got F2 as a key without meaning: the digit typed before it still counts.
        QCOMPARE(f.shown(Field::Home), QStringLiteral("--0"));
        f.type(Field::Home, "\n");
        QCOMPARE(f.shown(Field::Home), QStringLiteral("--4"));
    }
};

PL_TEST_MAIN(TestAppWindows)
#include "tst_appwindows.moc"

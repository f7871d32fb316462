#include "fakes.h"
#include "frmscoreboard.h"
#include "frmsplash.h"
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

// Start-up: the splash and the way to the board.
class TestSplash : public QObject
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
};

PL_TEST_MAIN(TestSplash)
#include "tst_splash.moc"

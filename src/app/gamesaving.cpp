// SPDX-License-Identifier: GPL-3.0-or-later
#include "gamesaving.h"

#include "commandline.h"
#include "commondialogs.h"
#include "consolestatus.h"
#include "consolewindow.h"
#include "frmconsole.h"
#include "frmscoreboard.h"
#include "frmsplash.h"
#include "gamefile.h"
#include "timesource.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLocale>
#include <QTimer>

QString savedWhen(const QDateTime& savedAt, const QDateTime& now)
{
    const QDateTime local = savedAt.toLocalTime();
    const QString time = local.time().toString(QStringLiteral("HH:mm:ss"));
    if (local.date() == now.toLocalTime().date())
        return QCoreApplication::translate("GameSaving", "Saved today at %1.").arg(time);
    return QCoreApplication::translate("GameSaving", "Saved on %1 at %2.")
        .arg(QLocale().toString(local.date(), QLocale::LongFormat), time);
}

namespace {

// A resumed game's board goes where it was, unless the command line says where.
void takePlacement(const gamejson::BoardPlacement& p)
{
    LaunchOptions& o = launchOptions();
    if (o.screen < 0 && !o.fullScreen) {
        o.screen = p.screen;
        o.fullScreen = p.fullScreen;
    }
    o.console = o.console || p.console;
}

// Where the board is shown, kept in the game file from the board's opening on.
void keepPlacement(GameFile& file)
{
    const LaunchOptions& o = launchOptions();
    const auto save = [&file, screen = o.screen, full = o.fullScreen](bool console) {
        file.setBoardPlacement({screen, full, console});
    };
    const frmConsole* console = consolewindow::current();
    save(console && console->isVisible());
    QObject::connect(&consolewindow::notifier(), &consolewindow::Notifier::shownChanged, &file,
                     save);
}

} // namespace

void keepGameSaved(frmSplash* splash, GameFile& file)
{
    if (!file.claim()) {
        // Another board keeps its game here: this one leaves its files alone.
        const QString folder = QDir::toNativeSeparators(QFileInfo(file.path()).absolutePath());
        consolewindow::status().set(
            ConsoleStatus::Row::GameFile, ConsoleStatus::Level::Failed,
            QCoreApplication::translate("GameSaving",
                                        "not saved: another board keeps its game in %1")
                .arg(folder));
        qWarning("pucklight: another Pucklight board (%s) is running and saves its game in %s; "
                 "this board runs without saving its game",
                 qUtf8Printable(file.owner()), qUtf8Printable(folder));
        QTimer::singleShot(0, splash, [splash, folder] {
            commonDialogs().tell(
                splash, QCoreApplication::translate("GameSaving", "Another board is running"),
                QCoreApplication::translate("GameSaving",
                                            "Another Pucklight board is running on this computer "
                                            "and saves its game. This board does not save its "
                                            "game."),
                QCoreApplication::translate("GameSaving", "Its game is kept in %1.").arg(folder));
        });
        return;
    }
    consolewindow::status().set(ConsoleStatus::Row::GameFile, ConsoleStatus::Level::Ok,
                                QCoreApplication::translate("GameSaving", "saved in %1")
                                    .arg(QDir::toNativeSeparators(file.path())));
    QObject::connect(splash, &frmSplash::boardOpened, &file, [&file](frmScoreBoard* board) {
        file.follow(&board->game());
        keepPlacement(file);
    });
    const auto saved = file.load();
    if (!saved || !GameFile::differsFromNewBoard(*saved))
        return;
    // Asked once the splash shows, so that the question stands in front of it.
    QTimer::singleShot(0, splash, [splash, &file, saved = *saved] {
        Question q;
        q.title = QCoreApplication::translate("GameSaving", "Resume game");
        q.text = QCoreApplication::translate("GameSaving", "Resume the last game?");
        q.details = savedWhen(saved.savedAt, timeSource().localNow());
        q.yes = QCoreApplication::translate("GameSaving", "&Resume");
        q.no = QCoreApplication::translate("GameSaving", "&New game");
        if (commonDialogs().ask(splash, q)) {
            if (saved.board)
                takePlacement(*saved.board);
            if (frmScoreBoard* board = splash->GoScore())
                board->resumeGame(saved.state, saved.record);
        } else {
            file.setAside();
        }
    });
}

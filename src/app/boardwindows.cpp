// SPDX-License-Identifier: GPL-3.0-or-later
// The windows around the board: the help window and the options dialog, as the board and the
// splash open them.
#include "appwindows.h"
#include "consolewindow.h"
#include "frmoptions.h"
#include "frmscoreboard.h"
#include "frmwaiting.h"
#include "keycodes.h"
#include "settingvariables.h"

#include <QPointer>

#ifdef PUCKLIGHT_HAVE_HELP
#include "frmhelp.h"
#endif

namespace {

// The board whose game takes the command keys typed in the help window: the one opened
// last. Until a board is open, those keys go nowhere.
QPointer<frmScoreBoard> keysBoard;

#ifdef PUCKLIGHT_HAVE_HELP
// A key the help window passes on. Only the command keys run: F1 and F2 would open windows
// from inside the manual.
void helpKeyToBoard(int16_t KeyCode)
{
    if (keysBoard && KeyCode != vk::F1 && KeyCode != vk::F2)
        keysBoard->game().AllKeyCode(KeyCode);
}
#endif

} // namespace

void showHelpWindow(QWidget* opener, HelpFocus focus)
{
#ifdef PUCKLIGHT_HAVE_HELP
    // Each new window is connected once; a later request brings the same one forward.
    static QPointer<frmHelp> connected;
    frmHelp* w = frmHelp::showHelp(opener, focus == HelpFocus::Take);
    if (w != connected) {
        connected = w;
        QObject::connect(w, &frmHelp::keyForBoard, w, &helpKeyToBoard);
    }
#else
    Q_UNUSED(opener)
    Q_UNUSED(focus)
#endif
}

bool showOptionsDialog(QWidget* parent)
{
    // Each opening starts from the setting variables afresh. The owner may go while the
    // dialog runs its own event loop, taking the dialog with it.
    QPointer<frmOptions> dialog = new frmOptions(parent);
    const bool ok = dialog->exec() == QDialog::Accepted;
    delete dialog;
    return ok;
}

void wireBoardWindows(frmScoreBoard* board)
{
    keysBoard = board;
    QObject::connect(board, &frmScoreBoard::helpRequested, board,
                     [board] { showHelpWindow(board); });
    QObject::connect(board, &frmScoreBoard::waitingRequested, board,
                     [board] { frmWaiting::showFor(board->game(), board); });
    QObject::connect(board, &frmScoreBoard::consoleRequested, board,
                     [board] { consolewindow::toggle(board); });
    QObject::connect(board, &frmScoreBoard::optionsRequested, board, [board] {
        // Whether the dialog ended with OK or not, the board takes the settings afresh.
        QPointer<frmScoreBoard> alive = board;
        showOptionsDialog(board);
        if (alive)
            board->applySettings(Settings);
    });
}

frmScoreBoard* createScoreBoard(Game& game)
{
    // The board opens on the setting variables as they are now.
    game.setSettings(Settings);
    auto* board = new frmScoreBoard(game);
    wireBoardWindows(board);
    return board;
}

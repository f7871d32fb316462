// The help window and the options dialog, as the board and the splash open them.
#include "appwindows.h"
#include "boardclock.h"
#include "frmoptions.h"
#include "frmscoreboard.h"

#include <QPointer>

#ifdef PUCKLIGHT_HAVE_HELP
#include "frmhelp.h"
#endif

void showHelpWindow(QWidget* opener)
{
#ifdef PUCKLIGHT_HAVE_HELP
    frmHelp::showHelp(opener);
#else
    Q_UNUSED(opener)
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

void frmScoreBoard::ShowHelp()
{
    showHelpWindow(this);
}

void frmScoreBoard::ShowOptions()
{
    showOptionsDialog(this);
    // Whether the dialog ended with OK or not, the board takes the settings afresh.
    UpdateLabels();
    UpdateFormColors();
    UpdateNumLock();
    Penalty();
    CaptureBoardLayout();
    ReopenSounds();
}

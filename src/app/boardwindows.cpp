// The help window and the options dialog, as the board and the splash open them.
#include "appwindows.h"
#include "boardclock.h"
#include "frmscoreboard.h"

#ifdef PUCKLIGHT_HAVE_HELP
#include "frmhelp.h"
#endif

void showHelpWindow()
{
#ifdef PUCKLIGHT_HAVE_HELP
    frmHelp::showHelp();
#endif
}

bool showOptionsDialog(QWidget* /*parent*/)
{
    return false;
}

void frmScoreBoard::ShowHelp()
{
    showHelpWindow();
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

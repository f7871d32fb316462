// SPDX-License-Identifier: GPL-3.0-or-later
#include "frmsplash.h"

#include "appwindows.h"
#include "commandline.h"
#include "consolewindow.h"
#include "frmscoreboard.h"
#include "keyboard.h"
#include "picturebox.h"
#include "program.h"
#include "screen.h"
#include "settingsstore.h"
#include "settingvariables.h"
#include "splashdesign.h"
#include "twips.h"
#include "widgetcontrols.h"

#include <QApplication>
#include <QGuiApplication>
#include <QIcon>
#include <QMouseEvent>
#include <QScreen>
#include <QTimer>

frmSplash::frmSplash(Game& game, QWidget* parent)
    : Form(parent, Qt::Window | Qt::FramelessWindowHint), theGame(game)
{
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("Pucklight"));
    setWindowIcon(QIcon(QStringLiteral(":/pucklight/icon.png")));
    setClientSize(SplashClientWidth, SplashClientHeight);
    buildControls(*this, splashDesign());

    help = find<CommandButton>(QStringLiteral("cmdHelp"));
    options = find<CommandButton>(QStringLiteral("cmdOptions"));
    logo = find<PictureBox>(QStringLiteral("picLogo"));
    version = find<Label>(QStringLiteral("lblVersion"));
    logo->setAutoSize(true);
    logo->setPicture(QPixmap(QStringLiteral(":/pucklight/logo.png")));

    // Only the buttons and the logo take the focus, in this order. Enter presses the button
    // that has the focus, as Space does; outside a dialog neither becomes a default button.
    help->setAutoDefault(true);
    options->setAutoDefault(true);
    help->setFocusPolicy(Qt::StrongFocus);
    options->setFocusPolicy(Qt::StrongFocus);
    logo->setFocusPolicy(Qt::TabFocus);
    QWidget::setTabOrder(help, options);
    QWidget::setTabOrder(options, logo);

    // A click anywhere but on the two buttons opens the board.
    for (Control* c : Controls()) {
        if (auto* l = dynamic_cast<Label*>(c))
            connect(l, &Label::clicked, this, &frmSplash::GoScore);
        else if (auto* f = dynamic_cast<Frame*>(c))
            connect(f, &Frame::clicked, this, &frmSplash::GoScore);
        else if (auto* b = dynamic_cast<PictureBox*>(c))
            connect(b, &PictureBox::clicked, this, &frmSplash::GoScore);
    }
    connect(help, &QPushButton::clicked, this, [this] { showHelpWindow(this); });
    connect(options, &QPushButton::clicked, this, [this] { showOptionsDialog(this); });

    Form_Load();
}

void frmSplash::Form_Load()
{
    setClientSize(SplashClientWidth, SplashLoadHeight);
    const QScreen* screen = this->screen() ? this->screen() : QGuiApplication::primaryScreen();
    const QSizeF area = program::screenSizeTwips(this);
    topTwips = splashTop(area.height());
    leftTwips = (area.width() - ClientWidth()) / 2;
    const QPoint origin = screen ? screen->geometry().topLeft() : QPoint();
    move(origin + QPoint(twips::toPixels(leftTwips), twips::toPixels(topTwips)));
    find<Control>(QStringLiteral("frameSplash"))->setHeight(SplashFrameHeight);
    version->setCaption(tr("Version %1.%2.%3")
                            .arg(program::VersionMajor)
                            .arg(program::VersionMinor)
                            .arg(program::VersionRevision));
    LoadSettings();
    ApplyNumLockMode(Settings.NumLockForce);
}

void frmSplash::showEvent(QShowEvent* e)
{
    Form::showEvent(e);
    help->setFocus(Qt::OtherFocusReason);
}

void frmSplash::closeEvent(QCloseEvent* e)
{
    Form::closeEvent(e);
    // Closed some other way than on to the board: nothing is left to run.
    if (!gone)
        QApplication::quit();
}

void frmSplash::mouseReleaseEvent(QMouseEvent* e)
{
    if (e->button() == Qt::LeftButton)
        GoScore();
    Form::mouseReleaseEvent(e);
}

frmScoreBoard* frmSplash::GoScore()
{
    if (gone)
        return nullptr;
    gone = true;
    // The click that got us here is still being delivered to one of our controls; let the
    // splash go once that has finished.
    hide();
    QTimer::singleShot(0, this, &QWidget::close);
    frmScoreBoard* board = createScoreBoard(theGame);
    presentBoard(board);
    // The operator's console beside it, when asked for; it takes the keyboard then.
    if (launchOptions().console || Settings.OpenConsole != 0)
        consolewindow::open(board);
    Q_EMIT boardOpened(board);
    return board;
}

// SPDX-License-Identifier: GPL-3.0-or-later
#include "frmhelp.h"

#include "keyboard.h"
#include "program.h"
#include "rtfreader.h"
#include "twips.h"
#include "widgetcontrols.h"

#include <QFile>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QPointer>
#include <QResizeEvent>
#include <QScreen>
#include <QTextBrowser>
#include <QTextDocument>
#include <algorithm>
#include <cmath>

namespace {

constexpr double DesignClientWidth = 11055;
constexpr double DesignClientHeight = 9270;
constexpr double MinOuterWidth = 2700;
constexpr double MinOuterHeight = 1700;
constexpr double BoxLeft = 120;
constexpr double BoxTop = 0;
constexpr double BoxWidthLess = 240;  // the box is this much narrower than the window
constexpr double BoxHeightLess = 420; // and this much lower
constexpr double WrapLess = 450;      // text wraps this far short of the box's width

QPointer<frmHelp> openWindow;
int loads = 0;

// The keys a reader moves through the manual with. The box takes them when it has the focus;
// they stay here even when it lets one go (Up at the top, Tab past the last link).
bool readingKey(int key)
{
    switch (key) {
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_Left:
    case Qt::Key_Right:
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
    case Qt::Key_Home:
    case Qt::Key_End:
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
    case Qt::Key_Space:
        return true;
    default:
        return false;
    }
}

bool modifierKey(int key)
{
    return key == Qt::Key_Control || key == Qt::Key_Alt || key == Qt::Key_Meta ||
           key == Qt::Key_Shift || key == Qt::Key_AltGr;
}

int ceilPixels(double tw)
{
    return static_cast<int>(std::ceil(tw / twips::PerPixel));
}

} // namespace

QString frmHelp::missingFileMessage()
{
    return tr("Help file has been moved from its normal location.  Please reinstall the program.");
}

frmHelp* frmHelp::showHelp(QWidget* opener, bool activate)
{
    if (!openWindow) {
        openWindow = new frmHelp();
        const QScreen* s = opener ? opener->screen() : nullptr;
        openWindow->centreOn(s ? s : QGuiApplication::primaryScreen());
    }
    openWindow->setAttribute(Qt::WA_ShowWithoutActivating, !activate);
    if (!openWindow->isVisible()) {
        openWindow->show();
        return openWindow;
    }
    if (openWindow->isMinimized())
        openWindow->showNormal();
    openWindow->raise();
    if (activate)
        openWindow->activateWindow();
    return openWindow;
}

frmHelp* frmHelp::current()
{
    return openWindow;
}

int frmHelp::loadCount()
{
    return loads;
}

frmHelp::frmHelp() : Form(nullptr, Qt::Window)
{
    setObjectName(QStringLiteral("frmHelp"));
    setWindowTitle(tr("Pucklight Help"));
    setAttribute(Qt::WA_DeleteOnClose);
    // The board decides when the program ends; an open manual must not keep it running.
    setAttribute(Qt::WA_QuitOnClose, false);
    // The manual is black on white whatever the system theme; its own colours are for white.
    QPalette pal = palette();
    pal.setColor(QPalette::Window, Qt::white);
    pal.setColor(QPalette::WindowText, Qt::black);
    setPalette(pal);
    setAutoFillBackground(true);
    setMinimumSize(ceilPixels(MinOuterWidth - twips::FrameWidth),
                   ceilPixels(MinOuterHeight - twips::FrameHeight));

    box = new QTextBrowser(this);
    box->setObjectName(QStringLiteral("rtbHelp"));
    box->setReadOnly(true);
    box->setOpenLinks(false);
    box->setLineWrapMode(QTextEdit::FixedPixelWidth);
    QPalette boxPal = box->palette();
    boxPal.setColor(QPalette::Base, Qt::white);
    boxPal.setColor(QPalette::Text, Qt::black);
    box->setPalette(boxPal);
    boxControl = std::make_unique<WidgetControl>(box, QStringLiteral("rtbHelp"),
                                                 QStringLiteral("RichTextBox"));
    addControl(boxControl.get());

    setClientSize(DesignClientWidth, DesignClientHeight);
    // The box wraps at its final width before it holds the manual: until a window is shown it
    // gets no resize event, and a box that wraps at no width at all puts every character on a
    // line of its own, which for a long manual is taller than Qt's layout can ever finish.
    fitBox();
    load();
}

frmHelp::~frmHelp() = default;

void frmHelp::load()
{
    ++loads;
    QFile file(program::dataFile(QString::fromLatin1(FileName)));
    if (!program::fileExists(file.fileName()) || !file.open(QIODevice::ReadOnly)) {
        box->setPlainText(missingFileMessage());
        return;
    }
    // Only as much as the reader looks at is read, however large the file is.
    RtfReader reader;
    const QByteArray content = file.read(RtfLimits{}.maxInput);
    auto* doc = new QTextDocument(box);
    reader.read(content, doc);
    // The box gives a document without a layout its layout at once, and lays it out at the
    // document's own width. Without a width each paragraph is a single line, too short for
    // Qt's layout to pause anywhere: the whole manual would be laid out there and then, only
    // to be laid out again at the box's width. With the box's width set first, the layout
    // goes on in steps as the box is shown.
    doc->setTextWidth(box->lineWrapColumnOrWidth());
    box->setDocument(doc);
}

void frmHelp::centreOn(const QScreen* screen)
{
    if (!screen)
        return;
    const QRect area = screen->availableGeometry();
    const int w = twips::toPixels(OuterWidth());
    const int h = twips::toPixels(OuterHeight());
    move(area.x() + std::max(0, (area.width() - w) / 2),
         area.y() + std::max(0, (area.height() - h) / 2));
}

void frmHelp::resizeEvent(QResizeEvent* e)
{
    Form::resizeEvent(e);
    if (isMinimized())
        return;
    if (width() < minimumWidth() || height() < minimumHeight()) {
        // Only a window manager that ignores the minimum size gets here; the resize this
        // asks for comes back through this handler.
        resize(std::max(width(), minimumWidth()), std::max(height(), minimumHeight()));
        return;
    }
    fitBox();
}

void frmHelp::keyPressEvent(QKeyEvent* e)
{
    // What comes here the box did not take.
    if (e->key() == Qt::Key_Escape && e->modifiers() == Qt::NoModifier) {
        close();
        return;
    }
    // Ctrl+C and the like are the reader's; a modifier pressed on its own (Ctrl can be a
    // command key) carries its own flag and still goes on.
    const bool combination =
        (e->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) &&
        !modifierKey(e->key());
    if (readingKey(e->key()) || combination) {
        Form::keyPressEvent(e);
        return;
    }
    keyboardState().observeKeyPress(*e);
    if (const int16_t code = virtualKeyCode(*e))
        Q_EMIT keyForBoard(code);
    e->accept();
}

void frmHelp::fitBox()
{
    const double boxWidth = OuterWidth() - BoxWidthLess;
    boxControl->Move(BoxLeft, BoxTop, boxWidth, OuterHeight() - BoxHeightLess);
    // The window's minimum size keeps the wrap width above the narrowest one the reader
    // plans the document for; the bound holds should a window manager ignore that minimum.
    const int narrowest = static_cast<int>(std::ceil(RtfLimits{}.narrowestWidth));
    box->setLineWrapColumnOrWidth(std::max(narrowest, twips::toPixels(boxWidth - WrapLess)));
    box->update();
}

// SPDX-License-Identifier: GPL-3.0-or-later
#include "miniboard.h"

#include "boarddesign.h"
#include "picturebox.h"
#include "twips.h"

#include <QKeyEvent>
#include <QPainter>
#include <algorithm>

namespace {

// Room around the view for the focus line.
constexpr int Margin = 4;
constexpr int FocusLine = 2;
// The frame around the selected field: a line of the highlight colour, with a thin line of
// the highlighted text's colour outside it so that it shows on any board colour.
constexpr int FrameLine = 3;

QSize designSize()
{
    return {twips::toPixels(BoardClientWidth), twips::toPixels(BoardClientHeight)};
}

} // namespace

// Draws the frame above the view; clicks go through to the miniature.
class MiniBoard::Frame : public QWidget
{
public:
    Frame(MiniBoard* owner) : QWidget(owner), mini(owner)
    {
        setAttribute(Qt::WA_TransparentForMouseEvents);
        setAttribute(Qt::WA_NoSystemBackground);
        setFocusPolicy(Qt::NoFocus);
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter p(this);
        const QRect r = mini->frameRect().translated(-pos());
        p.setPen(QPen(palette().color(QPalette::HighlightedText), 1));
        p.drawRect(r.adjusted(-FrameLine - 1, -FrameLine - 1, FrameLine, FrameLine));
        p.setPen(QPen(palette().color(QPalette::Highlight), FrameLine, Qt::SolidLine, Qt::SquareCap,
                      Qt::MiterJoin));
        const int half = FrameLine / 2;
        p.drawRect(r.adjusted(-half - 1, -half - 1, half, half));
    }

private:
    MiniBoard* mini;
};

MiniBoard::MiniBoard(Game& game, QWidget* parent)
    : QWidget(parent), theGame(game), boardSize(designSize()), styledWith(game.settings()),
      framed(game.state().selected)
{
    setObjectName(QStringLiteral("miniBoard"));
    setAccessibleName(tr("Board"));
    setFocusPolicy(Qt::StrongFocus);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    board = new BoardView(game, this);
    // The view only shows: its fields neither take the focus nor the mouse.
    board->setAttribute(Qt::WA_TransparentForMouseEvents);
    for (int i = 0; i < FieldCount; ++i)
        board->box(static_cast<Field>(i))->setFocusable(false);
    frame = new Frame(this);
    placeView();
}

void MiniBoard::setBoardSize(QSize size)
{
    if (!size.isValid() || size.isEmpty() || size == boardSize)
        return;
    boardSize = size;
    updateGeometry();
    update();
    placeView();
}

QSize MiniBoard::sizeHint() const
{
    return boardSize.scaled(designSize(), Qt::KeepAspectRatio) + QSize(2 * Margin, 2 * Margin);
}

QSize MiniBoard::minimumSizeHint() const
{
    return boardSize.scaled(designSize() / 2, Qt::KeepAspectRatio) + QSize(2 * Margin, 2 * Margin);
}

void MiniBoard::placeView()
{
    const QRect area = rect().adjusted(Margin, Margin, -Margin, -Margin);
    if (area.isEmpty())
        return;
    QSize fit = boardSize.scaled(area.size(), Qt::KeepAspectRatio);
    fit = fit.expandedTo(QSize(1, 1));
    const QRect place(area.topLeft() + QPoint((area.width() - fit.width()) / 2,
                                              (area.height() - fit.height()) / 2),
                      fit);
    board->setGeometry(place);
    frame->setGeometry(rect());
    frame->raise();
}

QRect MiniBoard::frameRect() const
{
    return board->box(theGame.state().selected)->geometry().translated(board->pos());
}

void MiniBoard::follow()
{
    if (!(theGame.settings() == styledWith)) {
        styledWith = theGame.settings();
        board->UpdateLabels();
        board->UpdateFormColors();
    } else {
        board->render();
    }
    const Field selected = theGame.state().selected;
    if (selected != framed) {
        const QRect grow(-FrameLine - 2, -FrameLine - 2, 2 * FrameLine + 4, 2 * FrameLine + 4);
        const auto around = [&](Field f) {
            const QRect r = board->box(f)->geometry().translated(board->pos());
            return r.adjusted(grow.left(), grow.top(), grow.width(), grow.height());
        };
        frame->update(around(framed));
        framed = selected;
        frame->update(around(framed));
    }
}

void MiniBoard::step(int by)
{
    const int next = (index(theGame.state().selected) + by + FieldCount) % FieldCount;
    theGame.select(static_cast<Field>(next));
}

bool MiniBoard::event(QEvent* e)
{
    // Tab walks the fields, as on the board; Ctrl+Tab leaves for the console's other parts.
    if (e->type() == QEvent::KeyPress) {
        auto* k = static_cast<QKeyEvent*>(e);
        const bool plain = !(k->modifiers() & (Qt::ControlModifier | Qt::AltModifier));
        if (plain && (k->key() == Qt::Key_Tab || k->key() == Qt::Key_Backtab)) {
            step(k->key() == Qt::Key_Tab ? 1 : -1);
            return true;
        }
        if (!plain && k->modifiers() & Qt::ControlModifier &&
            (k->key() == Qt::Key_Tab || k->key() == Qt::Key_Backtab)) {
            focusNextPrevChild(k->key() == Qt::Key_Tab);
            return true;
        }
    }
    return QWidget::event(e);
}

void MiniBoard::keyPressEvent(QKeyEvent* e)
{
    Q_EMIT keyDown(e);
    e->accept();
}

void MiniBoard::keyReleaseEvent(QKeyEvent* e)
{
    Q_EMIT keyUp(e);
    e->accept();
}

void MiniBoard::mousePressEvent(QMouseEvent* e)
{
    setFocus(Qt::MouseFocusReason);
    if (e->button() != Qt::LeftButton)
        return;
    if (const auto f = board->fieldAt(board->mapFrom(this, e->position().toPoint())))
        theGame.select(*f);
}

void MiniBoard::resizeEvent(QResizeEvent* e)
{
    QWidget::resizeEvent(e);
    placeView();
}

void MiniBoard::paintEvent(QPaintEvent*)
{
    if (!hasFocus())
        return;
    // The line that says the board's keys are taken here.
    QPainter p(this);
    p.setPen(QPen(palette().color(QPalette::Highlight), FocusLine));
    p.drawRect(rect().adjusted(1, 1, -1, -1));
}

void MiniBoard::focusInEvent(QFocusEvent* e)
{
    QWidget::focusInEvent(e);
    updateFocusLine();
}

void MiniBoard::focusOutEvent(QFocusEvent* e)
{
    QWidget::focusOutEvent(e);
    updateFocusLine();
}

void MiniBoard::updateFocusLine()
{
    // The line alone: the view inside need not be drawn again.
    update(QRegion(rect()) - QRegion(rect().adjusted(Margin, Margin, -Margin, -Margin)));
}

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "boardview.h"

#include <QWidget>

class QKeyEvent;

// The board in miniature: a BoardView of the game, drawn by the board's own code and kept at
// the board window's shape, with the selected field framed plainly in the system's highlight
// colour, whatever colour the board's own marker has. A click on a field selects it. It takes
// the keyboard for the console: every key it gets is handed on (keyDown), except Tab and
// Shift+Tab, which select the next and the previous field as on the board.
class MiniBoard : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY(MiniBoard)
public:
    explicit MiniBoard(Game& game, QWidget* parent = nullptr);

    BoardView* view() const { return board; }
    // The board window's client size, whose shape the miniature keeps.
    void setBoardSize(QSize size);
    // Draws what changed in the game; new settings restyle the view.
    void follow();
    // Where the frame is drawn: the selected field's box, in this widget's coordinates.
    QRect frameRect() const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

Q_SIGNALS:
    void keyDown(QKeyEvent* e);
    void keyUp(QKeyEvent* e);

protected:
    bool event(QEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;
    void paintEvent(QPaintEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    void keyReleaseEvent(QKeyEvent* e) override;
    void focusInEvent(QFocusEvent* e) override;
    void focusOutEvent(QFocusEvent* e) override;

private:
    void placeView();
    void updateFocusLine();
    void step(int by);

    class Frame;
    Game& theGame;
    BoardView* board = nullptr;
    Frame* frame = nullptr;
    QSize boardSize;
    SettingVariables styledWith;
    Field framed;
};

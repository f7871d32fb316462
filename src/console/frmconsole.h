// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "consolestatus.h"
#include "game.h"

#include <QImage>
#include <QWidget>
#include <array>

class MiniBoard;
class PenaltyPanel;
class QKeyEvent;
class QLabel;
class QScreen;
class QTabWidget;
class QTreeWidget;

// The operator's console, "Pucklight Console": another view of the board's game, for the
// operator's own screen. It shows the board in miniature with the selected field framed, what
// is typed and what Enter will do, the penalties (kept in place), the latest entries of the game
// record with the next undo and redo, the status of the program's outputs, and the keys.
//
// Its miniature takes the same keys as the board, as commands to the same game on the game's
// selected field; Tab and Shift+Tab select the fields, Escape throws away what is typed, and
// Ctrl+Tab moves on to the console's other parts, from which Escape comes back. F1 to F4 pressed
// here ask for their windows for the console (the signals below); the board's own are left to it.
class frmConsole : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY(frmConsole)
public:
    // How the console's keys are named in the game and its record.
    static CommandSource keySource();
    static constexpr int RecordRows = 20;

    frmConsole(Game& game, ConsoleStatus& status, QWidget* parent = nullptr);
    ~frmConsole() override;

    MiniBoard* miniBoard() const { return mini; }
    PenaltyPanel* penalties() const { return penaltyPanel; }
    // The entry on the selected field and what Enter does; a leftover elsewhere; what the
    // clear key does there.
    QLabel* entryLine() const { return lblEntry; }
    QLabel* leftoverLine() const { return lblLeftover; }
    QLabel* clearKeyLine() const { return lblClearKey; }
    QLabel* undoLine() const { return lblUndo; }
    QLabel* redoLine() const { return lblRedo; }
    QTreeWidget* record() const { return lstRecord; }
    QLabel* keysText() const { return lblKeys; }
    // The text of a status row ("" while it is off), and the QR code beside it (none: null).
    QString statusText(ConsoleStatus::Row row) const;
    QImage statusCode(ConsoleStatus::Row row) const;

    // The board window's client size, whose shape the miniature keeps.
    void setBoardSize(QSize size);
    // Sized for the available area of `screen` (at most 1366 x 768 to start with) and shown
    // there; brought forward if it is open.
    void present(QScreen* screen);

Q_SIGNALS:
    void helpRequested();
    void optionsRequested();
    void waitingRequested();
    // F4 in the console: it is to close.
    void consoleRequested();

protected:
    void keyPressEvent(QKeyEvent* e) override;
    void changeEvent(QEvent* e) override;

private:
    void build();
    void retranslate();
    void follow();
    void showEntry();
    void showRecord();
    void showStatus(ConsoleStatus::Row row);
    void showKeys();
    void boardKey(QKeyEvent* e);

    Game& theGame;
    ConsoleStatus& status;
    MiniBoard* mini = nullptr;
    PenaltyPanel* penaltyPanel = nullptr;
    QLabel* lblEntryTitle = nullptr;
    QLabel* lblEntry = nullptr;
    QLabel* lblLeftover = nullptr;
    QLabel* lblClearKey = nullptr;
    QLabel* lblUndo = nullptr;
    QLabel* lblRedo = nullptr;
    QTabWidget* tabs = nullptr;
    QTreeWidget* lstRecord = nullptr;
    QLabel* lblKeys = nullptr;
    std::array<QLabel*, ConsoleStatus::RowCount> statusNames{};
    std::array<QLabel*, ConsoleStatus::RowCount> statusValues{};
    std::array<QLabel*, ConsoleStatus::RowCount> statusCodes{};
    int64_t recordShown = -1; // the record's next number when it was last shown
    SettingVariables keysShown;
    bool keysEverShown = false;
};

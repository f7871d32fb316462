// SPDX-License-Identifier: GPL-3.0-or-later
#include "frmconsole.h"

#include "entrywords.h"
#include "eventwords.h"
#include "keyboard.h"
#include "keycodes.h"
#include "miniboard.h"
#include "penaltypanel.h"
#include "qrcode.h"

#include "boardformat.h"

#include <QEvent>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QIcon>
#include <QKeyEvent>
#include <QLabel>
#include <QPixmap>
#include <QScreen>
#include <QScrollArea>
#include <QTabWidget>
#include <QTreeWidget>
#include <QVBoxLayout>

QString consoleKeysHtml(const SettingVariables& keys); // consolekeys.cpp

namespace {

// The console opens at most this large: a laptop's screen.
constexpr QSize StartSize(1366, 768);
constexpr double EntryFontScale = 1.4;
constexpr int MiniStretch = 5;
constexpr int SideStretch = 4;

// A status row's QR code: two pixels a module, about 100 pixels for an address with a token.
constexpr int StatusCodeModule = 2;

QLabel* wrappingLabel(QWidget* parent, const char* name)
{
    auto* l = new QLabel(parent);
    l->setObjectName(QLatin1String(name));
    l->setWordWrap(true);
    l->setTextFormat(Qt::PlainText);
    return l;
}

// Sets a label's text and accessible name, when it changed.
void showText(QLabel* l, const QString& text)
{
    if (l->text() == text)
        return;
    l->setText(text);
    l->setAccessibleName(text);
}

} // namespace

CommandSource frmConsole::keySource()
{
    return CommandSource::keyboard(QStringLiteral("console"));
}

frmConsole::frmConsole(Game& game, ConsoleStatus& statusRows, QWidget* parent)
    : QWidget(parent, Qt::Window), theGame(game), status(statusRows)
{
    setObjectName(QStringLiteral("frmConsole"));
    setWindowIcon(QIcon(QStringLiteral(":/pucklight/icon.png")));
    // The board decides when the program ends.
    setAttribute(Qt::WA_QuitOnClose, false);
    build();
    retranslate();

    connect(&theGame, &Game::changed, this, &frmConsole::follow);
    connect(&status, &ConsoleStatus::rowChanged, this, &frmConsole::showStatus);
    connect(mini, &MiniBoard::keyDown, this, &frmConsole::boardKey);
    connect(mini, &MiniBoard::keyUp, this,
            [this](QKeyEvent* e) { theGame.AllKeyUp(virtualKeyCode(*e)); });
    // F1 to F4 from the console's keys are the console's; the board's are the board's.
    const auto own = [](const CommandSource& from) { return from == keySource(); };
    connect(&theGame, &Game::helpRequested, this, [this, own](const CommandSource& from) {
        if (own(from))
            Q_EMIT helpRequested();
    });
    connect(&theGame, &Game::optionsRequested, this, [this, own](const CommandSource& from) {
        if (own(from))
            Q_EMIT optionsRequested();
    });
    connect(&theGame, &Game::waitingRequested, this, [this, own](const CommandSource& from) {
        if (own(from))
            Q_EMIT waitingRequested();
    });
    connect(&theGame, &Game::consoleRequested, this, [this, own](const CommandSource& from) {
        if (own(from))
            Q_EMIT consoleRequested();
    });

    for (int i = 0; i < ConsoleStatus::RowCount; ++i)
        showStatus(static_cast<ConsoleStatus::Row>(i));
    follow();
    mini->setFocus(Qt::OtherFocusReason);
}

frmConsole::~frmConsole() = default;

void frmConsole::build()
{
    auto* main = new QHBoxLayout(this);
    auto* left = new QVBoxLayout;
    auto* right = new QVBoxLayout;
    main->addLayout(left, MiniStretch);
    main->addLayout(right, SideStretch);

    mini = new MiniBoard(theGame, this);
    left->addWidget(mini, 1);

    auto* typing = new QGroupBox(this);
    typing->setObjectName(QStringLiteral("typing"));
    auto* typingRows = new QVBoxLayout(typing);
    lblEntryTitle = wrappingLabel(typing, "entryField");
    lblEntry = wrappingLabel(typing, "entryLine");
    QFont big = lblEntry->font();
    big.setPointSizeF(big.pointSizeF() * EntryFontScale);
    big.setBold(true);
    lblEntry->setFont(big);
    lblLeftover = wrappingLabel(typing, "leftoverLine");
    lblClearKey = wrappingLabel(typing, "clearKeyLine");
    for (QLabel* l : {lblEntryTitle, lblEntry, lblLeftover, lblClearKey})
        typingRows->addWidget(l);
    left->addWidget(typing);

    auto* undo = new QGroupBox(this);
    undo->setObjectName(QStringLiteral("undo"));
    auto* undoRows = new QVBoxLayout(undo);
    lblUndo = wrappingLabel(undo, "undoLine");
    lblRedo = wrappingLabel(undo, "redoLine");
    undoRows->addWidget(lblUndo);
    undoRows->addWidget(lblRedo);
    left->addWidget(undo);

    penaltyPanel = new PenaltyPanel(theGame, this);
    right->addWidget(penaltyPanel);

    tabs = new QTabWidget(this);
    lstRecord = new QTreeWidget(tabs);
    lstRecord->setObjectName(QStringLiteral("record"));
    lstRecord->setRootIsDecorated(false);
    lstRecord->setColumnCount(3);
    lstRecord->setUniformRowHeights(true);
    lstRecord->header()->setStretchLastSection(true);
    lstRecord->header()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
    lstRecord->header()->setSectionResizeMode(1, QHeaderView::ResizeToContents);
    // The list of keys is long: it scrolls.
    auto* keysScroll = new QScrollArea(tabs);
    keysScroll->setWidgetResizable(true);
    keysScroll->setFrameShape(QFrame::NoFrame);
    lblKeys = new QLabel(keysScroll);
    lblKeys->setObjectName(QStringLiteral("keys"));
    lblKeys->setTextFormat(Qt::RichText);
    lblKeys->setAlignment(Qt::AlignTop | Qt::AlignLeft);
    lblKeys->setWordWrap(true);
    lblKeys->setMargin(4);
    tabs->addTab(lstRecord, QString());
    keysScroll->setWidget(lblKeys);
    tabs->addTab(keysScroll, QString());
    right->addWidget(tabs, 1);

    auto* statusBox = new QGroupBox(this);
    statusBox->setObjectName(QStringLiteral("status"));
    auto* statusForm = new QFormLayout(statusBox);
    statusForm->setVerticalSpacing(1);
    for (size_t i = 0; i < statusValues.size(); ++i) {
        statusNames[i] = new QLabel(statusBox);
        statusValues[i] = wrappingLabel(statusBox, "statusValue");
        statusValues[i]->setTextInteractionFlags(Qt::TextSelectableByMouse);
        // A row's QR code (the control page for a phone) below its text, small.
        auto* value = new QWidget(statusBox);
        auto* column = new QVBoxLayout(value);
        column->setContentsMargins(0, 0, 0, 0);
        column->setSpacing(2);
        statusCodes[i] = new QLabel(value);
        statusCodes[i]->setObjectName(QStringLiteral("statusCode"));
        statusCodes[i]->hide();
        column->addWidget(statusValues[i]);
        column->addWidget(statusCodes[i], 0, Qt::AlignLeft);
        statusForm->addRow(statusNames[i], value);
    }
    right->addWidget(statusBox);

    // Tab order: the board's keys first, then the penalties, the record and the keys.
    setTabOrder(mini, penaltyPanel);
}

void frmConsole::retranslate()
{
    setWindowTitle(tr("Pucklight Console"));
    findChild<QGroupBox*>(QStringLiteral("typing"))->setTitle(tr("Typing"));
    findChild<QGroupBox*>(QStringLiteral("undo"))->setTitle(tr("Undo and redo"));
    findChild<QGroupBox*>(QStringLiteral("status"))->setTitle(tr("Status"));
    tabs->setTabText(0, tr("Game record"));
    tabs->setTabText(1, tr("Keys"));
    lstRecord->setHeaderLabels({tr("Period"), tr("Clock"), tr("Event")});
    lstRecord->setAccessibleName(tr("Game record"));
    for (int i = 0; i < ConsoleStatus::RowCount; ++i)
        statusNames[size_t(i)]->setText(ConsoleStatus::rowName(static_cast<ConsoleStatus::Row>(i)) +
                                        QLatin1Char(':'));
}

void frmConsole::changeEvent(QEvent* e)
{
    QWidget::changeEvent(e);
    if (e->type() == QEvent::LanguageChange) {
        retranslate();
        recordShown = -1;
        keysEverShown = false;
        follow();
    }
}

void frmConsole::setBoardSize(QSize size)
{
    mini->setBoardSize(size);
}

void frmConsole::present(QScreen* screen)
{
    const bool place = !isVisible() && screen;
    const QRect area = place ? screen->availableGeometry() : QRect();
    const auto fit = [this, area](QSize frame) {
        // The window with its frame within the area, centred; at most a laptop's screen.
        const QSize size = StartSize.boundedTo(area.size() - frame);
        resize(size);
        move(area.topLeft() + QPoint((area.width() - size.width() - frame.width()) / 2,
                                     (area.height() - size.height() - frame.height()) / 2));
    };
    if (place)
        fit(QSize()); // on its screen from the start
    if (isMinimized())
        showNormal();
    else
        show();
    // The frame is known once the window shows.
    if (place)
        fit(frameGeometry().size() - size());
    raise();
    activateWindow();
    mini->setFocus(Qt::OtherFocusReason);
}

void frmConsole::follow()
{
    mini->follow();
    penaltyPanel->follow();
    showEntry();
    if (theGame.record().nextId() != recordShown)
        showRecord();
    if (!keysEverShown || !(theGame.settings() == keysShown))
        showKeys();
}

void frmConsole::showEntry()
{
    const GameState& s = theGame.state();
    const SettingVariables& keys = theGame.settings();
    const EntryPreview now = previewEntry(s, keys, s.selected);
    QString field = tr("Selected: %1").arg(fieldWords(s.selected));
    if (!now.typed.isEmpty())
        field += QStringLiteral(" \u2014 ") + tr("typed: %1").arg(now.typed);
    showText(lblEntryTitle, field);
    showText(lblEntry, now.words);
    QStringList leftovers;
    for (const EntryPreview& p : leftoverEntries(s, keys))
        leftovers << tr("Left typed on %1: %2 (%3). Escape throws it away.")
                         .arg(fieldWords(p.field), p.typed, p.words);
    showText(lblLeftover, leftovers.join(QLatin1Char('\n')));
    showText(lblClearKey, clearKeyWords(s.selected, keys));
}

void frmConsole::showRecord()
{
    const GameRecord& log = theGame.record();
    recordShown = log.nextId();
    lstRecord->clear();
    const auto& events = log.events();
    const int shown = std::min<int>(RecordRows, static_cast<int>(events.size()));
    QList<QTreeWidgetItem*> rows;
    for (int i = 0; i < shown; ++i) {
        const GameEvent& e = events[events.size() - 1 - size_t(i)]; // the newest first
        rows << new QTreeWidgetItem(
            {QString::number(e.period), gameTimeText(e.gameClock), eventWhat(e, &log)});
    }
    lstRecord->addTopLevelItems(rows);

    const auto undo = theGame.nextUndo();
    const auto redo = theGame.nextRedo();
    showText(lblUndo, undo ? tr("Ctrl+Z takes back: %1").arg(eventWords(*undo, &log))
                           : tr("Ctrl+Z: nothing to take back"));
    showText(lblRedo, redo ? tr("Ctrl+Y does again: %1").arg(eventWords(*redo, &log))
                           : tr("Ctrl+Y: nothing to do again"));
}

void frmConsole::showStatus(ConsoleStatus::Row row)
{
    const auto i = static_cast<size_t>(row);
    const ConsoleStatus::Entry& e = status.entry(row);
    const bool on = e.level != ConsoleStatus::Level::Off;
    statusNames[i]->setVisible(on);
    statusValues[i]->parentWidget()->setVisible(on);
    statusValues[i]->setVisible(on);
    const bool coded = on && !e.code.isEmpty();
    if (coded)
        statusCodes[i]->setPixmap(QPixmap::fromImage(qrCodeImage(e.code, StatusCodeModule)));
    else
        statusCodes[i]->clear();
    statusCodes[i]->setVisible(coded && !statusCodes[i]->pixmap().isNull());
    QFont f = statusValues[i]->font();
    f.setBold(e.level == ConsoleStatus::Level::Failed);
    statusValues[i]->setFont(f);
    showText(statusValues[i], e.text);
}

QString frmConsole::statusText(ConsoleStatus::Row row) const
{
    const auto i = static_cast<size_t>(row);
    return statusValues[i]->isVisibleTo(this) ? statusValues[i]->text() : QString();
}

QImage frmConsole::statusCode(ConsoleStatus::Row row) const
{
    const QLabel* l = statusCodes[static_cast<size_t>(row)];
    return l->isVisibleTo(this) ? l->pixmap().toImage() : QImage();
}

void frmConsole::showKeys()
{
    keysShown = theGame.settings();
    keysEverShown = true;
    lblKeys->setText(consoleKeysHtml(keysShown));
}

void frmConsole::boardKey(QKeyEvent* e)
{
    keyboardState().observeKeyPress(*e);
    const int16_t code = virtualKeyCode(*e);
    // Escape throws away what is typed, unless it is a command key of its own.
    if (e->key() == Qt::Key_Escape && !Game::commandKeyOf(theGame.settings(), code) &&
        code != theGame.settings().ClearKey && code != theGame.settings().SepTimeKey) {
        theGame.clearTyping();
        return;
    }
    const KeyModifiers held{e->modifiers().testFlag(Qt::ControlModifier),
                            e->modifiers().testFlag(Qt::ShiftModifier)};
    theGame.keyDown(code, held, theGame.state().selected, keySource());
}

void frmConsole::keyPressEvent(QKeyEvent* e)
{
    // What the console's other parts leave: Escape goes back to the board's keys, F1 to F4
    // open their windows.
    if (e->key() == Qt::Key_Escape && e->modifiers() == Qt::NoModifier) {
        mini->setFocus(Qt::ShortcutFocusReason);
        return;
    }
    if (e->key() >= Qt::Key_F1 && e->key() <= Qt::Key_F4) {
        theGame.keyDown(virtualKeyCode(*e), {}, std::nullopt, keySource());
        return;
    }
    QWidget::keyPressEvent(e);
}

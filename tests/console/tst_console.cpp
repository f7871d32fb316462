// SPDX-License-Identifier: GPL-3.0-or-later
#include "boardfixture.h"
#include "entrywords.h"
#include "eventwords.h"
#include "frmconsole.h"
#include "label.h"
#include "miniboard.h"
#include "penaltypanel.h"
#include "qrcode.h"
#include "shape.h"
#include "testmain.h"

#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSignalSpy>
#include <QTreeWidget>

namespace {

// Counts the paint events of every widget under a root.
struct PaintCounter : QObject
{
    std::map<const QObject*, int> paints;
    explicit PaintCounter(QWidget* root)
    {
        for (QWidget* w : root->findChildren<QWidget*>())
            w->installEventFilter(this);
    }
    bool eventFilter(QObject* o, QEvent* e) override
    {
        if (e->type() == QEvent::Paint)
            ++paints[o];
        return false;
    }
};

// A board with a console beside it, both shown, on one game.
struct ConsoleFixture : BoardFixture
{
    ConsoleStatus status;
    std::unique_ptr<frmConsole> console;

    ConsoleFixture()
    {
        console = std::make_unique<frmConsole>(*game, status);
        console->setBoardSize(board->size());
        console->resize(1366, 768);
        console->show();
        QApplication::setActiveWindow(console.get());
        [[maybe_unused]] const bool exposed = QTest::qWaitForWindowExposed(console.get());
        mini()->setFocus();
    }
    MiniBoard* mini() { return console->miniBoard(); }
    // A key on the console's miniature, as the operator types it.
    void press(int key, Qt::KeyboardModifiers mods = {})
    {
        QTest::keyClick(mini(), static_cast<Qt::Key>(key), mods);
    }
    void typeOnConsole(const char* text)
    {
        for (const char* c = text; *c; ++c)
            QTest::keyClick(mini(), *c == '\n' ? Qt::Key_Return : static_cast<Qt::Key>(*c));
    }
    QString entry() { return console->entryLine()->text(); }
    Game& g() { return *game; }
};

} // namespace

class TestConsole : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // The miniature is the board's own drawing: at the board's size its pixels are the board's.
    void miniatureMatchesTheBoard()
    {
        ConsoleFixture f;
        f.g().run(Command::forTeam(CommandKind::Goal, Team::Home), CommandSource::keyboard());
        f.g().run(Command::setPenalty(Team::Visitor, 2, 17, ClockValue::whole(120)),
                  CommandSource::keyboard());
        f.g().run(Command::setPeriod(2), CommandSource::keyboard());
        QCoreApplication::processEvents();
        BoardView* view = f.mini()->view();
        QVERIFY(view->width() > 300);
        f.b().resize(view->size());
        QCoreApplication::processEvents();
        QCOMPARE(view->grab().toImage(), f.b().grab().toImage());

        // Drawn again where it changed, and only there.
        PaintCounter counter(view);
        f.g().run(Command::setShots(Team::Visitor, 7), CommandSource::keyboard());
        QCoreApplication::processEvents();
        QVERIFY(!counter.paints.empty());
        const LedRow& shots = view->field(Field::ShotsVisitor).digits;
        for (const auto& [w, n] : counter.paints) {
            const bool shotDigit = std::find(shots.begin(), shots.end(), w) != shots.end();
            QVERIFY2(shotDigit, qPrintable(w->objectName() + w->metaObject()->className()));
        }
        QCOMPARE(view->grab().toImage(), f.b().grab().toImage());
    }

    // A click on a field of the miniature selects it: the frame, the board's marker and the
    // board's focus follow.
    void clickSelects()
    {
        ConsoleFixture f;
        BoardView* view = f.mini()->view();
        for (Field field : {Field::Visitor, Field::PenaltyTV2, Field::Goal, Field::Time}) {
            const QPoint at = view->box(field)->geometry().center() + view->pos();
            QTest::mouseClick(f.mini(), Qt::LeftButton, {}, at);
            QCOMPARE(f.state().selected, field);
            QCOMPARE(f.mini()->frameRect(), view->box(field)->geometry().translated(view->pos()));
            QCOMPARE(f.b().focusWidget(), f.box(field));
        }
        QTest::mouseClick(f.mini(), Qt::LeftButton, {}, f.mini()->frameRect().center());
        f.press(Qt::Key_Tab);
        QCOMPARE(f.state().selected, Field::Home);
        f.press(Qt::Key_Backtab, Qt::ShiftModifier);
        f.press(Qt::Key_Backtab, Qt::ShiftModifier);
        QCOMPARE(f.state().selected, Field::PenaltyTV2);
        QCOMPARE(f.b().shpObjectSelected()->isVisible(), true);
        QCOMPARE(f.b().shpObjectSelected()->Top(), f.box(Field::PenaltyTV2)->Top());
    }

    // The console's keys run the game's commands once, on the game's selected field; what is
    // typed shows with what Enter will do until it is entered or thrown away.
    void keys()
    {
        ConsoleFixture f;
        QSignalSpy boardConsole(&f.b(), &frmScoreBoard::consoleRequested);
        QSignalSpy consoleConsole(f.console.get(), &frmConsole::consoleRequested);
        QSignalSpy consoleHelp(f.console.get(), &frmConsole::helpRequested);
        QSignalSpy boardHelp(&f.b(), &frmScoreBoard::helpRequested);

        QCOMPARE(f.entry(), QStringLiteral("Enter sets the game clock to 0.0"));
        f.typeOnConsole("15");
        QCOMPARE(f.entry(), QStringLiteral("Enter sets the game clock to 15:00"));
        QCOMPARE(f.console->entryLine()->accessibleName(), f.entry());
        f.typeOnConsole("\n");
        QCOMPARE(f.shown(Field::Time), QStringLiteral("1500"));
        int clockSets = 0;
        for (const GameEvent& e : f.g().record().events())
            clockSets += e.kind == EventKind::ClockSet;
        QCOMPARE(clockSets, 1);

        // A leftover on the clock shows while another field is selected; Escape throws it away.
        f.typeOnConsole("7");
        f.press(Qt::Key_Tab);
        QVERIFY(f.console->leftoverLine()->text().contains(QStringLiteral("7:00")));
        QCOMPARE(f.entry(), QStringLiteral("Type a number for the home score"));
        f.press(Qt::Key_Escape);
        QCOMPARE(f.console->leftoverLine()->text(), QString());
        QCOMPARE(f.shown(Field::Time), QStringLiteral("1500"));

        f.press(Qt::Key_H, Qt::ControlModifier);
        QCOMPARE(f.state().scoreOf(Team::Home), 1);
        QCOMPARE(f.shown(Field::Home), QStringLiteral("--1"));
        f.press(Qt::Key_S);
        QVERIFY(f.g().gameClockCounting());

        f.press(Qt::Key_F4);
        f.press(Qt::Key_F1);
        QCOMPARE(consoleConsole.size(), 1);
        QCOMPARE(consoleHelp.size(), 1);
        QCOMPARE(boardConsole.size(), 0);
        QCOMPARE(boardHelp.size(), 0);
        QTest::keyClick(f.box(Field::Time), Qt::Key_F4);
        QCOMPARE(boardConsole.size(), 1);
        QCOMPARE(consoleConsole.size(), 1);

        // From the console's other parts, Escape comes back to the board's keys.
        f.console->penalties()->slotControls(1).player->setFocus();
        QTest::keyClick(f.console->penalties()->slotControls(1).player, Qt::Key_Escape);
        QVERIFY(f.mini()->hasFocus());
    }

    // Ctrl+Z's line names what it takes back, whatever the last command was.
    void undoIsNamed_data()
    {
        QTest::addColumn<int>("kind");
        for (int k = 0; k < CommandKindCount; ++k)
            QTest::newRow(commandName(static_cast<CommandKind>(k))) << k;
    }
    void undoIsNamed()
    {
        QFETCH(int, kind);
        ConsoleFixture f;
        const auto k = static_cast<CommandKind>(kind);
        const CommandSource from = CommandSource::keyboard();
        // Something to take back first, and a waiting penalty to remove.
        f.g().run(Command::setScore(Team::Visitor, 4), from);
        f.g().run(Command::addWaiting(Team::Home, 9, ClockValue::whole(120)), from);
        f.g().setSoundsAvailable(true, true);
        Command c = Command::of(k);
        switch (k) {
        case CommandKind::SetClock:
            c = Command::setClock(ClockValue::whole(900));
            break;
        case CommandKind::SetScore:
            c = Command::setScore(Team::Home, 3);
            break;
        case CommandKind::SetShots:
            c = Command::setShots(Team::Home, 3);
            break;
        case CommandKind::SetPeriod:
            c = Command::setPeriod(3);
            break;
        case CommandKind::SetPenalty:
            c = Command::setPenalty(Team::Home, 1, 17, ClockValue::whole(120));
            break;
        case CommandKind::AddWaiting:
            c = Command::addWaiting(Team::Visitor, 5, ClockValue::whole(300));
            break;
        case CommandKind::RemoveWaiting:
            c = Command::removeWaiting(Team::Home, 0);
            break;
        case CommandKind::SetGoalLamp:
            c = Command::setGoalLamp(GoalLamp::Visitor);
            break;
        case CommandKind::ClearPenalty:
        case CommandKind::PenaltyClock:
            f.g().run(Command::setPenalty(Team::Home, 1, 17, ClockValue::whole(120)), from);
            c = Command::penaltyCommand(k, Team::Home, 1);
            break;
        case CommandKind::Redo:
            f.g().run(Command::of(CommandKind::Undo), from);
            break;
        default:
            break;
        }
        QVERIFY(f.g().run(c, from).ok);
        QCoreApplication::processEvents();
        const auto undo = f.g().nextUndo();
        QVERIFY(undo);
        QCOMPARE(f.console->undoLine()->text(),
                 QStringLiteral("Ctrl+Z takes back: ") + eventWords(*undo, &f.g().record()));
        const auto redo = f.g().nextRedo();
        QCOMPARE(f.console->redoLine()->text(),
                 redo ? QStringLiteral("Ctrl+Y does again: ") + eventWords(*redo, &f.g().record())
                      : QStringLiteral("Ctrl+Y: nothing to do again"));
        // The newest entry heads the record.
        const GameEvent& last = f.g().record().events().back();
        QCOMPARE(f.console->record()->topLevelItem(0)->text(2), eventWhat(last, &f.g().record()));
        QVERIFY(f.console->record()->topLevelItemCount() <= frmConsole::RecordRows);
    }

    // Penalties are kept in place, through the same commands as the board's keys.
    void penalties()
    {
        ConsoleFixture f;
        PenaltyPanel* p = f.console->penalties();
        const auto& slot = p->slotControls(penaltyClock(Team::Visitor, 2));
        slot.player->setText(QStringLiteral("17"));
        slot.time->setText(QStringLiteral("2"));
        QTest::keyClick(slot.time, Qt::Key_Return);
        QCOMPARE(f.state().penalty(4).player, 17);
        QCOMPARE(f.shown(Field::PenaltyTV2), QStringLiteral("200"));
        QCOMPARE(slot.state->text(), QStringLiteral("2:00 held"));
        QTest::mouseClick(slot.clock, Qt::LeftButton);
        QCOMPARE(slot.state->text(), QStringLiteral("2:00 running"));
        for (int i = 0; i < 11; ++i)
            f.tick();
        QCOMPARE(slot.state->text(), QStringLiteral("1:59 running"));

        slot.time->setText(QStringLiteral("10"));
        QTest::keyClick(slot.time, Qt::Key_Return);
        QVERIFY(!p->message().isEmpty());
        QCOMPARE(f.state().penalty(4).player, 17);
        QTest::mouseClick(slot.clear, Qt::LeftButton);
        QCOMPARE(f.state().penalty(4).player, NoNumber);
        QCOMPARE(slot.state->text(), QString());

        const auto& w = p->waitingControls(Team::Home);
        w.player->setText(QStringLiteral("8"));
        QTest::keyClick(w.player, Qt::Key_Return);
        QCOMPARE(f.state().waitingOf(Team::Home).size(), size_t(1));
        QCOMPARE(w.list->count(), 1);
        QCOMPARE(f.b().lblWaiting(Team::Home)->Caption(), QStringLiteral("+1"));
        w.list->setCurrentRow(0);
        QTest::mouseClick(w.remove, Qt::LeftButton);
        QVERIFY(f.state().waitingOf(Team::Home).empty());
    }

    // A status row shows while it is on, and says why when it failed.
    void status()
    {
        ConsoleFixture f;
        using Row = ConsoleStatus::Row;
        QCOMPARE(f.console->statusText(Row::Broker), QString());
        f.status.set(Row::Broker, ConsoleStatus::Level::Failed, QStringLiteral("no broker"));
        QCOMPARE(f.console->statusText(Row::Broker), QStringLiteral("no broker"));
        f.status.set(Row::Broker, ConsoleStatus::Level::Off, QString());
        QCOMPARE(f.console->statusText(Row::Broker), QString());
        // A row with an address for a phone shows it as a small QR code below its text.
        const QByteArray address = "http://127.0.0.1:8080/control#token=abc";
        f.status.set(Row::Remote, ConsoleStatus::Level::Ok, QStringLiteral("on"), address);
        QCOMPARE(f.console->statusText(Row::Remote), QStringLiteral("on"));
        const QImage code = f.console->statusCode(Row::Remote);
        QCOMPARE(code, qrCodeImage(address, 2).convertToFormat(code.format()));
        QVERIFY(code.width() <= 120);
        QVERIFY(f.console->statusCode(Row::Broker).isNull());
        f.status.set(Row::Remote, ConsoleStatus::Level::Ok, QStringLiteral("on"));
        QVERIFY(f.console->statusCode(Row::Remote).isNull());
        f.status.set(Row::Remote, ConsoleStatus::Level::Off, QString(), address);
        QVERIFY(f.console->statusCode(Row::Remote).isNull());
        // The keys list follows the settings.
        QVERIFY(f.console->keysText()->text().contains(QStringLiteral(">S<")));
        SettingVariables s = f.g().settings();
        s.StartStopClockKey = vk::KeyA + ('Q' - 'A');
        f.b().applySettings(s);
        QVERIFY(f.console->keysText()->text().contains(QStringLiteral(">Q<")));
    }
};

PL_TEST_MAIN(TestConsole)
#include "tst_console.moc"

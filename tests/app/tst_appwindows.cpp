// SPDX-License-Identifier: GPL-3.0-or-later
#include "appwindows.h"
#include "boardfixture.h"
#include "boardsampler.h"
#include "consolestatus.h"
#include "consolewindow.h"
#include "control.h"
#include "frmchoosekey.h"
#include "frmhelp.h"
#include "frmoptions.h"
#include "frmsplash.h"
#include "gamefile.h"
#include "gamesaving.h"
#include "keynames.h"
#include "label.h"
#include "languages.h"
#include "mmcontrol.h"
#include "modal.h"
#include "program.h"
#include "remotecontrol.h"
#include "remotetoken.h"
#include "testmain.h"
#include "widgetcontrols.h"

#include <QCheckBox>
#include <QFile>
#include <QHostAddress>
#include <QLineEdit>
#include <QNetworkInterface>
#include <QPointer>
#include <QRadioButton>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QStyleOptionButton>
#include <QStyleOptionComboBox>
#include <QTabBar>
#include <QTemporaryDir>
#include <QTextBrowser>
#include <QUrl>
#include <algorithm>
#include <cmath>
#include <map>
#include <memory>

using namespace Qt::StringLiterals;

namespace {

// The contrast ratio of two colours: 1 for the same, 21 for black on white.
double contrast(QRgb a, QRgb b)
{
    const auto luminance = [](QRgb c) {
        const auto channel = [](int v) { return std::pow(v / 255.0, 2.2); };
        return 0.2126 * channel(qRed(c)) + 0.7152 * channel(qGreen(c)) + 0.0722 * channel(qBlue(c));
    };
    const auto [dark, light] = std::minmax({luminance(a), luminance(b)});
    return (light + 0.05) / (dark + 0.05);
}

// Where the text of a widget lies, in its own coordinates: empty for widgets with no text.
std::vector<QRect> textAreas(QWidget* w)
{
    if (auto* l = qobject_cast<Label*>(w))
        return {l->Caption().isEmpty() ? QRect() : l->rect().adjusted(2, 2, -2, -2)}; // no border
    if (auto* f = qobject_cast<Frame*>(w)) {
        // The caption sits on the top edge, from 6 pixels in.
        const int width = f->fontMetrics().horizontalAdvance(f->Caption());
        return {f->Caption().isEmpty() ? QRect() : QRect(6, 0, width, f->fontMetrics().height())};
    }
    if (auto* b = qobject_cast<QAbstractButton*>(w)) {
        QStyleOptionButton o;
        o.initFrom(b);
        o.text = b->text();
        const QStyle::SubElement contents =
            qobject_cast<QRadioButton*>(b) ? QStyle::SE_RadioButtonContents
            : qobject_cast<QCheckBox*>(b)  ? QStyle::SE_CheckBoxContents
                                           : QStyle::SE_PushButtonContents;
        return {b->text().isEmpty() ? QRect() : b->style()->subElementRect(contents, &o, b)};
    }
    if (auto* t = qobject_cast<QTabBar*>(w)) {
        std::vector<QRect> tabs;
        for (int i = 0; i < t->count(); ++i)
            tabs.push_back(t->tabRect(i).adjusted(4, 4, -4, -4));
        return tabs;
    }
    if (auto* e = qobject_cast<QLineEdit*>(w))
        return {e->text().isEmpty() ? QRect() : e->rect().adjusted(3, 3, -3, -3)};
    if (qobject_cast<QTextBrowser*>(w->parentWidget()))
        return {w->rect()}; // the viewport
    return {};
}

// The most common colour of an area, and the one that stands out most against it.
std::pair<QRgb, QRgb> backgroundAndInk(const QImage& img, const QRect& area)
{
    std::map<QRgb, int> counts;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            ++counts[img.pixel(x, y)];
    const QRgb back = std::max_element(counts.begin(), counts.end(), [](auto& a, auto& b) {
                          return a.second < b.second;
                      })->first;
    QRgb ink = back;
    for (const auto& [c, n] : counts)
        if (contrast(c, back) > contrast(ink, back))
            ink = c;
    return {back, ink};
}

} // namespace

// The windows around the board: the splash, the resume question, the options from F2 and the
// close question; and their texts in each language, which fit their boxes and, under a dark
// system palette, stand out from what lies behind them.
class TestAppWindows : public QObject
{
    Q_OBJECT

    QTemporaryDir programDir;

    struct Overrun
    {
        QString text;
        int by = 0; // pixels beyond the box; none when it fits
    };

    // How far a control's caption reaches beyond the room its box gives it.
    static Overrun overrun(const Control* c)
    {
        const QWidget* w = c->widget();
        if (const auto* l = dynamic_cast<const Label*>(c)) {
            if (l->Caption().isEmpty())
                return {};
            // A label that sizes itself must stay inside its container.
            if (l->AutoSize())
                return {l->Caption(), l->geometry().right() - (w->parentWidget()->width() - 1)};
            // A bordered box keeps its text two pixels off the sides, one off top and bottom.
            const QRect box = l->Border() ? w->rect().adjusted(2, 1, -2, -1) : w->rect();
            const QRect text =
                QFontMetrics(l->drawFont())
                    .boundingRect(box, l->WordWrap() ? Qt::TextWordWrap : 0, l->Caption());
            return {l->Caption(),
                    std::max(text.width() - box.width(), text.height() - box.height())};
        }
        if (const auto* f = dynamic_cast<const Frame*>(c))
            // The caption stands six pixels in, with two pixels of gap either side.
            return {f->Caption(),
                    f->fontMetrics().horizontalAdvance(f->Caption()) + 10 - f->width()};
        if (const auto* o = dynamic_cast<const OptionButton*>(c)) {
            QStyleOptionButton opt;
            opt.initFrom(o);
            const QRect room = o->style()->subElementRect(QStyle::SE_RadioButtonContents, &opt, o);
            return {o->text(),
                    o->fontMetrics().size(Qt::TextShowMnemonic, o->text()).width() - room.width()};
        }
        if (const auto* o = dynamic_cast<const CheckBox*>(c)) {
            QStyleOptionButton opt;
            opt.initFrom(o);
            const QRect room = o->style()->subElementRect(QStyle::SE_CheckBoxContents, &opt, o);
            return {o->text(),
                    o->fontMetrics().size(Qt::TextShowMnemonic, o->text()).width() - room.width()};
        }
        if (const auto* b = dynamic_cast<const QPushButton*>(w)) {
            const QStyle* s = b->style();
            const int room = b->width() - s->pixelMetric(QStyle::PM_ButtonMargin, nullptr, b) -
                             2 * s->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, b);
            return {b->text(),
                    b->fontMetrics().size(Qt::TextShowMnemonic, b->text()).width() - room};
        }
        if (const auto* box = dynamic_cast<const ComboBox*>(c)) {
            QStyleOptionComboBox opt;
            opt.initFrom(box);
            const QRect room = box->style()->subControlRect(QStyle::CC_ComboBox, &opt,
                                                            QStyle::SC_ComboBoxEditField, box);
            int widest = 0;
            for (int i = 0; i < box->count(); ++i)
                widest = std::max(widest, box->fontMetrics().horizontalAdvance(box->itemText(i)));
            return {box->currentText(), widest - room.width()};
        }
        if (const auto* tabs = dynamic_cast<const TabControl*>(c))
            return {QStringLiteral("the tabs"), tabs->tabBar()->sizeHint().width() - tabs->width()};
        return {};
    }

    // How far each caption overruns its box, in pixels, by control (key names by name).
    using Overruns = QMap<QString, Overrun>;
    static void collect(const Control* c, Overruns& out, const QString& key = QString())
    {
        if (const Overrun o = overrun(c); o.by > 0)
            out[key.isEmpty() ? c->Name() : key] = o;
    }
    static void collect(const Form& form, Overruns& out)
    {
        for (const Control* c : form.Controls())
            collect(c, out);
    }

    // The texts of a shown window that do not stand out from what lies behind them.
    static void collectUnreadable(QWidget* w, QStringList& out)
    {
        const QImage shot = w->grab().toImage().convertToFormat(QImage::Format_RGB32);
        int checked = 0;
        for (QWidget* c : w->findChildren<QWidget*>()) {
            if (!c->isVisibleTo(w))
                continue;
            const auto* control = dynamic_cast<const Control*>(c);
            for (const QRect& local : textAreas(c)) {
                const QRect area =
                    QRect(c->mapTo(w, local.topLeft()), local.size()).intersected(shot.rect());
                if (area.isEmpty())
                    continue;
                ++checked;
                const auto [back, ink] = backgroundAndInk(shot, area);
                if (contrast(back, ink) < 3)
                    out << QStringLiteral("%1 (%2 on %3)")
                               .arg(control ? control->Name() : c->objectName(), QColor(ink).name(),
                                    QColor(back).name());
            }
        }
        if (checked == 0)
            out << w->windowTitle() + QStringLiteral(" (no text found)");
    }

    // Opens every window in the language installed now, as on a fresh install, and checks it.
    static Overruns showAll(const QSize& boardSize, QStringList& unreadable)
    {
        Overruns shown;
        BoardFixture f;
        f.b().resize(boardSize);
        collect(f.b(), shown);

        FakeDialogs dialogs;
        std::unique_ptr<frmSplash> splash(new frmSplash(f.b().game()));
        collect(*splash, shown);
        splash->show();
        collectUnreadable(splash.get(), unreadable);
        const std::unique_ptr<QWidget> help(frmHelp::showHelp());
        help->setAttribute(Qt::WA_DeleteOnClose, false);
        collectUnreadable(help.get(), unreadable);

        frmOptions options(&f.b());
        collect(options.form(), shown);
        options.show();
        for (int page = 0; page < options.controls().SSTab1->count(); ++page) {
            options.controls().SSTab1->setCurrentIndex(page);
            collectUnreadable(&options, unreadable);
        }
        // Every key name a command can take, in the box that shows it.
        auto* keyBox = options.form().find<Label>(QStringLiteral("lblStartStopClock"));
        for (int k = 0; k < 256; ++k)
            if (const QString name = KeyCodeToStr(static_cast<int16_t>(k)); !name.isEmpty()) {
                keyBox->setCaption(name);
                collect(keyBox, shown, QStringLiteral("key %1").arg(k));
            }
        // The key chooser says what the key will do, for each command, and why a key is refused.
        for (const char* command : {"cmdStartStopClock", "cmdResetClock", "cmdClearKey",
                                    "cmdClockSwitch", "cmdSepTime", "cmdBuzzer", "cmdHorn"}) {
            bool seen = false;
            onNextModal(
                [&, command](QWidget* w) {
                    if (auto* chooser = qobject_cast<frmChooseKey*>(w)) {
                        collectUnreadable(chooser, unreadable);
                        chooser->KeyDown(vk::F1);
                        collectUnreadable(chooser, unreadable);
                        for (const Control* c : chooser->form().Controls())
                            collect(c, shown,
                                    c == chooser->choosePrompt() ? QLatin1String(command)
                                                                 : c->Name());
                    }
                    w->close();
                },
                &seen);
            options.form().find<CommandButton>(QLatin1String(command))->click();
            if (!seen)
                shown[QLatin1String(command)] = {QStringLiteral("no key chooser"), 1};
        }
        return shown;
    }

private Q_SLOTS:
    void initTestCase()
    {
        // The program's folder holds the buzzer, as an installation does.
        program::setFolder(programDir.path());
        QFile::copy(QStringLiteral(PL_ASSETS "/buzzer.wav"), programDir.filePath("buzzer.wav"));
        QApplication::setStyle(QStringLiteral("Fusion"));
        // Qt works out the rest of a palette from its button and window colours.
        const QColor dark(0x35, 0x35, 0x35);
        QApplication::setPalette(QPalette(dark, dark));
    }

    // The splash loads the settings, its Options reach the board it opens, and a click on the
    // logo opens the board and closes the splash.
    void splashOptionsThenTheBoard()
    {
        FakeTime time;
        FakeStore store;
        FakeKeyboard keyboard;
        FakeDialogs dialogs;
        Settings = SettingVariables();
        Game game(Settings);
        auto* splash = new frmSplash(game);
        QPointer<frmSplash> guard(splash);
        QCOMPARE(Settings.BuzzerFile, programDir.filePath(QStringLiteral("buzzer.wav")));
        splash->show();
        QVERIFY(QTest::qWaitForWindowExposed(splash));
        QCOMPARE(QApplication::focusWidget(), splash->cmdHelp());

        // Enter, like Space, presses the button that has the focus: Help opens, the splash stays.
        QSignalSpy help(splash->cmdHelp(), &QPushButton::clicked);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
        QCOMPARE(help.count(), 2);
        QVERIFY(splash->isVisible());
        for (QWidget* w : QApplication::topLevelWidgets())
            if (w->windowTitle() == QLatin1String("Pucklight Help"))
                w->close();

        bool seen = false;
        onNextModal(
            [](QWidget* w) {
                auto* d = qobject_cast<frmOptions*>(w);
                if (!d) {
                    w->close();
                    return;
                }
                d->controls().txtHomeText->setText(QStringLiteral("Hawks"));
                d->controls().cmdOk->click();
            },
            &seen);
        splash->cmdOptions()->click();
        QVERIFY(seen);
        QVERIFY(splash->isVisible());

        QPointer<frmScoreBoard> board;
        connect(splash, &frmSplash::boardOpened, this, [&](frmScoreBoard* b) { board = b; });
        QTest::mouseClick(splash->picLogo(), Qt::LeftButton);
        QVERIFY(board);
        QTRY_VERIFY(guard.isNull());
        QVERIFY(board->isVisible());
        QCOMPARE(board->windowTitle(), QStringLiteral("Pucklight - Hawks"));
        delete board.data();
    }

    // F2 opens the options over the running board; Cancel still re-applies the variables.
    void f2ThenCancelReappliesEverything()
    {
        BoardFixture f;
        FakeDialogs dialogs;
        frmScoreBoard& b = f.b();
        wireBoardWindows(&b);
        // Variables changed behind the board's back show only if the board takes them afresh.
        Settings.HomeText = QStringLiteral("Hawks");
        Settings.BuzzerFile = QStringLiteral("/elsewhere/buzz.wav");
        Settings.LEDType = 1;

        f.type(Field::Home, "4");
        bool seen = false;
        bool ticking = false;
        onNextModal(
            [&](QWidget* w) {
                ticking = b.tmrClock1().isActive();
                if (auto* d = qobject_cast<frmOptions*>(w))
                    d->controls().cmdCancel->click();
                else
                    w->close();
            },
            &seen);
        QTest::keyClick(b.box(Field::Home), Qt::Key_F2);
        QVERIFY(seen);
        QVERIFY(ticking);

        QCOMPARE(b.lblHome()->Caption(), QStringLiteral("Hawks"));
        QCOMPARE(b.field(Field::Home).digits[0]->LedType(), 1);
        QCOMPARE(b.mmcBuzzer()->FileName(), Settings.BuzzerFile);
        // The field got F2 as a key without meaning: the digit typed before it still counts.
        QCOMPARE(f.shown(Field::Home), QStringLiteral("--0"));
        f.type(Field::Home, "\n");
        QCOMPARE(f.shown(Field::Home), QStringLiteral("--4"));
    }

    // With the manual open over the board, the command keys still run the game: an operator
    // reading it can stop the clock or sound the horn. F2 opens nothing from the manual.
    void commandKeysFromTheHelpWindow()
    {
        BoardFixture f;
        FakeDialogs dialogs;
        wireBoardWindows(&f.b());
        QSignalSpy buzzer(&f.b().game(), &Game::playBuzzer);
        QSignalSpy options(&f.b().game(), &Game::optionsRequested);
        QTest::keyClick(f.box(Field::Time), Qt::Key_F1);
        QPointer<frmHelp> help = frmHelp::current();
        QVERIFY(help);
        QVERIFY(QTest::qWaitForWindowExposed(help));
        QApplication::setActiveWindow(help);
        QWidget* reading = help->rtbHelp();

        QTest::keyClick(reading, Qt::Key_S);
        QVERIFY(f.b().game().clockRunning());
        f.tick(1500);
        QTest::keyClick(reading, Qt::Key_S);
        QVERIFY(!f.b().game().clockRunning());
        QCOMPARE(f.shown(Field::Time), QStringLiteral("-959"));
        QTest::keyClick(reading, Qt::Key_R);
        QCOMPARE(f.shown(Field::Time), QStringLiteral("1000"));
        QTest::keyClick(reading, Qt::Key_B);
        QCOMPARE(buzzer.count(), 1);
        QTest::keyClick(reading, Qt::Key_F2);
        QCOMPARE(options.count(), 0);

        QTest::keyClick(reading, Qt::Key_Escape);
        QTRY_VERIFY(!help);
        QVERIFY(f.b().isVisible());
    }

    // The manual opened from the splash, before there is a board, takes the keys of the board
    // that opens afterwards.
    void helpOpenedBeforeTheBoard()
    {
        FakeDialogs dialogs;
        showHelpWindow(nullptr);
        QPointer<frmHelp> help = frmHelp::current();
        QVERIFY(help);
        BoardFixture f;
        wireBoardWindows(&f.b());
        QApplication::setActiveWindow(help);
        QTest::keyClick(help->rtbHelp(), Qt::Key_S);
        QVERIFY(f.b().game().clockRunning());
        help->close();
    }

    void savedGameOffered_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<bool>("resume");
        QTest::newRow("Enter") << int(Qt::Key_Return) << true;
        QTest::newRow("R") << int(Qt::Key_R) << true;
        QTest::newRow("Escape") << int(Qt::Key_Escape) << false;
    }

    // A saved game is offered at the start, and the key answers: Resume opens the board on
    // the saved game; a new game keeps the old one aside.
    void savedGameOffered()
    {
        QFETCH(int, key);
        QFETCH(bool, resume);
        QTemporaryDir dir;
        FakeStore store;
        FakeTime time;
        auto file = std::make_unique<GameFile>(dir.filePath(QStringLiteral("game.json")));
        {
            Game played{SettingVariables()};
            file->follow(&played);
            played.select(Field::Home);
            played.keyDown(vk::Key0 + 7, {}, Field::Home);
            played.keyDown(vk::Enter, {}, Field::Home);
            file = std::make_unique<GameFile>(file->path()); // as after a crash
        }

        Game game{SettingVariables()};
        QPointer<frmScoreBoard> board;
        auto* splash = new frmSplash(game);
        connect(splash, &frmSplash::boardOpened, this, [&](frmScoreBoard* b) { board = b; });
        keepGameSaved(splash, *file);
        QString asked;
        onNextModal([&](QWidget* box) {
            asked = box->windowTitle();
            QTest::keyClick(box, Qt::Key(key));
        });
        splash->show();
        QTRY_COMPARE(asked, QStringLiteral("Resume game"));
        QCOMPARE(bool(board), resume);
        QCOMPARE(QFile::exists(file->previousPath()), !resume);
        if (!resume) {
            splash->close();
            return;
        }
        QCOMPARE(board->game().state().scoreOf(Team::Home), 7);
        QCOMPARE(board->focusWidget(), board->box(Field::Home)); // where it was left
        delete board;
    }

    // A second board on the state folder of a running one says so in a message, asks nothing,
    // and runs without touching the first board's saved game.
    void secondBoardOnOneStateFolder()
    {
        QTemporaryDir dir;
        FakeStore store;
        FakeTime time;
        FakeDialogs dialogs;
        GameFile first(dir.filePath(QStringLiteral("game.json")));
        QVERIFY(first.claim());
        Game played{SettingVariables()};
        first.follow(&played);
        played.select(Field::Home);
        played.keyDown(vk::Key0 + 7, {}, Field::Home);
        played.keyDown(vk::Enter, {}, Field::Home);
        QVERIFY(first.waitUntilWritten());
        const auto savedBytes = [&first] {
            QFile saved(first.path());
            return saved.open(QIODevice::ReadOnly) ? saved.readAll() : QByteArray();
        };
        const QByteArray bytes = savedBytes();
        QVERIFY(!bytes.isEmpty());

        GameFile second(first.path());
        Game game{SettingVariables()};
        QPointer<frmScoreBoard> board;
        auto* splash = new frmSplash(game);
        connect(splash, &frmSplash::boardOpened, this, [&](frmScoreBoard* b) { board = b; });
        QTest::ignoreMessage(QtWarningMsg,
                             QRegularExpression(QStringLiteral(
                                 "^pucklight: another Pucklight board \\(process \\d+\\) is "
                                 "running and saves its game in .*; this board runs without "
                                 "saving its game$")));
        keepGameSaved(splash, second);
        splash->show();
        QTRY_COMPARE(dialogs.told, QStringList({QStringLiteral("Another board is running")}));
        QVERIFY(dialogs.asked.isEmpty());
        QTest::mouseClick(splash->picLogo(), Qt::LeftButton);
        QVERIFY(board);
        QTest::keyClicks(board->box(Field::Time), QStringLiteral("1.00"));
        QTest::keyClick(board->box(Field::Time), Qt::Key_Return);
        QCOMPARE(board->game().state().clocks.record(GameClock).Preset, ClockValue::whole(60));
        QVERIFY(second.waitUntilWritten());
        QCOMPARE(second.writeCount(), 0);
        QCOMPARE(savedBytes(), bytes);
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden | QDir::System),
                 QStringList({"game.json", "game.lock"}));
        delete board;
    }

    void savedWhenReadsAsADay()
    {
        const QDateTime now(QDate(2026, 12, 7), QTime(12, 0));
        QCOMPARE(savedWhen(QDateTime(QDate(2026, 12, 7), QTime(11, 32, 5)), now),
                 QStringLiteral("Saved today at 11:32:05."));
        QVERIFY(savedWhen(QDateTime(QDate(2026, 12, 6), QTime(21, 4, 11)), now)
                    .endsWith(QStringLiteral(" 2026 at 21:04:11.")));
    }

    void cleanup() { installTranslations(QLocale::c()); }

    // The locale picks the language; English is the default. In every language each caption
    // fits its box, or overruns it no further than the English caption does.
    void textsInEachLanguage_data()
    {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<QString>("goal");
        QTest::addColumn<QString>("home");
        QTest::addColumn<QSize>("boardSize");
        // The design's shape, and 5:4, where the text grows more than the boxes widen.
        const QSize design(632, 453);
        const QSize narrow(1280, 1024);
        QTest::newRow("C") << u"C"_s << u"GOAL"_s << u"Home"_s << design;
        QTest::newRow("English, 5:4") << u"en_US"_s << u"GOAL"_s << u"Home"_s << narrow;
        QTest::newRow("French, Quebec") << u"fr_CA"_s << u"BUT"_s << u"Local"_s << design;
        QTest::newRow("French, 5:4") << u"fr_FR"_s << u"BUT"_s << u"Local"_s << narrow;
        QTest::newRow("Swedish, Finland") << u"sv_FI"_s << u"MÅL"_s << u"Hemma"_s << design;
        QTest::newRow("Swedish, 5:4") << u"sv_SE"_s << u"MÅL"_s << u"Hemma"_s << narrow;
    }

    void textsInEachLanguage()
    {
        QFETCH(QString, locale);
        QFETCH(QString, goal);
        QFETCH(QString, home);
        QFETCH(QSize, boardSize);
        QStringList unreadable;
        const Overruns english = showAll(boardSize, unreadable);
        // Every page's tab shows whole, in English too: none hides behind scroll arrows.
        QVERIFY2(english.value(u"SSTab1"_s).by <= 0,
                 qPrintable(u"the options' tabs by %1 px"_s.arg(english.value(u"SSTab1"_s).by)));
        QCOMPARE(installTranslations(QLocale(locale)), goal != "GOAL"_L1);
        // A fresh install's board: the team names are the defaults in this language.
        BoardFixture f(false);
        QCOMPARE(f.b().lblGoalH()->Caption(), goal);
        QCOMPARE(f.b().lblHome()->Caption(), home);
        const Overruns shown = showAll(boardSize, unreadable);
        QStringList wrong;
        for (auto i = shown.begin(); i != shown.end(); ++i)
            if (i->by > english.value(i.key()).by)
                wrong << QStringLiteral("%1 \"%2\" by %3 px").arg(i.key(), i->text).arg(i->by);
        QVERIFY2(wrong.isEmpty(), qPrintable(wrong.join(QLatin1String("; "))));
        QVERIFY2(unreadable.isEmpty(), qPrintable(unreadable.join(QStringLiteral(", "))));
    }
    // The console's remote control row: hidden while remote control is off (by the setting,
    // which the options change while the board runs), else the control page's address with a
    // QR code of it and the token; the reason when the token file cannot be used.
    void consoleRemoteRow_data()
    {
        QTest::addColumn<bool>("forced");   // --remote-control
        QTest::addColumn<bool>("allowed");  // the setting
        QTest::addColumn<bool>("openFile"); // a token file that others may read
        QTest::addColumn<int>("level");
        using L = ConsoleStatus::Level;
        QTest::newRow("off") << false << false << false << int(L::Off);
        QTest::newRow("the setting") << false << true << false << int(L::Ok);
        QTest::newRow("--remote-control") << true << false << false << int(L::Ok);
        QTest::newRow("a token file open to others") << true << true << true << int(L::Failed);
    }
    void consoleRemoteRow()
    {
        QFETCH(bool, forced);
        QFETCH(bool, allowed);
        QFETCH(bool, openFile);
        QFETCH(int, level);
        QTemporaryDir dir;
        const QString path = dir.filePath(u"remote-token"_s);
        QString error;
        const std::optional<RemoteToken> token = RemoteToken::obtain(&error, nullptr, path);
        QVERIFY(token);
        if (openFile)
            QVERIFY(QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner |
                                                    QFile::ReadGroup | QFile::ReadOther));
        SettingVariables s;
        s.AllowRemoteControl = allowed;
        Game game(s);
        BoardSampler sampler(&game);
        RemoteControl remote(&game, &sampler);
        remote.setForcedOn(forced);
        remote.setTokenPath(path);
        const QString origin = consolewindow::serverOrigin(u"::1"_s, 8080);
        QCOMPARE(origin, u"http://[::1]:8080"_s);
        // On every address, the code a phone reads names one of this computer's own.
        for (const QString& any : {u"0.0.0.0"_s, u"::"_s}) {
            const QUrl url(consolewindow::serverOrigin(any, 8080));
            const QHostAddress host(url.host());
            QVERIFY2(!host.isNull() && !host.isEqual(QHostAddress(any)) &&
                         (host.isLoopback() || QNetworkInterface::allAddresses().contains(host)),
                     qPrintable(url.toString()));
        }
        consolewindow::showRemote(&remote, origin);
        const ConsoleStatus::Entry& e = consolewindow::status().entry(ConsoleStatus::Row::Remote);
        QCOMPARE(int(e.level), level);
        if (e.level == ConsoleStatus::Level::Ok) {
            QVERIFY(e.text.contains(u"http://[::1]:8080/control"_s));
            QVERIFY(!e.text.contains(QString::fromLatin1(token->text())));
            QCOMPARE(e.code, "http://[::1]:8080/control#token=" + token->text());
        } else {
            QVERIFY(e.code.isEmpty());
        }
        if (openFile)
            QVERIFY(e.text.contains(u"others"_s) || e.text.contains(u"0644"_s) ||
                    e.text.contains(u"644"_s));
        // Turned off in the options while the board runs: the row goes at the next look.
        if (!forced && allowed) {
            s.AllowRemoteControl = false;
            game.setSettings(s);
            consolewindow::showRemote(&remote, origin);
            QCOMPARE(consolewindow::status().entry(ConsoleStatus::Row::Remote).level,
                     ConsoleStatus::Level::Off);
        }
        consolewindow::showRemote(nullptr, origin);
        QCOMPARE(consolewindow::status().entry(ConsoleStatus::Row::Remote).level,
                 ConsoleStatus::Level::Off);
    }

    // Last: a board that closes ends the application's event loops.
    void closeAsksOnlyWhileAClockRuns()
    {
        FakeDialogs dialogs;
        BoardFixture f;
        QTest::keyClick(f.box(Field::Time), 'S');
        QVERIFY(!f.b().close()); // kept running, the default answer
        QCOMPARE(dialogs.asked, QStringList{QStringLiteral("Close scoreboard")});
        QVERIFY(f.b().isVisible());
        QVERIFY(f.b().tmrClock1().isActive());

        QTest::keyClick(f.box(Field::Time), 'S');
        QVERIFY(f.b().close());
        QCOMPARE(dialogs.asked.size(), 1);
    }
};

PL_TEST_MAIN(TestAppWindows)
#include "tst_appwindows.moc"

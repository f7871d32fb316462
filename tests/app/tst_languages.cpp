#include "boardfixture.h"
#include "frmchoosekey.h"
#include "frmoptions.h"
#include "frmsplash.h"
#include "keynames.h"
#include "label.h"
#include "languages.h"
#include "modal.h"
#include "testmain.h"
#include "widgetcontrols.h"

#include <QStyleOptionButton>
#include <QStyleOptionComboBox>
#include <QTabBar>
#include <algorithm>
#include <memory>

using namespace Qt::StringLiterals;

// The program in each of its languages: the locale picks the translation, and every caption
// of the board, the splash, the options dialog and the key chooser still fits its box.
class TestLanguages : public QObject
{
    Q_OBJECT

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

    // Opens every window in the language installed now, as a fresh install shows them, and
    // measures their captions.
    static Overruns showAll(const QSize& boardSize)
    {
        Overruns shown;
        BoardFixture f;
        f.b().resize(boardSize);
        collect(f.b(), shown);

        FakeDialogs dialogs;
        std::unique_ptr<frmSplash> splash(new frmSplash);
        collect(*splash, shown);

        frmOptions options(&f.b());
        collect(options.form(), shown);
        // Every key name a command can take, in the box that shows it.
        auto* keyBox = options.form().find<Label>(QStringLiteral("lblStartStopClock"));
        for (int k = 0; k < 256; ++k)
            if (const QString name = KeyCodeToStr(static_cast<int16_t>(k)); !name.isEmpty()) {
                keyBox->setCaption(name);
                collect(keyBox, shown, QStringLiteral("key %1").arg(k));
            }
        // The key chooser says what the key will do, for each command.
        for (const char* command : {"cmdStartStopClock", "cmdResetClock", "cmdClearKey",
                                    "cmdClockSwitch", "cmdSepTime", "cmdBuzzer", "cmdHorn"}) {
            bool seen = false;
            onNextModal(
                [&shown, command](QWidget* w) {
                    if (auto* chooser = qobject_cast<frmChooseKey*>(w))
                        for (const Control* c : chooser->form().Controls())
                            collect(c, shown,
                                    c == chooser->lblChoose ? QLatin1String(command) : c->Name());
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
    void cleanup() { installTranslations(QLocale::c()); }

    // The locale picks the language; English is the default. In every language each caption
    // fits its box, or overruns it no further than the English caption does.
    void captionsFit_data()
    {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<QString>("goal");
        QTest::addColumn<QString>("home");
        QTest::addColumn<QSize>("boardSize");
        // The design's shape, and the narrowest of common screens (5:4), where the text grows
        // more than the boxes widen.
        const QSize design(632, 453);
        const QSize narrow(1280, 1024);
        QTest::newRow("C") << u"C"_s << u"GOAL"_s << u"Home"_s << design;
        QTest::newRow("English, 5:4") << u"en_US"_s << u"GOAL"_s << u"Home"_s << narrow;
        QTest::newRow("French, Quebec") << u"fr_CA"_s << u"BUT"_s << u"Local"_s << design;
        QTest::newRow("French, 5:4") << u"fr_FR"_s << u"BUT"_s << u"Local"_s << narrow;
        QTest::newRow("Swedish, Finland") << u"sv_FI"_s << u"MÅL"_s << u"Hemma"_s << design;
        QTest::newRow("Swedish, 5:4") << u"sv_SE"_s << u"MÅL"_s << u"Hemma"_s << narrow;
    }

    void captionsFit()
    {
        QFETCH(QString, locale);
        QFETCH(QString, goal);
        QFETCH(QString, home);
        QFETCH(QSize, boardSize);
        const Overruns english = showAll(boardSize);
        QCOMPARE(installTranslations(QLocale(locale)), goal != "GOAL"_L1);
        // A fresh install's board: the team names are the defaults in this language.
        BoardFixture f(false);
        QCOMPARE(f.b().lblGoalH->Caption(), goal);
        QCOMPARE(f.b().lblHome->Caption(), home);
        const Overruns shown = showAll(boardSize);
        QStringList wrong;
        for (auto i = shown.begin(); i != shown.end(); ++i)
            if (i->by > english.value(i.key()).by)
                wrong << QStringLiteral("%1 \"%2\" by %3 px").arg(i.key(), i->text).arg(i->by);
        QVERIFY2(wrong.isEmpty(), qPrintable(wrong.join(QLatin1String("; "))));
    }
};

PL_TEST_MAIN(TestLanguages)
#include "tst_languages.moc"

#include "control.h"
#include "fakes.h"
#include "frmchoosekey.h"
#include "frmhelp.h"
#include "frmoptions.h"
#include "frmsplash.h"
#include "keycodes.h"
#include "label.h"
#include "program.h"
#include "settingvariables.h"
#include "testmain.h"
#include "widgetcontrols.h"

#include <QLineEdit>
#include <QRadioButton>
#include <QStyleOptionButton>
#include <QTabBar>
#include <QTextBrowser>
#include <algorithm>
#include <cmath>
#include <functional>
#include <map>
#include <memory>

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
        const bool radio = qobject_cast<QRadioButton*>(b);
        return {b->text().isEmpty()
                    ? QRect()
                    : b->style()->subElementRect(radio ? QStyle::SE_RadioButtonContents
                                                       : QStyle::SE_PushButtonContents,
                                                 &o, b)};
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

using Opener = std::function<QWidget*()>;

} // namespace

Q_DECLARE_METATYPE(Opener)

// Under a dark system palette every text of the splash, the options dialog, the key chooser
// and the help window stands out from what lies behind it.
class TestThemes : public QObject
{
    Q_OBJECT

    QTemporaryDir programDir; // no sounds, no manual
    FakeTime time;
    FakeStore store;
    FakeKeyboard keyboard;
    FakeDialogs dialogs;

    static QWidget* chooser(bool refused)
    {
        auto* d = new frmChooseKey(nullptr, QStringLiteral("start the clock"), vk::KeyA + 18,
                                   frmChooseKey::HeldKeys{});
        if (refused)
            d->KeyDown(vk::F1);
        return d;
    }

private Q_SLOTS:
    void initTestCase()
    {
        program::setFolder(programDir.path());
        QApplication::setStyle(QStringLiteral("Fusion"));
        // Qt works out the rest of a palette from its button and window colours.
        const QColor dark(0x35, 0x35, 0x35);
        QApplication::setPalette(QPalette(dark, dark));
    }

    void textStandsOut_data()
    {
        QTest::addColumn<Opener>("open");
        QTest::newRow("splash") << Opener([] { return new frmSplash; });
        for (int page = 0; page < 4; ++page)
            QTest::addRow("options, page %d", page) << Opener([page] {
                auto* d = new frmOptions;
                d->SSTab1->setCurrentIndex(page);
                return d;
            });
        QTest::newRow("key chooser") << Opener([] { return chooser(false); });
        QTest::newRow("key chooser, key refused") << Opener([] { return chooser(true); });
        QTest::newRow("help") << Opener([] { return frmHelp::showHelp(); });
    }

    void textStandsOut()
    {
        QFETCH(Opener, open);
        Settings = SettingVariables();
        const std::unique_ptr<QWidget> w(open());
        w->setAttribute(Qt::WA_DeleteOnClose, false);
        w->show();
        QVERIFY(QTest::qWaitForWindowExposed(w.get()));
        const QImage shot = w->grab().toImage().convertToFormat(QImage::Format_RGB32);

        int checked = 0;
        QStringList unreadable;
        for (QWidget* c : w->findChildren<QWidget*>()) {
            if (!c->isVisibleTo(w.get()))
                continue;
            const auto* control = dynamic_cast<const Control*>(c);
            for (const QRect& local : textAreas(c)) {
                const QRect area = QRect(c->mapTo(w.get(), local.topLeft()), local.size())
                                       .intersected(shot.rect());
                if (area.isEmpty())
                    continue;
                ++checked;
                const auto [back, ink] = backgroundAndInk(shot, area);
                if (contrast(back, ink) < 3)
                    unreadable << QStringLiteral("%1 (%2 on %3)")
                                      .arg(control ? control->Name() : c->objectName(),
                                           QColor(ink).name(), QColor(back).name());
            }
        }
        QVERIFY(checked > 0);
        QVERIFY2(unreadable.isEmpty(), qPrintable(unreadable.join(QStringLiteral(", "))));
    }
};

PL_TEST_MAIN(TestThemes)
#include "tst_themes.moc"

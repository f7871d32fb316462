#include "control.h"
#include "fakes.h"
#include "fakestore.h"
#include "faketime.h"
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

#include <QApplication>
#include <QDir>
#include <QLineEdit>
#include <QRadioButton>
#include <QStyle>
#include <QStyleOptionButton>
#include <QTabBar>
#include <QTemporaryDir>
#include <QTextBrowser>
#include <algorithm>
#include <cmath>
#include <map>
#include <memory>

namespace {

double luminance(QRgb c)
{
    auto channel = [](int v) {
        const double s = v / 255.0;
        return s <= 0.03928 ? s / 12.92 : std::pow((s + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * channel(qRed(c)) + 0.7152 * channel(qGreen(c)) + 0.0722 * channel(qBlue(c));
}

double contrast(QRgb a, QRgb b)
{
    const double la = luminance(a);
    const double lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
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

enum class Window { Splash, Options, ChooseKey, ChooseKeyRefused, Help };

} // namespace

Q_DECLARE_METATYPE(Window)

// Under a dark system palette every text of the splash, the options dialog, the key chooser
// and the help window stands out from what lies behind it. Set PUCKLIGHT_THEME_SHOTS to a
// folder to keep what was checked.
class TestThemes : public QObject
{
    Q_OBJECT

    QTemporaryDir programDir; // no sounds, no manual
    FakeTime time;
    FakeStore store;
    FakeKeyboard keyboard;
    FakeDialogs dialogs;

    static std::unique_ptr<QWidget> open(Window which, int page)
    {
        switch (which) {
        case Window::Splash:
            return std::make_unique<frmSplash>();
        case Window::Options: {
            auto d = std::make_unique<frmOptions>();
            d->SSTab1->setCurrentIndex(page);
            return d;
        }
        case Window::ChooseKey:
        case Window::ChooseKeyRefused: {
            auto d = std::make_unique<frmChooseKey>(nullptr, QStringLiteral("start the clock"),
                                                    vk::KeyA + 18, frmChooseKey::HeldKeys{});
            if (which == Window::ChooseKeyRefused)
                d->KeyDown(vk::F1);
            return d;
        }
        case Window::Help:
            break;
        }
        return std::unique_ptr<QWidget>(frmHelp::showHelp());
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
        QTest::addColumn<Window>("window");
        QTest::addColumn<int>("page");
        QTest::newRow("splash") << Window::Splash << 0;
        for (int page = 0; page < 4; ++page)
            QTest::addRow("options, page %d", page) << Window::Options << page;
        QTest::newRow("key chooser") << Window::ChooseKey << 0;
        QTest::newRow("key chooser, key refused") << Window::ChooseKeyRefused << 0;
        QTest::newRow("help") << Window::Help << 0;
    }

    void textStandsOut()
    {
        QFETCH(Window, window);
        QFETCH(int, page);
        Settings = SettingVariables();
        const std::unique_ptr<QWidget> w = open(window, page);
        w->setAttribute(Qt::WA_DeleteOnClose, false);
        w->show();
        QVERIFY(QTest::qWaitForWindowExposed(w.get()));
        const QImage shot = w->grab().toImage().convertToFormat(QImage::Format_RGB32);
        if (const QString dir = qEnvironmentVariable("PUCKLIGHT_THEME_SHOTS"); !dir.isEmpty())
            shot.save(QDir(dir).filePath(QString::fromLatin1(QTest::currentDataTag()) + ".png"));

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

#include "polyled.h"
#include "testmain.h"

#include <QtMath>
#include <functional>

namespace {

// Where the middle of each segment, a to g, lies in a digit cell, as shares of the cell's
// width and height: the usual seven-segment figure, leaning slightly forward.
constexpr QPointF Middles[] = {{0.56, 0.12}, {0.78, 0.31}, {0.72, 0.69}, {0.44, 0.88},
                               {0.22, 0.69}, {0.28, 0.31}, {0.50, 0.50}};

const QColor Orange(255, 128, 0);
const QColor Navy(0, 0, 40);

QImage picture(PolyLED& led)
{
    return led.grab().toImage().convertToFormat(QImage::Format_RGB32);
}

QColor at(const QImage& img, QPointF share)
{
    return img.pixelColor(int(share.x() * img.width()), int(share.y() * img.height()));
}

int countPixels(const QImage& img, const QColor& c)
{
    int n = 0;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            n += img.pixelColor(x, y) == c;
    return n;
}

// Whether the outermost pixels are all of the background: the digit stays inside its cell.
bool borderIs(const QImage& img, const QColor& c)
{
    const QRect inner = img.rect().adjusted(1, 1, -1, -1);
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            if (!inner.contains(x, y) && img.pixelColor(x, y) != c)
                return false;
    return true;
}

class CountingLED : public PolyLED
{
public:
    using PolyLED::PolyLED;
    int paints = 0;

protected:
    void paintEvent(QPaintEvent* e) override
    {
        ++paints;
        PolyLED::paintEvent(e);
    }
};

} // namespace

class TestPolyLED : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void digits_data()
    {
        QTest::addColumn<int>("caption");
        QTest::addColumn<QString>("lit");
        const char* patterns[] = {"abcdef", "bc",     "abdeg", "abcdg",   "bcfg",
                                  "acdfg",  "acdefg", "abc",   "abcdefg", "abcdfg"};
        QTest::newRow("blank") << -1 << QString();
        for (int d = 0; d <= 9; ++d)
            QTest::addRow("%d", d) << d << QString::fromLatin1(patterns[d]);
        QTest::newRow("out of range shows blank") << 10 << QString();
    }

    void digits()
    {
        QFETCH(int, caption);
        QFETCH(QString, lit);

        PolyLED led(nullptr, QStringLiteral("pledTest"));
        led.setSize(120);
        led.setLitColor(Orange);
        led.setBackColor(Navy);
        led.setCaption(static_cast<int16_t>(caption));
        const QImage img = picture(led);
        // Unlit segments are a faint ghost of the lit colour: visible, but far nearer the
        // background than the lit colour.
        const QColor ghost = PolyLED::ghostColor(Orange, Navy);
        QVERIFY(ghost.red() > Navy.red() && ghost.red() - Navy.red() <= Orange.red() / 5);
        QVERIFY(ghost.blue() <= Navy.blue());
        for (int s = 0; s < 7; ++s) {
            const char segment = char('a' + s);
            QVERIFY2(at(img, Middles[s]) == (lit.contains(QLatin1Char(segment)) ? Orange : ghost),
                     QByteArray(1, segment).constData());
        }
        QCOMPARE(img.pixelColor(0, 0), Navy);
    }

    void changesShowAtOnce()
    {
        PolyLED led(nullptr, QStringLiteral("pledTest"));
        led.setSize(120);
        led.setCaption(1);
        const QImage lines = picture(led);

        led.setLitColor(Qt::green);
        led.setBackColor(Qt::white);
        const QImage img = picture(led);
        QCOMPARE(at(img, Middles[1]), QColor(Qt::green));
        QCOMPARE(at(img, Middles[0]), PolyLED::ghostColor(Qt::green, Qt::white));
        QCOMPARE(img.pixelColor(0, 0), QColor(Qt::white));

        led.setLitColor(Qt::red);
        led.setBackColor(Qt::black);
        QCOMPARE(picture(led), lines);

        // Round LEDs with space between them light fewer pixels, and their cores are exact.
        led.setLedType(1);
        const int dotPixels = countPixels(picture(led), Qt::red);
        QVERIFY(dotPixels > 0 && dotPixels < countPixels(lines, Qt::red));
        led.setLedType(0);
        QCOMPARE(picture(led), lines);
    }

    void sizeDrivesExtent_data()
    {
        QTest::addColumn<double>("size");
        QTest::addColumn<QSizeF>("twips");
        QTest::addColumn<QSize>("pixels");
        QTest::newRow("20") << 20.0 << QSizeF(168, 300) << QSize(11, 20);
        QTest::newRow("40") << 40.0 << QSizeF(336, 600) << QSize(22, 40);
        QTest::newRow("75") << 75.0 << QSizeF(630, 1125) << QSize(42, 75);
        QTest::newRow("600") << 600.0 << QSizeF(5040, 9000) << QSize(336, 600);
    }
    void sizeDrivesExtent()
    {
        QFETCH(double, size);
        QFETCH(QSizeF, twips);
        QFETCH(QSize, pixels);

        QWidget box;
        PolyLED led(&box, QStringLiteral("pledTest"));
        led.setLeft(150);
        led.setTop(300);
        led.setSize(size);
        led.setWidth(9999); // the digit sizes itself
        QCOMPARE(QSizeF(led.Width(), led.Height()), twips);
        QCOMPARE(led.geometry(), QRect(QPoint(10, 20), pixels));

        // A screenshot reader samples the segment centres, so from 40 px up, where a segment
        // has a core, each must be exactly the lit colour of an 8 or the ghost of a blank cell.
        led.setLitColor(Orange);
        led.setBackColor(Navy);
        const auto centres = PolyLED::segmentCentres(QSizeF(pixels));
        const auto captions =
            size >= 40 ? std::vector<int16_t>{8, PolyLED::BlankDigit} : std::vector<int16_t>{};
        for (const int16_t caption : captions) {
            led.setCaption(caption);
            const QImage img = picture(led);
            for (const QPointF& c : centres)
                QCOMPARE(img.pixelColor(qFloor(c.x()), qFloor(c.y())),
                         caption == 8 ? Orange : PolyLED::ghostColor(Orange, Navy));
        }

        // At every size the lean keeps the whole digit inside its cell, in both styles.
        led.setCaption(8);
        QVERIFY(borderIs(picture(led), Navy));
        led.setLedType(1);
        QVERIFY(borderIs(picture(led), Navy));
    }

    // Every real change paints, or the board would show a stale digit. (That an unchanged
    // value paints nothing is a matter of speed: bench_board's tick.)
    void changesRepaint()
    {
        CountingLED led(nullptr, QStringLiteral("pledTest"));
        led.show();
        QVERIFY(QTest::qWaitForWindowExposed(&led));
        const std::function<void(PolyLED&)> changes[] = {
            [](PolyLED& d) { d.setSize(80); }, [](PolyLED& d) { d.setCaption(4); },
            [](PolyLED& d) { d.setLitColor(Qt::green); },
            [](PolyLED& d) { d.setBackColor(Qt::white); }, [](PolyLED& d) { d.setLedType(1); }};
        for (const auto& change : changes) {
            led.paints = 0;
            change(led);
            QTRY_VERIFY(led.paints > 0);
        }
    }
};

PL_TEST_MAIN(TestPolyLED)
#include "tst_polyled.moc"

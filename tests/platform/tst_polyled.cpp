#include "polyled.h"
#include "testmain.h"
#include "twips.h"

#include <QtMath>

namespace {

// Where the middle of each segment lies in a digit cell, as shares of the cell's width and
// height: the usual seven-segment figure, leaning slightly forward.
struct SegmentMiddle
{
    char segment;
    double x;
    double y;
};
constexpr SegmentMiddle Middles[] = {{'a', 0.56, 0.12}, {'b', 0.78, 0.31}, {'c', 0.72, 0.69},
                                     {'d', 0.44, 0.88}, {'e', 0.22, 0.69}, {'f', 0.28, 0.31},
                                     {'g', 0.50, 0.50}};

const QColor Orange(255, 128, 0);
const QColor Navy(0, 0, 40);

QImage picture(PolyLED& led)
{
    return led.grab().toImage().convertToFormat(QImage::Format_RGB32);
}

QColor at(const QImage& img, double x, double y)
{
    return img.pixelColor(static_cast<int>(x * img.width()), static_cast<int>(y * img.height()));
}

int countPixels(const QImage& img, const QColor& c)
{
    int n = 0;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            n += img.pixelColor(x, y) == c;
    return n;
}

bool borderIs(const QImage& img, const QColor& c)
{
    for (int x = 0; x < img.width(); ++x)
        if (img.pixelColor(x, 0) != c || img.pixelColor(x, img.height() - 1) != c)
            return false;
    for (int y = 0; y < img.height(); ++y)
        if (img.pixelColor(0, y) != c || img.pixelColor(img.width() - 1, y) != c)
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
    void digits_data();
    void digits();
    void segmentCentresAreCorePixels_data();
    void segmentCentresAreCorePixels();
    void changesShowAtOnce();
    void sizeDrivesExtent_data();
    void sizeDrivesExtent();
    void unchangedValuesDoNotRepaint_data();
    void unchangedValuesDoNotRepaint();
    void sheet();
};

void TestPolyLED::digits_data()
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

void TestPolyLED::digits()
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
    QVERIFY(ghost != Navy);
    QVERIFY(ghost.red() > Navy.red() &&
            ghost.red() - Navy.red() <= (Orange.red() - Navy.red()) / 5);
    QVERIFY(ghost.blue() <= Navy.blue());

    for (const SegmentMiddle& m : Middles) {
        const bool on = lit.contains(QLatin1Char(m.segment));
        QVERIFY2(at(img, m.x, m.y) == (on ? Orange : ghost), &m.segment);
    }
    QCOMPARE(at(img, 0, 0), Navy);
    if (lit.isEmpty())
        QCOMPARE(countPixels(img, Orange), 0);
}

void TestPolyLED::segmentCentresAreCorePixels_data()
{
    QTest::addColumn<int>("size");
    for (const int s : {40, 55, 80, 300})
        QTest::addRow("%d", s) << s;
}

// A screenshot reader samples these points, so each must be a pixel of exactly the lit colour
// of an 8 and exactly the ghost colour of a blank cell.
void TestPolyLED::segmentCentresAreCorePixels()
{
    QFETCH(int, size);
    PolyLED led(nullptr, QStringLiteral("pledTest"));
    led.setSize(size);
    led.setLitColor(Orange);
    led.setBackColor(Navy);
    const auto centres = PolyLED::segmentCentres(QSizeF(led.width(), led.height()));
    for (const int16_t caption : {int16_t(8), PolyLED::BlankDigit}) {
        led.setCaption(caption);
        const QImage img = picture(led);
        const QColor want = caption == 8 ? Orange : PolyLED::ghostColor(Orange, Navy);
        for (const QPointF& c : centres)
            QCOMPARE(img.pixelColor(qFloor(c.x()), qFloor(c.y())), want);
    }
}

void TestPolyLED::changesShowAtOnce()
{
    PolyLED led(nullptr, QStringLiteral("pledTest"));
    led.setSize(120);
    led.setCaption(1);
    const QImage lines = picture(led);

    led.setLitColor(Qt::green);
    led.setBackColor(Qt::white);
    QImage img = picture(led);
    QCOMPARE(at(img, 0.78, 0.31), QColor(Qt::green));
    QCOMPARE(at(img, 0.56, 0.12), PolyLED::ghostColor(Qt::green, Qt::white));
    QCOMPARE(at(img, 0, 0), QColor(Qt::white));

    led.setLitColor(Qt::red);
    led.setBackColor(Qt::black);
    QCOMPARE(picture(led), lines);

    led.setLedType(1);
    const QImage dots = picture(led);
    QVERIFY(dots != lines);
    // Round LEDs with space between them light fewer pixels, and their cores are exact.
    const int dotPixels = countPixels(dots, Qt::red);
    QVERIFY(dotPixels > 0);
    QVERIFY(dotPixels < countPixels(lines, Qt::red));
    led.setLedType(0);
    QCOMPARE(picture(led), lines);
}

void TestPolyLED::sizeDrivesExtent_data()
{
    QTest::addColumn<double>("size");
    QTest::addColumn<QSizeF>("twips");
    QTest::addColumn<QSize>("pixels");
    QTest::newRow("20") << 20.0 << QSizeF(168, 300) << QSize(11, 20);
    QTest::newRow("55") << 55.0 << QSizeF(462, 825) << QSize(31, 55);
    QTest::newRow("75") << 75.0 << QSizeF(630, 1125) << QSize(42, 75);
    QTest::newRow("300") << 300.0 << QSizeF(2520, 4500) << QSize(168, 300);
    QTest::newRow("600") << 600.0 << QSizeF(5040, 9000) << QSize(336, 600);
}

void TestPolyLED::sizeDrivesExtent()
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
    led.setHeight(9999);
    QCOMPARE(led.Size(), size);
    QCOMPARE(QSizeF(led.Width(), led.Height()), twips);
    QCOMPARE(led.geometry(), QRect(QPoint(10, 20), pixels));

    // At every size the lean keeps the whole digit inside its cell, in both styles.
    led.setCaption(8);
    QVERIFY(borderIs(picture(led), Qt::black));
    led.setLedType(1);
    QVERIFY(borderIs(picture(led), Qt::black));
}

void TestPolyLED::unchangedValuesDoNotRepaint_data()
{
    QTest::addColumn<QString>("property");
    for (const char* p : {"Caption", "LitColor", "BackColor", "LedType", "Size"})
        QTest::newRow(p) << QString::fromLatin1(p);
}

void TestPolyLED::unchangedValuesDoNotRepaint()
{
    QFETCH(QString, property);
    auto set = [&](PolyLED& led, bool change) {
        if (property == QLatin1String("Caption"))
            led.setCaption(change ? 4 : 3);
        else if (property == QLatin1String("LitColor"))
            led.setLitColor(change ? Qt::green : Orange);
        else if (property == QLatin1String("BackColor"))
            led.setBackColor(change ? Qt::white : Navy);
        else if (property == QLatin1String("LedType"))
            led.setLedType(change ? 0 : 1);
        else
            led.setSize(change ? 80 : 75);
    };

    QWidget window;
    window.resize(200, 100);
    CountingLED led(&window, QStringLiteral("pledTest"));
    // A neighbour that changes shows when a repaint pass has run.
    CountingLED neighbour(&window, QStringLiteral("pledTest"), 1);
    neighbour.setLeft(1500);
    for (CountingLED* d : {&led, &neighbour}) {
        d->setSize(75);
        d->setCaption(3);
        d->setLitColor(Orange);
        d->setBackColor(Navy);
        d->setLedType(1);
    }
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QTRY_VERIFY(led.paints > 0 && neighbour.paints > 0);

    led.paints = 0;
    set(led, false);
    neighbour.setCaption(neighbour.Caption() == 3 ? 5 : 3);
    QTRY_VERIFY(neighbour.paints > 1);
    QCOMPARE(led.paints, 0);

    set(led, true);
    QTRY_VERIFY(led.paints > 0);
}

// A row of digits (blank, then 0 to 9) in both styles at a few heights, for looking at.
// Writes PNGs only when PUCKLIGHT_LED_SHEET names a folder.
void TestPolyLED::sheet()
{
    const QString dir = qEnvironmentVariable("PUCKLIGHT_LED_SHEET");
    if (dir.isEmpty())
        QSKIP("set PUCKLIGHT_LED_SHEET to a folder to get the digit sheets");
    for (int px : {20, 75, 300}) {
        for (int style : {0, 1}) {
            QWidget row;
            row.setAutoFillBackground(true);
            QPalette pal = row.palette();
            pal.setColor(QPalette::Window, QColor(0x40, 0x40, 0x40));
            row.setPalette(pal);
            const int cellW = static_cast<int>(px * 0.56) + px / 10;
            row.resize(cellW * 11 + px / 10, px + px / 5);
            for (int i = 0; i < 11; ++i) {
                auto* d = new PolyLED(&row, QStringLiteral("pledRow"), i);
                d->setLeft(twips::fromPixels(px / 10 + i * cellW));
                d->setTop(twips::fromPixels(px / 10));
                d->setSize(px);
                d->setLitColor(i % 3 == 2 ? QColor(255, 128, 0) : QColor(255, 0, 0));
                d->setLedType(style);
                d->setCaption(static_cast<int16_t>(i - 1));
            }
            const QString path =
                QStringLiteral("%1/polyled-%2-%3.png")
                    .arg(dir, style ? QStringLiteral("dots") : QStringLiteral("lines"))
                    .arg(px);
            QVERIFY(row.grab().save(path));
        }
    }
}

PL_TEST_MAIN(TestPolyLED)
#include "tst_polyled.moc"

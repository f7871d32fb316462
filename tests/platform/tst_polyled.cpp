// SPDX-License-Identifier: GPL-3.0-or-later
#include "polyled.h"
#include "testmain.h"

#include <QtMath>
#include <functional>

namespace {

const QColor Orange(255, 128, 0);
const QColor Navy(0, 0, 40);

QImage picture(PolyLED& led)
{
    return led.grab().toImage().convertToFormat(QImage::Format_RGB32);
}

// The segments (a to g) lit at their centres; "?" for neither the lit nor the ghost colour.
QString litSegments(const QImage& img, const QColor& lit = Orange, const QColor& back = Navy)
{
    const auto centres = PolyLED::segmentCentres(QSizeF(img.size()));
    QString segments;
    for (int s = 0; s < 7; ++s) {
        const QColor c = img.pixelColor(qFloor(centres[s].x()), qFloor(centres[s].y()));
        if (c == lit || c != PolyLED::ghostColor(lit, back))
            segments += c == lit ? QChar(u'a' + s) : u'?';
    }
    return segments;
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
bool inCell(const QImage& img)
{
    const QImage inner = img.copy(img.rect().adjusted(1, 1, -1, -1));
    return countPixels(img, Navy) - countPixels(inner, Navy) ==
           2 * (img.width() + img.height()) - 4;
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
    // From 40 px up a segment has a core of exactly the lit or the ghost colour.
    void digits_data()
    {
        QTest::addColumn<double>("size");
        QTest::addColumn<QSizeF>("twips");
        QTest::addColumn<QSize>("pixels");
        QTest::addColumn<int>("caption");
        QTest::addColumn<QString>("lit");
        const QSizeF twips(1008, 1800);
        const QSize pixels(67, 120);
        QTest::newRow("1") << 120.0 << twips << pixels << 1 << "bc";
        QTest::newRow("2") << 120.0 << twips << pixels << 2 << "abdeg";
        QTest::newRow("out of range shows blank") << 120.0 << twips << pixels << 10 << QString();
        QTest::newRow("20 px, no core") << 20.0 << QSizeF(168, 300) << QSize(11, 20) << 8 << "";
        QTest::newRow("8 at 40 px") << 40.0 << QSizeF(336, 600) << QSize(22, 40) << 8 << "abcdefg";
        QTest::newRow("blank at 40 px") << 40.0 << QSizeF(336, 600) << QSize(22, 40) << -1 << "";
        QTest::newRow("600 px") << 600.0 << QSizeF(5040, 9000) << QSize(336, 600) << 8 << "abcdefg";
    }

    void digits()
    {
        QFETCH(double, size);
        QFETCH(QSize, pixels);
        QFETCH(int, caption);
        QWidget box;
        PolyLED led(&box, QStringLiteral("pledTest"));
        led.setLeft(150);
        led.setTop(300);
        led.setSize(size);
        led.setWidth(9999); // the digit sizes itself
        QTEST(QSizeF(led.Width(), led.Height()), "twips");
        QCOMPARE(led.geometry(), QRect(QPoint(10, 20), pixels));
        led.setLitColor(Orange);
        led.setBackColor(Navy);
        led.setCaption(static_cast<int16_t>(caption));
        const QImage img = picture(led);
        if (size >= 40)
            QTEST(litSegments(img), "lit");
        // The lean keeps the whole digit inside its cell, in both styles.
        QVERIFY(inCell(img));
        led.setLedType(1);
        QVERIFY(inCell(picture(led)));
        // The usual seven-segment figure: a over g over d, b over c, f and e left of b and c.
        const auto m = PolyLED::segmentCentres(QSizeF(img.size()));
        QVERIFY(m[0].y() < m[6].y() && m[6].y() < m[3].y() && m[1].y() < m[2].y());
        QVERIFY(m[5].x() < m[1].x() && m[4].x() < m[2].x() && m[5].y() < m[4].y());
        // Unlit segments are a faint ghost of the lit colour, far nearer the background.
        const QColor ghost = PolyLED::ghostColor(Orange, Navy);
        QVERIFY(ghost.red() > Navy.red() && ghost.red() - Navy.red() <= Orange.red() / 5);
        QVERIFY(ghost.blue() <= Navy.blue());
    }

    // Every change paints, or the board would show a stale digit, and leaves nothing of before.
    void changesShowAtOnce()
    {
        CountingLED led(nullptr, QStringLiteral("pledTest"));
        led.setSize(120);
        led.setCaption(1);
        led.show();
        QVERIFY(QTest::qWaitForWindowExposed(&led));
        const QImage lines = picture(led);
        const auto change = [&led](const std::function<void()>& f) {
            led.paints = 0;
            f();
            QTRY_VERIFY(led.paints > 0);
        };
        // Round LEDs with space between them light fewer pixels.
        change([&] { led.setLedType(1); });
        const int dotPixels = countPixels(picture(led), Qt::red);
        QVERIFY(dotPixels > 0 && dotPixels < countPixels(lines, Qt::red));
        change([&] { led.setLedType(0); });
        change([&] { led.setLitColor(Qt::green); });
        change([&] { led.setBackColor(Qt::white); });
        const QImage img = picture(led);
        QCOMPARE(litSegments(img, Qt::green, Qt::white), QStringLiteral("bc"));
        QCOMPARE(img.pixelColor(0, 0), QColor(Qt::white));
        change([&] { led.setLitColor(Qt::red); });
        change([&] { led.setBackColor(Qt::black); });
        QCOMPARE(picture(led), lines);
        change([&] { led.setCaption(4); });
        change([&] { led.setSize(80); });
    }
};

PL_TEST_MAIN(TestPolyLED)
#include "tst_polyled.moc"

// SPDX-License-Identifier: GPL-3.0-or-later
#include "label.h"
#include "testmain.h"
#include "twips.h"

#include <QPainter>

namespace {

// 100 points: 133 pixels, text that Qt draws from glyph outlines and the label keeps drawn.
constexpr double LargePoints = 100;
const QColor Back(0, 0, 40);

QImage picture(Label& l)
{
    return l.grab().toImage().convertToFormat(QImage::Format_RGB32);
}

// The label's text drawn straight onto its background, as the label would draw it.
QImage expected(const Label& l, int flags)
{
    QImage img(l.size(), QImage::Format_RGB32);
    img.fill(Back);
    QPainter p(&img);
    p.setRenderHint(QPainter::TextAntialiasing);
    p.setFont(l.drawFont());
    p.setPen(l.ForeColor());
    p.drawText(QRect(QPoint(0, 0), l.size()), flags, l.Caption());
    return img;
}

// Pixels that differ by more than the rounding of drawing through a layer.
int differing(const QImage& a, const QImage& b)
{
    if (a.size() != b.size())
        return a.width() * a.height() + 1;
    int n = 0;
    for (int y = 0; y < a.height(); ++y) {
        for (int x = 0; x < a.width(); ++x) {
            const QColor p = a.pixelColor(x, y);
            const QColor q = b.pixelColor(x, y);
            n += std::abs(p.red() - q.red()) > 2 || std::abs(p.green() - q.green()) > 2 ||
                 std::abs(p.blue() - q.blue()) > 2;
        }
    }
    return n;
}

} // namespace

class TestLabel : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    // The layer a large text is kept in never outlives what it was drawn from.
    void drawsWhatChanged()
    {
        Label l(nullptr, QStringLiteral("lbl"));
        l.setOpaque(true, Back);
        l.setForeColor(Qt::white);
        l.setFontBold(true);
        l.setFontSize(LargePoints);
        l.setCaption(QStringLiteral("GOAL"));
        l.setWidth(twips::fromPixels(600));
        l.setHeight(twips::fromPixels(180));
        const auto shows = [&l](int flags) {
            const QImage now = picture(l);
            QCOMPARE(differing(now, expected(l, Qt::AlignTop | flags)), 0);
            QCOMPARE(differing(picture(l), now), 0); // drawn again unchanged, it looks the same
        };
        shows(Qt::AlignLeft);
        l.setCaption(QStringLiteral("SHOT"));
        shows(Qt::AlignLeft);
        l.setForeColor(QColor(255, 128, 0));
        shows(Qt::AlignLeft);
        l.setFontSize(LargePoints * 0.75);
        shows(Qt::AlignLeft);
        l.setFontBold(false);
        shows(Qt::AlignLeft);
        l.setAlignment(Label::Align::Right);
        l.setWidth(l.Width() * 1.5);
        shows(Qt::AlignRight);
        l.setAlignment(Label::Align::Center);
        shows(Qt::AlignHCenter);
    }

    // A label that shrinks its text draws one too wide for it smaller, so that it shows whole,
    // small and large (drawn through the layer) alike; its font size and extent stay as set.
    // One that fits, or a label that does not shrink, draws at its own size.
    void shrinksToFit_data()
    {
        QTest::addColumn<QString>("caption");
        QTest::addColumn<double>("points");
        QTest::addColumn<bool>("shrink");
        QTest::addColumn<bool>("smaller");
        const QString longText = QStringLiteral("Ishallen Örebro, Behrn Arena, Sweden");
        QTest::newRow("fits") << QStringLiteral("Arena") << 11.25 << true << false;
        QTest::newRow("too wide") << longText << 11.25 << true << true;
        QTest::newRow("too wide, large") << longText << LargePoints << true << true;
        QTest::newRow("too wide, not shrinking") << longText << 11.25 << false << false;
    }
    void shrinksToFit()
    {
        QFETCH(QString, caption);
        QFETCH(double, points);
        QFETCH(bool, shrink);
        QFETCH(bool, smaller);
        Label l(nullptr, QStringLiteral("lbl"));
        l.setOpaque(true, Back);
        l.setForeColor(Qt::white);
        l.setFontBold(true);
        l.setAlignment(Label::Align::Center);
        l.setShrinkToFit(shrink);
        l.setFontSize(points);
        l.Move(0, 0, twips::fromPixels(200), twips::fromPixels(twips::fontPixels(points) * 2));
        l.setCaption(caption);
        QCOMPARE(l.FontSize(), points);
        QCOMPARE(l.width(), 200);
        const QFont shown = l.shownFont();
        QCOMPARE(shown.pixelSize() < l.drawFont().pixelSize(), smaller);
        if (shrink)
            QVERIFY(QFontMetrics(shown).horizontalAdvance(caption) <= l.width());
        // Something is drawn, in the label's colour.
        const QImage img = picture(l);
        bool inked = false;
        for (int y = 0; y < img.height() && !inked; ++y)
            for (int x = 0; x < img.width() && !inked; ++x)
                inked = img.pixelColor(x, y) == QColor(Qt::white);
        QVERIFY(inked);
    }
};

PL_TEST_MAIN(TestLabel)
#include "tst_label.moc"

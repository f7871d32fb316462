#include "label.h"
#include "testmain.h"
#include "twips.h"

#include <QPainter>

namespace {

// 100 points: 133 pixels, text that Qt draws from glyph outlines and the label keeps drawn.
constexpr double LargePoints = 100;
constexpr double SmallPoints = 12;
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
    void drawsWhatChanged_data()
    {
        QTest::addColumn<double>("points");
        QTest::addColumn<QString>("change");
        for (const double points : {LargePoints, SmallPoints}) {
            const QByteArray size = points == LargePoints ? "large " : "small ";
            for (const char* change :
                 {"caption", "colour", "font size", "bold", "width", "alignment"})
                QTest::newRow(size + change) << points << QString::fromLatin1(change);
        }
    }

    // A label drawn once and changed must show the change: the text it keeps drawn for large
    // sizes never outlives what it was drawn from.
    void drawsWhatChanged()
    {
        QFETCH(double, points);
        QFETCH(QString, change);
        Label l(nullptr, QStringLiteral("lbl"));
        l.setOpaque(true, Back);
        l.setForeColor(Qt::white);
        l.setFontBold(true);
        l.setFontSize(points);
        l.setCaption(QStringLiteral("GOAL"));
        l.setWidth(twips::fromPixels(points == LargePoints ? 600 : 120));
        l.setHeight(twips::fromPixels(points == LargePoints ? 180 : 30));
        int flags = Qt::AlignTop | Qt::AlignLeft;
        QCOMPARE(differing(picture(l), expected(l, flags)), 0);

        if (change == QLatin1String("caption")) {
            l.setCaption(QStringLiteral("SHOT"));
        } else if (change == QLatin1String("colour")) {
            l.setForeColor(QColor(255, 128, 0));
        } else if (change == QLatin1String("font size")) {
            l.setFontSize(points * 0.75);
        } else if (change == QLatin1String("bold")) {
            l.setFontBold(false);
        } else if (change == QLatin1String("width")) {
            l.setAlignment(Label::Align::Right);
            l.setWidth(l.Width() * 1.5);
            flags = Qt::AlignTop | Qt::AlignRight;
        } else if (change == QLatin1String("alignment")) {
            l.setAlignment(Label::Align::Center);
            flags = Qt::AlignTop | Qt::AlignHCenter;
        }
        const QImage after = picture(l);
        QCOMPARE(differing(after, expected(l, flags)), 0);
        // Drawn again unchanged, it looks the same.
        QCOMPARE(differing(picture(l), after), 0);
    }
};

PL_TEST_MAIN(TestLabel)
#include "tst_label.moc"

// SPDX-License-Identifier: GPL-3.0-or-later
#include "image.h"
#include "testmain.h"
#include "twips.h"

namespace {

// Squares over a gradient: how the picture was scaled down shows in the result.
QImage stripes(QSize size, QRgb tint)
{
    QImage img(size, QImage::Format_RGB32);
    for (int y = 0; y < size.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(img.scanLine(y));
        for (int x = 0; x < size.width(); ++x) {
            const int v = (x / 16 + y / 16) % 2 ? 255 : (x * 255 / size.width());
            line[x] = qRgb(v & qRed(tint), v & qGreen(tint), v & qBlue(tint));
        }
    }
    return img;
}

// The mean difference per channel from smooth scaling of the whole picture.
double offBy(Image& img, const QImage& whole)
{
    const QImage a = img.grab().toImage().convertToFormat(QImage::Format_RGB32);
    const QImage b = whole.scaled(img.size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    double sum = 0;
    for (int y = 0; y < a.height(); ++y) {
        for (int x = 0; x < a.width(); ++x) {
            const QRgb p = a.pixel(x, y);
            const QRgb q = b.pixel(x, y);
            sum += std::abs(qRed(p) - qRed(q)) + std::abs(qGreen(p) - qGreen(q)) +
                   std::abs(qBlue(p) - qBlue(q));
        }
    }
    return sum / (3.0 * a.width() * a.height());
}

} // namespace

class TestImage : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void stretchedLikeTheWholePicture_data()
    {
        QTest::addColumn<QSize>("pictureSize");
        QTest::addColumn<QSize>("shown");
        QTest::newRow("a little smaller") << QSize(1600, 1200) << QSize(1000, 750);
        QTest::newRow("just under half") << QSize(1600, 1200) << QSize(790, 590);
        QTest::newRow("exactly half") << QSize(1600, 1200) << QSize(800, 600);
        QTest::newRow("a tenth") << QSize(1600, 1200) << QSize(160, 120);
        QTest::newRow("other aspect") << QSize(1200, 1600) << QSize(97, 301);
        QTest::newRow("larger") << QSize(300, 200) << QSize(900, 600);
    }

    // A reduced copy taken as a shortcut may neither blur, alias nor outlive its picture.
    void stretchedLikeTheWholePicture()
    {
        QFETCH(QSize, pictureSize);
        QFETCH(QSize, shown);
        const QImage white = stripes(pictureSize, qRgb(255, 255, 255));
        const QImage blue = stripes(pictureSize, qRgb(0, 0, 255));
        Image img(nullptr, QStringLiteral("img"));
        img.setStretch(true);
        const auto show = [&img](const QImage& photo, QSize size) {
            img.setPicture(photo);
            img.setWidth(twips::fromPixels(size.width()));
            img.setHeight(twips::fromPixels(size.height()));
            const double off = offBy(img, photo);
            QVERIFY2(off < 3.0, qPrintable(QString::number(off)));
        };
        show(white, shown);
        // The same picture at another size, as on every resize; then others, small to be quick.
        const QSize small = shown.boundedTo(QSize(200, 200));
        show(white, small);
        show(blue, small);
        show(blue, small / 2);
        img.clearPicture();
        show(white, small / 2);
    }
};

PL_TEST_MAIN(TestImage)
#include "tst_image.moc"

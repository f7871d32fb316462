// SPDX-License-Identifier: GPL-3.0-or-later
#include "form.h"
#include "image.h"
#include "picturebox.h"
#include "pictures.h"
#include "testmain.h"

#include <QBuffer>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QTemporaryDir>
#include <memory>

// Pictures fitted into their boxes without distortion, and the files that go wrong.
class TestPictures : public QObject
{
    Q_OBJECT

    QTemporaryDir dir;
    std::unique_ptr<Form> form;
    PictureBox* box = nullptr;
    Image* img = nullptr;

    QString write(const QString& name, int w, int h, QColor c = Qt::red)
    {
        QImage pic(w, h, QImage::Format_RGB32);
        pic.fill(c);
        pic.save(dir.filePath(name), "PNG");
        return dir.filePath(name);
    }
    QString save(const QString& name, const QByteArray& bytes)
    {
        QFile f(dir.filePath(name));
        return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size() ? f.fileName()
                                                                              : QString();
    }
    static QByteArray jpeg(const QImage& pic)
    {
        QByteArray bytes;
        QBuffer buf(&bytes);
        pic.save(&buf, "JPG", 95);
        return bytes;
    }

    void makeBox(double w, double h)
    {
        form = std::make_unique<Form>();
        box = new PictureBox(form.get(), QStringLiteral("picHomePicContainer"));
        box->Move(0, 0, w, h);
        img = new Image(box, QStringLiteral("imgHomePic"));
        img->Move(0, 0, w, h);
    }
    QRectF placed() const { return QRectF(img->Left(), img->Top(), img->Width(), img->Height()); }

private Q_SLOTS:
    void init()
    {
        clearPictureCache();
        makeBox(1500, 1500);
    }

    // A picture fills its box as far as it can without distortion, centred. Phone photos are
    // stored as taken and tagged with the turn (EXIF orientation) that stands them upright.
    void fitting_data()
    {
        QTest::addColumn<QSizeF>("boxSize");
        QTest::addColumn<QSize>("stored");
        QTest::addColumn<int>("orientation"); // 0: no tag
        QTest::addColumn<QRectF>("expected");
        QTest::addColumn<QSize>("shown");
        const QSizeF square(1500, 1500);
        const QRectF wide(0, 375, 1500, 750);
        const QRectF tall(375, 0, 750, 1500);
        QTest::newRow("square in tall box") << QSizeF(1240, 1395) << QSize(100, 100) << 0
                                            << QRectF(0, 77.5, 1240, 1240) << QSize(100, 100);
        QTest::newRow("tall in wide box") << QSizeF(1335, 900) << QSize(100, 200) << 0
                                          << QRectF(442.5, 0, 450, 900) << QSize(100, 200);
        QTest::newRow("equal ratio") << QSizeF(1200, 900) << QSize(400, 300) << 0
                                     << QRectF(0, 0, 1200, 900) << QSize(400, 300);
        QTest::newRow("3: upside down")
            << square << QSize(200, 100) << 3 << wide << QSize(200, 100);
        QTest::newRow("6: quarter turn")
            << square << QSize(200, 100) << 6 << tall << QSize(100, 200);
        // Read reduced: the reduction must not squash it either.
        QTest::newRow("6: large") << square << QSize(2400, 1200) << 6 << tall << QSize(800, 1600);
    }
    void fitting()
    {
        QFETCH(QSizeF, boxSize);
        QFETCH(QSize, stored);
        QFETCH(int, orientation);
        QFETCH(QRectF, expected);
        QFETCH(QSize, shown);
        QImage pic(stored, QImage::Format_RGB32);
        pic.fill(Qt::blue);
        QPainter(&pic).fillRect(0, 0, pic.width() / 2, pic.height(), Qt::red);
        QByteArray photo = jpeg(pic);
        // EXIF: a big-endian TIFF header and one entry, tag 0x112 (orientation), one SHORT.
        const QByteArray exif =
            QByteArray("Exif\0\0MM\0\x2a\0\0\0\x08\0\x01\x01\x12\0\x03\0\0\0\x01", 24) + char(0) +
            char(orientation) + QByteArray(6, '\0');
        const auto length = static_cast<uint16_t>(exif.size() + 2);
        if (orientation)
            photo.insert(2, QByteArray("\xFF\xE1", 2) + char(length >> 8) + char(length & 0xFF) +
                                exif);
        makeBox(boxSize.width(), boxSize.height());
        LoadFittedPicture(img, box, save(QStringLiteral("photo.jpg"), photo));
        QVERIFY(img->Stretch());
        QVERIFY(!img->isHidden());
        QCOMPARE(placed(), expected);
        const QImage shownPic = img->Picture();
        QCOMPARE(shownPic.size(), shown);
        // Where the stored left half ends up, as fractions of the picture shown.
        const QPointF redAt = orientation == 3   ? QPointF(0.75, 0.5)
                              : orientation == 6 ? QPointF(0.5, 0.25)
                                                 : QPointF(0.25, 0.5);
        const QColor c =
            shownPic.pixelColor(int(redAt.x() * shown.width()), int(redAt.y() * shown.height()));
        QVERIFY2(c.red() > 200 && c.blue() < 80, qPrintable(c.name()));
    }

    // Transparent parts of a logo show the box behind them, also in a picture scaled down.
    void transparentPartsShowTheBox_data()
    {
        QTest::addColumn<QImage::Format>("format");
        QTest::newRow("alpha channel") << QImage::Format_ARGB32;
        QTest::newRow("palette with a transparent colour") << QImage::Format_Indexed8;
    }
    void transparentPartsShowTheBox()
    {
        QFETCH(QImage::Format, format);
        QImage pic(400, 400, QImage::Format_ARGB32);
        pic.fill(Qt::transparent);
        QPainter(&pic).fillRect(200, 0, 200, 400, Qt::red); // the right half
        const QString path = dir.filePath(QStringLiteral("logo.png"));
        QVERIFY(pic.convertToFormat(format).save(path, "PNG"));
        box->setBackColor(Qt::blue);
        LoadFittedPicture(img, box, path);
        const QImage shown = box->grab().toImage();
        QCOMPARE(shown.pixelColor(shown.width() / 4, shown.height() / 2), QColor(Qt::blue));
        QCOMPARE(shown.pixelColor(shown.width() * 3 / 4, shown.height() / 2), QColor(Qt::red));
    }

    // A file replaced shows at the next call; one deleted since, or a folder in its place,
    // leaves the old picture where it was; an empty setting clears it.
    void theFileChanging()
    {
        const QString path = write(QStringLiteral("logo.png"), 50, 100, Qt::red);
        LoadFittedPicture(img, box, path);
        const QRectF fitted = placed();
        write(QStringLiteral("logo.png"), 50, 100, Qt::blue);
        QFile f(path);
        QVERIFY(f.open(QIODevice::ReadWrite));
        f.setFileTime(QDateTime::currentDateTime().addSecs(5), QFileDevice::FileModificationTime);
        f.close();
        LoadFittedPicture(img, box, path);
        QCOMPARE(img->Picture().pixelColor(5, 5), QColor(Qt::blue));
        QFile::remove(path);
        LoadFittedPicture(img, box, path);
        LoadFittedPicture(img, box, dir.path());
        QCOMPARE(img->Picture().pixelColor(5, 5), QColor(Qt::blue));
        QCOMPARE(placed(), fitted);
        LoadFittedPicture(img, box, QString());
        QVERIFY(!img->hasPicture());
    }

    void undecodableFilesLeaveNoPicture_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("empty") << QByteArray();
        QImage pic(64, 64, QImage::Format_RGB32);
        pic.fill(Qt::green);
        QTest::newRow("truncated jpeg") << jpeg(pic).left(40);
        // A PNG header that claims 20000 x 20000 pixels and holds nothing else.
        QTest::newRow("header-only bomb") << QByteArray::fromHex(
            "89504e470d0a1a0a0000000d4948445200004e2000004e20080600000000000000");
    }
    void undecodableFilesLeaveNoPicture()
    {
        QFETCH(QByteArray, bytes);
        LoadFittedPicture(img, box, write(QStringLiteral("ok.png"), 10, 10));
        QVERIFY(img->hasPicture());
        LoadFittedPicture(img, box, save(QStringLiteral("bad.jpg"), bytes));
        QVERIFY(!img->hasPicture());
        QVERIFY(!img->isHidden());
    }
};

PL_TEST_MAIN(TestPictures)
#include "tst_pictures.moc"

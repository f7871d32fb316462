// SPDX-License-Identifier: GPL-3.0-or-later
// A fixed number of resizes of the real board at 3840 x 2160 with three 4000 x 3000 photos,
// offscreen, for counting instructions under callgrind: the difference between a run of 11
// and a run of 1, divided by 10, is the cost of one resize with its repaint, in every thread
// and independent of the machine's load. See bench/README.md.
#include "boardfixture.h"
#include "isolatedenv.h"

#include <QImage>
#include <QTemporaryDir>
#include <QTextStream>

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QTemporaryDir home;
    isolated::thisProcess(home.path());
    QApplication app(argc, argv);
    const int steps = argc > 1 ? QByteArray(argv[1]).toInt() : 1;
    constexpr int Width = 3840;
    constexpr int Height = 2160;

    QTemporaryDir dir;
    const QString pics[3] = {dir.filePath("home.jpg"), dir.filePath("visitor.jpg"),
                             dir.filePath("board.jpg")};
    QImage photo(4000, 3000, QImage::Format_RGB32);
    for (int y = 0; y < photo.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(photo.scanLine(y));
        for (int x = 0; x < photo.width(); ++x)
            line[x] = qRgb(x % 256, y % 256, (x ^ y) % 256);
    }
    for (const QString& p : pics)
        photo.save(p, "JPG", 90);

    BoardFixture f(true, [&] {
        Settings.HomePic = pics[0];
        Settings.VisitorPic = pics[1];
        Settings.BoardPic = pics[2];
    });
    frmScoreBoard& b = f.b();
    b.resize(Width, Height);
    QCoreApplication::processEvents();
    // The same steps as the resize benchmark in bench_board.
    bool big = true;
    for (int i = 0; i < steps; ++i) {
        big = !big;
        b.resize(big ? Width : Width - 16, big ? Height : Height - 9);
        QCoreApplication::processEvents();
        b.repaint();
    }
    QTextStream(stdout) << steps << " resizes at " << b.width() << " x " << b.height() << "\n";
    return 0;
}

// SPDX-License-Identifier: GPL-3.0-or-later
// Time of one clock tick (with the repaint of what changed) and of one resize, on the real
// board, offscreen.
#include "boardfixture.h"
#include "consolestatus.h"
#include "frmconsole.h"
#include "gamefile.h"
#include "isolatedenv.h"
#include "twips.h"

#include <QImage>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

void showAt(frmScoreBoard& b, int w, int h)
{
    b.resize(w, h);
    QTRY_COMPARE_WITH_TIMEOUT(b.size(), QSize(w, h), 5000);
    QCoreApplication::processEvents();
}

// One tick with the game clock under a minute (three digits change every tick) and all
// four penalties running, followed by the repaint of what the tick changed; with the game
// file on (third argument 1), also the save: a write a second, on the writer's thread; with
// the operator's console open beside it at 1366 x 768 (fourth argument 1), also the console's
// share: its miniature, its lines and its penalties.
void tick(benchmark::State& state)
{
    BoardFixture f;
    frmScoreBoard& b = f.b();
    QTemporaryDir dir;
    GameFile file(dir.filePath(QStringLiteral("game.json")));
    if (state.range(2))
        file.follow(&b.game());
    ConsoleStatus status;
    std::unique_ptr<frmConsole> console;
    if (state.range(3)) {
        console = std::make_unique<frmConsole>(b.game(), status);
        console->setBoardSize(
            QSize(static_cast<int>(state.range(0)), static_cast<int>(state.range(1))));
        console->resize(1366, 768);
        console->show();
        QCoreApplication::processEvents();
    }
    showAt(b, static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
    f.type(Field::Time, "59.59\n");
    for (Field p : {Field::PenaltyTH1, Field::PenaltyTH2, Field::PenaltyTV1, Field::PenaltyTV2})
        f.type(p, "9.59\n");
    QTest::keyClick(b.box(Field::Time), Qt::Key_S);
    QCoreApplication::processEvents();
    for (auto _ : state) {
        f.time.advanceMs(100);
        b.game().tick();
        QCoreApplication::processEvents(); // the repaint of what changed
        // Sixty seconds is enough for every iteration: start over before the clock runs out.
        if (f.clock(GameClock) < ClockValue::whole(2)) {
            state.PauseTiming();
            QTest::keyClick(b.box(Field::Time), Qt::Key_R);
            QTest::keyClick(b.box(Field::Time), Qt::Key_S);
            state.ResumeTiming();
        }
    }
}

// A resize: stretch every control, re-fit the names and three 4000 x 3000 photographs.
void resize(benchmark::State& state)
{
    QTemporaryDir dir;
    const QString pics[3] = {dir.filePath("home.jpg"), dir.filePath("visitor.jpg"),
                             dir.filePath("board.jpg")};
    QImage photo(4000, 3000, QImage::Format_RGB32);
    for (int y = 0; y < photo.height(); ++y)
        for (int x = 0; x < photo.width(); ++x)
            photo.setPixel(x, y, qRgb(x % 256, y % 256, (x ^ y) % 256));
    for (const QString& p : pics)
        photo.save(p, "JPG", 90);

    BoardFixture f(true, [&] {
        Settings.HomePic = pics[0];
        Settings.VisitorPic = pics[1];
        Settings.BoardPic = pics[2];
    });
    frmScoreBoard& b = f.b();
    const int w = static_cast<int>(state.range(0));
    const int h = static_cast<int>(state.range(1));
    showAt(b, w, h);
    bool big = true;
    for (auto _ : state) {
        // Alternate between two nearby sizes, as a window being dragged does.
        big = !big;
        b.resize(big ? w : w - 16, big ? h : h - 9);
        QCoreApplication::processEvents(); // the resize event, then the repaint
        b.repaint();
    }
}

} // namespace

BENCHMARK(tick)
    ->ArgNames({"width", "height", "gamefile", "console"})
    ->Args({1920, 1080, 0, 0})
    ->Args({1920, 1080, 1, 0})
    ->Args({1920, 1080, 0, 1})
    ->Args({3840, 2160, 0, 0})
    ->Args({3840, 2160, 1, 0})
    ->Unit(benchmark::kMicrosecond);
BENCHMARK(resize)->Args({3840, 2160})->Unit(benchmark::kMillisecond);

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QTemporaryDir home;
    isolated::thisProcess(home.path());
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

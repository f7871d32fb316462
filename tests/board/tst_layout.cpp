#include "boarddesign.h"
#include "boardfixture.h"
#include "control.h"
#include "label.h"
#include "layout.h"
#include "picturebox.h"
#include "shape.h"
#include "testmain.h"
#include "twips.h"

#include <QRandomGenerator>
#include <array>
#include <cmath>

// Proportional scaling of the board from its recorded design geometry.
class TestLayout : public QObject
{
    Q_OBJECT

    // Position, size, font, border and LED size: what a stretch may change.
    static std::array<double, 7> geometryOf(const Control* c)
    {
        return {c->Left(),     c->Top(),         c->Width(), c->Height(),
                c->FontSize(), c->BorderWidth(), c->Size()};
    }

    // The team names are re-sized and re-centred after every stretch, the pictures are
    // re-fitted, and the selection marker goes where the selected field is: their geometry is
    // not the stretch's alone.
    static bool refitted(const Control* c)
    {
        return c->Name() == QLatin1String("lblHome") || c->Name() == QLatin1String("lblVisitor") ||
               c->Name().startsWith(QLatin1String("img")) ||
               c->Name() == QLatin1String("shpObjectSelected");
    }

    using Snapshot = std::vector<std::pair<const Control*, std::array<double, 7>>>;
    static Snapshot snapshot(const frmScoreBoard& b)
    {
        Snapshot all;
        for (const Control* c : b.Controls())
            all.emplace_back(c, geometryOf(c));
        return all;
    }

    static void resizeOuter(frmScoreBoard& b, double outerW, double outerH)
    {
        b.setOuterSize(outerW, outerH);
        const QSize want(twips::toPixels(outerW - twips::FrameWidth),
                         twips::toPixels(outerH - twips::FrameHeight));
        QTRY_COMPARE(b.size(), want);
    }

private Q_SLOTS:
    // Twice as wide as the design, only lefts and widths double; fonts, rounded from the
    // design (15.75 -> 16), follow the smaller of the two stretches.
    void stretchedFromTheDesign()
    {
        BoardFixture f;
        frmScoreBoard& b = f.b();
        resizeOuter(b, 19200, 7200);
        for (const DesignRow& r : boardDesign()) {
            const Control* c = b.control(QString::fromLatin1(r.name), r.index);
            QVERIFY(c);
            if (refitted(c))
                continue;
            QCOMPARE(c->Left(), 2 * r.left);
            QCOMPARE(c->Top(), r.top);
            if (r.kind == DesignRow::Kind::PolyLED) {
                QCOMPARE(c->Size(), r.ledSize);
                continue;
            }
            QCOMPARE(c->Width(), 2 * r.width);
            QCOMPARE(c->Height(), r.height);
            if (r.kind == DesignRow::Kind::Label)
                QCOMPARE(c->FontSize(), std::nearbyint(r.fontSize));
            if (r.kind == DesignRow::Kind::Shape)
                QCOMPARE(c->BorderWidth(), r.borderWidth);
        }
        // The hundreds digit of a score keeps its left part outside the field.
        QVERIFY(b.field(Field::Home).digits[2]->Left() < 0);
        QCOMPARE(RSize(24, 9600, 14400), 24.0); // taller
        resizeOuter(b, 19200, 14400);
        QCOMPARE(b.lblHome->FontSize(), 48.0);
    }

    // Back at the design size after random sizes, the options closing (with Cancel) on a tiny
    // board and on a 4K projector (57720 twips across, beyond 16 bits), absurd sizes and a
    // minimise, nothing has moved.
    void resizesAndOptionsLeaveNoTrace()
    {
        BoardFixture f;
        frmScoreBoard& b = f.b();
        b.ObjectSelected(nullptr);
        const Snapshot before = snapshot(b);
        const QImage picture = b.grab().toImage();
        QRandomGenerator rng(7);
        for (int i = 0; i < 25; ++i)
            resizeOuter(b, 1500 + rng.bounded(40000), 1500 + rng.bounded(30000));
        resizeOuter(b, 80 * twips::PerPixel, 60 * twips::PerPixel);
        b.applySettings(Settings);
        resizeOuter(b, 57600 + twips::FrameWidth, 32400 + twips::FrameHeight);
        b.applySettings(Settings);
        // Absurd sizes: a 1 x 1 board still paints; one far beyond any screen stops at 8K, as
        // its picture would need gigabytes.
        b.resize(1, 1);
        QTRY_VERIFY(b.width() <= 2);
        QVERIFY(b.grab().width() >= 1);
        b.resize(20000, 20000);
        QTRY_VERIFY(b.width() > 1000);
        QVERIFY(b.width() <= 7680 && b.height() <= 4320);
        resizeOuter(b, 14400, 10800);
        const Snapshot large = snapshot(b);
        b.showMinimized();
        QCoreApplication::processEvents();
        b.showNormal();
        QCoreApplication::processEvents();
        for (const auto& [c, g] : large)
            QVERIFY2(geometryOf(c) == g, qPrintable(c->Name()));
        b.ObjectSelected(b.box(Field::Home));
        resizeOuter(b, 9600, 7200);
        QVERIFY(!b.shpObjectSelected->isVisible()); // a resize hides the marker
        QCOMPARE(b.grab().toImage(), picture);
        for (const auto& [c, g] : before)
            QVERIFY2(c == b.shpObjectSelected || geometryOf(c) == g, qPrintable(c->Name()));

        // Shrunk to a sliver, everything that scales with the height stays at least 1.
        resizeOuter(b, 9600, twips::FrameHeight + 15);
        for (const Control* c : b.Controls()) {
            if (c->FontSize() > 0)
                QVERIFY2(c->FontSize() >= 1, qPrintable(c->Name()));
            if (c->TypeName() == QLatin1String("Shape"))
                QVERIFY2(c->BorderWidth() >= 1, qPrintable(c->Name()));
            if (c->TypeName() == QLatin1String("PolyLED"))
                QVERIFY2(c->Size() >= 1, qPrintable(c->Name()));
        }
        QCOMPARE(b.find<Label>(QStringLiteral("lblCreatedBy"))->FontSize(), 1.0);
    }
};

PL_TEST_MAIN(TestLayout)
#include "tst_layout.moc"

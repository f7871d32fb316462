#include "boardfixture.h"
#include "colors.h"
#include "label.h"
#include "picturebox.h"
#include "shape.h"
#include "testmain.h"

#include <QImage>

// The colour scheme as the audience sees it: pixels of the painted board.
class TestBoardColors : public QObject
{
    Q_OBJECT

    static QColor pixelAt(QWidget* board, QWidget* w, QPoint local)
    {
        const QImage img = board->grab().toImage();
        return img.pixelColor(w->mapTo(board, local));
    }

    // Whether any pixel of the widget, as painted on the board, has exactly that colour.
    static bool paints(QWidget* board, QWidget* w, const QColor& c)
    {
        const QImage img = board->grab(QRect(w->mapTo(board, QPoint()), w->size())).toImage();
        for (int y = 0; y < img.height(); ++y)
            for (int x = 0; x < img.width(); ++x)
                if (img.pixelColor(x, y) == c)
                    return true;
        return false;
    }

private Q_SLOTS:
    void everyElementTakesItsColour()
    {
        BoardFixture f;
        frmScoreBoard& b = f.b();
        QTest::keyClick(b.box(Field::Goal), Qt::Key_Right); // a lamp lit before the change
        f.type(Field::PenaltyTH1, "2\n");
        Settings.FormBack = 0x563412;
        Settings.LEDBack = 0x202020;
        Settings.TimeColor = 0x00FFFF;
        Settings.ScoreColor = 0xFF00FF;
        Settings.PeriodColor = 0x00FF00;
        Settings.BorderColor = 0x0000FF;
        Settings.HomeColor = 0xFFFF00;
        b.applySettings(Settings);

        const QColor formBack = toQColor(Settings.FormBack);
        const QColor ledBack = toQColor(Settings.LEDBack);
        const QColor border = toQColor(Settings.BorderColor);
        QCOMPARE(b.grab().toImage().pixelColor(173, 46), formBack);        // bare board
        QCOMPARE(pixelAt(&b, b.box(Field::Time), QPoint(2, 2)), ledBack);  // field background
        QCOMPARE(pixelAt(&b, b.box(Field::Goal), QPoint(2, 2)), formBack); // the goal strip
        QVERIFY(paints(&b, b.field(Field::Time).digits[1],
                       toQColor(Settings.TimeColor))); // lit clock segment
        QVERIFY(paints(&b, b.field(Field::Home).digits[0], toQColor(Settings.ScoreColor)));
        QVERIFY(paints(&b, b.field(Field::Period).digits[0], toQColor(Settings.PeriodColor)));
        QVERIFY(paints(&b, b.find<Label>(QStringLiteral("lblPeriod")), border)); // caption text
        QVERIFY(paints(&b, b.lblHome, toQColor(Settings.HomeColor)));            // team name
        // The outer frame's outline, in the middle of its left edge.
        QCOMPARE(pixelAt(&b, b.shpBoardFrame, QPoint(3, b.shpBoardFrame->height() / 2)), border);
        // A shown penalty colon, and a hidden one.
        QWidget* dot = b.penaltyControls(1).colon[0];
        QCOMPARE(pixelAt(&b, dot, dot->rect().center()), border);
        QWidget* hidden = b.penaltyControls(3).colon[0];
        QCOMPARE(pixelAt(&b, hidden, hidden->rect().center()), ledBack);

        // The board colour reaches every container and no field.
        for (PictureBox* p :
             {b.box(Field::Goal), b.picHomeContainer, b.picVisitorContainer, b.picHomePicContainer,
              b.picVisitorPicContainer, b.picBoardPicContainer})
            QCOMPARE(p->BackColor(), formBack);
        QCOMPARE(b.box(Field::Time)->BackColor(), ledBack);
        QCOMPARE(b.box(Field::PenaltyTV2)->BackColor(), ledBack);
        // The lit lamps take the new colour; dark ones the board's, so only their outline shows.
        QCOMPARE(b.shpGoalV->FillColor(), toQColor(Settings.ScoreColor));
        QCOMPARE(b.penaltyControls(1).lamp->FillColor(), toQColor(Settings.ScoreColor));
        QCOMPARE(b.shpGoalH->FillColor(), formBack);
        QCOMPARE(b.penaltyControls(4).lamp->FillColor(), formBack);
    }

    void mergingColours()
    {
        BoardFixture f;
        frmScoreBoard& b = f.b();
        // Fields merge with the board; frames and captions stay visible.
        Settings.LEDBack = Settings.FormBack;
        b.applySettings(Settings);
        QCOMPARE(pixelAt(&b, b.box(Field::Home), QPoint(2, 2)), toQColor(Settings.FormBack));
        QVERIFY(
            paints(&b, b.find<Label>(QStringLiteral("lblPeriod")), toQColor(Settings.BorderColor)));

        // A border colour equal to the LED background hides the shown penalty colons too.
        Settings = SettingVariables();
        Settings.BorderColor = Settings.LEDBack;
        f.type(Field::PenaltyTH1, "2\n");
        b.applySettings(Settings);
        QWidget* dot = b.penaltyControls(1).colon[0];
        QCOMPARE(pixelAt(&b, dot, dot->rect().center()), toQColor(Settings.LEDBack));
    }
};

PL_TEST_MAIN(TestBoardColors)
#include "tst_boardcolors.moc"

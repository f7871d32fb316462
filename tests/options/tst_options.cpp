#include "fakes.h"
#include "frmoptions.h"
#include "modal.h"
#include "testmain.h"

#include "form.h"
#include "image.h"
#include "label.h"
#include "picturebox.h"
#include "polyled.h"
#include "settingvariables.h"
#include "widgetcontrols.h"

#include <QImage>

namespace {

// Settings unlike the defaults in every value, so that a value loaded into the wrong place
// or not stored shows.
SettingVariables unusualSettings(const QString& picture)
{
    SettingVariables s;
    s.TimeColor = 0x010203;
    s.LEDBack = 0x040506;
    s.ScoreColor = 0x070809;
    s.PeriodColor = 0x0A0B0C;
    s.FormBack = 0x0D0E0F;
    s.LEDSelected = 0x101112;
    s.BorderColor = 0x131415;
    s.HomeColor = 0x161718;
    s.VisitorColor = 0x191A1B;
    s.LEDSelectedWidth = 3;
    s.StartStopClockKey = 65;
    s.ResetClockKey = 68;
    s.ClearKey = 8;
    s.ClockSwitchKey = 69;
    s.SepTimeKey = 70;
    s.BuzzerKey = 72;
    s.HornKey = 74;
    s.BuzzerFile = QStringLiteral("/no/such/buzzer.wav");
    s.HornFile = QStringLiteral("/no/such/horn.wav");
    s.NumLockForce = 2;
    s.TeamSize = Fixed4::whole(31);
    s.HomePic = picture;
    s.VisitorPic = QStringLiteral("/no/such/visitor.jpg");
    s.BoardPic = picture;
    s.LEDType = 1;
    return s;
}

QString elision()
{
    return QStringLiteral(" ...") + QDir::separator();
}

PictureBox* swatch(const frmOptions& d, const char* name)
{
    return d.form().find<PictureBox>(QString::fromLatin1(name));
}

CommandButton* button(const frmOptions& d, const char* name)
{
    return d.form().find<CommandButton>(QString::fromLatin1(name));
}

} // namespace

class TestOptions : public QObject
{
    Q_OBJECT

    FakeStore store;
    FakeDialogs dialogs;
    FakeKeyboard keyboard;
    QTemporaryDir files;
    QString picture;

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY(files.isValid());
        picture = files.filePath(QStringLiteral("team.bmp"));
        QImage img(40, 20, QImage::Format_RGB32);
        img.fill(Qt::blue);
        QVERIFY(img.save(picture));
    }

    void init()
    {
        Settings = SettingVariables();
        store.clear();
        dialogs.colors.clear();
        dialogs.files.clear();
        dialogs.answers.clear();
        dialogs.asked.clear();
        dialogs.filters.clear();
        dialogs.beeps = 0;
        keyboard.on = true;
        keyboard.toggles = 0;
    }

    void okStoresWhatWasLoaded_data()
    {
        QTest::addColumn<QString>("home");
        QTest::addColumn<QString>("visitor");
        QTest::addColumn<bool>("sizeKept");
        QTest::newRow("initial names keep the size") << "Home"
                                                     << "Visitor" << true;
        QTest::newRow("another home name") << "Hawks"
                                           << "Visitor" << false;
        QTest::newRow("another visitor name") << "Home"
                                              << "Eagles" << false;
    }
    void okStoresWhatWasLoaded()
    {
        QFETCH(QString, home);
        QFETCH(QString, visitor);
        QFETCH(bool, sizeKept);
        SettingVariables loaded = unusualSettings(picture);
        loaded.HomeText = home;
        loaded.VisitorText = visitor;
        Settings = loaded;

        frmOptions d;
        d.cmdOk_Click();

        QCOMPARE(d.result(), int(QDialog::Accepted));
        if (!sizeKept) {
            QVERIFY(d.TempSize >= 10 && d.TempSize <= 60);
            QVERIFY(d.TempSize != 31);
            loaded.TeamSize = Fixed4::whole(d.TempSize);
        }
        QVERIFY(Settings == loaded);
        QCOMPARE(store.value("ColorSettings", "TimeColor"), QString::number(0x010203));
        QCOMPARE(store.value("ColorSettings", "LEDSelectedWidth"), QStringLiteral("3"));
        QCOMPARE(store.value("KeySettings", "NumLockForce"), QStringLiteral("2"));
        QCOMPARE(store.value("TextSettings", "TeamSize"), loaded.TeamSize.toText());
        QCOMPARE(store.value("PicSettings", "HomePic"), picture);
        // Keep-off mode is applied at once.
        QCOMPARE(keyboard.on, false);
    }

    void openingShowsTheSettings()
    {
        Settings = unusualSettings(picture);
        frmOptions d;
        QCOMPARE(swatch(d, "picTimeC")->BackColor(), QColor(0x03, 0x02, 0x01));
        QCOMPARE(swatch(d, "picLedSelected")->BackColor(), QColor(0x12, 0x11, 0x10));
        QCOMPARE(d.lblLEDSelectedWidthValue->Caption(), QStringLiteral("3"));
        QCOMPARE(d.form().find<Label>(QStringLiteral("lblClear"))->Caption(),
                 QStringLiteral("Backspace"));
        QCOMPARE(d.form().find<Label>(QStringLiteral("lblHorn"))->Caption(), QStringLiteral("J"));
        QVERIFY(d.optKeepOff->isChecked() && !d.optNormal->isChecked());
        QCOMPARE(d.lblBFile->Caption(), QStringLiteral("/no/such/buzzer.wav"));
        QCOMPARE(d.cmbLedType->currentText(), QStringLiteral("Dots"));
        QCOMPARE(d.pledPreview->LedType(), 1);
        QCOMPARE(d.pledPreview->Caption(), int16_t(8));
        QVERIFY(d.form().find<Image>(QStringLiteral("imgHomePicPreview"))->hasPicture());
        QVERIFY(!d.form().find<Image>(QStringLiteral("imgVisitorPicPreview"))->hasPicture());
    }

    void everyOpeningStartsOnTheFirstTabWithOkFocused()
    {
        {
            frmOptions d;
            d.show();
            d.SSTab1->setCurrentIndex(3);
            d.cmdCancel_Click();
        }
        frmOptions d;
        d.show();
        QCOMPARE(d.SSTab1->currentIndex(), 0);
        QCOMPARE(d.SSTab1->tabText(0), QStringLiteral("Keyboard Controls"));
        QCOMPARE(d.focusWidget(), d.cmdOk);
    }

    void twentyWidthLettersGiveNine()
    {
        frmOptions d;
        d.txtHomeText->clear();
        QTest::keyClicks(d.txtHomeText, QString(21, QLatin1Char('W')));
        QCOMPARE(d.txtHomeText->text(), QString(20, QLatin1Char('W')));
        QCOMPARE(d.lblHomePreview->Caption(), d.txtHomeText->text());
        QCOMPARE(d.TempSize, int16_t(9));
        d.cmdOk_Click();
        QCOMPARE(Settings.TeamSize, Fixed4::whole(9));
        QCOMPARE(store.value("TextSettings", "TeamSize"), QStringLiteral("9"));
    }

    void previewSizeFollowsBothNames()
    {
        frmOptions d;
        d.txtHomeText->setText(QStringLiteral("I"));
        d.txtVisitorText->setText(QStringLiteral("I"));
        const int16_t narrow = d.TempSize;
        QVERIFY(narrow <= 60);
        // Both names must fit: a long visitor name lowers the size for both.
        d.txtVisitorText->setText(QStringLiteral("Saskatoon Blades"));
        QVERIFY(d.TempSize < narrow);
        QVERIFY(d.lblVisitorPreview->Width() < 1900);
        QVERIFY(d.lblHomePreview->Height() < 600);
        // One size larger would not fit.
        d.lblVisitorPreview->setFontSize(d.TempSize + 1);
        QVERIFY(d.lblVisitorPreview->Width() >= 1900 || d.lblVisitorPreview->Height() >= 600);
    }

    void pictureClearThenOkStoresEmpty_data()
    {
        QTest::addColumn<QString>("group");
        QTest::newRow("home") << "Home";
        QTest::newRow("visitor") << "Visitor";
        QTest::newRow("board") << "Board";
    }
    void pictureClearThenOkStoresEmpty()
    {
        QFETCH(QString, group);
        Settings.HomePic = Settings.VisitorPic = Settings.BoardPic = picture;
        frmOptions d;
        auto* img = d.form().find<Image>(QStringLiteral("img%1PicPreview").arg(group));
        QVERIFY(img->hasPicture());
        d.form().find<CommandButton>(QStringLiteral("cmdClear%1Pic").arg(group))->click();
        QVERIFY(!img->hasPicture());
        d.cmdOk_Click();
        QCOMPARE(store.value("PicSettings", group + QStringLiteral("Pic")), QString());
        int stillSet = 0;
        for (const char* key : {"HomePic", "VisitorPic", "BoardPic"})
            stillSet += store.value("PicSettings", key) == picture;
        QCOMPARE(stillSet, 2);
    }

    void changeButtonsTakeOnlyExistingFiles_data()
    {
        QTest::addColumn<QString>("buttonName");
        QTest::addColumn<QString>("filter");
        QTest::addColumn<bool>("exists");
        const QString sounds = QStringLiteral("Sounds *.wav|*.wav");
        const QString pictures = QStringLiteral("Pictures (*.bmp;*.gif;*.jpg)|*.bmp;*.gif;*.jpg");
        QTest::newRow("buzzer, existing") << "cmdBuzzerSound" << sounds << true;
        QTest::newRow("buzzer, missing") << "cmdBuzzerSound" << sounds << false;
        QTest::newRow("horn, existing") << "cmdHornSound" << sounds << true;
        QTest::newRow("board picture, existing") << "cmdChangeBoardPic" << pictures << true;
        QTest::newRow("board picture, missing") << "cmdChangeBoardPic" << pictures << false;
    }
    void changeButtonsTakeOnlyExistingFiles()
    {
        QFETCH(QString, buttonName);
        QFETCH(QString, filter);
        QFETCH(bool, exists);
        const QString path = exists ? picture : files.filePath(QStringLiteral("gone.wav"));
        const SettingVariables before = Settings;
        frmOptions d;
        dialogs.files = {path, QString()};
        auto* b = d.form().find<CommandButton>(buttonName);
        b->click();
        b->click(); // a cancelled file dialog changes nothing either
        QCOMPARE(dialogs.filters, QStringList({filter, filter}));
        d.cmdOk_Click();
        const QString expected = exists ? path : QString();
        if (buttonName == QLatin1String("cmdBuzzerSound")) {
            QCOMPARE(Settings.BuzzerFile, exists ? path : before.BuzzerFile);
            QCOMPARE(d.lblBFile->Caption(), frmOptions::ChopFileName(Settings.BuzzerFile, 50));
        } else if (buttonName == QLatin1String("cmdHornSound")) {
            QCOMPARE(Settings.HornFile, expected);
            QCOMPARE(d.lblHFile->Caption(), path);
        } else {
            QCOMPARE(Settings.BoardPic, expected);
            QCOMPARE(d.form().find<Image>(QStringLiteral("imgBoardPicPreview"))->hasPicture(),
                     exists);
        }
    }

    void colorPickerSetsSwatchAndCancelKeepsIt()
    {
        frmOptions d;
        dialogs.colors = {QColor(0x11, 0x22, 0x33), std::nullopt};
        button(d, "cmdHomeC")->click();
        QCOMPARE(swatch(d, "picHomeC")->BackColor(), QColor(0x11, 0x22, 0x33));
        button(d, "cmdHomeC")->click();
        QCOMPARE(swatch(d, "picHomeC")->BackColor(), QColor(0x11, 0x22, 0x33));
        d.cmdOk_Click();
        QCOMPARE(Settings.HomeColor, 0x332211);
        QCOMPARE(Settings.VisitorColor, 16777215);
    }

    void resetColorsThenCancelChangesNothing()
    {
        Settings = unusualSettings(picture);
        const SettingVariables before = Settings;
        frmOptions d;
        dialogs.answers = {true};
        d.cmdResetColors->click();
        QCOMPARE(dialogs.asked, QStringList{QStringLiteral("Reset Colors")});
        QCOMPARE(swatch(d, "picScoreC")->BackColor(), QColor(0xFF, 0x80, 0x00));
        QCOMPARE(d.lblLEDSelectedWidthValue->Caption(), QStringLiteral("0"));
        d.cmdCancel->click();
        QCOMPARE(d.result(), int(QDialog::Rejected));
        QVERIFY(Settings == before);
        QCOMPARE(store.size(), size_t(0));
    }

    void resetColorsGivesTheMarkerDarkGrey()
    {
        Settings.FormBack = 255;
        Settings.LEDSelected = 255;
        Settings.TimeColor = 0;
        frmOptions d;
        dialogs.answers = {false, true};
        d.cmdResetColors->click(); // No: nothing
        QCOMPARE(swatch(d, "picTimeC")->BackColor(), QColor(Qt::black));
        d.cmdResetColors->click();
        d.cmdOk_Click();
        QCOMPARE(Settings.TimeColor, 255);
        QCOMPARE(Settings.FormBack, 4210752);
        QCOMPARE(Settings.LEDSelected, 4210752);
        QCOMPARE(Settings.LEDSelectedWidth, int16_t(0));
    }

    void resetKeysCanShareAKeyThatIsThenRefused()
    {
        Settings.ClockSwitchKey = 82; // R, as the reset key
        Settings.ResetClockKey = 75;
        Settings.NumLockForce = 1;
        frmOptions d;
        dialogs.answers = {true};
        d.cmdResetKeys->click();
        QCOMPARE(dialogs.asked, QStringList{QStringLiteral("Reset Keys")});
        QCOMPARE(d.ResetClockKeyTemp, int16_t(82));
        QCOMPARE(d.ClockSwitchKeyTemp, int16_t(82));
        QCOMPARE(d.form().find<Label>(QStringLiteral("lblClockSwitch"))->Caption(),
                 QStringLiteral("R"));
        QVERIFY(d.optNormal->isChecked());

        // The horn's chooser refuses R, and closing it leaves the horn's key.
        bool refusalShown = false;
        onNextModal([&refusalShown](QWidget* w) {
            QTest::keyClick(w, Qt::Key_R);
            auto* chooser = qobject_cast<frmChooseKey*>(w);
            refusalShown = chooser && chooser->isVisible() && chooser->lblUsed->isVisible();
            w->close();
        });
        button(d, "cmdHorn")->click();
        QVERIFY(refusalShown);
        QCOMPARE(dialogs.beeps, 1);
        QCOMPARE(d.HornKeyTemp, int16_t(71));
        QCOMPARE(d.focusWidget(), d.cmdOk);

        d.cmdOk_Click();
        QCOMPARE(Settings.ResetClockKey, int16_t(82));
        QCOMPARE(Settings.ClockSwitchKey, int16_t(82));
        QCOMPARE(Settings.NumLockForce, 0);
    }

    void keyButtonShowsTheChosenKey()
    {
        frmOptions d;
        onNextModal([](QWidget* w) { QTest::keyClick(w, Qt::Key_Apostrophe); });
        button(d, "cmdHorn")->click();
        QCOMPARE(d.HornKeyTemp, int16_t(222));
        QCOMPARE(d.form().find<Label>(QStringLiteral("lblHorn"))->Caption(), QStringLiteral("\""));
        // Taken, not stored, until OK.
        QCOMPARE(Settings.HornKey, int16_t(71));
        d.cmdOk_Click();
        QCOMPARE(Settings.HornKey, int16_t(222));
    }

    void widthRoundTrips_data()
    {
        QTest::addColumn<int>("stored");
        QTest::addColumn<int>("shown");
        for (int w = 0; w <= 5; ++w)
            QTest::addRow("%d", w) << w << w;
        QTest::newRow("below the range") << -4 << 0;
        QTest::newRow("above the range") << 9 << 5;
    }
    void widthRoundTrips()
    {
        QFETCH(int, stored);
        QFETCH(int, shown);
        Settings.LEDSelectedWidth = static_cast<int16_t>(stored);
        frmOptions d;
        QCOMPARE(d.lblLEDSelectedWidthValue->Caption(), QString::number(shown));
        d.cmdOk_Click();
        QCOMPARE(store.value("ColorSettings", "LEDSelectedWidth"), QString::number(shown));
    }

    void widthArrowsStepWithinRange()
    {
        Settings.LEDSelectedWidth = 4;
        frmOptions d;
        d.show();
        auto* arrows = d.scrLEDSelectedWidth;
        const QPoint right(arrows->width() - 3, arrows->height() / 2);
        const QPoint left(3, arrows->height() / 2);
        QTest::mouseClick(arrows, Qt::LeftButton, {}, right);
        QTest::mouseClick(arrows, Qt::LeftButton, {}, right);
        QCOMPARE(d.lblLEDSelectedWidthValue->Caption(), QStringLiteral("5"));
        QTest::mouseClick(arrows, Qt::LeftButton, {}, left);
        QCOMPARE(d.lblLEDSelectedWidthValue->Caption(), QStringLiteral("4"));
    }

    void digitStyleOutOfRangeStillOpens()
    {
        Settings.LEDType = 7;
        frmOptions d;
        QCOMPARE(d.cmbLedType->currentIndex(), 1);
        d.cmbLedType->setCurrentIndex(0);
        QCOMPARE(d.pledPreview->LedType(), 0);
        d.cmbLedType->setCurrentIndex(1);
        QCOMPARE(d.pledPreview->LedType(), 1);
        d.cmdOk_Click();
        QCOMPARE(Settings.LEDType, int16_t(1));
    }

    void numLockModes_data()
    {
        QTest::addColumn<int>("stored");
        QTest::addColumn<QString>("chosen");
        QTest::addColumn<int>("saved");
        QTest::addColumn<bool>("numLockOn");
        QTest::newRow("keep on") << 0 << "optKeepOn" << 1 << true;
        QTest::newRow("keep off") << 0 << "optKeepOff" << 2 << false;
        QTest::newRow("normal leaves the lock") << 1 << "optNormal" << 0 << false;
        QTest::newRow("unknown mode kept") << 3 << "" << 3 << false;
    }
    void numLockModes()
    {
        QFETCH(int, stored);
        QFETCH(QString, chosen);
        QFETCH(int, saved);
        QFETCH(bool, numLockOn);
        keyboard.on = false;
        Settings.NumLockForce = stored;
        frmOptions d;
        if (chosen.isEmpty())
            QVERIFY(!d.optNormal->isChecked() && !d.optKeepOn->isChecked() &&
                    !d.optKeepOff->isChecked());
        else
            d.form().find<OptionButton>(chosen)->setChecked(true);
        d.cmdOk_Click();
        QCOMPARE(Settings.NumLockForce, saved);
        QCOMPARE(keyboard.on, numLockOn);
    }

    void closingWithoutOkDropsTheCopy_data()
    {
        QTest::addColumn<QString>("how");
        QTest::newRow("cancel") << "cancel";
        QTest::newRow("escape") << "escape";
        QTest::newRow("close box") << "close";
    }
    void closingWithoutOkDropsTheCopy()
    {
        QFETCH(QString, how);
        frmOptions d;
        d.show();
        d.txtHomeText->setText(QStringLiteral("Hawks"));
        d.scrLEDSelectedWidth->setValue(5);
        dialogs.answers = {true};
        d.cmdResetKeys->click();
        if (how == QLatin1String("cancel"))
            d.cmdCancel->click();
        else if (how == QLatin1String("escape"))
            QTest::keyClick(&d, Qt::Key_Escape);
        else
            d.close();
        QVERIFY(!d.isVisible());
        QCOMPARE(d.result(), int(QDialog::Rejected));
        QVERIFY(Settings == SettingVariables());
        QCOMPARE(store.size(), size_t(0));
    }

    void enterPressesOk()
    {
        frmOptions d;
        d.show();
        d.txtHomeText->setText(QStringLiteral("Hawks"));
        QTest::keyClick(d.txtHomeText, Qt::Key_Return);
        QCOMPARE(d.result(), int(QDialog::Accepted));
        QCOMPARE(store.value("TextSettings", "HomeText"), QStringLiteral("Hawks"));
    }

    void chopFileName_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("shown");
        const QString forty =
            QStringLiteral("/music/") + QString(29, QLatin1Char('a')) + QStringLiteral(".wav");
        QTest::newRow("40 characters in full") << forty << forty;
        QTest::newRow("empty") << QString() << "[No File Selected]";
        QTest::newRow("long, no such file")
            << QString(60, QLatin1Char('x')) << QString(45, QLatin1Char('x')) + elision();
    }
    void chopFileName()
    {
        QFETCH(QString, path);
        QFETCH(QString, shown);
        QCOMPARE(frmOptions::ChopFileName(path, 50), shown);
    }

    void chopFileNameKeepsTheBareName_data()
    {
        QTest::addColumn<int>("bareLength");
        QTest::addColumn<int>("pathLength");
        QTest::addColumn<QString>("expectedHead"); // empty: the bare name alone
        QTest::newRow("10-character name in a 60-character path") << 10 << 60 << "35";
        QTest::newRow("45-character name") << 45 << 70 << "0";
        QTest::newRow("50-character name") << 50 << 80 << "";
    }
    void chopFileNameKeepsTheBareName()
    {
        QFETCH(int, bareLength);
        QFETCH(int, pathLength);
        QFETCH(QString, expectedHead);
        const QString dir = files.path() + QLatin1Char('/');
        const QString bare = QString(bareLength - 4, QLatin1Char('b')) + QStringLiteral(".wav");
        const int padding = pathLength - int(dir.size()) - bareLength;
        QVERIFY(padding > 1);
        QVERIFY(QDir(dir).mkpath(QString(padding - 1, QLatin1Char('d'))));
        const QString path = dir + QString(padding - 1, QLatin1Char('d')) + "/" + bare;
        QCOMPARE(path.size(), pathLength);
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.close();

        const QString shown = frmOptions::ChopFileName(path, 50);
        if (expectedHead.isEmpty()) {
            QCOMPARE(shown, bare);
        } else {
            const int head = expectedHead.toInt();
            QCOMPARE(shown, path.left(head) + elision() + bare);
            QCOMPARE(shown.size(), 50);
        }
    }
};

PL_TEST_MAIN(TestOptions)
#include "tst_options.moc"

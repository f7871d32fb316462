#include "fakes.h"
#include "frmoptions.h"
#include "modal.h"
#include "testmain.h"
#include "unusualsettings.h"

#include "form.h"
#include "image.h"
#include "label.h"
#include "picturebox.h"
#include "polyled.h"
#include "settingvariables.h"
#include "widgetcontrols.h"

#include <QImage>

namespace {

template <class T = CommandButton>
T* find(const frmOptions& d, const QString& name)
{
    return d.form().find<T>(name);
}

} // namespace

class TestOptions : public QObject
{
    Q_OBJECT

    FakeStore store;
    std::optional<FakeDialogs> dialogs;
    FakeKeyboard keyboard;
    QTemporaryDir files;
    QString picture;

    // A file of `length` characters whose bare name has `bareLength`, made to exist.
    QString existingFile(int length, int bareLength)
    {
        const QString folder = files.path() + QLatin1Char('/') +
                               QString(length - int(files.path().size()) - bareLength - 2, 'd');
        const QString path = folder + QLatin1Char('/') + QString(bareLength - 4, 'b') + ".wav";
        QDir().mkpath(folder);
        QFile f(path);
        f.open(QIODevice::WriteOnly);
        return path;
    }

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
        dialogs.reset(); // the old one goes before the new one takes its place
        dialogs.emplace();
        keyboard.on = true;
    }

    void okStoresWhatWasLoaded_data()
    {
        QTest::addColumn<QString>("visitor");
        QTest::newRow("initial names keep the size") << QStringLiteral("Visitor");
        // Longer than the box lets anyone type: from a hand-edited file, kept whole.
        QTest::newRow("a long visitor name") << QStringLiteral("Hämeenlinnan Pallokerho");
    }
    void okStoresWhatWasLoaded()
    {
        QFETCH(QString, visitor);
        SettingVariables loaded = unusualSettings();
        loaded.HomePic = loaded.BoardPic = picture;
        loaded.TeamSize = Fixed4::whole(31);
        loaded.HomeText = QStringLiteral("Home");
        loaded.VisitorText = visitor;
        Settings = loaded;

        frmOptions d;
        QCOMPARE(find<PictureBox>(d, "picTimeC")->BackColor(), QColor(0, 255, 0));
        QCOMPARE(find<PictureBox>(d, "picLedSelected")->BackColor(), QColor(255, 255, 0));
        QCOMPARE(d.lblLEDSelectedWidthValue->Caption(), QStringLiteral("5"));
        QCOMPARE(find<Label>(d, "lblClear")->Caption(), QStringLiteral("Backspace"));
        QCOMPARE(find<Label>(d, "lblHorn")->Caption(), QStringLiteral("\""));
        QVERIFY(d.optKeepOff->isChecked() && !d.optNormal->isChecked());
        QCOMPARE(d.lblBFile->Caption(), loaded.BuzzerFile);
        QCOMPARE(d.cmbLedType->currentText(), QStringLiteral("Dots"));
        QCOMPARE(d.pledPreview->LedType(), 1);
        QVERIFY(find<Image>(d, "imgHomePicPreview")->hasPicture());
        QVERIFY(!find<Image>(d, "imgVisitorPicPreview")->hasPicture());

        d.cmdOk_Click();
        QCOMPARE(d.result(), int(QDialog::Accepted));
        // A stored name other than the initial ones has the size recomputed.
        if (visitor != QLatin1String("Visitor")) {
            QVERIFY(d.TempSize >= 9 && d.TempSize <= 60 && d.TempSize != 31);
            loaded.TeamSize = Fixed4::whole(d.TempSize);
        }
        QVERIFY(Settings == loaded);
        QCOMPARE(store.value("TextSettings", "TeamSize"), loaded.TeamSize.toText());
        QCOMPARE(keyboard.on, false); // keep-off mode is applied at once
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
        QCOMPARE(d.focusWidget(), d.cmdOk);
    }

    void teamNameSize()
    {
        frmOptions d;
        d.txtHomeText->setText(QStringLiteral("I"));
        d.txtVisitorText->setText(QStringLiteral("I"));
        const int16_t narrow = d.TempSize;
        // Both names must fit: a long visitor name lowers the size for both, to the largest
        // that fits the name boxes.
        d.txtVisitorText->setText(QStringLiteral("Saskatoon Blades"));
        QVERIFY(d.TempSize < narrow);
        QVERIFY(d.lblVisitorPreview->Width() < 1900 && d.lblHomePreview->Height() < 600);
        d.lblVisitorPreview->setFontSize(d.TempSize + 1);
        QVERIFY(d.lblVisitorPreview->Width() >= 1900 || d.lblVisitorPreview->Height() >= 600);

        // Twenty of the widest letter fit at no size: 9, one below the smallest tried.
        d.txtHomeText->clear();
        QTest::keyClicks(d.txtHomeText, QString(21, QLatin1Char('W')));
        QCOMPARE(d.txtHomeText->text(), QString(20, QLatin1Char('W')));
        QCOMPARE(d.lblHomePreview->Caption(), d.txtHomeText->text());
        QCOMPARE(d.TempSize, int16_t(9));
        d.cmdOk_Click();
        QCOMPARE(store.value("TextSettings", "TeamSize"), QStringLiteral("9"));
    }

    // A longer stored name, once edited, is not cut further, but nothing can be added to it.
    void longStoredNameThenEdited()
    {
        Settings.VisitorText = QStringLiteral("Hämeenlinnan Pallokerho");
        frmOptions d;
        QTest::keyClick(d.txtVisitorText, Qt::Key_End);
        QTest::keyClick(d.txtVisitorText, Qt::Key_Backspace);
        QTest::keyClicks(d.txtVisitorText, QStringLiteral("oo"));
        QCOMPARE(d.txtVisitorText->text(), Settings.VisitorText.chopped(1));
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
        auto* img = find<Image>(d, "img" + group + "PicPreview");
        QVERIFY(img->hasPicture());
        find(d, "cmdClear" + group + "Pic")->click();
        QVERIFY(!img->hasPicture());
        d.cmdOk_Click();
        QStringList stored;
        for (const char* key : {"HomePic", "VisitorPic", "BoardPic"})
            stored << store.value("PicSettings", key);
        QCOMPARE(stored.count(picture), 2);
        QCOMPARE(store.value("PicSettings", group + "Pic"), QString());
    }

    // The file dialogs offer their filters, and only a chosen file that exists is taken.
    void changeButtons_data()
    {
        QTest::addColumn<QString>("buttonName");
        QTest::addColumn<bool>("exists");
        QTest::newRow("buzzer, existing") << "cmdBuzzerSound" << true;
        QTest::newRow("buzzer, missing") << "cmdBuzzerSound" << false;
        QTest::newRow("board picture, existing") << "cmdChangeBoardPic" << true;
        QTest::newRow("board picture, missing") << "cmdChangeBoardPic" << false;
    }
    void changeButtons()
    {
        QFETCH(QString, buttonName);
        QFETCH(bool, exists);
        const QString path = exists ? picture : files.filePath(QStringLiteral("gone.wav"));
        const bool sound = buttonName == QLatin1String("cmdBuzzerSound");
        Settings.BuzzerFile = QStringLiteral("/before/buzzer.wav");
        frmOptions d;
        dialogs->files = {path, QString()};
        find(d, buttonName)->click();
        find(d, buttonName)->click(); // a cancelled file dialog changes nothing either
        const QString filter =
            sound ? QStringLiteral("Sounds *.wav|*.wav")
                  : QStringLiteral("Pictures (*.bmp;*.gif;*.jpg;*.png)|*.bmp;*.gif;*.jpg;*.png");
        QCOMPARE(dialogs->filters, QStringList({filter, filter}));
        // As the file dialog shows it: each pattern once.
        QCOMPARE(toQtFileFilter(filter),
                 sound ? QStringLiteral("Sounds (*.wav)")
                       : QStringLiteral("Pictures (*.bmp *.gif *.jpg *.png)"));
        d.cmdOk_Click();
        if (sound) {
            QCOMPARE(Settings.BuzzerFile, exists ? path : QStringLiteral("/before/buzzer.wav"));
            QCOMPARE(d.lblBFile->Caption(), Settings.BuzzerFile);
        } else {
            QCOMPARE(Settings.BoardPic, exists ? path : QString());
            QCOMPARE(find<Image>(d, "imgBoardPicPreview")->hasPicture(), exists);
        }
    }

    void colorPickerSetsSwatchAndCancelKeepsIt()
    {
        frmOptions d;
        dialogs->colors = {QColor(0x11, 0x22, 0x33), std::nullopt};
        find(d, "cmdHomeC")->click();
        find(d, "cmdHomeC")->click();
        QCOMPARE(find<PictureBox>(d, "picHomeC")->BackColor(), QColor(0x11, 0x22, 0x33));
        d.cmdOk_Click();
        QCOMPARE(Settings.HomeColor, 0x332211);
        QCOMPARE(Settings.VisitorColor, 16777215);
    }

    void resetColors_data()
    {
        QTest::addColumn<bool>("yes");
        QTest::addColumn<bool>("ok");
        QTest::newRow("No, then OK") << false << true;
        QTest::newRow("Yes, then Cancel") << true << false;
        QTest::newRow("Yes, then OK") << true << true;
    }
    void resetColors()
    {
        QFETCH(bool, yes);
        QFETCH(bool, ok);
        Settings = unusualSettings();
        SettingVariables expected = Settings;
        frmOptions d;
        dialogs->answers = {yes};
        d.cmdResetColors->click();
        QCOMPARE(dialogs->asked, QStringList{QStringLiteral("Reset Colors")});
        ok ? d.cmdOk->click() : d.cmdCancel->click();
        QCOMPARE(store.size() > 0, ok);
        if (ok)
            expected.TeamSize = Fixed4::whole(d.TempSize); // recomputed for the unusual names
        if (yes && ok) {
            // The defaults, with the marker in the dark grey of the default background.
            const SettingVariables defaults;
            expected.TimeColor = defaults.TimeColor;
            expected.LEDBack = defaults.LEDBack;
            expected.ScoreColor = defaults.ScoreColor;
            expected.PeriodColor = defaults.PeriodColor;
            expected.FormBack = expected.LEDSelected = 4210752;
            expected.BorderColor = defaults.BorderColor;
            expected.HomeColor = defaults.HomeColor;
            expected.VisitorColor = defaults.VisitorColor;
            expected.LEDSelectedWidth = 0;
        }
        QVERIFY(Settings == expected);
    }

    void resetKeysThenTheKeyButtons()
    {
        Settings.ClockSwitchKey = 82; // R, as the reset key
        Settings.ResetClockKey = 75;
        Settings.NumLockForce = 1;
        frmOptions d;
        dialogs->answers = {true};
        d.cmdResetKeys->click();
        QCOMPARE(dialogs->asked, QStringList{QStringLiteral("Reset Keys")});
        QCOMPARE(d.ResetClockKeyTemp, int16_t(82));
        QCOMPARE(d.ClockSwitchKeyTemp, int16_t(82));
        QCOMPARE(find<Label>(d, "lblClockSwitch")->Caption(), QStringLiteral("R"));
        QVERIFY(d.optNormal->isChecked());

        // The horn's chooser refuses R, and closing it leaves the horn's key.
        bool refusalShown = false;
        onNextModal([&refusalShown](QWidget* w) {
            QTest::keyClick(w, Qt::Key_R);
            auto* chooser = qobject_cast<frmChooseKey*>(w);
            refusalShown = chooser && chooser->isVisible() && chooser->lblUsed->isVisible();
            w->close();
        });
        find(d, "cmdHorn")->click();
        QVERIFY(refusalShown);
        QCOMPARE(dialogs->beeps, 1);
        QCOMPARE(d.HornKeyTemp, int16_t(71));
        QCOMPARE(d.focusWidget(), d.cmdOk);
        // A free key is taken and shown, and stored only with OK.
        onNextModal([](QWidget* w) { QTest::keyClick(w, Qt::Key_Apostrophe); });
        find(d, "cmdHorn")->click();
        QCOMPARE(find<Label>(d, "lblHorn")->Caption(), QStringLiteral("\""));
        QCOMPARE(Settings.HornKey, int16_t(71));

        d.cmdOk_Click();
        QCOMPARE(Settings.ResetClockKey, int16_t(82));
        QCOMPARE(Settings.ClockSwitchKey, int16_t(82));
        QCOMPARE(Settings.HornKey, int16_t(222));
        QCOMPARE(Settings.NumLockForce, 0);
    }

    // Widths 0 to 5 round-trip; a stored width or digit style out of range opens clamped.
    void outOfRangeValuesAreClamped_data()
    {
        QTest::addColumn<int>("width");
        QTest::addColumn<int>("shownWidth");
        QTest::addColumn<int>("ledType");
        QTest::addColumn<int>("shownType");
        QTest::newRow("narrowest, lines") << 0 << 0 << 0 << 0;
        QTest::newRow("widest, dots") << 5 << 5 << 1 << 1;
        QTest::newRow("below the ranges") << -4 << 0 << -1 << 0;
        QTest::newRow("above the ranges") << 9 << 5 << 7 << 1;
    }
    void outOfRangeValuesAreClamped()
    {
        QFETCH(int, width);
        QFETCH(int, shownWidth);
        QFETCH(int, ledType);
        QFETCH(int, shownType);
        Settings.LEDSelectedWidth = static_cast<int16_t>(width);
        Settings.LEDType = static_cast<int16_t>(ledType);
        frmOptions d;
        QCOMPARE(d.lblLEDSelectedWidthValue->Caption(), QString::number(shownWidth));
        QCOMPARE(d.cmbLedType->currentIndex(), shownType);
        QCOMPARE(d.pledPreview->LedType(), shownType);
        d.cmbLedType->setCurrentIndex(1 - shownType);
        QCOMPARE(d.pledPreview->LedType(), 1 - shownType);
        d.cmdOk_Click();
        QCOMPARE(store.value("ColorSettings", "LEDSelectedWidth"), QString::number(shownWidth));
        QCOMPARE(Settings.LEDType, int16_t(1 - shownType));
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
            find<OptionButton>(d, chosen)->setChecked(true);
        d.cmdOk_Click();
        QCOMPARE(Settings.NumLockForce, saved);
        QCOMPARE(keyboard.on, numLockOn);
    }

    void closing_data()
    {
        QTest::addColumn<bool>("ok");
        QTest::newRow("cancel") << false;
        QTest::newRow("Enter is OK") << true;
    }
    void closing()
    {
        QFETCH(bool, ok);
        frmOptions d;
        d.show();
        d.txtHomeText->setText(QStringLiteral("Hawks"));
        d.scrLEDSelectedWidth->setValue(5);
        QCOMPARE(d.lblLEDSelectedWidthValue->Caption(), QStringLiteral("5"));
        dialogs->answers = {true};
        d.cmdResetKeys->click();
        if (ok)
            QTest::keyClick(d.txtHomeText, Qt::Key_Return);
        else
            d.cmdCancel->click();
        QVERIFY(!d.isVisible());
        QCOMPARE(d.result(), int(ok ? QDialog::Accepted : QDialog::Rejected));
        QCOMPARE(store.value("TextSettings", "HomeText"), ok ? "Hawks" : QString());
        if (!ok)
            QVERIFY(Settings == SettingVariables());
    }

    void chopFileName_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("shown");
        const QString elision = QStringLiteral(" ...") + QDir::separator();
        const QString forty = QStringLiteral("/music/") + QString(29, 'a') + ".wav";
        QTest::newRow("40 characters in full") << forty << forty;
        QTest::newRow("empty") << QString() << "[No File Selected]";
        QTest::newRow("60, no such file") << QString(60, 'x') << QString(45, 'x') + elision;
        // The bare name of an existing file is kept whole.
        QString path = existingFile(60, 10);
        QTest::newRow("10-character name, 60 in all")
            << path << path.left(35) + elision + path.right(10);
        path = existingFile(70, 45);
        QTest::newRow("45-character name") << path << elision + path.right(45);
        path = existingFile(80, 50);
        QTest::newRow("50-character name") << path << path.right(50);
    }
    void chopFileName()
    {
        QFETCH(QString, path);
        QFETCH(QString, shown);
        QCOMPARE(frmOptions::ChopFileName(path, 50), shown);
    }
};

PL_TEST_MAIN(TestOptions)
#include "tst_options.moc"

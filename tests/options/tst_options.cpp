// SPDX-License-Identifier: GPL-3.0-or-later
#include "fakes.h"
#include "frmoptions.h"
#include "modal.h"
#include "optionsdesign.h"
#include "settingtable.h"
#include "testmain.h"
#include "unusualsettings.h"

#include "form.h"
#include "image.h"
#include "label.h"
#include "picturebox.h"
#include "polyled.h"
#include "widgetcontrols.h"

#include <algorithm>
#include <map>

namespace {

template <class T = CommandButton>
T* find(const frmOptions& d, const QString& name)
{
    return d.form().find<T>(name);
}

const DesignRow* designRow(const char* name)
{
    for (const DesignRow& r : optionsDesign())
        if (qstrcmp(r.name, name) == 0)
            return &r;
    return nullptr;
}

// The tab page a control of the design lies on.
const char* pageOf(const DesignRow* r)
{
    while (r && r->kind != DesignRow::Kind::TabPage)
        r = r->parent ? designRow(r->parent) : nullptr;
    return r ? r->name : "";
}

} // namespace

class TestOptions : public QObject
{
    Q_OBJECT

    FakeStore store;
    std::optional<FakeDialogs> dialogs;
    FakeKeyboard keyboard;
    const QString picture = QStringLiteral(TEAM_PICTURE);

private Q_SLOTS:
    void init()
    {
        Settings = SettingVariables();
        store.clear();
        dialogs.reset(); // the old one goes before the new one takes its place
        dialogs.emplace();
    }

    // The dialog shows every stored setting, and OK stores them back as they were, with a
    // colour picked, the digit style changed and one picture cleared. A width or digit style
    // out of range opens clamped; an unknown NumLock mode checks no option and is kept.
    void okStoresWhatWasLoaded_data()
    {
        QTest::addColumn<QString>("visitor");
        QTest::addColumn<int>("width");
        QTest::addColumn<int>("ledType");
        QTest::addColumn<int>("numLock");
        QTest::addColumn<int>("cleared"); // Clear pressed: home, visitor, board picture
        const QString initial = QStringLiteral("Visitor");
        QTest::newRow("initial names keep the size") << initial << 5 << 1 << 2 << 0;
        // Longer than the box lets anyone type: from a hand-edited file, kept whole.
        QTest::newRow("a long visitor name")
            << QStringLiteral("Hämeenlinnan Pallokerho") << 0 << 0 << 1 << 1;
        QTest::newRow("below the ranges") << initial << -4 << -1 << 0 << 2;
        QTest::newRow("above the ranges") << initial << 9 << 7 << 3 << -1;
    }
    void okStoresWhatWasLoaded()
    {
        QFETCH(QString, visitor);
        QFETCH(int, width);
        QFETCH(int, ledType);
        QFETCH(int, numLock);
        QFETCH(int, cleared);
        const int shownWidth = qBound(0, width, 5);
        const int shownType = qBound(0, ledType, 1);
        SettingVariables loaded = unusualSettings();
        loaded.HomePic = loaded.BoardPic = picture;
        loaded.TeamSize = Fixed4::whole(31);
        loaded.HomeText = QStringLiteral("Home");
        loaded.VisitorText = visitor;
        loaded.LEDSelectedWidth = static_cast<int16_t>(width);
        loaded.LEDType = static_cast<int16_t>(ledType);
        loaded.NumLockForce = numLock;
        Settings = loaded;
        keyboard.on = numLock != 1; // keep on turns the lock on, keep off off; others leave it

        frmOptions d;
        QCOMPARE(find<PictureBox>(d, "picTimeC")->BackColor(), QColor(0, 255, 0));
        QCOMPARE(find<Label>(d, "lblHorn")->Caption(), QStringLiteral("\""));
        QVERIFY(find<Image>(d, "imgHomePicPreview")->hasPicture());
        QCOMPARE(find<Label>(d, "lblLEDSelectedWidthValue")->Caption(),
                 QString::number(shownWidth));
        QCOMPARE(d.controls().pledPreview->LedType(), shownType);
        const QStringList modes = {"optNormal", "optKeepOn", "optKeepOff"};
        for (int i = 0; i < modes.size(); ++i)
            QCOMPARE(find<OptionButton>(d, modes[i])->isChecked(), i == numLock);

        d.controls().cmbLedType->setCurrentIndex(1 - shownType);
        QCOMPARE(d.controls().pledPreview->LedType(), 1 - shownType);
        dialogs->colors = {QColor(0x11, 0x22, 0x33), std::nullopt};
        find(d, "cmdHomeC")->click();
        find(d, "cmdHomeC")->click(); // a cancelled picker keeps the colour
        QCOMPARE(find<PictureBox>(d, "picHomeC")->BackColor(), QColor(0x11, 0x22, 0x33));
        const QStringList pictures = {"Home", "Visitor", "Board"};
        if (cleared >= 0) {
            find(d, "cmdClear" + pictures[cleared] + "Pic")->click();
            QVERIFY(!find<Image>(d, "img" + pictures[cleared] + "PicPreview")->hasPicture());
            (cleared == 0   ? loaded.HomePic
             : cleared == 1 ? loaded.VisitorPic
                            : loaded.BoardPic)
                .clear();
        }
        d.cmdOk_Click();
        loaded.HomeColor = 0x332211;
        loaded.LEDSelectedWidth = static_cast<int16_t>(shownWidth);
        loaded.LEDType = static_cast<int16_t>(1 - shownType);
        // A stored name other than the initial ones has the size recomputed.
        if (visitor != QLatin1String("Visitor")) {
            QVERIFY(d.teamSizeToStore() >= 9 && d.teamSizeToStore() <= 60 &&
                    d.teamSizeToStore() != 31);
            loaded.TeamSize = Fixed4::whole(d.teamSizeToStore());
        }
        QVERIFY(Settings == loaded);
        QCOMPARE(keyboard.on, numLock != 2);
    }

    // Both names must fit: a long visitor name lowers the size for both, to the largest that
    // fits the name boxes. A longer stored name, once edited, is not cut further, but nothing
    // can be added to it.
    void teamNameSize()
    {
        Settings.VisitorText = QStringLiteral("Hämeenlinnan Pallokerho");
        frmOptions d;
        QTest::keyClick(d.controls().txtVisitorText, Qt::Key_End);
        QTest::keyClick(d.controls().txtVisitorText, Qt::Key_Backspace);
        QTest::keyClicks(d.controls().txtVisitorText, QStringLiteral("oo"));
        QCOMPARE(d.controls().txtVisitorText->text(), Settings.VisitorText.chopped(1));

        d.controls().txtHomeText->setText(QStringLiteral("I"));
        d.controls().txtVisitorText->setText(QStringLiteral("I"));
        const int16_t narrow = d.teamSizeToStore();
        d.controls().txtVisitorText->setText(QStringLiteral("Saskatoon Blades"));
        QVERIFY(d.teamSizeToStore() < narrow);
        QVERIFY(d.controls().lblVisitorPreview->Width() < 1900 &&
                d.controls().lblHomePreview->Height() < 600);
        d.controls().lblVisitorPreview->setFontSize(d.teamSizeToStore() + 1);
        QVERIFY(d.controls().lblVisitorPreview->Width() >= 1900 ||
                d.controls().lblVisitorPreview->Height() >= 600);

        // Twenty of the widest letter fit at no size: 9, one below the smallest tried.
        d.controls().txtHomeText->clear();
        QTest::keyClicks(d.controls().txtHomeText, QString(21, QLatin1Char('W')));
        QCOMPARE(d.controls().txtHomeText->text(), QString(20, QLatin1Char('W')));
        QCOMPARE(d.teamSizeToStore(), int16_t(9));
    }

    // The board caption is on the names' page and takes 40 characters; Cancel keeps the one
    // stored, OK stores what the box holds, an emptied box as no caption.
    void boardCaption()
    {
        Settings.BoardCaption = QStringLiteral("Old Rink");
        {
            frmOptions d;
            auto* box = find<TextBox>(d, "txtBoardCaption");
            QVERIFY(d.controls().SSTab1->QTabWidget::widget(2)->isAncestorOf(box));
            QCOMPARE(box->text(), QStringLiteral("Old Rink"));
            box->clear();
            QTest::keyClicks(box, QString(MaxCaptionLength + 5, QLatin1Char('x')));
            QCOMPARE(box->text(), QString(MaxCaptionLength, QLatin1Char('x')));
            d.controls().cmdCancel->click();
            QCOMPARE(Settings.BoardCaption, QStringLiteral("Old Rink"));
            QVERIFY(store.values.empty());
        }
        for (const QString& typed : {QStringLiteral("Ishallen Örebro"), QString()}) {
            frmOptions d;
            find<TextBox>(d, "txtBoardCaption")->setText(typed);
            d.cmdOk_Click();
            QCOMPARE(Settings.BoardCaption, typed);
            QCOMPARE(store.values.at(QStringLiteral("TextSettings/BoardCaption")), typed);
        }
    }

    // Every setting the dialog shows has its controls in the design, of the kinds its control
    // kind works with, on its page; a list or a group of option buttons offers its whole range.
    void everyRowHasItsControls()
    {
        using C = SettingRow::ControlKind;
        using K = DesignRow::Kind;
        const std::map<C, K> shownBy = {
            {C::Color, K::PictureBox}, {C::Key, K::Label},     {C::Options, K::Frame},
            {C::Number, K::Label},     {C::List, K::ComboBox}, {C::Text, K::TextBox},
            {C::File, K::Label},       {C::Picture, K::Image}, {C::Check, K::CheckBox},
        };
        for (const SettingRow& row : SettingTable) {
            if (!shownBy.contains(row.control))
                continue;
            const DesignRow* shows = designRow(row.name);
            QVERIFY2(shows && shows->kind == shownBy.at(row.control), row.key);
            QCOMPARE(pageOf(shows), row.page);
            const K changes = row.control == C::Number ? K::HScrollBar : K::CommandButton;
            for (const char* name : {row.button, row.clear})
                if (name) {
                    QVERIFY2(designRow(name) && designRow(name)->kind == changes, name);
                    QCOMPARE(pageOf(designRow(name)), row.page);
                }
            if (row.control == C::Picture)
                QCOMPARE(designRow(shows->parent)->kind, K::PictureBox);
            const int offered = row.high - row.low + 1;
            if (row.control == C::List)
                QCOMPARE(QString::fromLatin1(shows->caption).split(QLatin1Char('|')).size(),
                         offered);
            if (row.control == C::Options)
                QCOMPARE(std::ranges::count_if(optionsDesign(),
                                               [&](const DesignRow& r) {
                                                   return r.kind == K::OptionButton &&
                                                          qstrcmp(r.parent, row.name) == 0;
                                               }),
                         offered);
        }
    }

    // Opening the dialog and pressing OK leaves every setting as it was. The size of the team
    // names is worked out afresh from names other than the boxes' first texts: with such names
    // it is the size the dialog works out.
    void okKeepsEverySetting_data()
    {
        QTest::addColumn<bool>("unusual");
        QTest::newRow("defaults") << false;
        QTest::newRow("every setting away from its default") << true;
    }
    void okKeepsEverySetting()
    {
        QFETCH(bool, unusual);
        SettingVariables before = unusual ? unusualSettings() : SettingVariables();
        Settings = before;
        if (unusual)
            before.TeamSize = Fixed4::whole(frmOptions().teamSizeToStore());
        Settings = before;
        frmOptions().cmdOk_Click();
        QStringList changed;
        for (const SettingRow& row : SettingTable)
            std::visit(
                [&](auto member) {
                    if (!(Settings.*member == before.*member))
                        changed << QLatin1String(row.key);
                },
                row.member);
        QVERIFY2(changed.isEmpty(), qPrintable(changed.join(QLatin1String(", "))));
    }

    // The file dialogs offer their filters; a chosen file is taken, then one that does not
    // exist is not, nor is a cancelled dialog's.
    void changeButtons_data()
    {
        QTest::addColumn<QString>("buttonName");
        QTest::newRow("buzzer") << "cmdBuzzerSound";
        QTest::newRow("board picture") << "cmdChangeBoardPic";
    }
    void changeButtons()
    {
        QFETCH(QString, buttonName);
        const bool sound = buttonName == QLatin1String("cmdBuzzerSound");
        frmOptions d;
        dialogs->files = {picture, picture + QStringLiteral(".gone"), QString()};
        for (int i = 0; i < 3; ++i)
            find(d, buttonName)->click();
        // As the file dialog shows the filter: each pattern once.
        QCOMPARE(dialogs->filters.size(), 3);
        QCOMPARE(toQtFileFilter(dialogs->filters.last()),
                 sound ? QStringLiteral("Sounds (*.wav)")
                       : QStringLiteral("Pictures (*.bmp *.gif *.jpg *.png)"));
        d.cmdOk_Click();
        QCOMPARE(sound ? Settings.BuzzerFile : Settings.BoardPic, picture);
        if (sound)
            QCOMPARE(find<Label>(d, "lblBFile")->Caption(), frmOptions::ChopFileName(picture, 50));
        else
            QVERIFY(find<Image>(d, "imgBoardPicPreview")->hasPicture());
    }

    // OK (Enter) stores the choices, the resets included; Cancel, or No to the resets, leaves
    // them. "Reset Keys" leaves the clock switch key. Every opening starts on the first tab with
    // OK focused.
    void resetsThenClose_data()
    {
        QTest::addColumn<bool>("yes");
        QTest::addColumn<bool>("ok");
        QTest::newRow("No, then OK") << false << true;
        QTest::newRow("Yes, then Cancel") << true << false;
        QTest::newRow("Yes, then OK") << true << true;
    }
    void resetsThenClose()
    {
        QFETCH(bool, yes);
        QFETCH(bool, ok);
        Settings = unusualSettings();
        SettingVariables expected = Settings;
        frmOptions d;
        d.show();
        d.controls().SSTab1->setCurrentIndex(3);
        d.controls().txtHomeText->setText(QStringLiteral("Hawks"));
        find<HScrollBar>(d, "scrLEDSelectedWidth")->setValue(3);
        dialogs->answers = {yes, yes};
        d.controls().cmdResetColors->click();
        d.controls().cmdResetKeys->click();
        if (ok)
            QTest::keyClick(d.controls().txtHomeText, Qt::Key_Return);
        else
            d.controls().cmdCancel->click();
        QCOMPARE(d.result(), int(ok ? QDialog::Accepted : QDialog::Rejected));
        if (ok) {
            expected.HomeText = QStringLiteral("Hawks");
            expected.LEDSelectedWidth = 3;
            expected.TeamSize =
                Fixed4::whole(d.teamSizeToStore()); // recomputed for the unusual names
        }
        if (yes && ok) {
            ResetSettings(expected, SettingRow::Reset::Colors);
            ResetSettings(expected, SettingRow::Reset::Keys);
            QCOMPARE(expected.ClockSwitchKey, unusualSettings().ClockSwitchKey);
        }
        QVERIFY(Settings == expected);
        QCOMPARE(store.size() > 0, ok);
        frmOptions again;
        again.show();
        QCOMPARE(again.controls().SSTab1->currentIndex(), 0);
        QCOMPARE(again.focusWidget(), again.controls().cmdOk);
    }

    // A key chosen is shown, held against the other commands at once, and stored with OK;
    // closing a chooser keeps the command's key.
    void keyButtons()
    {
        frmOptions d;
        onNextModal([](QWidget* w) { QTest::keyClick(w, Qt::Key_Apostrophe); });
        find(d, "cmdHorn")->click();
        QCOMPARE(find<Label>(d, "lblHorn")->Caption(), QStringLiteral("\""));
        QCOMPARE(Settings.HornKey, int16_t(71));
        onNextModal([](QWidget* w) {
            QTest::keyClick(w, Qt::Key_Apostrophe);
            w->close();
        });
        find(d, "cmdBuzzer")->click();
        QCOMPARE(dialogs->beeps, 1);
        QCOMPARE(d.focusWidget(), d.controls().cmdOk);
        d.cmdOk_Click();
        QCOMPARE(Settings.HornKey, int16_t(222));
        QCOMPARE(Settings.BuzzerKey, int16_t(66));
    }

    // The check box for the console: it shows the stored value as on or off, and OK stores what
    // it shows, 1 for on; a value other than 1 that was on stays as it was, as it would with
    // the box clicked twice; Cancel leaves the setting.
    void openConsoleCheckBox_data()
    {
        QTest::addColumn<int>("stored");
        QTest::addColumn<int>("clicks");
        QTest::addColumn<bool>("checked"); // after the clicks
        QTest::addColumn<int>("kept");
        QTest::newRow("off") << 0 << 0 << false << 0;
        QTest::newRow("off, turned on") << 0 << 1 << true << 1;
        QTest::newRow("on, turned off") << 1 << 1 << false << 0;
        QTest::newRow("on, clicked twice") << 1 << 2 << true << 1;
        QTest::newRow("a hand-written 7") << 7 << 0 << true << 7;
        QTest::newRow("a hand-written 7, clicked twice") << 7 << 2 << true << 7;
        QTest::newRow("a hand-written -1, turned off") << -1 << 1 << false << 0;
    }
    void openConsoleCheckBox()
    {
        QFETCH(int, stored);
        QFETCH(int, clicks);
        QFETCH(bool, checked);
        QFETCH(int, kept);
        Settings.OpenConsole = static_cast<int16_t>(stored);
        frmOptions d;
        d.show();
        QVERIFY(QTest::qWaitForWindowExposed(&d));
        auto* box = find<CheckBox>(d, "chkOpenConsole");
        QVERIFY(box);
        QCOMPARE(box->text(), QStringLiteral("Open the operator console with the board"));
        QCOMPARE(box->isChecked(), stored != 0);
        for (int i = 0; i < clicks; ++i)
            QTest::mouseClick(box, Qt::LeftButton);
        QCOMPARE(box->isChecked(), checked);
        QCOMPARE(Settings.OpenConsole, int16_t(stored)); // not before OK
        d.cmdOk_Click();
        QCOMPARE(Settings.OpenConsole, int16_t(kept));
        QCOMPARE(store.value(QStringLiteral("KeySettings"), QStringLiteral("OpenConsole")),
                 QString::number(kept));
        frmOptions again;
        again.show();
        QTest::mouseClick(find<CheckBox>(again, "chkOpenConsole"), Qt::LeftButton);
        again.cmdCancel_Click();
        QCOMPARE(Settings.OpenConsole, int16_t(kept));
    }

    // A path too long for its box keeps the bare name of an existing file whole.
    void chopFileName_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<int>("length");
        QTest::addColumn<QString>("shown");
        const QString elision = QStringLiteral(" ...") + QDir::separator();
        const int all = int(picture.size());
        QTest::newRow("fits") << picture << all << picture;
        QTest::newRow("empty") << QString() << 50 << "[No File Selected]";
        QTest::newRow("no such file") << QString(60, 'x') << 50 << QString(45, 'x') + elision;
        QTest::newRow("head and name")
            << picture << all - 1 << picture.left(all - 14) + elision + "team.bmp";
        QTest::newRow("no room for a head") << picture << 13 << elision + "team.bmp";
        QTest::newRow("the name alone") << picture << 12 << "team.bmp";
    }
    void chopFileName()
    {
        QFETCH(QString, path);
        QFETCH(int, length);
        QFETCH(QString, shown);
        QCOMPARE(frmOptions::ChopFileName(path, static_cast<int16_t>(length)), shown);
    }
};

PL_TEST_MAIN(TestOptions)
#include "tst_options.moc"

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

#include "remotetoken.h"

#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QScopeGuard>
#include <QStandardPaths>
#include <QTemporaryDir>
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

const SettingRow& rowOf(const QString& key)
{
    const auto row = std::ranges::find_if(
        SettingTable, [&](const SettingRow& r) { return QLatin1String(r.key) == key; });
    Q_ASSERT(row != SettingTable.end());
    return *row;
}

// A whole-number setting (a number, a choice, on or off) of the setting variables, by its row.
int wholeSetting(const SettingRow& row)
{
    return std::visit(
        [](auto member) {
            if constexpr (std::is_integral_v<std::remove_cvref_t<decltype(Settings.*member)>>)
                return static_cast<int>(Settings.*member);
            else
                return 0;
        },
        row.member);
}

void setWholeSetting(const SettingRow& row, int value)
{
    std::visit(
        [value](auto member) {
            using T = std::remove_cvref_t<decltype(Settings.*member)>;
            if constexpr (std::is_integral_v<T>)
                Settings.*member = static_cast<T>(value);
        },
        row.member);
}

QString sectionOf(const SettingRow& row)
{
    switch (row.section) {
    case SettingRow::Section::Key:
        return QStringLiteral("KeySettings");
    case SettingRow::Section::Remote:
        return QStringLiteral("RemoteSettings");
    case SettingRow::Section::Game:
        return QStringLiteral("GameSettings");
    case SettingRow::Section::Text:
        return QStringLiteral("TextSettings");
    default:
        return QString();
    }
}

// Brings the page that holds `w` to the front.
void showPageOf(const frmOptions& d, const QWidget* w)
{
    QTabWidget* tabs = d.controls().SSTab1;
    for (int i = 0; i < tabs->count(); ++i)
        if (tabs->widget(i)->isAncestorOf(w))
            tabs->setCurrentIndex(i);
}

// What a real reader makes of a QR code.
QByteArray readQrCode(const QImage& image)
{
    const QString reader = QStandardPaths::findExecutable(QStringLiteral("zbarimg"));
    if (reader.isEmpty())
        return "zbarimg is not installed (Debian package zbar-tools)";
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("code.png"));
    if (!image.save(file))
        return "not saved";
    QProcess zbar;
    zbar.start(reader, {"--quiet", "--raw", "-Sbinary", file});
    zbar.waitForFinished(30000);
    return zbar.readAllStandardOutput();
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
        QTest::addColumn<int>("periods");
        const QString initial = QStringLiteral("Visitor");
        QTest::newRow("initial names keep the size") << initial << 5 << 1 << 2 << 0 << 4;
        // Longer than the box lets anyone type: from a hand-edited file, kept whole.
        QTest::newRow("a long visitor name")
            << QStringLiteral("Hämeenlinnan Pallokerho") << 0 << 0 << 1 << 1 << 9;
        QTest::newRow("below the ranges") << initial << -4 << -1 << 0 << 2 << 0;
        QTest::newRow("above the ranges") << initial << 9 << 7 << 3 << -1 << 12;
    }
    void okStoresWhatWasLoaded()
    {
        QFETCH(QString, visitor);
        QFETCH(int, width);
        QFETCH(int, ledType);
        QFETCH(int, numLock);
        QFETCH(int, cleared);
        QFETCH(int, periods);
        const int shownWidth = qBound(0, width, 5);
        const int shownPeriods = qBound(1, periods, 9);
        const int shownType = qBound(0, ledType, 1);
        SettingVariables loaded = unusualSettings();
        loaded.HomePic = loaded.BoardPic = picture;
        loaded.TeamSize = Fixed4::whole(31);
        loaded.HomeText = QStringLiteral("Home");
        loaded.VisitorText = visitor;
        loaded.LEDSelectedWidth = static_cast<int16_t>(width);
        loaded.LEDType = static_cast<int16_t>(ledType);
        loaded.NumLockForce = numLock;
        loaded.RegularPeriods = static_cast<int16_t>(periods);
        Settings = loaded;
        keyboard.on = numLock != 1; // keep on turns the lock on, keep off off; others leave it

        frmOptions d;
        QCOMPARE(find<PictureBox>(d, "picTimeC")->BackColor(), QColor(0, 255, 0));
        QCOMPARE(find<Label>(d, "lblHorn")->Caption(), QStringLiteral("\""));
        QVERIFY(find<Image>(d, "imgHomePicPreview")->hasPicture());
        QCOMPARE(find<Label>(d, "lblLEDSelectedWidthValue")->Caption(),
                 QString::number(shownWidth));
        QCOMPARE(d.controls().pledPreview->LedType(), shownType);
        QCOMPARE(find<Label>(d, "lblRegularPeriodsValue")->Caption(),
                 QString::number(shownPeriods));
        QCOMPARE(find<HScrollBar>(d, "scrRegularPeriods")->maximum(), 9);
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
        loaded.RegularPeriods = static_cast<int16_t>(shownPeriods);
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

    // The board name takes letters, digits and '-' only, up to 64: nothing else can be typed,
    // and an emptied box keeps the name as it was. The page says what is allowed.
    void boardName_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<QString>("kept");
        QTest::newRow("letters, digits, '-'") << "Rink-2"
                                              << "Rink-2"
                                              << "Rink-2";
        QTest::newRow("a space, a slash, a topic wildcard") << "a b/c#+d"
                                                            << "abcd"
                                                            << "abcd";
        QTest::newRow("non-ASCII letters") << "Örebro"
                                           << "rebro"
                                           << "rebro";
        QTest::newRow("emptied") << ""
                                 << ""
                                 << "rink";
        QTest::newRow("too long") << QString(70, 'x') << QString(64, 'x') << QString(64, 'x');
    }
    void boardName()
    {
        QFETCH(QString, typed);
        QFETCH(QString, shown);
        QFETCH(QString, kept);
        Settings.BoardName = QStringLiteral("rink");
        frmOptions d;
        auto* box = find<TextBox>(d, "txtBoardName");
        QCOMPARE(box->text(), QStringLiteral("rink"));
        QVERIFY(find<Label>(d, "lblBoardNameRule")->Caption().contains(QStringLiteral("'-'")));
        box->clear();
        QTest::keyClicks(box, typed);
        QCOMPARE(box->text(), shown);
        d.cmdOk_Click();
        QCOMPARE(Settings.BoardName, kept);
        QCOMPARE(store.value(QStringLiteral("TextSettings"), QStringLiteral("BoardName")), kept);
    }

    // OK takes no broker that cannot be used: the dialog stays open on the MQTT page with
    // what was typed and why, and stores nothing. Put right, OK stores all five; a broker
    // left as it was is not looked at again.
    void brokerCheckedAtOk()
    {
        QStringList asked;
        frmOptions::setBrokerCheck([&](const SettingVariables& s) {
            asked << s.MqttBroker;
            return s.MqttBroker.startsWith(QStringLiteral("mqtt://")) ? QString()
                                                                      : QStringLiteral("no good");
        });
        Settings.HomeText = QStringLiteral("Lions");
        {
            frmOptions d;
            d.show();
            find<TextBox>(d, "txtMqttBroker")->setText(QStringLiteral("http://broker"));
            find<TextBox>(d, "txtMqttTopic")->setText(QStringLiteral("league/rink-1"));
            find<CheckBox>(d, "chkMqttControl")->setChecked(true);
            d.cmdOk_Click();
            QVERIFY(d.isVisible());
            QCOMPARE(d.result(), int(QDialog::Rejected));
            const Label* problem = find<Label>(d, "lblMqttProblem");
            QCOMPARE(problem->Caption(), QStringLiteral("no good"));
            QVERIFY(d.controls().SSTab1->currentWidget()->isAncestorOf(problem));
            QCOMPARE(find<TextBox>(d, "txtMqttBroker")->text(), QStringLiteral("http://broker"));
            QVERIFY(Settings.MqttBroker.isEmpty());
            QVERIFY(store.value(QStringLiteral("RemoteSettings"), QStringLiteral("MqttBroker"))
                        .isEmpty());

            find<TextBox>(d, "txtMqttBroker")->setText(QStringLiteral("mqtt://broker"));
            d.cmdOk_Click();
            QCOMPARE(d.result(), int(QDialog::Accepted));
        }
        QCOMPARE(Settings.MqttBroker, QStringLiteral("mqtt://broker"));
        QCOMPARE(Settings.MqttTopic, QStringLiteral("league/rink-1"));
        QVERIFY(Settings.MqttControl);
        QCOMPARE(store.value(QStringLiteral("RemoteSettings"), QStringLiteral("MqttTopic")),
                 QStringLiteral("league/rink-1"));
        QCOMPARE(asked, QStringList({"http://broker", "mqtt://broker"}));
        {
            frmOptions d;
            find<TextBox>(d, "txtHomeText")->setText(QStringLiteral("Bears"));
            d.cmdOk_Click();
        }
        QCOMPARE(Settings.HomeText, QStringLiteral("Bears"));
        QCOMPARE(asked.size(), 2);
        frmOptions::setBrokerCheck({});
        // With --mqtt, the page says that the command line decides for this run.
        frmOptions::setBrokerGiven(QStringLiteral("mqtt://lobby:1883"));
        {
            frmOptions d;
            QVERIFY(find<Label>(d, "lblMqttProblem")->Caption().contains("mqtt://lobby:1883"));
        }
        frmOptions::setBrokerGiven(QString());
        frmOptions d;
        QVERIFY(find<Label>(d, "lblMqttProblem")->Caption().isEmpty());
    }

    // With --remote-control, the Remote page says that remote control is on for the run, and
    // OK stores the box as it is: the setting stays off.
    void remoteControlGiven()
    {
        frmOptions::setRemoteControlGiven(true);
        {
            frmOptions d;
            auto* box = find<CheckBox>(d, "chkAllowRemoteControl");
            QVERIFY(box->text().contains(QStringLiteral("--remote-control")));
            QVERIFY(!box->isChecked());
            d.cmdOk_Click();
        }
        frmOptions::setRemoteControlGiven(false);
        QVERIFY(!Settings.AllowRemoteControl);
        frmOptions d;
        QVERIFY(!find<CheckBox>(d, "chkAllowRemoteControl")->text().contains(u'-'));
    }

    // The Remote page shows the remote token and, with a server, a QR code that a phone reads
    // as the control page's address with the token. "New token", once confirmed, replaces the
    // file's token and shows the new one; a token file that cannot be used shows why instead.
    void remoteToken_data()
    {
        QTest::addColumn<QString>("origin");
        QTest::addColumn<QString>("file"); // "none", "kept", "open to others", "a link"
        QTest::addColumn<int>("answer");   // to "New token": -1 not pressed, 0 No, 1 Yes
        const QString server = QStringLiteral("http://127.0.0.1:8123");
        QTest::newRow("no file yet, no server") << QString() << "none" << -1;
        QTest::newRow("no file yet, a server") << server << "none" << -1;
        QTest::newRow("a server, IPv6") << "http://[::1]:8080"
                                        << "kept" << -1;
        QTest::newRow("new token, No") << server << "kept" << 0;
        QTest::newRow("new token, Yes") << server << "kept" << 1;
        QTest::newRow("a file open to others") << server << "open to others" << -1;
        QTest::newRow("a link") << server << "a link" << -1;
    }
    void remoteToken()
    {
        QFETCH(QString, origin);
        QFETCH(QString, file);
        QFETCH(int, answer);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("remote-token"));
        frmOptions::setTokenPath(path);
        frmOptions::setControlPageOrigin(origin);
        const auto cleanup = qScopeGuard([] {
            frmOptions::setTokenPath(QString());
            frmOptions::setControlPageOrigin(QString());
        });
        QString error;
        if (file != QLatin1String("none"))
            QVERIFY(RemoteToken::obtain(&error, nullptr, path));
        if (file == QLatin1String("open to others"))
            QVERIFY(QFile::setPermissions(path,
                                          QFile::ReadOwner | QFile::WriteOwner | QFile::ReadOther));
        if (file == QLatin1String("a link")) {
            QVERIFY(QFile::rename(path, path + QStringLiteral(".real")));
            QVERIFY(QFile::link(path + QStringLiteral(".real"), path));
        }
        const bool usable = file == QLatin1String("none") || file == QLatin1String("kept");
        const auto fileToken = [&] {
            QFile f(path + (file == QLatin1String("a link") ? QStringLiteral(".real") : QString()));
            return f.open(QIODevice::ReadOnly) ? f.readAll().trimmed() : QByteArray();
        };
        const QByteArray before = fileToken();

        frmOptions d;
        const Label* shown = d.controls().lblRemoteToken;
        const Image* code = d.controls().imgRemoteQr;
        // Opening the options makes no token: showing the page does.
        QCOMPARE(QFileInfo::exists(path), file != QLatin1String("none"));
        QVERIFY(shown->Caption().isEmpty());
        showPageOf(d, shown);
        if (!usable) {
            QVERIFY(!shown->Caption().isEmpty());
            QVERIFY(!shown->Caption().contains(QString::fromLatin1(before)));
            QVERIFY(!code->hasPicture());
            QCOMPARE(fileToken(), before); // left as it was
            return;
        }
        QCOMPARE(shown->Caption().toLatin1(), fileToken());
        if (answer >= 0) {
            dialogs->answers = {answer == 1};
            d.controls().cmdNewToken->click();
            QVERIFY(dialogs->answers.empty());
            QCOMPARE(fileToken() != before, answer == 1);
            QCOMPARE(shown->Caption().toLatin1(), fileToken());
        }
        if (origin.isEmpty()) {
            QVERIFY(!code->hasPicture());
            QVERIFY(d.controls().lblControlPage->Caption().contains(QStringLiteral("--serve")));
            return;
        }
        QVERIFY(d.controls().lblControlPage->Caption().contains(origin + "/control"));
        QVERIFY(code->hasPicture());
        QVERIFY(code->Picture().width() <= code->width());
        QCOMPARE(readQrCode(code->Picture()), origin.toLatin1() + "/control#token=" + fileToken());
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

    // The check boxes: each shows the stored value as on or off, and OK stores what it shows,
    // 1 for on; a value other than 1 that was on stays as it was, as it would with the box
    // clicked twice; Cancel leaves the setting.
    void checkBoxes_data()
    {
        QTest::addColumn<QString>("key");
        QTest::addColumn<int>("stored");
        QTest::addColumn<int>("clicks");
        QTest::addColumn<bool>("checked"); // after the clicks
        QTest::addColumn<int>("kept");
        for (const char* key : {"OpenConsole", "AllowRemoteControl"}) {
            const auto row = [key](const char* name) -> QTestData& {
                return QTest::addRow("%s: %s", key, name) << QString::fromLatin1(key);
            };
            row("off") << 0 << 0 << false << 0;
            row("off, turned on") << 0 << 1 << true << 1;
            row("on, turned off") << 1 << 1 << false << 0;
            row("on, clicked twice") << 1 << 2 << true << 1;
        }
        const auto console = [](const char* name) -> QTestData& {
            return QTest::addRow("OpenConsole: %s", name) << QStringLiteral("OpenConsole");
        };
        console("a hand-written 7") << 7 << 0 << true << 7;
        console("a hand-written 7, clicked twice") << 7 << 2 << true << 7;
        console("a hand-written -1, turned off") << -1 << 1 << false << 0;
    }
    void checkBoxes()
    {
        QFETCH(QString, key);
        QFETCH(int, stored);
        QFETCH(int, clicks);
        QFETCH(bool, checked);
        QFETCH(int, kept);
        const SettingRow& row = rowOf(key);
        const QString caption = key == QLatin1String("OpenConsole")
                                    ? QStringLiteral("Open the operator console with the board")
                                    : QStringLiteral("Allow remote control");
        setWholeSetting(row, stored);
        frmOptions d;
        d.show();
        QVERIFY(QTest::qWaitForWindowExposed(&d));
        auto* box = find<CheckBox>(d, QString::fromLatin1(row.name));
        QVERIFY(box);
        QCOMPARE(box->text(), caption);
        QCOMPARE(box->isChecked(), stored != 0);
        showPageOf(d, box);
        // On the box itself: the control is wider than its caption.
        const QPoint onTheBox(8, box->height() / 2);
        for (int i = 0; i < clicks; ++i)
            QTest::mouseClick(box, Qt::LeftButton, {}, onTheBox);
        QCOMPARE(box->isChecked(), checked);
        QCOMPARE(wholeSetting(row), stored); // not before OK
        d.cmdOk_Click();
        QCOMPARE(wholeSetting(row), kept);
        QCOMPARE(store.value(sectionOf(row), key), QString::number(kept));
        frmOptions again;
        again.show();
        box = find<CheckBox>(again, QString::fromLatin1(row.name));
        showPageOf(again, box);
        QTest::mouseClick(box, Qt::LeftButton, {}, onTheBox);
        again.cmdCancel_Click();
        QCOMPARE(wholeSetting(row), kept);
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

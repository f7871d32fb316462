// SPDX-License-Identifier: GPL-3.0-or-later
#include "frmoptions.h"

#include "colors.h"
#include "commondialogs.h"
#include "form.h"
#include "image.h"
#include "keyboard.h"
#include "keynames.h"
#include "label.h"
#include "optionsdesign.h"
#include "picturebox.h"
#include "pictures.h"
#include "polyled.h"
#include "program.h"
#include "qrcode.h"
#include "remotetoken.h"
#include "settingsstore.h"
#include "twips.h"
#include "widgetcontrols.h"

#include <QApplication>
#include <QDir>
#include <QValidator>
#include <algorithm>
#include <limits>
#include <type_traits>
#include <variant>

namespace {

using Kind = SettingRow::ControlKind;

// The board's team-name boxes, which both names must fit, and the sizes tried.
constexpr double NameBoxWidth = 1900;
constexpr double NameBoxHeight = 600;
constexpr int16_t LargestTeamSize = 60;
constexpr int16_t SmallestTeamSize = 10;
// The most a line edit holds.
constexpr qsizetype LongestText = 32767;

// The file boxes show this many characters of a path.
constexpr int16_t FileBoxLength = 50;

QString name(const char* n)
{
    return QString::fromLatin1(n);
}

bool fitsNameBox(const Label* l)
{
    return l->Width() < NameBoxWidth && l->Height() < NameBoxHeight;
}

int16_t toInt16(int64_t v)
{
    return static_cast<int16_t>(std::clamp<int64_t>(v, std::numeric_limits<int16_t>::min(),
                                                    std::numeric_limits<int16_t>::max()));
}

// What a text box takes: its length, or a longer stored text whole (a name from a hand-edited
// file: OK stores what was loaded). Once the text is changed, the limit follows it down, so
// that nothing is cut and nothing can be typed beyond.
int textLimit(const SettingRow& row, const QString& text)
{
    return static_cast<int>(std::clamp<qsizetype>(text.size(), row.high, LongestText));
}

// An integer setting (a colour, a key, a number, a choice) of the working copy.
int64_t wholeIn(const SettingVariables& s, const SettingRow::Member& m)
{
    return std::visit(
        [&](auto member) -> int64_t {
            if constexpr (std::is_integral_v<std::remove_cvref_t<decltype(s.*member)>>)
                return s.*member;
            else
                return 0;
        },
        m);
}

void setWhole(SettingVariables& s, const SettingRow::Member& m, int64_t v)
{
    std::visit(
        [&](auto member) {
            using T = std::remove_cvref_t<decltype(s.*member)>;
            if constexpr (std::is_integral_v<T>)
                s.*member = static_cast<T>(std::clamp<int64_t>(v, std::numeric_limits<T>::min(),
                                                               std::numeric_limits<T>::max()));
        },
        m);
}

// A text setting (a name, a path) of the working copy. The table gives text controls text
// settings only.
template <class Variables>
auto& textIn(Variables& s, const SettingRow::Member& m)
{
    static QString none;
    const auto* member = std::get_if<QString SettingVariables::*>(&m);
    return member ? s.**member : none;
}

// A text that a row's check refuses cannot be typed; an empty box is let be while typing, and
// OK then keeps the value as it was.
class RowValidator : public QValidator
{
public:
    RowValidator(bool (*check)(const QString&), QObject* parent) : QValidator(parent), valid(check)
    {}
    State validate(QString& input, int&) const override
    {
        if (valid(input))
            return Acceptable;
        return input.isEmpty() ? Intermediate : Invalid;
    }

private:
    bool (*valid)(const QString&);
};

// What the program tells every options dialog of this run.
struct RunFacts
{
    QString controlPageOrigin;
    QString tokenPath;
    std::function<QString(const SettingVariables&)> brokerCheck;
    bool remoteControlGiven = false;
    QString brokerGiven;
};

RunFacts& run()
{
    static RunFacts facts;
    return facts;
}

// Whether two sets of settings name the same broker, the same way.
bool sameBroker(const SettingVariables& a, const SettingVariables& b)
{
    return a.MqttBroker == b.MqttBroker && a.MqttTopic == b.MqttTopic &&
           a.MqttCredentials == b.MqttCredentials && a.MqttCaFile == b.MqttCaFile &&
           a.MqttControl == b.MqttControl;
}

// The QR code is drawn in whole pixels per module, as large as its place takes.
QImage fittedQrCode(const QByteArray& text, int side)
{
    const QImage one = qrCodeImage(text, 1);
    if (one.isNull())
        return one;
    return qrCodeImage(text, std::max(1, side / one.width()));
}

} // namespace

QByteArray controlPageAddress(const QString& origin, const QByteArray& token)
{
    return origin.toUtf8() + "/control#token=" + token;
}

void frmOptions::setControlPageOrigin(const QString& origin)
{
    run().controlPageOrigin = origin;
}

void frmOptions::setTokenPath(const QString& path)
{
    run().tokenPath = path;
}

void frmOptions::setRemoteControlGiven(bool given)
{
    run().remoteControlGiven = given;
}

void frmOptions::setBrokerGiven(const QString& address)
{
    run().brokerGiven = address;
}

void frmOptions::setBrokerCheck(std::function<QString(const SettingVariables&)> check)
{
    run().brokerCheck = std::move(check);
}

struct frmOptions::RowControls
{
    const SettingRow& row;
    Label* box = nullptr;                 // Key, File, Number: shows the value
    PictureBox* swatch = nullptr;         // Color
    Image* image = nullptr;               // Picture: the preview
    PictureBox* frame = nullptr;          // Picture: the preview's frame
    TextBox* text = nullptr;              // Text
    ComboBox* list = nullptr;             // List
    HScrollBar* scroll = nullptr;         // Number
    std::vector<OptionButton*> options{}; // Options, in control order
    CheckBox* check = nullptr;            // Check
    CommandButton* button = nullptr;      // Color, Key, File, Picture: changes the value
    CommandButton* clear = nullptr;       // Picture

    // Finds the row's controls; false when the design lacks one.
    bool find(const Form& f)
    {
        const auto get = [&f]<class T>(T*& out, const char* n) {
            out = n ? f.find<T>(name(n)) : nullptr;
            return out != nullptr;
        };
        switch (row.control) {
        case Kind::None:
        case Kind::Computed:
            return false;
        case Kind::Color:
            return get(swatch, row.name) && get(button, row.button);
        case Kind::Key:
        case Kind::File:
            return get(box, row.name) && get(button, row.button);
        case Kind::Number:
            return get(box, row.name) && get(scroll, row.button);
        case Kind::List:
            return get(list, row.name);
        case Kind::Check:
            return get(check, row.name);
        case Kind::Text:
            return get(text, row.name);
        case Kind::Picture:
            if (!get(image, row.name) || !get(button, row.button) || !get(clear, row.clear))
                return false;
            frame = dynamic_cast<PictureBox*>(image->parentWidget());
            return frame != nullptr;
        case Kind::Options: {
            const Frame* group = f.find<Frame>(name(row.name));
            for (Control* c : f.Controls())
                if (auto* o = dynamic_cast<OptionButton*>(c); o && o->parentWidget() == group)
                    options.push_back(o);
            return group && !options.empty();
        }
        }
        return false;
    }
};

frmOptions::frmOptions(QWidget* owner)
    : QDialog(owner, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                         Qt::WindowCloseButtonHint)
{
    setWindowTitle(tr("Options"));
    QFont dialogFont(QStringLiteral("Arial"));
    dialogFont.setPixelSize(twips::fontPixels(DialogFontPoints));
    setFont(dialogFont);

    client = new Form(this);
    client->setClientSize(OptionsClientWidth, OptionsClientHeight);
    buildControls(*client, optionsDesign());
    setFixedSize(client->size());

    const Form& f = *client;
    ui.SSTab1 = f.find<TabControl>(QStringLiteral("SSTab1"));
    ui.cmdOk = f.find<CommandButton>(QStringLiteral("cmdOk"));
    ui.cmdCancel = f.find<CommandButton>(QStringLiteral("cmdCancel"));
    ui.cmdResetKeys = f.find<CommandButton>(QStringLiteral("cmdResetKeys"));
    ui.cmdResetColors = f.find<CommandButton>(QStringLiteral("cmdResetColors"));
    ui.txtHomeText = f.find<TextBox>(QStringLiteral("txtHomeText"));
    ui.txtVisitorText = f.find<TextBox>(QStringLiteral("txtVisitorText"));
    ui.lblHomePreview = f.find<Label>(QStringLiteral("lblHomePreview"));
    ui.lblVisitorPreview = f.find<Label>(QStringLiteral("lblVisitorPreview"));
    ui.cmbLedType = f.find<ComboBox>(QStringLiteral("cmbLedType"));
    ui.pledPreview = f.find<PolyLED>(QStringLiteral("pledPreview"));
    ui.lblRemoteToken = f.find<Label>(QStringLiteral("lblRemoteToken"));
    ui.cmdNewToken = f.find<CommandButton>(QStringLiteral("cmdNewToken"));
    ui.lblControlPage = f.find<Label>(QStringLiteral("lblControlPage"));
    ui.imgRemoteQr = f.find<Image>(QStringLiteral("imgRemoteQr"));
    ui.lblMqttProblem = f.find<Label>(QStringLiteral("lblMqttProblem"));

    ui.cmdOk->setDefault(true);
    // Enter presses the button that has the focus, as it does in the platform's dialogs.
    for (Control* c : f.Controls())
        if (auto* b = dynamic_cast<CommandButton*>(c))
            b->setAutoDefault(true);
    bindRows();

    connect(ui.cmdOk, &QPushButton::clicked, this, &frmOptions::cmdOk_Click);
    connect(ui.cmdCancel, &QPushButton::clicked, this, &frmOptions::cmdCancel_Click);
    connect(ui.cmdResetColors, &QPushButton::clicked, this, &frmOptions::cmdResetColors_Click);
    connect(ui.cmdResetKeys, &QPushButton::clicked, this, &frmOptions::cmdResetKeys_Click);
    connect(ui.cmdNewToken, &QPushButton::clicked, this, &frmOptions::cmdNewToken_Click);
    // The token is read, or made, when its page is first shown, not for every look at the
    // options.
    connect(ui.SSTab1, &QTabWidget::currentChanged, this, [this] {
        if (!tokenShown && ui.SSTab1->currentWidget()->isAncestorOf(ui.lblRemoteToken)) {
            tokenShown = true;
            showRemoteToken(false);
        }
    });
    // The digit style shows on the preview digit; the names are measured for their size.
    connect(ui.cmbLedType, &QComboBox::currentIndexChanged, this,
            [this](int i) { ui.pledPreview->setLedType(i); });
    connect(ui.txtHomeText, &QLineEdit::textChanged, this, [this](const QString& text) {
        ui.lblHomePreview->setCaption(text);
        PreviewIt();
    });
    connect(ui.txtVisitorText, &QLineEdit::textChanged, this, [this](const QString& text) {
        ui.lblVisitorPreview->setCaption(text);
        PreviewIt();
    });
    Form_Load();
}

frmOptions::~frmOptions() = default;

void frmOptions::bindRows()
{
    rows.reserve(SettingTable.size());
    for (const SettingRow& row : SettingTable) {
        RowControls c{row};
        // A row without controls in the design is kept as it was, like one that has none.
        if (!c.find(*client))
            continue;
        rows.push_back(std::move(c));
    }
    // The rows stay where they are from here on: the connections below point at them.
    for (const RowControls& c : rows) {
        const RowControls* p = &c;
        switch (c.row.control) {
        case Kind::Color:
            connect(c.button, &QPushButton::clicked, this, [this, p] { changeColor(*p); });
            break;
        case Kind::Key:
            connect(c.button, &QPushButton::clicked, this, [this, p] { chooseKey(*p); });
            break;
        case Kind::File:
        case Kind::Picture:
            connect(c.button, &QPushButton::clicked, this, [this, p] { changeFile(*p); });
            if (c.clear)
                connect(c.clear, &QPushButton::clicked, this, [this, p] { clearPicture(*p); });
            break;
        case Kind::Number:
            c.scroll->setRange(c.row.low, c.row.high);
            c.scroll->setSingleStep(1);
            c.scroll->setPageStep(1);
            connect(c.scroll, &QScrollBar::valueChanged, c.box,
                    [p](int value) { p->box->setCaption(QString::number(value)); });
            break;
        case Kind::Text:
            if (c.row.valid)
                c.text->setValidator(new RowValidator(c.row.valid, c.text));
            connect(c.text, &QLineEdit::textChanged, c.text,
                    [p](const QString& text) { p->text->setMaxLength(textLimit(p->row, text)); });
            break;
        case Kind::None:
        case Kind::Computed:
        case Kind::Options:
        case Kind::Check:
        case Kind::List:
            break;
        }
    }
}

void frmOptions::Form_Load()
{
    Temp = Settings;
    // The first tab in front.
    ui.SSTab1->setCurrentIndex(0);
    // The names' size before the names: a name other than its box's first text works the
    // size out anew as it is put in.
    TempSize = toInt16(Temp.TeamSize.roundedHalfEven());
    for (const RowControls& c : rows)
        showRow(c);
    ui.pledPreview->setLedType(ui.cmbLedType->currentIndex());
    if (run().remoteControlGiven)
        if (auto* box = client->find<CheckBox>(QStringLiteral("chkAllowRemoteControl")))
            box->setText(tr("Allow remote control (on for this run: --remote-control)"));
    if (!run().brokerGiven.isEmpty())
        ui.lblMqttProblem->setCaption(
            tr("This run publishes to %1, as --mqtt on the command line asks; what is set here "
               "applies when Pucklight starts without it.")
                .arg(run().brokerGiven));
}

void frmOptions::showRemoteToken(bool renew)
{
    const QString path = run().tokenPath.isEmpty() ? RemoteToken::defaultPath() : run().tokenPath;
    QString error;
    const std::optional<RemoteToken> token =
        renew ? RemoteToken::renew(&error, path) : RemoteToken::obtain(&error, nullptr, path);
    ui.lblRemoteToken->setCaption(token ? QString::fromLatin1(token->text()) : error);
    const QString& origin = run().controlPageOrigin;
    if (!token || origin.isEmpty()) {
        ui.imgRemoteQr->clearPicture();
        ui.lblControlPage->setCaption(
            token ? tr("The control page for a phone needs the server: start Pucklight with "
                       "--serve PORT.")
                  : QString());
        return;
    }
    const QByteArray address = controlPageAddress(origin, token->text());
    ui.imgRemoteQr->setPicture(fittedQrCode(address, ui.imgRemoteQr->width()));
    ui.lblControlPage->setCaption(
        tr("A phone that scans the code opens the control page with the token:\n%1")
            .arg(origin + QStringLiteral("/control")));
}

void frmOptions::cmdNewToken_Click()
{
    if (commonDialogs().askYesNo(this, tr("New token"),
                                 tr("The old token stops working: phones and buttons that use "
                                    "it must be given the new one. Make a new token?")))
        showRemoteToken(true);
}

void frmOptions::showRow(const RowControls& c)
{
    const SettingRow& row = c.row;
    switch (row.control) {
    case Kind::None:
    case Kind::Computed:
        break;
    case Kind::Color:
        c.swatch->setBackColor(toQColor(static_cast<int32_t>(wholeIn(Temp, row.member))));
        break;
    case Kind::Key:
        c.box->setCaption(KeyCodeToStr(toInt16(wholeIn(Temp, row.member))));
        break;
    case Kind::File:
        c.box->setCaption(ChopFileName(textIn(Temp, row.member), FileBoxLength));
        break;
    case Kind::Picture:
        // An empty path leaves the preview empty.
        LoadFittedPicture(c.image, c.frame, textIn(Temp, row.member));
        break;
    // A value the control does not offer shows as the nearest one it does, and OK stores that.
    case Kind::Number:
        c.scroll->setValue(static_cast<int>(wholeIn(Temp, row.member)));
        c.box->setCaption(QString::number(c.scroll->value()));
        setWhole(Temp, row.member, c.scroll->value());
        break;
    case Kind::List:
        c.list->setCurrentIndex(static_cast<int>(
            std::clamp<int64_t>(wholeIn(Temp, row.member), row.low, row.high) - row.low));
        setWhole(Temp, row.member, row.low + c.list->currentIndex());
        break;
    // Any other value checks none, and OK then keeps it.
    case Kind::Options:
        for (size_t i = 0; i < c.options.size(); ++i)
            c.options[i]->setChecked(wholeIn(Temp, row.member) == row.low + int64_t(i));
        break;
    case Kind::Check:
        c.check->setChecked(wholeIn(Temp, row.member) != row.low);
        break;
    case Kind::Text:
        c.text->setMaxLength(textLimit(row, textIn(Temp, row.member)));
        c.text->setText(textIn(Temp, row.member));
        break;
    }
}

void frmOptions::takeRow(const RowControls& c)
{
    const SettingRow& row = c.row;
    switch (row.control) {
    case Kind::Number:
        setWhole(Temp, row.member, c.scroll->value());
        break;
    case Kind::List:
        setWhole(Temp, row.member, row.low + c.list->currentIndex());
        break;
    case Kind::Options:
        for (size_t i = 0; i < c.options.size(); ++i)
            if (c.options[i]->isChecked())
                setWhole(Temp, row.member, row.low + int64_t(i));
        break;
    case Kind::Check:
        if (!c.check->isChecked())
            setWhole(Temp, row.member, row.low);
        else if (wholeIn(Temp, row.member) == row.low)
            setWhole(Temp, row.member, row.high);
        break;
    case Kind::Text:
        if (!row.valid || row.valid(c.text->text()))
            textIn(Temp, row.member) = c.text->text();
        break;
    // The others are in the working copy already.
    case Kind::None:
    case Kind::Computed:
    case Kind::Color:
    case Kind::Key:
    case Kind::File:
    case Kind::Picture:
        break;
    }
}

void frmOptions::showEvent(QShowEvent* e)
{
    QDialog::showEvent(e);
    ui.cmdOk->setFocus(Qt::ActiveWindowFocusReason);
}

QString frmOptions::ChopFileName(const QString& FileName, int16_t Length)
{
    if (FileName.size() > Length) {
        const QString bare = program::bareName(FileName);
        const QString elision = QStringLiteral(" ...") + QDir::separator();
        const qsizetype head = Length - bare.size() - elision.size();
        // A bare name that leaves no room for a head is shown alone.
        if (head < 0)
            return bare;
        return FileName.left(head) + elision + bare;
    }
    if (FileName.isEmpty())
        return tr("[No File Selected]");
    return FileName;
}

void frmOptions::PreviewIt()
{
    // Font metrics answer at once, so the search needs no pass through the event loop.
    TempSize = LargestTeamSize;
    while (TempSize >= SmallestTeamSize) {
        ui.lblHomePreview->setFontSize(TempSize);
        ui.lblVisitorPreview->setFontSize(TempSize);
        if (fitsNameBox(ui.lblHomePreview) && fitsNameBox(ui.lblVisitorPreview))
            break;
        --TempSize;
    }
}

frmChooseKey::HeldKeys frmOptions::heldKeys() const
{
    frmChooseKey::HeldKeys held;
    for (const RowControls& c : rows)
        if (c.row.control == Kind::Key)
            held.push_back(toInt16(wholeIn(Temp, c.row.member)));
    return held;
}

void frmOptions::chooseKey(const RowControls& c)
{
    frmChooseKey chooser(this, tr(c.row.prompt), toInt16(wholeIn(Temp, c.row.member)), heldKeys());
    chooser.exec();
    const int16_t chosen = chooser.chosenKey().toShort();
    if (chosen != 0) {
        setWhole(Temp, c.row.member, chosen);
        showRow(c);
    }
    ui.cmdOk->setFocus(Qt::ActiveWindowFocusReason);
}

void frmOptions::changeColor(const RowControls& c)
{
    // A cancelled picker keeps the swatch's colour. The working copy keeps the number, so that
    // a stored value with bits beyond the colour comes back unchanged.
    if (const auto colour = commonDialogs().chooseColor(this)) {
        setWhole(Temp, c.row.member, fromQColor(*colour));
        showRow(c);
    }
}

void frmOptions::changeFile(const RowControls& c)
{
    // A cancelled dialog, or a file that is not there, changes nothing.
    const QString path = commonDialogs().openFile(this, tr(c.row.prompt), true);
    if (!program::fileExists(path))
        return;
    textIn(Temp, c.row.member) = path;
    showRow(c);
}

void frmOptions::clearPicture(const RowControls& c)
{
    c.image->clearPicture();
    textIn(Temp, c.row.member) = QString();
}

void frmOptions::resetRows(SettingRow::Reset which)
{
    ResetSettings(Temp, which);
    for (const RowControls& c : rows)
        if (c.row.reset == which)
            showRow(c);
}

void frmOptions::cmdResetColors_Click()
{
    if (commonDialogs().askYesNo(this, tr("Reset Colors"),
                                 tr("Are you sure you want to reset the colors?")))
        resetRows(SettingRow::Reset::Colors);
}

void frmOptions::cmdResetKeys_Click()
{
    if (commonDialogs().askYesNo(this, tr("Reset Keys"),
                                 tr("Are you sure you want to reset the keys?")))
        resetRows(SettingRow::Reset::Keys);
}

void frmOptions::cmdOk_Click()
{
    for (const RowControls& c : rows)
        takeRow(c);
    Temp.TeamSize = Fixed4::whole(TempSize);
    // A broker that cannot be used keeps the dialog open on its page, with what was typed and
    // why; one left as it was is not looked at again here (the console tells how it fares).
    if (!sameBroker(Temp, Settings) && run().brokerCheck) {
        if (const QString problem = run().brokerCheck(Temp); !problem.isEmpty()) {
            ui.lblMqttProblem->setCaption(problem);
            for (int i = 0; i < ui.SSTab1->count(); ++i)
                if (ui.SSTab1->QTabWidget::widget(i)->isAncestorOf(ui.lblMqttProblem))
                    ui.SSTab1->setCurrentIndex(i);
            QApplication::beep();
            return;
        }
    }
    ui.lblMqttProblem->setCaption(QString());
    Settings = Temp;
    // The NumLock mode is applied at once.
    ApplyNumLockMode(Settings.NumLockForce);
    // Stored. A store that cannot be written is not reported; the variables hold the choice.
    SaveSettings();
    accept();
}

void frmOptions::cmdCancel_Click()
{
    reject();
}

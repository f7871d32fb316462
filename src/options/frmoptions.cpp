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
#include "settingsstore.h"
#include "settingtable.h"
#include "twips.h"
#include "widgetcontrols.h"

#include <QDir>
#include <algorithm>
#include <limits>

namespace {

// The board's team-name boxes, which both names must fit, and the sizes tried.
constexpr double NameBoxWidth = 1900;
constexpr double NameBoxHeight = 600;
constexpr int16_t LargestTeamSize = 60;
constexpr int16_t SmallestTeamSize = 10;
constexpr int NameMaxLength = 20;

// What a name box takes: 20 characters, or a longer stored name whole (up to what a line
// edit holds at all).
int nameLimit(const QString& stored)
{
    return static_cast<int>(std::clamp<qsizetype>(stored.size(), NameMaxLength, 32767));
}

// The file boxes show this many characters of a path.
constexpr int16_t FileBoxLength = 50;
constexpr int MaxMarkerWidth = 5;
constexpr int LastLedType = 1;

//: A file filter: a description, "|", the patterns. Only the description is translated.
const char* const SoundFilter = QT_TRANSLATE_NOOP("frmOptions", "Sounds *.wav|*.wav");
//: A file filter: a description, "|", the patterns. Only the description is translated.
const char* const PictureFilter =
    QT_TRANSLATE_NOOP("frmOptions", "Pictures (*.bmp;*.gif;*.jpg;*.png)|*.bmp;*.gif;*.jpg;*.png");

// The seven key commands, in the order the dialog loads them.
struct KeyCommand
{
    const char* button;
    const char* box;
    const char* phrase;
    int16_t frmOptions::*temp;
    int16_t SettingVariables::*setting;
};
constexpr KeyCommand KeyCommands[] = {
    {"cmdStartStopClock", "lblStartStopClock",
     QT_TRANSLATE_NOOP("frmOptions", "start / stop the clock"), &frmOptions::StartStopClockKeyTemp,
     &SettingVariables::StartStopClockKey},
    {"cmdResetClock", "lblResetClock", QT_TRANSLATE_NOOP("frmOptions", "reset the clock"),
     &frmOptions::ResetClockKeyTemp, &SettingVariables::ResetClockKey},
    {"cmdClearKey", "lblClear", QT_TRANSLATE_NOOP("frmOptions", "clear a number"),
     &frmOptions::ClearKeyTemp, &SettingVariables::ClearKey},
    {"cmdClockSwitch", "lblClockSwitch",
     QT_TRANSLATE_NOOP("frmOptions", "switch between clock and game time"),
     &frmOptions::ClockSwitchKeyTemp, &SettingVariables::ClockSwitchKey},
    {"cmdSepTime", "lblSepTime",
     QT_TRANSLATE_NOOP("frmOptions", "start / stop an independent penalty clock"),
     &frmOptions::SepTimeKeyTemp, &SettingVariables::SepTimeKey},
    {"cmdBuzzer", "lblBuzzer", QT_TRANSLATE_NOOP("frmOptions", "sound the buzzer"),
     &frmOptions::BuzzerKeyTemp, &SettingVariables::BuzzerKey},
    {
        "cmdHorn",
        "lblHorn",
        QT_TRANSLATE_NOOP("frmOptions", "sound the horn"),
        &frmOptions::HornKeyTemp,
        &SettingVariables::HornKey,
    },
};
static_assert(std::size(KeyCommands) == std::tuple_size_v<frmChooseKey::HeldKeys>);

// The nine colours, in the order the dialog loads them. "Reset Colors" gives each its
// default, the marker colour included (dark grey, whatever the board's background).
struct ColorGroup
{
    const char* swatch;
    const char* button;
    int32_t SettingVariables::*setting;
};
constexpr ColorGroup ColorGroups[] = {
    {"picTimeC", "cmdTimeC", &SettingVariables::TimeColor},
    {"picScoreC", "cmdScoreC", &SettingVariables::ScoreColor},
    {"picLEDB", "cmdLEDB", &SettingVariables::LEDBack},
    {"picLedSelected", "cmdLedSelected", &SettingVariables::LEDSelected},
    {"picPeriodC", "cmdPeriodC", &SettingVariables::PeriodColor},
    {"picBackC", "cmdBackC", &SettingVariables::FormBack},
    {"picBorderC", "cmdBorderC", &SettingVariables::BorderColor},
    {"picHomeC", "cmdHomeC", &SettingVariables::HomeColor},
    {"picVisitorC", "cmdVisitorC", &SettingVariables::VisitorColor},
};

struct SoundFile
{
    const char* button;
    const char* box;
    QString frmOptions::*temp;
    QString SettingVariables::*setting;
};
constexpr SoundFile SoundFiles[] = {
    {"cmdBuzzerSound", "lblBFile", &frmOptions::BuzzTemp, &SettingVariables::BuzzerFile},
    {"cmdHornSound", "lblHFile", &frmOptions::HornTemp, &SettingVariables::HornFile},
};

struct PictureGroup
{
    const char* frame;
    const char* image;
    const char* change;
    const char* clear;
    QString frmOptions::*temp;
    QString SettingVariables::*setting;
};
constexpr PictureGroup PictureGroups[] = {
    {"picHomePicPreviewCon", "imgHomePicPreview", "cmdChangeHomePic", "cmdClearHomePic",
     &frmOptions::HomePicTemp, &SettingVariables::HomePic},
    {"picVisitorPicPreviewCon", "imgVisitorPicPreview", "cmdChangeVisitorPic", "cmdClearVisitorPic",
     &frmOptions::VisitorPicTemp, &SettingVariables::VisitorPic},
    {"picBoardPicPreviewCon", "imgBoardPicPreview", "cmdChangeBoardPic", "cmdClearBoardPic",
     &frmOptions::BoardPicTemp, &SettingVariables::BoardPic},
};

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

} // namespace

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
    SSTab1 = f.find<TabControl>(QStringLiteral("SSTab1"));
    cmdOk = f.find<CommandButton>(QStringLiteral("cmdOk"));
    cmdCancel = f.find<CommandButton>(QStringLiteral("cmdCancel"));
    cmdResetKeys = f.find<CommandButton>(QStringLiteral("cmdResetKeys"));
    cmdResetColors = f.find<CommandButton>(QStringLiteral("cmdResetColors"));
    optNormal = f.find<OptionButton>(QStringLiteral("optNormal"));
    optKeepOn = f.find<OptionButton>(QStringLiteral("optKeepOn"));
    optKeepOff = f.find<OptionButton>(QStringLiteral("optKeepOff"));
    lblBFile = f.find<Label>(QStringLiteral("lblBFile"));
    lblHFile = f.find<Label>(QStringLiteral("lblHFile"));
    scrLEDSelectedWidth = f.find<HScrollBar>(QStringLiteral("scrLEDSelectedWidth"));
    lblLEDSelectedWidthValue = f.find<Label>(QStringLiteral("lblLEDSelectedWidthValue"));
    txtHomeText = f.find<TextBox>(QStringLiteral("txtHomeText"));
    txtVisitorText = f.find<TextBox>(QStringLiteral("txtVisitorText"));
    txtBoardCaption = f.find<TextBox>(QStringLiteral("txtBoardCaption"));
    lblHomePreview = f.find<Label>(QStringLiteral("lblHomePreview"));
    lblVisitorPreview = f.find<Label>(QStringLiteral("lblVisitorPreview"));
    cmbLedType = f.find<ComboBox>(QStringLiteral("cmbLedType"));
    pledPreview = f.find<PolyLED>(QStringLiteral("pledPreview"));
    for (size_t i = 0; i < swatches.size(); ++i)
        swatches[i] = f.find<PictureBox>(name(ColorGroups[i].swatch));
    for (size_t i = 0; i < keyBoxes.size(); ++i)
        keyBoxes[i] = f.find<Label>(name(KeyCommands[i].box));

    cmdOk->setDefault(true);
    // Enter presses the button that has the focus, as it does in the platform's dialogs.
    for (Control* c : f.Controls())
        if (auto* b = dynamic_cast<CommandButton*>(c))
            b->setAutoDefault(true);
    txtBoardCaption->setMaxLength(MaxCaptionLength);
    scrLEDSelectedWidth->setRange(0, MaxMarkerWidth);
    scrLEDSelectedWidth->setSingleStep(1);
    scrLEDSelectedWidth->setPageStep(1);

    wire();
    Form_Load();
}

frmOptions::~frmOptions() = default;

void frmOptions::wire()
{
    const Form& f = *client;
    for (size_t i = 0; i < std::size(KeyCommands); ++i)
        connect(f.find<CommandButton>(name(KeyCommands[i].button)), &QPushButton::clicked, this,
                [this, i] { chooseKey(i); });
    for (size_t i = 0; i < std::size(ColorGroups); ++i)
        connect(f.find<CommandButton>(name(ColorGroups[i].button)), &QPushButton::clicked, this,
                [this, i] { changeColor(i); });
    for (size_t i = 0; i < std::size(SoundFiles); ++i)
        connect(f.find<CommandButton>(name(SoundFiles[i].button)), &QPushButton::clicked, this,
                [this, i] { changeSound(i); });
    for (size_t i = 0; i < std::size(PictureGroups); ++i) {
        connect(f.find<CommandButton>(name(PictureGroups[i].change)), &QPushButton::clicked, this,
                [this, i] { changePicture(i); });
        connect(f.find<CommandButton>(name(PictureGroups[i].clear)), &QPushButton::clicked, this,
                [this, i] { clearPicture(i); });
    }
    connect(cmdOk, &QPushButton::clicked, this, &frmOptions::cmdOk_Click);
    connect(cmdCancel, &QPushButton::clicked, this, &frmOptions::cmdCancel_Click);
    connect(cmdResetColors, &QPushButton::clicked, this, &frmOptions::cmdResetColors_Click);
    connect(cmdResetKeys, &QPushButton::clicked, this, &frmOptions::cmdResetKeys_Click);
    connect(scrLEDSelectedWidth, &QScrollBar::valueChanged, this, &frmOptions::showWidth);
    connect(cmbLedType, &QComboBox::currentIndexChanged, this,
            [this](int i) { pledPreview->setLedType(i); });
    // A long stored name lifts a box's limit only until the name is changed: the limit then
    // follows the text down to 20, so that nothing is cut and nothing can be typed beyond.
    connect(txtHomeText, &QLineEdit::textChanged, this, [this](const QString& text) {
        txtHomeText->setMaxLength(nameLimit(text));
        lblHomePreview->setCaption(text);
        PreviewIt();
    });
    connect(txtVisitorText, &QLineEdit::textChanged, this, [this](const QString& text) {
        txtVisitorText->setMaxLength(nameLimit(text));
        lblVisitorPreview->setCaption(text);
        PreviewIt();
    });
}

void frmOptions::Form_Load()
{
    const SettingVariables& s = Settings;
    // The first tab in front.
    SSTab1->setCurrentIndex(0);
    // The colour swatches.
    for (size_t i = 0; i < std::size(ColorGroups); ++i)
        setSwatch(i, s.*ColorGroups[i].setting);
    // The marker width. A stored width the control does not offer shows as the nearest one it does.
    scrLEDSelectedWidth->setValue(std::clamp<int>(s.LEDSelectedWidth, 0, MaxMarkerWidth));
    showWidth(scrLEDSelectedWidth->value());
    // The seven command keys.
    for (size_t i = 0; i < std::size(KeyCommands); ++i) {
        this->*KeyCommands[i].temp = s.*KeyCommands[i].setting;
        keyBoxes[i]->setCaption(KeyCodeToStr(s.*KeyCommands[i].setting));
    }
    // The NumLock mode. Any other mode selects none, and OK then keeps it.
    optNormal->setChecked(s.NumLockForce == 0);
    optKeepOn->setChecked(s.NumLockForce == 1);
    optKeepOff->setChecked(s.NumLockForce == 2);
    // The working copy of the sounds, the name size and the pictures.
    BuzzTemp = s.BuzzerFile;
    HornTemp = s.HornFile;
    TempSize = toInt16(s.TeamSize.roundedHalfEven());
    for (const PictureGroup& g : PictureGroups)
        this->*g.temp = s.*g.setting;
    // The picture previews.
    for (const PictureGroup& g : PictureGroups)
        LoadFittedPicture(client->find<Image>(name(g.image)),
                          client->find<PictureBox>(name(g.frame)), this->*g.temp);
    // The digit style; likewise a style the list does not offer.
    cmbLedType->setCurrentIndex(std::clamp<int>(s.LEDType, 0, LastLedType));
    pledPreview->setLedType(cmbLedType->currentIndex());
    // The team names. Each box recomputes the size only when its text changes. A longer name than
    // can be typed (from a hand-edited file) is taken whole, not cut: OK stores what was loaded.
    txtHomeText->setMaxLength(nameLimit(s.HomeText));
    txtVisitorText->setMaxLength(nameLimit(s.VisitorText));
    txtHomeText->setText(s.HomeText);
    txtVisitorText->setText(s.VisitorText);
    txtBoardCaption->setText(s.BoardCaption);
    // The sound file boxes.
    lblBFile->setCaption(ChopFileName(BuzzTemp, FileBoxLength));
    lblHFile->setCaption(ChopFileName(HornTemp, FileBoxLength));
}

void frmOptions::showEvent(QShowEvent* e)
{
    QDialog::showEvent(e);
    cmdOk->setFocus(Qt::ActiveWindowFocusReason);
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
        lblHomePreview->setFontSize(TempSize);
        lblVisitorPreview->setFontSize(TempSize);
        if (fitsNameBox(lblHomePreview) && fitsNameBox(lblVisitorPreview))
            break;
        --TempSize;
    }
}

frmChooseKey::HeldKeys frmOptions::heldKeys() const
{
    frmChooseKey::HeldKeys held{};
    for (size_t i = 0; i < held.size(); ++i)
        held[i] = this->*KeyCommands[i].temp;
    return held;
}

void frmOptions::chooseKey(size_t action)
{
    const KeyCommand& k = KeyCommands[action];
    frmChooseKey chooser(this, tr(k.phrase), this->*k.temp, heldKeys());
    chooser.exec();
    const int16_t chosen = chooser.ChosenKey.toShort();
    if (chosen != 0) {
        this->*k.temp = chosen;
        keyBoxes[action]->setCaption(KeyCodeToStr(chosen));
    }
    cmdOk->setFocus(Qt::ActiveWindowFocusReason);
}

void frmOptions::setSwatch(size_t group, int32_t color)
{
    // The number is kept as well as the colour shown, so that a stored value with bits
    // beyond the colour comes back unchanged.
    swatchColors[group] = color;
    swatches[group]->setBackColor(toQColor(color));
}

void frmOptions::changeColor(size_t group)
{
    // A cancelled picker keeps the swatch's colour.
    if (const auto c = commonDialogs().chooseColor(this))
        setSwatch(group, fromQColor(*c));
}

void frmOptions::showWidth(int value)
{
    lblLEDSelectedWidthValue->setCaption(QString::number(value));
}

void frmOptions::changeSound(size_t sound)
{
    const SoundFile& s = SoundFiles[sound];
    const QString path = commonDialogs().openFile(this, tr(SoundFilter), true);
    if (!program::fileExists(path))
        return;
    this->*s.temp = path;
    client->find<Label>(name(s.box))->setCaption(ChopFileName(path, FileBoxLength));
}

void frmOptions::changePicture(size_t group)
{
    const PictureGroup& g = PictureGroups[group];
    const QString path = commonDialogs().openFile(this, tr(PictureFilter), true);
    if (!program::fileExists(path))
        return;
    this->*g.temp = path;
    LoadFittedPicture(client->find<Image>(name(g.image)), client->find<PictureBox>(name(g.frame)),
                      path);
}

void frmOptions::clearPicture(size_t group)
{
    const PictureGroup& g = PictureGroups[group];
    client->find<Image>(name(g.image))->clearPicture();
    this->*g.temp = QString();
}

void frmOptions::cmdResetColors_Click()
{
    if (!commonDialogs().askYesNo(this, tr("Reset Colors"),
                                  tr("Are you sure you want to reset the colors?")))
        return;
    SettingVariables reset;
    ResetSettings(reset, SettingRow::Reset::Colors);
    for (size_t i = 0; i < std::size(ColorGroups); ++i)
        setSwatch(i, reset.*ColorGroups[i].setting);
    scrLEDSelectedWidth->setValue(reset.LEDSelectedWidth);
    showWidth(scrLEDSelectedWidth->value());
}

void frmOptions::cmdResetKeys_Click()
{
    if (!commonDialogs().askYesNo(this, tr("Reset Keys"),
                                  tr("Are you sure you want to reset the keys?")))
        return;
    SettingVariables reset;
    for (const KeyCommand& k : KeyCommands)
        reset.*k.setting = this->*k.temp;
    ResetSettings(reset, SettingRow::Reset::Keys);
    for (size_t i = 0; i < std::size(KeyCommands); ++i) {
        const KeyCommand& k = KeyCommands[i];
        this->*k.temp = reset.*k.setting;
        keyBoxes[i]->setCaption(KeyCodeToStr(this->*k.temp));
    }
    optNormal->setChecked(reset.NumLockForce == 0);
}

void frmOptions::cmdOk_Click()
{
    SettingVariables& s = Settings;
    // Colours and the marker width.
    for (size_t i = 0; i < std::size(ColorGroups); ++i)
        s.*ColorGroups[i].setting = swatchColors[i];
    s.LEDSelectedWidth = static_cast<int16_t>(lblLEDSelectedWidthValue->Caption().toShort());
    // Keys and sounds.
    for (const KeyCommand& k : KeyCommands)
        s.*k.setting = this->*k.temp;
    s.BuzzerFile = BuzzTemp;
    s.HornFile = HornTemp;
    // The NumLock mode, applied at once. With no mode selected the stored one stays.
    if (optNormal->isChecked()) {
        s.NumLockForce = 0;
    } else if (optKeepOn->isChecked()) {
        s.NumLockForce = 1;
    } else if (optKeepOff->isChecked()) {
        s.NumLockForce = 2;
    }
    ApplyNumLockMode(s.NumLockForce);
    // Names and their size.
    s.HomeText = txtHomeText->text();
    s.VisitorText = txtVisitorText->text();
    s.TeamSize = Fixed4::whole(TempSize);
    s.BoardCaption = txtBoardCaption->text();
    // Pictures and the digit style.
    for (const PictureGroup& g : PictureGroups)
        s.*g.setting = this->*g.temp;
    s.LEDType = static_cast<int16_t>(cmbLedType->currentIndex());
    // Stored. A store that cannot be written is not reported; the variables hold the choice.
    SaveSettings();
    accept();
}

void frmOptions::cmdCancel_Click()
{
    reject();
}

// SPDX-License-Identifier: GPL-3.0-or-later
#include "optionsdesign.h"

namespace {

using K = DesignRow::Kind;
using A = Label::Align;

constexpr int32_t White = 16777215;
constexpr int32_t Red = 255;

// clang-format off
constexpr DesignRow Options[] = {
    {.kind = K::TabControl, .name = "SSTab1", .left = 120, .top = 120, .width = 6990, .height = 6285},
    {.kind = K::TabPage, .name = "tabKeyboard", .parent = "SSTab1", .caption = QT_TRANSLATE_NOOP("Design", "Keyboard Controls")},
    {.kind = K::TabPage, .name = "tabColors", .parent = "SSTab1", .caption = QT_TRANSLATE_NOOP("Design", "Color Controls")},
    {.kind = K::TabPage, .name = "tabText", .parent = "SSTab1", .caption = QT_TRANSLATE_NOOP("Design", "Text Controls")},
    {.kind = K::TabPage, .name = "tabPictures", .parent = "SSTab1", .caption = QT_TRANSLATE_NOOP("Design", "Pictures")},
    {.kind = K::TabPage, .name = "tabRemote", .parent = "SSTab1", .caption = QT_TRANSLATE_NOOP("Design", "Remote")},
    {.kind = K::TabPage, .name = "tabMqtt", .parent = "SSTab1", .caption = QT_TRANSLATE_NOOP("Design", "MQTT")},

    // Keyboard Controls: a button per command with its key beside it; below the sounds, whether
    // the operator's console opens with the board.
    {.kind = K::CommandButton, .name = "cmdSepTime", .parent = "tabKeyboard", .left = 120, .top = 120, .width = 2280, .height = 375, .caption = QT_TRANSLATE_NOOP("Design", "Start / Stop Penalty Clock")},
    {.kind = K::Label, .name = "lblSepTime", .parent = "tabKeyboard", .left = 2520, .top = 180, .width = 840, .height = 255, .align = A::Center, .border = true},
    {.kind = K::CommandButton, .name = "cmdStartStopClock", .parent = "tabKeyboard", .left = 120, .top = 570, .width = 2280, .height = 375, .caption = QT_TRANSLATE_NOOP("Design", "Start / Stop  Clock")},
    {.kind = K::Label, .name = "lblStartStopClock", .parent = "tabKeyboard", .left = 2520, .top = 630, .width = 840, .height = 255, .align = A::Center, .border = true},
    {.kind = K::CommandButton, .name = "cmdResetClock", .parent = "tabKeyboard", .left = 120, .top = 1020, .width = 2280, .height = 375, .caption = QT_TRANSLATE_NOOP("Design", "Reset Clock")},
    {.kind = K::Label, .name = "lblResetClock", .parent = "tabKeyboard", .left = 2520, .top = 1080, .width = 840, .height = 255, .align = A::Center, .border = true},
    {.kind = K::CommandButton, .name = "cmdHorn", .parent = "tabKeyboard", .left = 120, .top = 1470, .width = 2280, .height = 375, .caption = QT_TRANSLATE_NOOP("Design", "Horn")},
    {.kind = K::Label, .name = "lblHorn", .parent = "tabKeyboard", .left = 2520, .top = 1530, .width = 840, .height = 255, .align = A::Center, .border = true},
    {.kind = K::CommandButton, .name = "cmdBuzzer", .parent = "tabKeyboard", .left = 120, .top = 1920, .width = 2280, .height = 375, .caption = QT_TRANSLATE_NOOP("Design", "Buzzer")},
    {.kind = K::Label, .name = "lblBuzzer", .parent = "tabKeyboard", .left = 2520, .top = 1980, .width = 840, .height = 255, .align = A::Center, .border = true},
    {.kind = K::CommandButton, .name = "cmdClockSwitch", .parent = "tabKeyboard", .left = 120, .top = 2370, .width = 2280, .height = 375, .caption = QT_TRANSLATE_NOOP("Design", "Game / Clock Switch")},
    {.kind = K::Label, .name = "lblClockSwitch", .parent = "tabKeyboard", .left = 2520, .top = 2430, .width = 840, .height = 255, .align = A::Center, .border = true},
    {.kind = K::CommandButton, .name = "cmdClearKey", .parent = "tabKeyboard", .left = 120, .top = 2820, .width = 2280, .height = 375, .caption = QT_TRANSLATE_NOOP("Design", "# Clear Key")},
    {.kind = K::Label, .name = "lblClear", .parent = "tabKeyboard", .left = 2520, .top = 2880, .width = 840, .height = 255, .align = A::Center, .border = true},
    {.kind = K::Frame, .name = "fraNumlock", .parent = "tabKeyboard", .left = 3600, .top = 60, .width = 1995, .height = 1335, .caption = QT_TRANSLATE_NOOP("Design", "Numlock Options:")},
    {.kind = K::OptionButton, .name = "optNormal", .parent = "fraNumlock", .left = 150, .top = 300, .width = 1755, .height = 285, .caption = QT_TRANSLATE_NOOP("Design", "Normal Mode")},
    {.kind = K::OptionButton, .name = "optKeepOn", .parent = "fraNumlock", .left = 150, .top = 630, .width = 1755, .height = 285, .caption = QT_TRANSLATE_NOOP("Design", "Keep Numlock On")},
    {.kind = K::OptionButton, .name = "optKeepOff", .parent = "fraNumlock", .left = 150, .top = 960, .width = 1755, .height = 285, .caption = QT_TRANSLATE_NOOP("Design", "Keep Numlock Off")},
    {.kind = K::CommandButton, .name = "cmdResetKeys", .parent = "tabKeyboard", .left = 3600, .top = 1560, .width = 1995, .height = 375, .caption = QT_TRANSLATE_NOOP("Design", "Reset Keys")},
    {.kind = K::Frame, .name = "fraBuzzerFile", .parent = "tabKeyboard", .left = 120, .top = 3330, .width = 5475, .height = 960, .caption = QT_TRANSLATE_NOOP("Design", "Buzzer File:")},
    {.kind = K::CommandButton, .name = "cmdBuzzerSound", .parent = "fraBuzzerFile", .left = 150, .top = 255, .width = 1935, .height = 345, .caption = QT_TRANSLATE_NOOP("Design", "Change Buzzer Sound")},
    {.kind = K::Label, .name = "lblBFile", .parent = "fraBuzzerFile", .left = 150, .top = 660, .width = 5175, .height = 255, .border = true},
    {.kind = K::Frame, .name = "fraHornSound", .parent = "tabKeyboard", .left = 120, .top = 4410, .width = 5475, .height = 960, .caption = QT_TRANSLATE_NOOP("Design", "Horn Sound:")},
    {.kind = K::CommandButton, .name = "cmdHornSound", .parent = "fraHornSound", .left = 150, .top = 255, .width = 1935, .height = 345, .caption = QT_TRANSLATE_NOOP("Design", "Change Horn Sound")},
    {.kind = K::Label, .name = "lblHFile", .parent = "fraHornSound", .left = 150, .top = 660, .width = 5175, .height = 255, .border = true},
    {.kind = K::CheckBox, .name = "chkOpenConsole", .parent = "tabKeyboard", .left = 120, .top = 5490, .width = 5475, .height = 285, .caption = QT_TRANSLATE_NOOP("Design", "Open the operator console with the board")},

    // Color Controls: three by three colour groups, each a swatch and a button.
    {.kind = K::Frame, .name = "fraTimeC", .parent = "tabColors", .left = 120, .top = 120, .width = 1785, .height = 1455, .caption = QT_TRANSLATE_NOOP("Design", "Time Color:")},
    {.kind = K::PictureBox, .name = "picTimeC", .parent = "fraTimeC", .left = 165, .top = 300, .width = 690, .height = 690, .border = true},
    {.kind = K::CommandButton, .name = "cmdTimeC", .parent = "fraTimeC", .left = 975, .top = 457, .width = 660, .height = 375, .caption = QT_TRANSLATE_NOOP("Design", "Change")},
    {.kind = K::Frame, .name = "fraScoreC", .parent = "tabColors", .left = 1965, .top = 120, .width = 1785, .height = 1455, .caption = QT_TRANSLATE_NOOP("Design", "Score Color:")},
    {.kind = K::PictureBox, .name = "picScoreC", .parent = "fraScoreC", .left = 165, .top = 300, .width = 690, .height = 690, .border = true},
    {.kind = K::CommandButton, .name = "cmdScoreC", .parent = "fraScoreC", .left = 975, .top = 457, .width = 660, .height = 375, .caption = QT_TRANSLATE_NOOP("Design", "Change")},
    {.kind = K::Frame, .name = "fraBorderC", .parent = "tabColors", .left = 3810, .top = 120, .width = 1785, .height = 1455, .caption = QT_TRANSLATE_NOOP("Design", "Border Color:")},
    {.kind = K::PictureBox, .name = "picBorderC", .parent = "fraBorderC", .left = 165, .top = 300, .width = 690, .height = 690, .border = true},
    {.kind = K::CommandButton, .name = "cmdBorderC", .parent = "fraBorderC", .left = 975, .top = 457, .width = 660, .height = 375, .caption = QT_TRANSLATE_NOOP("Design", "Change")},
    {.kind = K::Frame, .name = "fraBackC", .parent = "tabColors", .left = 120, .top = 1695, .width = 1785, .height = 1455, .caption = QT_TRANSLATE_NOOP("Design", "Back Color:")},
    {.kind = K::PictureBox, .name = "picBackC", .parent = "fraBackC", .left = 165, .top = 300, .width = 690, .height = 690, .border = true},
    {.kind = K::CommandButton, .name = "cmdBackC", .parent = "fraBackC", .left = 975, .top = 457, .width = 660, .height = 375, .caption = QT_TRANSLATE_NOOP("Design", "Change")},
    {.kind = K::Frame, .name = "fraPeriodC", .parent = "tabColors", .left = 1965, .top = 1695, .width = 1785, .height = 1455, .caption = QT_TRANSLATE_NOOP("Design", "Period Color:")},
    {.kind = K::PictureBox, .name = "picPeriodC", .parent = "fraPeriodC", .left = 165, .top = 300, .width = 690, .height = 690, .border = true},
    {.kind = K::CommandButton, .name = "cmdPeriodC", .parent = "fraPeriodC", .left = 975, .top = 457, .width = 660, .height = 375, .caption = QT_TRANSLATE_NOOP("Design", "Change")},
    {.kind = K::Frame, .name = "fraHomeC", .parent = "tabColors", .left = 3810, .top = 1695, .width = 1785, .height = 1455, .caption = QT_TRANSLATE_NOOP("Design", "Home Color:")},
    {.kind = K::PictureBox, .name = "picHomeC", .parent = "fraHomeC", .left = 165, .top = 300, .width = 690, .height = 690, .border = true},
    {.kind = K::CommandButton, .name = "cmdHomeC", .parent = "fraHomeC", .left = 975, .top = 457, .width = 660, .height = 375, .caption = QT_TRANSLATE_NOOP("Design", "Change")},
    {.kind = K::Frame, .name = "fraLEDB", .parent = "tabColors", .left = 120, .top = 3270, .width = 1785, .height = 1455, .caption = QT_TRANSLATE_NOOP("Design", "LED Background:")},
    {.kind = K::PictureBox, .name = "picLEDB", .parent = "fraLEDB", .left = 165, .top = 300, .width = 690, .height = 690, .border = true},
    {.kind = K::CommandButton, .name = "cmdLEDB", .parent = "fraLEDB", .left = 975, .top = 457, .width = 660, .height = 375, .caption = QT_TRANSLATE_NOOP("Design", "Change")},
    {.kind = K::Frame, .name = "fraLedSelected", .parent = "tabColors", .left = 1965, .top = 3270, .width = 1785, .height = 1455, .caption = QT_TRANSLATE_NOOP("Design", "LED Selected")},
    {.kind = K::PictureBox, .name = "picLedSelected", .parent = "fraLedSelected", .left = 165, .top = 300, .width = 690, .height = 690, .border = true},
    {.kind = K::CommandButton, .name = "cmdLedSelected", .parent = "fraLedSelected", .left = 975, .top = 457, .width = 660, .height = 375, .caption = QT_TRANSLATE_NOOP("Design", "Change")},
    {.kind = K::Label, .name = "lblLEDSelectedWidth", .parent = "fraLedSelected", .left = 165, .top = 1110, .width = 525, .height = 255, .caption = QT_TRANSLATE_NOOP("Design", "Width:")},
    {.kind = K::Label, .name = "lblLEDSelectedWidthValue", .parent = "fraLedSelected", .left = 720, .top = 1080, .width = 375, .height = 255, .align = A::Center, .border = true, .backColor = White},
    {.kind = K::HScrollBar, .name = "scrLEDSelectedWidth", .parent = "fraLedSelected", .left = 1125, .top = 1080, .width = 255, .height = 255},
    {.kind = K::Frame, .name = "fraVisitorC", .parent = "tabColors", .left = 3810, .top = 3270, .width = 1785, .height = 1455, .caption = QT_TRANSLATE_NOOP("Design", "Visitor Color:")},
    {.kind = K::PictureBox, .name = "picVisitorC", .parent = "fraVisitorC", .left = 165, .top = 300, .width = 690, .height = 690, .border = true},
    {.kind = K::CommandButton, .name = "cmdVisitorC", .parent = "fraVisitorC", .left = 975, .top = 457, .width = 660, .height = 375, .caption = QT_TRANSLATE_NOOP("Design", "Change")},
    {.kind = K::CommandButton, .name = "cmdResetColors", .parent = "tabColors", .left = 3810, .top = 4920, .width = 1785, .height = 375, .caption = QT_TRANSLATE_NOOP("Design", "Reset Colors")},

    // Text Controls: the two team names and the board's caption line.
    {.kind = K::Frame, .name = "fraHomeName", .parent = "tabText", .left = 120, .top = 120, .width = 5475, .height = 1035, .caption = QT_TRANSLATE_NOOP("Design", "Home Name:")},
    {.kind = K::TextBox, .name = "txtHomeText", .parent = "fraHomeName", .left = 240, .top = 330, .width = 4995, .height = 495, .caption = QT_TRANSLATE_NOOP("Design", "Home"), .font = "Arial", .fontSize = 15.75},
    {.kind = K::Frame, .name = "fraVisitorName", .parent = "tabText", .left = 120, .top = 1320, .width = 5475, .height = 1035, .caption = QT_TRANSLATE_NOOP("Design", "Visitor Name:")},
    {.kind = K::TextBox, .name = "txtVisitorText", .parent = "fraVisitorName", .left = 240, .top = 330, .width = 4995, .height = 495, .caption = QT_TRANSLATE_NOOP("Design", "Visitor"), .font = "Arial", .fontSize = 15.75},
    {.kind = K::Frame, .name = "fraBoardCaption", .parent = "tabText", .left = 120, .top = 2520, .width = 5475, .height = 1035, .caption = QT_TRANSLATE_NOOP("Design", "Board Caption:")},
    {.kind = K::TextBox, .name = "txtBoardCaption", .parent = "fraBoardCaption", .left = 240, .top = 330, .width = 4995, .height = 495, .font = "Arial", .fontSize = 15.75},

    // Pictures: three previews, and the digit style with its preview digit.
    {.kind = K::Frame, .name = "fraHomePic", .parent = "tabPictures", .left = 120, .top = 120, .width = 1785, .height = 2535, .caption = QT_TRANSLATE_NOOP("Design", "Home Picture")},
    {.kind = K::PictureBox, .name = "picHomePicPreviewCon", .parent = "fraHomePic", .left = 285, .top = 300, .width = 1215, .height = 1215, .border = true},
    {.kind = K::Image, .name = "imgHomePicPreview", .parent = "picHomePicPreviewCon", .left = 0, .top = 0, .width = 1215, .height = 1215, .stretch = true},
    {.kind = K::CommandButton, .name = "cmdChangeHomePic", .parent = "fraHomePic", .left = 285, .top = 1635, .width = 1215, .height = 345, .caption = QT_TRANSLATE_NOOP("Design", "Change")},
    {.kind = K::CommandButton, .name = "cmdClearHomePic", .parent = "fraHomePic", .left = 285, .top = 2055, .width = 1215, .height = 345, .caption = QT_TRANSLATE_NOOP("Design", "Clear")},
    {.kind = K::Frame, .name = "fraVisitorPic", .parent = "tabPictures", .left = 1965, .top = 120, .width = 1785, .height = 2535, .caption = QT_TRANSLATE_NOOP("Design", "Visitor Picture")},
    {.kind = K::PictureBox, .name = "picVisitorPicPreviewCon", .parent = "fraVisitorPic", .left = 285, .top = 300, .width = 1215, .height = 1215, .border = true},
    {.kind = K::Image, .name = "imgVisitorPicPreview", .parent = "picVisitorPicPreviewCon", .left = 0, .top = 0, .width = 1215, .height = 1215, .stretch = true},
    {.kind = K::CommandButton, .name = "cmdChangeVisitorPic", .parent = "fraVisitorPic", .left = 285, .top = 1635, .width = 1215, .height = 345, .caption = QT_TRANSLATE_NOOP("Design", "Change")},
    {.kind = K::CommandButton, .name = "cmdClearVisitorPic", .parent = "fraVisitorPic", .left = 285, .top = 2055, .width = 1215, .height = 345, .caption = QT_TRANSLATE_NOOP("Design", "Clear")},
    {.kind = K::Frame, .name = "fraBoardPic", .parent = "tabPictures", .left = 3810, .top = 120, .width = 1785, .height = 2535, .caption = QT_TRANSLATE_NOOP("Design", "Scoreboard Picture")},
    {.kind = K::PictureBox, .name = "picBoardPicPreviewCon", .parent = "fraBoardPic", .left = 285, .top = 300, .width = 1215, .height = 1215, .border = true},
    {.kind = K::Image, .name = "imgBoardPicPreview", .parent = "picBoardPicPreviewCon", .left = 0, .top = 0, .width = 1215, .height = 1215, .stretch = true},
    {.kind = K::CommandButton, .name = "cmdChangeBoardPic", .parent = "fraBoardPic", .left = 285, .top = 1635, .width = 1215, .height = 345, .caption = QT_TRANSLATE_NOOP("Design", "Change")},
    {.kind = K::CommandButton, .name = "cmdClearBoardPic", .parent = "fraBoardPic", .left = 285, .top = 2055, .width = 1215, .height = 345, .caption = QT_TRANSLATE_NOOP("Design", "Clear")},
    {.kind = K::Frame, .name = "fraDigitType", .parent = "tabPictures", .left = 120, .top = 2820, .width = 5475, .height = 1455, .caption = QT_TRANSLATE_NOOP("Design", "Digit Type:")},
    //: The list's entries, separated by "|".
    {.kind = K::ComboBox, .name = "cmbLedType", .parent = "fraDigitType", .left = 240, .top = 480, .width = 1695, .height = 315, .caption = QT_TRANSLATE_NOOP("Design", "Lines|Dots")},
    {.kind = K::Label, .name = "lblPreview", .parent = "fraDigitType", .left = 2400, .top = 510, .width = 735, .height = 255, .caption = QT_TRANSLATE_NOOP("Design", "Preview:")},
    {.kind = K::PolyLED, .name = "pledPreview", .parent = "fraDigitType", .left = 3240, .top = 300, .ledSize = 65, .digit = 8},

    // Remote: remote control on or off, the periods of regular time, the board's name, and the
    // remote token with the control page's address as a QR code for a phone.
    {.kind = K::CheckBox, .name = "chkAllowRemoteControl", .parent = "tabRemote", .left = 120, .top = 120, .width = 6225, .height = 285, .caption = QT_TRANSLATE_NOOP("Design", "Allow remote control")},
    {.kind = K::Frame, .name = "fraRegularPeriods", .parent = "tabRemote", .left = 120, .top = 480, .width = 2655, .height = 1455, .caption = QT_TRANSLATE_NOOP("Design", "Regular periods:")},
    {.kind = K::Label, .name = "lblRegularPeriodsValue", .parent = "fraRegularPeriods", .left = 165, .top = 330, .width = 375, .height = 255, .align = A::Center, .border = true, .backColor = White},
    {.kind = K::HScrollBar, .name = "scrRegularPeriods", .parent = "fraRegularPeriods", .left = 570, .top = 330, .width = 255, .height = 255},
    {.kind = K::Label, .name = "lblOvertime", .parent = "fraRegularPeriods", .left = 165, .top = 690, .width = 2370, .height = 435, .caption = QT_TRANSLATE_NOOP("Design", "The periods after these are overtime (OT)."), .wordWrap = true},
    {.kind = K::Frame, .name = "fraBoardName", .parent = "tabRemote", .left = 2835, .top = 480, .width = 2760, .height = 1455, .caption = QT_TRANSLATE_NOOP("Design", "Board name:")},
    {.kind = K::TextBox, .name = "txtBoardName", .parent = "fraBoardName", .left = 150, .top = 285, .width = 2460, .height = 315},
    {.kind = K::Label, .name = "lblBoardNameRule", .parent = "fraBoardName", .left = 150, .top = 660, .width = 2460, .height = 735, .caption = QT_TRANSLATE_NOOP("Design", "Letters, digits and '-' only; MQTT topics begin pucklight/<name>."), .wordWrap = true},
    {.kind = K::Frame, .name = "fraRemoteToken", .parent = "tabRemote", .left = 120, .top = 2040, .width = 5475, .height = 3615, .caption = QT_TRANSLATE_NOOP("Design", "Remote token:")},
    {.kind = K::Label, .name = "lblRemoteToken", .parent = "fraRemoteToken", .left = 150, .top = 285, .width = 5175, .height = 495, .wordWrap = true, .border = true, .backColor = White},
    {.kind = K::CommandButton, .name = "cmdNewToken", .parent = "fraRemoteToken", .left = 150, .top = 900, .width = 1815, .height = 345, .caption = QT_TRANSLATE_NOOP("Design", "New token")},
    {.kind = K::Label, .name = "lblControlPage", .parent = "fraRemoteToken", .left = 150, .top = 1365, .width = 2715, .height = 2115, .wordWrap = true},
    {.kind = K::Image, .name = "imgRemoteQr", .parent = "fraRemoteToken", .left = 3000, .top = 900, .width = 2325, .height = 2580},

    // MQTT: the broker the game is published to, the topics' prefix, the credentials and CA
    // files, whether commands are taken from there; below, why what is typed cannot be used.
    {.kind = K::Label, .name = "lblMqttIntro", .parent = "tabMqtt", .left = 120, .top = 120, .width = 6225, .height = 495, .caption = QT_TRANSLATE_NOOP("Design", "Publish the game to an MQTT broker, for screens and displays elsewhere. No broker when empty."), .wordWrap = true},
    {.kind = K::Frame, .name = "fraMqttBroker", .parent = "tabMqtt", .left = 120, .top = 660, .width = 6225, .height = 975, .caption = QT_TRANSLATE_NOOP("Design", "Broker:")},
    {.kind = K::TextBox, .name = "txtMqttBroker", .parent = "fraMqttBroker", .left = 150, .top = 285, .width = 5925, .height = 315},
    {.kind = K::Label, .name = "lblMqttBrokerRule", .parent = "fraMqttBroker", .left = 150, .top = 645, .width = 5925, .height = 255, .caption = QT_TRANSLATE_NOOP("Design", "mqtt://HOST[:PORT], or mqtts://HOST[:PORT] over TLS")},
    {.kind = K::Frame, .name = "fraMqttTopic", .parent = "tabMqtt", .left = 120, .top = 1695, .width = 6225, .height = 975, .caption = QT_TRANSLATE_NOOP("Design", "Topic prefix:")},
    {.kind = K::TextBox, .name = "txtMqttTopic", .parent = "fraMqttTopic", .left = 150, .top = 285, .width = 5925, .height = 315},
    {.kind = K::Label, .name = "lblMqttTopicRule", .parent = "fraMqttTopic", .left = 150, .top = 645, .width = 5925, .height = 255, .caption = QT_TRANSLATE_NOOP("Design", "Empty: pucklight/<board name>, the name on the Remote page")},
    {.kind = K::Frame, .name = "fraMqttCredentials", .parent = "tabMqtt", .left = 120, .top = 2730, .width = 6225, .height = 975, .caption = QT_TRANSLATE_NOOP("Design", "Credentials file:")},
    {.kind = K::TextBox, .name = "txtMqttCredentials", .parent = "fraMqttCredentials", .left = 150, .top = 285, .width = 5925, .height = 315},
    {.kind = K::Label, .name = "lblMqttCredentialsRule", .parent = "fraMqttCredentials", .left = 150, .top = 645, .width = 5925, .height = 255, .caption = QT_TRANSLATE_NOOP("Design", "One line user:password, readable by you alone. Empty: none")},
    {.kind = K::Frame, .name = "fraMqttCaFile", .parent = "tabMqtt", .left = 120, .top = 3765, .width = 6225, .height = 975, .caption = QT_TRANSLATE_NOOP("Design", "CA file (mqtts):")},
    {.kind = K::TextBox, .name = "txtMqttCaFile", .parent = "fraMqttCaFile", .left = 150, .top = 285, .width = 5925, .height = 315},
    {.kind = K::Label, .name = "lblMqttCaFileRule", .parent = "fraMqttCaFile", .left = 150, .top = 645, .width = 5925, .height = 255, .caption = QT_TRANSLATE_NOOP("Design", "Empty: the system's certificate authorities")},
    {.kind = K::CheckBox, .name = "chkMqttControl", .parent = "tabMqtt", .left = 120, .top = 4860, .width = 6225, .height = 285, .caption = QT_TRANSLATE_NOOP("Design", "Take commands with the remote token on PREFIX/command")},
    {.kind = K::Label, .name = "lblMqttProblem", .parent = "tabMqtt", .left = 120, .top = 5220, .width = 6225, .height = 495, .wordWrap = true, .foreColor = Red},

    // Below the dialog's visible area: the labels that measure the team names.
    {.kind = K::Label, .name = "lblHomePreview", .left = 120, .top = 7200, .width = 1335, .height = 555, .caption = QT_TRANSLATE_NOOP("Design", "Home"), .font = "Arial", .fontSize = 24, .bold = true, .autoSize = true},
    {.kind = K::Label, .name = "lblVisitorPreview", .left = 120, .top = 8160, .width = 1545, .height = 555, .caption = QT_TRANSLATE_NOOP("Design", "Visitor"), .font = "Arial", .fontSize = 24, .bold = true, .autoSize = true},

    {.kind = K::CommandButton, .name = "cmdOk", .left = 4575, .top = 6540, .width = 1215, .height = 375, .caption = QT_TRANSLATE_NOOP("Design", "&Ok")},
    {.kind = K::CommandButton, .name = "cmdCancel", .left = 5895, .top = 6540, .width = 1215, .height = 375, .caption = QT_TRANSLATE_NOOP("Design", "&Cancel")},
};

constexpr DesignRow ChooseKey[] = {
    {.kind = K::Label, .name = "lblChoose", .left = 120, .top = 120, .width = 4335, .height = 1260, .font = "Times New Roman", .fontSize = 18, .wordWrap = true},
    {.kind = K::Label, .name = "lblUsed", .left = 60, .top = 1440, .width = 4575, .height = 1275,
     .caption = QT_TRANSLATE_NOOP("Design", "This is not a valid key, please choose another or close this window to return."),
     .font = "Arial", .fontSize = 18, .align = A::Center, .wordWrap = true, .foreColor = Red, .visible = false},
};
// clang-format on

} // namespace

std::span<const DesignRow> optionsDesign()
{
    return Options;
}

std::span<const DesignRow> chooseKeyDesign()
{
    return ChooseKey;
}

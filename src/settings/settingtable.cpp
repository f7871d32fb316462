// SPDX-License-Identifier: GPL-3.0-or-later
#include "settingtable.h"

#include <algorithm>

namespace {

using S = SettingRow::Section;
using R = SettingRow::Reset;
using C = SettingRow::ControlKind;
using V = SettingVariables;

//: A file filter: a description, "|", the patterns. Only the description is translated.
constexpr const char* SoundFilter = QT_TRANSLATE_NOOP("frmOptions", "Sounds *.wav|*.wav");
//: A file filter: a description, "|", the patterns. Only the description is translated.
constexpr const char* PictureFilter =
    QT_TRANSLATE_NOOP("frmOptions", "Pictures (*.bmp;*.gif;*.jpg;*.png)|*.bmp;*.gif;*.jpg;*.png");

// The team names' boxes take 20 characters; the marker reaches 5 pixels beyond its field.
constexpr int NameBoxLength = 20;
constexpr int MaxMarkerWidth = 5;

// clang-format off
constexpr SettingRow Rows[] = {
    // The nine colours. "Reset Colors" gives each its default, the marker colour included
    // (dark grey, whatever the board's background).
    {.section = S::Color, .key = "TimeColor", .member = &V::TimeColor, .reset = R::Colors, .page = "tabColors", .control = C::Color, .name = "picTimeC", .button = "cmdTimeC"},
    {.section = S::Color, .key = "LEDBack", .member = &V::LEDBack, .reset = R::Colors, .page = "tabColors", .control = C::Color, .name = "picLEDB", .button = "cmdLEDB"},
    {.section = S::Color, .key = "ScoreColor", .member = &V::ScoreColor, .reset = R::Colors, .page = "tabColors", .control = C::Color, .name = "picScoreC", .button = "cmdScoreC"},
    {.section = S::Color, .key = "PeriodColor", .member = &V::PeriodColor, .reset = R::Colors, .page = "tabColors", .control = C::Color, .name = "picPeriodC", .button = "cmdPeriodC"},
    {.section = S::Color, .key = "FormBack", .member = &V::FormBack, .reset = R::Colors, .page = "tabColors", .control = C::Color, .name = "picBackC", .button = "cmdBackC"},
    {.section = S::Color, .key = "LEDSelected", .member = &V::LEDSelected, .reset = R::Colors, .page = "tabColors", .control = C::Color, .name = "picLedSelected", .button = "cmdLedSelected"},
    {.section = S::Color, .key = "BorderColor", .member = &V::BorderColor, .reset = R::Colors, .page = "tabColors", .control = C::Color, .name = "picBorderC", .button = "cmdBorderC"},
    {.section = S::Color, .key = "HomeColor", .member = &V::HomeColor, .reset = R::Colors, .page = "tabColors", .control = C::Color, .name = "picHomeC", .button = "cmdHomeC"},
    {.section = S::Color, .key = "VisitorColor", .member = &V::VisitorColor, .reset = R::Colors, .page = "tabColors", .control = C::Color, .name = "picVisitorC", .button = "cmdVisitorC"},
    {.section = S::Color, .key = "LEDSelectedWidth", .member = &V::LEDSelectedWidth, .reset = R::Colors, .page = "tabColors", .control = C::Number, .name = "lblLEDSelectedWidthValue", .button = "scrLEDSelectedWidth", .high = MaxMarkerWidth},

    // The seven command keys.
    {.section = S::Key, .key = "StartStopClockKey", .member = &V::StartStopClockKey, .reset = R::Keys, .page = "tabKeyboard", .control = C::Key, .name = "lblStartStopClock", .button = "cmdStartStopClock", .prompt = QT_TRANSLATE_NOOP("frmOptions", "start / stop the clock")},
    {.section = S::Key, .key = "ResetClockKey", .member = &V::ResetClockKey, .reset = R::Keys, .page = "tabKeyboard", .control = C::Key, .name = "lblResetClock", .button = "cmdResetClock", .prompt = QT_TRANSLATE_NOOP("frmOptions", "reset the clock")},
    {.section = S::Key, .key = "ClearKey", .member = &V::ClearKey, .reset = R::Keys, .page = "tabKeyboard", .control = C::Key, .name = "lblClear", .button = "cmdClearKey", .prompt = QT_TRANSLATE_NOOP("frmOptions", "clear a number")},
    // "Reset Keys" leaves the clock switch key as it is.
    {.section = S::Key, .key = "ClockSwitchKey", .member = &V::ClockSwitchKey, .page = "tabKeyboard", .control = C::Key, .name = "lblClockSwitch", .button = "cmdClockSwitch", .prompt = QT_TRANSLATE_NOOP("frmOptions", "switch between clock and game time")},
    {.section = S::Key, .key = "SepTimeKey", .member = &V::SepTimeKey, .reset = R::Keys, .page = "tabKeyboard", .control = C::Key, .name = "lblSepTime", .button = "cmdSepTime", .prompt = QT_TRANSLATE_NOOP("frmOptions", "start / stop an independent penalty clock")},
    {.section = S::Key, .key = "BuzzerKey", .member = &V::BuzzerKey, .reset = R::Keys, .page = "tabKeyboard", .control = C::Key, .name = "lblBuzzer", .button = "cmdBuzzer", .prompt = QT_TRANSLATE_NOOP("frmOptions", "sound the buzzer")},
    {.section = S::Key, .key = "HornKey", .member = &V::HornKey, .reset = R::Keys, .page = "tabKeyboard", .control = C::Key, .name = "lblHorn", .button = "cmdHorn", .prompt = QT_TRANSLATE_NOOP("frmOptions", "sound the horn")},
    {.section = S::Key, .key = "BuzzerFile", .member = &V::BuzzerFile, .maxLength = MaxPathLength, .page = "tabKeyboard", .control = C::File, .name = "lblBFile", .button = "cmdBuzzerSound", .prompt = SoundFilter},
    {.section = S::Key, .key = "HornFile", .member = &V::HornFile, .maxLength = MaxPathLength, .page = "tabKeyboard", .control = C::File, .name = "lblHFile", .button = "cmdHornSound", .prompt = SoundFilter},
    // 0 normal, 1 keep NumLock on, 2 keep it off.
    {.section = S::Key, .key = "NumLockForce", .member = &V::NumLockForce, .reset = R::Keys, .page = "tabKeyboard", .control = C::Options, .name = "fraNumlock", .high = 2},

    // The team names, the size they are drawn at, and the board's caption line.
    {.section = S::Text, .key = "HomeText", .member = &V::HomeText, .maxLength = MaxNameLength, .page = "tabText", .control = C::Text, .name = "txtHomeText", .high = NameBoxLength},
    {.section = S::Text, .key = "VisitorText", .member = &V::VisitorText, .maxLength = MaxNameLength, .page = "tabText", .control = C::Text, .name = "txtVisitorText", .high = NameBoxLength},
    {.section = S::Text, .key = "TeamSize", .member = &V::TeamSize, .page = "tabText", .control = C::Computed},
    {.section = S::Text, .key = "BoardCaption", .member = &V::BoardCaption, .maxLength = MaxCaptionLength, .page = "tabText", .control = C::Text, .name = "txtBoardCaption", .high = MaxCaptionLength},

    // The pictures and the digit style (0 "Lines", 1 "Dots").
    {.section = S::Pic, .key = "HomePic", .member = &V::HomePic, .maxLength = MaxPathLength, .page = "tabPictures", .control = C::Picture, .name = "imgHomePicPreview", .button = "cmdChangeHomePic", .clear = "cmdClearHomePic", .prompt = PictureFilter},
    {.section = S::Pic, .key = "VisitorPic", .member = &V::VisitorPic, .maxLength = MaxPathLength, .page = "tabPictures", .control = C::Picture, .name = "imgVisitorPicPreview", .button = "cmdChangeVisitorPic", .clear = "cmdClearVisitorPic", .prompt = PictureFilter},
    {.section = S::Pic, .key = "BoardPic", .member = &V::BoardPic, .maxLength = MaxPathLength, .page = "tabPictures", .control = C::Picture, .name = "imgBoardPicPreview", .button = "cmdChangeBoardPic", .clear = "cmdClearBoardPic", .prompt = PictureFilter},
    {.section = S::Pic, .key = "LEDType", .member = &V::LEDType, .page = "tabPictures", .control = C::List, .name = "cmbLedType", .high = 1},

    // The Remote page: whether the server takes commands from holders of the remote token,
    // the periods of regular time (the overlay names the next one overtime), and the board's
    // name in the broker's topics. A stored name that could not be a topic level takes the
    // default rather than being cut to one; the dialog takes none that could not.
    {.section = S::Remote, .key = "AllowRemoteControl", .member = &V::AllowRemoteControl, .page = "tabRemote", .control = C::Check, .name = "chkAllowRemoteControl", .high = 1},
    {.section = S::Game, .key = "RegularPeriods", .member = &V::RegularPeriods, .page = "tabRemote", .control = C::Number, .name = "lblRegularPeriodsValue", .button = "scrRegularPeriods", .low = 1, .high = MostPeriods},
    {.section = S::Text, .key = "BoardName", .member = &V::BoardName, .valid = isBoardName, .page = "tabRemote", .control = C::Text, .name = "txtBoardName", .high = MaxBoardNameLength},
    // The MQTT page: the broker the game is published to, and how. What the broker's options
    // mean is checked where they are used, and by the dialog's OK.
    {.section = S::Remote, .key = "MqttBroker", .member = &V::MqttBroker, .maxLength = MaxBrokerUrlLength, .page = "tabMqtt", .control = C::Text, .name = "txtMqttBroker", .high = MaxBrokerUrlLength},
    {.section = S::Remote, .key = "MqttTopic", .member = &V::MqttTopic, .maxLength = MaxTopicPrefixLength, .page = "tabMqtt", .control = C::Text, .name = "txtMqttTopic", .high = MaxTopicPrefixLength},
    {.section = S::Remote, .key = "MqttCredentials", .member = &V::MqttCredentials, .maxLength = MaxPathLength, .page = "tabMqtt", .control = C::Text, .name = "txtMqttCredentials", .high = MaxPathLength},
    {.section = S::Remote, .key = "MqttCaFile", .member = &V::MqttCaFile, .maxLength = MaxPathLength, .page = "tabMqtt", .control = C::Text, .name = "txtMqttCaFile", .high = MaxPathLength},
    {.section = S::Remote, .key = "MqttControl", .member = &V::MqttControl, .page = "tabMqtt", .control = C::Check, .name = "chkMqttControl", .high = 1},
    // The operator's console opens with the board (any value but 0) or not.
    {.section = S::Key, .key = "OpenConsole", .member = &V::OpenConsole, .page = "tabKeyboard", .control = C::Check, .name = "chkOpenConsole", .high = 1},
};
// clang-format on

// What the options dialog takes for granted of a row: the names, range and prompt its control
// needs, and a variable it can show: a text in a text, file or picture control, a whole number
// in the others.
constexpr bool fitsItsControl(const SettingRow& r)
{
    const bool text = std::holds_alternative<QString V::*>(r.member);
    const bool int32 = std::holds_alternative<int32_t V::*>(r.member);
    const bool int16 = std::holds_alternative<int16_t V::*>(r.member);
    const bool boolean = std::holds_alternative<bool V::*>(r.member);
    const bool named = r.page && r.name;
    switch (r.control) {
    case C::None:
    case C::Computed:
        return true;
    case C::Color:
        return named && r.button && int32;
    case C::Key:
        return named && r.button && r.prompt && int16;
    case C::Options:
    case C::List:
        return named && (int32 || int16) && r.low <= r.high;
    case C::Check:
        return named && (int32 || int16 || boolean) && r.low != r.high;
    case C::Number:
        return named && r.button && (int32 || int16) && r.low <= r.high;
    case C::Text:
        return named && text && r.high > 0;
    case C::File:
        return named && text && r.button && r.prompt;
    case C::Picture:
        return named && text && r.button && r.clear && r.prompt;
    }
    return false;
}
static_assert(std::ranges::all_of(Rows, fitsItsControl));

} // namespace

const std::span<const SettingRow> SettingTable = Rows;

bool isBoardName(const QString& name)
{
    return !name.isEmpty() && name.size() <= MaxBoardNameLength &&
           std::all_of(name.begin(), name.end(), [](QChar c) {
               return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z') ||
                      (c >= u'0' && c <= u'9') || c == u'-';
           });
}

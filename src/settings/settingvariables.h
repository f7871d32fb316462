// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "fixed4.h"

#include <QCoreApplication>
#include <QString>
#include <cstdint>

// Every stored setting as the process-wide variable the rest of the program reads. Filled
// once by LoadSettings at start-up and changed afterwards only by OK in the options dialog.
struct SettingVariables
{
    // "ColorSettings": colours as red + 256 * green + 65536 * blue.
    int32_t TimeColor = 255;
    int32_t LEDBack = 0;
    int32_t ScoreColor = 33023;
    int32_t PeriodColor = 49152;
    int32_t FormBack = 4210752;
    int32_t LEDSelected = 4210752;
    int32_t BorderColor = 16777215;
    int32_t HomeColor = 16777215;
    int32_t VisitorColor = 16777215;
    int16_t LEDSelectedWidth = 0;
    // "KeySettings": key codes, the sound files and the NumLock mode.
    int16_t StartStopClockKey = 83;
    int16_t ResetClockKey = 82;
    int16_t ClearKey = 46;
    int16_t ClockSwitchKey = 67;
    int16_t SepTimeKey = 73;
    int16_t BuzzerKey = 66;
    int16_t HornKey = 71;
    QString BuzzerFile;
    QString HornFile;
    int32_t NumLockForce = 0;
    // "TextSettings".
    // The team names a new install starts with are in the user's language; once stored, a
    // name stays as it was stored.
    QString HomeText = QCoreApplication::translate("Settings", "Home");
    QString VisitorText = QCoreApplication::translate("Settings", "Visitor");
    Fixed4 TeamSize = Fixed4::whole(24);
    // The line of text the board shows between the goal lamps and the shots: a rink's or a
    // league's name. None by default.
    QString BoardCaption;
    // The board's name where other programs meet it (the broker's topics): letters, digits
    // and '-' only.
    QString BoardName = QStringLiteral("board");
    // "PicSettings".
    QString HomePic;
    QString VisitorPic;
    QString BoardPic;
    int16_t LEDType = 0;
    // "GameSettings": the periods of regular time, 1 to 9; the next is overtime. Another
    // stored value counts as the default (see regularPeriodsOf).
    int16_t RegularPeriods = 3;
    // "RemoteSettings": whether the server (--serve) takes commands from holders of the
    // remote token, as --remote-control asks for one run.
    bool AllowRemoteControl = false;
    // "RemoteSettings": the MQTT broker the game is published to, mqtt://HOST[:PORT] or
    // mqtts://HOST[:PORT] (none when empty); the topics' prefix (empty: pucklight/<BoardName>);
    // the file holding user:password (empty: none); the CA of an mqtts broker (empty: the
    // system's); and whether commands with the remote token are taken on PREFIX/command. The
    // command line's --mqtt takes the place of all five for its run.
    QString MqttBroker;
    QString MqttTopic;
    QString MqttCredentials;
    QString MqttCaFile;
    bool MqttControl = false;
    // "KeySettings": the operator's console opens with the board (1) or not (0).
    int16_t OpenConsole = 0;

    bool operator==(const SettingVariables&) const = default;
};

extern SettingVariables Settings;

// The most periods of regular time: the board's period is one digit.
inline constexpr int MostPeriods = 9;

// The periods of regular time the settings give: RegularPeriods when it is 1 to 9, else 3.
inline int regularPeriodsOf(const SettingVariables& s)
{
    return s.RegularPeriods >= 1 && s.RegularPeriods <= MostPeriods
               ? s.RegularPeriods
               : SettingVariables().RegularPeriods;
}

// The default sound paths: the program's folder and the file name.
QString defaultBuzzerFile();
QString defaultHornFile();

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "settingvariables.h"

// Every setting away from its default, so that a value loaded into the wrong place shows; the
// texts are awkward: backslashes, non-ASCII, commas, semicolons, "@" and surrounding blanks.
inline SettingVariables unusualSettings()
{
    SettingVariables v;
    v.TimeColor = 65280;
    v.LEDBack = 1;
    v.ScoreColor = 16711680;
    v.PeriodColor = 8421504;
    v.FormBack = 255;
    v.LEDSelected = 65535;
    v.BorderColor = 0;
    v.HomeColor = 12345;
    v.VisitorColor = 16777214;
    v.LEDSelectedWidth = 5;
    v.StartStopClockKey = 65;
    v.ResetClockKey = 90;
    v.ClearKey = 8;
    v.ClockSwitchKey = 114;
    v.SepTimeKey = 45;
    v.BuzzerKey = 192;
    v.HornKey = 222;
    v.BuzzerFile = QStringLiteral("C:\\Program Files\\Pucklight\\Summer\\buzzer 2.wav");
    v.HornFile = QStringLiteral("/home/jörg/Klänge/Horn; laut.wav");
    v.NumLockForce = 2;
    v.OpenConsole = 1;
    v.HomeText = QStringLiteral("Ässät, Pori");
    v.VisitorText = QStringLiteral("  @Tappara  ");
    v.TeamSize = Fixed4::parse(QStringLiteral("30.5")).value();
    v.BoardCaption = QStringLiteral("Ishallen \"Behrn\", Örebro; 1\\2");
    v.BoardName = QStringLiteral("Rink-2");
    v.HomePic = QStringLiteral("\\\\server\\logos\\Kärpät.gif");
    v.VisitorPic = QStringLiteral("D:\\Bilder\\\"quoted\".jpg");
    v.BoardPic = QStringLiteral("/srv/rink/board=1.bmp");
    v.LEDType = 1;
    v.RegularPeriods = 2;
    v.AllowRemoteControl = true;
    v.MqttBroker = QStringLiteral("mqtts://broker.rink:8884");
    v.MqttTopic = QStringLiteral("league/rink-2");
    v.MqttCredentials = QStringLiteral("/etc/pucklight/mqtt");
    v.MqttCaFile = QStringLiteral("/etc/ssl/rink-ca.pem");
    v.MqttControl = true;
    return v;
}

#pragma once

#include "settingvariables.h"

#include <QColor>
#include <QImage>
#include <QRect>
#include <QString>
#include <array>

struct DesignRow;

// What the scoreboard shows, as a spectator reads it. Digits are text: a space for a dark
// cell, '?' for a cell that shows no digit. Lamps are '1' lit, '0' dark, '?' neither.
struct BoardState
{
    QString clock = QStringLiteral("10:00"); // "20:00", "10.0", or a time of day like "9:05"
    QString home = QStringLiteral("0");      // scores, shots and period without dark cells
    QString visitor = QStringLiteral("0");
    QString shotsHome = QStringLiteral("0");
    QString period = QStringLiteral("0");
    QString shotsVisitor = QStringLiteral("0");
    std::array<QString, 4> players;                // penalty slots H1, H2, V1, V2
    std::array<QString, 4> times;                  // "1:59", or "" when the slot is clear
    QString penaltyLamps = QStringLiteral("0000"); // H1 H2 V1 V2
    QString goalLamps = QStringLiteral("00");      // home, visitor

    bool operator==(const BoardState&) const = default;
    QString toString() const;
};

// Reads the board from a picture of its client area, knowing only the board's design: where
// each digit cell, colon dot and lamp lies at the design size, scaled to the picture's size as
// the board scales itself (by the outer size, the client plus the design frame), and which
// colours the settings give lit and dark parts. A lit segment's middle is painted in exactly
// its lit colour and an unlit one in exactly the ghost colour, so the reader compares pixels
// for equality and calls anything else unreadable. A default BoardState is the board as it
// opens with default settings.
class BoardReader
{
public:
    BoardReader(const QImage& picture, const SettingVariables& colours);

    BoardState state() const;

private:
    // A digit row ("pledTime", "pledPenaltyTV1"...), left to right.
    QString row(const char* name) const;
    // The row's rectangle in the picture.
    QRect rectOf(const DesignRow& r) const;
    QChar digit(const DesignRow& r, const QColor& lit) const;
    // '1' when the shape's middle shows `lit`, '0' when it shows `dark`, else '?'.
    QChar lamp(const char* name, int index, const QColor& lit, const QColor& dark) const;

    QImage image;
    SettingVariables colours;
    double scaleX = 1;
    double scaleY = 1;
};

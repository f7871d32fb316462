#pragma once

#include "settingvariables.h"

#include <QColor>
#include <QImage>
#include <QRect>
#include <QString>

struct DesignRow;

// What the scoreboard shows, as a spectator reads it. Digits are text: a space for a dark
// cell, '?' for a cell that shows no digit. Lamps are '1' lit, '0' dark, '?' neither.
struct BoardState
{
    QString clock; // "20:00", "10.0", or a time of day such as "9:05"
    QString home;  // scores, shots and period without their dark leading cells
    QString visitor;
    QString shotsHome;
    QString period;
    QString shotsVisitor;
    QString players[4];   // penalty slots H1, H2, V1, V2
    QString times[4];     // "1:59", or "" when the slot is clear
    QString penaltyLamps; // H1 H2 V1 V2
    QString goalLamps;    // home, visitor

    bool operator==(const BoardState&) const = default;
    QString toString() const;
};

// Reads the board from a picture of its client area, knowing only the board's design: where
// each digit cell, colon dot and lamp lies at the design size, scaled to the picture's size as
// the board scales itself (by the outer size, the client plus the design frame), and which
// colours the settings give lit and dark parts. A lit segment's middle is painted in exactly
// its lit colour and an unlit one in exactly the ghost colour, so the reader compares pixels
// for equality and calls anything else unreadable.
class BoardReader
{
public:
    BoardReader(const QImage& picture, const SettingVariables& colours);

    BoardState state() const;

    // A digit row, left to right ("pledTime", "pledPenaltyTV1"...).
    QString row(const char* name) const;
    QString clock() const;
    // A penalty time row ("pledPenaltyTH1"...) as minutes:seconds, "" when dark.
    QString penaltyTime(const char* name) const;
    // '1' when the shape's middle shows `lit`, '0' when it shows `dark`, else '?'.
    QChar lamp(const char* name, int index, const QColor& lit, const QColor& dark) const;
    // The colour in the middle of a shape.
    QColor middleOf(const char* name, int index = -1) const;

private:
    // The row's rectangle in the picture, and the rectangle its container clips it to.
    QRect rectOf(const DesignRow& r) const;
    QRect clipOf(const DesignRow& r) const;
    QChar digit(const DesignRow& r, const QColor& lit) const;
    QColor litColourOf(const char* rowName) const;

    QImage image;
    SettingVariables colours;
    double scaleX = 1;
    double scaleY = 1;
};

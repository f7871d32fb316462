#pragma once

#include <QImage>
#include <QString>
#include <array>

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

// Reads the board from a picture of its client area at its design size, knowing only the
// board's design and its default colours: a lit segment's or lamp's middle is exactly its lit
// colour, an unlit one exactly the ghost or board colour, anything else is unreadable.
BoardState readBoard(const QImage& picture);

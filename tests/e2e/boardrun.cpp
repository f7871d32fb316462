// SPDX-License-Identifier: GPL-3.0-or-later
#include "boardrun.h"

#include "colors.h"
#include "design.h"
#include "polyled.h"
#include "settingvariables.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QtMath>
#include <algorithm>
#include <cstring>
#include <vector>

namespace {

// A digit cell is this share of its size wide, and its size in pixels high.
constexpr double CellWidthPerSize = 0.56;
// The seven-segment figures, segments a to g as bits 0 to 6.
constexpr int Figures[10] = {0x3F, 0x06, 0x5B, 0x4F, 0x66, 0x6D, 0x7D, 0x07, 0x7F, 0x6F};
constexpr const char* PenaltySlots[4] = {"H1", "H2", "V1", "V2"};

// The design's rows of this name, left to right; of one index only when index >= 0.
std::vector<const DesignRow*> rowsNamed(const char* name, int index = -1)
{
    std::vector<const DesignRow*> rows;
    for (const DesignRow& r : boardDesign())
        if (std::strcmp(r.name, name) == 0 && (index < 0 || r.index == index))
            rows.push_back(&r);
    std::sort(rows.begin(), rows.end(),
              [](const DesignRow* a, const DesignRow* b) { return a->left < b->left; });
    return rows;
}

struct Reader
{
    const QImage& image;
    const SettingVariables colours{};

    // The row's rectangle in the picture, edges rounded as the board rounds its controls'.
    QRect rectOf(const DesignRow& r) const
    {
        QPoint origin;
        if (r.parent)
            for (const DesignRow* p : rowsNamed(r.parent))
                origin = rectOf(*p).topLeft();
        const double size = r.ledSize * twips::PerPixel;
        const bool led = r.kind == DesignRow::Kind::PolyLED;
        const double w = led ? size * CellWidthPerSize : r.width;
        const double h = led ? size : r.height;
        const int x = twips::toPixels(r.left);
        const int y = twips::toPixels(r.top);
        return QRect(x, y, twips::toPixels(r.left + w) - x, twips::toPixels(r.top + h) - y)
            .translated(origin);
    }

    QChar digit(const DesignRow& r, const QColor& lit) const
    {
        const QRect cell = rectOf(r);
        // The container clips the cell, as a score's hundreds cell partly is.
        QRect clip = image.rect();
        if (r.parent)
            for (const DesignRow* p : rowsNamed(r.parent))
                clip &= rectOf(*p);
        const QColor ghost = PolyLED::ghostColor(lit, toQColor(colours.LEDBack));
        const auto centres = PolyLED::segmentCentres(QSizeF(cell.size()));
        int litMask = 0;
        int visibleMask = 0;
        for (size_t i = 0; i < centres.size(); ++i) {
            const QPoint p =
                cell.topLeft() + QPoint(qFloor(centres[i].x()), qFloor(centres[i].y()));
            if (!clip.contains(p))
                continue;
            visibleMask |= 1 << i;
            const QColor c = image.pixelColor(p);
            if (c == lit)
                litMask |= 1 << i;
            else if (c != ghost)
                return QLatin1Char('?');
        }
        if (litMask == 0)
            return QLatin1Char(' ');
        // A hundreds cell that shows only its right-hand segments shows a 1.
        for (const int d : {1, 0, 2, 3, 4, 5, 6, 7, 8, 9})
            if ((Figures[d] & visibleMask) == litMask)
                return QChar(u'0' + d);
        return QLatin1Char('?');
    }

    // A digit row ("pledTime", "pledPenaltyTV1"...), left to right.
    QString row(const QByteArray& name) const
    {
        const bool time = name == "pledTime" || name.startsWith("pledPenaltyT");
        const QColor lit = toQColor(time                   ? colours.TimeColor
                                    : name == "pledPeriod" ? colours.PeriodColor
                                                           : colours.ScoreColor);
        QString text;
        for (const DesignRow* c : rowsNamed(name.constData()))
            text += digit(*c, lit);
        return text;
    }

    // '1' when the shape's middle shows `lit`, '0' when it shows `dark`, else '?'.
    QChar lamp(const char* name, int index, const QColor& lit, const QColor& dark) const
    {
        const QRect r = rectOf(*rowsNamed(name, index).front());
        const QPoint middle(r.left() + r.width() / 2, r.top() + r.height() / 2);
        const QColor c = image.rect().contains(middle) ? image.pixelColor(middle) : QColor();
        return c == lit ? QLatin1Char('1') : (c == dark ? QLatin1Char('0') : QLatin1Char('?'));
    }
};

} // namespace

QString BoardState::toString() const
{
    QString penalties;
    for (int i = 0; i < 4; ++i)
        penalties += QStringLiteral(" %1=%2/%3").arg(PenaltySlots[i], players[i], times[i]);
    return QStringLiteral("clock=%1 home=%2 visitor=%3 shots=%4/%5 period=%6%7 lamps=%8/%9")
        .arg(clock, home, visitor, shotsHome, shotsVisitor, period, penalties, penaltyLamps,
             goalLamps);
}

BoardState readBoard(const QImage& picture)
{
    const Reader r{picture};
    const SettingVariables& colours = r.colours;
    const auto number = [&](const QByteArray& name) {
        return r.row(name).remove(QLatin1Char(' '));
    };
    BoardState s;
    // The upper dot of the clock is lit for minutes:seconds and dark for seconds.tenths; the
    // lower one stays lit as the colon's foot or the point.
    const QString d = r.row("pledTime");
    const QChar upper =
        r.lamp("shpClockDots", 0, toQColor(colours.BorderColor), toQColor(colours.LEDBack));
    s.clock = d.size() != 4 || upper == QLatin1Char('?')
                  ? QStringLiteral("?")
                  : (d.left(2) + (upper == QLatin1Char('1') ? ':' : '.') + d.mid(2)).trimmed();
    s.home = number("pledHome");
    s.visitor = number("pledVisitor");
    s.shotsHome = number("pledSOGH");
    s.period = number("pledPeriod");
    s.shotsVisitor = number("pledSOGV");
    const QColor lit = toQColor(colours.ScoreColor);
    const QColor dark = toQColor(colours.FormBack);
    s.penaltyLamps.clear();
    for (int i = 0; i < 4; ++i) {
        s.players[i] = number(QByteArray("pledPenaltyP") + PenaltySlots[i]);
        const QString t = r.row(QByteArray("pledPenaltyT") + PenaltySlots[i]);
        s.times[i] = t.trimmed().isEmpty() ? QString() : t.left(1) + ':' + t.mid(1);
        // Lamp 0 of a team belongs to its first slot.
        s.penaltyLamps += r.lamp(i < 2 ? "shpPenaltyH" : "shpPenaltyV", i % 2, lit, dark);
    }
    s.goalLamps = QString(r.lamp("shpGoalH", -1, lit, dark)) + r.lamp("shpGoalV", -1, lit, dark);
    return s;
}

QString BoardRun::feedReading(const QString& folder, bool counting)
{
    QFile file(folder + QStringLiteral("/state.json"));
    if (!file.open(QIODevice::ReadOnly))
        return QStringLiteral("(no state.json)");
    const QJsonObject json = QJsonDocument::fromJson(file.readAll()).object();
    const QJsonObject clock = json[QLatin1String("clock")].toObject();
    BoardState s;
    const bool asShown = clock[QLatin1String("mode")] == QLatin1String("game") &&
                         clock[QLatin1String("running")].toBool() == counting;
    s.clock = asShown ? clock[QLatin1String("text")].toString() : QStringLiteral("?");
    s.period = json[QLatin1String("period")].toString();
    s.penaltyLamps.clear();
    s.goalLamps.clear();
    int slot = 0;
    for (const char* name : {"home", "visitor"}) {
        const QJsonObject team = json[QLatin1String(name)].toObject();
        (slot == 0 ? s.home : s.visitor) = team[QLatin1String("score")].toString();
        (slot == 0 ? s.shotsHome : s.shotsVisitor) = team[QLatin1String("shots")].toString();
        s.goalLamps += team[QLatin1String("goalLamp")].toBool() ? '1' : '0';
        for (const QJsonValue& v : team[QLatin1String("penalties")].toArray()) {
            const QJsonObject p = v.toObject();
            s.players[size_t(slot)] = p[QLatin1String("player")].toString();
            s.times[size_t(slot)] = p[QLatin1String("time")].toString();
            s.penaltyLamps += p[QLatin1String("lamp")].toBool() ? '1' : '0';
            ++slot;
        }
    }
    return s.toString();
}

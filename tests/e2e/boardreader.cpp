#include "boardreader.h"

#include "boarddesign.h"
#include "colors.h"
#include "design.h"
#include "polyled.h"
#include "twips.h"

#include <QtMath>
#include <algorithm>
#include <array>
#include <cstring>
#include <vector>

namespace {

// A digit cell is this share of its size wide, and its size in pixels high.
constexpr double CellWidthPerSize = 0.56;

// The seven-segment figures, segments a to g as bits 0 to 6.
constexpr std::array<int, 10> Figures = {0x3F, 0x06, 0x5B, 0x4F, 0x66,
                                         0x6D, 0x7D, 0x07, 0x7F, 0x6F};

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

// Pixel edges of a span in twips, rounded the way the board rounds its controls' edges.
QRect pixelRect(double l, double t, double w, double h)
{
    const int x = twips::toPixels(l);
    const int y = twips::toPixels(t);
    return QRect(x, y, twips::toPixels(l + w) - x, twips::toPixels(t + h) - y);
}

QString withoutDarkCells(QString s)
{
    return s.remove(QLatin1Char(' '));
}

} // namespace

QString BoardState::toString() const
{
    QStringList penalties;
    for (int i = 0; i < 4; ++i)
        penalties
            << QStringLiteral("%1=%2/%3").arg(QLatin1String(PenaltySlots[i]), players[i], times[i]);
    return QStringLiteral("clock=%1 home=%2 visitor=%3 shots=%4/%5 period=%6 %7 "
                          "penaltyLamps=%8 goalLamps=%9")
        .arg(clock, home, visitor, shotsHome, shotsVisitor, period, penalties.join(' '),
             penaltyLamps, goalLamps);
}

BoardReader::BoardReader(const QImage& picture, const SettingVariables& settings)
    : image(picture), colours(settings)
{
    scaleX = (image.width() * twips::PerPixel + twips::FrameWidth) /
             (BoardClientWidth + twips::FrameWidth);
    scaleY = (image.height() * twips::PerPixel + twips::FrameHeight) /
             (BoardClientHeight + twips::FrameHeight);
}

QRect BoardReader::rectOf(const DesignRow& r) const
{
    QPoint origin;
    if (r.parent)
        for (const DesignRow* p : rowsNamed(r.parent))
            origin = rectOf(*p).topLeft();
    const double l = scaleX * r.left;
    const double t = scaleY * r.top;
    if (r.kind == DesignRow::Kind::PolyLED) {
        const double size = std::max(1.0, scaleY * r.ledSize);
        return pixelRect(l, t, size * CellWidthPerSize * twips::PerPixel, size * twips::PerPixel)
            .translated(origin);
    }
    return pixelRect(l, t, std::max(1.0, scaleX * r.width), std::max(1.0, scaleY * r.height))
        .translated(origin);
}

QChar BoardReader::digit(const DesignRow& r, const QColor& lit) const
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
        const QPoint p = cell.topLeft() + QPoint(qFloor(centres[i].x()), qFloor(centres[i].y()));
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
    // Of the figures that look like this where the cell shows, the plainest one: a hundreds
    // cell that shows only its right-hand segments shows a 1.
    int best = -1;
    for (int d = 0; d < 10; ++d)
        if ((Figures[d] & visibleMask) == litMask &&
            (best < 0 ||
             qPopulationCount(quint32(Figures[d])) < qPopulationCount(quint32(Figures[best]))))
            best = d;
    return best < 0 ? QLatin1Char('?') : QChar(u'0' + best);
}

QString BoardReader::row(const char* name) const
{
    const QLatin1String n(name);
    const QColor lit =
        toQColor(n == QLatin1String("pledTime") || n.startsWith(QLatin1String("pledPenaltyT"))
                     ? colours.TimeColor
                 : n == QLatin1String("pledPeriod") ? colours.PeriodColor
                                                    : colours.ScoreColor);
    QString text;
    for (const DesignRow* c : rowsNamed(name))
        text += digit(*c, lit);
    return text;
}

QChar BoardReader::lamp(const char* name, int index, const QColor& lit, const QColor& dark) const
{
    const std::vector<const DesignRow*> rows = rowsNamed(name, index);
    const QRect r = rows.empty() ? QRect(-1, -1, 0, 0) : rectOf(*rows.front());
    const QPoint middle(r.left() + r.width() / 2, r.top() + r.height() / 2);
    const QColor c = image.rect().contains(middle) ? image.pixelColor(middle) : QColor();
    return c == lit ? QLatin1Char('1') : (c == dark ? QLatin1Char('0') : QLatin1Char('?'));
}

BoardState BoardReader::state() const
{
    BoardState s;
    // The upper dot of the clock is lit for minutes:seconds and dark for seconds.tenths; the
    // lower one stays lit as the colon's foot or the point.
    const QString d = row("pledTime");
    const QChar upper =
        lamp("shpClockDots", 0, toQColor(colours.BorderColor), toQColor(colours.LEDBack));
    s.clock = d.size() != 4 || upper == QLatin1Char('?')
                  ? QStringLiteral("?")
                  : (d.left(2) + (upper == QLatin1Char('1') ? ':' : '.') + d.mid(2)).trimmed();
    s.home = withoutDarkCells(row("pledHome"));
    s.visitor = withoutDarkCells(row("pledVisitor"));
    s.shotsHome = withoutDarkCells(row("pledSOGH"));
    s.period = withoutDarkCells(row("pledPeriod"));
    s.shotsVisitor = withoutDarkCells(row("pledSOGV"));
    const QColor lit = toQColor(colours.ScoreColor);
    const QColor dark = toQColor(colours.FormBack);
    for (int i = 0; i < 4; ++i) {
        const QByteArray slot(PenaltySlots[i]);
        s.players[i] = withoutDarkCells(row(("pledPenaltyP" + slot).constData()));
        const QString t = row(("pledPenaltyT" + slot).constData());
        s.times[i] = t.trimmed().isEmpty() ? QString() : t.left(1) + ':' + t.mid(1);
    }
    // Lamp 0 of a team belongs to its first slot.
    s.penaltyLamps = QString(lamp("shpPenaltyH", 0, lit, dark)) +
                     lamp("shpPenaltyH", 1, lit, dark) + lamp("shpPenaltyV", 0, lit, dark) +
                     lamp("shpPenaltyV", 1, lit, dark);
    s.goalLamps = QString(lamp("shpGoalH", -1, lit, dark)) + lamp("shpGoalV", -1, lit, dark);
    return s;
}

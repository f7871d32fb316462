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

const DesignRow* findRow(const char* name, int index = -1)
{
    for (const DesignRow& r : boardDesign())
        if (std::strcmp(r.name, name) == 0 && (index < 0 || r.index == index))
            return &r;
    return nullptr;
}

std::vector<const DesignRow*> rowsNamed(const char* name)
{
    std::vector<const DesignRow*> rows;
    for (const DesignRow& r : boardDesign())
        if (std::strcmp(r.name, name) == 0)
            rows.push_back(&r);
    return rows;
}

// Pixel edges of a span in twips, rounded the way the board rounds its controls' edges.
QRect pixelRect(double l, double t, double w, double h)
{
    const int x = twips::toPixels(l);
    const int y = twips::toPixels(t);
    return QRect(x, y, twips::toPixels(l + w) - x, twips::toPixels(t + h) - y);
}

QString withoutDarkCells(const QString& s)
{
    QString out = s;
    out.remove(QLatin1Char(' '));
    return out;
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
    // The board scales by its outer size, which is the client plus the design frame.
    const double designOuterWidth = BoardClientWidth + twips::FrameWidth;
    const double designOuterHeight = BoardClientHeight + twips::FrameHeight;
    scaleX = (image.width() * twips::PerPixel + twips::FrameWidth) / designOuterWidth;
    scaleY = (image.height() * twips::PerPixel + twips::FrameHeight) / designOuterHeight;
}

QRect BoardReader::rectOf(const DesignRow& r) const
{
    QPoint origin;
    if (r.parent)
        if (const DesignRow* p = findRow(r.parent))
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

QRect BoardReader::clipOf(const DesignRow& r) const
{
    const DesignRow* p = r.parent ? findRow(r.parent) : nullptr;
    return p ? rectOf(*p) : image.rect();
}

QColor BoardReader::litColourOf(const char* rowName) const
{
    const QLatin1String n(rowName);
    if (n == QLatin1String("pledTime") || n.startsWith(QLatin1String("pledPenaltyT")))
        return toQColor(colours.TimeColor);
    if (n == QLatin1String("pledPeriod"))
        return toQColor(colours.PeriodColor);
    return toQColor(colours.ScoreColor);
}

QChar BoardReader::digit(const DesignRow& r, const QColor& lit) const
{
    const QRect cell = rectOf(r);
    const QRect clip = clipOf(r) & image.rect();
    const QColor ghost = PolyLED::ghostColor(lit, toQColor(colours.LEDBack));
    const auto centres = PolyLED::segmentCentres(QSizeF(cell.size()));
    int litMask = 0;
    int visibleMask = 0;
    for (size_t i = 0; i < centres.size(); ++i) {
        const QPoint p = cell.topLeft() + QPoint(qFloor(centres[i].x()), qFloor(centres[i].y()));
        if (!clip.contains(p))
            continue; // hidden by the container, as a score's hundreds cell partly is
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
    for (int d = 0; d < 10; ++d) {
        if ((Figures[d] & visibleMask) != litMask)
            continue;
        if (best < 0 || qPopulationCount(static_cast<quint32>(Figures[d])) <
                            qPopulationCount(static_cast<quint32>(Figures[best])))
            best = d;
    }
    return best < 0 ? QLatin1Char('?') : QChar(u'0' + best);
}

QString BoardReader::row(const char* name) const
{
    std::vector<const DesignRow*> cells = rowsNamed(name);
    std::sort(cells.begin(), cells.end(),
              [](const DesignRow* a, const DesignRow* b) { return a->left < b->left; });
    const QColor lit = litColourOf(name);
    QString text;
    for (const DesignRow* c : cells)
        text += digit(*c, lit);
    return text;
}

QColor BoardReader::middleOf(const char* name, int index) const
{
    const DesignRow* r = findRow(name, index);
    if (!r)
        return QColor();
    const QRect rect = rectOf(*r);
    const QPoint middle(rect.left() + rect.width() / 2, rect.top() + rect.height() / 2);
    return image.rect().contains(middle) ? image.pixelColor(middle) : QColor();
}

QChar BoardReader::lamp(const char* name, int index, const QColor& lit, const QColor& dark) const
{
    const QColor c = middleOf(name, index);
    return c == lit ? QLatin1Char('1') : (c == dark ? QLatin1Char('0') : QLatin1Char('?'));
}

QString BoardReader::clock() const
{
    // The upper dot is lit for minutes:seconds and dark for seconds.tenths; the lower one
    // stays lit as the colon's foot or the point.
    const QString d = row("pledTime");
    const QChar upper = lamp("Shape2", 0, toQColor(colours.BorderColor), toQColor(colours.LEDBack));
    if (d.size() != 4 || upper == QLatin1Char('?'))
        return QStringLiteral("?");
    const QString separator = upper == QLatin1Char('1') ? QStringLiteral(":") : QStringLiteral(".");
    return (d.left(2) + separator + d.mid(2)).trimmed();
}

QString BoardReader::penaltyTime(const char* name) const
{
    const QString d = row(name);
    if (d.trimmed().isEmpty())
        return QString();
    return d.left(1) + QLatin1Char(':') + d.mid(1);
}

BoardState BoardReader::state() const
{
    BoardState s;
    s.clock = clock();
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
        s.times[i] = penaltyTime(("pledPenaltyT" + slot).constData());
    }
    // Lamp 0 of a team belongs to its first slot.
    s.penaltyLamps = QString(lamp("shpPenaltyH", 0, lit, dark)) +
                     lamp("shpPenaltyH", 1, lit, dark) + lamp("shpPenaltyV", 0, lit, dark) +
                     lamp("shpPenaltyV", 1, lit, dark);
    s.goalLamps = QString(lamp("shpGoalH", -1, lit, dark)) + lamp("shpGoalV", -1, lit, dark);
    return s;
}

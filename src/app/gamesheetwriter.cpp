// SPDX-License-Identifier: GPL-3.0-or-later
#include "gamesheetwriter.h"

#include "boardformat.h"
#include "gamefile.h"
#include "program.h"

#include <QAbstractTextDocumentLayout>
#include <QBuffer>
#include <QDir>
#include <QFileInfo>
#include <QFont>
#include <QPageLayout>
#include <QPainter>
#include <QPdfWriter>
#include <QTextDocument>
#include <QTextStream>
#include <functional>

namespace {

// Fine enough for print; the text is vector graphics whatever the figure.
constexpr int PdfResolution = 300;
constexpr double PageMarginMm = 15;
// Liberation Sans is installed with the program's fonts and measures as Arial does.
constexpr const char* SheetFont = "Liberation Sans";
constexpr int SheetPointSize = 10;

QString escaped(const QString& text)
{
    return text.toHtmlEscaped();
}

QString cell(const QString& text, const char* tag = "td")
{
    return QStringLiteral("<%1>%2</%1>").arg(QLatin1String(tag), text);
}

// A table across the page, with thin rules.
QString tableStart()
{
    return QStringLiteral("<table width=\"100%\" border=\"1\" cellspacing=\"0\" cellpadding=\"3\" "
                          "style=\"border-collapse: collapse; border-style: solid; "
                          "border-color: #a0a0a0;\">");
}

QString dash()
{
    return QStringLiteral("\u2013");
}

QString localTime(const QDateTime& t, const char* format)
{
    return t.toLocalTime().toString(QString::fromLatin1(format));
}

// A table of one number per team and period, with the total last.
QString byPeriodTable(const GameSheet& sheet,
                      const std::function<std::optional<int>(Team, int)>& in,
                      const std::function<std::optional<int>(Team)>& total)
{
    QString html = tableStart() + QStringLiteral("<tr><th align=\"left\">Team</th>");
    for (int period : sheet.periods)
        html += QStringLiteral("<th align=\"center\">%1</th>").arg(periodHeading(period));
    html += QStringLiteral("<th align=\"center\">Total</th></tr>");
    const auto number = [](std::optional<int> n) { return n ? QString::number(*n) : dash(); };
    for (Team t : Teams) {
        html += QStringLiteral("<tr><td align=\"left\">%1</td>").arg(escaped(sheet.name(t)));
        for (int period : sheet.periods)
            html += QStringLiteral("<td align=\"center\">%1</td>").arg(number(in(t, period)));
        html += QStringLiteral("<td align=\"center\"><b>%1</b></td></tr>").arg(number(total(t)));
    }
    return html + QStringLiteral("</table>");
}

// When and at what point of its period an event happened: the period, the clock as the board
// showed it, and the time the period had run.
QString whenCells(const SheetEvent& e)
{
    return cell(periodHeading(e.period)) + cell(gameTimeText(e.clock)) +
           cell(elapsedText(e.intoPeriod));
}

QString eventHeadings()
{
    return cell(QStringLiteral("Period"), "th") + cell(QStringLiteral("Clock"), "th") +
           cell(QStringLiteral("Into period"), "th");
}

QString goalsTable(const GameSheet& sheet)
{
    if (sheet.goals.empty())
        return QStringLiteral("<p>No goals.</p>");
    QString html = tableStart() + QStringLiteral("<tr>") + eventHeadings() +
                   cell(QStringLiteral("Team"), "th") + cell(QStringLiteral("Score"), "th") +
                   cell(QString(), "th") + QStringLiteral("</tr>");
    for (const SheetGoal& g : sheet.goals)
        html += QStringLiteral("<tr>") + whenCells(g) + cell(escaped(sheet.name(g.team))) +
                cell(QStringLiteral("%1%2%3").arg(g.score[0]).arg(dash()).arg(g.score[1])) +
                cell(g.scoreSet ? QStringLiteral("score set") : QString()) +
                QStringLiteral("</tr>");
    return html + QStringLiteral("</table>");
}

QString penaltiesTable(const GameSheet& sheet)
{
    if (sheet.penalties.empty())
        return QStringLiteral("<p>No penalties.</p>");
    QString html = tableStart() + QStringLiteral("<tr>") + eventHeadings() +
                   cell(QStringLiteral("Team"), "th") + cell(QStringLiteral("Player"), "th") +
                   cell(QStringLiteral("Minutes"), "th") + cell(QString(), "th") +
                   QStringLiteral("</tr>");
    for (const SheetPenalty& p : sheet.penalties) {
        const QString minutes = penaltyMinutes(p.length);
        html += QStringLiteral("<tr>") + whenCells(p) + cell(escaped(sheet.name(p.team))) +
                cell(p.player >= 0 ? QString::number(p.player) : dash()) +
                cell(minutes.isEmpty() ? dash() : minutes) +
                cell(p.waited ? QStringLiteral("waited for a slot") : QString()) +
                QStringLiteral("</tr>");
    }
    return html + QStringLiteral("</table>");
}

// A saved game's sheet, or the reason it cannot be read.
std::optional<gamejson::Loaded> readGame(const QString& path, QString& fault)
{
    const program::OwnFile file = program::readOwnFile(path, GameFile::MaxFileBytes + 1);
    switch (file.kind) {
    case program::OwnFile::Kind::Missing:
        fault = QStringLiteral("there is no saved game");
        return std::nullopt;
    case program::OwnFile::Kind::Link:
        fault = QStringLiteral("it is a link, which is never followed");
        return std::nullopt;
    case program::OwnFile::Kind::NotRegular:
        fault = QStringLiteral("it is not a file");
        return std::nullopt;
    case program::OwnFile::Kind::Unreadable:
        fault = file.error;
        return std::nullopt;
    case program::OwnFile::Kind::Read:
        break;
    }
    if (file.bytes.size() > GameFile::MaxFileBytes) {
        fault = QStringLiteral("it is larger than %1 bytes").arg(GameFile::MaxFileBytes);
        return std::nullopt;
    }
    return gamejson::fromBytes(file.bytes, &fault);
}

} // namespace

QString gameSheetHtml(const GameSheet& sheet)
{
    const auto score = [&](Team t) { return sheet.finalScore[static_cast<size_t>(t)]; };
    QString html =
        QStringLiteral("<html><head><style>"
                       "h1 { font-size: 20pt; margin-bottom: 2pt; }"
                       "h2 { font-size: 12pt; margin-top: 16pt; margin-bottom: 4pt; }"
                       "th { background-color: #e6ecf7; font-weight: bold; text-align: left; }"
                       "p.small { font-size: 8pt; color: #555555; }"
                       "</style></head><body>");
    html += QStringLiteral("<h1 align=\"center\">%1 &nbsp; %2 %3 %4 &nbsp; %5</h1>")
                .arg(escaped(sheet.name(Team::Home)))
                .arg(score(Team::Home))
                .arg(dash())
                .arg(score(Team::Visitor))
                .arg(escaped(sheet.name(Team::Visitor)));
    QString when = QStringLiteral("Game sheet");
    if (sheet.firstEvent.isValid())
        when += QStringLiteral(", %1 from %2 to %3")
                    .arg(localTime(sheet.firstEvent, "yyyy-MM-dd"),
                         localTime(sheet.firstEvent, "HH:mm"), localTime(sheet.lastEvent, "HH:mm"));
    html += QStringLiteral("<p align=\"center\">%1</p>").arg(when);

    html += QStringLiteral("<h2>Goals by period</h2>") +
            byPeriodTable(
                sheet, [&](Team t, int p) { return std::optional<int>(sheet.goalsIn(t, p)); },
                [&](Team t) { return std::optional<int>(sheet.goalCount(t)); });
    html += QStringLiteral("<h2>Shots on goal by period</h2>") +
            byPeriodTable(
                sheet, [&](Team t, int p) { return sheet.shotsIn(t, p); },
                [&](Team t) { return sheet.shotsTotal(t); });
    html += QStringLiteral("<h2>Goals</h2>") + goalsTable(sheet);
    html += QStringLiteral("<h2>Penalties</h2>") + penaltiesTable(sheet);

    QString notes = QStringLiteral(
        "Clock: the game clock as the board showed it. Into period: how long the period had "
        "run. Only what was not taken back with undo is listed.");
    if (!sheet.goalsComplete())
        notes += QStringLiteral(" <b>The goals listed do not add up to the final score</b> "
                                "(the record lacks the start of the game, or a score was changed "
                                "before it was kept).");
    notes += QStringLiteral(" Written by Pucklight %1.%2.%3")
                 .arg(program::VersionMajor)
                 .arg(program::VersionMinor)
                 .arg(program::VersionRevision);
    if (sheet.savedAt.isValid())
        notes += QStringLiteral(" from the game saved %1")
                     .arg(localTime(sheet.savedAt, "yyyy-MM-dd HH:mm:ss"));
    html += QStringLiteral("<p class=\"small\">%1.</p></body></html>").arg(notes);
    return html;
}

QByteArray gameSheetPdf(const GameSheet& sheet)
{
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&buffer);
        writer.setResolution(PdfResolution);
        writer.setPageLayout(
            QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                        QMarginsF(PageMarginMm, PageMarginMm, PageMarginMm, PageMarginMm),
                        QPageLayout::Millimeter));
        writer.setTitle(QStringLiteral("%1 %2 %3")
                            .arg(sheet.name(Team::Home), dash(), sheet.name(Team::Visitor)));
        writer.setCreator(QStringLiteral("Pucklight"));

        QTextDocument doc;
        doc.documentLayout()->setPaintDevice(&writer);
        doc.setDefaultFont(QFont(QLatin1String(SheetFont), SheetPointSize));
        doc.setDocumentMargin(0);
        doc.setHtml(gameSheetHtml(sheet));
        const QRectF page = writer.pageLayout().paintRectPixels(writer.resolution());
        doc.setTextWidth(page.width());
        // One page per game: a long sheet is laid out wider and printed smaller to fit. A
        // wider layout is never taller, so one step does it.
        double scale = 1;
        if (const double height = doc.size().height(); height > page.height()) {
            scale = page.height() / height;
            doc.setTextWidth(page.width() / scale);
        }
        QPainter painter(&writer);
        painter.scale(scale, scale);
        doc.drawContents(&painter);
    }
    return buffer.data();
}

int writeGameSheet(const QString& outputPath, const QString& gamePath, QTextStream& err)
{
    const QString suffix = QFileInfo(outputPath).suffix().toLower();
    if (suffix != QLatin1String("pdf") && suffix != QLatin1String("csv")) {
        err << "pucklight: the game sheet is written as a .pdf or a .csv file, not as "
            << QDir::toNativeSeparators(outputPath) << "\n";
        return 2;
    }
    QString fault;
    const auto game = readGame(gamePath, fault);
    if (!game) {
        err << "pucklight: cannot read the game in " << QDir::toNativeSeparators(gamePath) << ": "
            << fault << "\n";
        return 2;
    }
    const QByteArray bytes =
        suffix == QLatin1String("pdf") ? gameSheetPdf(gameSheet(*game)) : recordCsv(*game);
    QString error;
    if (!program::replaceFile(outputPath, bytes, &error)) {
        err << "pucklight: cannot write " << QDir::toNativeSeparators(outputPath) << ": " << error
            << "\n";
        return 2;
    }
    return 0;
}

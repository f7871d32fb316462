// SPDX-License-Identifier: GPL-3.0-or-later
// The console's list of keys: the command keys as the settings assign them, the keys with Ctrl,
// the typing, the console's own keys and F1 to F4.
#include "entrywords.h"
#include "game.h"
#include "keynames.h"

#include <QCoreApplication>
#include <QStringList>

namespace {

QString keyName(int16_t code)
{
    const QString name = KeyCodeToStr(code);
    return name.isEmpty() ? QCoreApplication::translate("frmConsole", "key %1").arg(code) : name;
}

struct Rows
{
    QString html;
    void section(const QString& title)
    {
        html +=
            QStringLiteral("<tr><td colspan=\"2\"><b>%1</b></td></tr>").arg(title.toHtmlEscaped());
    }
    void row(const QString& keys, const QString& what)
    {
        html += QStringLiteral("<tr><td style=\"padding-right:12px\">%1</td><td>%2</td></tr>")
                    .arg(keys.toHtmlEscaped(), what.toHtmlEscaped());
    }
};

} // namespace

QString consoleKeysHtml(const SettingVariables& keys)
{
    Rows r;
    r.section(QCoreApplication::translate("frmConsole", "Command keys"));
    for (const auto& [code, command] : Game::commandKeys(keys))
        r.row(keyName(code), commandKeyWords(command));
    r.row(keyName(keys.SepTimeKey), commandKeyWords(CommandKind::PenaltyClock));
    r.row(keyName(keys.ClearKey),
          QCoreApplication::translate("frmConsole",
                                      "clears the selected penalty, or blanks the selected score "
                                      "or shots"));

    r.section(QCoreApplication::translate("frmConsole", "With Ctrl"));
    r.row(QCoreApplication::translate("frmConsole", "Ctrl+H, Ctrl+V"),
          QCoreApplication::translate("frmConsole", "a goal for home, for the visitor"));
    r.row(QCoreApplication::translate("frmConsole", "Ctrl+P"),
          QCoreApplication::translate("frmConsole", "the next period"));
    r.row(QCoreApplication::translate("frmConsole", "Ctrl+%1").arg(keyName(keys.StartStopClockKey)),
          commandKeyWords(CommandKind::GameClockAlone));
    r.row(QCoreApplication::translate("frmConsole", "Ctrl+Z"), commandKeyWords(CommandKind::Undo));
    r.row(QCoreApplication::translate("frmConsole", "Ctrl+Y, Ctrl+Shift+Z"),
          commandKeyWords(CommandKind::Redo));

    r.section(QCoreApplication::translate("frmConsole", "Typing on the selected field"));
    r.row(QCoreApplication::translate("frmConsole", "0 to 9, point"),
          QCoreApplication::translate("frmConsole",
                                      "a number, or a time as minutes.seconds (1.30 is 1:30)"));
    r.row(QCoreApplication::translate("frmConsole", "+, -"),
          QCoreApplication::translate("frmConsole",
                                      "then a digit: adds it to the number, or takes it away"));
    r.row(QCoreApplication::translate("frmConsole", "Enter"),
          QCoreApplication::translate(
              "frmConsole", "enters what is typed (the line above says what it will do)"));
    r.row(QCoreApplication::translate("frmConsole", "Space"),
          QCoreApplication::translate("frmConsole", "throws away what is typed"));
    r.row(QCoreApplication::translate("frmConsole", "F5, F6, F7"),
          QCoreApplication::translate("frmConsole", "on a penalty time: 2:00, 4:00, 5:00 at once"));
    r.row(QCoreApplication::translate("frmConsole", "Left, Right, Down"),
          QCoreApplication::translate("frmConsole", "on the goal lamps: home, visitor, out"));

    r.section(QCoreApplication::translate("frmConsole", "Console"));
    r.row(QCoreApplication::translate("frmConsole", "Tab, Shift+Tab"),
          QCoreApplication::translate("frmConsole", "selects the next field, the previous one"));
    r.row(QCoreApplication::translate("frmConsole", "Escape"),
          QCoreApplication::translate(
              "frmConsole", "throws away what is typed; elsewhere, back to the board's keys"));
    r.row(
        QCoreApplication::translate("frmConsole", "Ctrl+Tab"),
        QCoreApplication::translate("frmConsole", "on to the penalties, the record and the keys"));
    r.row(QCoreApplication::translate("frmConsole", "Click"),
          QCoreApplication::translate("frmConsole", "a field of the small board selects it"));

    r.section(QCoreApplication::translate("frmConsole", "Windows"));
    r.row(QCoreApplication::translate("frmConsole", "F1"),
          QCoreApplication::translate("frmConsole", "the manual (the console keeps the keys)"));
    r.row(QCoreApplication::translate("frmConsole", "F2"),
          QCoreApplication::translate("frmConsole", "the options"));
    r.row(QCoreApplication::translate("frmConsole", "F3"),
          QCoreApplication::translate("frmConsole", "the waiting penalties"));
    r.row(QCoreApplication::translate("frmConsole", "F4"),
          QCoreApplication::translate("frmConsole", "closes the console; on the board, opens it"));
    return QStringLiteral("<table cellspacing=\"0\" cellpadding=\"1\">") + r.html +
           QStringLiteral("</table>");
}

// SPDX-License-Identifier: GPL-3.0-or-later
#include "commondialogs.h"

#include <QApplication>
#include <QColorDialog>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QPushButton>
#include <QStringList>
#include <algorithm>

namespace {

class PlatformDialogs : public CommonDialogs
{
public:
    std::optional<QColor> chooseColor(QWidget* parent) override
    {
        const QColor c = QColorDialog::getColor(Qt::white, parent);
        if (!c.isValid())
            return std::nullopt;
        return c;
    }
    QString openFile(QWidget* parent, const QString& filter, bool mustExist) override
    {
        QFileDialog dialog(parent);
        dialog.setNameFilter(toQtFileFilter(filter));
        dialog.setFileMode(mustExist ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
        if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
            return QString();
        return dialog.selectedFiles().constFirst();
    }
    bool askYesNo(QWidget* parent, const QString& title, const QString& text) override
    {
        QMessageBox box(QMessageBox::Question, title, text, QMessageBox::Yes | QMessageBox::No,
                        parent);
        // Qt's own translations do not cover every language the program speaks.
        box.button(QMessageBox::Yes)->setText(QCoreApplication::translate("CommonDialogs", "&Yes"));
        box.button(QMessageBox::No)->setText(QCoreApplication::translate("CommonDialogs", "&No"));
        return box.exec() == QMessageBox::Yes;
    }
    bool ask(QWidget* parent, const Question& q) override
    {
        QMessageBox box(QMessageBox::Question, q.title, q.text, QMessageBox::NoButton, parent);
        box.setInformativeText(q.details);
        QPushButton* yes = box.addButton(q.yes, QMessageBox::AcceptRole);
        QPushButton* no = box.addButton(q.no, QMessageBox::RejectRole);
        box.setDefaultButton(q.yesIsDefault ? yes : no);
        box.setEscapeButton(no);
        box.exec();
        return box.clickedButton() == yes;
    }
    void tell(QWidget* parent, const QString& title, const QString& text,
              const QString& details) override
    {
        QMessageBox box(QMessageBox::Warning, title, text, QMessageBox::Ok, parent);
        box.setInformativeText(details);
        box.button(QMessageBox::Ok)->setText(QCoreApplication::translate("CommonDialogs", "OK"));
        box.exec();
    }
    void beep() override { QApplication::beep(); }
};

CommonDialogs* injected = nullptr;

// Whether a word of a filter's description is only file patterns: "*.wav", "(*.bmp;*.gif)".
bool onlyPatterns(QString word)
{
    word.remove(QLatin1Char('(')).remove(QLatin1Char(')'));
    const QStringList names = word.split(QLatin1Char(';'), Qt::SkipEmptyParts);
    return !names.isEmpty() && std::all_of(names.begin(), names.end(), [](const QString& name) {
        return name.contains(QLatin1Char('*')) || name.contains(QLatin1Char('?'));
    });
}

} // namespace

CommonDialogs& commonDialogs()
{
    static PlatformDialogs platform;
    return injected ? *injected : platform;
}

void setCommonDialogs(CommonDialogs* dialogs)
{
    injected = dialogs;
}

QString toQtFileFilter(const QString& filter)
{
    const QStringList parts = filter.split(QLatin1Char('|'));
    QStringList out;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        // Descriptions often show their patterns already, as "Pictures (*.bmp;*.gif;*.jpg)" or
        // "Sounds *.wav"; Qt's dialog shows the patterns after the description itself, so the
        // description loses its own copy.
        QStringList words = parts[i].split(QLatin1Char(' '), Qt::SkipEmptyParts);
        while (words.size() > 1 && onlyPatterns(words.last()))
            words.removeLast();
        QString patterns = parts[i + 1];
        patterns.replace(QLatin1Char(';'), QLatin1Char(' '));
        out << words.join(QLatin1Char(' ')) + QStringLiteral(" (") + patterns.simplified() +
                   QLatin1Char(')');
    }
    return out.join(QStringLiteral(";;"));
}

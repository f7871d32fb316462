#include "commondialogs.h"

#include <QApplication>
#include <QColorDialog>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QStringList>

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
        return box.exec() == QMessageBox::Yes;
    }
    void beep() override { QApplication::beep(); }
};

CommonDialogs* injected = nullptr;

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
        QString patterns = parts[i + 1];
        patterns.replace(QLatin1Char(';'), QLatin1Char(' '));
        out << parts[i] + QStringLiteral(" (") + patterns + QLatin1Char(')');
    }
    return out.join(QStringLiteral(";;"));
}

#include "settingsstore.h"

#include <QApplication>
#include <QLabel>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setOrganizationName(QStringLiteral("Pucklight"));
    QApplication::setApplicationName(QStringLiteral("Pucklight"));
    LoadSettings();
    QLabel placeholder(QStringLiteral("Pucklight"));
    placeholder.show();
    return QApplication::exec();
}

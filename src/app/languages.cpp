// SPDX-License-Identifier: GPL-3.0-or-later
#include "languages.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

namespace {

QTranslator& programTranslator()
{
    static QTranslator t;
    return t;
}

QTranslator& qtTranslator()
{
    static QTranslator t;
    return t;
}

} // namespace

bool installTranslations(const QLocale& locale)
{
    QTranslator& program = programTranslator();
    QTranslator& qt = qtTranslator();
    QCoreApplication::removeTranslator(&program);
    QCoreApplication::removeTranslator(&qt);

    // Qt's translations are looked for only beside a translation of ours: in a language the
    // program does not speak, its dialogs stay English with the rest.
    if (!program.load(locale, QStringLiteral("pucklight"), QStringLiteral("_"),
                      QStringLiteral(":/i18n")))
        return false;
    QCoreApplication::installTranslator(&program);
    // Some languages come only in Qt's older catalogue of every module, "qt_sv".
    const QString folder = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
    for (const QString& name : {QStringLiteral("qtbase"), QStringLiteral("qt")}) {
        if (qt.load(locale, name, QStringLiteral("_"), folder)) {
            QCoreApplication::installTranslator(&qt);
            break;
        }
    }
    return true;
}

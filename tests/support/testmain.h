#pragma once

#include <QApplication>
#include <QDir>
#include <QTemporaryDir>
#include <QTest>

// The main of every test: runs offscreen unless told otherwise, and keeps the settings in a
// temporary folder so that no test ever touches the user's own.
#define PL_TEST_MAIN(TestClass)                                                                    \
    int main(int argc, char* argv[])                                                               \
    {                                                                                              \
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))                                        \
            qputenv("QT_QPA_PLATFORM", "offscreen");                                               \
        QTemporaryDir config;                                                                      \
        qputenv("XDG_CONFIG_HOME", QDir(config.path()).absolutePath().toLocal8Bit());              \
        QApplication app(argc, argv);                                                              \
        QApplication::setOrganizationName(QStringLiteral("Pucklight"));                            \
        QApplication::setApplicationName(QStringLiteral("Pucklight"));                             \
        TestClass tc;                                                                              \
        return QTest::qExec(&tc, argc, argv);                                                      \
    }

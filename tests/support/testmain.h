// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "isolatedenv.h"

#include <QCoreApplication>
#include <QTemporaryDir>
#include <QTest>

// The main of every test: runs offscreen unless told otherwise, and keeps HOME and every XDG
// folder in a temporary folder so that no test ever touches the user's own files: the
// settings, the saved game, caches.
#define PL_TEST_MAIN_WITH(Application, TestClass)                                                  \
    int main(int argc, char* argv[])                                                               \
    {                                                                                              \
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))                                        \
            qputenv("QT_QPA_PLATFORM", "offscreen");                                               \
        QTemporaryDir home;                                                                        \
        isolated::thisProcess(home.path());                                                        \
        Application app(argc, argv);                                                               \
        QCoreApplication::setOrganizationName(QStringLiteral("Pucklight"));                        \
        QCoreApplication::setApplicationName(QStringLiteral("Pucklight"));                         \
        TestClass tc;                                                                              \
        return QTest::qExec(&tc, argc, argv);                                                      \
    }

// For tests of the parts that need no window.
#define PL_CORE_TEST_MAIN(TestClass) PL_TEST_MAIN_WITH(QCoreApplication, TestClass)

#ifdef QT_WIDGETS_LIB
#include <QApplication>
#define PL_TEST_MAIN(TestClass) PL_TEST_MAIN_WITH(QApplication, TestClass)
#endif

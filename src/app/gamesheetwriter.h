// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "gamesheet.h"

#include <QByteArray>
#include <QString>

class QTextStream;

// `pucklight --game-sheet FILE`: the sheet of a saved game, printed or as data. Needs a
// QGuiApplication (the offscreen platform will do) for the fonts of the PDF.

// The sheet as the HTML its page is printed from.
QString gameSheetHtml(const GameSheet& sheet);
// The sheet as a PDF of one A4 page: a sheet that would run longer is printed smaller.
QByteArray gameSheetPdf(const GameSheet& sheet);

// Reads the game file at `gamePath` (never through a link, never moving it aside) and writes
// its sheet to `outputPath`: a PDF for ".pdf", the record as comma-separated values for
// ".csv", through program::replaceFile. Returns the exit code: 0, or 2 with one line on `err`
// when the file name, the game file or the writing fails.
int writeGameSheet(const QString& outputPath, const QString& gamePath, QTextStream& err);

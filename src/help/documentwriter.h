// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "layoutbudget.h"
#include "rtflimits.h"

#include <QString>
#include <QTextCharFormat>
#include <QTextCursor>
#include <functional>

class QTextDocument;

// Fills a text document front to back. Text is gathered into runs of one format and each
// run is inserted once, inside one edit block, so building a document takes time in
// proportion to its size. The writer keeps to the limits (text, paragraphs, format changes,
// the height of the laid-out document) and lets through only characters that are text:
// control codes, the document's own structure marks and unpaired surrogates never reach it.
class DocumentWriter
{
public:
    DocumentWriter(QTextDocument* doc, const RtfLimits& limits);
    ~DocumentWriter();
    DocumentWriter(const DocumentWriter&) = delete;
    DocumentWriter& operator=(const DocumentWriter&) = delete;

    // The format of the text that follows.
    void setCharFormat(const QTextCharFormat& format);
    void appendText(QStringView text);
    // Ends the current paragraph, which takes the given format.
    void endParagraph(const QTextBlockFormat& format);
    // Where a paragraph longer than the limit is broken, the part before the break takes the
    // format this gives (the paragraph format in force at that point); without it, none.
    void setBreakFormat(std::function<QTextBlockFormat()> f) { breakFormat = std::move(f); }
    // Writes out what is pending; the last paragraph takes the given format. The document
    // tells its views about the new content only now, in one change.
    void finish(const QTextBlockFormat& format);

    // Whether a limit has been reached; nothing more will be written.
    bool full() const { return stopped; }
    // Whether anything was left out or simplified for a limit.
    bool truncated() const { return cut; }

private:
    void flush();
    void put(QChar c, QChar low = QChar());
    void stop();
    void newBlock(const QTextBlockFormat& format);
    QTextBlockFormat fitted(const QTextBlockFormat& format);

    QTextCursor cursor;
    RtfLimits limits;
    LayoutBudget budget;
    std::function<QTextBlockFormat()> breakFormat;
    QString pending;
    QTextCharFormat format;
    qsizetype textLeft = 0;
    int paragraphs = 0;
    int paragraphLength = 0; // characters in the current paragraph, line breaks included
    int runs = 0;
    int wordLength = 0;    // characters since the last place a line may break
    char16_t heldHigh = 0; // a high surrogate waiting for its low half
    bool stopped = false;
    bool cut = false;
    bool finished = false;
};

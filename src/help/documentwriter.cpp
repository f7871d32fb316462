// SPDX-License-Identifier: GPL-3.0-or-later
#include "documentwriter.h"

#include <QTextDocument>

namespace {

constexpr char16_t Replacement = 0xFFFD;
constexpr char16_t ZeroWidthSpace = 0x200B;

bool isStructureMark(char16_t c)
{
    return c == QChar::ParagraphSeparator || c == 0xFDD0 || c == 0xFDD1 // frame marks
           || c == QChar::ObjectReplacementCharacter || c == QChar::ByteOrderMark || c == 0xFFFE ||
           c == 0xFFFF;
}

bool isBreak(QChar c)
{
    return c == u' ' || c == u'\t' || c == QChar::LineSeparator || c == ZeroWidthSpace;
}

} // namespace

DocumentWriter::DocumentWriter(QTextDocument* doc, const RtfLimits& l)
    : cursor(doc), limits(l), budget(l.narrowestWidth, l.maxHeight), textLeft(l.maxText)
{
    // Outside an edit block every insertion has the cursor work out its position on the
    // line, which lays out the whole paragraph again: quadratic in a long paragraph.
    cursor.beginEditBlock();
    if (textLeft <= 0)
        stop();
}

DocumentWriter::~DocumentWriter()
{
    if (!finished)
        cursor.endEditBlock();
}

void DocumentWriter::stop()
{
    stopped = true;
    cut = true;
}

void DocumentWriter::setCharFormat(const QTextCharFormat& f)
{
    if (f == format)
        return;
    if (runs >= limits.maxRuns) {
        cut = true;
        return;
    }
    flush();
    format = f;
    budget.setFontPoints(f.fontPointSize());
    ++runs;
}

void DocumentWriter::appendText(QStringView text)
{
    for (const QChar ch : text) {
        if (stopped)
            return;
        const char16_t c = ch.unicode();
        if ((c < 0x20 && c != '\t') || c == 0x7F || isStructureMark(c))
            continue;
        if (ch.isHighSurrogate()) {
            if (heldHigh)
                put(QChar(Replacement));
            heldHigh = c;
            continue;
        }
        if (ch.isLowSurrogate()) {
            if (heldHigh)
                put(QChar(heldHigh), ch);
            else
                put(QChar(Replacement));
            heldHigh = 0;
            continue;
        }
        if (heldHigh) {
            heldHigh = 0;
            put(QChar(Replacement));
        }
        put(ch);
    }
}

// One character, or a surrogate pair when low is given.
void DocumentWriter::put(QChar c, QChar low)
{
    if (stopped)
        return;
    if (++paragraphLength > limits.maxParagraphLength) {
        // Qt lays a paragraph out in one piece; a long one is broken into several so that no
        // piece holds up the program for long. Nothing is left out, so this is no cut.
        if (paragraphs >= limits.maxParagraphs) {
            stop();
            return;
        }
        newBlock(breakFormat ? breakFormat() : QTextBlockFormat());
        if (stopped)
            return;
        paragraphLength = 1;
    }
    if (isBreak(c)) {
        wordLength = 0;
    } else if (++wordLength > limits.maxWordLength && textLeft > 1) {
        // Qt breaks a word that does not fit on a line in time that grows with the square of
        // the word's length; nobody reads a word this long anyway.
        pending.append(QChar(ZeroWidthSpace));
        --textLeft;
        wordLength = 1;
    }
    const qsizetype size = low.isNull() ? 1 : 2;
    if (textLeft < size || !budget.addChar(c)) {
        stop();
        return;
    }
    pending.append(c);
    if (size == 2)
        pending.append(low);
    textLeft -= size;
    if (textLeft == 0)
        stop();
}

void DocumentWriter::flush()
{
    if (heldHigh) {
        heldHigh = 0;
        put(QChar(Replacement));
    }
    if (pending.isEmpty())
        return;
    cursor.insertText(pending, format);
    pending.clear();
}

QTextBlockFormat DocumentWriter::fitted(const QTextBlockFormat& f)
{
    if (budget.endParagraph(f))
        return f;
    cut = true;
    QTextBlockFormat plain = f;
    plain.setLeftMargin(0);
    plain.setRightMargin(0);
    plain.setTextIndent(0);
    plain.setTopMargin(0);
    plain.setBottomMargin(0);
    return plain;
}

void DocumentWriter::endParagraph(const QTextBlockFormat& f)
{
    if (stopped)
        return;
    if (paragraphs >= limits.maxParagraphs) {
        cut = true;
        const QChar lineBreak = QChar::LineSeparator;
        appendText(QStringView(&lineBreak, 1));
        return;
    }
    newBlock(f);
}

void DocumentWriter::newBlock(const QTextBlockFormat& f)
{
    flush();
    const QTextBlockFormat b = fitted(f);
    cursor.setBlockFormat(b);
    cursor.insertBlock(b, format);
    ++paragraphs;
    paragraphLength = 0;
    wordLength = 0;
    if (--textLeft <= 0 || !budget.within())
        stop();
}

void DocumentWriter::finish(const QTextBlockFormat& f)
{
    flush();
    cursor.setBlockFormat(fitted(f));
    cursor.endEditBlock();
    finished = true;
}

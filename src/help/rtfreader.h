// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "codepage.h"
#include "rtfkeywords.h"
#include "rtflimits.h"
#include "rtfstate.h"
#include "rtfstyles.h"
#include "rtftokenizer.h"

#include <QByteArrayView>
#include <QSet>
#include <QStringList>
#include <vector>

class DocumentWriter;
class QTextDocument;

// Reads a rich-text (RTF) document into a QTextDocument: text, fonts, sizes, colours, bold,
// italic, underline, strike-through, alignment, indents, spacing, tab stops and the bullets
// and numbers that word processors write beside list items. Pictures, objects, headers,
// footers, document information, style sheets and unknown destinations are passed over.
//
// The reader is a tokenizer feeding a state machine with an explicit stack of group states;
// it never recurses, reads its input once, and keeps to RtfLimits. Whatever the input, it
// returns with as much of the document as it could make sense of.
class RtfReader
{
public:
    RtfReader() = default;
    explicit RtfReader(const RtfLimits& l) : limits(l) {}

    // Replaces the document's content. Input that does not start as RTF is shown as plain
    // text (UTF-8 when it is valid UTF-8, otherwise Windows-1252).
    void read(QByteArrayView data, QTextDocument* doc);
    // Reads the input as RTF whatever it looks like.
    void readRtf(QByteArrayView data, QTextDocument* doc);

    static bool looksLikeRtf(QByteArrayView data);

    // The control words of the last read that the reader does not know, in the order met
    // (each once). Words inside passed-over destinations are not looked at and not listed.
    const QStringList& untreatedWords() const { return untreated; }
    // Whether the last read stopped short or simplified something for a limit.
    bool truncated() const { return cut; }

private:
    enum class Destination : uint8_t { Text, Skip, FontTable, ColorTable };

    struct GroupState
    {
        RtfCharState chars;
        RtfParaState para;
        Destination dest = Destination::Text;
        int unicodeSkip = 1;
    };

    void reset(QTextDocument* doc);
    void readPlain(QByteArrayView data);
    void run(QByteArrayView data);
    void groupOpen();
    void groupClose();
    void word(const RtfTokenizer::Token& t);
    void textWord(const RtfKeyword& k, const RtfTokenizer::Token& t);
    void symbol(char c);
    void paragraph();
    void setDefaultTab(int twips);
    void flushBytes();
    void text(QStringView s);
    void syncFormat();
    void noteUntreated(std::string_view name);
    int codePageNow() const;

    GroupState& state() { return stack.back(); }

    RtfLimits limits;
    QTextDocument* document = nullptr;
    DocumentWriter* writer = nullptr;
    CodePage codePages;
    RtfStyles styles;
    std::vector<GroupState> stack;
    int overflowDepth = 0; // groups open beyond the nesting limit
    RtfParaState rootPara; // the paragraph properties in force when the document closed
    int skipChars = 0;     // fallback characters still to pass over after \u
    QByteArray bytes;      // 8-bit text not yet decoded
    QString decoded;
    int docCodePage = CodePage::Ansi;
    RtfCharState formatted; // the state that the writer's current format was made from
    bool formatValid = false;
    QStringList untreated;
    QSet<QString> untreatedSet;
    struct LastWord
    {
        std::string_view name; // in the input being read
        const RtfKeyword* keyword = nullptr;
    } lastWord; // the control word met last, and what it is
    bool cut = false;
};

// SPDX-License-Identifier: GPL-3.0-or-later
#include "rtfreader.h"

#include "documentwriter.h"

#include <QStringDecoder>
#include <QTextDocument>
#include <QTextOption>
#include <algorithm>

namespace {

// Bounds that keep absurd values from reaching the layout: 22 inches is the widest page any
// word processor offers, 1638 points its largest font.
constexpr int MaxTwips = 31680;
constexpr int MinHalfPoints = 2;
constexpr int MaxHalfPoints = 3276;
constexpr int DefaultHalfPoints = 24;
constexpr int MaxUnicodeSkip = 16;
constexpr int DefaultTabTwips = 720; // half an inch
constexpr int MinDefaultTab = 15;
constexpr double TwipsPerPixel = 15.0;
constexpr qsizetype MaxUntreated = 256;

constexpr char16_t NoBreakSpace = 0x00A0;
constexpr char16_t SoftHyphen = 0x00AD;
constexpr char16_t NoBreakHyphen = 0x2011;
constexpr char16_t Replacement = 0xFFFD;

int clampTwips(const RtfTokenizer::Token& t)
{
    return t.hasParam ? std::clamp(t.param, -MaxTwips, MaxTwips) : 0;
}

bool switchedOn(const RtfTokenizer::Token& t)
{
    return !t.hasParam || t.param != 0;
}

} // namespace

namespace {

// A byte order mark and blank space may come before the document; they are not text.
QByteArrayView withoutLeadingNoise(QByteArrayView data)
{
    if (data.startsWith("\xEF\xBB\xBF"))
        data = data.sliced(3);
    while (!data.isEmpty() && (data.front() == ' ' || data.front() == '\t' ||
                               data.front() == '\r' || data.front() == '\n'))
        data = data.sliced(1);
    return data;
}

} // namespace

bool RtfReader::looksLikeRtf(QByteArrayView data)
{
    return withoutLeadingNoise(data).startsWith("{\\rtf");
}

void RtfReader::read(QByteArrayView data, QTextDocument* doc)
{
    if (looksLikeRtf(data)) {
        readRtf(data, doc);
        return;
    }
    reset(doc);
    DocumentWriter w(doc, limits);
    writer = &w;
    readPlain(data);
    w.finish(QTextBlockFormat());
    cut = cut || w.truncated();
    writer = nullptr;
}

void RtfReader::readRtf(QByteArrayView data, QTextDocument* doc)
{
    reset(doc);
    DocumentWriter w(doc, limits);
    w.setBreakFormat([this] { return RtfStyles::blockFormat(state().para); });
    writer = &w;
    run(data);
    flushBytes();
    w.finish(RtfStyles::blockFormat(stack.size() == 1 ? rootPara : state().para));
    cut = cut || w.truncated();
    writer = nullptr;

    QFont base = doc->defaultFont();
    base.setPointSizeF(DefaultHalfPoints / 2.0);
    if (const QString family = styles.defaultFamily(); !family.isEmpty())
        base.setFamilies(QStringList{family});
    doc->setDefaultFont(base);
}

void RtfReader::reset(QTextDocument* doc)
{
    document = doc;
    doc->clear();
    doc->setUndoRedoEnabled(false);
    setDefaultTab(DefaultTabTwips);
    stack.clear();
    stack.reserve(static_cast<std::size_t>(std::clamp(limits.maxDepth, 0, 4096)) + 1);
    stack.emplace_back();
    overflowDepth = 0;
    rootPara = {};
    skipChars = 0;
    bytes.clear();
    docCodePage = CodePage::Ansi;
    styles.clear();
    formatValid = false;
    untreated.clear();
    untreatedSet.clear();
    lastWord = {};
    cut = false;
}

void RtfReader::readPlain(QByteArrayView data)
{
    if (data.size() > limits.maxInput) {
        data = data.first(limits.maxInput);
        cut = true;
    }
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString all = utf8.decode(data);
    if (utf8.hasError()) {
        all.clear();
        codePages.decode(CodePage::Ansi, data, all);
    }
    QStringView rest(all);
    for (;;) {
        const qsizetype nl = rest.indexOf(u'\n');
        QStringView line = nl < 0 ? rest : rest.first(nl);
        if (line.endsWith(u'\r'))
            line.chop(1);
        writer->appendText(line);
        if (nl < 0 || writer->full())
            break;
        writer->endParagraph(QTextBlockFormat());
        rest = rest.sliced(nl + 1);
    }
}

void RtfReader::run(QByteArrayView data)
{
    if (data.size() > limits.maxInput) {
        data = data.first(limits.maxInput);
        cut = true;
    }
    data = withoutLeadingNoise(data);
    RtfTokenizer tokens(std::string_view(data.data(), static_cast<std::size_t>(data.size())));
    using T = RtfTokenizer::Type;
    for (;;) {
        if (writer->full()) {
            cut = true;
            return;
        }
        RtfTokenizer::Token t = tokens.next();
        if (t.type == T::End)
            return;

        if (skipChars > 0) {
            // The fallback text written after \uN for readers without Unicode.
            if (t.type == T::GroupOpen || t.type == T::GroupClose) {
                skipChars = 0;
            } else if (t.type == T::Text) {
                const auto n =
                    std::min<std::size_t>(static_cast<std::size_t>(skipChars), t.text.size());
                t.text.remove_prefix(n);
                skipChars -= static_cast<int>(n);
                if (t.text.empty())
                    continue;
            } else {
                --skipChars;
                continue;
            }
        }

        const bool active = overflowDepth == 0 && state().dest != Destination::Skip;
        switch (t.type) {
        case T::GroupOpen:
            flushBytes();
            groupOpen();
            break;
        case T::GroupClose:
            flushBytes();
            groupClose();
            break;
        case T::Text:
            if (active)
                bytes.append(t.text.data(), static_cast<qsizetype>(t.text.size()));
            break;
        case T::Hex:
            if (active)
                bytes.append(static_cast<char>(t.byte));
            break;
        case T::Symbol:
            flushBytes();
            if (active)
                symbol(t.symbol);
            break;
        case T::Word:
            flushBytes();
            if (active)
                word(t);
            break;
        case T::Binary:
        case T::End:
            break;
        }
    }
}

void RtfReader::groupOpen()
{
    if (overflowDepth > 0 ||
        stack.size() > static_cast<std::size_t>(std::max(limits.maxDepth, 0))) {
        ++overflowDepth;
        cut = true;
        return;
    }
    stack.push_back(stack.back());
}

void RtfReader::groupClose()
{
    if (overflowDepth > 0) {
        --overflowDepth;
        return;
    }
    if (stack.size() <= 1)
        return; // a stray brace: nothing to close
    if (stack.size() == 2)
        rootPara = state().para; // the last paragraph ends with the document
    const Destination was = state().dest;
    stack.pop_back();
    if (was == Destination::FontTable)
        styles.endFontEntry();
}

void RtfReader::word(const RtfTokenizer::Token& t)
{
    // Text in another script is a run of \uN, one word again and again: it is looked up once.
    // (A word is never empty, so the empty name of a fresh read matches none.)
    if (t.text != lastWord.name)
        lastWord = {t.text, findRtfKeyword(t.text)};
    const RtfKeyword* k = lastWord.keyword;
    if (!k) {
        noteUntreated(t.text);
        return;
    }
    switch (k->action) {
    case RtfAction::Skip:
        state().dest = Destination::Skip;
        return;
    case RtfAction::UnicodeSkip:
        state().unicodeSkip = t.hasParam ? std::clamp(t.param, 0, MaxUnicodeSkip) : 1;
        return;
    case RtfAction::Unicode: {
        // Values above 32767 are written negative. Surrogate halves pass on one by one and
        // are paired by the writer.
        int64_t c = t.param;
        if (c < 0)
            c += 65536;
        char16_t units[2] = {Replacement, 0};
        qsizetype n = 1;
        if (c >= 0 && c <= 0xFFFF) {
            units[0] = static_cast<char16_t>(c);
        } else if (c > 0xFFFF && c <= 0x10FFFF) {
            units[0] = QChar::highSurrogate(static_cast<char32_t>(c));
            units[1] = QChar::lowSurrogate(static_cast<char32_t>(c));
            n = 2;
        }
        text(QStringView(units, n));
        skipChars = state().unicodeSkip;
        return;
    }
    default:
        break;
    }
    switch (state().dest) {
    case Destination::Text:
        textWord(*k, t);
        break;
    case Destination::FontTable:
        styles.fontTableWord(k->action, k->value, t.param, t.hasParam);
        break;
    case Destination::ColorTable:
        styles.colorTableWord(k->action, t.param);
        break;
    case Destination::Skip:
        break;
    }
}

void RtfReader::textWord(const RtfKeyword& k, const RtfTokenizer::Token& t)
{
    RtfCharState& c = state().chars;
    RtfParaState& p = state().para;
    switch (k.action) {
    case RtfAction::Bold:
        c.bold = switchedOn(t);
        break;
    case RtfAction::Italic:
        c.italic = switchedOn(t);
        break;
    case RtfAction::Underline:
        c.underline = switchedOn(t);
        break;
    case RtfAction::UnderlineNone:
        c.underline = false;
        break;
    case RtfAction::Strike:
        c.strike = switchedOn(t);
        break;
    case RtfAction::Hidden:
        c.hidden = switchedOn(t);
        break;
    case RtfAction::Plain:
        c = RtfCharState{};
        break;
    case RtfAction::FontSize:
        c.halfPoints =
            t.hasParam ? std::clamp(t.param, MinHalfPoints, MaxHalfPoints) : DefaultHalfPoints;
        break;
    case RtfAction::Font:
        c.font = t.hasParam ? t.param : -1;
        break;
    case RtfAction::Color:
        c.color = t.hasParam ? t.param : -1;
        break;
    case RtfAction::Highlight:
        c.highlight = t.hasParam ? t.param : 0;
        break;
    case RtfAction::Super:
        c.vertical = 1;
        break;
    case RtfAction::Sub:
        c.vertical = -1;
        break;
    case RtfAction::NoSuperSub:
        c.vertical = 0;
        break;
    case RtfAction::Pard:
        p = RtfParaState{};
        break;
    case RtfAction::Align:
        p.align = k.value;
        break;
    case RtfAction::LeftIndent:
        p.leftIndent = clampTwips(t);
        break;
    case RtfAction::RightIndent:
        p.rightIndent = clampTwips(t);
        break;
    case RtfAction::FirstIndent:
        p.firstIndent = clampTwips(t);
        break;
    case RtfAction::SpaceBefore:
        p.spaceBefore = std::max(0, clampTwips(t));
        break;
    case RtfAction::SpaceAfter:
        p.spaceAfter = std::max(0, clampTwips(t));
        break;
    case RtfAction::TabKind:
        p.tabKind = k.value;
        break;
    case RtfAction::TabStop:
        if (p.tabCount < RtfParaState::MaxTabs)
            p.tabs[static_cast<std::size_t>(p.tabCount++)] = {std::max(0, clampTwips(t)),
                                                              p.tabKind};
        p.tabKind = 0;
        break;
    case RtfAction::Par:
        paragraph();
        break;
    case RtfAction::Line:
        text(QStringView(u"\u2028"));
        break;
    case RtfAction::Tab:
        text(QStringView(u"\t"));
        break;
    case RtfAction::Char: {
        const QChar ch(static_cast<char16_t>(k.value));
        text(QStringView(&ch, 1));
        break;
    }
    case RtfAction::AnsiCpg:
        if (t.hasParam && t.param > 0)
            docCodePage = t.param;
        break;
    case RtfAction::DocCodePage:
        docCodePage = k.value;
        break;
    case RtfAction::DefaultTab:
        setDefaultTab(t.hasParam ? t.param : DefaultTabTwips);
        break;
    case RtfAction::DefaultFont:
        styles.setDefaultFont(t.hasParam ? t.param : -1);
        break;
    case RtfAction::FontTable:
        state().dest = Destination::FontTable;
        styles.beginFontTable();
        break;
    case RtfAction::ColorTable:
        state().dest = Destination::ColorTable;
        styles.beginColorTable();
        break;
    default:
        break; // table words outside their table, and words that change nothing shown
    }
}

void RtfReader::symbol(char c)
{
    switch (c) {
    case '*':
        state().dest = Destination::Skip; // an optional destination this reader does not know
        return;
    case '\n':
    case '\r':
        paragraph();
        return;
    case '~':
        text(QStringView(&NoBreakSpace, 1));
        return;
    case '-':
        text(QStringView(&SoftHyphen, 1));
        return;
    case '_':
        text(QStringView(&NoBreakHyphen, 1));
        return;
    case '\t':
        text(QStringView(u"\t"));
        return;
    case '{':
    case '}':
    case '\\': {
        const QChar ch = QLatin1Char(c);
        text(QStringView(&ch, 1));
        return;
    }
    default:
        return; // index marks and the like
    }
}

void RtfReader::setDefaultTab(int twips)
{
    QTextOption option = document->defaultTextOption();
    option.setTabStopDistance(std::clamp(twips, MinDefaultTab, MaxTwips) / TwipsPerPixel);
    document->setDefaultTextOption(option);
}

void RtfReader::paragraph()
{
    if (state().dest != Destination::Text || state().chars.hidden)
        return;
    syncFormat(); // an empty paragraph takes its height from the format
    writer->endParagraph(RtfStyles::blockFormat(state().para));
}

void RtfReader::flushBytes()
{
    if (bytes.isEmpty())
        return;
    decoded.clear();
    codePages.decode(codePageNow(), bytes, decoded);
    bytes.clear();
    text(decoded);
}

void RtfReader::text(QStringView s)
{
    switch (state().dest) {
    case Destination::Text: {
        if (state().chars.hidden)
            return;
        syncFormat();
        writer->appendText(s);
        return;
    }
    case Destination::FontTable:
        styles.fontTableText(s);
        return;
    case Destination::ColorTable:
        styles.colorTableText(s);
        return;
    case Destination::Skip:
        return;
    }
}

void RtfReader::syncFormat()
{
    const RtfCharState& c = state().chars;
    if (formatValid && formatted == c)
        return;
    writer->setCharFormat(styles.charFormat(c));
    formatted = c;
    formatValid = true;
}

void RtfReader::noteUntreated(std::string_view name)
{
    if (untreated.size() >= MaxUntreated)
        return;
    const QString n = QString::fromLatin1(name.data(), static_cast<qsizetype>(name.size()));
    if (!untreatedSet.contains(n)) {
        untreatedSet.insert(n);
        untreated.append(n);
    }
}

int RtfReader::codePageNow() const
{
    const GroupState& g = stack.back();
    if (g.dest == Destination::FontTable)
        return styles.fontDraftCodePage() ? styles.fontDraftCodePage() : docCodePage;
    const int page = styles.codePage(g.chars.font);
    return page ? page : docCodePage;
}

// SPDX-License-Identifier: GPL-3.0-or-later
#include "iniformat.h"

#include <QStringDecoder>
#include <QStringList>
#include <algorithm>
#include <array>
#include <optional>

// Files written by earlier versions, and hand-edited ones, must read exactly as QSettings
// read them, so the reading follows QSettings' own rules step by step, oddities included: a
// ';' ends a line outside quotes, a section may appear more than once, the UTF-8 decoder of a
// value keeps its state across escapes, and a hex escape takes every hex digit after it.

namespace {

enum : uint8_t { Space = 1, Special = 2 };

constexpr std::array<uint8_t, 256> CharTraits = [] {
    std::array<uint8_t, 256> t{};
    t['\t'] = Space;
    t[' '] = Space;
    t['\n'] = Space | Special;
    t['\r'] = Space | Special;
    for (const char c : {'"', ';', '=', '\\'})
        t[static_cast<uint8_t>(c)] = Special;
    return t;
}();

uint8_t traits(char c)
{
    return CharTraits[static_cast<uint8_t>(c)];
}

// "\n" and the like: the letter and the character.
constexpr std::array<std::pair<char, char>, 11> NamedEscapes = {{{'a', '\a'},
                                                                 {'b', '\b'},
                                                                 {'f', '\f'},
                                                                 {'n', '\n'},
                                                                 {'r', '\r'},
                                                                 {'t', '\t'},
                                                                 {'v', '\v'},
                                                                 {'"', '"'},
                                                                 {'?', '?'},
                                                                 {'\'', '\''},
                                                                 {'\\', '\\'}}};

struct Line
{
    qsizetype start = 0;
    qsizetype length = 0;
    qsizetype equals = -1; // the first '=' outside quotes
};

// The next logical line from `pos`: blank lines and comments are skipped, quotes and a
// backslash before a line break carry it over several lines. False at the end.
bool readLine(QByteArrayView bytes, qsizetype& pos, Line& line)
{
    const char* data = bytes.data(); // plain indexing: the fuzzer traces every call per byte
    const qsizetype size = bytes.size();
    bool inQuotes = false;
    line.equals = -1;
    qsizetype start = pos;
    while (start < size && (traits(data[start]) & Space))
        ++start;
    qsizetype i = start;
    while (i < size) {
        char ch = data[i++];
        if (!(traits(ch) & Special))
            continue;
        if (ch == '=') {
            if (!inQuotes && line.equals == -1)
                line.equals = i - 1;
        } else if (ch == '\n' || ch == '\r') {
            if (i == start + 1) {
                ++start;
            } else if (!inQuotes) {
                --i;
                break;
            }
        } else if (ch == '\\') {
            if (i < size) {
                ch = data[i++];
                if (i < size &&
                    ((ch == '\n' && data[i] == '\r') || (ch == '\r' && data[i] == '\n')))
                    ++i;
            }
        } else if (ch == '"') {
            inQuotes = !inQuotes;
        } else if (i == start + 1) { // ';' opens a comment
            while (i < size && data[i] != '\n' && data[i] != '\r')
                ++i;
            while (i < size && (traits(data[i]) & Space))
                ++i;
            start = i;
        } else if (!inQuotes) {
            --i; // ';' ends the line, and the rest is a comment
            break;
        }
    }
    pos = i;
    line.start = start;
    line.length = i - start;
    return line.length > 0;
}

// A section or key name, appended to `result`: UTF-8, where "%XX" and "%UXXXX" are
// characters and '\\' is '/'.
void appendName(QByteArrayView bytes, QString& result)
{
    if (std::all_of(bytes.begin(), bytes.end(),
                    [](char c) { return c > 0 && c != '%' && c != '\\'; })) {
        result += QLatin1StringView(bytes);
        return;
    }
    const QString name = QString::fromUtf8(bytes);
    const qsizetype size = name.size();
    qsizetype i = 0;
    while (i < size) {
        const QChar ch = name[i];
        if (ch == u'\\') {
            result += u'/';
            ++i;
            continue;
        }
        if (ch != u'%' || i == size - 1) {
            result += ch;
            ++i;
            continue;
        }
        const bool wide = name[i + 1] == u'U';
        const qsizetype first = i + (wide ? 2 : 1);
        const qsizetype digits = wide ? 4 : 2;
        bool ok = false;
        const ushort code =
            first + digits <= size ? QStringView(name).sliced(first, digits).toUShort(&ok, 16) : 0;
        if (!ok) {
            result += u'%';
            ++i;
            continue;
        }
        result += QChar(code);
        i = first + digits;
    }
}

void chopBlanks(QString& s, qsizetype limit)
{
    while (s.size() > limit && (s.back() == u' ' || s.back() == u'\t'))
        s.chop(1);
}

bool isHexDigit(char c)
{
    return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}

char16_t hexValue(char c)
{
    return static_cast<char16_t>(c <= '9' ? c - '0' : (c | 0x20) - 'a' + 10);
}

// A value's text: quotes, escapes, blanks around it, and unquoted commas, which make a list
// (the result is true then, and the items are in `list`).
bool unescapedValue(QByteArrayView bytes, QString& text, QStringList& list)
{
    QStringDecoder fromUtf8(QStringDecoder::Utf8);
    const char* str = bytes.data();
    const qsizetype size = bytes.size();
    bool isList = false;
    bool inQuotes = false;
    bool quoted = false;
    bool chopAtEnd = true; // not after a value that ends in the middle of an escape
    qsizetype i = 0;
    const auto skipBlanks = [&] {
        while (i < size && (str[i] == ' ' || str[i] == '\t'))
            ++i;
    };
    // A numeric escape takes every digit of its base; the code wraps at 16 bits.
    const auto numeric = [&](char16_t code, int shift, bool (*isDigit)(char)) {
        while (i < size && isDigit(str[i]))
            code = static_cast<char16_t>((code << shift) + hexValue(str[i++]));
        text += QChar(code);
        chopAtEnd = i < size;
    };
    skipBlanks();
    qsizetype chopLimit = 0; // blanks that an escape or a quote wrote stay
    while (i < size) {
        const char ch = str[i];
        if (ch == '\\') {
            if (++i >= size) {
                chopAtEnd = false;
                break;
            }
            const char e = str[i++];
            const auto named = std::find_if(NamedEscapes.begin(), NamedEscapes.end(),
                                            [e](const auto& n) { return n.first == e; });
            if (named != NamedEscapes.end()) {
                text += QLatin1Char(named->second);
            } else if (e == 'x') {
                if (i >= size) {
                    chopAtEnd = false;
                    break;
                }
                if (isHexDigit(str[i]))
                    numeric(0, 4, isHexDigit);
            } else if (e >= '0' && e <= '7') {
                numeric(static_cast<char16_t>(e - '0'), 3,
                        [](char c) { return c >= '0' && c <= '7'; });
            } else if ((e == '\n' || e == '\r') && i < size && (str[i] == '\n' || str[i] == '\r') &&
                       str[i] != e) {
                ++i; // a continued line, whose break is two characters
            }
            // Any other escaped character is dropped.
            chopLimit = text.size();
        } else if (ch == '"') {
            ++i;
            quoted = true;
            inQuotes = !inQuotes;
            if (!inQuotes) {
                skipBlanks();
                chopLimit = text.size();
            }
        } else if (ch == ',' && !inQuotes) {
            if (!quoted)
                chopBlanks(text, chopLimit);
            isList = true;
            list.append(text);
            text.clear();
            quoted = false;
            ++i;
            skipBlanks();
            chopLimit = 0;
        } else {
            qsizetype j = i + 1;
            while (j < size && str[j] != '\\' && str[j] != '"' && str[j] != ',')
                ++j;
            text += fromUtf8(bytes.sliced(i, j - i));
            i = j;
        }
    }
    if (chopAtEnd && !quoted)
        chopBlanks(text, chopLimit);
    if (isList)
        list.append(text);
    return isList;
}

// The number of arguments of "@Rect(1 2 3 4)" and the like: parts ended by blanks or ')'.
qsizetype argCount(QStringView s, qsizetype open)
{
    return std::count_if(s.begin() + open + 1, s.end(),
                         [](QChar c) { return c == u' ' || c == u')'; });
}

// The text the program got from QSettings for a stored text that is not a list, or nothing
// when it got no value: "@@" is a leading "@", and "@Type(...)" is a value of that type,
// which has no text unless it is a byte array or text.
std::optional<QString> typedText(const QString& s)
{
    if (!s.startsWith(u'@'))
        return s;
    const auto is = [&](const char* type) { return s.startsWith(QLatin1String(type)); };
    if (s.endsWith(u')')) {
        if (is("@ByteArray("))
            return QString::fromUtf8(QStringView(s).sliced(11).chopped(1).toLatin1());
        if (is("@String("))
            return QStringView(s).sliced(8).chopped(1).toString();
        // Binary values are not decoded: a length in them can ask for gigabytes. The program
        // never wrote one; such a value counts as missing.
        if (is("@Variant(") || is("@DateTime(") || s == QLatin1String("@Invalid()"))
            return std::nullopt;
        if ((is("@Rect(") && argCount(s, 5) == 4) || (is("@Size(") && argCount(s, 5) == 2) ||
            (is("@Point(") && argCount(s, 6) == 2))
            return QString();
    }
    return is("@@") ? s.sliced(1) : s;
}

// A list whose items all read as text is its items joined; one typed item makes it a list
// of values, which has no text.
QString listText(QStringList items)
{
    for (QString& item : items) {
        if (!item.startsWith(u'@'))
            continue;
        if (item.size() < 2 || item[1] != u'@')
            return QString();
        item.remove(0, 1);
    }
    return items.join(QStringLiteral(", "));
}

// A section or key name, appended to `out`: letters, digits and "_-." as they are, any other
// character as "%XX" or "%UXXXX".
void appendName(QStringView name, QByteArray& out)
{
    for (const QChar qc : name) {
        const char16_t c = qc.unicode();
        if ((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
            c == '_' || c == '-' || c == '.')
            out += static_cast<char>(c);
        else if (c <= 0xff)
            out += '%' + QByteArray::number(c + 0x100, 16).toUpper().sliced(1);
        else
            out += "%U" + QByteArray::number(c + 0x10000, 16).toUpper().sliced(1);
    }
}

// A value as QSettings writes a text, except that a NUL, a control character, half a
// surrogate pair or a byte order mark (which the UTF-8 decoder drops at the start of a
// value) is written as a hex escape, which reads back as the same character.
void appendValue(const QString& value, QByteArray& out)
{
    const QString s = value.startsWith(u'@') ? u'@' + value : value;
    const qsizetype start = out.size();
    bool quote = false;
    bool escapeHexDigit = false; // a hex escape would take the digit after it
    for (qsizetype i = 0; i < s.size(); ++i) {
        const char16_t c = s[i].unicode();
        quote = quote || c == ';' || c == ',' || c == '=';
        if (escapeHexDigit && c < 0x80 && isHexDigit(static_cast<char>(c))) {
            out += "\\x" + QByteArray::number(c, 16);
            continue;
        }
        escapeHexDigit = false;
        const auto named = c < 0x20 || c == '"' || c == '\\'
                               ? std::find_if(NamedEscapes.begin(), NamedEscapes.end(),
                                              [c](const auto& n) { return n.second == c; })
                               : NamedEscapes.end();
        const bool pair =
            QChar::isHighSurrogate(c) && i + 1 < s.size() && s[i + 1].isLowSurrogate();
        if (named != NamedEscapes.end()) {
            out += '\\';
            out += named->first;
        } else if (c < 0x20 || (QChar::isSurrogate(c) && !pair) || c == 0xfeff) {
            out += "\\x" + QByteArray::number(c, 16);
            escapeHexDigit = true;
        } else if (c < 0x80) {
            out += static_cast<char>(c);
        } else {
            out += QStringView(s).sliced(i, pair ? 2 : 1).toUtf8();
            i += pair ? 1 : 0;
        }
    }
    if (quote || (out.size() > start && (out[start] == ' ' || out.back() == ' '))) {
        out.insert(start, '"');
        out += '"';
    }
}

} // namespace

namespace ini {

Values parse(QByteArrayView data)
{
    // First the sections' lines by section name, a section given twice as one; then each
    // section in the order of the names, a later key over an earlier one of the same name.
    std::map<QString, QByteArray> sections; // "" is [General]; the others end in '/'
    QString current;
    qsizetype currentStart = 0;
    qsizetype pos = 0;
    // A byte order mark is skipped when looking for sections, but stays in the first lines
    // of [General], where a name loses one mark when it is decoded.
    if (data.startsWith("\xef\xbb\xbf"))
        pos = 3;
    const auto endSection = [&](qsizetype end) {
        QByteArray& lines = sections[current];
        if (!lines.isEmpty())
            lines.append('\n');
        lines += data.sliced(currentStart, end - currentStart);
    };
    Line line;
    while (readLine(data, pos, line)) {
        if (data[line.start] != '[')
            continue;
        endSection(line.start);
        const QByteArrayView header = data.sliced(line.start, line.length);
        const qsizetype close = header.indexOf(']');
        const QByteArray name =
            (close < 0 ? header.sliced(1) : header.sliced(1, close - 1)).toByteArray().trimmed();
        current.clear();
        if (name.compare("general", Qt::CaseInsensitive) != 0) {
            if (name.compare("%general", Qt::CaseInsensitive) == 0)
                current = QString::fromLatin1(name.sliced(1));
            else
                appendName(name, current);
            current += u'/';
        }
        currentStart = pos;
    }
    endSection(data.size());

    Values values;
    for (const auto& [section, lines] : sections) {
        qsizetype at = 0;
        while (readLine(lines, at, line)) {
            if (line.equals < 0)
                continue; // a comment, or junk
            // The name without blanks around it, vertical tabs and form feeds included.
            const QByteArrayView name =
                QByteArrayView(lines).sliced(line.start, line.equals - line.start).trimmed();
            QString key = section;
            appendName(name, key);
            QString text;
            QStringList list;
            const QByteArrayView raw = QByteArrayView(lines).sliced(
                line.equals + 1, line.start + line.length - line.equals - 1);
            const std::optional<QString> value =
                unescapedValue(raw, text, list) ? listText(list) : typedText(text);
            if (value)
                values[key] = *value;
            else
                values.erase(key);
        }
    }
    return values;
}

QByteArray write(const Values& values)
{
    QByteArray general;                     // the keys without a section
    std::map<QString, QByteArray> sections; // by name
    for (const auto& [key, value] : values) {
        const qsizetype slash = key.indexOf(u'/');
        QByteArray& lines = slash < 0 ? general : sections[key.left(slash)];
        appendName(QStringView(key).sliced(slash + 1), lines);
        lines += '=';
        appendValue(value, lines);
        lines += '\n';
    }
    QByteArray out = general.isEmpty() ? QByteArray() : "[General]\n" + general;
    for (const auto& [section, lines] : sections) {
        if (!out.isEmpty())
            out += '\n';
        out += '[';
        // A section of this name would read as [General].
        if (section.compare(QLatin1String("general"), Qt::CaseInsensitive) == 0)
            out += '%' + section.toLatin1();
        else
            appendName(section, out);
        out += "]\n";
        out += lines;
    }
    return out;
}

} // namespace ini

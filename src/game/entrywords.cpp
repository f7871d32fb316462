// SPDX-License-Identifier: GPL-3.0-or-later
// What Enter will do with the typing, worked out as the keys would (keys.cpp) and said in words.
#include "entrywords.h"

#include "boardformat.h"
#include "clockfaces.h"
#include "game.h"
#include "keycodes.h"
#include "keynames.h"

#include <QCoreApplication>
#include <array>

using namespace fieldlimits;

namespace {

// Which words an entry takes: by what the field holds.
enum class Target : uint8_t { Clock, Number, Player, PenaltyTime, Goal };

Target targetOf(Field f)
{
    switch (fieldInfo(f).kind) {
    case FieldKind::Clock:
        return Target::Clock;
    case FieldKind::Number:
        return Target::Number;
    case FieldKind::Goal:
        return Target::Goal;
    case FieldKind::PenaltyPlayer:
        return Target::Player;
    case FieldKind::PenaltyTime:
        break;
    }
    return Target::PenaltyTime;
}

// %1 is the field (fieldWords), %2 the value or the text typed, %3 and %4 a range.
struct WordsRow
{
    Target target;
    EntryOutcome outcome;
    const char* text;
};
// clang-format off
constexpr std::array<WordsRow, 17> Words = {{
    {Target::Clock, EntryOutcome::Sets, QT_TRANSLATE_NOOP("Entry", "Enter sets %1 to %2")},
    {Target::Clock, EntryOutcome::NotATime, QT_TRANSLATE_NOOP("Entry", "Enter sets nothing: %2 is no game time (0:00 to 99:59)")},
    {Target::Number, EntryOutcome::Sets, QT_TRANSLATE_NOOP("Entry", "Enter sets %1 to %2")},
    {Target::Number, EntryOutcome::Waits, QT_TRANSLATE_NOOP("Entry", "Type a number for %1")},
    {Target::Number, EntryOutcome::AddsNext, QT_TRANSLATE_NOOP("Entry", "The next digit adds to %1; Enter sets it to %2")},
    {Target::Number, EntryOutcome::TakesNext, QT_TRANSLATE_NOOP("Entry", "The next digit takes from %1; Enter sets it to %2")},
    {Target::Number, EntryOutcome::OutOfRange, QT_TRANSLATE_NOOP("Entry", "Enter sets nothing: %1 is %3 to %4, not %2")},
    {Target::Player, EntryOutcome::Sets, QT_TRANSLATE_NOOP("Entry", "Enter sets %1 to player %2")},
    {Target::Player, EntryOutcome::Waits, QT_TRANSLATE_NOOP("Entry", "Type a player for %1")},
    {Target::Player, EntryOutcome::AddsNext, QT_TRANSLATE_NOOP("Entry", "The next digit adds to the player of %1; Enter sets it to %2")},
    {Target::Player, EntryOutcome::TakesNext, QT_TRANSLATE_NOOP("Entry", "The next digit takes from the player of %1; Enter sets it to %2")},
    {Target::Player, EntryOutcome::OutOfRange, QT_TRANSLATE_NOOP("Entry", "Enter sets nothing: a player is %3 to %4, not %2")},
    {Target::PenaltyTime, EntryOutcome::Sets, QT_TRANSLATE_NOOP("Entry", "Enter sets the time of %1 to %2")},
    {Target::PenaltyTime, EntryOutcome::NotATime, QT_TRANSLATE_NOOP("Entry", "Enter sets nothing: %2 is no penalty time (0:00 to 9:59)")},
    {Target::Goal, EntryOutcome::Lamps, QT_TRANSLATE_NOOP("Entry", "Left lights the home goal lamp, Right the visitor's, Down puts it out")},
    // Enter as a command key: alone (nothing typed on a time), or besides the entry.
    {Target::Clock, EntryOutcome::Waits, QT_TRANSLATE_NOOP("Entry", "Enter %5")},
    {Target::PenaltyTime, EntryOutcome::Waits, QT_TRANSLATE_NOOP("Entry", "Enter %5")},
}};

// By Field, in tab order.
constexpr std::array<const char*, FieldCount> FieldWords = {
    QT_TRANSLATE_NOOP("Entry", "the game clock"),
    QT_TRANSLATE_NOOP("Entry", "the home score"),
    QT_TRANSLATE_NOOP("Entry", "the visitor score"),
    QT_TRANSLATE_NOOP("Entry", "the goal lamps"),
    QT_TRANSLATE_NOOP("Entry", "the home shots"),
    QT_TRANSLATE_NOOP("Entry", "the period"),
    QT_TRANSLATE_NOOP("Entry", "the visitor shots"),
    QT_TRANSLATE_NOOP("Entry", "home penalty 1"),
    QT_TRANSLATE_NOOP("Entry", "home penalty 1"),
    QT_TRANSLATE_NOOP("Entry", "visitor penalty 1"),
    QT_TRANSLATE_NOOP("Entry", "visitor penalty 1"),
    QT_TRANSLATE_NOOP("Entry", "home penalty 2"),
    QT_TRANSLATE_NOOP("Entry", "home penalty 2"),
    QT_TRANSLATE_NOOP("Entry", "visitor penalty 2"),
    QT_TRANSLATE_NOOP("Entry", "visitor penalty 2"),
};

// By CommandKind; null where no key runs the command on its own.
constexpr std::array<const char*, CommandKindCount> CommandWords = {
    QT_TRANSLATE_NOOP("Entry", "starts or stops the clocks"),
    QT_TRANSLATE_NOOP("Entry", "starts or stops the game clock alone"),
    QT_TRANSLATE_NOOP("Entry", "resets the game clock"),
    QT_TRANSLATE_NOOP("Entry", "switches the clock between the game time and the time of day"),
    nullptr, // SetClock
    nullptr, // Goal
    nullptr, // SetScore
    nullptr, // AddShot
    nullptr, // SetShots
    nullptr, // SetPeriod
    nullptr, // SetPenalty
    QT_TRANSLATE_NOOP("Entry", "clears the selected penalty"),
    QT_TRANSLATE_NOOP("Entry", "starts or stops the selected penalty's clock"),
    nullptr, // AddWaiting
    nullptr, // RemoveWaiting
    nullptr, // SetGoalLamp
    QT_TRANSLATE_NOOP("Entry", "sounds the horn"),
    QT_TRANSLATE_NOOP("Entry", "sounds the buzzer"),
    QT_TRANSLATE_NOOP("Entry", "takes back the last change"),
    QT_TRANSLATE_NOOP("Entry", "does again what was taken back"),
};
// clang-format on

QString translated(const char* text)
{
    return QCoreApplication::translate("Entry", text);
}

// Fills %1 to %5 where the text has them; a translation may leave any out.
QString fill(QString text, const std::array<QString, 5>& args)
{
    for (size_t i = 0; i < args.size(); ++i)
        text.replace(QLatin1Char('%') + QString::number(i + 1), args[i]);
    return text;
}

QString wordsFor(Target target, EntryOutcome outcome, const std::array<QString, 5>& args)
{
    for (const WordsRow& row : Words)
        if (row.target == target && row.outcome == outcome)
            return fill(translated(row.text), args);
    return QString();
}

QString valueText(int64_t n)
{
    return n < 0 ? QCoreApplication::translate("Entry", "dark") : QString::number(n);
}

bool timeField(Field f)
{
    const FieldKind k = fieldInfo(f).kind;
    return k == FieldKind::Clock || k == FieldKind::PenaltyTime;
}

const TypedText& bufferOf(const GameState& s, Field f)
{
    return timeField(f) ? s.TimeBuffer : s.EntryBuffer;
}

} // namespace

QString fieldWords(Field f)
{
    return translated(FieldWords[static_cast<size_t>(index(f))]);
}

QString commandKeyWords(CommandKind kind)
{
    const char* text = CommandWords[static_cast<size_t>(kind)];
    return text ? translated(text) : QString();
}

QString clearKeyWords(Field f, const SettingVariables& keys)
{
    QString key = KeyCodeToStr(keys.ClearKey);
    if (key.isEmpty())
        key = QCoreApplication::translate("Entry", "The clear key");
    const FieldInfo& info = fieldInfo(f);
    if (info.kind == FieldKind::PenaltyPlayer || info.kind == FieldKind::PenaltyTime)
        return QCoreApplication::translate("Entry", "%1 clears %2").arg(key, fieldWords(f));
    if (info.kind == FieldKind::Number && info.minValue < 0)
        return QCoreApplication::translate("Entry", "%1 blanks %2").arg(key, fieldWords(f));
    return QString();
}

EntryPreview previewEntry(const GameState& s, const SettingVariables& keys, Field f)
{
    EntryPreview p;
    p.field = f;
    const TypedText& buffer = bufferOf(s, f);
    if (buffer.row == index(f))
        p.typed = buffer.text;
    const FieldInfo& info = fieldInfo(f);
    const Target target = targetOf(f);
    std::array<QString, 5> args = {fieldWords(f), p.typed,
                                   QString::number(std::max<int>(info.minValue, 0)),
                                   QString::number(info.maxValue), QString()};

    switch (info.kind) {
    case FieldKind::Clock:
    case FieldKind::PenaltyTime: {
        const bool clock = info.kind == FieldKind::Clock;
        const ClockValue v = ParseTime(p.typed);
        const int32_t limit = clock ? GameTimeLimit : PenaltyTimeLimit;
        if (v == NoTime || v > ClockValue::whole(limit)) {
            p.outcome = EntryOutcome::NotATime;
            break;
        }
        p.outcome = EntryOutcome::Sets;
        if (clock) {
            p.command = Command::setClock(v);
            args[1] = gameTimeText(v);
        } else {
            // Penalties are whole seconds: 2.055 (125.5 s) becomes 126.
            const ClockValue whole = ClockValue::whole(v.roundedHalfEven());
            p.command = Command::setPenalty(teamOf(info.penaltyClock), slotOf(info.penaltyClock),
                                            std::nullopt, whole);
            args[1] = PenaltyTimeText(whole);
        }
        break;
    }
    case FieldKind::Number:
    case FieldKind::PenaltyPlayer: {
        const int16_t now = s.number(f);
        const auto value = enteredNumber(p.typed, now);
        // A lone sign waits for its digit; Enter takes it as the number plus nothing, which
        // makes a dark number 0.
        if (p.typed == QLatin1String("+") || p.typed == QLatin1String("-")) {
            p.outcome =
                p.typed == QLatin1String("+") ? EntryOutcome::AddsNext : EntryOutcome::TakesNext;
            args[1] = valueText(*value);
            p.command = Game::numberCommand(f, static_cast<int16_t>(*value));
            break;
        }
        if (!value) {
            p.outcome = EntryOutcome::Waits;
            break;
        }
        args[1] = valueText(*value);
        if (*value < info.minValue || *value > info.maxValue) {
            p.outcome = EntryOutcome::OutOfRange;
            args[1] = QString::number(*value);
            break;
        }
        p.outcome = EntryOutcome::Sets;
        p.command = Game::numberCommand(f, static_cast<int16_t>(*value));
        break;
    }
    case FieldKind::Goal:
        p.outcome = EntryOutcome::Lamps;
        break;
    }

    // A command key put on Enter runs first; on a time field with nothing typed it is all
    // that Enter does.
    const std::optional<CommandKind> onEnter = Game::commandKeyOf(keys, vk::Enter);
    if (onEnter && info.kind != FieldKind::Goal) {
        args[4] = commandKeyWords(*onEnter);
        if (timeField(f) && p.typed.isEmpty()) {
            p.outcome = EntryOutcome::Waits;
            p.command.reset();
            p.words = wordsFor(target, EntryOutcome::Waits, args);
            return p;
        }
        p.words = QCoreApplication::translate("Entry", "%1; Enter also %2")
                      .arg(wordsFor(target, p.outcome, args), args[4]);
        return p;
    }
    p.words = wordsFor(target, p.outcome, args);
    return p;
}

std::vector<EntryPreview> leftoverEntries(const GameState& s, const SettingVariables& keys)
{
    std::vector<EntryPreview> out;
    for (const TypedText* buffer : {&s.TimeBuffer, &s.EntryBuffer}) {
        if (buffer->text.isEmpty() || buffer->row < 0 || buffer->row >= FieldCount ||
            buffer->row == index(s.selected))
            continue;
        out.push_back(previewEntry(s, keys, static_cast<Field>(buffer->row)));
    }
    return out;
}

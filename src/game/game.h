// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "command.h"
#include "gamerecord.h"
#include "gamestate.h"
#include "settingvariables.h"

#include <QObject>
#include <deque>
#include <optional>
#include <utility>
#include <vector>

// The modifier keys held with a key.
struct KeyModifiers
{
    bool ctrl = false;
    bool shift = false;
};

// The game: its state as numbers, the commands that change it, its record, and the keys
// that become commands. Time is read only through the time source; the settings are the
// game's own copy. Effects the game cannot carry out itself come out as signals.
class Game : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY(Game)
public:
    explicit Game(const SettingVariables& settings, QObject* parent = nullptr);

    const GameState& state() const { return game; }
    // A committed entry of a number field (or a penalty's player) as its command; nothing for
    // another kind of field.
    static std::optional<Command> numberCommand(Field f, int16_t value);
    const GameRecord& record() const { return log; }
    const SettingVariables& settings() const { return config; }
    // New settings, as after the options dialog: the keys change at once.
    void setSettings(const SettingVariables& settings);
    // Which sounds can be asked for: a player without a file plays nothing and holds no turn.
    void setSoundsAvailable(bool buzzer, bool horn);

    // Runs one command: applied whole, one undo step and one record entry when it changes
    // the game; refused with the reason, and nothing changed, when it cannot be done.
    CommandResult run(const Command& command, const CommandSource& source);
    // Notes in the record a command refused before it reached the game (a bad token).
    void recordRefusal(const QString& what, const QString& reason, const CommandSource& source);

    // What Ctrl+Z and Ctrl+Y would take back or do again: the first record entry of that
    // command.
    std::optional<GameEvent> nextUndo() const;
    std::optional<GameEvent> nextRedo() const;
    static constexpr int UndoSteps = 200;
    static constexpr int MaxWaiting = 16;

    // Whether a clock is counting: running, with time left, and the tick on.
    bool clockRunning() const;
    // Whether the game clock is counting.
    bool gameClockCounting() const;

    // A key pressed on the board or the console, on field `on` (none: on no field). The
    // console functions come first, then the command keys, then the field's own typing;
    // what a key means becomes commands from `source`.
    void keyDown(int16_t KeyCode, KeyModifiers modifiers, std::optional<Field> on,
                 const CommandSource& source = CommandSource::keyboard());
    void AllKeyUp(int16_t KeyCode);
    // The command keys alone (F1, F2 and the five assignable ones): whether one ran.
    bool AllKeyCode(int16_t KeyCode, const CommandSource& source = CommandSource::keyboard());
    // The command an assignable command key runs, by the keys of `keys`; the first in the
    // order that decides when two share a key.
    static std::optional<CommandKind> commandKeyOf(const SettingVariables& keys, int16_t KeyCode);
    // The assignable command keys as `keys` assign them, in that order.
    static std::vector<std::pair<int16_t, CommandKind>> commandKeys(const SettingVariables& keys);
    // A click on a goal lamp (Home or Visitor) lights it, or puts it out if it was lit.
    void toggleGoalLamp(GoalLamp lamp);
    // The field that takes the typing; what was typed elsewhere waits there.
    void select(Field f);
    // Throws away what is typed and not entered.
    void clearTyping();
    // Takes up a saved game: every value and the record as saved, every clock stopped where
    // it stood, the tick running. A game clock saved at zero does not sound the buzzer again.
    void resume(const GameState& saved, const GameRecord& savedRecord);
    // The 100 ms tick: reads the clocks and refreshes what the board shows; a penalty that
    // has run out gives its slot to its team's first waiting penalty; at zero the buzzer
    // sounds once and the tick stops.
    void tick();
    // The horn or the buzzer has finished.
    void soundDone();

    // The entry character of a key code: "0" to "9", "+", "-", ".", Space, Enter, 0 for the
    // clear key and -1 for a key without entry meaning.
    static int16_t entryCharacter(int16_t KeyCode, int16_t ClearKey);

Q_SIGNALS:
    void changed();
    // A tick of the clocks is over (its changed() came first): what is shown is as fresh as
    // it gets until the next one.
    void ticked();
    // setSettings() was given settings that differ from those the game held.
    void settingsChanged();
    // A new entry in the record.
    void recorded(const GameEvent& event);
    void playBuzzer();
    void playHorn();
    // F1 to F4, from the window whose key it was (the key's source): the help, the options,
    // the waiting penalties, the operator's console.
    void helpRequested(const CommandSource& source);
    void optionsRequested(const CommandSource& source);
    void waitingRequested(const CommandSource& source);
    void consoleRequested(const CommandSource& source);
    // The NumLock mode of the settings should be applied now.
    void numLockDue();
    void tickEnabledChanged(bool enabled);

private:
    // What one command changed, for undo and redo. Each part is put back only where the
    // game still holds what the command left: what time or a later command changed since
    // stays.
    struct Step
    {
        struct Values
        {
            std::array<int16_t, 2> score{}, shots{};
            int16_t period = 0;
            std::array<int16_t, 4> player{};
            std::array<bool, 4> timeShown{};
            GoalLamp lamp = GoalLamp::None;
            ClockValue reset;
            bool operator==(const Values&) const = default;
        };
        struct Clock
        {
            int clock;
            ClockValue before, after; // what it had left
        };
        struct Waiting
        {
            Team team;
            bool added; // or removed
            int index;
            WaitingPenalty penalty;
        };
        Values before, after;
        std::vector<Clock> clocks;
        // Each clock's set mark before and after the command. A clock set since (by hand or by
        // a waiting penalty taking its slot) holds something else now: neither it nor its
        // penalty slot is put back.
        std::array<uint32_t, ClockCount> marksBefore{}, marksAfter{};
        std::vector<Waiting> waiting;
        std::vector<int64_t> events; // its entries in the record
        GameEvent first;
    };
    static Step::Values valuesOf(const GameState& s);

    // Per command; each returns refused() before changing anything.
    CommandResult apply(const Command& c);
    CommandResult applyPenalty(const Command& c);
    CommandResult applyWaiting(const Command& c);
    CommandResult undoOrRedo(bool undo, const CommandSource& source);
    bool putBack(const Step& step, bool backwards, bool dryRun);

    // The record.
    GameEvent newEvent(EventKind kind, const CommandSource& source) const;
    void note(GameEvent e);
    void recordChange(const Command& c, const GameState& before, const CommandSource& source);

    // Clocks.
    void startStopAll();
    void gameClockAlone();
    void reset();
    void setGameTime(ClockValue v);
    void stopClockCounting(int i);
    void startClockCounting(int i);
    void setPenaltyTime(int clock, ClockValue v);
    void clearPenalty(int clock);
    void refreshClockFace();
    void handOverFreedSlots();
    void enableTick(bool on);
    bool sound(Sound s);

    // Keys and typing.
    bool consoleKey(int16_t KeyCode, KeyModifiers modifiers, std::optional<Field> on,
                    const CommandSource& source);
    void fieldKeyDown(Field f, int16_t KeyCode, const CommandSource& source);
    void typeNumber(Field f, int16_t Character, const CommandSource& source);
    void typeGameTime(int16_t Character, const CommandSource& source);
    void penaltyTimeKeyDown(int clock, int16_t KeyCode, const CommandSource& source);
    bool ignoredByEntry(int16_t KeyCode) const;
    bool enterOnlyRanACommand(bool command, int16_t KeyCode, Field f) const;
    bool isCommandKey(int16_t KeyCode) const;
    int16_t entryCharacter(int16_t KeyCode) const;

    GameState game;
    GameRecord log;
    SettingVariables config;
    std::deque<Step> undoSteps;
    std::deque<Step> redoSteps;
    bool buzzerAvailable = false;
    bool hornAvailable = false;
};

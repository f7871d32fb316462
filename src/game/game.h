// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "clocktable.h"
#include "digitrow.h"
#include "fields.h"
#include "settingvariables.h"
#include "timetext.h"

#include <QObject>
#include <array>
#include <cstdint>
#include <deque>
#include <optional>
#include <vector>

// Which goal lamp is lit; at most one is.
enum class GoalLamp : int16_t { None = 0, Home = 1, Visitor = 2 };

enum class Team { Home = 0, Visitor = 1 };

// A penalty that waits for one of its team's two slots: a team is at most two players short.
struct WaitingPenalty
{
    int16_t player = -1; // 0 to 99, or -1 for none
    ClockValue time;     // whole seconds, 1 to 599
    bool operator==(const WaitingPenalty&) const = default;
};
using WaitingList = std::vector<WaitingPenalty>;

// The team of a penalty clock (1 and 2 home, 3 and 4 visitor).
constexpr Team teamOf(int clock)
{
    return clock <= 2 ? Team::Home : Team::Visitor;
}

// Everything the board shows, and what the operator has typed, as plain values.
struct GameState
{
    GameState();

    std::array<DigitRow, FieldCount> rows; // the goal indicator's row has no cells
    bool clockColon = true; // the clock's upper dot is lit: minutes:seconds or the time of day
    std::array<bool, 4> penaltyLamp{}; // by penalty clock 1 to 4
    GoalLamp WhoGoal = GoalLamp::None;
    bool ClockTime = false;     // the clock field shows the time of day
    bool BuzzerPlaying = false; // the horn or the buzzer plays
    bool BuzzedAtZero = false;  // the buzzer has sounded for the clock standing at zero
    bool tickEnabled = false;   // the 100 ms tick runs
    Field selected = Field::Time;
    ClockValue ClockReset = ClockValue::whole(600); // what the reset key restores
    ClockTable clocks;
    TypedText TimeBuffer;               // shared by the clock and the penalty times
    TypedText EntryBuffer;              // shared by the number fields and the penalty players
    std::array<WaitingList, 2> waiting; // by Team, in the order they take a slot

    const DigitRow& row(Field f) const { return rows[static_cast<size_t>(index(f))]; }
    DigitRow& row(Field f) { return rows[static_cast<size_t>(index(f))]; }
    // A penalty's colon shows while its time row is not blank.
    bool penaltyColon(int clock) const { return row(penaltySlot(clock).time)[0] >= 0; }
    bool penaltyLampLit(int clock) const { return penaltyLamp[static_cast<size_t>(clock - 1)]; }
    const WaitingList& waitingOf(Team t) const { return waiting[static_cast<size_t>(t)]; }

    bool operator==(const GameState&) const = default;
};

// The game: the board's state and the operator's commands on it. Key codes and ticks go in;
// the state changes, and effects the game cannot carry out itself come out as signals.
// Time is read only through the time source; the settings are the game's own copy.
class Game : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY(Game)
public:
    explicit Game(const SettingVariables& settings, QObject* parent = nullptr);

    const GameState& state() const { return game; }
    // Whether a clock is running with time left on it.
    bool clockRunning() const;
    const SettingVariables& settings() const { return config; }
    // New settings, as after the options dialog: the keys change and the lamps are read again.
    void setSettings(const SettingVariables& settings);
    // Which sounds can be asked for: a player without a file plays nothing and holds no turn.
    void setSoundsAvailable(bool buzzer, bool horn);

    // The console functions, which sit on keys that do nothing otherwise; the board asks
    // here first. Ctrl+H and Ctrl+V score a goal for home or visitor, Ctrl+P adds a period,
    // Ctrl with the start/stop key starts or stops the game clock alone, Ctrl+Z undoes and
    // Ctrl+Shift+Z or Ctrl+Y redoes. F3 asks for the waiting penalties; F5, F6 and F7 set 2:00,
    // 4:00 and 5:00 on a selected penalty time. A command key keeps its command: those keys
    // without Ctrl are not taken when a command is on them. `on` is the field the key was
    // typed on, the selected one if none. Returns whether the key was taken.
    bool consoleKey(int16_t KeyCode, bool ctrl, bool shift, std::optional<Field> on = {});

    // Adds a waiting penalty (player 0 to 99 or -1, time 1 to 599 whole seconds); false when
    // the values are out of range or the team's list is full.
    bool addWaitingPenalty(Team team, int16_t player, ClockValue time);
    void removeWaitingPenalty(Team team, int index);
    static constexpr int MaxWaiting = 16;

    // Takes back the operator's last change, or does it again. Starting and stopping clocks
    // and the passing of time are not changes here; an undo restores the values the change
    // replaced and leaves running clocks running.
    bool undo();
    bool redo();
    static constexpr int UndoSteps = 200;

    // The board-wide command keys. Returns whether the key ran a command.
    bool AllKeyCode(int16_t KeyCode);
    void AllKeyUp(int16_t KeyCode);
    // A key pressed on a field: the commands first, then the field's own typing.
    void fieldKeyDown(Field f, int16_t KeyCode);
    // A click on a goal lamp (Home or Visitor) lights it, or puts it out if it was lit.
    void toggleGoalLamp(GoalLamp lamp);
    void select(Field f);
    // Takes up a saved game: every value as saved, every clock stopped where it stood, the
    // tick running. A game clock saved at zero does not sound the buzzer again.
    void resume(const GameState& saved);
    // The 100 ms tick: reads the clocks, refreshes the clock field and the penalties, and at
    // zero sounds the buzzer once and stops itself.
    void tmrClock1_Timer();
    // The horn or the buzzer has finished.
    void soundDone();

    // Entry character of a key code: "0" to "9", "+", "-", ".", Space, Enter, 0 for the clear
    // key and -1 for a key without entry meaning.
    static int16_t KeyCodeToAsci(int16_t KeyCode, int16_t ClearKey);

Q_SIGNALS:
    void changed();
    void playBuzzer();
    void playHorn();
    void helpRequested();
    void optionsRequested();
    void waitingRequested();
    // The NumLock mode of the settings should be applied now.
    void numLockDue();
    void tickEnabledChanged(bool enabled);

private:
    // What one operator's action changed, for undo and redo.
    struct Change
    {
        struct Row
        {
            Field field;
            DigitRow before, after;
        };
        struct Clock
        {
            int clock;
            ClockValue before, after;
        };
        std::vector<Row> rows;
        std::vector<Clock> clocks;
        ClockValue resetBefore, resetAfter;
        GoalLamp lampBefore = GoalLamp::None, lampAfter = GoalLamp::None;
        std::array<WaitingList, 2> waitingBefore, waitingAfter;
    };
    // Records the operator's action that runs while it lives (the outermost one only).
    class Action
    {
    public:
        explicit Action(Game& game);
        ~Action();
        Action(const Action&) = delete;
        Action& operator=(const Action&) = delete;

    private:
        Game& g;
        bool outermost;
        GameState before;
        std::array<ClockValue, ClockCount> readings{};
    };
    void record(const GameState& before, const std::array<ClockValue, ClockCount>& readings);
    void apply(const Change& c, bool backwards);
    void showClockRow(int clock);
    void scoreGoal(Team team);
    void gameClockAlone();
    void setPenaltyTime(int clock, ClockValue v);
    bool takeWaitingPenalty(int clock);
    bool isCommandKey(int16_t KeyCode) const;

    void StartStopCommand();
    void ResetCommand();
    void TypeGameTime(int16_t ch);
    void StopClockCounting(int i);
    void enableTick(bool on);
    void Buzzer();
    void Horn();
    void Penalty();
    void ClearPenalty(int clock);
    void EnterDigits(Field f, int16_t Character);
    void PenaltyTimeKeyDown(int clock, int16_t KeyCode);
    bool ignoredByEntry(int16_t KeyCode) const;
    bool enterOnlyRanACommand(bool command, int16_t KeyCode, Field f) const;
    int16_t entryCharacter(int16_t KeyCode) const;

    GameState game;
    SettingVariables config;
    std::deque<Change> undoSteps;
    std::deque<Change> redoSteps;
    int actionDepth = 0;
    bool buzzerAvailable = false;
    bool hornAvailable = false;
};

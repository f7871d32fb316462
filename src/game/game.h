#pragma once

#include "clocktable.h"
#include "digitrow.h"
#include "fields.h"
#include "settingvariables.h"
#include "timetext.h"

#include <QObject>
#include <array>
#include <cstdint>

// Which goal lamp is lit; at most one is.
enum class GoalLamp : int16_t { None = 0, Home = 1, Visitor = 2 };

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
    TypedText TimeBuffer;  // shared by the clock and the penalty times
    TypedText EntryBuffer; // shared by the number fields and the penalty players

    const DigitRow& row(Field f) const { return rows[static_cast<size_t>(index(f))]; }
    DigitRow& row(Field f) { return rows[static_cast<size_t>(index(f))]; }
    // A penalty's colon shows while its time row is not blank.
    bool penaltyColon(int clock) const { return row(penaltySlot(clock).time)[0] >= 0; }
    bool penaltyLampLit(int clock) const { return penaltyLamp[static_cast<size_t>(clock - 1)]; }

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
    // The NumLock mode of the settings should be applied now.
    void numLockDue();
    void tickEnabledChanged(bool enabled);

private:
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
    bool buzzerAvailable = false;
    bool hornAvailable = false;
};

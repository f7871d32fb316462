// SPDX-License-Identifier: GPL-3.0-or-later
// The game and its commands: what each one checks and changes.
#include "game.h"

#include <algorithm>

using namespace fieldlimits;

namespace {

constexpr ClockValue NewGameTime = ClockValue::whole(600);

QString teamWord(Team t)
{
    return t == Team::Home ? QStringLiteral("home") : QStringLiteral("visitor");
}

CommandResult outOfRange(const char* what, int lowest, int highest)
{
    return CommandResult::refused(
        QStringLiteral("%1 is %2 to %3").arg(QLatin1String(what)).arg(lowest).arg(highest));
}

bool inRange(const std::optional<int16_t>& n, int lowest, int highest)
{
    return n && *n >= lowest && *n <= highest;
}

// Penalties are whole seconds up to 9:59.
bool isPenaltyTime(ClockValue t, bool zeroAllowed)
{
    return t >= (zeroAllowed ? ClockValue() : ClockValue::whole(1)) &&
           t <= ClockValue::whole(PenaltyTimeLimit) && t == ClockValue::whole(t.wholePart());
}

} // namespace

GameState::GameState()
{
    face.gameTime = ClockReset;
}

int16_t GameState::number(Field f) const
{
    switch (f) {
    case Field::Home:
        return scoreOf(Team::Home);
    case Field::Visitor:
        return scoreOf(Team::Visitor);
    case Field::ShotsHome:
        return shotsOf(Team::Home);
    case Field::ShotsVisitor:
        return shotsOf(Team::Visitor);
    case Field::Period:
        return period;
    default:
        break;
    }
    const FieldInfo& info = fieldInfo(f);
    return info.kind == FieldKind::PenaltyPlayer ? penalty(info.penaltyClock).player : NoNumber;
}

Game::Game(const SettingVariables& settings, QObject* parent) : QObject(parent), config(settings)
{
    game.ClockReset = NewGameTime;
    game.clocks.SetClock(game.ClockReset, GameClock);
    game.face = ClockFace{false, NewGameTime, 0};
}

void Game::setSettings(const SettingVariables& settings)
{
    const bool different = !(config == settings);
    config = settings;
    Q_EMIT changed();
    if (different)
        Q_EMIT settingsChanged();
}

void Game::setSoundsAvailable(bool buzzer, bool horn)
{
    buzzerAvailable = buzzer;
    hornAvailable = horn;
}

CommandResult Game::run(const Command& command, const CommandSource& source)
{
    if (command.kind == CommandKind::Undo || command.kind == CommandKind::Redo)
        return undoOrRedo(command.kind == CommandKind::Undo, source);
    const GameState before = game;
    const CommandResult result = apply(command);
    // A sound that cannot play may report its end at once; it was still asked for.
    const bool sounded = command.kind == CommandKind::Horn || command.kind == CommandKind::Buzzer;
    if (result && (sounded || !(game == before))) {
        recordChange(command, before, source);
        Q_EMIT changed();
    }
    return result;
}

CommandResult Game::apply(const Command& c)
{
    const auto t = static_cast<size_t>(c.team);
    switch (c.kind) {
    case CommandKind::StartStop:
        startStopAll();
        break;
    case CommandKind::GameClockAlone:
        gameClockAlone();
        break;
    case CommandKind::Reset:
        reset();
        break;
    case CommandKind::ClockSwitch:
        game.ClockTime = !game.ClockTime;
        break;
    case CommandKind::SetClock:
        if (!c.time || *c.time < ClockValue() || *c.time > ClockValue::whole(GameTimeLimit))
            return CommandResult::refused(QStringLiteral("a game time is 0:00 to 99:59"));
        setGameTime(*c.time);
        break;
    case CommandKind::Goal: {
        const int next = std::max<int>(game.score[t], 0) + 1;
        if (next > ScoreMax)
            return CommandResult::refused(QStringLiteral("the %1 score is at its highest, %2")
                                              .arg(teamWord(c.team))
                                              .arg(ScoreMax));
        game.score[t] = static_cast<int16_t>(next);
        game.WhoGoal = lampOf(c.team);
        break;
    }
    case CommandKind::SetScore:
        if (!inRange(c.number, NoNumber, ScoreMax))
            return outOfRange("a score", 0, ScoreMax);
        game.score[t] = *c.number;
        break;
    case CommandKind::AddShot: {
        const int next = std::max<int>(game.shots[t], 0) + 1;
        if (next > CountMax)
            return CommandResult::refused(QStringLiteral("the %1 shots are at their highest, %2")
                                              .arg(teamWord(c.team))
                                              .arg(CountMax));
        game.shots[t] = static_cast<int16_t>(next);
        break;
    }
    case CommandKind::SetShots:
        if (!inRange(c.number, NoNumber, CountMax))
            return outOfRange("shots", 0, CountMax);
        game.shots[t] = *c.number;
        break;
    case CommandKind::SetPeriod:
        if (!inRange(c.number, 0, PeriodMax))
            return outOfRange("the period", 0, PeriodMax);
        game.period = *c.number;
        break;
    case CommandKind::SetPenalty:
    case CommandKind::ClearPenalty:
    case CommandKind::PenaltyClock:
        return applyPenalty(c);
    case CommandKind::AddWaiting:
    case CommandKind::RemoveWaiting:
        return applyWaiting(c);
    case CommandKind::SetGoalLamp:
        game.WhoGoal = c.lamp;
        break;
    case CommandKind::Horn:
    case CommandKind::Buzzer: {
        const bool horn = c.kind == CommandKind::Horn;
        if (!(horn ? hornAvailable : buzzerAvailable))
            return CommandResult::refused(horn ? QStringLiteral("the horn has no sound")
                                               : QStringLiteral("the buzzer has no sound"));
        if (!sound(horn ? Sound::Horn : Sound::Buzzer))
            return CommandResult::refused(QStringLiteral("another sound is playing"));
        break;
    }
    case CommandKind::Undo:
    case CommandKind::Redo:
        break; // see run()
    }
    return CommandResult::done();
}

CommandResult Game::applyPenalty(const Command& c)
{
    if (c.slot < 1 || c.slot > 2)
        return CommandResult::refused(QStringLiteral("a penalty slot is 1 or 2"));
    const int clock = penaltyClock(c.team, c.slot);
    switch (c.kind) {
    case CommandKind::SetPenalty:
        if (!c.number && !c.time)
            return CommandResult::refused(QStringLiteral("a penalty needs a player or a time"));
        if (c.number && !inRange(c.number, NoNumber, CountMax))
            return outOfRange("a player", 0, CountMax);
        if (c.time && !isPenaltyTime(*c.time, true))
            return CommandResult::refused(
                QStringLiteral("a penalty time is whole seconds, 0:00 to 9:59"));
        if (c.number)
            game.penalty(clock).player = *c.number;
        if (c.time)
            setPenaltyTime(clock, *c.time);
        break;
    case CommandKind::ClearPenalty:
        clearPenalty(clock);
        break;
    default: // its own clock
        if (game.clocks.IsRunning(clock)) {
            stopClockCounting(clock);
        } else {
            game.clocks.StartClock(clock);
            enableTick(true);
        }
        break;
    }
    return CommandResult::done();
}

CommandResult Game::applyWaiting(const Command& c)
{
    WaitingList& list = game.waiting[static_cast<size_t>(c.team)];
    if (c.kind == CommandKind::RemoveWaiting) {
        if (c.index < 0 || c.index >= static_cast<int>(list.size()))
            return CommandResult::refused(QStringLiteral("the %1 team has no waiting penalty %2")
                                              .arg(teamWord(c.team))
                                              .arg(c.index + 1));
        list.erase(list.begin() + c.index);
        return CommandResult::done();
    }
    if (!inRange(c.number, NoNumber, CountMax))
        return outOfRange("a player", 0, CountMax);
    if (!c.time || !isPenaltyTime(*c.time, false))
        return CommandResult::refused(
            QStringLiteral("a waiting penalty's time is whole seconds, 0:01 to 9:59"));
    if (list.size() >= MaxWaiting)
        return CommandResult::refused(QStringLiteral("the %1 team has %2 penalties waiting already")
                                          .arg(teamWord(c.team))
                                          .arg(MaxWaiting));
    list.push_back({*c.number, *c.time});
    return CommandResult::done();
}

void Game::toggleGoalLamp(GoalLamp lamp)
{
    run(Command::setGoalLamp(game.WhoGoal == lamp ? GoalLamp::None : lamp),
        CommandSource::window(QStringLiteral("board")));
}

void Game::select(Field f)
{
    game.selected = f;
    Q_EMIT changed();
}

void Game::clearTyping()
{
    if (game.TimeBuffer.text.isEmpty() && game.EntryBuffer.text.isEmpty())
        return;
    game.TimeBuffer.text.clear();
    game.EntryBuffer.text.clear();
    Q_EMIT changed();
}

bool Game::sound(Sound s)
{
    if (game.sounding != Sound::None)
        return false;
    if (!(s == Sound::Horn ? hornAvailable : buzzerAvailable))
        return false;
    game.sounding = s;
    if (s == Sound::Horn)
        Q_EMIT playHorn();
    else
        Q_EMIT playBuzzer();
    return true;
}

void Game::soundDone()
{
    game.sounding = Sound::None;
    Q_EMIT changed();
}

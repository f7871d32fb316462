// SPDX-License-Identifier: GPL-3.0-or-later
#include "strength.h"

#include <algorithm>
#include <vector>

namespace {

// The running penalties of a team: what each slot with time left has left.
std::vector<ClockValue> runningOf(const GameState& s, Team t)
{
    std::vector<ClockValue> left;
    for (int slot = 1; slot <= 2; ++slot)
        if (s.penaltyLampLit(penaltyClock(t, slot)))
            left.push_back(s.penalty(penaltyClock(t, slot)).shownTime);
    return left;
}

int shortOf(const GameState& s, Team t)
{
    const size_t penalties = runningOf(s, t).size() + s.waitingOf(t).size();
    return static_cast<int>(std::min<size_t>(penalties, Strength::MostShort));
}

// When the team gets a skater back: the slots run out in turn, each handed to the next
// waiting penalty while one waits.
ClockValue untilASkaterBack(const GameState& s, Team t)
{
    std::vector<ClockValue> ends = runningOf(s, t);
    const WaitingList& waiting = s.waitingOf(t);
    // A waiting penalty beside a free slot (which the next tick hands over) starts now.
    size_t next = 0;
    while (ends.size() < size_t(Strength::MostShort) && next < waiting.size())
        ends.push_back(waiting[next++].time);
    while (!ends.empty()) {
        const auto first = std::min_element(ends.begin(), ends.end());
        if (next == waiting.size())
            return *first;
        *first = *first + waiting[next++].time;
    }
    return ClockValue();
}

} // namespace

Strength strengthOf(const GameState& s)
{
    Strength st;
    for (const Team t : Teams)
        st.skaters[static_cast<size_t>(t)] = Strength::FullStrength - shortOf(s, t);
    const int home = st.of(Team::Home);
    const int visitor = st.of(Team::Visitor);
    if (home == visitor)
        return st;
    st.powerPlay = home > visitor ? Team::Home : Team::Visitor;
    st.powerPlayLeft = untilASkaterBack(s, home > visitor ? Team::Visitor : Team::Home);
    return st;
}

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "gamestate.h"

#include <array>
#include <optional>

// How many skaters each team has on the ice, as the penalties say, and who has the power play.
//
// A team is one skater short for each penalty slot whose time shows time left, and for each
// penalty waiting for a slot, but never more than two: a third penalty waits. Five skaters
// less the players short, so 5, 4 or 3. Penalties on both teams count on both sides, so one
// each is 4 on 4 and nobody has the power play; the team with more skaters has it.
//
// The power play's time is the time until the short-handed team (the one with fewer skaters)
// gets a skater back: its slots run out in turn, and a slot that runs out while a penalty waits
// goes to that penalty, so the team stays short until a slot runs out with none waiting.
struct Strength
{
    static constexpr int FullStrength = 5;
    static constexpr int MostShort = 2;

    std::array<int, 2> skaters{FullStrength, FullStrength}; // by Team
    std::optional<Team> powerPlay;                          // the team with more skaters
    ClockValue powerPlayLeft; // while there is a power play: until the strength changes

    int of(Team t) const { return skaters[static_cast<size_t>(t)]; }
    bool operator==(const Strength&) const = default;
};

// From the penalty slots as they show now and the waiting penalties.
Strength strengthOf(const GameState& s);

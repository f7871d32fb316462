#pragma once

#include "clockvalue.h"

// The game time the reset command restores: 600 after the board opens, then every game
// time typed into the clock field.
extern ClockValue ClockReset;

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "timesource.h"

// Time that stands still until a test moves it, installed for the lifetime of the object.
struct FakeTime : ManualTimeSource
{
    FakeTime() { setTimeSource(this); }
    ~FakeTime() override { setTimeSource(nullptr); }
};

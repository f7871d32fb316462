// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "settingsbacking.h"

// The settings store in memory, installed for the lifetime of the object.
struct FakeStore : MemorySettingsBacking
{
    FakeStore() { setSettingsBacking(this); }
    ~FakeStore() override { setSettingsBacking(nullptr); }
};

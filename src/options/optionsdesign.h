// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "design.h"

#include <span>

// The options dialog's and the key chooser's designs, in twips, in control order.
std::span<const DesignRow> optionsDesign();
std::span<const DesignRow> chooseKeyDesign();

constexpr double OptionsClientWidth = 7230; // room for the six tabs in every language
constexpr double OptionsClientHeight = 7110;
constexpr double ChooseKeyClientWidth = 4680;
// Tall enough for three lines of request and of refusal: the longest command's request
// takes three.
constexpr double ChooseKeyClientHeight = 2835;

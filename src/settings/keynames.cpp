// SPDX-License-Identifier: GPL-3.0-or-later
#include "keynames.h"

#include "keycodes.h"

#include <QCoreApplication>
#include <array>
#include <utility>

namespace {

// Named keys besides the letters and F3 to F12, in key code order.
// clang-format off
constexpr std::array<std::pair<int16_t, const char*>, 21> Named = {{
    {vk::Backspace, QT_TRANSLATE_NOOP("KeyNames", "Backspace")},
    {vk::Enter, QT_TRANSLATE_NOOP("KeyNames", "Enter")},
    {vk::Ctrl, QT_TRANSLATE_NOOP("KeyNames", "Ctrl")},
    {vk::Pause, QT_TRANSLATE_NOOP("KeyNames", "Pause/Break")},
    {vk::PageUp, QT_TRANSLATE_NOOP("KeyNames", "Page Up")},
    {vk::PageDown, QT_TRANSLATE_NOOP("KeyNames", "Page Down")},
    {vk::End, QT_TRANSLATE_NOOP("KeyNames", "End")},
    {vk::Home, QT_TRANSLATE_NOOP("KeyNames", "Home")},
    {vk::Insert, QT_TRANSLATE_NOOP("KeyNames", "Insert")},
    {vk::Delete, QT_TRANSLATE_NOOP("KeyNames", "Delete")},
    {vk::Multiply, QT_TRANSLATE_NOOP("KeyNames", "Numpad *")},
    {vk::Divide, QT_TRANSLATE_NOOP("KeyNames", "Numpad /")},
    {vk::Semicolon, ";"},
    {vk::Comma, ","}, {vk::Period, "."}, {vk::Slash, "/"}, {vk::Grave, "`"},
    {vk::BracketLeft, "["}, {vk::Backslash, "\\"}, {vk::BracketRight, "]"}, {vk::Quote, "\""},
}};
// clang-format on

constexpr bool inKeyCodeOrder()
{
    for (size_t i = 1; i < Named.size(); ++i)
        if (Named[i - 1].first >= Named[i].first)
            return false;
    return true;
}
static_assert(inKeyCodeOrder());

// F1 and F2 are the board's own; the commands can take F3 to F12.
constexpr int16_t FirstAssignableF = vk::F1 + 2;
constexpr int16_t LastAssignableF = vk::F1 + 11;
constexpr int16_t LastLetter = vk::KeyA + 25;

} // namespace

QString KeyCodeToStr(int16_t KeyCode)
{
    if (KeyCode >= vk::KeyA && KeyCode <= LastLetter)
        return QString(QChar(KeyCode));
    if (KeyCode >= FirstAssignableF && KeyCode <= LastAssignableF)
        return QStringLiteral("F") + QString::number(KeyCode - vk::F1 + 1);
    for (const auto& [code, name] : Named)
        if (code == KeyCode)
            return QCoreApplication::translate("KeyNames", name);
    return QString();
}

#include "keynames.h"

#include <array>
#include <utility>

namespace {

constexpr std::array<std::pair<int16_t, const char*>, 21> Named = {{
    {8, "Backspace"},  {13, "Enter"},     {17, "Ctrl"}, {19, "Pause/Break"}, {33, "Page Up"},
    {34, "Page Down"}, {35, "End"},       {36, "Home"}, {45, "Insert"},      {46, "Delete"},
    {106, "Numpad *"}, {111, "Numpad /"}, {186, ";"},   {188, ","},          {190, "."},
    {191, "/"},        {192, "`"},        {219, "["},   {220, "\\"},         {221, "]"},
    {222, "\""},
}};

} // namespace

QString KeyCodeToStr(int16_t KeyCode)
{
    if (KeyCode >= 65 && KeyCode <= 90)
        return QString(QChar(KeyCode));
    if (KeyCode >= 114 && KeyCode <= 123)
        return QStringLiteral("F") + QString::number(KeyCode - 111);
    for (const auto& [code, name] : Named)
        if (code == KeyCode)
            return QString::fromLatin1(name);
    return QString();
}

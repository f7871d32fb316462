#include "digitrows.h"

#include "colors.h"
#include "form.h"
#include "polyled.h"
#include "settingvariables.h"

#include <optional>

namespace {

// More digits than this cannot be a value of any row; treat the number as out of range.
constexpr int MaxDigits = 15;
constexpr int64_t OutOfRange = 1'000'000'000'000'000;

// The whole part of the number at the start of a text, as a loose reader of typed
// numbers takes it: an optional sign, then digits; reading stops at the first character
// that cannot continue the number, and an empty number counts as 0.
int64_t leadingNumber(const QString& text)
{
    qsizetype i = 0;
    bool negative = false;
    if (i < text.size() && (text[i] == QLatin1Char('+') || text[i] == QLatin1Char('-'))) {
        negative = text[i] == QLatin1Char('-');
        ++i;
    }
    int64_t v = 0;
    int digits = 0;
    for (; i < text.size() && text[i] >= QLatin1Char('0') && text[i] <= QLatin1Char('9'); ++i) {
        if (++digits > MaxDigits)
            return negative ? -OutOfRange : OutOfRange;
        v = v * 10 + (text[i].unicode() - '0');
    }
    return negative ? -v : v;
}

} // namespace

QString rowText(const DigitRow& Digits)
{
    QString text;
    for (auto i = Digits.size(); i-- > 0;)
        if (Digits[i]->Caption() >= 0)
            text += QString::number(Digits[i]->Caption());
    return text;
}

void ShowDigits(const DigitRow& Digits, const QString& Text, int16_t MinValue, int16_t MaxValue)
{
    const QString current = rowText(Digits);

    std::optional<int64_t> value;
    const QChar first = Text.isEmpty() ? QChar() : Text[0];
    if (!Text.isEmpty() && first.unicode() == 0)
        value = -1;
    else if (first >= QLatin1Char('0') && first <= QLatin1Char('9'))
        value = leadingNumber(Text);
    else if (first == QLatin1Char('+'))
        value = leadingNumber(current) + leadingNumber(Text.mid(1));
    else if (first == QLatin1Char('-'))
        value = leadingNumber(current) - leadingNumber(Text.mid(1));

    if (!value || *value < MinValue || *value > MaxValue)
        return;

    const QString text = QString::number(*value);
    const bool blank = *value == -1;
    for (size_t i = 0; i < Digits.size(); ++i) {
        int16_t caption = PolyLED::BlankDigit;
        if (!blank && static_cast<qsizetype>(i) < text.size()) {
            const QChar c = text[text.size() - 1 - static_cast<qsizetype>(i)];
            if (c.isDigit())
                caption = static_cast<int16_t>(c.unicode() - '0');
        }
        Digits[i]->setCaption(caption);
    }
}

void ColorLeds(const DigitRow& Target, int32_t LitColour)
{
    for (PolyLED* d : Target)
        ColorLeds(d, LitColour);
}

void ColorLeds(PolyLED* Target, int32_t LitColour)
{
    Target->setBackColor(toQColor(Settings.LEDBack));
    Target->setLitColor(toQColor(LitColour));
}

void SetLedType(const Form& Window, int32_t LedTypeValue)
{
    for (Control* c : Window.Controls()) {
        const QString type = c->TypeName();
        if (type == QLatin1String("PolyLED") || type == QLatin1String("TimeLED") ||
            type == QLatin1String("NumberLED"))
            if (auto* led = dynamic_cast<PolyLED*>(c))
                led->setLedType(LedTypeValue);
    }
}

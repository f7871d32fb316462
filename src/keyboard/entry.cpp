// Field selection and number entry.
#include "entry.h"

#include "frmscoreboard.h"
#include "polyled.h"
#include "settingvariables.h"
#include "shape.h"
#include "twips.h"

TypedNumber EntryBuffer;

void frmScoreBoard::ObjectSelected(Control* SelectedObject)
{
    const double w = Settings.LEDSelectedWidth * twips::PerPixel;
    shpObjectSelected->setVisible(false);
    if (!SelectedObject)
        return;
    // The marker is one pixel wider and higher than a symmetric frame.
    shpObjectSelected->Move(SelectedObject->Left() - w, SelectedObject->Top() - w,
                            SelectedObject->Width() + 2 * w + twips::PerPixel,
                            SelectedObject->Height() + 2 * w + twips::PerPixel);
    shpObjectSelected->setVisible(true);
}

void frmScoreBoard::EnterDigits(const DigitRow& Digits, int16_t Character, int16_t MinValue,
                                int16_t MaxValue)
{
    QString& typed = EntryBuffer.text;
    auto apply = [&] {
        ShowDigits(Digits, typed, MinValue, MaxValue);
        typed.clear();
    };
    const QString& name = Digits[0]->Name();
    if (name != EntryBuffer.rowName) {
        typed.clear();
        EntryBuffer.rowName = name;
    }
    if (Character >= '0' && Character <= '9')
        typed += QChar(Character);
    if (Character == '+' || Character == '-')
        typed += QChar(Character);
    if (Character == ' ')
        typed.clear();
    if (Character == 0)
        ShowDigits(Digits, QString(QChar(0)), MinValue, MaxValue);

    const bool signedText =
        typed.startsWith(QLatin1Char('+')) || typed.startsWith(QLatin1Char('-'));
    if (Digits.size() == 1 && !signedText)
        apply();
    if (typed.size() >= 2 && signedText && typed[1].isDigit())
        apply();
    if (Character == 13)
        apply();
}

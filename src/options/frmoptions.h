// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "frmchoosekey.h"

#include <QDialog>
#include <QString>
#include <array>
#include <cstdint>

class ComboBox;
class CommandButton;
class Form;
class HScrollBar;
class Image;
class Label;
class OptionButton;
class PictureBox;
class PolyLED;
class TabControl;
class TextBox;

// The options dialog. It works on a copy of the settings: opening loads the copy from the
// setting variables, OK copies it back and stores it, Cancel (or Escape, or the close box)
// drops it.
class frmOptions : public QDialog
{
    Q_OBJECT
public:
    explicit frmOptions(QWidget* owner = nullptr);
    ~frmOptions() override;

    // A file path as a box of Length characters shows it: a long path keeps its head and
    // its bare file name with " ..." between them; no path reads "[No File Selected]".
    static QString ChopFileName(const QString& FileName, int16_t Length);

    // The largest font size, from 60 points down, at which both team names fit the board's
    // name boxes; 9 when they fit at no size.
    void PreviewIt();

    void cmdOk_Click();
    void cmdCancel_Click();
    void cmdResetColors_Click();
    void cmdResetKeys_Click();

    // The working copy that the controls do not hold themselves.
    QString BuzzTemp;
    QString HornTemp;
    int16_t TempSize = 0;
    QString HomePicTemp;
    QString VisitorPicTemp;
    QString BoardPicTemp;
    int16_t StartStopClockKeyTemp = 0;
    int16_t ResetClockKeyTemp = 0;
    int16_t ClockSwitchKeyTemp = 0;
    int16_t ClearKeyTemp = 0;
    int16_t SepTimeKeyTemp = 0;
    int16_t BuzzerKeyTemp = 0;
    int16_t HornKeyTemp = 0;

    // The keys the seven commands hold in the working copy.
    frmChooseKey::HeldKeys heldKeys() const;

    const Form& form() const { return *client; }
    TabControl* SSTab1 = nullptr;
    CommandButton* cmdOk = nullptr;
    CommandButton* cmdCancel = nullptr;
    CommandButton* cmdResetKeys = nullptr;
    CommandButton* cmdResetColors = nullptr;
    OptionButton* optNormal = nullptr;
    OptionButton* optKeepOn = nullptr;
    OptionButton* optKeepOff = nullptr;
    Label* lblBFile = nullptr;
    Label* lblHFile = nullptr;
    HScrollBar* scrLEDSelectedWidth = nullptr;
    Label* lblLEDSelectedWidthValue = nullptr;
    TextBox* txtHomeText = nullptr;
    TextBox* txtVisitorText = nullptr;
    TextBox* txtBoardCaption = nullptr;
    Label* lblHomePreview = nullptr;
    Label* lblVisitorPreview = nullptr;
    ComboBox* cmbLedType = nullptr;
    PolyLED* pledPreview = nullptr;

protected:
    void showEvent(QShowEvent* e) override;

private:
    void wire();
    void Form_Load();
    void chooseKey(size_t action);
    void changeColor(size_t group);
    void changeSound(size_t sound);
    void changePicture(size_t group);
    void clearPicture(size_t group);
    void setSwatch(size_t group, int32_t color);
    void showWidth(int value);

    Form* client = nullptr;
    std::array<PictureBox*, 9> swatches{};
    std::array<int32_t, 9> swatchColors{};
    std::array<Label*, 7> keyBoxes{};
};

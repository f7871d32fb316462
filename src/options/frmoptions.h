// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "frmchoosekey.h"
#include "settingtable.h"

#include <QByteArray>
#include <QDialog>
#include <QString>
#include <cstdint>
#include <functional>
#include <vector>

class ComboBox;
class CommandButton;
class Form;
class Image;
class Label;
class PolyLED;
class TabControl;
class TextBox;

// The control page's address with the token, as a phone opens it from a QR code: the page takes
// the token from the address, keeps it, and takes it out of the address bar.
QByteArray controlPageAddress(const QString& origin, const QByteArray& token);

// The options dialog. It works on a copy of the settings: opening loads the copy from the
// setting variables, OK copies it back and stores it, Cancel (or Escape, or the close box)
// drops it. Its controls are those of the setting table's rows (see SettingRow::ControlKind):
// a setting added to the table with its controls in the design is loaded, changed, reset
// and stored without more code here.
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
    // Asks, then puts a new remote token in place of the old one, which stops working.
    void cmdNewToken_Click();

    // Where the server that takes remote commands answers ("http://127.0.0.1:8080"), for the
    // control page's address on the Remote page; empty (as at the start) when there is none.
    static void setControlPageOrigin(const QString& origin);
    // The remote token's file; RemoteToken::defaultPath() unless told.
    static void setTokenPath(const QString& path);
    // Whether --remote-control turned remote control on for this run, whatever the box says;
    // the box's caption then says so.
    static void setRemoteControlGiven(bool given);
    // The broker --mqtt gave for this run, which the MQTT page then does not decide; empty
    // when none was given.
    static void setBrokerGiven(const QString& address);
    // What OK asks of a changed broker: why the settings' broker cannot be used, or nothing.
    // Without one, OK takes the broker as it is typed.
    static void setBrokerCheck(std::function<QString(const SettingVariables&)> check);

    // The size for the team names that OK stores: the stored one until PreviewIt works it out.
    int16_t teamSizeToStore() const { return TempSize; }

    // The keys the commands hold in the working copy, in the setting table's order.
    frmChooseKey::HeldKeys heldKeys() const;

    // The controls that code drives by name, found once when the dialog is built.
    struct Controls
    {
        TabControl* SSTab1 = nullptr;
        CommandButton* cmdOk = nullptr;
        CommandButton* cmdCancel = nullptr;
        CommandButton* cmdResetKeys = nullptr;
        CommandButton* cmdResetColors = nullptr;
        TextBox* txtHomeText = nullptr;
        TextBox* txtVisitorText = nullptr;
        Label* lblHomePreview = nullptr;
        Label* lblVisitorPreview = nullptr;
        ComboBox* cmbLedType = nullptr;
        PolyLED* pledPreview = nullptr;
        Label* lblRemoteToken = nullptr;
        CommandButton* cmdNewToken = nullptr;
        Label* lblControlPage = nullptr;
        Image* imgRemoteQr = nullptr;
        Label* lblMqttProblem = nullptr;
    };
    const Controls& controls() const { return ui; }
    const Form& form() const { return *client; }

protected:
    void showEvent(QShowEvent* e) override;

private:
    // The controls of one row of the setting table, found once when the dialog is built.
    struct RowControls;

    void bindRows();
    void Form_Load();
    // The working copy's value of a row into its controls, and back.
    void showRow(const RowControls& c);
    void takeRow(const RowControls& c);
    void chooseKey(const RowControls& c);
    void changeColor(const RowControls& c);
    void changeFile(const RowControls& c);
    void clearPicture(const RowControls& c);
    void resetRows(SettingRow::Reset which);
    // The remote token, the control page's address and its QR code; the file's error instead
    // when it cannot be used.
    void showRemoteToken(bool renew);

    Form* client = nullptr;
    Controls ui;
    int16_t TempSize = 0;
    bool tokenShown = false;
    // The working copy: every setting as the dialog holds it (Temp.HornKey is HornKeyTemp).
    // Controls that hold a value themselves (text boxes, lists, option buttons, check boxes,
    // scroll controls) give it back at OK.
    SettingVariables Temp;
    std::vector<RowControls> rows;
};

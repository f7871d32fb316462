// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "label.h"
#include "shape.h"

#include <cstdint>
#include <span>

class Form;

// The font of labels that name none: Arial at 10 pixels, the size of the classic dialog
// font's text.
constexpr double DialogFontPoints = 7.5;

// One control of a window's design table. Positions and sizes are twips relative to the
// container named by `parent` (the window itself when null). Rows are listed in control
// order, containers before what they hold; later rows lie on top of earlier ones.
struct DesignRow
{
    enum class Kind {
        Label,
        PictureBox,
        Image,
        Shape,
        PolyLED,
        Frame,
        CommandButton,
        OptionButton,
        CheckBox,
        TextBox,
        ComboBox, // the caption lists the entries, separated by "|"
        HScrollBar,
        TabControl,
        TabPage // the parent is its tab control; the caption is the tab's text
    };
    static constexpr int32_t NoColor = -1;

    Kind kind;
    const char* name;
    int index = -1;
    const char* parent = nullptr;
    double left = 0;
    double top = 0;
    double width = 0;
    double height = 0;
    // Text of a label, frame, button, option button, check box, text box or tab.
    const char* caption = nullptr;
    // Label and text box fonts; a null family is the dialog font, Arial.
    const char* font = nullptr;
    double fontSize = 0;
    bool bold = false;
    Label::Align align = Label::Align::Left;
    bool wordWrap = false;
    bool autoSize = false;
    // Labels: a text wider than the label is drawn smaller (see Label::setShrinkToFit).
    bool shrinkToFit = false;
    // A thin outline around a label or picture box.
    bool border = false;
    int32_t foreColor = NoColor;
    int32_t backColor = NoColor;
    // Shapes.
    Shape::Kind shape = Shape::Kind::Rectangle;
    double borderWidth = 1;
    int32_t borderColor = NoColor; // NoColor: no outline
    int32_t fillColor = NoColor;   // NoColor: not filled
    // LED digits.
    double ledSize = 0;
    int16_t digit = -1;
    // Picture boxes that take the focus, in this tab position.
    int tabIndex = -1;
    bool visible = true;
    bool stretch = false;
};

// Makes the controls of a design table on a window, in table order.
void buildControls(Form& form, std::span<const DesignRow> rows);

#pragma once

class QWidget;

// Shows the help window without waiting for it, centred on the opener's screen; a second
// request brings the open one forward.
void showHelpWindow(QWidget* opener);

// Shows the options dialog modally over `parent` and returns when it has closed. Returns
// true when it closed with OK.
bool showOptionsDialog(QWidget* parent);

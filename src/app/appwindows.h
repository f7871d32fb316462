#pragma once

class QWidget;

// Shows the help window without waiting for it; a second request brings the open one
// forward.
void showHelpWindow();

// Shows the options dialog modally over `parent` and returns when it has closed. Returns
// true when it closed with OK.
bool showOptionsDialog(QWidget* parent);

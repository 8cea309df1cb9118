#pragma once
// Small window behaviours shared by every window library.
class QWidget;

// Closes a window shown inside the main window together with its frame (the sub-window);
// closing only the inner widget would leave an empty frame behind. Outside, closes the widget.
void CloseChildWindow(QWidget* w);

// No push button of `dialog` turns Enter into a click: a dialog's first auto-default button
// would otherwise become its default, and Enter in a text box would press it.
void NoDefaultButton(QWidget& dialog);

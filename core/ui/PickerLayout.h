#pragma once
// The layout both pickers share: their grid above, "选择添加" (cmdSel) and "关闭窗口" (cmdCancel)
// at the lower right.
class Grid;
class QDialog;
class QPushButton;

struct PickerButtons {
    QPushButton* select;
    QPushButton* cancel;
};
PickerButtons LayOutPicker(QDialog& dialog, Grid& grid);

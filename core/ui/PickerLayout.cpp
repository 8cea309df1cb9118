#include "core/ui/PickerLayout.h"

#include "core/ui/Grid.h"
#include "core/ui/WindowHelpers.h"

#include <QDialog>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

PickerButtons LayOutPicker(QDialog& dialog, Grid& grid) {
    auto* select = new QPushButton(QStringLiteral("选择添加"), &dialog);
    select->setObjectName(QStringLiteral("cmdSel"));
    auto* cancel = new QPushButton(QStringLiteral("关闭窗口"), &dialog);
    cancel->setObjectName(QStringLiteral("cmdCancel"));
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(select);
    buttons->addWidget(cancel);
    auto* layout = new QVBoxLayout(&dialog);
    layout->addWidget(&grid);
    layout->addLayout(buttons);
    QObject::connect(cancel, &QPushButton::clicked, &dialog, &QDialog::reject);
    NoDefaultButton(dialog);
    return {select, cancel};
}

#include "ui/lists/frmLKind.h"

namespace {
const ClassListEditor::Config kConfig = {
    "frmLKind",
    "联系人性质设置",
    "联系人性质",
    "性质编号",
    "性质名称",
    "grdKind",
    nullptr,
    nullptr,
    nullptr,
    nullptr,
    false,
    "fraDelKind",
    "删除性质",
    "txtDelKind",
    "修改性质名称",
    "txtEditKind",
    "添加性质名称",
    "txtAddKind",
    "修改性质",
    "删除性质",
    "添加性质",
    "性质名称：",
    "请填写性质名称后再点击确认！",
    "请选择项目并填写性质名称后再点击确认！",
};
} // namespace

frmLKind::frmLKind(QWidget* parent) : ClassListEditor(kConfig, parent) {}

#include "ui/lists/frmCKind.h"

#include "core/Prompt.h"

namespace {
const ClassListEditor::Config kConfig = {
    "frmCKind",
    "企业性质",
    "企业性质",
    "性质编号",
    "性质名称",
    "grdKind",
    "fraSelKind",
    "选择企业性质",
    "txtSelKind",
    "txtKind",
    true,
    nullptr,
    nullptr,
    nullptr,
    "修改/删除企业性质",
    "txtEditKind",
    "添加企业性质",
    "txtAddKind",
    "修改性质",
    "删除性质",
    "添加性质",
    "性质名称：",
    "请填写性质名称后再点击确认！",
    "请选择项目并填写性质名称后再点击确认！",
};
} // namespace

frmCKind::frmCKind(QWidget* opener) : ClassListEditor(kConfig, opener) {}

void frmCKind::pick(QWidget* opener, const QString& tag) {
    frmCKind editor(opener);
    editor.setCaller(tag);
    editor.setSelectionEnabled(true);
    Prompt::exec(editor);
}

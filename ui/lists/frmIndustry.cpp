#include "ui/lists/frmIndustry.h"

#include "core/Prompt.h"

namespace {
const ClassListEditor::Config kConfig = {
    "frmIndustry",
    "企业行业",
    "企业行业",
    "行业编号",
    "行业名称",
    "grdIndustry",
    "fraSelIndustry",
    "选择行业名称",
    "txtSelIndustry",
    "txtIndustry",
    false,
    nullptr,
    nullptr,
    nullptr,
    "修改行业名称",
    "txtEditIndustry",
    "添加行业名称",
    "txtAddIndustry",
    "修改行业",
    "删除行业",
    "添加行业",
    "行业名称：",
    "请填写行业名称后再点击确认！",
    "请选择项目并填写行业名称后再点击确认！",
};
} // namespace

frmIndustry::frmIndustry(QWidget* opener) : ClassListEditor(kConfig, opener) {}

void frmIndustry::pick(QWidget* opener, const QString& tag) {
    frmIndustry editor(opener);
    editor.setCaller(tag);
    editor.setSelectionEnabled(true);
    Prompt::exec(editor);
}

#include "ui/company/frmCompanyForm.h"

#include "core/AppSettings.h"
#include "core/Pinyin.h"
#include "core/Prompt.h"
#include "core/modDBCommand.h"
#include "core/ui/WindowHelpers.h"
#include "ui/company/TextBox.h"
#include "ui/lists/frmCKind.h"
#include "ui/lists/frmIndustry.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
struct Field {
    int column;
    const char* name; // column of 企业
    const char* box;
    const char* label;
    bool required;
};
const Field kFields[] = {
    {1, "企业名称", "txtName", "企业名称：", true},
    {2, "名称首拼", "txtNameABC", "名称首拼：", true},
    {3, "企业性质", "txtKind", "企业性质：", true},
    {4, "企业行业", "txtIndustry", "企业行业：", true},
    {5, "企业地址", "txtAddress", "企业地址：", false},
    {6, "企业电话", "txtTelephone", "办公电话：", false},
    {7, "企业传真", "txtFax", "公司传真：", false},
    {8, "企业网址", "txtHomePage", "企业网址：", false},
    {9, "法人代表", "txtCorporation", "法人代表：", false},
    {10, "经营范围", "txtArea", "经营范围：", false},
};
// The order in which the save writes the columns.
const int kSaveOrder[] = {5, 10, 9, 7, 8, 4, 3, 1, 2, 6};

const Field& field(int column) {
    return kFields[column - 1];
}

const QString kRowGone = QStringLiteral("查询错误: 记录已不存在");
} // namespace

CompanyForm::CompanyForm(Mode mode, QWidget* parent) : QDialog(parent), m_mode(mode) {
    const bool add = mode == Mode::Add;
    setObjectName(add ? QStringLiteral("frmAddCompany") : QStringLiteral("frmEditCompany"));
    setWindowTitle(add ? QStringLiteral("添加企业单位信息") : QStringLiteral("修改企业单位信息"));
    if (!add)
        m_id = SelectedId;

    auto* frame = new QGroupBox(QStringLiteral("添加企业信息"), this);
    frame->setObjectName(QStringLiteral("Frame1"));
    auto* grid = new QGridLayout(frame);
    for (const Field& f : kFields) {
        const int row = f.column - 1;
        QString label = QString::fromUtf8(f.label);
        if (f.column == 7 && !add)
            label = QStringLiteral("企业传真：");
        grid->addWidget(new QLabel(label, frame), row, 0);
        auto* edit = new QLineEdit(frame);
        edit->setObjectName(QString::fromLatin1(f.box));
        PrepareTextBox(edit);
        m_boxes[f.column] = edit;
        grid->addWidget(edit, row, 1);
        if (f.column == 3 || f.column == 4) {
            auto* more = new QPushButton(QStringLiteral("..."), frame);
            more->setObjectName(f.column == 3 ? QStringLiteral("cmdKindList")
                                              : QStringLiteral("cmdIndustryList"));
            more->setFixedWidth(28);
            more->setAutoDefault(false);
            grid->addWidget(more, row, 2);
            connect(more, &QPushButton::clicked, this,
                    f.column == 3 ? &CompanyForm::pickKind : &CompanyForm::pickIndustry);
        }
        if (f.required) {
            auto* star = new QLabel(QStringLiteral("*"), frame);
            star->setStyleSheet(QStringLiteral("color: red"));
            grid->addWidget(star, row, 3);
        }
        connect(edit, &QLineEdit::textChanged, this, [this] { m_dirty = true; });
    }
    grid->setColumnMinimumWidth(1, 300);
    // Initials follow the name as typed; an empty name leaves them alone.
    connect(box(1), &QLineEdit::textChanged, this, [this](const QString& name) {
        if (!name.trimmed().isEmpty())
            box(2)->setText(PinyinInitials(name));
    });

    auto* save = new QPushButton(add ? QStringLiteral("保存添加") : QStringLiteral("保存修改"), this);
    save->setObjectName(QStringLiteral("cmdSave"));
    auto* cancel = new QPushButton(add ? QStringLiteral("放弃添加") : QStringLiteral("放弃修改"), this);
    cancel->setObjectName(QStringLiteral("cmdCancel"));
    cancel->setAutoDefault(false);
    connect(save, &QPushButton::clicked, this, &CompanyForm::save);
    connect(cancel, &QPushButton::clicked, this, &CompanyForm::reject);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(save);
    buttons->addWidget(cancel);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(frame);
    layout->addLayout(buttons);
    NoDefaultButton(*this);
}

void CompanyForm::showEvent(QShowEvent* e) {
    QDialog::showEvent(e);
    // Only the first showing marks the pre-filled state as unchanged; coming back from a
    // picker or a message box must keep what the user did.
    if (!m_shownOnce) {
        m_shownOnce = true;
        m_dirty = false;
        box(1)->setFocus();
    }
}

QString CompanyForm::callerTag() const {
    return m_mode == Mode::Add ? QStringLiteral("AddCompany") : QStringLiteral("EditCompany");
}

void CompanyForm::pickKind() {
    frmCKind::pick(this, callerTag());
}
void CompanyForm::pickIndustry() {
    frmIndustry::pick(this, callerTag());
}

void CompanyForm::reject() {
    if (m_dirty &&
        Prompt::message(QStringLiteral("你确定不保存就退出吗？"), QStringLiteral("提醒"),
                        Prompt::Icon::Information, Prompt::Buttons::OkCancel) != Prompt::Answer::Ok)
        return;
    QDialog::reject();
}

void CompanyForm::save() {
    for (int column = 1; column <= 4; ++column) {
        if (box(column)->text().trimmed().isEmpty()) {
            Prompt::error(QStringLiteral("有*的项目为必填项目！"));
            box(column)->setFocus();
            return;
        }
    }
    const bool add = m_mode == Mode::Add;
    SqlText = add ? QStringLiteral("select * from [企业] where [企业编号]=0")
                  : QStringLiteral("select * from [企业] where [企业编号]=") + QString::number(m_id);
    SqlMessage.clear();
    RecordsetPtr rs = ExecuteSql(SqlText, SqlMessage);
    if (IsSqlError(SqlMessage) || !rs) {
        Prompt::error(SqlMessage);
        return;
    }
    if (add) {
        rs->AddNew();
    } else if (rs->RecordCount() != 1) {
        Prompt::error(kRowGone);
        return;
    }
    for (int column : kSaveOrder) {
        const QString text = box(column)->text().trimmed();
        // Add leaves an empty column unwritten (Null); edit stores Null so a cleared value goes.
        if (add && text.isEmpty())
            continue;
        if (!rs->SetValue(QString::fromUtf8(field(column).name),
                          text.isEmpty() ? QVariant() : QVariant(text))) {
            Prompt::error(rs->LastError());
            rs->CancelUpdate();
            return;
        }
    }
    if (!rs->Update()) {
        Prompt::error(rs->LastError());
        return;
    }
    rs->Close();
    accept();
}

frmAddCompany::frmAddCompany(QWidget* parent) : CompanyForm(Mode::Add, parent) {}

frmEditCompany::frmEditCompany(QWidget* parent) : CompanyForm(Mode::Edit, parent) {}

void frmEditCompany::fill(const QStringList& cells) {
    // Name first: it recomputes the initials, which the stored ones then replace.
    for (int column = 1; column <= 10; ++column)
        box(column)->setText(cells.value(column));
}

#include "ui/visit/frmVisitForm.h"

#include "core/Clock.h"
#include "core/DateText.h"
#include "core/Prompt.h"
#include "core/Recordset.h"
#include "core/ui/WindowHelpers.h"
#include "ui/company/frmSelectCompany.h"
#include "ui/contact/frmSelectLinkMan.h"
#include "ui/visit/VisitQuery.h"
#include "ui/visit/VisitWidgets.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShowEvent>
#include <QStyle>
#include <QVBoxLayout>

namespace {
QString nonNull(const QString& s) {
    return s.isNull() ? QStringLiteral("") : s;
}

QLineEdit* readOnlyBox(const QString& name, QWidget* parent) {
    auto* box = new QLineEdit(parent);
    box->setObjectName(name);
    box->setReadOnly(true);
    return box;
}

QPushButton* smallButton(const QString& name, QWidget* parent) {
    auto* b = new QPushButton(QStringLiteral("..."), parent);
    b->setObjectName(name);
    b->setFixedWidth(32);
    b->setAutoDefault(false);
    return b;
}

QPushButton* clearButton(const QString& name, QLineEdit* box, QWidget* parent) {
    auto* b = new QPushButton(parent->style()->standardIcon(QStyle::SP_DialogResetButton), QString(), parent);
    b->setObjectName(name);
    b->setToolTip(QStringLiteral("清除单位"));
    b->setFixedWidth(32);
    QObject::connect(b, &QPushButton::clicked, box, &QLineEdit::clear);
    return b;
}

QLabel* label(const QString& text, QWidget* parent) {
    return new QLabel(text, parent);
}
} // namespace

frmVisitForm::frmVisitForm(QWidget* parent, Kind kind) : QDialog(parent), m_kind(kind) {
    const bool add = kind == Kind::Add;
    setObjectName(add ? QStringLiteral("frmAddVisit") : QStringLiteral("frmEditVisit"));
    setWindowTitle(add ? QStringLiteral("添加拜访日程") : QStringLiteral("修改拜访日程"));

    // 受访对象: visited company | visited person.
    auto* fraVisited = new QGroupBox(QStringLiteral("受访对象"), this);
    fraVisited->setObjectName(QStringLiteral("fraVisited"));
    txtVisited = readOnlyBox(QStringLiteral("txtVisited"), fraVisited);
    txtLinkMan[0] = readOnlyBox(QStringLiteral("txtLinkMan_0"), fraVisited);
    auto* selCompany0 = smallButton(QStringLiteral("cmdSelCompany_0"), fraVisited);
    // Clearing the company lets the person pickers list every contact again.
    auto* clearCompany0 = clearButton(QStringLiteral("cmdClearCompany_0"), txtVisited, fraVisited);
    auto* selLinkMan1 = smallButton(QStringLiteral("cmdSelLinkMan_1"), fraVisited);
    {
        auto* g = new QGridLayout(fraVisited);
        g->addWidget(label(QStringLiteral("受访单位："), fraVisited), 0, 0);
        g->addWidget(txtVisited, 0, 1);
        g->addWidget(selCompany0, 0, 2);
        g->addWidget(clearCompany0, 0, 3);
        g->addWidget(label(QStringLiteral("受访人："), fraVisited), 0, 4);
        g->addWidget(txtLinkMan[0], 0, 5);
        g->addWidget(selLinkMan1, 0, 6);
        g->setColumnStretch(1, 3);
        g->setColumnStretch(5, 2);
    }

    // 实施对象: implementing company | responsible person, then the implementers.
    auto* frame1 = new QGroupBox(QStringLiteral("实施对象"), this);
    frame1->setObjectName(QStringLiteral("Frame1"));
    txtVisit = readOnlyBox(QStringLiteral("txtVisit"), frame1);
    txtLinkMan[1] = readOnlyBox(QStringLiteral("txtLinkMan_1"), frame1);
    txtVisitor = readOnlyBox(QStringLiteral("txtVisitor"), frame1);
    auto* selCompany1 = smallButton(QStringLiteral("cmdSelCompany_1"), frame1);
    auto* clearCompany1 = clearButton(QStringLiteral("cmdClearCompany_1"), txtVisit, frame1);
    auto* selLinkMan2 = smallButton(QStringLiteral("cmdSelLinkMan_2"), frame1);
    auto* selLinkMan0 = smallButton(QStringLiteral("cmdSelLinkMan_0"), frame1);
    {
        auto* g = new QGridLayout(frame1);
        g->addWidget(label(QStringLiteral("实施单位："), frame1), 0, 0);
        g->addWidget(txtVisit, 0, 1);
        g->addWidget(selCompany1, 0, 2);
        g->addWidget(clearCompany1, 0, 3);
        g->addWidget(label(QStringLiteral("责任人："), frame1), 0, 4);
        g->addWidget(txtLinkMan[1], 0, 5);
        g->addWidget(selLinkMan2, 0, 6);
        g->addWidget(label(QStringLiteral("实施人员："), frame1), 1, 0);
        g->addWidget(txtVisitor, 1, 1, 1, 5);
        g->addWidget(selLinkMan0, 1, 6);
        g->setColumnStretch(1, 3);
        g->setColumnStretch(5, 2);
    }

    // 拜访内容.
    auto* frame2 = new QGroupBox(QStringLiteral("拜访内容"), this);
    frame2->setObjectName(QStringLiteral("Frame2"));
    QWidget* recordRow = nullptr;
    QWidget* visitStartRow = nullptr;
    QWidget* visitEndRow = nullptr;
    QWidget* remindStartRow = nullptr;
    QWidget* remindEndRow = nullptr;
    txtRecord =
        dateRow(QStringLiteral("txtRecord"), QStringLiteral("dpRecord"), "登记时间", frame2, &recordRow);
    txtVisitStart = dateRow(QStringLiteral("txtVisitStart"), QStringLiteral("dpVisitStart"), "工作开始时间",
                            frame2, &visitStartRow);
    txtVisitEnd = dateRow(QStringLiteral("txtVisitEnd"), QStringLiteral("dpVisitEnd"), "工作结束时间", frame2,
                          &visitEndRow);
    txtRemindStart = dateRow(QStringLiteral("txtRemindStart"), QStringLiteral("dpRemindStart"),
                             "开始提醒时间", frame2, &remindStartRow);
    txtRemindEnd = dateRow(QStringLiteral("txtRemindEnd"), QStringLiteral("dpRemindEnd"), "结束提醒时间",
                           frame2, &remindEndRow);
    cboOver = VisitUi::makeFixedList(QStringLiteral("cboOver"),
                                     {QStringLiteral("未完成"), QStringLiteral("已完成")}, frame2);
    cboImportant = VisitUi::makeFixedList(
        QStringLiteral("cboImportant"),
        {QStringLiteral("不重要"), QStringLiteral("普通"), QStringLiteral("重要"), QStringLiteral("很重要")},
        frame2);
    cboRemind = VisitUi::makeFixedList(QStringLiteral("cboRemind"),
                                       {QStringLiteral("需要提醒"), QStringLiteral("不需提醒")}, frame2);
    txtIntent = new VisitUi::LimitedLineEdit(50, frame2);
    txtIntent->setObjectName(QStringLiteral("txtIntent"));
    txtIntent->setToolTip(QStringLiteral("此工作日程的目的"));
    txtProject = new VisitUi::LimitedTextEdit(255, frame2);
    txtProject->setObjectName(QStringLiteral("txtProject"));
    txtProject->setToolTip(QStringLiteral("具体活动安排"));
    // 255 in both forms: the column and the label allow it.
    txtNote = new VisitUi::LimitedTextEdit(255, frame2);
    txtNote->setObjectName(QStringLiteral("txtNote"));
    txtNote->setToolTip(QStringLiteral("完成情况计划结果"));
    {
        auto* g = new QGridLayout(frame2);
        g->addWidget(label(QStringLiteral("登记时间："), frame2), 0, 0);
        g->addWidget(recordRow, 0, 1);
        g->addWidget(label(QStringLiteral("完成标志："), frame2), 0, 2);
        g->addWidget(cboOver, 0, 3);
        g->addWidget(label(QStringLiteral("重要程度："), frame2), 1, 0);
        g->addWidget(cboImportant, 1, 1);
        g->addWidget(label(QStringLiteral("开始时间："), frame2), 1, 2);
        g->addWidget(visitStartRow, 1, 3);
        g->addWidget(label(QStringLiteral("结束时间："), frame2), 1, 4);
        g->addWidget(visitEndRow, 1, 5);
        g->addWidget(label(QStringLiteral("需要提醒："), frame2), 2, 0);
        g->addWidget(cboRemind, 2, 1);
        g->addWidget(label(QStringLiteral("开始时间："), frame2), 2, 2);
        g->addWidget(remindStartRow, 2, 3);
        g->addWidget(label(QStringLiteral("结束时间："), frame2), 2, 4);
        g->addWidget(remindEndRow, 2, 5);
        g->addWidget(label(QStringLiteral("拜访事项："), frame2), 3, 0);
        g->addWidget(txtIntent, 3, 1, 1, 5);
        auto textLabel = [frame2](const QString& caption) {
            auto* w = new QWidget(frame2);
            auto* v = new QVBoxLayout(w);
            v->setContentsMargins(0, 0, 0, 0);
            v->addWidget(new QLabel(caption, w));
            v->addWidget(new QLabel(QStringLiteral("最大255个字符"), w));
            v->addStretch();
            return w;
        };
        g->addWidget(textLabel(QStringLiteral("工作方案：")), 4, 0);
        g->addWidget(txtProject, 4, 1, 1, 5);
        g->addWidget(textLabel(QStringLiteral("内容结果：")), 5, 0);
        g->addWidget(txtNote, 5, 1, 1, 5);
        for (int c : {1, 3, 5})
            g->setColumnStretch(c, 1);
    }

    cmdSave = new QPushButton(QStringLiteral("保存添加"), this);
    cmdSave->setObjectName(QStringLiteral("cmdSave"));
    cmdSave->setAutoDefault(false);
    cmdCancel = new QPushButton(QStringLiteral("放弃添加"), this);
    cmdCancel->setObjectName(QStringLiteral("cmdCancel"));
    cmdCancel->setAutoDefault(false);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cmdSave);
    buttons->addWidget(cmdCancel);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(fraVisited);
    layout->addWidget(frame1);
    layout->addWidget(frame2, 1);
    layout->addLayout(buttons);
    resize(720, 560);
    NoDefaultButton(*this);

    connect(selCompany0, &QPushButton::clicked, this, [this] { pickCompany(0); });
    connect(selCompany1, &QPushButton::clicked, this, [this] { pickCompany(1); });
    connect(selLinkMan0, &QPushButton::clicked, this, [this] { pickPerson(0); });
    connect(selLinkMan1, &QPushButton::clicked, this, [this] { pickPerson(1); });
    connect(selLinkMan2, &QPushButton::clicked, this, [this] { pickPerson(2); });
    connect(cmdSave, &QPushButton::clicked, this, &frmVisitForm::save);
    connect(cmdCancel, &QPushButton::clicked, this, &frmVisitForm::reject);

    for (QLineEdit* e :
         {txtVisited, txtVisit, txtVisitor, txtLinkMan[0], txtLinkMan[1], txtRecord, txtVisitStart,
          txtVisitEnd, txtRemindStart, txtRemindEnd, static_cast<QLineEdit*>(txtIntent)})
        connect(e, &QLineEdit::textChanged, this, &frmVisitForm::markDirty);
    for (QPlainTextEdit* e :
         {static_cast<QPlainTextEdit*>(txtProject), static_cast<QPlainTextEdit*>(txtNote)})
        connect(e, &QPlainTextEdit::textChanged, this, &frmVisitForm::markDirty);
    for (QComboBox* c : {cboOver, cboImportant, cboRemind})
        connect(c, &QComboBox::currentTextChanged, this, &frmVisitForm::markDirty);

    // The pickers start at today; the boxes stay empty until a date is chosen.
    const QDate today = Clock::get().today();
    for (const DateBox& d : m_dates)
        d.picker->setDate(today);
    if (add) {
        cboOver->setCurrentIndex(0);
        cboImportant->setCurrentIndex(0);
        cboRemind->setCurrentIndex(1);
        txtRecord->setText(DateText::format(today));
    }
    // An add form counts what its opener fills in as a change; the edit form clears the flag
    // once it is shown with the opener's values.
    IsDirty = false;
}

QLineEdit* frmVisitForm::dateRow(const QString& box, const QString& picker, const char* column,
                                 QWidget* parent, QWidget** rowOut) {
    auto* row = new QWidget(parent);
    auto* h = new QHBoxLayout(row);
    h->setContentsMargins(0, 0, 0, 0);
    h->setSpacing(0);
    auto* edit = readOnlyBox(box, row);
    auto* dp = new VisitUi::DatePicker(row);
    dp->setObjectName(picker);
    h->addWidget(edit, 1);
    h->addWidget(dp);
    connect(dp, &VisitUi::DatePicker::picked, edit,
            [edit](const QDate& d) { edit->setText(DateText::format(d)); });
    // A date set by the opener becomes the calendar's starting day.
    connect(edit, &QLineEdit::textChanged, dp, [dp](const QString& t) {
        if (const auto d = DateText::parse(t))
            dp->setDate(*d);
    });
    m_dates.append({edit, dp, column});
    *rowOut = row;
    return edit;
}

void frmVisitForm::setColumns(const QStringList& t) {
    QLineEdit* boxes[] = {txtVisited, txtLinkMan[0], txtVisit, txtVisitor, txtLinkMan[1], txtRecord};
    for (int i = 0; i < 6; ++i)
        boxes[i]->setText(t.value(i));
    cboOver->setCurrentText(t.value(6));
    cboImportant->setCurrentText(t.value(7));
    txtVisitStart->setText(t.value(8));
    txtVisitEnd->setText(t.value(9));
    cboRemind->setCurrentText(t.value(10));
    txtRemindStart->setText(t.value(11));
    txtRemindEnd->setText(t.value(12));
    txtIntent->setText(t.value(13));
    txtProject->setPlainText(t.value(14));
    txtNote->setPlainText(t.value(15));
}

void frmVisitForm::showEvent(QShowEvent* e) {
    QDialog::showEvent(e);
    if (m_shownOnce || e->spontaneous())
        return;
    m_shownOnce = true;
    if (m_kind == Kind::Edit) {
        IsDirty = false;
        txtNote->setFocus();
    } else {
        focusNextStep(-1);
    }
}

void frmVisitForm::focusNextStep(int after, bool requiredOnly) {
    // The order in which a new visit is filled in: the next empty step gets the focus.
    struct Step {
        QLineEdit* box;
        const char* control;
        bool required;
    };
    const Step steps[] = {
        {txtVisited, "cmdSelCompany_0", false}, {txtLinkMan[0], "cmdSelLinkMan_1", true},
        {txtVisit, "cmdSelCompany_1", false},   {txtLinkMan[1], "cmdSelLinkMan_2", true},
        {txtVisitor, "cmdSelLinkMan_0", true},  {txtVisitStart, "dpVisitStart", true},
        {txtVisitEnd, "dpVisitEnd", true},
    };
    QWidget* target = nullptr;
    for (int pass = 0; pass < 2 && !target; ++pass) {
        // First the steps after `after`, then any required one left empty before it.
        for (int i = 0; i < int(std::size(steps)) && !target; ++i) {
            const Step& s = steps[i];
            if ((pass == 0 && i <= after) || (pass == 1 && !s.required) || (requiredOnly && !s.required))
                continue;
            if (s.box->text().trimmed().isEmpty())
                target = findChild<QWidget*>(QString::fromLatin1(s.control));
        }
    }
    (target ? target : static_cast<QWidget*>(txtIntent))->setFocus();
}

void frmVisitForm::pickCompany(int element) {
    const bool add = m_kind == Kind::Add;
    const QString tag = element == 0 ? (add ? QStringLiteral("AddVisit1") : QStringLiteral("EditVisite1"))
                                     : (add ? QStringLiteral("AddVisit2") : QStringLiteral("EditVisite2"));
    frmSelectCompany::pick(this, tag);
    focusNextStep(element == 0 ? 0 : 2);
}

void frmVisitForm::pickPerson(int element) {
    // The visited person comes from the visited company, the others from the implementing one.
    const QLineEdit* company = element == 1 ? txtVisited : txtVisit;
    static const char* const modes[] = {"AddVisita", "AddVisitb", "AddVisitc"};
    frmSelectLinkMan::pick(this, VisitQuery::companyNumber(company->text()),
                           QString::fromLatin1(modes[element]));
    if (element != 0)
        focusNextStep(element == 1 ? 1 : 3);
}

void frmVisitForm::reject() {
    if (IsDirty &&
        Prompt::message(QStringLiteral("你确定不保存就退出吗？"), QStringLiteral("提醒"),
                        Prompt::Icon::Information, Prompt::Buttons::OkCancel) != Prompt::Answer::Ok)
        return;
    QDialog::reject();
}

void frmVisitForm::save() {
    // Free texts are trimmed as when the user leaves them.
    if (txtIntent->text() != txtIntent->text().trimmed())
        txtIntent->setText(txtIntent->text().trimmed());
    for (QPlainTextEdit* e :
         {static_cast<QPlainTextEdit*>(txtProject), static_cast<QPlainTextEdit*>(txtNote)})
        if (e->toPlainText() != e->toPlainText().trimmed())
            e->setPlainText(e->toPlainText().trimmed());

    auto empty = [](const QLineEdit* e) { return e->text().trimmed().isEmpty(); };
    if (empty(txtLinkMan[0]) || empty(txtLinkMan[1]) || empty(txtVisitor)) {
        Prompt::error(QStringLiteral("受访人/责任人/实施人员为必填项目！"));
        focusNextStep(-1, true);
        return;
    }
    if (empty(txtVisitStart) || empty(txtVisitEnd)) {
        Prompt::error(QStringLiteral("您还没有填写约会时间！"));
        focusNextStep(-1, true);
        return;
    }
    if (cboRemind->currentText() == QStringLiteral("需要提醒") &&
        (empty(txtRemindStart) || empty(txtRemindEnd))) {
        Prompt::error(QStringLiteral("您还没有填写提醒时间！"));
        findChild<QWidget*>(empty(txtRemindStart) ? QStringLiteral("dpRemindStart")
                                                  : QStringLiteral("dpRemindEnd"))
            ->setFocus();
        return;
    }
    // Every date box is checked before anything is written; an empty one stores Null.
    QHash<QString, QVariant> dates;
    for (const DateBox& d : m_dates) {
        const QString text = d.box->text().trimmed();
        if (text.isEmpty()) {
            dates.insert(QString::fromUtf8(d.column), QVariant());
            continue;
        }
        const auto date = DateText::parse(text);
        if (!date) {
            Prompt::error(QString::fromUtf8(d.column) + QStringLiteral("“") + text +
                          QStringLiteral("”不是有效的日期，请用右边的按钮选择日期。"));
            d.picker->setFocus();
            return;
        }
        dates.insert(QString::fromUtf8(d.column), QVariant(*date));
    }

    const auto rs = openTarget();
    if (!rs)
        return;
    const std::pair<const char*, QVariant> values[] = {
        {"受访单位", nonNull(txtVisited->text())},
        {"受访人", nonNull(txtLinkMan[0]->text())},
        {"实施单位", nonNull(txtVisit->text())},
        {"实施人员", nonNull(txtVisitor->text())},
        {"责任人", nonNull(txtLinkMan[1]->text())},
        {"登记时间", dates.value(QStringLiteral("登记时间"))},
        {"完成标志", nonNull(cboOver->currentText())},
        {"重要程度", nonNull(cboImportant->currentText())},
        {"工作开始时间", dates.value(QStringLiteral("工作开始时间"))},
        {"工作结束时间", dates.value(QStringLiteral("工作结束时间"))},
        {"需要提醒", nonNull(cboRemind->currentText())},
        {"开始提醒时间", dates.value(QStringLiteral("开始提醒时间"))},
        {"结束提醒时间", dates.value(QStringLiteral("结束提醒时间"))},
        {"拜访事项", nonNull(txtIntent->text())},
        {"工作方案", nonNull(txtProject->toPlainText())},
        {"内容结果", nonNull(txtNote->toPlainText())},
    };
    for (const auto& [column, value] : values) {
        if (!rs->SetValue(QString::fromUtf8(column), value)) {
            rs->CancelUpdate();
            Prompt::error(rs->LastError());
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

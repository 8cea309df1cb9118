#include "ui/contact/LinkManForm.h"

#include "core/Clock.h"
#include "core/DateText.h"
#include "core/Pinyin.h"
#include "core/Prompt.h"
#include "core/Recordset.h"
#include "core/Schema.h"
#include "core/modDBCommand.h"
#include "core/ui/WindowHelpers.h"
#include "ui/company/frmSelectCompany.h"

#include <QCalendarWidget>
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QStyle>
#include <QVBoxLayout>

namespace {
constexpr int kColBirthday = 11;
constexpr int kColNote = 24;

// Selects `text` in a list that refuses typing; a stored value missing from the list is added so
// that it is shown and saved again unchanged.
void setComboText(QComboBox* box, const QString& text) {
    if (text.isEmpty()) {
        box->setCurrentIndex(-1);
        return;
    }
    int i = box->findText(text);
    if (i < 0) {
        box->addItem(text);
        i = box->count() - 1;
    }
    box->setCurrentIndex(i);
}
} // namespace

LinkManForm::LinkManForm(QWidget* parent, bool editForm) : QDialog(parent) {
    build(editForm);

    QString message;
    auto rs = ExecuteSql(QStringLiteral("select [性质名称] from [联系人性质]"), message);
    if (IsSqlError(message) || !rs) {
        Prompt::error(message);
    } else {
        for (rs->MoveFirst(); !rs->Eof(); rs->MoveNext())
            m_kind->addItem(Recordset::Text(rs->Value(0)));
        rs->Close();
    }
    m_kind->setCurrentIndex(-1);
    showBirthdayInPicker(std::nullopt);
    NoDefaultButton(*this);
}

void LinkManForm::showBirthdayInPicker(const std::optional<QDate>& d) {
    // Without a birthday the picker shows nothing rather than a date that reads as filled in.
    const QSignalBlocker block(m_dpBirthday);
    m_dpBirthday->setDate(d ? *d : m_dpBirthday->minimumDate());
}

QLineEdit* LinkManForm::addLine(int col, const char* name, int limit) {
    auto* box = new QLineEdit(this);
    box->setObjectName(QString::fromLatin1(name));
    if (limit > 0)
        box->setMaxLength(limit);
    box->installEventFilter(this);
    connect(box, &QLineEdit::textChanged, this, &LinkManForm::markDirty);
    m_controls[col] = box;
    return box;
}

void LinkManForm::build(bool editForm) {
    setWindowTitle(editForm ? QStringLiteral("修改联系人信息") : QStringLiteral("添加联系人信息"));
    auto* frame = new QGroupBox(QStringLiteral("联系人信息"), this);
    frame->setObjectName(QStringLiteral("fraLinkManInfo"));
    auto* grid = new QGridLayout(frame);
    auto label = [&](const QString& text, int row, int column) {
        grid->addWidget(new QLabel(text, frame), row, column);
    };
    auto pair = [&](int row, int column, const QString& text, QWidget* box) {
        label(text, row, column);
        grid->addWidget(box, row, column + 1);
    };
    auto combo = [&](int col, const char* name) {
        auto* box = new QComboBox(this);
        box->setObjectName(QString::fromLatin1(name));
        box->installEventFilter(this);
        connect(box, &QComboBox::currentIndexChanged, this, &LinkManForm::markDirty);
        m_controls[col] = box;
        return box;
    };

    // Created in reading order, which is also the tab order.
    QLineEdit* name = addLine(1, "txtName");
    auto* star = new QLabel(QStringLiteral("*"), frame);
    star->setStyleSheet(QStringLiteral("color: red;"));
    auto* nameRow = new QHBoxLayout;
    nameRow->addWidget(name);
    nameRow->addWidget(star);
    label(QStringLiteral("姓    名："), 0, 0);
    grid->addLayout(nameRow, 0, 1);
    pair(0, 2, QStringLiteral("姓名首拼："), addLine(2, "txtNameABC"));
    m_sex = combo(3, "cboSex");
    m_sex->addItems({QStringLiteral("男性"), QStringLiteral("女性")});
    m_sex->setCurrentIndex(-1);
    pair(1, 0, QStringLiteral("性    别："), m_sex);
    pair(1, 2, QStringLiteral("家庭住址："), addLine(4, "txtAddress"));
    pair(2, 0, QStringLiteral("邮政编码："), addLine(5, "txtPostCode"));
    pair(2, 2, QStringLiteral("家庭电话："), addLine(6, "txtTelephone"));
    pair(3, 0, QStringLiteral("手机号码："), addLine(7, "txtMPhone"));
    pair(3, 2, QStringLiteral("电子信箱："), addLine(8, "txtEmail"));
    pair(4, 0, QStringLiteral("所在城市："), addLine(9, "txtCity"));
    pair(4, 2, QStringLiteral("所在国家"), addLine(10, "txtCountry"));

    QLineEdit* birthday = addLine(kColBirthday, "txtBirthday", 10);
    birthday->setPlaceholderText(QStringLiteral("yyyy-MM-dd"));
    birthday->setToolTip(QStringLiteral("生日，格式 yyyy-MM-dd；空着表示没有生日"));
    // The whole date and the hint fit.
    birthday->setMinimumWidth(birthday->fontMetrics().horizontalAdvance(QStringLiteral("0000-00-00")) + 24);
    m_dpBirthday = new QDateEdit(this);
    m_dpBirthday->setObjectName(QStringLiteral("dpBirthday"));
    m_dpBirthday->setCalendarPopup(true);
    m_dpBirthday->setDisplayFormat(QStringLiteral("yyyy-MM-dd"));
    // The lowest date stands for "no birthday" and shows as blank.
    m_dpBirthday->setMinimumDate(QDate(1800, 1, 1));
    m_dpBirthday->setSpecialValueText(QStringLiteral(" "));
    m_dpBirthday->calendarWidget()->installEventFilter(this);
    m_remind = new QCheckBox(QStringLiteral("提醒"), this);
    m_remind->setObjectName(QStringLiteral("chkRemind"));
    m_remind->setEnabled(false);
    connect(m_remind, &QCheckBox::clicked, this, &LinkManForm::markDirty);
    auto* birthdayRow = new QHBoxLayout;
    birthdayRow->addWidget(birthday, 1);
    birthdayRow->addWidget(m_dpBirthday);
    birthdayRow->addWidget(m_remind);
    label(QStringLiteral("生    日："), 5, 0);
    grid->addLayout(birthdayRow, 5, 1);
    pair(5, 2, QStringLiteral("聊天通讯："), addLine(13, "txtIM"));
    pair(6, 0, QStringLiteral("爱    好："), addLine(14, "txtEnjoy"));
    pair(6, 2, QStringLiteral("特    长："), addLine(15, "txtOnesStrong"));
    m_kind = combo(16, "cboKind");
    pair(7, 0, QStringLiteral("性    质："), m_kind);
    pair(7, 2, QStringLiteral("地    区："), addLine(17, "txtArea"));

    // Filled only by the company picker, so never limited.
    m_companyId = addLine(18, "txtCompanyID", 0);
    m_companyName = addLine(19, "txtCompanyName", 0);
    m_companyId->setReadOnly(true);
    m_companyName->setReadOnly(true);
    m_companyId->setFixedWidth(60);
    auto* pick = new QPushButton(QStringLiteral("..."), this);
    pick->setObjectName(QStringLiteral("cmdCompanyList"));
    pick->setToolTip(QStringLiteral("选择所属单位"));
    auto* clear =
        new QPushButton(style()->standardIcon(QStyle::SP_DialogResetButton), QStringLiteral("..."), this);
    clear->setObjectName(QStringLiteral("ExBtn1"));
    clear->setToolTip(QStringLiteral("清除所属单位"));
    auto* companyRow = new QHBoxLayout;
    companyRow->addWidget(m_companyId);
    companyRow->addWidget(m_companyName, 1);
    companyRow->addWidget(pick);
    companyRow->addWidget(clear);
    label(QStringLiteral("所属单位："), 8, 0);
    grid->addLayout(companyRow, 8, 1, 1, 3);
    pair(9, 0, QStringLiteral("部    门："), addLine(20, "txtDepartment"));
    pair(9, 2, QStringLiteral("职    务："), addLine(21, "txtDuty"));
    pair(10, 0, QStringLiteral("单位电话："), addLine(22, "txtCPhone"));
    pair(10, 2, QStringLiteral("公司传真："), addLine(23, "txtCFax"));

    m_note = new QPlainTextEdit(this);
    m_note->setObjectName(QStringLiteral("txtNote"));
    m_note->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_note->setFixedHeight(72);
    m_note->installEventFilter(this);
    m_controls[kColNote] = m_note;
    label(QStringLiteral("备注信息："), 11, 0);
    grid->addWidget(m_note, 11, 1, 1, 3);
    grid->setColumnStretch(1, 1);
    grid->setColumnStretch(3, 1);

    auto* save = new QPushButton(editForm ? QStringLiteral("保存修改") : QStringLiteral("保存添加"), this);
    save->setObjectName(QStringLiteral("cmdSave"));
    auto* cancel = new QPushButton(editForm ? QStringLiteral("放弃修改") : QStringLiteral("放弃添加"), this);
    cancel->setObjectName(QStringLiteral("cmdCancel"));
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(save);
    buttons->addWidget(cancel);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(frame);
    layout->addLayout(buttons);

    connect(name, &QLineEdit::textChanged, this, [this](const QString& text) {
        if (!text.trimmed().isEmpty())
            setFieldText(2, PinyinInitials(text));
    });
    connect(birthday, &QLineEdit::textChanged, this, &LinkManForm::birthdayChanged);
    auto chosen = [this](const QDate& d) {
        if (d != m_dpBirthday->minimumDate())
            setFieldText(kColBirthday, DateText::format(d));
    };
    connect(m_dpBirthday, &QDateEdit::dateChanged, this, chosen);
    // Choosing the date the picker already shows changes nothing, so listen to the calendar too.
    connect(m_dpBirthday->calendarWidget(), &QCalendarWidget::clicked, this, chosen);
    connect(m_note, &QPlainTextEdit::textChanged, this, [this] {
        const QString text = m_note->toPlainText();
        if (text.size() > m_noteLimit) {
            // Refuse the typed excess, keep the cursor where the typing was.
            const int pos = qMax(0, m_note->textCursor().position() - int(text.size() - m_noteLimit));
            const QSignalBlocker block(m_note);
            m_note->setPlainText(m_noteLast);
            QTextCursor c = m_note->textCursor();
            c.setPosition(qMin(pos, int(m_noteLast.size())));
            m_note->setTextCursor(c);
            return;
        }
        m_noteLast = text;
        markDirty();
    });
    connect(pick, &QPushButton::clicked, this, [this, editForm] {
        frmSelectCompany::pick(this, editForm ? QStringLiteral("EditLinkMan") : QStringLiteral("AddLinkMan"));
    });
    connect(clear, &QPushButton::clicked, this, [this] {
        m_companyName->clear();
        m_companyId->clear();
    });
    connect(save, &QPushButton::clicked, this, [this] {
        if (this->save())
            accept();
    });
    connect(cancel, &QPushButton::clicked, this, &LinkManForm::reject);
}

void LinkManForm::birthdayChanged(const QString& text) {
    m_remind->setEnabled(!text.trimmed().isEmpty());
    // The picker opens at the birthday shown.
    showBirthdayInPicker(DateText::parse(text));
}

QString LinkManForm::fieldText(int col) const {
    QWidget* w = col >= 0 && col < 25 ? m_controls[col] : nullptr;
    QString text;
    if (auto* box = qobject_cast<QLineEdit*>(w))
        text = box->text();
    else if (auto* box = qobject_cast<QComboBox*>(w))
        text = box->currentText();
    else if (auto* box = qobject_cast<QPlainTextEdit*>(w))
        text = box->toPlainText();
    // Never a null text: written, an empty box must store "", not Null.
    return text.isNull() ? QStringLiteral("") : text;
}

void LinkManForm::setFieldText(int col, const QString& text) {
    QWidget* w = col >= 0 && col < 25 ? m_controls[col] : nullptr;
    if (auto* box = qobject_cast<QLineEdit*>(w)) {
        if (box->maxLength() < text.size())
            box->setMaxLength(text.size());
        box->setText(text);
    } else if (auto* box = qobject_cast<QComboBox*>(w)) {
        setComboText(box, text);
    } else if (w == m_note) {
        m_noteLimit = qMax(255, int(text.size()));
        m_note->setPlainText(text);
    }
}

bool LinkManForm::remind() const {
    return m_remind->isChecked();
}
void LinkManForm::setRemind(bool on) {
    m_remind->setChecked(on);
}

void LinkManForm::trimBox(QObject* box) {
    if (auto* line = qobject_cast<QLineEdit*>(box)) {
        const QString t = line->text().trimmed();
        if (t != line->text())
            line->setText(t);
    } else if (box == m_note) {
        const QString t = m_note->toPlainText().trimmed();
        if (t != m_note->toPlainText())
            m_note->setPlainText(t);
    }
}

void LinkManForm::trimAll() {
    for (QWidget* w : m_controls)
        if (w)
            trimBox(w);
}

bool LinkManForm::eventFilter(QObject* watched, QEvent* e) {
    if (e->type() == QEvent::Show && watched == m_dpBirthday->calendarWidget() &&
        m_dpBirthday->date() == m_dpBirthday->minimumDate()) {
        // An empty birthday opens the calendar at this month, with nothing chosen.
        const QDate today = Clock::get().today();
        m_dpBirthday->calendarWidget()->setCurrentPage(today.year(), today.month());
    } else if (e->type() == QEvent::FocusOut) {
        trimBox(watched);
    } else if (e->type() == QEvent::KeyPress && qobject_cast<QComboBox*>(watched)) {
        // The lists only offer their items: typed characters are discarded.
        const QString typed = static_cast<QKeyEvent*>(e)->text();
        if (!typed.isEmpty() && typed.at(0).isPrint())
            return true;
    }
    return QDialog::eventFilter(watched, e);
}

void LinkManForm::showEvent(QShowEvent* e) {
    QDialog::showEvent(e);
    if (m_shown)
        return;
    m_shown = true;
    firstShown();
    m_isDirty = false;
    m_controls[1]->setFocus();
}

void LinkManForm::reject() {
    if (m_isDirty &&
        Prompt::message(QStringLiteral("你确定不保存就退出吗？"), QStringLiteral("提醒"),
                        Prompt::Icon::Information, Prompt::Buttons::OkCancel) != Prompt::Answer::Ok)
        return;
    QDialog::reject();
}

std::optional<LinkManForm::Input> LinkManForm::checkedInput() {
    trimAll();
    if (fieldText(1).isEmpty()) {
        Prompt::error(QStringLiteral("请填写姓名后再保存！"));
        m_controls[1]->setFocus();
        return std::nullopt;
    }
    Input in;
    const QString birthday = fieldText(kColBirthday);
    if (!birthday.isEmpty()) {
        in.birthday = DateText::parse(birthday);
        if (!in.birthday) {
            Prompt::error(
                QStringLiteral("生日“%1”不是一个有效的日期，请按 yyyy-MM-dd 填写（例如 1990-02-28），"
                               "或者清空它。")
                    .arg(birthday));
            m_controls[kColBirthday]->setFocus();
            return std::nullopt;
        }
    }
    const QString id = m_companyId->text();
    if (!id.isEmpty()) {
        bool ok = false;
        const long n = id.toLong(&ok);
        if (!ok) {
            Prompt::error(QStringLiteral("所属单位的编号“%1”不是数字，请重新选择所属单位。").arg(id));
            return std::nullopt;
        }
        in.companyId = n;
    }
    return in;
}

QString LinkManForm::columnName(int col) {
    static const QStringList names = Schema::columnNames(QStringLiteral("联系人"));
    return names.value(col);
}

void LinkManForm::put(Recordset& rs, int col, const QVariant& v) {
    if (!m_putFailed && !rs.SetValue(columnName(col), v)) {
        m_putFailed = true;
        m_putError = rs.LastError();
    }
}

bool LinkManForm::finish(Recordset& rs) {
    const bool ok = !m_putFailed && rs.Update();
    if (!ok) {
        Prompt::error(m_putFailed ? m_putError : rs.LastError());
        rs.CancelUpdate();
    }
    m_putFailed = false;
    return ok;
}

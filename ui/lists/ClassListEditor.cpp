#include "ui/lists/ClassListEditor.h"

#include "core/Prompt.h"
#include "core/modDBCommand.h"
#include "core/ui/FillGrid.h"
#include "core/ui/Grid.h"
#include "ui/company/TextBox.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
const QString kRowGone = QStringLiteral("查询错误: 记录已不存在");

QString u(const char* s) {
    return QString::fromUtf8(s);
}

QPushButton* makeButton(QWidget* parent, const char* name, const QString& caption) {
    auto* b = new QPushButton(caption, parent);
    b->setObjectName(QString::fromLatin1(name));
    b->setAutoDefault(false);
    return b;
}
} // namespace

ClassListEditor::ClassListEditor(const Config& cfg, QWidget* opener)
    : QDialog(opener), m_cfg(cfg), m_opener(opener), m_grid(new Grid(this)) {
    setObjectName(QString::fromLatin1(cfg.dialogName));
    setWindowTitle(u(cfg.caption));
    m_grid->setObjectName(QString::fromLatin1(cfg.gridName));
    m_grid->setMinimumWidth((800 + 1545) / 15 + 24);

    auto* right = new QVBoxLayout;
    // A frame with a label, a text box and its buttons under it.
    auto frame = [&](const char* name, const char* caption, const char* boxName, QLineEdit** box) {
        auto* f = new QGroupBox(u(caption), this);
        f->setObjectName(QString::fromLatin1(name));
        auto* grid = new QGridLayout(f);
        grid->addWidget(new QLabel(u(m_cfg.label), f), 0, 0);
        *box = new QLineEdit(f);
        (*box)->setObjectName(QString::fromLatin1(boxName));
        PrepareTextBox(*box);
        grid->addWidget(*box, 0, 1, 1, 2);
        right->addWidget(f);
        return grid;
    };
    auto* label1 = new QLabel(QStringLiteral("双击列表项目可快速选择并添加[需设置]"), this);
    label1->setObjectName(QStringLiteral("Label1"));
    label1->setWordWrap(true);

    if (cfg.selFrame) {
        QGridLayout* g = frame(cfg.selFrame, cfg.selFrameCaption, cfg.selBox, &m_sel);
        m_selFrame = static_cast<QGroupBox*>(g->parentWidget());
        auto* sel = makeButton(m_selFrame, "cmdSel", QStringLiteral("选择添加"));
        g->addWidget(sel, 1, 2);
        label1->setParent(m_selFrame);
        g->addWidget(label1, 2, 0, 1, 3);
        m_selFrame->setEnabled(false);
        connect(sel, &QPushButton::clicked, this, &ClassListEditor::select);
    }
    QGridLayout* edit = frame("fraEditKind", cfg.editFrameCaption, cfg.editBox, &m_edit);
    auto* cmdEdit = makeButton(edit->parentWidget(), "cmdEdit", u(cfg.editButton));
    edit->addWidget(cmdEdit, 1, 1);
    QGridLayout* delGrid = edit;
    if (cfg.delFrame) {
        delGrid = frame(cfg.delFrame, cfg.delFrameCaption, cfg.delBox, &m_del);
        m_del->setReadOnly(true);
    }
    auto* cmdDel = makeButton(delGrid->parentWidget(), "cmdDel", u(cfg.delButton));
    delGrid->addWidget(cmdDel, 1, 2);
    QGridLayout* addGrid = frame("frmAddKind", cfg.addFrameCaption, cfg.addBox, &m_add);
    m_unload = new QCheckBox(QStringLiteral("操作后关闭窗口"), addGrid->parentWidget());
    m_unload->setObjectName(QStringLiteral("chkUnload"));
    addGrid->addWidget(m_unload, 1, 0, 1, 2);
    auto* cmdAdd = makeButton(addGrid->parentWidget(), "cmdAdd", u(cfg.addButton));
    addGrid->addWidget(cmdAdd, 1, 2);
    if (!cfg.selFrame)
        right->addWidget(label1);
    right->addStretch();

    auto* layout = new QHBoxLayout(this);
    layout->addWidget(m_grid, 1);
    layout->addLayout(right);

    connect(cmdEdit, &QPushButton::clicked, this, &ClassListEditor::rename);
    connect(cmdDel, &QPushButton::clicked, this, &ClassListEditor::remove);
    connect(cmdAdd, &QPushButton::clicked, this, &ClassListEditor::add);
    connect(m_add, &QLineEdit::returnPressed, this, &ClassListEditor::add);
    connect(m_grid, &Grid::Click, this, &ClassListEditor::clicked);
    connect(m_grid, &Grid::DblClick, this, &ClassListEditor::doubleClicked);
    load();
}

void ClassListEditor::showEvent(QShowEvent* e) {
    QDialog::showEvent(e);
    if (selectionEnabled())
        m_grid->setFocus();
    else
        m_add->setFocus();
}

void ClassListEditor::setSelectionEnabled(bool on) {
    if (m_selFrame)
        m_selFrame->setEnabled(on);
}

bool ClassListEditor::selectionEnabled() const {
    return m_selFrame && m_selFrame->isEnabledTo(this);
}

QString ClassListEditor::tableName() const {
    return QStringLiteral("[") + u(m_cfg.table) + QStringLiteral("]");
}

void ClassListEditor::load() {
    FillGrid(*m_grid, QLatin1Char(' ') + tableName(), QString());
    m_grid->SetColWidth(0, 800);
    m_grid->SetColWidth(1, 1545);
}

long ClassListEditor::currentKey() const {
    return m_grid->TextMatrix(m_grid->Row(), 0).toLong();
}
QString ClassListEditor::currentName() const {
    return m_grid->TextMatrix(m_grid->Row(), 1);
}

void ClassListEditor::clicked() {
    if (m_grid->Row() < 1)
        return;
    const QString name = currentName();
    m_edit->setText(name);
    if (m_sel && selectionEnabled())
        m_sel->setText(name);
    if (m_del)
        m_del->setText(name);
    m_edit->setFocus();
    m_edit->selectAll();
}

void ClassListEditor::doubleClicked() {
    if (m_grid->Row() < 1 || !m_sel || !selectionEnabled())
        return;
    m_sel->setText(currentName());
    select();
}

void ClassListEditor::add() {
    const QString name = m_add->text().trimmed();
    if (name.isEmpty()) {
        Prompt::error(u(m_cfg.addMessage));
        m_add->setFocus();
        return;
    }
    SqlMessage.clear();
    SqlText = QStringLiteral("select * from ") + tableName() + QStringLiteral(" where [") +
              u(m_cfg.keyColumn) + QStringLiteral("]=-1");
    RecordsetPtr rs = ExecuteSql(SqlText, SqlMessage);
    if (IsSqlError(SqlMessage) || !rs) {
        Prompt::error(SqlMessage);
        return;
    }
    rs->AddNew();
    if (!rs->SetValue(u(m_cfg.nameColumn), name) || !rs->Update()) {
        Prompt::error(rs->LastError());
        return;
    }
    rs->Close();
    m_add->clear();
    if (m_unload->isChecked()) {
        accept();
        return;
    }
    load();
    m_add->setFocus();
}

void ClassListEditor::rename() {
    const QString name = m_edit->text().trimmed();
    if (name.isEmpty() || m_grid->Row() < 1) {
        Prompt::error(u(m_cfg.renameMessage));
        return;
    }
    SqlMessage.clear();
    SqlText = QStringLiteral("select [") + u(m_cfg.nameColumn) + QStringLiteral("] from ") + tableName() +
              QStringLiteral(" where [") + u(m_cfg.keyColumn) + QStringLiteral("]=") +
              QString::number(currentKey());
    RecordsetPtr rs = ExecuteSql(SqlText, SqlMessage);
    if (IsSqlError(SqlMessage) || !rs) {
        Prompt::error(SqlMessage);
        return;
    }
    // By key, exactly one row: another entry of the same name stays as it is.
    if (rs->RecordCount() != 1) {
        Prompt::error(kRowGone);
        return;
    }
    if (!rs->SetValue(0, name) || !rs->Update()) {
        Prompt::error(rs->LastError());
        return;
    }
    rs->Close();
    if (m_sel)
        m_sel->clear();
    if (m_del)
        m_del->clear();
    m_edit->clear();
    load();
}

void ClassListEditor::remove() {
    if (m_grid->Row() < 1) {
        Prompt::error(QStringLiteral("请先选择要删除的项目！"));
        return;
    }
    if (Prompt::message(QStringLiteral("你确定要删除 ") + currentName() + QStringLiteral(" 吗？"),
                        QStringLiteral("信息"), Prompt::Icon::Information,
                        Prompt::Buttons::OkCancel) != Prompt::Answer::Ok)
        return;
    SqlMessage.clear();
    SqlText = QStringLiteral("select * from ") + tableName() + QStringLiteral(" where [") +
              u(m_cfg.keyColumn) + QStringLiteral("]=") + QString::number(currentKey());
    RecordsetPtr rs = ExecuteSql(SqlText, SqlMessage);
    if (IsSqlError(SqlMessage) || !rs) {
        Prompt::error(SqlMessage);
        return;
    }
    if (rs->RecordCount() < 1) {
        Prompt::error(kRowGone);
    } else if (!rs->Delete()) {
        Prompt::error(rs->LastError());
        return;
    }
    rs->Close();
    if (m_sel)
        m_sel->clear();
    if (m_del)
        m_del->clear();
    m_edit->clear();
    load();
}

void ClassListEditor::select() {
    if (!m_sel)
        return;
    const QString choice = m_sel->text().trimmed();
    if (choice.isEmpty() || (m_cfg.selNeedsRow && m_grid->Row() < 1))
        return;
    const QString tag = m_tag.toLower();
    QString opener;
    if (tag == QLatin1String("addcompany"))
        opener = QStringLiteral("frmAddCompany");
    else if (tag == QLatin1String("editcompany"))
        opener = QStringLiteral("frmEditCompany");
    if (opener.isEmpty() || !m_opener || m_opener->objectName() != opener)
        return;
    auto* target = m_opener->findChild<QLineEdit*>(QString::fromLatin1(m_cfg.targetField));
    if (!target)
        return;
    const QString current = target->text().trimmed();
    target->setText(current.isEmpty() ? choice : current + QLatin1Char('/') + choice);
    accept();
}

#include "ui/contact/mdiLinkMan.h"

#include "core/AppSettings.h"
#include "core/DateText.h"
#include "core/JetSql.h"
#include "core/Maintenance.h"
#include "core/NumberText.h"
#include "core/Prompt.h"
#include "core/Sound.h"
#include "core/modDBCommand.h"
#include "core/ui/FillGrid.h"
#include "core/ui/Grid.h"
#include "ui/company/mdiCompany.h"
#include "ui/contact/frmAddLinkMan.h"
#include "ui/contact/frmEditLinkMan.h"
#include "ui/main/mdiTobrin.h"

#include <QComboBox>
#include <QEvent>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
const QString kTable = QStringLiteral(" [联系人]");
constexpr int kColName = 1;
constexpr int kColCompany = 18;

QPushButton* button(QWidget* parent, const char* name, const QString& caption) {
    auto* b = new QPushButton(caption, parent);
    b->setObjectName(QString::fromLatin1(name));
    return b;
}

} // namespace

mdiLinkMan::mdiLinkMan(QWidget* parent) : QWidget(parent), m_grid(new Grid(this)) {
    setObjectName(QStringLiteral("mdiLinkMan"));
    setWindowTitle(QStringLiteral("联系人信息列表"));
    m_grid->setObjectName(QStringLiteral("grdLinkManList"));

    auto* label1 = new QLabel(QStringLiteral("查询条件："), this);
    label1->setObjectName(QStringLiteral("Label1"));
    m_item = new QComboBox(this);
    m_item->setObjectName(QStringLiteral("cboQueryItem"));
    m_item->setToolTip(QStringLiteral("这里选择需要进行查询的条件"));
    m_item->setPlaceholderText(QStringLiteral("这里选择需要进行查询的条件"));
    m_item->setMinimumContentsLength(10);
    m_item->installEventFilter(this);
    auto* label2 = new QLabel(QStringLiteral("关键字："), this);
    label2->setObjectName(QStringLiteral("Label2"));
    m_keyword = new QLineEdit(this);
    m_keyword->setObjectName(QStringLiteral("txtKeyword"));
    m_keyword->setToolTip(QStringLiteral("请输入查询关键字"));
    m_keyword->setPlaceholderText(QStringLiteral("请输入查询关键字"));
    m_keyword->installEventFilter(this);
    auto* clear = button(this, "ExBtn1", QStringLiteral("..."));
    clear->setToolTip(QStringLiteral("清除查询条件和关键字"));
    auto* queryButton = button(this, "cmdQuery", QStringLiteral("查询联系人"));
    auto* company = button(this, "cmdCompany", QStringLiteral("所属企业"));
    auto* top = new QHBoxLayout;
    top->addWidget(label1);
    top->addWidget(m_item);
    top->addWidget(label2);
    top->addWidget(m_keyword, 1);
    top->addWidget(clear);
    top->addWidget(queryButton);
    top->addWidget(company);

    // Right-aligned, 1320 × 450 twips each.
    auto* bottom = new QHBoxLayout;
    bottom->addStretch();
    auto* addButton = button(this, "cmdAddLinkMan", QStringLiteral("添加联系人"));
    auto* editButton = button(this, "cmdEditLinkMan", QStringLiteral("修改联系人"));
    auto* delButton = button(this, "cmdDelLinkMan", QStringLiteral("删除联系人"));
    m_visitList = button(this, "cmdVisitList", QStringLiteral("约会记录"));
    m_visitAdd = button(this, "cmdVisitAdd", QStringLiteral("添加约会"));
    for (QPushButton* b : {addButton, editButton, delButton, m_visitList, m_visitAdd}) {
        b->setFixedSize(1320 / 15, 450 / 15);
        bottom->addWidget(b);
    }
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(m_grid, 1);
    layout->addLayout(bottom);
    setMinimumSize(8430 / 15, 4500 / 15);
    resize(760, 460);

    connect(clear, &QPushButton::clicked, this, [this] {
        m_item->setCurrentIndex(-1);
        m_keyword->clear();
    });
    connect(queryButton, &QPushButton::clicked, this, &mdiLinkMan::query);
    connect(company, &QPushButton::clicked, this, &mdiLinkMan::showCompany);
    connect(addButton, &QPushButton::clicked, this, &mdiLinkMan::add);
    connect(editButton, &QPushButton::clicked, this, &mdiLinkMan::edit);
    connect(delButton, &QPushButton::clicked, this, &mdiLinkMan::remove);
    connect(m_grid, &Grid::DblClick, this, [this] {
        if (AppSettings.ClickEdit)
            edit();
    });
    connect(m_visitList, &QPushButton::clicked, this, [this] {
        const QString name = selectedName();
        if (!name.isEmpty() && ShowVisits)
            ShowVisits(name);
    });
    connect(m_visitAdd, &QPushButton::clicked, this, [this] {
        const QString name = selectedName();
        if (!name.isEmpty() && AddVisit)
            AddVisit(name);
    });
    updateHookButtons();

    reload();
    // A restore or compaction replaced the file under the list: show what it holds now.
    connect(Maintenance::notifier(), &Maintenance::Notifier::databaseReplaced, this, [this] { reload(); });
    QString message;
    auto rs = ExecuteSql(QStringLiteral("select * from [联系人] where [联系人编号]=0"), message);
    if (IsSqlError(message) || !rs) {
        Prompt::error(message);
        return;
    }
    m_item->addItems(rs->FieldNames());
    m_item->setCurrentIndex(-1);
    rs->Close();
}

void mdiLinkMan::LoadCondition(const QString& condition) {
    FillGrid(*m_grid, kTable, condition);
}

QString mdiLinkMan::orderClause() const {
    return AppSettings.Sort ? QStringLiteral(" order by [姓名]") : QString();
}

void mdiLinkMan::reload() {
    FillGrid(*m_grid, kTable, orderClause());
}

bool mdiLinkMan::numberItem() const {
    const int pos = m_item->currentIndex();
    return pos == 0 || pos == kColCompany;
}

void mdiLinkMan::normaliseKeyword() {
    QString t = m_keyword->text().trimmed();
    if (numberItem())
        if (const auto n = NumberText::toLong(t))
            t = QString::number(*n);
    if (t != m_keyword->text())
        m_keyword->setText(t);
}

void mdiLinkMan::query() {
    normaliseKeyword();
    const QString item = m_item->currentText();
    const QString keyword = m_keyword->text();
    if (item.isEmpty()) {
        reload();
        return;
    }
    const QString column = QStringLiteral(" where [") + item + QStringLiteral("]");
    QString filter;
    if (numberItem()) {
        const auto n = NumberText::toLong(keyword);
        if (!n) {
            Prompt::error(QStringLiteral("只能输入数字！"));
            m_keyword->setFocus();
            return;
        }
        filter = column + QStringLiteral("=") + QString::number(*n);
    } else if (item == QStringLiteral("生日")) {
        const auto d = DateText::parse(keyword);
        if (!d) {
            Prompt::error(QStringLiteral("“%1”不是一个有效的日期，请按 yyyy-MM-dd 输入生日！").arg(keyword));
            m_keyword->setFocus();
            return;
        }
        filter = column + QStringLiteral("=#") + DateText::format(*d) + QStringLiteral("#");
    } else {
        filter = column + SqlQuote::like(keyword);
    }
    FillGrid(*m_grid, kTable, filter + orderClause());
}

void mdiLinkMan::add() {
    frmAddLinkMan form(this);
    Prompt::exec(form);
    reload();
}

void mdiLinkMan::edit() {
    const int row = m_grid->Row();
    if (row < 1)
        return;
    bool ok = false;
    const long id = m_grid->TextMatrix(row, 0).toLong(&ok);
    if (!ok)
        return;
    SelectedId = id;
    frmEditLinkMan form(this);
    QStringList cells;
    for (int col = 0; col < m_grid->Cols(); ++col)
        cells << m_grid->TextMatrix(row, col);
    form.FillFromRow(cells);
    Prompt::exec(form);
    reload();
}

void mdiLinkMan::remove() {
    const int row = m_grid->Row();
    if (row < 1)
        return;
    bool ok = false;
    const long id = m_grid->TextMatrix(row, 0).toLong(&ok);
    if (!ok)
        return;
    if (Prompt::message(QStringLiteral("你确定要删除联系人 ") + m_grid->TextMatrix(row, kColName) +
                            QStringLiteral(" 的信息吗？"),
                        QStringLiteral("提示"), Prompt::Icon::Information,
                        Prompt::Buttons::OkCancel) != Prompt::Answer::Ok)
        return;
    QString message;
    auto rs = ExecuteSql(QStringLiteral("select * from [联系人] where [联系人编号]=") + QString::number(id),
                         message);
    if (IsSqlError(message) || !rs) {
        Prompt::error(message);
        return;
    }
    if (rs->RecordCount() > 0) {
        if (rs->Delete())
            PlayWave(WaveFiles.value(2));
        else
            Prompt::error(rs->LastError());
    }
    rs->Close();
    reload();
}

void mdiLinkMan::showCompany() {
    const int row = m_grid->Row();
    if (row < 1) {
        Prompt::error(QStringLiteral("你必须先选择一个联系人！"));
        return;
    }
    // A contact without a company (empty cell) names company 0, which lists nothing.
    const long id = m_grid->TextMatrix(row, kColCompany).toLong();
    mdiCompany* companies = mdiTobrin::instance()->showChild<mdiCompany>();
    companies->LoadCondition(QStringLiteral(" where [企业编号]=") + QString::number(id));
}

QString mdiLinkMan::selectedName() const {
    const int row = m_grid->Row();
    return row < 1 ? QString() : m_grid->TextMatrix(row, kColName).trimmed();
}

void mdiLinkMan::updateHookButtons() {
    m_visitList->setEnabled(bool(ShowVisits));
    m_visitAdd->setEnabled(bool(AddVisit));
}

void mdiLinkMan::showEvent(QShowEvent* e) {
    QWidget::showEvent(e);
    updateHookButtons();
}

bool mdiLinkMan::eventFilter(QObject* watched, QEvent* e) {
    if (watched == m_keyword && e->type() == QEvent::FocusOut) {
        normaliseKeyword();
    } else if (watched == m_item && e->type() == QEvent::KeyPress) {
        // The condition is chosen from the list only.
        const QString typed = static_cast<QKeyEvent*>(e)->text();
        if (!typed.isEmpty() && typed.at(0).isPrint())
            return true;
    }
    return QWidget::eventFilter(watched, e);
}

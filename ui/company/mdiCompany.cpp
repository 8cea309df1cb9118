#include "ui/company/mdiCompany.h"

#include "core/AppSettings.h"
#include "core/JetSql.h"
#include "core/Maintenance.h"
#include "core/NumberText.h"
#include "core/Prompt.h"
#include "core/Sound.h"
#include "core/modDBCommand.h"
#include "core/ui/FillGrid.h"
#include "core/ui/Grid.h"
#include "ui/company/TextBox.h"
#include "ui/company/frmCompanyForm.h"

#include <QComboBox>
#include <QEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShowEvent>

namespace {
// Sizes in pixels, from the window's twips (15 twips a pixel).
constexpr int kMinWidth = 8430 / 15;
constexpr int kMinHeight = 4500 / 15;
constexpr int kEdge = 60 / 15;
constexpr int kGap = 120 / 15;
constexpr int kGridTop = 36;
constexpr int kButtonWidth = 72;
constexpr int kButtonHeight = 26;

const QString kRowGone = QStringLiteral("查询错误: 记录已不存在");

// Trims the drop-down's text when focus leaves it; the list is the only way to choose.
class ItemFocusOut final : public QObject {
public:
    explicit ItemFocusOut(QComboBox* box) : QObject(box), m_box(box) {}
    bool eventFilter(QObject*, QEvent* e) override {
        if (e->type() == QEvent::FocusOut && m_box->currentText() != m_box->currentText().trimmed())
            m_box->setEditText(m_box->currentText().trimmed());
        return false;
    }

private:
    QComboBox* m_box;
};
} // namespace

mdiCompany::mdiCompany(QWidget* parent)
    : QWidget(parent), m_grid(new Grid(this)), m_item(new QComboBox(this)), m_keyword(new QLineEdit(this)) {
    setObjectName(QStringLiteral("mdiCompany"));
    setWindowTitle(QStringLiteral("企业单位信息列表"));
    setMinimumSize(kMinWidth, kMinHeight);
    m_grid->setObjectName(QStringLiteral("grdCompanyList"));

    auto button = [this](const char* name, const QString& caption) {
        auto* b = new QPushButton(caption, this);
        b->setObjectName(QString::fromLatin1(name));
        return b;
    };
    auto* label1 = new QLabel(QStringLiteral("查询条件："), this);
    label1->setObjectName(QStringLiteral("Label1"));
    auto* label2 = new QLabel(QStringLiteral("关键字："), this);
    label2->setObjectName(QStringLiteral("Label2"));
    m_item->setObjectName(QStringLiteral("cboQueryItem"));
    m_item->setEditable(true);
    m_item->lineEdit()->setReadOnly(true);
    m_item->setInsertPolicy(QComboBox::NoInsert);
    m_item->installEventFilter(new ItemFocusOut(m_item));
    m_keyword->setObjectName(QStringLiteral("txtKeyword"));
    m_keyword->setPlaceholderText(QStringLiteral("请输入查询关键字"));
    PrepareTextBox(m_keyword);
    m_query = button("cmdQuery", QStringLiteral("查询企业"));
    m_clear = button("ExBtn1", QStringLiteral("..."));
    m_add = button("cmdAddCompany", QStringLiteral("添加企业"));
    m_edit = button("cmdEditCompany", QStringLiteral("修改企业"));
    m_del = button("cmdDelCompany", QStringLiteral("删除企业"));
    m_person = button("cmdPersonList", QStringLiteral("所属员工"));
    m_visits = button("cmdVisitList", QStringLiteral("拜访记录"));
    m_visitAdd = button("cmdVisitAdd", QStringLiteral("添加拜访"));

    // Design-time places; the resize layout moves the grid and the bottom row.
    label1->setGeometry(kEdge, 6, 60, 24);
    m_item->setGeometry(64, 6, 146, 24);
    label2->setGeometry(214, 6, 48, 24);
    m_keyword->setGeometry(262, 6, 110, 24);
    m_query->setGeometry(376, 5, 72, kButtonHeight);
    m_clear->setGeometry(450, 5, 24, kButtonHeight);
    m_person->setGeometry(478, 5, kButtonWidth, kButtonHeight);
    m_grid->setGeometry(kEdge, kGridTop, kMinWidth - 2 * kEdge, 200);
    for (QPushButton* b : {m_add, m_edit, m_del, m_visits, m_visitAdd})
        b->resize(kButtonWidth, kButtonHeight);

    m_keyword->installEventFilter(this);
    connect(m_keyword, &QLineEdit::returnPressed, this, &mdiCompany::query);
    connect(m_item, &QComboBox::activated, this, [this] { m_keyword->setFocus(); });
    connect(m_query, &QPushButton::clicked, this, &mdiCompany::query);
    connect(m_clear, &QPushButton::clicked, this, [this] {
        m_item->setCurrentIndex(-1);
        m_item->setEditText(QString());
        m_keyword->clear();
    });
    connect(m_add, &QPushButton::clicked, this, &mdiCompany::addCompany);
    connect(m_edit, &QPushButton::clicked, this, &mdiCompany::editCompany);
    connect(m_del, &QPushButton::clicked, this, &mdiCompany::deleteCompany);
    connect(m_person, &QPushButton::clicked, this, &mdiCompany::personList);
    connect(m_visits, &QPushButton::clicked, this, &mdiCompany::visitList);
    connect(m_visitAdd, &QPushButton::clicked, this, &mdiCompany::visitAdd);
    connect(m_grid, &Grid::DblClick, this, [this] {
        if (AppSettings.ClickEdit)
            editCompany();
    });

    resize(kMinWidth, 400);
    loadAll();
    // A restore or compaction replaced the file under the list: show what it holds now.
    connect(Maintenance::notifier(), &Maintenance::Notifier::databaseReplaced, this, [this] { loadAll(); });
    loadFieldNames();
    updateHookButtons();
    layoutControls();
}

QSize mdiCompany::sizeHint() const {
    return {kMinWidth, 400};
}

void mdiCompany::loadAll(const QString& table) {
    FillGrid(*m_grid, table, QString());
}

void mdiCompany::LoadCondition(const QString& condition) {
    FillGrid(*m_grid, QStringLiteral(" [企业]"), condition);
}

void mdiCompany::loadFieldNames() {
    SqlMessage.clear();
    RecordsetPtr rs = ExecuteSql(QStringLiteral("select * from [企业] where [企业编号]=0"), SqlMessage);
    if (IsSqlError(SqlMessage) || !rs) {
        Prompt::error(SqlMessage);
    } else {
        m_item->addItems(rs->FieldNames());
        rs->Close();
    }
    m_item->setCurrentIndex(-1);
    m_item->setEditText(QStringLiteral("这里选择需要进行查询的条件"));
}

bool mdiCompany::isCompanyNumberItem() const {
    return m_item->count() > 0 && m_item->currentText() == m_item->itemText(0);
}

void mdiCompany::keywordLeft() {
    const QString t = m_keyword->text().trimmed();
    if (isCompanyNumberItem()) {
        if (const auto n = NumberText::toLong(t)) {
            m_keyword->setText(QString::number(*n));
            return;
        }
    }
    if (t != m_keyword->text())
        m_keyword->setText(t);
}

bool mdiCompany::eventFilter(QObject* watched, QEvent* e) {
    if (watched == m_keyword && e->type() == QEvent::FocusOut)
        keywordLeft();
    return QWidget::eventFilter(watched, e);
}

void mdiCompany::query() {
    keywordLeft();
    const QString item = m_item->currentText().trimmed();
    const QString keyword = m_keyword->text().trimmed();
    if (item.isEmpty()) {
        loadAll();
        return;
    }
    if (isCompanyNumberItem()) {
        const auto n = NumberText::toLong(keyword);
        if (!n) {
            Prompt::error(QStringLiteral("只能输入数字！"));
            return;
        }
        LoadCondition(QStringLiteral(" where [") + item + QStringLiteral("]=") + QString::number(*n));
        return;
    }
    // The item is a field name from the list (or the hint text, which the engine refuses).
    LoadCondition(QStringLiteral(" where [") + item + QLatin1Char(']') + SqlQuote::like(keyword));
}

void mdiCompany::addCompany() {
    frmAddCompany dialog(this);
    Prompt::exec(dialog);
    loadAll();
}

void mdiCompany::editCompany() {
    const int row = m_grid->Row();
    if (row < 1)
        return;
    const QString number = m_grid->TextMatrix(row, 0);
    if (number.isEmpty())
        return;
    SelectedId = number.toLong();
    QStringList cells;
    for (int c = 0; c < m_grid->Cols(); ++c)
        cells << m_grid->TextMatrix(row, c);
    frmEditCompany dialog(this);
    dialog.fill(cells);
    Prompt::exec(dialog);
    loadAll(QStringLiteral(" 企业"));
}

void mdiCompany::deleteCompany() {
    const int row = m_grid->Row();
    if (row < 1)
        return;
    const QString name = m_grid->TextMatrix(row, 1);
    if (Prompt::message(QStringLiteral("你确定要删除企业 ") + name + QStringLiteral(" 的信息吗？"),
                        QStringLiteral("提示"), Prompt::Icon::Information,
                        Prompt::Buttons::OkCancel) != Prompt::Answer::Ok)
        return;
    SqlMessage.clear();
    SqlText = QStringLiteral("select * from [企业] where [企业编号]=") +
              QString::number(m_grid->TextMatrix(row, 0).toLong());
    RecordsetPtr rs = ExecuteSql(SqlText, SqlMessage);
    if (IsSqlError(SqlMessage) || !rs) {
        Prompt::error(SqlMessage);
        return;
    }
    if (rs->RecordCount() < 1) {
        Prompt::error(kRowGone);
    } else if (!rs->Delete()) {
        Prompt::error(rs->LastError());
    } else if (WaveFiles.size() > 2) {
        PlayWave(WaveFiles[2]);
    }
    rs->Close();
    loadAll();
}

void mdiCompany::personList() {
    const int row = m_grid->Row();
    if (row < 1) {
        Prompt::error(QStringLiteral("你必须先选择一个企业！"));
        return;
    }
    if (ShowStaff)
        ShowStaff(m_grid->TextMatrix(row, 0).toLong());
}

void mdiCompany::visitList() {
    const int row = m_grid->Row();
    if (row < 1 || m_grid->TextMatrix(row, 1).isEmpty() || !ShowVisits)
        return;
    ShowVisits(m_grid->TextMatrix(row, 0).toLong(), m_grid->TextMatrix(row, 1));
}

void mdiCompany::visitAdd() {
    const int row = m_grid->Row();
    if (row < 1 || m_grid->TextMatrix(row, 0).isEmpty() || !AddVisit)
        return;
    SelectedId = m_grid->TextMatrix(row, 0).toLong();
    AddVisit(SelectedId, m_grid->TextMatrix(row, 1));
}

void mdiCompany::updateHookButtons() {
    m_person->setEnabled(bool(ShowStaff));
    m_visits->setEnabled(bool(ShowVisits));
    m_visitAdd->setEnabled(bool(AddVisit));
}

void mdiCompany::showEvent(QShowEvent* e) {
    QWidget::showEvent(e);
    updateHookButtons();
    // A search starts with choosing its field.
    if (!e->spontaneous() && !m_shownOnce) {
        m_shownOnce = true;
        m_item->setFocus();
    }
}

void mdiCompany::resizeEvent(QResizeEvent* e) {
    QWidget::resizeEvent(e);
    if (window() != this && window()->isMinimized())
        return;
    layoutControls();
}

void mdiCompany::layoutControls() {
    const int w = width();
    const int h = height();
    const QRect g = m_grid->geometry();
    m_grid->setGeometry(g.left(), g.top(), w - 2 * g.left(), h - 2 * g.top());
    const int top = h - kEdge - m_person->height();
    int left = m_grid->x() + m_grid->width() - m_person->width() - kEdge;
    m_visitAdd->move(left, top);
    QPushButton* before = m_visitAdd;
    for (QPushButton* b : {m_visits, m_del, m_edit, m_add}) {
        left = before->x() - before->width() - kGap;
        b->move(left, top);
        before = b;
    }
}

#include "ui/lists/QueryWindow.h"

#include "core/AppSettings.h"
#include "core/DateText.h"
#include "core/JetSql.h"
#include "core/NumberText.h"
#include "core/Prompt.h"
#include "core/modDBCommand.h"
#include "core/ui/Grid.h"
#include "core/ui/WindowHelpers.h"
#include "ui/company/mdiCompany.h"
#include "ui/contact/mdiLinkMan.h"
#include "ui/main/mdiTobrin.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
void warn(const QString& text) {
    Prompt::message(text, QStringLiteral("错误"), Prompt::Icon::Warning, Prompt::Buttons::Ok);
}

// Loads a list window without its own fill, then fills it with the filter.
template <typename T> bool showIn(const QString& filter) {
    GridFillEnabled = false;
    T* list = mdiTobrin::instance()->showChild<T>();
    GridFillEnabled = true;
    SqlMessage.clear();
    list->LoadCondition(filter);
    list->raise();
    // A failed fill leaves the grid as it was and has said so in the "错误" box.
    return !IsSqlError(SqlMessage);
}
} // namespace

QueryWindow::QueryWindow(QWidget* parent, const QString& name, const QString& caption, Kind kind)
    : QWidget(parent), m_kind(std::move(kind)) {
    setObjectName(name);
    setWindowTitle(caption);
    auto* frame = new QGroupBox(QStringLiteral("设置查询条件"), this);
    frame->setObjectName(QStringLiteral("frmKeyword"));
    auto* grid = new QGridLayout(frame);
    for (int i = 0; i < 4; ++i) {
        m_tick[i] = new QCheckBox(QStringLiteral("条件一："), frame);
        m_tick[i]->setObjectName(QStringLiteral("chkQueryItem_%1").arg(i));
        m_field[i] = new QComboBox(frame);
        m_field[i]->setObjectName(QStringLiteral("cboField_%1").arg(i));
        m_field[i]->setEditable(false);
        m_field[i]->setMinimumWidth(140);
        auto* contains = new QLabel(QStringLiteral("包含："), frame);
        contains->setObjectName(QStringLiteral("Label1_%1").arg(i));
        m_keyword[i] = new QLineEdit(frame);
        m_keyword[i]->setObjectName(QStringLiteral("txtKeyword_%1").arg(i));
        grid->addWidget(m_tick[i], i, 0);
        grid->addWidget(m_field[i], i, 1);
        grid->addWidget(contains, i, 2);
        grid->addWidget(m_keyword[i], i, 3);
    }
    m_unloadMe = new QCheckBox(QStringLiteral("查询完毕后关闭本窗体"), this);
    m_unloadMe->setObjectName(QStringLiteral("chkUnloadMe"));
    m_unloadMe->setChecked(true);
    auto* query = new QPushButton(QStringLiteral("开始查询"), this);
    query->setObjectName(QStringLiteral("cmdQuery"));
    query->setDefault(true);
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(m_unloadMe);
    bottom->addStretch();
    bottom->addWidget(query);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(frame);
    layout->addLayout(bottom);
    connect(query, &QPushButton::clicked, this, &QueryWindow::runQuery);

    SqlText = m_kind.emptyQuery;
    SqlMessage.clear();
    auto rs = ExecuteSql(SqlText, SqlMessage);
    if (IsSqlError(SqlMessage) || !rs) {
        warn(SqlMessage);
        return;
    }
    for (int f = 0; f < rs->FieldCount(); ++f) {
        for (QComboBox* box : m_field)
            box->addItem(rs->FieldName(f));
        QCoreApplication::processEvents();
    }
    for (QComboBox* box : m_field)
        box->setCurrentIndex(-1);
    rs->Close();
}

bool QueryWindow::CheckConditions() const {
    for (int i = 0; i < 4; ++i)
        if (m_tick[i]->isChecked() && (m_field[i]->currentText().isEmpty() || m_keyword[i]->text().isEmpty()))
            return false;
    return true;
}

std::optional<QString> QueryWindow::BuildFilter() {
    if (!CheckConditions()) {
        warn(QStringLiteral("查询条件没有填写完整！"));
        return std::nullopt;
    }
    QString filter;
    for (int i = 0; i < 4; ++i) {
        if (!m_tick[i]->isChecked())
            continue;
        const QString f = m_field[i]->currentText();
        const QString k = m_keyword[i]->text();
        filter += filter.contains(QStringLiteral("where")) ? QStringLiteral(" and [") : QStringLiteral(" where [");
        if (m_kind.numeric.contains(f)) {
            const auto n = NumberText::toLong(k);
            if (!n) {
                warn(m_kind.numericMessage);
                return std::nullopt;
            }
            filter += f + QStringLiteral("] = ") + QString::number(*n);
        } else if (f == m_kind.dateColumn) {
            const auto d = DateText::parse(k);
            if (!d) {
                warn(QStringLiteral("日期格式不正确，请按 年-月-日 输入（例如 1980-5-17）！"));
                return std::nullopt;
            }
            filter += f + QStringLiteral("] = #") + DateText::format(*d) + QLatin1Char('#');
        } else {
            filter += f + QLatin1Char(']') + SqlQuote::like(k);
        }
    }
    return filter;
}

void QueryWindow::runQuery() {
    const auto filter = BuildFilter();
    if (!filter)
        return;
    const bool ok = m_kind.show(*filter);
    if (ok && m_unloadMe->isChecked())
        CloseChildWindow(this);
}

mdiCompanyQuery::mdiCompanyQuery(QWidget* parent)
    : QueryWindow(parent, QStringLiteral("mdiCompanyQuery"), QStringLiteral("企业单位高级信息查询"),
                  {QStringLiteral("select * from [企业] where [企业编号]=0"),
                   {QStringLiteral("企业编号")}, QString(), QStringLiteral("企业编号只能是数字！"),
                   [](const QString& filter) { return showIn<mdiCompany>(filter); }}) {}

mdiLinkmanQuery::mdiLinkmanQuery(QWidget* parent)
    : QueryWindow(parent, QStringLiteral("mdiLinkmanQuery"), QStringLiteral("联系人高级信息查询"),
                  {QStringLiteral("select * from [联系人] where [联系人编号]=0"),
                   {QStringLiteral("联系人编号"), QStringLiteral("企业编号")}, QStringLiteral("生日"),
                   QStringLiteral("只能输入数字！"),
                   [](const QString& filter) { return showIn<mdiLinkMan>(filter); }}) {}

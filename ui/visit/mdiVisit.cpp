#include "ui/visit/mdiVisit.h"

#include "core/AppSettings.h"
#include "core/Clock.h"
#include "core/DateText.h"
#include "core/JetSql.h"
#include "core/Maintenance.h"
#include "core/NumberText.h"
#include "core/Prompt.h"
#include "core/Sound.h"
#include "core/modDBCommand.h"
#include "core/ui/FillGrid.h"
#include "core/ui/Grid.h"
#include "core/ui/WindowHelpers.h"
#include "ui/visit/VisitQuery.h"
#include "ui/visit/VisitWidgets.h"
#include "ui/visit/frmAddVisit.h"
#include "ui/visit/frmEditVisit.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
const QString kTable = QStringLiteral(" [拜访]");

// Drops typed keys so the query item comes only from the list.
class DiscardTyping final : public QObject {
public:
    using QObject::QObject;
    bool eventFilter(QObject* o, QEvent* e) override {
        if (e->type() == QEvent::KeyPress) {
            const QString t = static_cast<QKeyEvent*>(e)->text();
            if (!t.isEmpty() && t.at(0).isPrint())
                return true;
        }
        return QObject::eventFilter(o, e);
    }
};

bool isDateItem(int position) {
    return QStringLiteral(",6,9,10,12,13,")
        .contains(QLatin1Char(',') + QString::number(position) + QLatin1Char(','));
}

QPushButton* commandButton(const QString& name, const QString& caption, QWidget* parent) {
    auto* b = new QPushButton(caption, parent);
    b->setObjectName(name);
    b->setFixedSize(1320 / 15, 450 / 15);
    return b;
}
} // namespace

mdiVisit::mdiVisit(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("mdiVisit"));
    setWindowTitle(QStringLiteral("拜访日程记录"));

    auto* label1 = new QLabel(QStringLiteral("查询条件："), this);
    label1->setObjectName(QStringLiteral("Label1"));
    cboQueryItem = new QComboBox(this);
    cboQueryItem->setObjectName(QStringLiteral("cboQueryItem"));
    cboQueryItem->setToolTip(QStringLiteral("这里选择需要进行查询的条件"));
    cboQueryItem->installEventFilter(new DiscardTyping(cboQueryItem));
    auto* label2 = new QLabel(QStringLiteral("关键字："), this);
    label2->setObjectName(QStringLiteral("Label2"));
    txtKeyword = new QLineEdit(this);
    txtKeyword->setObjectName(QStringLiteral("txtKeyword"));
    txtKeyword->setToolTip(QStringLiteral("请输入查询关键字"));
    auto* exBtn1 = new QPushButton(QStringLiteral("..."), this);
    exBtn1->setObjectName(QStringLiteral("ExBtn1"));
    exBtn1->setFixedWidth(32);
    auto* label3 = new QLabel(QStringLiteral("从"), this);
    label3->setObjectName(QStringLiteral("Label3"));
    auto* label4 = new QLabel(QStringLiteral("到"), this);
    label4->setObjectName(QStringLiteral("Label4"));
    auto* cmdQuery = new QPushButton(QStringLiteral("查询记录"), this);
    cmdQuery->setObjectName(QStringLiteral("cmdQuery"));

    auto* top = new QHBoxLayout;
    top->addWidget(label1);
    top->addWidget(cboQueryItem, 2);
    top->addWidget(label2);
    top->addWidget(txtKeyword, 2);
    top->addWidget(exBtn1);
    const QDate today = Clock::get().today();
    for (int i = 0; i < 2; ++i) {
        txtDayQuery[i] = new QLineEdit(this);
        txtDayQuery[i]->setObjectName(QStringLiteral("txtDayQuery_%1").arg(i));
        txtDayQuery[i]->setReadOnly(true);
        txtDayQuery[i]->setToolTip(QStringLiteral("请输入查询关键字"));
        txtDayQuery[i]->setMinimumWidth(fontMetrics().horizontalAdvance(QStringLiteral("2026-12-31")) + 12);
        dpQuery[i] = new VisitUi::DatePicker(this);
        dpQuery[i]->setObjectName(QStringLiteral("dpQuery_%1").arg(i));
        dpQuery[i]->setDate(today);
        connect(dpQuery[i], &VisitUi::DatePicker::picked, this,
                [this, i](const QDate& d) { pickRange(i, d); });
        auto* box = new QHBoxLayout;
        box->setSpacing(0);
        box->addWidget(txtDayQuery[i], 1);
        box->addWidget(dpQuery[i]);
        top->addWidget(i == 0 ? label3 : label4);
        top->addLayout(box, 1);
    }
    top->addWidget(cmdQuery);

    grdVisitList = new Grid(this);
    grdVisitList->setObjectName(QStringLiteral("grdVisitList"));

    auto* cmdAddVisit = commandButton(QStringLiteral("cmdAddVisit"), QStringLiteral("添加拜访"), this);
    auto* cmdEditVisit = commandButton(QStringLiteral("cmdEditVisit"), QStringLiteral("修改记录"), this);
    auto* cmdDelVisit = commandButton(QStringLiteral("cmdDelVisit"), QStringLiteral("删除记录"), this);
    auto* cmdVisitOut = commandButton(QStringLiteral("cmdVisitOut"), QStringLiteral("退    出"), this);
    auto* bottom = new QHBoxLayout;
    bottom->setSpacing(120 / 15);
    bottom->addStretch();
    for (QPushButton* b : {cmdAddVisit, cmdEditVisit, cmdDelVisit, cmdVisitOut})
        bottom->addWidget(b);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(grdVisitList, 1);
    layout->addLayout(bottom);
    // At least 9700 × 4500 twips; opens 9700 wide.
    setMinimumSize(9700 / 15, 4500 / 15);
    resize(9700 / 15, 6000 / 15);

    connect(cmdQuery, &QPushButton::clicked, this, &mdiVisit::query);
    connect(txtKeyword, &QLineEdit::returnPressed, this, &mdiVisit::query);
    connect(exBtn1, &QPushButton::clicked, this, [this] {
        cboQueryItem->setCurrentIndex(-1);
        txtKeyword->clear();
    });
    connect(cmdAddVisit, &QPushButton::clicked, this, &mdiVisit::addVisit);
    connect(cmdEditVisit, &QPushButton::clicked, this, &mdiVisit::editVisit);
    connect(cmdDelVisit, &QPushButton::clicked, this, &mdiVisit::deleteVisit);
    connect(cmdVisitOut, &QPushButton::clicked, this, [this] { CloseChildWindow(this); });
    connect(grdVisitList, &Grid::DblClick, this, [this] {
        if (AppSettings.ClickEdit)
            editVisit();
    });

    FillGrid(*grdVisitList, kTable, QString());
    // A restore or compaction replaced the file under the list: show what it holds now.
    connect(Maintenance::notifier(), &Maintenance::Notifier::databaseReplaced, this,
            [this] { FillGrid(*grdVisitList, kTable, QString()); });
    SqlMessage.clear();
    SqlText = QStringLiteral("select * from [拜访] where [ID]=0");
    auto rs = ExecuteSql(SqlText, SqlMessage);
    if (IsSqlError(SqlMessage) || !rs) {
        Prompt::error(SqlMessage);
    } else {
        for (int i = 0; i < rs->FieldCount(); ++i) {
            cboQueryItem->addItem(rs->FieldName(i));
            QCoreApplication::processEvents();
        }
        rs->Close();
    }
    cboQueryItem->setCurrentIndex(-1);
    cboQueryItem->setFocus();
}

void mdiVisit::pickRange(int element, const QDate& d) {
    m_range[element] = d;
    txtDayQuery[element]->setText(DateText::format(d));
    // Both boxes are filled or neither: the other one takes the last picker's date.
    const int other = 1 - element;
    if (!m_range[other].isValid()) {
        m_range[other] = dpQuery[1]->date();
        txtDayQuery[other]->setText(DateText::format(m_range[other]));
    }
}

QString mdiVisit::rangeCondition() const {
    if (!m_range[0].isValid())
        return QString();
    // Both bounds count: a one-day range finds that day's visits.
    return QStringLiteral(" and [工作开始时间]>=#") + DateText::format(m_range[0]) +
           QStringLiteral("# and [工作开始时间]<=#") + DateText::format(m_range[1]) + QLatin1Char('#');
}

void mdiVisit::query() {
    const QString item = cboQueryItem->currentText();
    const int position = cboQueryItem->currentIndex();
    const QString keyword = txtKeyword->text();
    if (item.isEmpty() || position < 0) {
        FillGrid(*grdVisitList, kTable, QString());
        return;
    }
    if (keyword.isEmpty()) {
        Prompt::error(QStringLiteral("请输入待搜索的关键字！"));
        txtKeyword->setFocus();
        return;
    }
    QString filter = QStringLiteral(" where [") + item + QLatin1Char(']');
    if (position == 0) {
        const auto number = NumberText::toLong(keyword);
        if (!number) {
            Prompt::error(QStringLiteral("只能输入数字！"));
            txtKeyword->setFocus();
            return;
        }
        filter += QLatin1Char('=') + QString::number(*number);
    } else if (isDateItem(position)) {
        const auto date = DateText::parse(keyword);
        if (!date) {
            Prompt::error(QStringLiteral("“") + keyword +
                          QStringLiteral("”不是有效的日期，请按 2026-8-1 的格式输入！"));
            txtKeyword->setFocus();
            return;
        }
        filter += QStringLiteral("=#") + DateText::format(*date) + QLatin1Char('#');
    } else {
        filter +=
            QLatin1Char('=') + SqlQuote::text(keyword.trimmed().isEmpty() ? QStringLiteral("0") : keyword);
    }
    FillGrid(*grdVisitList, kTable, filter + rangeCondition());
}

void mdiVisit::addVisit() {
    frmAddVisit form(this);
    Prompt::exec(form);
}

void mdiVisit::editVisit() {
    const int row = grdVisitList->Row();
    if (row < 1 || grdVisitList->TextMatrix(row, 0).isEmpty())
        return;
    SelectedId = grdVisitList->TextMatrix(row, 0).toLong();
    frmEditVisit form(this, SelectedId);
    QStringList cells;
    for (int c = 1; c <= 16; ++c)
        cells << grdVisitList->TextMatrix(row, c);
    form.setColumns(cells);
    Prompt::exec(form);
    FillGrid(*grdVisitList, QStringLiteral(" 拜访"), QString());
}

void mdiVisit::deleteVisit() {
    const int row = grdVisitList->Row();
    if (row < 1 || grdVisitList->TextMatrix(row, 0).isEmpty())
        return;
    const QString number = grdVisitList->TextMatrix(row, 0);
    if (Prompt::message(QStringLiteral("你确定要删除编号为 ") + number + QStringLiteral(" 的日程信息吗？"),
                        QStringLiteral("提示"), Prompt::Icon::Information,
                        Prompt::Buttons::OkCancel) != Prompt::Answer::Ok)
        return;
    SqlMessage.clear();
    SqlText = QStringLiteral("select * from [拜访] where [ID]=") + QString::number(number.toLong());
    auto rs = ExecuteSql(SqlText, SqlMessage);
    if (IsSqlError(SqlMessage) || !rs) {
        Prompt::error(SqlMessage);
        return;
    }
    if (rs->RecordCount() < 1) {
        Prompt::error(QStringLiteral("查询错误: 编号为 ") + number + QStringLiteral(" 的日程信息已不存在。"));
    } else {
        rs->MoveFirst();
        if (!rs->Delete()) {
            Prompt::error(rs->LastError());
            return;
        }
        PlayWave(WaveFiles.value(2));
    }
    rs->Close();
    FillGrid(*grdVisitList, kTable, QString());
}

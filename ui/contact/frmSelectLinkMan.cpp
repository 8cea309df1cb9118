#include "ui/contact/frmSelectLinkMan.h"

#include "core/Prompt.h"
#include "core/ui/FillGrid.h"
#include "core/ui/Grid.h"

#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

frmSelectLinkMan::frmSelectLinkMan(QWidget* opener, long companyId, const QString& mode)
    : QDialog(opener), m_opener(opener), m_mode(mode), m_grid(new Grid(this)) {
    setObjectName(QStringLiteral("frmSelectLinkMan"));
    setWindowTitle(QStringLiteral("联系人选择"));
    m_grid->setObjectName(QStringLiteral("grdLinkMan"));
    auto* sel = new QPushButton(QStringLiteral("选择添加"), this);
    sel->setObjectName(QStringLiteral("cmdSel"));
    auto* cancel = new QPushButton(QStringLiteral("关闭窗口"), this);
    cancel->setObjectName(QStringLiteral("cmdCancel"));
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(sel);
    buttons->addWidget(cancel);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_grid);
    layout->addLayout(buttons);
    resize(640, 420);

    connect(sel, &QPushButton::clicked, this, &frmSelectLinkMan::select);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_grid, &Grid::DblClick, this, [this] { select(); });
    FillGrid(*m_grid, QStringLiteral(" [联系人]"),
             companyId < 1 ? QString() : QStringLiteral(" where [企业编号]=") + QString::number(companyId));
}

void frmSelectLinkMan::select() {
    const int row = m_grid->Row();
    if (row < 1 || !m_opener)
        return;
    const QString name = m_grid->TextMatrix(row, 1);
    const QString mode = m_mode.toLower();
    QLineEdit* box = nullptr;
    if (mode == QLatin1String("addvisita"))
        box = m_opener->findChild<QLineEdit*>(QStringLiteral("txtVisitor"));
    else if (mode == QLatin1String("addvisitb"))
        box = m_opener->findChild<QLineEdit*>(QStringLiteral("txtLinkMan_0"));
    else if (mode == QLatin1String("addvisitc"))
        box = m_opener->findChild<QLineEdit*>(QStringLiteral("txtLinkMan_1"));
    if (!box)
        return;
    if (mode == QLatin1String("addvisita") && !box->text().isEmpty())
        box->setText(box->text() + QLatin1Char('/') + name);
    else
        box->setText(name);
    accept();
}

void frmSelectLinkMan::pick(QWidget* opener, long companyId, const QString& mode) {
    frmSelectLinkMan picker(opener, companyId, mode);
    Prompt::exec(picker);
}

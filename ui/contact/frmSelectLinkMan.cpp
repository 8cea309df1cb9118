#include "ui/contact/frmSelectLinkMan.h"

#include "core/Prompt.h"
#include "core/ui/FillGrid.h"
#include "core/ui/Grid.h"
#include "core/ui/PickerLayout.h"

#include <QLineEdit>
#include <QPushButton>

frmSelectLinkMan::frmSelectLinkMan(QWidget* opener, long companyId, const QString& mode)
    : QDialog(opener), m_opener(opener), m_mode(mode), m_grid(new Grid(this)) {
    setObjectName(QStringLiteral("frmSelectLinkMan"));
    setWindowTitle(QStringLiteral("联系人选择"));
    m_grid->setObjectName(QStringLiteral("grdLinkMan"));
    const PickerButtons buttons = LayOutPicker(*this, *m_grid);
    resize(640, 420);

    connect(buttons.select, &QPushButton::clicked, this, &frmSelectLinkMan::select);
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

#include "ui/company/frmSelectCompany.h"

#include "core/Prompt.h"
#include "core/ui/FillGrid.h"
#include "core/ui/Grid.h"
#include "core/ui/PickerLayout.h"

#include <QLineEdit>
#include <QPushButton>

namespace {
// Which opener fields a tag fills: one field gets "number:name", two get number and name.
struct Target {
    const char* tag; // lower case
    const char* numberField;
    const char* nameField; // nullptr: one "number:name" field
};
const Target kTargets[] = {
    {"addlinkman", "txtCompanyID", "txtCompanyName"}, {"editlinkman", "txtCompanyID", "txtCompanyName"},
    {"addvisit1", "txtVisited", nullptr},             {"addvisit2", "txtVisit", nullptr},
    {"editvisite1", "txtVisited", nullptr},           {"editvisite2", "txtVisit", nullptr},
};
} // namespace

frmSelectCompany::frmSelectCompany(QWidget* opener) : QDialog(opener), m_opener(opener), m_grid(new Grid(this)) {
    setObjectName(QStringLiteral("frmSelectCompany"));
    setWindowTitle(QStringLiteral("选择所属公司"));
    m_grid->setObjectName(QStringLiteral("grdCompany"));
    const PickerButtons buttons = LayOutPicker(*this, *m_grid);
    resize(480, 400);

    connect(buttons.select, &QPushButton::clicked, this, &frmSelectCompany::select);
    connect(m_grid, &Grid::DblClick, this, [this] {
        if (m_grid->Row() >= 1)
            select();
    });
    FillGrid(*m_grid, QStringLiteral(" [企业]"), QString());
    m_grid->SetColWidth(0, 800);
    m_grid->SetColWidth(1, 3000);
}

void frmSelectCompany::select() {
    const int row = m_grid->Row();
    if (row < 1 || !m_opener)
        return;
    const QString number = m_grid->TextMatrix(row, 0);
    const QString name = m_grid->TextMatrix(row, 1);
    const QString tag = m_tag.toLower();
    for (const Target& t : kTargets) {
        if (tag != QLatin1String(t.tag))
            continue;
        auto* first = m_opener->findChild<QLineEdit*>(QString::fromLatin1(t.numberField));
        if (!first)
            return;
        if (t.nameField) {
            first->setText(number);
            if (auto* second = m_opener->findChild<QLineEdit*>(QString::fromLatin1(t.nameField)))
                second->setText(name);
        } else {
            first->setText(number + QLatin1Char(':') + name);
        }
        accept();
        return;
    }
}

void frmSelectCompany::pick(QWidget* opener, const QString& tag) {
    frmSelectCompany picker(opener);
    picker.setCaller(tag);
    Prompt::exec(picker);
}

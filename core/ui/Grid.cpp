#include "core/ui/Grid.h"

#include <QHeaderView>

QVariant GridModel::data(const QModelIndex& index, int role) const {
    if (role != Qt::DisplayRole || !index.isValid())
        return {};
    return cell(index.row(), index.column());
}

QVariant GridModel::headerData(int section, Qt::Orientation o, int role) const {
    if (role == Qt::DisplayRole && o == Qt::Horizontal)
        return m_header.value(section);
    return QAbstractTableModel::headerData(section, o, role);
}

void GridModel::reset(const QStringList& header, const QVector<Recordset::Row>& rows) {
    beginResetModel();
    m_header = header;
    m_rows = rows;
    endResetModel();
}

QString GridModel::cell(int r, int c) const {
    if (r < 0 || r >= m_rows.size() || c < 0 || c >= m_header.size())
        return {};
    return Recordset::Text(m_rows[r].value(c));
}

Grid::Grid(QWidget* parent) : QTableView(parent), m_model(this) {
    setModel(&m_model);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    verticalHeader()->hide();
    // Fixed row heights keep large lists fast.
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    horizontalHeader()->setHighlightSections(false);
    connect(this, &QTableView::clicked, this, [this](const QModelIndex& i) {
        m_col = i.column();
        Q_EMIT Click();
    });
    connect(this, &QTableView::doubleClicked, this, [this](const QModelIndex& i) {
        m_col = i.column();
        Q_EMIT DblClick();
    });
}

void Grid::Clear() { m_model.reset({}, {}); }

void Grid::Bind(const Recordset& rs) {
    m_model.reset(rs.FieldNames(), rs.Rows());
    if (m_model.rowCount() > 0)
        SetRow(1);
}

int Grid::Row() const {
    const QModelIndex i = currentIndex();
    return i.isValid() ? i.row() + 1 : 0;
}

void Grid::SetRow(int row) {
    if (row < 1 || row > m_model.rowCount()) {
        setCurrentIndex({});
        return;
    }
    setCurrentIndex(m_model.index(row - 1, qBound(0, m_col, qMax(0, m_model.columnCount() - 1))));
}

QString Grid::TextMatrix(int row, int col) const {
    if (row == 0)
        return m_model.header().value(col);
    return m_model.cell(row - 1, col);
}

void Grid::SetColWidth(int col, int twips) { setColumnWidth(col, twips / 15); }

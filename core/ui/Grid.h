#pragma once
// The list grid: a table view over our own model with the operations the windows use.
// Row 0 is the header row, data rows are 1…n, so "current row < 1" means nothing selected.
#include "core/Recordset.h"

#include <QAbstractTableModel>
#include <QTableView>

class GridModel final : public QAbstractTableModel {
public:
    using QAbstractTableModel::QAbstractTableModel;
    int rowCount(const QModelIndex& parent = {}) const override { return parent.isValid() ? 0 : m_rows.size(); }
    int columnCount(const QModelIndex& parent = {}) const override {
        return parent.isValid() ? 0 : m_header.size();
    }
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation o, int role) const override;

    void reset(const QStringList& header, const QVector<Recordset::Row>& rows);
    QString cell(int dataRow, int col) const;
    const QStringList& header() const { return m_header; }

private:
    QStringList m_header;
    QVector<Recordset::Row> m_rows; // shared with the recordset, not copied
};

class Grid : public QTableView {
    Q_OBJECT
public:
    explicit Grid(QWidget* parent = nullptr);

    void Clear();
    // Copies the recordset's rows and field names; the first data row becomes current.
    void Bind(const Recordset& rs);
    void Refresh() { viewport()->update(); }

    int Rows() const { return m_model.rowCount() + 1; }
    int Cols() const { return m_model.columnCount(); }
    int Row() const;
    void SetRow(int row);
    int Col() const { return m_col; }
    void SetCol(int col) { m_col = col; }
    QString Text() const { return TextMatrix(Row(), m_col); }
    QString TextMatrix(int row, int col) const;
    void SetColWidth(int col, int twips);
    QStringList Header() const { return m_model.header(); }

Q_SIGNALS:
    void Click();
    void DblClick();

private:
    GridModel m_model;
    int m_col = 0;
};

#pragma once
// Rows of one query held in memory, with the cursor operations the windows use. A recordset
// over one table is updatable: AddNew/SetValue/Update and Delete write at once, each in its
// own transaction, by rowid; a failed write changes neither the file nor the rows held here.
#include <QString>
#include <QStringList>
#include <QVariant>
#include <QVector>
#include <memory>

struct sqlite3;

class Recordset {
public:
    using Row = QVector<QVariant>;

    // Runs `sql` (already in the engine's dialect) on `db`. `table` is the one table it selects
    // from when it is updatable (rowid is then the first result column and is held apart).
    static std::shared_ptr<Recordset> open(sqlite3* db, const QString& sql, const QString& table,
                                           bool withRowid, QString* error);

    int RecordCount() const { return m_rows.size(); }
    bool Eof() const { return m_pos >= m_rows.size() || m_rows.isEmpty(); }
    bool Bof() const { return m_pos < 0 || m_rows.isEmpty(); }
    void MoveFirst() { m_pos = 0; }
    void MoveNext() {
        if (m_pos < m_rows.size())
            ++m_pos;
    }
    void MovePrevious() {
        if (m_pos >= 0)
            --m_pos;
    }
    void MoveLast() { m_pos = m_rows.isEmpty() ? 0 : m_rows.size() - 1; }
    int AbsolutePosition() const { return m_pos; }

    int FieldCount() const { return m_fields.size(); }
    QString FieldName(int i) const { return m_fields.value(i); }
    const QStringList& FieldNames() const { return m_fields; }
    int FieldIndex(const QString& name) const;

    // Value of the current row (the pending one while adding); invalid QVariant when there is none.
    QVariant Value(int i) const;
    QVariant Value(const QString& name) const { return Value(FieldIndex(name)); }
    // Text of a value as a grid cell shows it (Null → "").
    static QString Text(const QVariant& v);

    // Sets a field of the current or new row; written by Update. False for an unknown field.
    bool SetValue(const QString& name, const QVariant& v);
    bool SetValue(int i, const QVariant& v);
    void AddNew();
    bool Update();
    bool Delete();
    void CancelUpdate();
    void Close();
    bool IsOpen() const { return m_open; }
    bool IsUpdatable() const { return !m_table.isEmpty(); }

    // "查询错误: …" of the last failed write.
    QString LastError() const { return m_error; }
    // The last Update was written, but its row could not be read back: the row held here is
    // the values written, and a list showing it may differ from the file until it is reloaded.
    bool Stale() const { return m_stale; }
    qint64 CurrentRowid() const;

    const QVector<Row>& Rows() const { return m_rows; }

private:
    bool fail(const QString& what);
    bool reread(qint64 rowid, Row* row);

    sqlite3* m_db = nullptr;
    quint64 m_generation = 0;
    QString m_table;
    QStringList m_fields;
    QStringList m_declTypes;
    QVector<Row> m_rows;
    QVector<qint64> m_rowids;
    int m_pos = 0;
    bool m_adding = false;
    Row m_pending;
    QVector<bool> m_dirty;
    bool m_open = true;
    bool m_stale = false;
    QString m_error;
};

using RecordsetPtr = std::shared_ptr<Recordset>;

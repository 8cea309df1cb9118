#include "core/Recordset.h"

#include "core/Database.h"
#include "core/DateText.h"
#include "core/SqlCipher.h"

namespace {
const QString kError = QStringLiteral("查询错误: ");

enum class Kind { Other, Date, Boolean };

Kind kindOf(const QString& declType) {
    if (declType == QLatin1String("DATE"))
        return Kind::Date;
    if (declType == QLatin1String("BOOLEAN"))
        return Kind::Boolean;
    return Kind::Other;
}

QVariant columnValue(sqlite3_stmt* st, int i, Kind kind) {
    switch (sqlite3_column_type(st, i)) {
    case SQLITE_NULL:
        return QVariant();
    case SQLITE_INTEGER: {
        const qlonglong v = sqlite3_column_int64(st, i);
        if (kind == Kind::Boolean)
            return QVariant(v != 0);
        return QVariant(v);
    }
    case SQLITE_FLOAT:
        return QVariant(sqlite3_column_double(st, i));
    default: {
        const auto* p = reinterpret_cast<const char*>(sqlite3_column_text(st, i));
        const QString text = QString::fromUtf8(p, sqlite3_column_bytes(st, i));
        if (kind == Kind::Date) {
            if (const auto d = DateText::parse(text))
                return QVariant(*d);
        }
        return QVariant(text);
    }
    }
}

QString quoteIdent(const QString& name) {
    QString q = name;
    q.replace(QLatin1Char('"'), QStringLiteral("\"\""));
    return QLatin1Char('"') + q + QLatin1Char('"');
}

// Values are stored in the column's own kind: dates as ISO text, booleans as 0/1.
QVariant forColumn(const QVariant& v, const QString& declType) {
    if (v.isNull() || !v.isValid())
        return QVariant();
    if (declType == QLatin1String("DATE") && v.typeId() == QMetaType::QString) {
        if (const auto d = DateText::parse(v.toString()))
            return QVariant(*d);
    }
    if (declType == QLatin1String("BOOLEAN"))
        return QVariant(v.toBool());
    return v;
}
} // namespace

std::shared_ptr<Recordset> Recordset::open(sqlite3* db, const QString& sql, const QString& table,
                                           bool withRowid, QString* error) {
    auto st = SqlCipher::prepare(db, sql, error);
    if (!st)
        return nullptr;
    auto rs = std::make_shared<Recordset>();
    rs->m_db = db;
    rs->m_generation = Database::generation();
    rs->m_table = withRowid ? table : QString();
    const int first = withRowid ? 1 : 0;
    const int n = sqlite3_column_count(st.get());
    for (int i = first; i < n; ++i) {
        rs->m_fields << QString::fromUtf8(sqlite3_column_name(st.get(), i));
        const char* decl = sqlite3_column_decltype(st.get(), i);
        rs->m_declTypes << (decl ? QString::fromLatin1(decl).toUpper() : QString());
    }
    QVector<Kind> kinds;
    for (const QString& t : rs->m_declTypes)
        kinds << kindOf(t);
    int rc;
    while ((rc = sqlite3_step(st.get())) == SQLITE_ROW) {
        Row row(n - first);
        for (int i = first; i < n; ++i)
            row[i - first] = columnValue(st.get(), i, kinds[i - first]);
        rs->m_rows.append(std::move(row));
        if (withRowid)
            rs->m_rowids.append(sqlite3_column_int64(st.get(), 0));
    }
    if (rc != SQLITE_DONE) {
        *error = SqlCipher::lastError(db);
        return nullptr;
    }
    return rs;
}

int Recordset::FieldIndex(const QString& name) const {
    for (int i = 0; i < m_fields.size(); ++i)
        if (m_fields[i].compare(name, Qt::CaseInsensitive) == 0)
            return i;
    return -1;
}

QVariant Recordset::Value(int i) const {
    if (i < 0 || i >= m_fields.size())
        return QVariant();
    if (m_adding || !m_dirty.isEmpty())
        return m_pending.value(i);
    if (Eof() || Bof())
        return QVariant();
    return m_rows[m_pos].value(i);
}

QString Recordset::Text(const QVariant& v) {
    if (v.isNull() || !v.isValid())
        return QString();
    if (v.typeId() == QMetaType::QDate)
        return DateText::format(v.toDate());
    if (v.typeId() == QMetaType::Bool)
        return v.toBool() ? QStringLiteral("True") : QStringLiteral("False");
    return v.toString();
}

qint64 Recordset::CurrentRowid() const {
    if (m_rowids.isEmpty() || Eof() || Bof())
        return -1;
    return m_rowids[m_pos];
}

bool Recordset::SetValue(const QString& name, const QVariant& v) {
    return SetValue(FieldIndex(name), v);
}

bool Recordset::SetValue(int i, const QVariant& v) {
    if (i < 0 || i >= m_fields.size())
        return fail(QStringLiteral("字段不存在"));
    if (!m_adding) {
        if (Eof() || Bof())
            return fail(QStringLiteral("没有当前记录"));
        if (m_dirty.isEmpty()) {
            m_pending = m_rows[m_pos];
            m_dirty.fill(false, m_fields.size());
        }
    }
    m_pending[i] = forColumn(v, m_declTypes[i]);
    m_dirty[i] = true;
    return true;
}

void Recordset::AddNew() {
    m_adding = true;
    m_pending = Row(m_fields.size());
    m_dirty.fill(false, m_fields.size());
}

void Recordset::CancelUpdate() {
    m_adding = false;
    m_pending.clear();
    m_dirty.clear();
}

bool Recordset::fail(const QString& what) {
    m_error = kError + what;
    return false;
}

bool Recordset::reread(qint64 rowid, Row* row) {
    QString err;
    QStringList cols;
    for (const QString& f : m_fields)
        cols << quoteIdent(f);
    auto st = SqlCipher::prepare(m_db,
                                 QStringLiteral("SELECT %1 FROM %2 WHERE rowid=?")
                                     .arg(cols.join(QLatin1Char(',')), quoteIdent(m_table)),
                                 &err);
    if (!st)
        return fail(err);
    if (sqlite3_bind_int64(st.get(), 1, rowid) != SQLITE_OK)
        return fail(SqlCipher::lastError(m_db));
    if (sqlite3_step(st.get()) != SQLITE_ROW)
        return fail(QStringLiteral("记录已不存在"));
    row->clear();
    for (int i = 0; i < m_fields.size(); ++i)
        row->append(columnValue(st.get(), i, kindOf(m_declTypes[i])));
    return true;
}

bool Recordset::Update() {
    if (!m_adding && m_dirty.isEmpty())
        return true;
    struct Reset {
        Recordset* rs;
        ~Reset() { rs->CancelUpdate(); }
    } reset{this};
    if (!IsUpdatable())
        return fail(QStringLiteral("记录集不可更新"));
    if (!m_open || m_generation != Database::generation())
        return fail(QStringLiteral("数据库连接已关闭"));

    QStringList cols;
    QVector<QVariant> values;
    for (int i = 0; i < m_fields.size(); ++i) {
        if (m_dirty[i]) {
            cols << quoteIdent(m_fields[i]);
            values << m_pending[i];
        }
    }
    QString err;
    qint64 rowid = -1;
    const bool ok = Database::transaction(m_db, &err, [&] {
        QString sql;
        if (m_adding) {
            sql = cols.isEmpty()
                      ? QStringLiteral("INSERT INTO %1 DEFAULT VALUES").arg(quoteIdent(m_table))
                      : QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                            .arg(quoteIdent(m_table), cols.join(QLatin1Char(',')),
                                 QStringList(cols.size(), QStringLiteral("?")).join(QLatin1Char(',')));
        } else {
            QStringList sets;
            for (const QString& c : cols)
                sets << c + QStringLiteral("=?");
            sql = QStringLiteral("UPDATE %1 SET %2 WHERE rowid=?")
                      .arg(quoteIdent(m_table), sets.join(QLatin1Char(',')));
        }
        auto st = SqlCipher::prepare(m_db, sql, &err);
        if (!st)
            return false;
        int n = 1;
        for (const QVariant& v : values) {
            if (!SqlCipher::bind(st.get(), n++, v)) {
                err = SqlCipher::lastError(m_db);
                return false;
            }
        }
        if (!m_adding && sqlite3_bind_int64(st.get(), n, m_rowids[m_pos]) != SQLITE_OK) {
            err = SqlCipher::lastError(m_db);
            return false;
        }
        if (sqlite3_step(st.get()) != SQLITE_DONE) {
            err = SqlCipher::lastError(m_db);
            return false;
        }
        if (sqlite3_changes(m_db) != 1) {
            err = QStringLiteral("记录已不存在");
            return false;
        }
        rowid = m_adding ? sqlite3_last_insert_rowid(m_db) : m_rowids[m_pos];
        return true;
    });
    if (!ok)
        return fail(err);
    // The write is committed from here on: it is reported as done whatever the re-read gives.
    // Without a re-read the row held here is the one written, and Stale() says so.
    Row row;
    m_stale = !reread(rowid, &row);
    if (m_stale) {
        row = m_adding ? Row(m_fields.size()) : m_rows[m_pos];
        for (int i = 0; i < m_fields.size(); ++i)
            if (m_dirty[i])
                row[i] = m_pending[i];
    }
    if (m_adding) {
        m_rows.append(row);
        m_rowids.append(rowid);
        m_pos = m_rows.size() - 1;
    } else {
        m_rows[m_pos] = row;
    }
    return true;
}

bool Recordset::Delete() {
    CancelUpdate();
    if (!IsUpdatable())
        return fail(QStringLiteral("记录集不可更新"));
    if (Eof() || Bof())
        return fail(QStringLiteral("没有当前记录"));
    if (!m_open || m_generation != Database::generation())
        return fail(QStringLiteral("数据库连接已关闭"));
    QString err;
    const qint64 rowid = m_rowids[m_pos];
    const bool ok = Database::transaction(m_db, &err, [&] {
        auto st = SqlCipher::prepare(
            m_db, QStringLiteral("DELETE FROM %1 WHERE rowid=?").arg(quoteIdent(m_table)), &err);
        if (!st)
            return false;
        if (sqlite3_bind_int64(st.get(), 1, rowid) != SQLITE_OK) {
            err = SqlCipher::lastError(m_db);
            return false;
        }
        if (sqlite3_step(st.get()) != SQLITE_DONE) {
            err = SqlCipher::lastError(m_db);
            return false;
        }
        if (sqlite3_changes(m_db) != 1) {
            err = QStringLiteral("记录已不存在");
            return false;
        }
        return true;
    });
    if (!ok)
        return fail(err);
    m_stale = false;
    m_rows.remove(m_pos);
    m_rowids.remove(m_pos);
    return true;
}

void Recordset::Close() {
    CancelUpdate();
    m_open = false;
}

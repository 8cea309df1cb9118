#pragma once
// Small helpers for the window tests: reading the database back and driving grids with the mouse.
#include "core/modDBCommand.h"
#include "core/ui/Grid.h"

#include <QStringList>
#include <QtTest>

namespace ui_test {

// The rows of a query, each row's values as the grid would show them; a failed query gives one
// row holding the error message, so a comparison shows it.
inline QList<QStringList> rows(const QString& sql) {
    QString message;
    RecordsetPtr rs = ExecuteSql(sql, message);
    if (IsSqlError(message) || !rs)
        return {{message}};
    QList<QStringList> out;
    for (const auto& row : rs->Rows()) {
        QStringList cells;
        for (const QVariant& v : row)
            cells << Recordset::Text(v);
        out << cells;
    }
    return out;
}

// The first value of a query: QVariant() for Null, an invalid variant marked "<none>" when no row.
inline QVariant value(const QString& sql) {
    QString message;
    RecordsetPtr rs = ExecuteSql(sql, message);
    if (IsSqlError(message) || !rs)
        return QVariant(message);
    if (rs->RecordCount() == 0)
        return QVariant(QStringLiteral("<none>"));
    return rs->Value(0);
}

inline int count(const QString& sql) {
    return rows(sql).size();
}

// Adds a row through a recordset (no SQL text built from the values); returns its key.
inline long addRow(const QString& table, const QString& keyColumn, const QVariantMap& values) {
    QString message;
    RecordsetPtr rs =
        ExecuteSql(QStringLiteral("select * from [%1] where [%2]=0").arg(table, keyColumn), message);
    if (!rs)
        return -1;
    rs->AddNew();
    for (auto it = values.begin(); it != values.end(); ++it)
        rs->SetValue(it.key(), it.value());
    if (!rs->Update())
        return -1;
    return rs->Value(0).toLongLong();
}

inline long addCompany(const QString& name, const QVariant& address = QVariant()) {
    return addRow(QStringLiteral("企业"), QStringLiteral("企业编号"),
                  {{QStringLiteral("企业名称"), name},
                   {QStringLiteral("名称首拼"), QStringLiteral("X")},
                   {QStringLiteral("企业性质"), QStringLiteral("民营企业")},
                   {QStringLiteral("企业行业"), QStringLiteral("软件")},
                   {QStringLiteral("企业地址"), address}});
}

// Column `col` of every data row of the grid.
inline QStringList column(const Grid& g, int col) {
    QStringList out;
    for (int r = 1; r < g.Rows(); ++r)
        out << g.TextMatrix(r, col);
    return out;
}

inline QPoint cellCenter(Grid* g, int row, int col = 1) {
    g->scrollTo(g->model()->index(row - 1, col));
    return g->visualRect(g->model()->index(row - 1, col)).center();
}
inline void clickRow(Grid* g, int row) {
    QTest::mouseClick(g->viewport(), Qt::LeftButton, {}, cellCenter(g, row));
}
// As a mouse delivers it: press, release, double-click, release.
inline void dblClickRow(Grid* g, int row) {
    const QPoint at = cellCenter(g, row);
    QTest::mouseClick(g->viewport(), Qt::LeftButton, {}, at);
    QTest::mouseDClick(g->viewport(), Qt::LeftButton, {}, at);
    QTest::mouseRelease(g->viewport(), Qt::LeftButton, {}, at);
}

// Types `text` into `w` key by key. QTest::keyClicks knows Latin-1 only; other characters
// come as key events carrying their text, as an input method delivers them.
inline void typeText(QWidget* w, const QString& text) {
    for (char32_t cp : text.toUcs4()) {
        const QString one = QString::fromUcs4(&cp, 1);
        if (cp < 128)
            QTest::keyClick(w, char(cp));
        else
            QTest::sendKeyEvent(QTest::Click, w, Qt::Key_unknown, one, Qt::NoModifier);
    }
}

// A named control; aborts the test binary with the name when it is missing.
template <typename T> T* need(const QObject* parent, const char* name) {
    T* c = parent->findChild<T*>(QString::fromLatin1(name));
    if (!c)
        qFatal("control %s not found", name);
    return c;
}

} // namespace ui_test

#pragma once
// Small helpers shared by the contact window tests: typing any text as key presses, moving the
// focus on, reading a stored row and finding a grid row.
#include "core/Recordset.h"
#include "core/Sound.h"
#include "core/modDBCommand.h"
#include "core/ui/Grid.h"
#include "tests/support/TempHome.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QWidget>
#include <QtTest>

namespace kit {

// Key presses with their text, one per character (QTest::keyClicks only knows Latin-1).
inline void type(QWidget* w, const QString& text) {
    for (const QChar c : text)
        QTest::sendKeyEvent(QTest::Click, w, Qt::Key_unknown, QString(c), Qt::NoModifier);
}

// Gives `w` the keyboard focus inside its active window.
inline void focus(QWidget* w) {
    QWidget* top = w->window();
    top->activateWindow();
    QApplication::setActiveWindow(top);
    w->setFocus(Qt::OtherFocusReason);
    QCoreApplication::processEvents();
}

// Moves the focus from `from` to `to`, as the user leaving a box does.
inline void leave(QWidget* from, QWidget* to) {
    focus(from);
    QVERIFY(from->hasFocus());
    focus(to);
}

// A double click. QTest's first double click on a newly shown window arrives as a single press,
// so a click goes first, far enough ahead not to pair with it.
inline void doubleClick(QWidget* w, const QPoint& at) {
    QTest::mouseClick(w, Qt::LeftButton, {}, at);
    QTest::qWait(QApplication::doubleClickInterval() + 50);
    QTest::mouseDClick(w, Qt::LeftButton, {}, at);
}

// The stored values of one contact (empty when the row is not there).
inline QVector<QVariant> contact(long id) {
    QString message;
    auto rs = ExecuteSql(QStringLiteral("select * from [联系人] where [联系人编号]=") + QString::number(id),
                         message);
    if (!rs || rs->RecordCount() != 1)
        return {};
    return rs->Rows().first();
}

inline int contactCount() {
    QString message;
    auto rs = ExecuteSql(QStringLiteral("select * from [联系人]"), message);
    return rs ? rs->RecordCount() : -1;
}

// Highest contact number (the row added last).
inline long lastContactId() {
    QString message;
    auto rs = ExecuteSql(QStringLiteral("select * from [联系人] order by [联系人编号]"), message);
    if (!rs || rs->RecordCount() == 0)
        return 0;
    rs->MoveLast();
    return long(rs->Value(0).toLongLong());
}

// The grid row whose column `col` reads `text`; 0 when none.
inline int rowOf(const Grid& g, int col, const QString& text) {
    for (int r = 1; r < g.Rows(); ++r)
        if (g.TextMatrix(r, col) == text)
            return r;
    return 0;
}

// Column `col` of every data row.
inline QStringList column(const Grid& g, int col) {
    QStringList out;
    for (int r = 1; r < g.Rows(); ++r)
        out << g.TextMatrix(r, col);
    return out;
}

// Puts the three wave files into the home, so that playing them is recorded.
inline void makeWaveFiles(const TempHome& home) {
    QDir().mkpath(home.file(QStringLiteral("wave")));
    for (const QString& path : WaveFiles) {
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("RIFF");
    }
}

// Adds a company with its four required fields; returns its number.
inline long addCompany(const TempHome& home, const QString& name) {
    QString e;
    if (!home.raw(QStringLiteral("INSERT INTO \"企业\"(\"企业名称\",\"名称首拼\",\"企业性质\",\"企业行业\") "
                                 "VALUES('%1','X','国有企业','软件');")
                      .arg(name),
                  &e))
        qWarning("addCompany: %s", qPrintable(e));
    QString message;
    auto rs = ExecuteSql(QStringLiteral("select * from [企业] order by [企业编号]"), message);
    if (!rs || rs->RecordCount() == 0)
        return 0;
    rs->MoveLast();
    return long(rs->Value(0).toLongLong());
}

} // namespace kit

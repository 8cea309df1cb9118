#pragma once
// Driving the visit windows in tests: date pickers, the two pickers, a few fixture rows.
#include "core/modDBCommand.h"
#include "core/ui/Grid.h"
#include "tests/support/FakePrompt.h"
#include "tests/support/TempHome.h"
#include "ui/visit/VisitWidgets.h"

#include <QAbstractItemView>
#include <QCalendarWidget>
#include <QComboBox>
#include <QDialog>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QtTest>

namespace fixture {

template <typename T> T* get(const QObject& parent, const QString& name) {
    T* w = parent.findChild<T*>(name);
    if (!w)
        qWarning("no control %s", qPrintable(name));
    return w;
}

inline void click(const QObject& parent, const QString& button) {
    QPushButton* b = get<QPushButton>(parent, button);
    if (b)
        QTest::mouseClick(b, Qt::LeftButton);
}

// Opens the picker's calendar with its button, moves to `d` and presses Enter, as a user would.
inline bool pickDate(const QObject& parent, const QString& pickerName, const QDate& d) {
    auto* dp = get<VisitUi::DatePicker>(parent, pickerName);
    if (!dp)
        return false;
    QTest::mouseClick(dp, Qt::LeftButton);
    QCalendarWidget* cal = dp->calendar();
    if (!cal->isVisible())
        return false;
    cal->setSelectedDate(d);
    QTest::keyClick(cal->findChild<QAbstractItemView*>(), Qt::Key_Return);
    return !cal->isVisible() && dp->date() == d;
}

// Answers the next company picker with the company numbered `id`.
inline void answerCompany(FakePrompt& prompt, const QString& id) {
    prompt.onDialog([id](QDialog& d) {
        Grid* g = get<Grid>(d, QStringLiteral("grdCompany"));
        for (int r = 1; g && r < g->Rows(); ++r)
            if (g->TextMatrix(r, 0) == id)
                g->SetRow(r);
        click(d, QStringLiteral("cmdSel"));
    });
}

// Answers the next contact picker with its data row `row`; `listed` receives the company
// numbers of every row it listed, `name` the chosen name.
inline void answerPerson(FakePrompt& prompt, int row, QStringList* listed = nullptr, QString* name = nullptr) {
    prompt.onDialog([=](QDialog& d) {
        Grid* g = get<Grid>(d, QStringLiteral("grdLinkMan"));
        if (!g)
            return;
        for (int r = 1; listed && r < g->Rows(); ++r)
            *listed << g->TextMatrix(r, 18);
        g->SetRow(row);
        if (name)
            *name = g->TextMatrix(row, 1);
        click(d, QStringLiteral("cmdSel"));
    });
}

inline QString text(const QObject& parent, const QString& name) {
    if (auto* e = parent.findChild<QLineEdit*>(name))
        return e->text();
    if (auto* t = parent.findChild<QPlainTextEdit*>(name))
        return t->toPlainText();
    if (auto* c = parent.findChild<QComboBox*>(name))
        return c->currentText();
    qWarning("no control %s", qPrintable(name));
    return QStringLiteral("<none>");
}

inline void setText(const QObject& parent, const QString& name, const QString& value) {
    if (auto* e = parent.findChild<QLineEdit*>(name))
        e->setText(value);
    else if (auto* t = parent.findChild<QPlainTextEdit*>(name))
        t->setPlainText(value);
    else if (auto* c = parent.findChild<QComboBox*>(name))
        c->setCurrentText(value);
    else
        qWarning("no control %s", qPrintable(name));
}

// All rows of [拜访] in key order.
inline QVector<QVector<QVariant>> visits(const QString& where = QString()) {
    QString msg;
    auto rs = ExecuteSql(QStringLiteral("select * from [拜访]") + where, msg);
    return rs ? rs->Rows() : QVector<QVector<QVariant>>{};
}

// Six visits with known persons, companies and dates.
inline bool insertVisits(const TempHome& home) {
    return home.raw(QStringLiteral(
        "INSERT INTO 拜访 (受访单位,受访人,实施单位,实施人员,责任人,登记时间,完成标志,重要程度,工作开始时间,"
        "工作结束时间,需要提醒,开始提醒时间,结束提醒时间,拜访事项,工作方案,内容结果) VALUES "
        "('1:甲公司','张三','2:乙公司','李四/王五','赵六','2026-07-20','未完成','普通','2026-08-01','2026-08-02',"
        "'不需提醒',NULL,NULL,'演示','',''),"
        "('1:甲公司','张三','','张三/李四','王五','2026-07-21','已完成','重要','2026-08-15','2026-08-16','需要提醒',"
        "'2026-08-10','2026-08-15','洽谈','',''),"
        "('3:丙''公司','王五','','王/张三/李','李四','2026-07-22','未完成','很重要','2026-08-31','2026-09-01',"
        "'不需提醒',NULL,NULL,'回访','',''),"
        "('1:甲公司','张三丰','','张三丰/李四','张三丰','2026-08-01','未完成','普通','2026-09-01','2026-09-02',"
        "'不需提醒',NULL,NULL,'','',''),"
        "('','李四','','张三','王五','2026-08-01','未完成','普通','2026-07-31','2026-07-31','不需提醒',NULL,NULL,"
        "'','',''),"
        "('','O''Brien','','50%_off','小张三','2026-08-01','未完成','普通','2026-08-10','2026-08-01','不需提醒',"
        "NULL,NULL,'','','')"));
}

// The keys listed in a grid, as "1,2,3".
inline QString keys(const Grid& g) {
    QStringList out;
    for (int r = 1; r < g.Rows(); ++r)
        out << g.TextMatrix(r, 0);
    return out.join(QLatin1Char(','));
}

} // namespace fixture

namespace fixture {
// Types `s` into `w` key by key (QTest::keyClicks only knows Latin-1); "\n" is the Enter key.
inline void type(QWidget* w, const QString& s) {
    for (const QChar c : s) {
        const bool enter = c == QLatin1Char('\n');
        const int key = enter ? Qt::Key_Return : (c.unicode() < 128 ? int(c.toUpper().unicode()) : int(Qt::Key_unknown));
        const QString t = enter ? QStringLiteral("\r") : QString(c);
        QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, t);
        QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, t);
        QApplication::sendEvent(w, &press);
        QApplication::sendEvent(w, &release);
    }
}

inline void type(const QObject& parent, const QString& name, const QString& s) {
    if (auto* w = get<QWidget>(parent, name))
        type(w, s);
}
} // namespace fixture

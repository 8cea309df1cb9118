#pragma once
// Small controls of the visit windows: a date picker button with a popup calendar, and text
// boxes whose typing limit never cuts text set by code.
#include <QDate>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QToolButton>

class QCalendarWidget;
class QComboBox;

namespace VisitUi {

// A small button that opens a calendar; choosing a day (click or Enter) emits picked().
// setDate() only moves the calendar, it emits nothing.
class DatePicker : public QToolButton {
    Q_OBJECT
public:
    explicit DatePicker(QWidget* parent = nullptr);
    QDate date() const { return m_date; }
    void setDate(const QDate& d);
    void openCalendar();
    QCalendarWidget* calendar() const { return m_calendar; }

Q_SIGNALS:
    void picked(const QDate& date);

private:
    void choose(const QDate& d);

    QDate m_date;
    QWidget* m_popup;
    QCalendarWidget* m_calendar;
};

// One-line free text: typing and pasting stop at `limit` characters; setText() is never cut.
// Leaving the box trims its text.
class LimitedLineEdit : public QLineEdit {
    Q_OBJECT
public:
    LimitedLineEdit(int limit, QWidget* parent = nullptr);
    int limit() const { return m_limit; }

protected:
    void keyPressEvent(QKeyEvent* e) override;
    void inputMethodEvent(QInputMethodEvent* e) override;
    void contextMenuEvent(QContextMenuEvent* e) override;
    void focusOutEvent(QFocusEvent* e) override;

private:
    int room() const;
    void pasteLimited();

    int m_limit;
};

// Multi-line free text with the same typing limit and trimming.
class LimitedTextEdit : public QPlainTextEdit {
    Q_OBJECT
public:
    LimitedTextEdit(int limit, QWidget* parent = nullptr);
    int limit() const { return m_limit; }

protected:
    void keyPressEvent(QKeyEvent* e) override;
    void inputMethodEvent(QInputMethodEvent* e) override;
    void insertFromMimeData(const QMimeData* source) override;
    void focusOutEvent(QFocusEvent* e) override;

private:
    int room() const;

    int m_limit;
};

// A drop-down list that refuses typed keys but still shows and keeps a value set by code that
// is not in its list.
QComboBox* makeFixedList(const QString& name, const QStringList& items, QWidget* parent);

} // namespace VisitUi

#pragma once
// Up to four ticked field conditions over one table; the matching rows are shown in that table's
// list window. mdiCompanyQuery and mdiLinkmanQuery differ only in their table, the kinds of
// some columns and the list window they fill.
#include <QWidget>
#include <functional>

class QCheckBox;
class QComboBox;
class QLineEdit;

class QueryWindow : public QWidget {
    Q_OBJECT
public:
    struct Kind {
        QString emptyQuery;      // statement that gives the field names
        QStringList numeric;     // exact-number columns
        QString dateColumn;      // exact-date column, or empty
        QString numericMessage;  // shown when a numeric keyword is not a number
        // Loads the list window with GridFillEnabled off, then fills it with the filter; false when
        // the fill failed.
        std::function<bool(const QString& filter)> show;
    };

    QueryWindow(QWidget* parent, const QString& name, const QString& caption, Kind kind);

    // The filter of the ticked rows, or nullopt (with the message shown) when a row is incomplete
    // or its keyword cannot be read.
    std::optional<QString> BuildFilter();
    bool CheckConditions() const;

private:
    void runQuery();

    Kind m_kind;
    QCheckBox* m_tick[4];
    QComboBox* m_field[4];
    QLineEdit* m_keyword[4];
    QCheckBox* m_unloadMe;
};

class mdiCompanyQuery : public QueryWindow {
    Q_OBJECT
public:
    explicit mdiCompanyQuery(QWidget* parent = nullptr);
};

class mdiLinkmanQuery : public QueryWindow {
    Q_OBJECT
public:
    explicit mdiLinkmanQuery(QWidget* parent = nullptr);
};

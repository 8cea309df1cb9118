#pragma once
// The eight tables of Tobrin.dat with their columns in stored order. The program itself never
// creates tables; the init tool does, and restore checks a backup against this list.
#include <QString>
#include <QStringList>
#include <QVector>

namespace Schema {

struct Column {
    QString name;
    QString type; // KEY, TEXT, LONG, DATE, BOOLEAN
};
struct Table {
    QString name;
    QVector<Column> columns;
};

const QVector<Table>& tables();
const Table* table(const QString& name);
QStringList columnNames(const QString& table);
// CREATE TABLE statement for the engine.
QString createStatement(const Table& t);

} // namespace Schema

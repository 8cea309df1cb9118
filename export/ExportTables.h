#pragma once
// The three tables the export writes, in the order they are written, and the loop that writes
// one of them into a worksheet.
#include <QString>
#include <QStringList>
#include <QVector>
#include <functional>

class Recordset;
class XlsxWriter;

struct ExportTable {
    QString check;   // objectName of the dialog's check box
    QString name;    // the table's name: its worksheet's name and its name in the status texts
    QString sql;     // the statement that reads it
    QString task;    // Label7 while it is written
    QString writing; // Label5 while its rows are written
    QStringList titles;
};

// Companies, contacts, visits.
const QVector<ExportTable>& ExportTables();

// Writes the titles into row 1 and each record from the current one on into the rows below.
// After each record step(written, total) runs; when it returns false the loop stops there.
// False when the writer failed (its error() says why).
bool WriteTable(XlsxWriter& writer, const QStringList& titles, Recordset& rs,
                const std::function<bool(int written, int total)>& step);

#pragma once
// Reads a workbook back with a real reader (openpyxl under /usr/bin/python3) and hands it over
// as JSON: [{"name", "rows": [[cell, ...], ...], "cols": [{"min","max","width"}]}], a cell being
// null or {"t": s|n|b|d|f, "v": value, "fmt": number format}; dates as "yyyy-mm-dd".
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRegularExpression>
#include <QString>
#include <cmath>

inline QJsonArray ReadXlsx(const QString& path, QString* error) {
    static const char* script = R"PY(
import json, sys, datetime, openpyxl
wb = openpyxl.load_workbook(sys.argv[1])
out = []
for ws in wb.worksheets:
    rows = []
    for row in ws.iter_rows(min_row=1, max_row=ws.max_row, max_col=ws.max_column):
        cells = []
        for c in row:
            if c.value is None:
                cells.append(None)
                continue
            v = c.value
            t = c.data_type
            if isinstance(v, (datetime.datetime, datetime.date)):
                t, v = 'd', v.strftime('%Y-%m-%d')
            cells.append({'t': t, 'v': v, 'fmt': c.number_format})
        rows.append(cells)
    if ws.max_row == 1 and all(c is None for c in rows[0]):
        rows = []
    cols = [{'min': d.min, 'max': d.max, 'width': d.width}
            for d in ws.column_dimensions.values() if d.customWidth]
    out.append({'name': ws.title, 'rows': rows, 'cols': cols})
json.dump(out, sys.stdout)
)PY";
    QProcess p;
    p.start(QStringLiteral("/usr/bin/python3"), {QStringLiteral("-c"), QString::fromUtf8(script), path});
    if (!p.waitForFinished(60000) || p.exitCode() != 0) {
        *error = QStringLiteral("openpyxl could not read %1: %2")
                     .arg(path, QString::fromUtf8(p.readAllStandardError()));
        return {};
    }
    QJsonParseError pe;
    const QJsonDocument doc = QJsonDocument::fromJson(p.readAllStandardOutput(), &pe);
    if (!doc.isArray()) {
        *error = QStringLiteral("bad reader output: %1").arg(pe.errorString());
        return {};
    }
    error->clear();
    return doc.array();
}

// Row r (0 = title row) of a sheet as JSON cells.
inline QJsonArray SheetRow(const QJsonArray& book, int sheet, int row) {
    return book.at(sheet)["rows"].toArray().at(row).toArray();
}
inline int SheetRows(const QJsonArray& book, int sheet) {
    return int(book.at(sheet)["rows"].toArray().size());
}
// Width set on column c (0-based) in characters, as Excel shows it (the file adds the cell's
// padding as a fraction), or -1.
inline double ColumnWidth(const QJsonArray& book, int sheet, int c) {
    for (const QJsonValue& d : book.at(sheet)["cols"].toArray())
        if (d["min"].toInt() <= c + 1 && c + 1 <= d["max"].toInt())
            return std::floor(d["width"].toDouble());
    return -1;
}

// The text cells of sheet n (1-based) as the file stores them, by cell reference ("B1"), read
// with nothing but a zip and an XML parser: shared or inline strings, escapes not decoded.
inline QJsonObject SheetXmlTexts(const QString& path, int sheet, QString* error) {
    static const char* script = R"PY(
import json, sys, zipfile
import xml.etree.ElementTree as ET
M = '{http://schemas.openxmlformats.org/spreadsheetml/2006/main}'
z = zipfile.ZipFile(sys.argv[1])
def text(node):
    return ''.join(t.text or '' for t in node.iter(M + 't'))
shared = []
if 'xl/sharedStrings.xml' in z.namelist():
    shared = [text(si) for si in ET.fromstring(z.read('xl/sharedStrings.xml')).iter(M + 'si')]
out = {}
for c in ET.fromstring(z.read('xl/worksheets/sheet%s.xml' % sys.argv[2])).iter(M + 'c'):
    if c.get('t') == 's':
        out[c.get('r')] = shared[int(c.find(M + 'v').text)]
    elif c.get('t') == 'inlineStr':
        out[c.get('r')] = text(c)
json.dump(out, sys.stdout)
)PY";
    QProcess p;
    p.start(QStringLiteral("/usr/bin/python3"),
            {QStringLiteral("-c"), QString::fromUtf8(script), path, QString::number(sheet)});
    if (!p.waitForFinished(60000) || p.exitCode() != 0) {
        *error = QStringLiteral("could not read the sheet XML of %1: %2")
                     .arg(path, QString::fromUtf8(p.readAllStandardError()));
        return {};
    }
    error->clear();
    return QJsonDocument::fromJson(p.readAllStandardOutput()).object();
}

// What a reader that follows the format shows for stored text: every "_xHHHH_" is the
// character U+HHHH, taken from left to right.
inline QString DecodeXString(const QString& stored) {
    static const QRegularExpression escape(QStringLiteral("_x([0-9A-Fa-f]{4})_"));
    QString out;
    qsizetype from = 0;
    for (auto it = escape.globalMatch(stored); it.hasNext();) {
        const auto m = it.next();
        out += stored.mid(from, m.capturedStart() - from);
        out += QChar(char16_t(m.captured(1).toUShort(nullptr, 16)));
        from = m.capturedEnd();
    }
    return out + stored.mid(from);
}

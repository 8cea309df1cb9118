#pragma once
// A .xlsx workbook written with libxlsxwriter, row by row. The file is built under a temporary
// name in the target folder and moved to its name only when complete; an existing file is
// replaced only when asked for, and a failed workbook leaves nothing behind (an existing file
// stays as it was). The cells are held in memory until finish() (about 80 bytes a cell).
#include "export/SiblingFile.h"

#include <QString>
#include <QVariant>
#include <QVector>

struct lxw_workbook;
struct lxw_worksheet;
struct lxw_format;

struct XlsxError {
    int number = 0; // libxlsxwriter error code, or errno for file-system failures
    QString description;
};

class XlsxWriter {
public:
    static constexpr int MaxRows = 1048576;
    static constexpr int MaxColumns = 16384;
    static constexpr int MaxStringLength = 32767;
    static constexpr double MaxColumnWidth = 255;

    using Existing = SiblingFile::Existing;

    explicit XlsxWriter(const QString& target, Existing existing = Existing::Keep);
    ~XlsxWriter(); // discards an unfinished workbook
    XlsxWriter(const XlsxWriter&) = delete;
    XlsxWriter& operator=(const XlsxWriter&) = delete;

    // Reserves the temporary file beside the target. Fails when the folder cannot be written,
    // or when the target exists and is to be kept.
    bool begin();
    // Adds a worksheet (an empty name gives the default "SheetN") and makes it the current one.
    bool addSheet(const QString& name = QString());
    // Writes one row of the current sheet; rows count from 0 and must come in order. Null or
    // invalid values leave the cell empty; QString stays text whatever it looks like (control
    // characters, NUL and "_xHHHH_" included); QDate is a date cell; numbers and booleans keep
    // their kind.
    bool writeRow(int row, const QVector<QVariant>& values);
    // Sets the widths of the current sheet's columns to fit what was written in them.
    bool fitColumns();
    // Writes the workbook and moves it to the target name (atomically over an existing file
    // when replacing).
    bool finish();
    // Drops the workbook and its temporary file.
    void discard();

    const XlsxError& error() const { return m_error; }
    QString target() const { return m_file.target(); }
    QString tempPath() const { return m_file.tempPath(); }
    int sheetCount() const { return m_sheetCount; }

    // Width of a text in character cells: wide (CJK, full-width) characters count two.
    static int displayWidth(const QString& text);

private:
    bool fail(int number, const QString& description);
    bool check(int lxwError, int row, int col);

    SiblingFile m_file;
    lxw_workbook* m_book = nullptr;
    lxw_worksheet* m_sheet = nullptr;
    lxw_format* m_dateFormat = nullptr;
    QVector<int> m_widths; // of the current sheet
    int m_nextRow = 0;
    int m_sheetCount = 0;
    bool m_failed = false;
    bool m_done = false;
    XlsxError m_error;
};

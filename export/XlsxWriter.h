#pragma once
// A new .xlsx workbook written with libxlsxwriter, row by row. The file is built under a
// temporary name in the target folder and moved to its name only when complete; an existing
// file is never replaced, and a failed workbook leaves nothing behind.
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

    explicit XlsxWriter(const QString& target);
    ~XlsxWriter(); // discards an unfinished workbook
    XlsxWriter(const XlsxWriter&) = delete;
    XlsxWriter& operator=(const XlsxWriter&) = delete;

    // Reserves the temporary file beside the target. Fails when the target exists or the
    // folder cannot be written.
    bool begin();
    // Adds a worksheet (default name) and makes it the current one.
    bool addSheet();
    // Writes one row of the current sheet; rows count from 0 and must come in order. Null or
    // invalid values leave the cell empty; QString stays text whatever it looks like; QDate is
    // a date cell; numbers and booleans keep their kind.
    bool writeRow(int row, const QVector<QVariant>& values);
    // Sets the widths of the current sheet's columns to fit what was written in them.
    bool fitColumns();
    // Writes the workbook and moves it to the target name.
    bool finish();
    // Drops the workbook and its temporary file.
    void discard();

    const XlsxError& error() const { return m_error; }
    QString target() const { return m_target; }
    QString tempPath() const { return m_temp; }
    int sheetCount() const { return m_sheetCount; }

    // Width of a text in character cells: wide (CJK, full-width) characters count two.
    static int displayWidth(const QString& text);

private:
    bool fail(int number, const QString& description);
    bool check(int lxwError, int row, int col);
    void removeTemp();

    QString m_target;
    QString m_temp;
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

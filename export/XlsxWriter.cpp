#include "export/XlsxWriter.h"

#include <QDate>
#include <QFile>

#include <xlsxwriter.h>

#include <cmath>

namespace {

QString cellName(int row, int col) {
    return QStringLiteral("第 %1 行第 %2 列").arg(row + 1).arg(col + 1);
}

// "_xHHHH_" at i: the form in which OOXML text carries a character.
bool escapeAt(const QString& text, qsizetype i) {
    if (i + 6 >= text.size() || text[i] != u'_' || text[i + 1] != u'x' || text[i + 6] != u'_')
        return false;
    for (qsizetype k = i + 2; k < i + 6; ++k) {
        const char16_t c = text[k].unicode();
        if (!((c >= u'0' && c <= u'9') || (c >= u'a' && c <= u'f') || (c >= u'A' && c <= u'F')))
            return false;
    }
    return true;
}

bool unstorable(char16_t c) {
    return (c < 0x20 && c != u'\t' && c != u'\n') || c == 0xFFFE || c == 0xFFFF;
}

// The text as the sheet stores it: characters XML cannot carry (NUL and the other control
// characters, CR included since XML would turn it into LF) become "_xHHHH_", and an underscore
// that would start such a sequence is itself escaped as "_x005F_", so that a reader decoding the
// sequences gets back exactly this text.
QString escapeText(const QString& text) {
    qsizetype i = 0;
    while (i < text.size() && !unstorable(text[i].unicode()) && !escapeAt(text, i))
        ++i;
    if (i == text.size())
        return text;
    QString out = text.left(i);
    for (; i < text.size(); ++i) {
        const char16_t c = text[i].unicode();
        if (unstorable(c))
            out += QStringLiteral("_x%1_").arg(QString::number(c, 16).toUpper().rightJustified(4, u'0'));
        else if (escapeAt(text, i))
            out += QStringLiteral("_x005F_");
        else
            out += QChar(c);
    }
    return out;
}

QString tooLong(int row, int col, const QString& text, const QString& stored) {
    if (text.size() > XlsxWriter::MaxStringLength)
        return QStringLiteral("%1的文字有 %2 个字符，超过了 Excel 单元格最多 %3 个字符的限制，无法写入。")
            .arg(cellName(row, col))
            .arg(text.size())
            .arg(XlsxWriter::MaxStringLength);
    return QStringLiteral("%1的文字有 %2 个字符，其中的控制字符和“_x”开头的序列要写成转义形式，"
                          "写入后有 %3 个字符，超过了 Excel 单元格最多 %4 个字符的限制，无法写入。")
        .arg(cellName(row, col))
        .arg(text.size())
        .arg(stored.size())
        .arg(XlsxWriter::MaxStringLength);
}

bool isWide(char32_t c) {
    return (c >= 0x1100 && c <= 0x115F) || (c >= 0x2E80 && c <= 0xA4CF) || (c >= 0xAC00 && c <= 0xD7A3) ||
           (c >= 0xF900 && c <= 0xFAFF) || (c >= 0xFE30 && c <= 0xFE4F) || (c >= 0xFF00 && c <= 0xFF60) ||
           (c >= 0xFFE0 && c <= 0xFFE6) || (c >= 0x20000 && c <= 0x3FFFD);
}

} // namespace

XlsxWriter::XlsxWriter(const QString& target, Existing existing) : m_file(target, existing) {}

XlsxWriter::~XlsxWriter() {
    if (!m_done)
        discard();
}

int XlsxWriter::displayWidth(const QString& text) {
    int best = 0, line = 0;
    for (char32_t c : text.toUcs4()) {
        if (c == U'\n') {
            best = std::max(best, line);
            line = 0;
        } else {
            line += isWide(c) ? 2 : 1;
        }
    }
    return std::max(best, line);
}

bool XlsxWriter::fail(int number, const QString& description) {
    if (!m_failed) {
        m_failed = true;
        m_error = {number, description};
    }
    return false;
}

bool XlsxWriter::check(int lxwError, int row, int col) {
    if (lxwError == LXW_NO_ERROR)
        return true;
    return fail(lxwError, QStringLiteral("写入%1时出错：%2")
                              .arg(cellName(row, col), QString::fromUtf8(lxw_strerror(lxw_error(lxwError)))));
}

bool XlsxWriter::begin() {
    if (!m_file.open())
        return fail(m_file.errorNumber(), m_file.errorString());
    // Shared strings rather than the inline strings of libxlsxwriter's constant-memory mode:
    // readers that decode the "_x005F_" of an escaped underscore only in shared strings then
    // read back the stored text too, and repeated values are stored once.
    const QByteArray path = QFile::encodeName(m_file.tempPath());
    m_book = workbook_new(path.constData());
    if (!m_book) {
        m_file.discard();
        return fail(LXW_ERROR_MEMORY_MALLOC_FAILED, QStringLiteral("无法创建 Excel 工作簿。"));
    }
    m_dateFormat = workbook_add_format(m_book);
    if (!m_dateFormat)
        return fail(LXW_ERROR_MEMORY_MALLOC_FAILED, QStringLiteral("无法创建 Excel 日期格式。"));
    format_set_num_format(m_dateFormat, "yyyy-mm-dd");
    return true;
}

bool XlsxWriter::addSheet(const QString& name) {
    if (m_failed || !m_book)
        return false;
    const QByteArray utf8 = name.toUtf8();
    m_sheet = workbook_add_worksheet(m_book, name.isEmpty() ? nullptr : utf8.constData());
    if (!m_sheet)
        return fail(LXW_ERROR_PARAMETER_VALIDATION,
                    name.isEmpty() ? QStringLiteral("无法添加第 %1 个工作表。").arg(m_sheetCount + 1)
                                   : QStringLiteral("无法添加工作表“%1”。").arg(name));
    ++m_sheetCount;
    m_widths.clear();
    m_nextRow = 0;
    return true;
}

bool XlsxWriter::writeRow(int row, const QVector<QVariant>& values) {
    if (m_failed || !m_sheet)
        return false;
    if (row >= MaxRows)
        return fail(LXW_ERROR_WORKSHEET_INDEX_OUT_OF_RANGE,
                    QStringLiteral("第 %1 行超出了 Excel 工作表最多 %2 行的限制，无法写入。")
                        .arg(row + 1)
                        .arg(MaxRows));
    if (values.size() > MaxColumns)
        return fail(LXW_ERROR_WORKSHEET_INDEX_OUT_OF_RANGE,
                    QStringLiteral("%1 列超出了 Excel 工作表最多 %2 列的限制，无法写入。")
                        .arg(values.size())
                        .arg(MaxColumns));
    if (row < m_nextRow)
        return fail(LXW_ERROR_PARAMETER_VALIDATION,
                    QStringLiteral("第 %1 行已经写过，不能再写。").arg(row + 1));
    m_nextRow = row + 1;
    if (m_widths.size() < values.size())
        m_widths.resize(values.size());

    const lxw_row_t r = lxw_row_t(row);
    for (int c = 0; c < values.size(); ++c) {
        const QVariant& v = values[c];
        const lxw_col_t col = lxw_col_t(c);
        if (!v.isValid() || v.isNull())
            continue; // an empty cell, unlike a written 0
        int width = 0;
        lxw_error e = LXW_NO_ERROR;
        const int type = v.typeId();
        const QDate date = type == QMetaType::QDate ? v.toDate() : QDate();
        if (type == QMetaType::Bool) {
            e = worksheet_write_boolean(m_sheet, r, col, v.toBool(), nullptr);
            width = v.toBool() ? 4 : 5;
        } else if (type == QMetaType::Int || type == QMetaType::UInt || type == QMetaType::Long ||
                   type == QMetaType::LongLong || type == QMetaType::ULongLong || type == QMetaType::Short ||
                   type == QMetaType::UShort) {
            const qlonglong n = v.toLongLong();
            e = worksheet_write_number(m_sheet, r, col, double(n), nullptr);
            width = QString::number(n).size();
        } else if ((type == QMetaType::Double || type == QMetaType::Float) && std::isfinite(v.toDouble())) {
            e = worksheet_write_number(m_sheet, r, col, v.toDouble(), nullptr);
            width = QString::number(v.toDouble(), 'g', 15).size();
        } else if (date.isValid() && date.year() >= 1900 && date.year() <= 9999) {
            lxw_datetime dt{date.year(), date.month(), date.day(), 0, 0, 0};
            e = worksheet_write_datetime(m_sheet, r, col, &dt, m_dateFormat);
            width = 10;
        } else {
            // Everything else, dates before Excel's 1900 included, is text, and text is always a
            // string cell, never a formula: "=1+2" stays as typed.
            const QString text = date.isValid() ? date.toString(QStringLiteral("yyyy-MM-dd")) : v.toString();
            if (text.isEmpty())
                continue;
            const QString stored = escapeText(text);
            if (stored.size() > MaxStringLength)
                return fail(LXW_ERROR_MAX_STRING_LENGTH_EXCEEDED, tooLong(row, c, text, stored));
            e = worksheet_write_string(m_sheet, r, col, stored.toUtf8().constData(), nullptr);
            width = displayWidth(text);
        }
        if (!check(e, row, c))
            return false;
        m_widths[c] = std::max(m_widths[c], width);
    }
    return true;
}

bool XlsxWriter::fitColumns() {
    if (m_failed || !m_sheet)
        return false;
    for (int c = 0; c < m_widths.size(); ++c) {
        if (m_widths[c] == 0)
            continue;
        const double width = std::min(MaxColumnWidth, m_widths[c] + 1.0);
        if (!check(worksheet_set_column(m_sheet, lxw_col_t(c), lxw_col_t(c), width, nullptr), 0, c))
            return false;
    }
    return true;
}

bool XlsxWriter::finish() {
    if (m_failed || !m_book)
        return false;
    lxw_workbook* book = m_book;
    m_book = nullptr;
    m_sheet = nullptr;
    const lxw_error e = workbook_close(book); // frees the workbook whatever happens
    if (e != LXW_NO_ERROR) {
        m_file.discard();
        return fail(e, QStringLiteral("保存 Excel 文件失败（磁盘已满或文件夹无法写入？）：%1")
                           .arg(QString::fromUtf8(lxw_strerror(e))));
    }
    if (!m_file.commit())
        return fail(m_file.errorNumber(), m_file.errorString());
    m_done = true;
    return true;
}

void XlsxWriter::discard() {
    if (m_book) {
        // Closing is the only way to free the workbook; it writes the temporary file, removed next.
        workbook_close(m_book);
        m_book = nullptr;
        m_sheet = nullptr;
    }
    m_file.discard();
    m_done = true;
}

#include "export/XlsxWriter.h"

#include <QDate>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>

#include <xlsxwriter.h>

#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

namespace {

QString sysError(int err) {
    return QString::fromLocal8Bit(std::strerror(err));
}

QString cellName(int row, int col) {
    return QStringLiteral("第 %1 行第 %2 列").arg(row + 1).arg(col + 1);
}

bool isWide(char32_t c) {
    return (c >= 0x1100 && c <= 0x115F) || (c >= 0x2E80 && c <= 0xA4CF) || (c >= 0xAC00 && c <= 0xD7A3) ||
           (c >= 0xF900 && c <= 0xFAFF) || (c >= 0xFE30 && c <= 0xFE4F) || (c >= 0xFF00 && c <= 0xFF60) ||
           (c >= 0xFFE0 && c <= 0xFFE6) || (c >= 0x20000 && c <= 0x3FFFD);
}

} // namespace

XlsxWriter::XlsxWriter(const QString& target) : m_target(QFileInfo(target).absoluteFilePath()) {}

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

void XlsxWriter::removeTemp() {
    if (!m_temp.isEmpty()) {
        ::unlink(QFile::encodeName(m_temp).constData());
        m_temp.clear();
    }
}

bool XlsxWriter::begin() {
    const QFileInfo info(m_target);
    if (info.exists() || info.isSymLink())
        return fail(EEXIST, QStringLiteral("目标文件已经存在，不会覆盖它：%1").arg(m_target));
    const QString folder = info.absolutePath();
    // The temporary name is reserved with O_EXCL, so two exports never share it.
    for (int attempt = 0; attempt < 16; ++attempt) {
        const QString name = QStringLiteral("%1/.%2.%3.tmp")
                                 .arg(folder, info.fileName())
                                 .arg(QRandomGenerator::global()->generate(), 8, 16, QLatin1Char('0'));
        const int fd =
            ::open(QFile::encodeName(name).constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0) {
            ::close(fd);
            m_temp = name;
            break;
        }
        if (errno != EEXIST)
            return fail(errno, QStringLiteral("无法在文件夹 %1 中写入文件：%2").arg(folder, sysError(errno)));
    }
    if (m_temp.isEmpty())
        return fail(EEXIST, QStringLiteral("无法在文件夹 %1 中创建临时文件。").arg(folder));

    lxw_workbook_options options{};
    options.constant_memory = LXW_TRUE; // rows go to disk as they are written
    const QByteArray path = QFile::encodeName(m_temp);
    m_book = workbook_new_opt(path.constData(), &options);
    if (!m_book) {
        removeTemp();
        return fail(LXW_ERROR_MEMORY_MALLOC_FAILED, QStringLiteral("无法创建 Excel 工作簿。"));
    }
    m_dateFormat = workbook_add_format(m_book);
    if (!m_dateFormat)
        return fail(LXW_ERROR_MEMORY_MALLOC_FAILED, QStringLiteral("无法创建 Excel 日期格式。"));
    format_set_num_format(m_dateFormat, "yyyy-mm-dd");
    return true;
}

bool XlsxWriter::addSheet() {
    if (m_failed || !m_book)
        return false;
    m_sheet = workbook_add_worksheet(m_book, nullptr);
    if (!m_sheet)
        return fail(LXW_ERROR_CREATING_TMPFILE,
                    QStringLiteral("无法添加第 %1 个工作表。").arg(m_sheetCount + 1));
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
            if (text.size() > MaxStringLength)
                return fail(LXW_ERROR_MAX_STRING_LENGTH_EXCEEDED,
                            QStringLiteral(
                                "%1的文字有 %2 个字符，超过了 Excel 单元格最多 %3 个字符的限制，无法写入。")
                                .arg(cellName(row, c))
                                .arg(text.size())
                                .arg(MaxStringLength));
            e = worksheet_write_string(m_sheet, r, col, text.toUtf8().constData(), nullptr);
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
        removeTemp();
        return fail(e, QStringLiteral("保存 Excel 文件失败（磁盘已满或文件夹无法写入？）：%1")
                           .arg(QString::fromUtf8(lxw_strerror(e))));
    }
    const QByteArray temp = QFile::encodeName(m_temp);
    const QByteArray target = QFile::encodeName(m_target);
    // Late write errors (a full disk) show up here, before the name is taken.
    const int fd = ::open(temp.constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0 || ::fsync(fd) != 0) {
        const int err = errno;
        if (fd >= 0)
            ::close(fd);
        removeTemp();
        return fail(err, QStringLiteral("保存 Excel 文件失败：%1").arg(sysError(err)));
    }
    ::close(fd);

    int rc = ::renameat2(AT_FDCWD, temp.constData(), AT_FDCWD, target.constData(), RENAME_NOREPLACE);
    if (rc != 0 && (errno == EINVAL || errno == ENOSYS)) {
        // A file system without RENAME_NOREPLACE: a hard link refuses an existing name too.
        rc = ::link(temp.constData(), target.constData());
        if (rc == 0)
            ::unlink(temp.constData());
    }
    if (rc != 0) {
        const int err = errno;
        removeTemp();
        if (err == EEXIST)
            return fail(err, QStringLiteral("目标文件已经存在，不会覆盖它：%1").arg(m_target));
        return fail(err, QStringLiteral("无法把 Excel 文件保存为 %1：%2").arg(m_target, sysError(err)));
    }
    m_temp.clear();
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
    removeTemp();
    m_done = true;
}

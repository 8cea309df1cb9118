// Exports 100 000 contacts with every column through the program's workbook writer, against a
// plain libxlsxwriter loop writing the same cells, in the same run.
#include "bench/support/BenchData.h"
#include "core/DateText.h"
#include "core/modDBCommand.h"
#include "export/ExportTables.h"
#include "export/XlsxWriter.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <xlsxwriter.h>

namespace {
constexpr int kContacts = 100000;
constexpr int kRuns = 3;

double ours(Recordset& rs, const QStringList& titles, const QString& target) {
    QFile::remove(target);
    QElapsedTimer t;
    t.start();
    rs.MoveFirst();
    XlsxWriter w(target);
    if (!w.begin() || !w.addSheet() || !WriteTable(w, titles, rs, [](int, int) { return true; }) ||
        !w.fitColumns() || !w.finish()) {
        std::fprintf(stderr, "export failed: %s\n", qPrintable(w.error().description));
        return -1;
    }
    return t.nsecsElapsed() / 1e6;
}

double plain(const Recordset& rs, const QStringList& titles, const QString& target) {
    QFile::remove(target);
    QElapsedTimer t;
    t.start();
    lxw_workbook_options options = {};
    options.constant_memory = LXW_TRUE;
    lxw_workbook* book = workbook_new_opt(target.toUtf8().constData(), &options);
    lxw_worksheet* sheet = workbook_add_worksheet(book, nullptr);
    lxw_format* date = workbook_add_format(book);
    format_set_num_format(date, "yyyy-mm-dd");
    for (int c = 0; c < titles.size(); ++c)
        worksheet_write_string(sheet, 0, c, titles[c].toUtf8().constData(), nullptr);
    int r = 1;
    for (const Recordset::Row& row : rs.Rows()) {
        for (int c = 0; c < row.size(); ++c) {
            const QVariant& v = row[c];
            if (v.isNull())
                continue;
            if (v.typeId() == QMetaType::QDate) {
                const QDate d = v.toDate();
                lxw_datetime dt = {d.year(), d.month(), d.day(), 0, 0, 0};
                worksheet_write_datetime(sheet, r, c, &dt, date);
            } else if (v.typeId() == QMetaType::LongLong) {
                worksheet_write_number(sheet, r, c, double(v.toLongLong()), nullptr);
            } else {
                worksheet_write_string(sheet, r, c, v.toString().toUtf8().constData(), nullptr);
            }
        }
        ++r;
    }
    if (workbook_close(book) != LXW_NO_ERROR)
        return -1;
    return t.nsecsElapsed() / 1e6;
}
} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QTemporaryDir dir;
    if (!BenchData::makeContacts(dir.path(), kContacts))
        return 1;
    QString message;
    auto rs = ExecuteSql(QStringLiteral("select * from [联系人]"), message);
    if (!rs) {
        std::fprintf(stderr, "%s\n", qPrintable(message));
        return 1;
    }
    const QStringList titles = ExportTables().at(1).titles;
    double best = 1e18, bestPlain = 1e18;
    for (int i = 0; i < kRuns; ++i) {
        const double a = ours(*rs, titles, QDir(dir.path()).filePath(QStringLiteral("ours.xlsx")));
        const double b = plain(*rs, titles, QDir(dir.path()).filePath(QStringLiteral("plain.xlsx")));
        if (a < 0 || b < 0)
            return 1;
        best = std::min(best, a);
        bestPlain = std::min(bestPlain, b);
    }
    std::printf("contacts: %d x %d columns\nworkbook writer: %.1f ms (best of %d)\nplain libxlsxwriter loop: %.1f ms "
                "(best of %d)\nratio: %.2fx (goal <= 1.5x)\n",
                kContacts, int(titles.size()), best, kRuns, bestPlain, kRuns, best / bestPlain);
    return 0;
}

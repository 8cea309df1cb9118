// Opens a database of 100 000 contacts and fills the contact grid with it, against the sqlcipher
// command-line tool selecting the same rows from the same file in the same run.
#include "core/Database.h"
#include "core/SqlCipher.h"
#include "core/modDBCommand.h"
#include "core/ui/FillGrid.h"
#include "core/ui/Grid.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QProcess>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>

namespace {
constexpr int kContacts = 100000;
constexpr int kRuns = 5;

bool fill(const QString& db, QString* error) {
    const auto target = Database::parseConnectionString(ConnectionString());
    auto h = SqlCipher::open(db, target.key, false, error);
    if (!h)
        return false;
    return Database::transaction(h.get(), error, [&] {
        auto st = SqlCipher::prepare(
            h.get(),
            "INSERT INTO [联系人] ([姓名],[姓名首拼],[性别],[家庭住址],[手机号码],[电子信箱],[城市],[生日],[生日提醒],"
            "[企业编号],[所属企业],[备注]) VALUES (?,?,?,?,?,?,?,?,?,?,?,?)",
            error);
        if (!st)
            return false;
        for (int i = 0; i < kContacts; ++i) {
            sqlite3_reset(st.get());
            const QVariantList v = {QStringLiteral("联系人%1").arg(i), QStringLiteral("LXR"), i % 2 ? "男性" : "女性",
                                    QStringLiteral("北京市海淀区中关村大街%1号").arg(i), QStringLiteral("1380000%1").arg(i),
                                    QStringLiteral("user%1@example.cn").arg(i), "北京", QDate(1960 + i % 40, 1 + i % 12, 1 + i % 28),
                                    "提醒", i % 20 + 1, QStringLiteral("公司%1").arg(i % 20), "备注文字"};
            for (int c = 0; c < v.size(); ++c)
                SqlCipher::bind(st.get(), c + 1, v[c]);
            if (sqlite3_step(st.get()) != SQLITE_DONE) {
                *error = SqlCipher::lastError(h.get());
                return false;
            }
        }
        return true;
    });
}

double ours(Grid& grid) {
    Database::closeShared(); // each run pays the key derivation, as the tool does
    QElapsedTimer t;
    t.start();
    FillGrid(grid, QStringLiteral(" [联系人]"), QString());
    QCoreApplication::processEvents();
    return t.nsecsElapsed() / 1e6;
}

double reference(const QString& db) {
    QProcess p;
    p.setStandardOutputFile(QProcess::nullDevice());
    QElapsedTimer t;
    t.start();
    p.start(QStringLiteral("sqlcipher"), {db});
    p.write("PRAGMA key='qmvtrpelhwz';\nselect * from [联系人];\n");
    p.closeWriteChannel();
    if (!p.waitForFinished(120000) || p.exitCode() != 0)
        return -1;
    return t.nsecsElapsed() / 1e6;
}
} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QTemporaryDir dir;
    QProcess init;
    init.start(QStringLiteral(TOBRIN_INITDB_PATH), {dir.path()});
    if (!init.waitForFinished() || init.exitCode() != 0) {
        std::fprintf(stderr, "init failed\n");
        return 1;
    }
    DbPath = QDir(dir.path()).filePath(QStringLiteral("Tobrin.dat"));
    QString error;
    if (!fill(DbPath, &error)) {
        std::fprintf(stderr, "fill failed: %s\n", qPrintable(error));
        return 1;
    }
    Grid grid;
    grid.resize(800, 600);
    grid.show();
    double best = 1e18, bestRef = 1e18;
    for (int i = 0; i < kRuns; ++i) {
        best = std::min(best, ours(grid));
        const double r = reference(DbPath);
        if (r < 0) {
            std::fprintf(stderr, "sqlcipher tool failed\n");
            return 1;
        }
        bestRef = std::min(bestRef, r);
    }
    if (grid.Rows() != kContacts + 1) {
        std::fprintf(stderr, "grid has %d rows\n", grid.Rows());
        return 1;
    }
    std::printf("rows: %d\nopen + FillGrid: %.1f ms (best of %d)\nsqlcipher tool select: %.1f ms (best of %d)\n"
                "ratio: %.2fx (goal <= 1.5x)\n",
                kContacts, best, kRuns, bestRef, kRuns, best / bestRef);
    return 0;
}

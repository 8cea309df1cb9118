#include "bench/support/BenchData.h"

#include "core/Database.h"
#include "core/SqlCipher.h"
#include "core/modDBCommand.h"

#include <QDate>
#include <QDir>
#include <QProcess>
#include <QVariantList>
#include <cstdio>

namespace BenchData {
namespace {
bool fill(const QString& db, int contacts, int remindEvery, QString* error) {
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
        for (int i = 0; i < contacts; ++i) {
            sqlite3_reset(st.get());
            const QVariantList v = {QStringLiteral("联系人%1").arg(i), QStringLiteral("LXR"), i % 2 ? "男性" : "女性",
                                    QStringLiteral("北京市海淀区中关村大街%1号").arg(i), QStringLiteral("1380000%1").arg(i),
                                    QStringLiteral("user%1@example.cn").arg(i), "北京", QDate(1960 + i % 40, 1 + i % 12, 1 + i % 28),
                                    i % remindEvery == 0 ? "提醒" : "不提醒", i % 20 + 1, QStringLiteral("公司%1").arg(i % 20), "备注文字"};
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

} // namespace

bool addVisits(int visits, const QDate& around) {
    QString error;
    const auto target = Database::parseConnectionString(ConnectionString());
    auto h = SqlCipher::open(DbPath, target.key, false, &error);
    const bool ok = h && Database::transaction(h.get(), &error, [&] {
        auto st = SqlCipher::prepare(
            h.get(),
            "INSERT INTO [拜访] ([受访单位],[受访人],[实施单位],[实施人员],[责任人],[登记时间],[完成标志],[重要程度],"
            "[工作开始时间],[工作结束时间],[需要提醒],[开始提醒时间],[结束提醒时间],[拜访事项],[工作方案],[内容结果]) "
            "VALUES (?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?)",
            &error);
        if (!st)
            return false;
        for (int i = 0; i < visits; ++i) {
            sqlite3_reset(st.get());
            const QDate start = around.addDays(i % 60 - 30);
            const bool remind = i % 2 == 0;
            const QVariantList v = {QStringLiteral("%1:公司%1").arg(i % 20 + 1), QStringLiteral("联系人%1").arg(i),
                                    QStringLiteral("1:本公司"), QStringLiteral("甲/乙"), QStringLiteral("甲"), start,
                                    "未完成", "普通", start, start.addDays(1), remind ? "需要提醒" : "不需提醒",
                                    remind ? QVariant(start.addDays(-3)) : QVariant(), remind ? QVariant(start) : QVariant(),
                                    QStringLiteral("拜访%1").arg(i), "方案", ""};
            for (int c = 0; c < v.size(); ++c)
                SqlCipher::bind(st.get(), c + 1, v[c]);
            if (sqlite3_step(st.get()) != SQLITE_DONE) {
                error = SqlCipher::lastError(h.get());
                return false;
            }
        }
        return true;
    });
    if (!ok)
        std::fprintf(stderr, "visits failed: %s\n", qPrintable(error));
    return ok;
}

bool addCompanies(int companies) {
    QString error;
    const auto target = Database::parseConnectionString(ConnectionString());
    auto h = SqlCipher::open(DbPath, target.key, false, &error);
    const bool ok = h && Database::transaction(h.get(), &error, [&] {
        auto st = SqlCipher::prepare(h.get(),
                                     "INSERT INTO [企业] ([企业名称],[名称首拼],[企业性质],[企业行业],[企业地址],[企业电话],"
                                     "[企业网址],[法人代表],[经营范围]) VALUES (?,?,?,?,?,?,?,?,?)",
                                     &error);
        if (!st)
            return false;
        const QStringList cities = {"北京", "上海", "广州", "深圳", "杭州", "成都", "武汉", "南京", "天津", "重庆"};
        for (int i = 0; i < companies; ++i) {
            sqlite3_reset(st.get());
            const QVariantList v = {cities[i % 10] + QStringLiteral("第%1贸易有限公司").arg(i), QStringLiteral("MY"),
                                    "民营企业", "贸易", QStringLiteral("人民路%1号").arg(i), QStringLiteral("010-8%1").arg(i),
                                    QStringLiteral("www.c%1.cn").arg(i), QStringLiteral("法人%1").arg(i), "进出口"};
            for (int c = 0; c < v.size(); ++c)
                SqlCipher::bind(st.get(), c + 1, v[c]);
            if (sqlite3_step(st.get()) != SQLITE_DONE) {
                error = SqlCipher::lastError(h.get());
                return false;
            }
        }
        return true;
    });
    if (!ok)
        std::fprintf(stderr, "companies failed: %s\n", qPrintable(error));
    return ok;
}

bool makeContacts(const QString& home, int contacts, int remindEvery) {
    QProcess init;
    init.start(QStringLiteral(TOBRIN_INITDB_PATH), {home});
    if (!init.waitForFinished() || init.exitCode() != 0) {
        std::fprintf(stderr, "init failed\n");
        return false;
    }
    DbPath = QDir(home).filePath(QStringLiteral("Tobrin.dat"));
    QString error;
    if (!fill(DbPath, contacts, remindEvery, &error)) {
        std::fprintf(stderr, "fill failed: %s\n", qPrintable(error));
        return false;
    }
    return true;
}

} // namespace BenchData

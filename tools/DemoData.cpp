#include "tools/DemoData.h"

#include "core/Pinyin.h"
#include "core/SqlCipher.h"

#include <QStringList>
#include <QVariantList>

namespace InitDb {
namespace {
bool insert(sqlite3* db, const QString& table, const QStringList& cols, const QVariantList& values,
            QString* error) {
    QStringList names, marks;
    for (const QString& c : cols) {
        names << QLatin1Char('[') + c + QLatin1Char(']');
        marks << QStringLiteral("?");
    }
    auto st = SqlCipher::prepare(
        db, QStringLiteral("INSERT INTO [%1] (%2) VALUES (%3)").arg(table, names.join(','), marks.join(',')), error);
    if (!st)
        return false;
    for (int i = 0; i < values.size(); ++i)
        SqlCipher::bind(st.get(), i + 1, values[i]);
    if (sqlite3_step(st.get()) != SQLITE_DONE) {
        *error = SqlCipher::lastError(db);
        return false;
    }
    return true;
}

bool names(sqlite3* db, const QString& table, const QString& col, const QStringList& values, QString* error) {
    for (const QString& v : values)
        if (!insert(db, table, {col}, {v}, error))
            return false;
    return true;
}
} // namespace

bool fillBase(sqlite3* db, QString* error) {
    if (!names(db, QStringLiteral("企业性质"), QStringLiteral("性质名称"),
               {QStringLiteral("国有企业"), QStringLiteral("民营企业"), QStringLiteral("外资企业"), QStringLiteral("合资企业"),
                QStringLiteral("事业单位"), QStringLiteral("个体经营")},
               error))
        return false;
    if (!names(db, QStringLiteral("企业行业"), QStringLiteral("行业名称"),
               {QStringLiteral("软件"), QStringLiteral("制造"), QStringLiteral("金融"), QStringLiteral("贸易"),
                QStringLiteral("教育"), QStringLiteral("医疗"), QStringLiteral("物流"), QStringLiteral("餐饮")},
               error))
        return false;
    if (!names(db, QStringLiteral("联系人性质"), QStringLiteral("性质名称"),
               {QStringLiteral("客户"), QStringLiteral("供应商"), QStringLiteral("合作伙伴"), QStringLiteral("朋友"),
                QStringLiteral("同事")},
               error))
        return false;
    // The lunar (B) rows are the calendar's own lunar festivals, days and names alike, so the reminder
    // popup and the calendar window never name a festival on different days.
    // clang-format off
    const QStringList festivals = {
        "A-01-01:元旦", "A-02-14:情人节", "A-03-08:妇女节", "A-03-12:植树节", "A-04-01:愚人节", "A-05-01:劳动节",
        "A-05-04:青年节", "A-06-01:儿童节", "A-07-01:建党节", "A-08-01:建军节", "A-09-10:教师节", "A-10-01:国庆节",
        "A-12-24:平安夜", "A-12-25:圣诞节",
        "B-01-01:春节", "B-01-15:元宵节", "B-05-05:端午节", "B-07-07:七夕情人节", "B-07-15:中元节 盂兰盆节",
        "B-08-15:中秋节", "B-09-09:重阳节", "B-12-08:腊八节", "B-12-24:小年",
        "C-05-02-00:母亲节", "C-06-03-00:父亲节", "C-11-04-04:感恩节",
        "D-03-15:消费者权益日", "D-04-22:世界地球日", "D-05-12:护士节", "D-06-05:世界环境日", "D-09-20:全国爱牙日",
        "D-10-31:万圣节前夜", "D-12-01:世界艾滋病日"};
    // clang-format on
    for (const QString& f : festivals) {
        const int colon = f.indexOf(QLatin1Char(':'));
        if (!insert(db, QStringLiteral("节日"), {QStringLiteral("日期"), QStringLiteral("节日名称")},
                    {f.left(colon), f.mid(colon + 1)}, error))
            return false;
    }
    return insert(db, QStringLiteral("参数设置"),
                  {"自动运行", "双击修改", "更多节日", "迷你启动", "整点报时", "自动登陆", "显示欢迎", "按姓名排序", "密码",
                   "提醒班别", "提醒时间", "提醒明天", "上班提醒", "标准工作日"},
                  {false, false, false, false, false, false, true, false, QVariant(), QString(""), QString(""), false,
                   false, QVariant()},
                  error);
}

bool fillDemo(sqlite3* db, const QDate& today, QString* error) {
    const QStringList companies = {
        "北京华信科技有限公司", "上海东方贸易公司",   "广州南粤物流有限公司", "深圳创新软件有限公司", "杭州西湖茶业公司",
        "成都天府餐饮集团",     "武汉长江制造厂",     "南京金陵医疗器械公司", "天津海河金融服务公司", "重庆山城建设公司",
        "西安古城文化传媒",     "苏州园林设计院",     "青岛啤酒贸易公司",     "大连海洋渔业公司",     "厦门鹭岛电子公司",
        "长沙湘江教育集团",     "郑州中原粮油公司",   "沈阳北方机械厂",       "昆明春城旅游公司",     "哈尔滨冰城食品公司"};
    const QStringList kinds = {"国有企业", "民营企业", "外资企业", "合资企业", "民营企业/合资企业"};
    const QStringList industries = {"软件", "贸易", "物流", "制造", "金融", "医疗", "教育", "餐饮"};
    const QStringList cities = {"北京", "上海", "广州", "深圳", "杭州", "成都", "武汉", "南京", "天津", "重庆",
                                "西安", "苏州", "青岛", "大连", "厦门", "长沙", "郑州", "沈阳", "昆明", "哈尔滨"};
    for (int i = 0; i < companies.size(); ++i) {
        const QString& name = companies[i];
        if (!insert(db, "企业",
                    {"企业名称", "名称首拼", "企业性质", "企业行业", "企业地址", "企业电话", "企业传真", "企业网址", "法人代表",
                     "经营范围"},
                    {name, PinyinInitials(name), kinds[i % kinds.size()], industries[i % industries.size()],
                     cities[i] + QStringLiteral("市人民路%1号").arg(10 + i * 7),
                     QStringLiteral("0%1-8%2").arg(10 + i).arg(1000000 + i * 4321),
                     i % 3 ? QVariant(QStringLiteral("0%1-8%2").arg(10 + i).arg(2000000 + i * 1234)) : QVariant(),
                     i % 2 ? QVariant(QStringLiteral("www.example%1.cn").arg(i + 1)) : QVariant(),
                     QStringLiteral("法人%1").arg(i + 1), QStringLiteral("%1及相关服务").arg(industries[i % industries.size()])},
                    error))
            return false;
    }
    const QStringList family = {"张", "王", "李", "赵", "刘", "陈", "杨", "黄", "周", "吴", "徐", "孙"};
    const QStringList given = {"伟", "芳", "娜", "敏", "静", "丽", "强", "磊", "军", "洋", "勇", "艳", "杰", "娟", "涛",
                               "明", "超", "秀英", "霞", "平", "刚", "桂英", "文", "华"};
    const QStringList ckinds = {"客户", "供应商", "合作伙伴", "朋友", "同事"};
    QStringList contactNames;
    for (int i = 0; i < 60; ++i) {
        const QString name = family[i % family.size()] + given[(i * 7) % given.size()];
        contactNames << name;
        // Every fifth contact has a birthday within the coming week.
        QDate birthday = today.addDays(i % 7).addYears(-(25 + i % 30));
        if (i % 5 != 0)
            birthday = QDate(1960 + i % 40, 1 + (i * 5) % 12, 1 + (i * 11) % 28);
        const bool hasCompany = i % 3 != 2;
        const int company = i % companies.size();
        if (!insert(db, "联系人",
                    {"姓名", "姓名首拼", "性别", "家庭住址", "邮政编码", "家庭电话", "手机号码", "电子信箱", "城市", "国家",
                     "生日", "生日提醒", "ＩＭ通讯", "爱好", "特长", "性质", "地区", "企业编号", "所属企业", "部门", "职务",
                     "办公电话", "公司传真", "备注"},
                    {name, PinyinInitials(name), i % 2 ? "女性" : "男性", cities[i % cities.size()] + "市幸福小区" +
                     QString::number(i + 1) + "号", QString::number(100000 + i * 1111),
                     QStringLiteral("0%1-6%2").arg(10 + i % 20).arg(1000000 + i * 777),
                     QStringLiteral("13%1").arg(800000000 + i * 13579), QStringLiteral("user%1@example.cn").arg(i + 1),
                     cities[i % cities.size()], "中国", i % 11 == 10 ? QVariant() : QVariant(birthday),
                     i % 4 == 3 ? "不提醒" : "提醒", QStringLiteral("qq%1").arg(10000 + i * 37),
                     QStringList{"看书 游泳", "旅游", "围棋", "摄影"}[i % 4], QStringList{"外语", "写作", "谈判"}[i % 3],
                     ckinds[i % ckinds.size()], cities[i % cities.size()],
                     hasCompany ? QVariant(company + 1) : QVariant(), hasCompany ? QVariant(companies[company]) : QVariant(),
                     QStringList{"销售部", "技术部", "财务部", "总经办"}[i % 4], QStringList{"经理", "主管", "工程师", "总监"}[i % 4],
                     QStringLiteral("0%1-8%2").arg(10 + i % 20).arg(3000000 + i * 99), QVariant(),
                     i % 6 == 0 ? QVariant(QStringLiteral("重要客户")) : QVariant()},
                    error))
            return false;
    }
    const QStringList subjects = {"产品演示", "合同洽谈", "售后回访", "年度总结", "技术交流", "项目验收"};
    const QStringList levels = {"不重要", "普通", "重要", "很重要"};
    for (int i = 0; i < 30; ++i) {
        const int visited = i % companies.size();
        const int doer = (i + 3) % companies.size();
        const QDate start = today.addDays(i - 10);
        const bool remind = i % 3 == 0;
        if (!insert(db, "拜访",
                    {"受访单位", "受访人", "实施单位", "实施人员", "责任人", "登记时间", "完成标志", "重要程度", "工作开始时间",
                     "工作结束时间", "需要提醒", "开始提醒时间", "结束提醒时间", "拜访事项", "工作方案", "内容结果"},
                    {QStringLiteral("%1:%2").arg(visited + 1).arg(companies[visited]), contactNames[i],
                     QStringLiteral("%1:%2").arg(doer + 1).arg(companies[doer]),
                     contactNames[(i + 1) % 60] + "/" + contactNames[(i + 2) % 60], contactNames[(i + 1) % 60],
                     today.addDays(-20 + i / 2), i < 10 ? "已完成" : "未完成", levels[i % 4], start, start.addDays(2),
                     remind ? "需要提醒" : "不需提醒", remind ? QVariant(start.addDays(-5)) : QVariant(),
                     remind ? QVariant(start) : QVariant(), subjects[i % subjects.size()],
                     QStringLiteral("准备资料，提前确认时间。"), i < 10 ? QStringLiteral("顺利完成。") : QString()},
                    error))
            return false;
    }
    return true;
}

} // namespace InitDb

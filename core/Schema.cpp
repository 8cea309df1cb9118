#include "core/Schema.h"

namespace Schema {
namespace {
Table make(const QString& name, const QString& columns) {
    // columns: "name:TYPE,name:TYPE,..." (TEXT when no type is given)
    Table t{name, {}};
    for (const QString& part : columns.split(QLatin1Char(','))) {
        const auto kv = part.split(QLatin1Char(':'));
        t.columns.append({kv[0], kv.value(1, QStringLiteral("TEXT"))});
    }
    return t;
}
} // namespace

const QVector<Table>& tables() {
    static const QVector<Table> all = {
        make(QStringLiteral("企业"),
             QStringLiteral("企业编号:KEY,企业名称,名称首拼,企业性质,企业行业,企业地址,企业电话,企业传真,企业网址,法人代表,"
                            "经营范围")),
        make(QStringLiteral("联系人"),
             QStringLiteral("联系人编号:KEY,姓名,姓名首拼,性别,家庭住址,邮政编码,家庭电话,手机号码,电子信箱,城市,国家,生日:"
                            "DATE,生日提醒,ＩＭ通讯,爱好,特长,性质,地区,企业编号:LONG,所属企业,部门,职务,办公电话,公司传真,"
                            "备注")),
        make(QStringLiteral("拜访"),
             QStringLiteral("ID:KEY,受访单位,受访人,实施单位,实施人员,责任人,登记时间:DATE,完成标志,重要程度,工作开始时间:"
                            "DATE,工作结束时间:DATE,需要提醒,开始提醒时间:DATE,结束提醒时间:DATE,拜访事项,工作方案,"
                            "内容结果")),
        make(QStringLiteral("节日"), QStringLiteral("编号:KEY,日期,节日名称")),
        make(QStringLiteral("企业性质"), QStringLiteral("性质编号:KEY,性质名称")),
        make(QStringLiteral("企业行业"), QStringLiteral("行业编号:KEY,行业名称")),
        make(QStringLiteral("联系人性质"), QStringLiteral("性质编号:KEY,性质名称")),
        make(QStringLiteral("参数设置"),
             QStringLiteral("自动运行:BOOLEAN,双击修改:BOOLEAN,更多节日:BOOLEAN,迷你启动:BOOLEAN,整点报时:BOOLEAN,自动登陆:"
                            "BOOLEAN,显示欢迎:BOOLEAN,按姓名排序:BOOLEAN,密码,提醒班别,提醒时间,提醒明天:BOOLEAN,上班提醒:"
                            "BOOLEAN,标准工作日")),
    };
    return all;
}

const Table* table(const QString& name) {
    for (const Table& t : tables())
        if (t.name == name)
            return &t;
    return nullptr;
}

QStringList columnNames(const QString& name) {
    QStringList out;
    if (const Table* t = table(name))
        for (const Column& c : t->columns)
            out << c.name;
    return out;
}

QString createStatement(const Table& t) {
    QStringList cols;
    for (const Column& c : t.columns) {
        QString type = c.type;
        if (type == QLatin1String("KEY"))
            type = QStringLiteral("INTEGER PRIMARY KEY AUTOINCREMENT");
        else if (type == QLatin1String("LONG"))
            type = QStringLiteral("INTEGER");
        cols << QStringLiteral("[%1] %2").arg(c.name, type);
    }
    return QStringLiteral("CREATE TABLE [%1] (%2)").arg(t.name, cols.join(QStringLiteral(", ")));
}

} // namespace Schema

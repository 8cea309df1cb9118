#include "export/ExportTables.h"

#include "core/Recordset.h"
#include "export/XlsxWriter.h"

const QVector<ExportTable>& ExportTables() {
    static const QVector<ExportTable> tables = {
        {QStringLiteral("Check1"), QStringLiteral("企业"), QStringLiteral("select * from [企业]"),
         QStringLiteral("当前任务：处理[企业信息]表。"),
         QStringLiteral("正在将 企业信息 写入到目标 Excel 文件中，请稍候 ..."),
         QStringLiteral("企业编号,企业名称,名称首拼,企业性质,企业行业,企业地址,企业电话,企业传真,企业网址,"
                        "法人代表,经营范围")
             .split(QLatin1Char(','))},
        {QStringLiteral("Check2"), QStringLiteral("联系人"), QStringLiteral("select * from [联系人]"),
         QStringLiteral("当前任务：处理[联系人信息]表。"),
         QStringLiteral("正在将 联系人信息 写入到目标 Excel 文件中，请稍候 ..."),
         QStringLiteral("联系人编号,姓名,姓名首拼,性别,家庭住址,邮政编码,家庭电话,手机号码,电子信箱,城市,"
                        "国家,生日,生日提醒,"
                        "IM通讯,爱好,特长,性质,地区,企业编号,所属企业,部门,职务,办公电话,公司传真,备注")
             .split(QLatin1Char(','))},
        {QStringLiteral("Check3"), QStringLiteral("拜访"), QStringLiteral("select * from [拜访]"),
         QStringLiteral("当前任务：处理[拜访记录]表。"),
         QStringLiteral("正在将 拜访记录 写入到目标 Excel 文件中，请稍候 ..."),
         QStringLiteral("ID,受访企业,受访人,实施单位,实施人员,责任人,登记时间,完成标志,重要程度,工作开始时间,"
                        "工作结束时间,"
                        "需要提醒,开始提醒时间,结束提醒时间,拜访事项,工作方案,内容结果")
             .split(QLatin1Char(','))},
    };
    return tables;
}

bool WriteTable(XlsxWriter& writer, const QStringList& titles, Recordset& rs,
                const std::function<bool(int written, int total)>& step) {
    const int n = int(titles.size());
    QVector<QVariant> row(n);
    for (int c = 0; c < n; ++c)
        row[c] = titles[c];
    if (!writer.writeRow(0, row))
        return false;
    const int total = rs.RecordCount();
    int written = 0;
    while (!rs.Eof()) {
        for (int c = 0; c < n; ++c)
            row[c] = c < rs.FieldCount() ? rs.Value(c) : QVariant();
        if (!writer.writeRow(written + 1, row))
            return false;
        ++written;
        rs.MoveNext();
        if (!step(written, total))
            break;
    }
    return true;
}

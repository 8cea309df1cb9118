#include "core/AppSettings.h"

#include "core/modDBCommand.h"

AppSettingsRecord AppSettings;
bool GridFillEnabled = true;
long SelectedId = 0;

namespace {
void readBool(const Recordset& rs, const char* column, bool& field) {
    const QVariant v = rs.Value(QString::fromUtf8(column));
    if (!v.isNull() && v.isValid())
        field = v.toBool();
}
void readText(const Recordset& rs, const char* column, QString& field) {
    const QVariant v = rs.Value(QString::fromUtf8(column));
    if (!v.isNull() && v.isValid())
        field = v.toString();
}
} // namespace

QString LoadAppSettings(bool* rowFound) {
    QString message;
    auto rs = ExecuteSql(QStringLiteral("select * from [参数设置]"), message);
    if (rowFound)
        *rowFound = false;
    if (IsSqlError(message) || !rs)
        return message;
    if (!rs->Eof()) {
        if (rowFound)
            *rowFound = true;
        readBool(*rs, "自动运行", AppSettings.AutoStart);
        readBool(*rs, "双击修改", AppSettings.ClickEdit);
        readBool(*rs, "更多节日", AppSettings.Holiday);
        readBool(*rs, "迷你启动", AppSettings.MiniStart);
        readBool(*rs, "整点报时", AppSettings.Ring);
        readBool(*rs, "自动登陆", AppSettings.SavePassword);
        readBool(*rs, "显示欢迎", AppSettings.ShowSplash);
        readBool(*rs, "按姓名排序", AppSettings.Sort);
        readText(*rs, "密码", AppSettings.Password);
        readText(*rs, "提醒班别", AppSettings.RemindTeam);
        readText(*rs, "提醒时间", AppSettings.RemindTime);
        readBool(*rs, "提醒明天", AppSettings.RemindTomorrow);
        readBool(*rs, "上班提醒", AppSettings.RemindWork);
        readText(*rs, "标准工作日", AppSettings.WDay);
    }
    rs->Close();
    return message;
}

#pragma once
// The in-memory copy of the settings row and the other globals of the program.
#include <QString>

struct AppSettingsRecord {
    bool Holiday = false;
    bool ShowSplash = false;
    bool AutoStart = false;
    bool MiniStart = false;
    bool SavePassword = false;
    bool Ring = false;
    bool Sort = false;
    bool ClickEdit = false;
    QString Password;
    bool RemindWork = false;
    bool RemindTomorrow = false;
    QString RemindTime;
    QString RemindTeam;
    QString WDay;
};

extern AppSettingsRecord AppSettings;
// FillGrid does its work only while this is true.
extern bool GridFillEnabled;
// The key a list window hands to its edit dialog.
extern long SelectedId;

// Reads the settings row into AppSettings. Returns the ExecuteSql message; on "查询错误" nothing
// was read. A missing row or a Null value leaves the fields as they were; `rowFound` tells.
QString LoadAppSettings(bool* rowFound = nullptr);

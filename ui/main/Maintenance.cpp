#include "ui/main/Maintenance.h"

#include "core/Maintenance.h"
#include "core/Prompt.h"

#include <QApplication>
#include <QFileInfo>
#include <QProgressDialog>

namespace Maintenance {
namespace {

const QString kDone = QStringLiteral("操作完毕！");
const QString kUnchanged = QStringLiteral("\n数据库没有改动。");

// A modal progress box for the length of one command; it has no cancel button because a
// replace must not stop half way.
class ProgressBox {
public:
    ProgressBox(QWidget* parent, const QString& label) : m_dialog(label, QString(), 0, 1000, parent) {
        m_dialog.setObjectName(QStringLiteral("dlgMaintenanceProgress"));
        m_dialog.setWindowTitle(QStringLiteral("Tobrin"));
        m_dialog.setCancelButton(nullptr);
        m_dialog.setWindowModality(Qt::ApplicationModal);
        m_dialog.setMinimumDuration(0);
        m_dialog.setAutoClose(false);
        m_dialog.setAutoReset(false);
        m_dialog.setValue(0);
        m_dialog.show();
        QCoreApplication::processEvents();
    }
    ~ProgressBox() { m_dialog.close(); }

    Progress callback() {
        return [this](qint64 done, qint64 total) {
            m_dialog.setValue(total > 0 ? int(qMin<qint64>(1000, done * 1000 / total)) : 0);
        };
    }
    void close() { m_dialog.close(); }

private:
    QProgressDialog m_dialog;
};

} // namespace

void RunBackup(QWidget* parent) {
    QString error;
    bool ok;
    {
        ProgressBox box(parent, QStringLiteral("正在备份数据库……"));
        ok = writeBackup(datedBackupPath(), &error, box.callback());
    }
    Prompt::message(ok ? kDone : QStringLiteral("备份失败：") + error);
}

void RunRestore(QWidget* parent) {
    const QString source = restoreSourcePath();
    if (!QFileInfo(source).isFile()) {
        Prompt::message(QStringLiteral("没有备份数据可以用来恢复！"), QStringLiteral("恢复失败"),
                        Prompt::Icon::Warning);
        return;
    }
    QString error;
    if (!checkDatabase(source, &error)) {
        Prompt::message(QStringLiteral("备份数据不能用来恢复：") + error + kUnchanged,
                        QStringLiteral("恢复失败"), Prompt::Icon::Warning);
        return;
    }
    if (Prompt::message(QStringLiteral("你确定要恢复数据库吗？\n该操作将不可逆转！"), QStringLiteral("提醒"),
                        Prompt::Icon::Information, Prompt::Buttons::OkCancel) != Prompt::Answer::Ok)
        return;
    Result r;
    {
        ProgressBox box(parent, QStringLiteral("正在恢复数据库……"));
        r = restoreFrom(source, box.callback());
    }
    Prompt::message(r.ok ? kDone
                         : QStringLiteral("恢复失败：") + r.error + (r.replaced ? QString() : kUnchanged));
}

void RunCompact(QWidget* parent) {
    Result r;
    {
        ProgressBox box(parent, QStringLiteral("正在压缩数据库……"));
        r = compact(box.callback());
    }
    Prompt::message(r.ok ? kDone
                         : QStringLiteral("压缩失败：") + r.error + (r.replaced ? QString() : kUnchanged));
}

} // namespace Maintenance

#include "security/PasswordStore.h"

#include "core/AppSettings.h"
#include "core/Prompt.h"
#include "core/modDBCommand.h"

namespace PasswordStore {

namespace {
const QString Column = QStringLiteral("密码");

struct Row {
    RecordsetPtr rs;
    QString error;
};

Row openRow() {
    QString message;
    RecordsetPtr rs = ExecuteSql(Statement(), message);
    if (IsSqlError(message) || !rs)
        return {nullptr, message.isEmpty() ? QStringLiteral("查询错误: ") : message};
    if (rs->RecordCount() == 0) {
        rs->Close();
        return {nullptr, MissingRowMessage()};
    }
    rs->MoveFirst();
    return {rs, QString()};
}
} // namespace

QString Statement() {
    return QStringLiteral("select [密码] from [参数设置]");
}

QString MissingRowMessage() {
    return QStringLiteral("参数设置表中没有记录，无法读取登陆密码！");
}

Stored Read() {
    Row row = openRow();
    if (!row.rs)
        return {row.error, std::nullopt};
    const QVariant v = row.rs->Value(Column);
    row.rs->Close();
    // "" can never be matched, so it means the same as Null: no password yet.
    if (v.isNull() || v.toString().isEmpty())
        return {QString(), std::nullopt};
    return {QString(), v.toString()};
}

bool Matches(const QString& typed) {
    const Stored s = Read();
    if (!s.ok()) {
        Prompt::error(s.error);
        return false;
    }
    return PasswordCodec::CheckPassword(typed, s.password);
}

QString Write(const QString& encoded) {
    if (encoded.isEmpty())
        return QStringLiteral("密码编码失败，没有保存。");
    Row row = openRow();
    if (!row.rs)
        return row.error;
    row.rs->SetValue(Column, encoded);
    if (!row.rs->Update()) {
        const QString error = row.rs->LastError();
        row.rs->Close();
        return error.isEmpty() ? QStringLiteral("查询错误: 密码没有保存") : error;
    }
    row.rs->Close();
    AppSettings.Password = encoded;
    return QString();
}

QString RefusalMessage(PasswordCodec::Status status) {
    switch (status) {
    case PasswordCodec::Status::Ok:
        return QString();
    case PasswordCodec::Status::NoPlaintext:
        return QStringLiteral("密码不能为空！");
    case PasswordCodec::Status::NotGbk:
        return QStringLiteral("密码中有GBK字符集不能表示的字符，无法保存，请换一个密码！");
    default:
        return QStringLiteral("密码编码失败，没有保存。");
    }
}

FirstUse AskFirstPassword(const Encoder& encode) {
    Prompt::message(QStringLiteral("你是第一次使用本系统，请输入管理密码！"), QStringLiteral("信息"),
                    Prompt::Icon::Information);
    const QString caption = QStringLiteral("设置登陆密码");
    const auto retry = [](const QString& why) {
        Prompt::message(why, QStringLiteral("信息"), Prompt::Icon::Warning);
    };
    for (;;) {
        // Typed unseen, so it is typed twice: a slip here would lock the user out for good.
        const std::optional<QString> answer =
            Prompt::input(QStringLiteral("请输入系统登陆密码:"), caption, QString(), true);
        if (!answer)
            return FirstUse::Cancelled;
        if (answer->isEmpty()) {
            retry(QStringLiteral("密码不能为空，请重新输入！"));
            continue;
        }
        const PasswordCodec::Result r = encode(*answer);
        if (!r.ok()) {
            retry(RefusalMessage(r.status));
            continue;
        }
        const std::optional<QString> again =
            Prompt::input(QStringLiteral("请再次输入密码"), caption, QString(), true);
        if (!again)
            return FirstUse::Cancelled;
        if (*again != *answer) {
            retry(QStringLiteral("两次输入的密码不一致，请重新输入。"));
            continue;
        }
        const QString error = Write(r.text);
        if (!error.isEmpty()) {
            Prompt::error(error);
            return FirstUse::Failed;
        }
        return FirstUse::Set;
    }
}

QString Change(const QString& oldTyped, const QString& newPassword, const QString& confirm,
               const Encoder& encode) {
    const QString fillIn = QStringLiteral("请先填写完毕再确认修改！");
    if (newPassword.isEmpty() || confirm.isEmpty())
        return fillIn;
    const Stored stored = Read();
    // Without a stored password (direct start) there is no old one to type.
    if (oldTyped.isEmpty() && !(stored.ok() && !stored.password))
        return stored.ok() ? fillIn : stored.error;
    if (newPassword != confirm)
        return QStringLiteral("确认密码和新的密码不一致！");
    if (!stored.ok())
        return stored.error;
    if (!oldTyped.isEmpty() && !PasswordCodec::CheckPassword(oldTyped, stored.password))
        return QStringLiteral("旧的密码输入不正确！");
    const PasswordCodec::Result r = encode(newPassword);
    if (!r.ok())
        return RefusalMessage(r.status);
    return Write(r.text);
}

} // namespace PasswordStore

#include "core/Database.h"

namespace Database {
namespace {
SqlCipher::DbHandle handle;
QString openedFor;
quint64 gen = 1;

QString valueOf(const QString& connection, const QString& name) {
    for (const QString& part : connection.split(QLatin1Char(';'))) {
        const int eq = part.indexOf(QLatin1Char('='));
        if (eq > 0 && part.left(eq).trimmed().compare(name, Qt::CaseInsensitive) == 0)
            return part.mid(eq + 1);
    }
    return {};
}
} // namespace

Target parseConnectionString(const QString& connection) {
    return {valueOf(connection, QStringLiteral("Data Source")),
            valueOf(connection, QStringLiteral("Jet OLEDB:Database Password")).toUtf8()};
}

sqlite3* shared(const QString& connection, QString* error) {
    if (handle && openedFor == connection)
        return handle.get();
    closeShared();
    const Target t = parseConnectionString(connection);
    handle = SqlCipher::open(t.path, t.key, false, error);
    if (handle)
        openedFor = connection;
    return handle.get();
}

void closeShared() {
    if (handle)
        ++gen;
    handle.reset();
    openedFor.clear();
}

bool isOpen() { return static_cast<bool>(handle); }
quint64 generation() { return gen; }

} // namespace Database

#include "export/XlsxWriter.h"
#include "tests/export/XlsxRead.h"

#include <QDate>
#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>
#include <linux/capability.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <unistd.h>

namespace {

QByteArray readAll(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void writeFile(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

QStringList entries(const QString& folder) {
    return QDir(folder).entryList(QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot);
}

// Root writes into read-only folders; dropping CAP_DAC_OVERRIDE from this thread's effective
// set makes the folder's mode count, as it does for a user.
class DacOverrideOff {
public:
    DacOverrideOff() {
        if (::geteuid() != 0)
            return;
        __user_cap_header_struct h{_LINUX_CAPABILITY_VERSION_3, 0};
        if (::syscall(SYS_capget, &h, m_saved) != 0)
            return;
        __user_cap_data_struct d[2] = {m_saved[0], m_saved[1]};
        d[0].effective &= ~(1u << CAP_DAC_OVERRIDE);
        m_active = ::syscall(SYS_capset, &h, d) == 0;
    }
    ~DacOverrideOff() {
        if (m_active) {
            __user_cap_header_struct h{_LINUX_CAPABILITY_VERSION_3, 0};
            ::syscall(SYS_capset, &h, m_saved);
        }
    }

private:
    __user_cap_data_struct m_saved[2]{};
    bool m_active = false;
};

} // namespace

class tst_XlsxWriter : public QObject {
    Q_OBJECT

private slots:
    void valuesKeepTheirKind_data();
    void valuesKeepTheirKind();
    void textStoredExactly_data();
    void textStoredExactly();
    void sheetsNamesAndWidths();
    void limits_data();
    void limits();
    void existingTargetNeverReplaced();
    void replaceExisting_data();
    void replaceExisting();
    void staleTemporariesRemoved();
    void unwritableFolder_data();
    void unwritableFolder();
    void diskFull();
};

void tst_XlsxWriter::valuesKeepTheirKind_data() {
    QTest::addColumn<QVariant>("value");
    QTest::addColumn<QString>("type"); // openpyxl's kind, "" for an empty cell
    QTest::addColumn<QJsonValue>("read");
    QTest::addColumn<QString>("format");

    const QString longNote = QString(10000, QChar(u'记'));
    QTest::newRow("postcode stays text")
        << QVariant(QStringLiteral("010020")) << "s" << QJsonValue("010020") << "General";
    QTest::newRow("mobile stays text")
        << QVariant(QStringLiteral("13800138000")) << "s" << QJsonValue("13800138000") << "General";
    QTest::newRow("= is no formula") << QVariant(QStringLiteral("=1+2")) << "s" << QJsonValue("=1+2")
                                     << "General";
    QTest::newRow("+ is no formula") << QVariant(QStringLiteral("+SUM(A1:A2)")) << "s"
                                     << QJsonValue("+SUM(A1:A2)") << "General";
    QTest::newRow("- is no formula") << QVariant(QStringLiteral("-3")) << "s" << QJsonValue("-3")
                                     << "General";
    QTest::newRow("@ is no formula") << QVariant(QStringLiteral("@A1")) << "s" << QJsonValue("@A1")
                                     << "General";
    QTest::newRow("chinese") << QVariant(QStringLiteral("北京华信科技有限公司")) << "s"
                             << QJsonValue(QStringLiteral("北京华信科技有限公司")) << "General";
    QTest::newRow("10000 characters") << QVariant(longNote) << "s" << QJsonValue(longNote) << "General";
    QTest::newRow("zero") << QVariant(qlonglong(0)) << "n" << QJsonValue(0) << "General";
    QTest::newRow("number") << QVariant(qlonglong(20)) << "n" << QJsonValue(20) << "General";
    QTest::newRow("null") << QVariant() << "" << QJsonValue() << "";
    QTest::newRow("empty text") << QVariant(QString("")) << "" << QJsonValue() << "";
    QTest::newRow("date") << QVariant(QDate(2026, 8, 1)) << "d" << QJsonValue("2026-08-01") << "yyyy-mm-dd";
    QTest::newRow("first Excel year")
        << QVariant(QDate(1900, 3, 1)) << "d" << QJsonValue("1900-03-01") << "yyyy-mm-dd";
    QTest::newRow("before 1900 as text")
        << QVariant(QDate(1899, 12, 30)) << "s" << QJsonValue("1899-12-30") << "General";
    QTest::newRow("boolean") << QVariant(true) << "b" << QJsonValue(true) << "General";
}

void tst_XlsxWriter::valuesKeepTheirKind() {
    QFETCH(QVariant, value);
    QFETCH(QString, type);
    QFETCH(QJsonValue, read);
    QFETCH(QString, format);
    QTemporaryDir dir;
    const QString path = dir.filePath("cells.xlsx");
    XlsxWriter w(path);
    QVERIFY(w.begin());
    QVERIFY(w.addSheet());
    // The value between two markers, so an empty cell is a cell and not a missing column.
    QVERIFY(w.writeRow(0, {QStringLiteral("a"), value, QStringLiteral("z")}));
    QVERIFY2(w.finish(), qPrintable(w.error().description));
    QString error;
    const QJsonArray book = ReadXlsx(path, &error);
    QVERIFY2(error.isEmpty(), qPrintable(error));
    const QJsonArray row = SheetRow(book, 0, 0);
    QCOMPARE(row.size(), 3);
    const QJsonValue cell = row.at(1);
    if (type.isEmpty()) {
        QVERIFY(cell.isNull());
        return;
    }
    QCOMPARE(cell["t"].toString(), type);
    QCOMPARE(cell["v"], read);
    QCOMPARE(cell["fmt"].toString(), format);
}

void tst_XlsxWriter::textStoredExactly_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("stored"); // the text of the cell in the sheet's XML
    // openpyxl decodes nothing but the escaped underscore, and that by dropping every "x005F_".
    QTest::addColumn<bool>("plainReader");
    const QChar nul(0);
    QTest::newRow("NUL inside") << QString(QStringLiteral("a") + nul + QStringLiteral("b")) << "a_x0000_b"
                                << false;
    QTest::newRow("NUL at the ends") << QString(nul + QStringLiteral("备注") + nul) << "_x0000_备注_x0000_"
                                     << false;
    QTest::newRow("literal escape") << "_x0041_"
                                    << "_x005F_x0041_" << true;
    QTest::newRow("literal escaped underscore") << "_x005F_"
                                                << "_x005F_x005F_" << false;
    QTest::newRow("two in a row") << "_x0041__x00e9_"
                                  << "_x005F_x0041__x005F_x00e9_" << true;
    QTest::newRow("in a sentence") << "编号_x1234_结束"
                                   << "编号_x005F_x1234_结束" << true;
    // Only a complete "_x" + four hex digits + "_" is an escape; nothing else is touched.
    QTest::newRow("near escapes") << "_X0041_ _x041_ _x004G_ a__b_"
                                  << "_X0041_ _x041_ _x004G_ a__b_" << true;
}

void tst_XlsxWriter::textStoredExactly() {
    QFETCH(QString, text);
    QFETCH(QString, stored);
    QFETCH(bool, plainReader);
    QTemporaryDir dir;
    const QString path = dir.filePath("text.xlsx");
    XlsxWriter w(path);
    QVERIFY(w.begin());
    QVERIFY(w.addSheet());
    QVERIFY(w.writeRow(0, {QStringLiteral("a"), text, QStringLiteral("z")}));
    QVERIFY2(w.finish(), qPrintable(w.error().description));

    QString error;
    const QJsonObject cells = SheetXmlTexts(path, 1, &error);
    QVERIFY2(error.isEmpty(), qPrintable(error));
    QCOMPARE(cells["B1"].toString(), stored);
    QCOMPARE(DecodeXString(cells["B1"].toString()), text);
    QCOMPARE(cells["C1"].toString(), QStringLiteral("z")); // nothing after it was lost
    if (plainReader) {
        const QJsonArray book = ReadXlsx(path, &error);
        QVERIFY2(error.isEmpty(), qPrintable(error));
        QCOMPARE(SheetRow(book, 0, 0).at(1)["v"].toString(), text);
    }
}

void tst_XlsxWriter::sheetsNamesAndWidths() {
    QTemporaryDir dir;
    const QString path = dir.filePath("two.xlsx");
    XlsxWriter w(path);
    QVERIFY(w.begin());
    QVERIFY(w.addSheet(QStringLiteral("联系人")));
    QVERIFY(
        w.writeRow(0, {QStringLiteral("编号"), QStringLiteral("名称"), QVariant(), QStringLiteral("生日")}));
    QVERIFY(
        w.writeRow(1, {qlonglong(7), QStringLiteral("北京华信科技有限公司"), QVariant(), QDate(2026, 1, 2)}));
    QVERIFY(w.writeRow(3, {qlonglong(123456), QStringLiteral("ab\ncdefg"), QVariant(), QVariant()}));
    QVERIFY(w.fitColumns());
    QVERIFY(w.addSheet());
    QVERIFY(w.writeRow(0, {QStringLiteral("x")}));
    QVERIFY(w.finish());
    QCOMPARE(w.sheetCount(), 2);

    QString error;
    const QJsonArray book = ReadXlsx(path, &error);
    QVERIFY2(error.isEmpty(), qPrintable(error));
    QCOMPARE(book.size(), 2);
    QCOMPARE(book.at(0)["name"].toString(), QStringLiteral("联系人"));
    QCOMPARE(book.at(1)["name"].toString(), QStringLiteral("Sheet2"));
    QCOMPARE(SheetRows(book, 0), 4);
    QVERIFY(SheetRow(book, 0, 2).at(0).isNull()); // the skipped row stays empty
    QCOMPARE(SheetRow(book, 0, 3).at(1)["v"].toString(), QStringLiteral("ab\ncdefg"));
    // Wide characters count two, a line break starts a new measure, the widest cell wins.
    QCOMPARE(ColumnWidth(book, 0, 0), 7.0);  // "123456" + 1
    QCOMPARE(ColumnWidth(book, 0, 1), 21.0); // ten Chinese characters + 1
    QCOMPARE(ColumnWidth(book, 0, 2), -1.0); // nothing written, nothing set
    QCOMPARE(ColumnWidth(book, 0, 3), 11.0); // yyyy-mm-dd + 1
    QCOMPARE(ColumnWidth(book, 1, 0), -1.0); // not fitted
    QCOMPARE(entries(dir.path()), QStringList{"two.xlsx"});
}

void tst_XlsxWriter::limits_data() {
    QTest::addColumn<int>("row");
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("ok");
    QTest::addColumn<QString>("message");
    const int max = XlsxWriter::MaxStringLength;
    QTest::newRow("last row") << XlsxWriter::MaxRows - 1 << "y" << true << "";
    QTest::newRow("row past the last") << XlsxWriter::MaxRows << "y" << false << "1048576 行";
    QTest::newRow("longest text") << 1 << QString(max, u'y') << true << "";
    QTest::newRow("text too long") << 1 << QString(max + 1, u'y') << false << "32767 个字符";
    // The file holds the escaped form, and that is what the limit applies to.
    QTest::newRow("escapes push it past the limit")
        << 1 << QString(QString(max - 1, u'y') + QChar(0)) << false << "写入后有 32773 个字符";
}

void tst_XlsxWriter::limits() {
    QFETCH(int, row);
    QFETCH(QString, text);
    QFETCH(bool, ok);
    QFETCH(QString, message);
    QTemporaryDir dir;
    const QString path = dir.filePath("limit.xlsx");
    {
        XlsxWriter w(path);
        QVERIFY(w.begin());
        QVERIFY(w.addSheet());
        QVERIFY(w.writeRow(0, {QStringLiteral("title")}));
        QCOMPARE(w.writeRow(row, {text}), ok);
        QCOMPARE(w.finish(), ok);
        if (!ok) {
            QVERIFY2(w.error().description.contains(message), qPrintable(w.error().description));
            QVERIFY(w.error().number != 0);
        }
    }
    // A refused workbook leaves nothing, not even its temporary file.
    QCOMPARE(entries(dir.path()), ok ? QStringList{"limit.xlsx"} : QStringList{});
}

void tst_XlsxWriter::existingTargetNeverReplaced() {
    QTemporaryDir dir;
    const QString path = dir.filePath("old.xlsx");
    writeFile(path, "earlier");
    {
        XlsxWriter w(path);
        QVERIFY(!w.begin());
        QVERIFY(w.error().description.contains(QStringLiteral("已经存在")));
    }
    // The name taken while the workbook was being written: still not replaced.
    const QString late = dir.filePath("late.xlsx");
    {
        XlsxWriter w(late);
        QVERIFY(w.begin());
        QVERIFY(w.addSheet());
        QVERIFY(w.writeRow(0, {QStringLiteral("x")}));
        writeFile(late, "someone else's");
        QVERIFY(!w.finish());
        QCOMPARE(w.error().number, EEXIST);
    }
    QCOMPARE(readAll(path), QByteArray("earlier"));
    QCOMPARE(readAll(late), QByteArray("someone else's"));
    QCOMPARE(entries(dir.path()), (QStringList{"late.xlsx", "old.xlsx"}));
}

void tst_XlsxWriter::replaceExisting_data() {
    QTest::addColumn<bool>("throughLink");
    QTest::newRow("the file itself") << false;
    QTest::newRow("through a symbolic link") << true;
}

void tst_XlsxWriter::replaceExisting() {
    QFETCH(bool, throughLink);
    QTemporaryDir dir;
    const QString file = dir.filePath("old.xlsx");
    writeFile(file, "earlier");
    QVERIFY(QFile::setPermissions(file, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup));
    const QString named = throughLink ? dir.filePath("link.xlsx") : file;
    if (throughLink)
        QVERIFY(QFile::link(file, named));
    QStringList expected = entries(dir.path());

    // A replacement that fails leaves the old file as it was.
    {
        XlsxWriter w(named, XlsxWriter::Existing::Replace);
        QVERIFY(w.begin());
        QVERIFY(w.addSheet());
        QVERIFY(w.writeRow(0, {QStringLiteral("x")}));
        w.discard();
    }
    QCOMPARE(readAll(file), QByteArray("earlier"));
    QCOMPARE(entries(dir.path()), expected);

    QFile reader(file); // opened on the old file: a replacement by rename leaves it unchanged
    QVERIFY(reader.open(QIODevice::ReadOnly));
    XlsxWriter w(named, XlsxWriter::Existing::Replace);
    QVERIFY(w.begin());
    QVERIFY(w.addSheet());
    QVERIFY(w.writeRow(0, {QStringLiteral("新的")}));
    QCOMPARE(readAll(file), QByteArray("earlier")); // untouched until the workbook is complete
    QVERIFY2(w.finish(), qPrintable(w.error().description));
    QCOMPARE(reader.readAll(), QByteArray("earlier"));

    QString error;
    const QJsonArray book = ReadXlsx(named, &error);
    QVERIFY2(error.isEmpty(), qPrintable(error));
    QCOMPARE(SheetRow(book, 0, 0).at(0)["v"].toString(), QStringLiteral("新的"));
    struct stat st {};
    QVERIFY(::stat(QFile::encodeName(file).constData(), &st) == 0);
    QCOMPARE(st.st_mode & 07777, mode_t(0640)); // the replaced file's permissions are kept
    QCOMPARE(QFileInfo(named).isSymLink(), throughLink);
    QCOMPARE(entries(dir.path()), expected);
}

void tst_XlsxWriter::staleTemporariesRemoved() {
    QTemporaryDir dir;
    const QString target = dir.filePath("out.xlsx");
    const QStringList kept = {".notes.out.xlsx.tobrin-tmp-Ab12Cd", ".other.xlsx.tobrin-tmp-Ab12Cd",
                              ".out.xlsx.tobrin-tmp-notes.txt"};
    for (const QString& name : kept + QStringList{".out.xlsx.tobrin-tmp-Ab12Cd"})
        writeFile(dir.filePath(name), "left behind");

    XlsxWriter running(target); // a write of the same target that is still going on
    QVERIFY(running.begin());
    XlsxWriter w(target);
    QVERIFY(w.begin());
    static const QRegularExpression pattern(QStringLiteral("^\\.out\\.xlsx\\.tobrin-tmp-[A-Za-z0-9]{6}$"));
    const QString temp = QFileInfo(w.tempPath()).fileName();
    QVERIFY2(pattern.match(temp).hasMatch(), qPrintable(temp));
    QCOMPARE(QFileInfo(w.tempPath()).absolutePath(), dir.path());
    QStringList now = entries(dir.path());
    QVERIFY(now.contains(QFileInfo(running.tempPath()).fileName()));
    QVERIFY(!now.contains(".out.xlsx.tobrin-tmp-Ab12Cd"));
    for (const QString& name : kept)
        QVERIFY2(now.contains(name), qPrintable(name));

    QVERIFY(running.addSheet());
    QVERIFY(running.finish());
    QVERIFY(w.addSheet());
    QVERIFY(!w.finish()); // the other write took the name first
    QCOMPARE(entries(dir.path()), QStringList(kept + QStringList{"out.xlsx"}));
}

void tst_XlsxWriter::unwritableFolder_data() {
    QTest::addColumn<QString>("kind");
    QTest::newRow("read-only folder") << "readonly";
    QTest::newRow("missing folder") << "missing";
    QTest::newRow("a file, not a folder") << "file";
}

void tst_XlsxWriter::unwritableFolder() {
    QFETCH(QString, kind);
    QTemporaryDir dir;
    const QString folder = dir.filePath("out");
    QString target = folder + "/new.xlsx";
    if (kind == "readonly") {
        QVERIFY(QDir().mkdir(folder));
        writeFile(folder + "/earlier.xlsx", "earlier");
        QVERIFY(QFile::setPermissions(folder, QFile::ReadOwner | QFile::ExeOwner));
    } else if (kind == "file") {
        writeFile(folder, "earlier");
    }
    {
        DacOverrideOff asUser;
        XlsxWriter w(target);
        QVERIFY(!w.begin());
        QVERIFY(!w.addSheet());
        QVERIFY(!w.finish());
        QVERIFY2(w.error().description.contains(folder), qPrintable(w.error().description));
        QVERIFY(w.error().number != 0);
    }
    if (kind == "readonly") {
        QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        QCOMPARE(entries(folder), QStringList{"earlier.xlsx"});
        QCOMPARE(readAll(folder + "/earlier.xlsx"), QByteArray("earlier"));
    } else if (kind == "file") {
        QCOMPARE(readAll(folder), QByteArray("earlier"));
    } else {
        QVERIFY(!QFileInfo::exists(folder));
    }
}

void tst_XlsxWriter::diskFull() {
    QTemporaryDir dir;
    writeFile(dir.filePath("earlier.xlsx"), "earlier");
    const QString path = dir.filePath("big.xlsx");
    bool finished = true;
    XlsxError error;
    {
        XlsxWriter w(path);
        QVERIFY(w.begin());
        QVERIFY(w.addSheet());
        for (int r = 0; r < 2000; ++r)
            QVERIFY(w.writeRow(r, {QStringLiteral("行 %1 的一些文字，使文件变大").arg(r), qlonglong(r)}));
        // A file size limit makes every write past 4 KiB fail as a full disk does.
        rlimit saved{};
        QVERIFY(::getrlimit(RLIMIT_FSIZE, &saved) == 0);
        auto* oldHandler = std::signal(SIGXFSZ, SIG_IGN);
        rlimit small = saved;
        small.rlim_cur = 4096;
        QVERIFY(::setrlimit(RLIMIT_FSIZE, &small) == 0);
        finished = w.finish();
        ::setrlimit(RLIMIT_FSIZE, &saved);
        std::signal(SIGXFSZ, oldHandler);
        error = w.error();
    }
    QVERIFY(!finished);
    QVERIFY2(error.description.contains(QStringLiteral("保存 Excel 文件失败")),
             qPrintable(error.description));
    QCOMPARE(entries(dir.path()), QStringList{"earlier.xlsx"});
    QCOMPARE(readAll(dir.filePath("earlier.xlsx")), QByteArray("earlier"));
}

QTEST_GUILESS_MAIN(tst_XlsxWriter)
#include "tst_XlsxWriter.moc"

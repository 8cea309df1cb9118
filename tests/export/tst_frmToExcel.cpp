#include "core/modDBCommand.h"
#include "export/ExportTables.h"
#include "export/ui/ExportMenu.h"
#include "export/ui/frmToExcel.h"
#include "tests/export/XlsxRead.h"
#include "tests/support/FakePrompt.h"
#include "tests/support/TempHome.h"
#include "ui/main/mdiTobrin.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTest>
#include <QTimer>

namespace {

template <typename T> T* part(QWidget& w, const char* name) {
    T* c = w.findChild<T*>(QString::fromLatin1(name));
    if (!c)
        qFatal("no control %s", name);
    return c;
}

QString text(QWidget& w, const char* label) {
    return part<QLabel>(w, label)->text();
}

QStringList entries(const QString& folder) {
    return QDir(folder).entryList(QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot);
}

// The record counter as (written, total); (-1, -1) when it shows something else.
std::pair<int, int> counter(QWidget& w) {
    static const QRegularExpression re(QStringLiteral("^正在输出：(\\d+)/(\\d+)$"));
    const auto m = re.match(text(w, "Label6"));
    return m.hasMatch() ? std::pair{m.captured(1).toInt(), m.captured(2).toInt()} : std::pair{-1, -1};
}

int countRows(const QString& table) {
    QString msg;
    auto rs = ExecuteSql(QStringLiteral("select * from [%1]").arg(table), msg);
    return rs ? rs->RecordCount() : -1;
}

// Runs the dialog through the prompt service, ticking `ticked` (Check1..3), naming `file` and
// clicking the start button; `during` runs between records while the export loop runs.
struct Run {
    FakePrompt& prompt;
    QList<int> ticked;
    QString file;
    std::function<void(frmToExcel&)> during;
    std::function<void(frmToExcel&)> after;

    void go() {
        frmToExcel dialog;
        prompt.onDialog([&](QDialog& d) {
            auto& w = static_cast<frmToExcel&>(d);
            for (int i : ticked)
                part<QCheckBox>(w, qPrintable(QStringLiteral("Check%1").arg(i)))->setChecked(true);
            part<QLineEdit>(w, "txtFile")->setText(file);
            QTimer tick;
            tick.setInterval(0);
            QObject::connect(&tick, &QTimer::timeout, [&] {
                if (during && w.exporting())
                    during(w);
            });
            tick.start();
            part<QPushButton>(w, "cmdOutput")->click();
            tick.stop();
            if (after)
                after(w);
        });
        Prompt::exec(dialog);
    }
};

} // namespace

class tst_frmToExcel : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void sheetsInOrderWithTitles_data();
    void sheetsInOrderWithTitles();
    void contactCells();
    void counterButtonsAndStop();
    void closingDuringExportStopsFirst();
    void nothingTickedOrNoName();
    void existingFileAsked_data();
    void existingFileAsked();
    void browseConfirmedReplacement();
    void browseProposesXlsx();
    void nameShownAsWritten_data();
    void nameShownAsWritten();
    void noticeNamesAnyProgramUncut();
    void failures_data();
    void failures();
    void failedQueryAndEmptyTable();
    void targetName_data();
    void targetName();
    void stopRequestClearedAtStart();
    void menuOpensDialog();
    void exitDuringExport(); // last: it quits the application

private:
    std::unique_ptr<TempHome> home;
    std::unique_ptr<FakePrompt> prompt;
    QString out(const QString& name) const { return home->file(name); }
};

void tst_frmToExcel::init() {
    home = std::make_unique<TempHome>(TempHome::Demo);
    QVERIFY(home->ok());
    prompt = std::make_unique<FakePrompt>();
}

void tst_frmToExcel::cleanup() {
    prompt.reset();
    home.reset();
}

void tst_frmToExcel::sheetsInOrderWithTitles_data() {
    QTest::addColumn<QList<int>>("ticked");
    QTest::newRow("contacts only") << QList<int>{2};
    QTest::newRow("companies and visits") << QList<int>{1, 3};
    QTest::newRow("all three") << QList<int>{1, 2, 3};
}

void tst_frmToExcel::sheetsInOrderWithTitles() {
    QFETCH(QList<int>, ticked);
    const QStringList tables = {"企业", "联系人", "拜访"};
    QCOMPARE(ExportTables()[0].name + ExportTables()[1].name + ExportTables()[2].name, tables.join(""));
    const QString file = out("all.xlsx");
    Run{*prompt,
        ticked,
        file,
        {},
        [](frmToExcel& w) {
            QCOMPARE(text(w, "Label5"), QStringLiteral("目标 Excel 文件已经输出完毕。"));
            QCOMPARE(text(w, "Label7"), QStringLiteral("任务处理完毕，处理过程结束。"));
            QVERIFY(!part<QLabel>(w, "Label6")->isVisibleTo(&w));
            QVERIFY(part<QPushButton>(w, "cmdOutput")->isEnabled());
            QVERIFY(!part<QPushButton>(w, "cmdCancel")->isEnabled());
        }}
        .go();
    QVERIFY(prompt->texts().isEmpty());
    QString error;
    const QJsonArray book = ReadXlsx(file, &error);
    QVERIFY2(error.isEmpty(), qPrintable(error));
    QCOMPARE(book.size(), ticked.size());
    for (int k = 0; k < ticked.size(); ++k) {
        const ExportTable& t = ExportTables()[ticked[k] - 1];
        QCOMPARE(book.at(k)["name"].toString(), t.name);
        QStringList titles;
        for (const QJsonValue& c : SheetRow(book, k, 0)) {
            QCOMPARE(c["t"].toString(), QStringLiteral("s"));
            titles << c["v"].toString();
        }
        QCOMPARE(titles, t.titles);
        QCOMPARE(SheetRows(book, k), 1 + countRows(tables[ticked[k] - 1]));
        // Row 2 is the first record, key first.
        QCOMPARE(SheetRow(book, k, 1).at(0)["v"].toInt(), 1);
        QVERIFY(ColumnWidth(book, k, 1) > 4);
    }
    QCOMPARE(entries(home->path()).filter(".xlsx"), QStringList{"all.xlsx"});
}

void tst_frmToExcel::contactCells() {
    const QString note(10000, QChar(u'注'));
    QVERIFY(home->raw(
        QStringLiteral(
            "insert into [联系人] "
            "([姓名],[邮政编码],[手机号码],[生日],[生日提醒],[企业编号],[所属企业],[家庭住址],[爱好],[特长],["
            "备注]) "
            "values ('测试甲','010020','13800138000','1985-07-09','提醒',0,'','=1+2','@x','-3','%1')")
            .arg(note)));
    const QString file = out("contacts.xlsx");
    Run{*prompt, {2}, file, {}, {}}.go();
    QString error;
    const QJsonArray book = ReadXlsx(file, &error);
    QVERIFY2(error.isEmpty(), qPrintable(error));
    const QStringList titles = ExportTables()[1].titles;
    QCOMPARE(titles.size(), 25);
    QCOMPARE(titles[13], QStringLiteral("IM通讯"));
    const int rows = SheetRows(book, 0);
    QJsonArray mine;
    for (int r = 1; r < rows; ++r)
        if (SheetRow(book, 0, r).at(1)["v"].toString() == QStringLiteral("测试甲"))
            mine = SheetRow(book, 0, r);
    QVERIFY(!mine.isEmpty());
    auto cell = [&](const char* title) { return mine.at(titles.indexOf(QString::fromUtf8(title))); };
    QCOMPARE(cell("邮政编码")["t"].toString(), QStringLiteral("s"));
    QCOMPARE(cell("邮政编码")["v"].toString(), QStringLiteral("010020"));
    QCOMPARE(cell("手机号码")["v"].toString(), QStringLiteral("13800138000"));
    QCOMPARE(cell("手机号码")["t"].toString(), QStringLiteral("s"));
    QCOMPARE(cell("生日")["t"].toString(), QStringLiteral("d"));
    QCOMPARE(cell("生日")["v"].toString(), QStringLiteral("1985-07-09"));
    QCOMPARE(cell("生日")["fmt"].toString(), QStringLiteral("yyyy-mm-dd"));
    QCOMPARE(cell("家庭住址")["t"].toString(), QStringLiteral("s"));
    QCOMPARE(cell("家庭住址")["v"].toString(), QStringLiteral("=1+2"));
    QCOMPARE(cell("爱好")["v"].toString(), QStringLiteral("@x"));
    QCOMPARE(cell("特长")["v"].toString(), QStringLiteral("-3"));
    QCOMPARE(cell("特长")["t"].toString(), QStringLiteral("s"));
    QCOMPARE(cell("备注")["v"].toString(), note);
    // 0 is a number; "" and Null are empty cells.
    QCOMPARE(cell("企业编号")["t"].toString(), QStringLiteral("n"));
    QCOMPARE(cell("企业编号")["v"].toInt(), 0);
    QVERIFY(cell("所属企业").isNull());
    QVERIFY(cell("性质").isNull());
    // A demo contact without a company has Null there: empty, not 0.
    int nullCompanies = 0;
    for (int r = 1; r < rows; ++r)
        nullCompanies += SheetRow(book, 0, r).at(18).isNull();
    QVERIFY(nullCompanies > 0);
    // Names of three Chinese characters are the widest of their column; the note's is capped.
    QCOMPARE(ColumnWidth(book, 0, 1), 7.0);
    QCOMPARE(ColumnWidth(book, 0, 24), 255.0);
}

void tst_frmToExcel::counterButtonsAndStop() {
    const int companies = countRows("企业");
    const QString first = out("stopped.xlsx");
    QStringList seen;
    bool buttonsLocked = true;
    int stoppedAt = -1;
    Run{*prompt,
        {1, 2, 3},
        first,
        [&](frmToExcel& w) {
            const auto [written, total] = counter(w);
            if (written < 0)
                return;
            seen << QStringLiteral("%1/%2").arg(written).arg(total);
            buttonsLocked = buttonsLocked && !part<QPushButton>(w, "cmdOutput")->isEnabled() &&
                            !part<QPushButton>(w, "cmdBrow")->isEnabled() &&
                            !part<QLineEdit>(w, "txtFile")->isEnabled();
            if (stoppedAt < 0 && written >= 3 && part<QPushButton>(w, "cmdCancel")->isEnabled()) {
                stoppedAt = written;
                part<QPushButton>(w, "cmdCancel")->click();
                // A second start while the loop runs is not possible.
                QVERIFY(!part<QPushButton>(w, "cmdOutput")->isEnabled());
            }
        },
        [&](frmToExcel& w) {
            // A stopped export says where it stopped, not that it is done, and says it uncut.
            QCOMPARE(text(w, "Label5"),
                     QStringLiteral("已停止：已输出 企业 %1/%2 条").arg(stoppedAt).arg(companies));
            auto* status = part<QLabel>(w, "Label5");
            QVERIFY(status->sizeHint().width() <= status->width());
            QVERIFY(part<QPushButton>(w, "cmdOutput")->isEnabled());
            QVERIFY(part<QLineEdit>(w, "txtFile")->isEnabled());
        }}
        .go();
    QVERIFY(buttonsLocked);
    QVERIFY(stoppedAt >= 3 && stoppedAt < companies);
    QVERIFY(seen.contains(QStringLiteral("1/%1").arg(companies)));
    QCOMPARE(seen.first(), QStringLiteral("1/%1").arg(companies));
    // What was written is a complete workbook: the companies up to the stop, one record each of
    // the tables after it.
    QString error;
    QJsonArray book = ReadXlsx(first, &error);
    QVERIFY2(error.isEmpty(), qPrintable(error));
    QCOMPARE(book.size(), 3);
    QCOMPARE(SheetRows(book, 0), 1 + stoppedAt);
    QCOMPARE(SheetRows(book, 1), 2);
    QCOMPARE(SheetRows(book, 2), 2);

    // The stop request is cleared at the next start: everything is written.
    const QString second = out("full.xlsx");
    QString last;
    Run{*prompt,
        {1},
        second,
        [&](frmToExcel& w) { last = text(w, "Label6"); },
        [](frmToExcel& w) { QCOMPARE(text(w, "Label5"), QStringLiteral("目标 Excel 文件已经输出完毕。")); }}
        .go();
    book = ReadXlsx(second, &error);
    QVERIFY2(error.isEmpty(), qPrintable(error));
    QCOMPARE(SheetRows(book, 0), 1 + companies);
    QCOMPARE(last, QStringLiteral("正在输出：%1/%1").arg(companies));
}

void tst_frmToExcel::closingDuringExportStopsFirst() {
    const QString file = out("closed.xlsx");
    int closedAt = -1;
    bool openWhileStopping = false;
    frmToExcel* seenDialog = nullptr;
    Run{*prompt,
        {1, 2},
        file,
        [&](frmToExcel& w) {
            seenDialog = &w;
            const int written = counter(w).first;
            if (closedAt < 0 && written >= 5) {
                closedAt = written;
                w.close(); // the close box, or an exit closing the modal windows
                openWhileStopping = w.isVisible();
            }
        },
        [&](frmToExcel& w) {
            QVERIFY(!w.isVisible());
            QCOMPARE(text(w, "Label5"),
                     QStringLiteral("已停止：已输出 企业 %1/%2 条").arg(closedAt).arg(countRows("企业")));
        }}
        .go();
    QVERIFY(seenDialog);
    QVERIFY(openWhileStopping);
    QVERIFY(closedAt >= 5);
    QString error;
    const QJsonArray book = ReadXlsx(file, &error);
    QVERIFY2(error.isEmpty(), qPrintable(error));
    QCOMPARE(SheetRows(book, 0), 1 + closedAt);
    QCOMPARE(SheetRows(book, 1), 2);
    QCOMPARE(prompt->records.last().kind, FakePrompt::Record::Dialog);
}

void tst_frmToExcel::nothingTickedOrNoName() {
    // Nothing ticked: nothing at all happens.
    Run{*prompt,
        {},
        out("none.xlsx"),
        {},
        [](frmToExcel& w) {
            QCOMPARE(text(w, "Label5"), QStringLiteral("准备就绪，等待执行 ..."));
            QVERIFY(!part<QPushButton>(w, "cmdCancel")->isEnabled());
        }}
        .go();
    // No name: nothing written, and the name field can still be typed into.
    Run{*prompt,
        {1},
        QStringLiteral("   "),
        {},
        [](frmToExcel& w) {
            QVERIFY(part<QLineEdit>(w, "txtFile")->isEnabled());
            QVERIFY(part<QPushButton>(w, "cmdBrow")->isEnabled());
            QVERIFY(part<QPushButton>(w, "cmdOutput")->isEnabled());
            QVERIFY(!part<QPushButton>(w, "cmdCancel")->isEnabled());
        }}
        .go();
    QVERIFY(prompt->texts().isEmpty());
    QCOMPARE(entries(home->path()).filter(".xlsx"), QStringList{});
}

void tst_frmToExcel::existingFileAsked_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("folder");  // old.xlsx is a folder, not a file
    QTest::addColumn<bool>("replace"); // the answer to the question
    QTest::newRow("same name, kept") << "old.xlsx" << false << false;
    QTest::newRow("same name, replaced") << "old.xlsx" << false << true;
    QTest::newRow("final name, replaced") << "old" << false << true;
    QTest::newRow("xls typed, kept") << "old.xls" << false << false;
    QTest::newRow("a folder of that name") << "old" << true << false;
}

void tst_frmToExcel::existingFileAsked() {
    QFETCH(QString, typed);
    QFETCH(bool, folder);
    QFETCH(bool, replace);
    const QString existing = out("old.xlsx");
    if (folder) {
        QVERIFY(QDir().mkdir(existing));
    } else {
        QFile f(existing);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("earlier");
    }
    const QStringList before = entries(home->path());
    prompt->answer(replace ? Prompt::Answer::Yes : Prompt::Answer::No);
    bool focusOnName = false;
    Run{*prompt,
        {1, 2},
        home->path() + "/" + typed,
        {},
        [&](frmToExcel& w) {
            QCOMPARE(part<QLineEdit>(w, "txtFile")->text(), existing);
            QVERIFY(part<QPushButton>(w, "cmdOutput")->isEnabled());
            QVERIFY(part<QLineEdit>(w, "txtFile")->isEnabled());
            QVERIFY(!part<QPushButton>(w, "cmdCancel")->isEnabled());
            focusOnName = w.focusWidget() == part<QLineEdit>(w, "txtFile");
        }}
        .go();
    QCOMPARE(prompt->messages().size(), 1);
    const auto asked = prompt->messages().first();
    if (folder) {
        QCOMPARE(asked.text,
                 QStringLiteral("“%1”是一个文件夹，请另外指定 Excel 文件的文件名。").arg(existing));
        QCOMPARE(asked.icon, Prompt::Icon::Information);
    } else {
        QCOMPARE(asked.text,
                 QStringLiteral("目标文件“%1”已经存在。\n要用导出的数据替换它吗？").arg(existing));
        QCOMPARE(asked.icon, Prompt::Icon::Question);
        QCOMPARE(asked.buttons, Prompt::Buttons::YesNo);
    }
    QCOMPARE(entries(home->path()), before); // no temporary file left either
    if (replace) {
        QString error;
        const QJsonArray book = ReadXlsx(existing, &error);
        QVERIFY2(error.isEmpty(), qPrintable(error));
        QCOMPARE(SheetRows(book, 1), 1 + countRows("联系人"));
        return;
    }
    QVERIFY(focusOnName); // to type another name
    if (!folder) {
        QFile f(existing);
        QVERIFY(f.open(QIODevice::ReadOnly));
        QCOMPARE(f.readAll(), QByteArray("earlier"));
    }
}

void tst_frmToExcel::browseConfirmedReplacement() {
    const QString existing = out("old.xlsx");
    {
        QFile f(existing);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("earlier");
    }
    frmToExcel dialog;
    int recordsAfterFirst = -1;
    prompt->onDialog([&](QDialog& d) {
        part<QCheckBox>(d, "Check1")->setChecked(true);
        part<QPushButton>(d, "cmdBrow")->click();
        part<QPushButton>(d, "cmdOutput")->click();
        recordsAfterFirst = int(prompt->records.size());
        // The answer was for one export: the next one into the same file asks again.
        part<QPushButton>(d, "cmdOutput")->click();
    });
    prompt->onDialog([&](QDialog& d) {
        auto* fd = qobject_cast<QFileDialog*>(&d);
        QVERIFY(fd);
        fd->setDirectory(home->path());
        fd->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))->setText(QStringLiteral("old"));
        d.accept();
    });
    prompt->answer(Prompt::Answer::Yes); // the file dialog's own question
    prompt->answer(Prompt::Answer::No);  // the second export's
    Prompt::exec(dialog);
    QVERIFY(prompt->allUsed());
    QCOMPARE(part<QLineEdit>(dialog, "txtFile")->text(), existing);
    const QList<FakePrompt::Record> asked = prompt->messages();
    QCOMPARE(asked.size(), 2);
    QVERIFY2(asked[0].text.contains(QStringLiteral("replace")), qPrintable(asked[0].text));
    QCOMPARE(recordsAfterFirst, 3); // the two dialogs and the file dialog's question, nothing more
    QCOMPARE(asked[1].text, QStringLiteral("目标文件“%1”已经存在。\n要用导出的数据替换它吗？").arg(existing));
    QString error;
    const QJsonArray book = ReadXlsx(existing, &error);
    QVERIFY2(error.isEmpty(), qPrintable(error));
    QCOMPARE(SheetRows(book, 0), 1 + countRows("企业"));
}

void tst_frmToExcel::browseProposesXlsx() {
    frmToExcel dialog;
    QStringList filters;
    QString title;
    prompt->onDialog([&](QDialog& d) { part<QPushButton>(d, "cmdBrow")->click(); });
    prompt->onDialog([&](QDialog& d) {
        auto* fd = qobject_cast<QFileDialog*>(&d);
        QVERIFY(fd);
        filters = fd->nameFilters();
        title = fd->windowTitle();
        fd->setDirectory(home->path());
        fd->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))->setText(QStringLiteral("联系人"));
        d.accept();
    });
    Prompt::exec(dialog);
    QCOMPARE(title, QStringLiteral("另存为..."));
    QCOMPARE(filters, QStringList{"(*.xlsx)"});
    QCOMPARE(part<QLineEdit>(dialog, "txtFile")->text(), out("联系人.xlsx"));

    // A typed name is proposed in the dialog, and cancelling keeps it.
    frmToExcel again;
    QString proposed;
    prompt->onDialog([&](QDialog& d) {
        part<QLineEdit>(d, "txtFile")->setText("x");
        part<QPushButton>(d, "cmdBrow")->click();
    });
    prompt->onDialog([&](QDialog& d) {
        proposed = d.findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))->text();
        d.reject();
    });
    Prompt::exec(again);
    QCOMPARE(proposed, QStringLiteral("x.xlsx"));
    QCOMPARE(part<QLineEdit>(again, "txtFile")->text(), QStringLiteral("x"));
}

void tst_frmToExcel::nameShownAsWritten_data() {
    // "@home" and "@docs" stand for the program folder and the user's documents folder.
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("written");
    QTest::newRow("no extension") << "@home/联系人表"
                                  << "@home/联系人表.xlsx";
    QTest::newRow("xls typed") << " @home/a.xls "
                               << "@home/a.xlsx";
    QTest::newRow("relative name, in the documents folder") << "备份/../导出"
                                                            << "@docs/导出.xlsx";
}

void tst_frmToExcel::nameShownAsWritten() {
    QFETCH(QString, typed);
    QFETCH(QString, written);
    const QString docs = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    QVERIFY(!docs.isEmpty() && !QDir(docs).exists()); // a fresh account: the folder is made
    auto place = [&](QString s) { return s.replace("@home", home->path()).replace("@docs", docs); };
    written = place(written);
    QString shown;
    Run{*prompt, {1}, place(typed), {}, [&](frmToExcel& w) { shown = part<QLineEdit>(w, "txtFile")->text(); }}
        .go();
    QCOMPARE(shown, written);
    QString error;
    const QJsonArray book = ReadXlsx(written, &error);
    QVERIFY2(error.isEmpty(), qPrintable(error));
    QCOMPARE(SheetRows(book, 0), 1 + countRows("企业"));
    QDir(docs).removeRecursively();
}

void tst_frmToExcel::noticeNamesAnyProgramUncut() {
    frmToExcel dialog;
    dialog.show();
    auto* note = part<QLabel>(dialog, "Label1");
    const QString says = note->text();
    for (const char* program : {"LibreOffice", "WPS", "Excel"})
        QVERIFY2(says.contains(QLatin1String(program)), qPrintable(says));
    QVERIFY2(!says.contains(QStringLiteral("已经安装有")), qPrintable(says));
    // At the dialog's own size every line of it shows, above the buttons.
    QVERIFY(note->wordWrap());
    QVERIFY2(
        note->heightForWidth(note->width()) <= note->height(),
        qPrintable(QStringLiteral("%1 > %2").arg(note->heightForWidth(note->width())).arg(note->height())));
    QVERIFY(dialog.rect().contains(note->geometry()));
    QVERIFY(note->geometry().bottom() < part<QPushButton>(dialog, "cmdOutput")->geometry().top());
    QVERIFY(dialog.rect().contains(part<QPushButton>(dialog, "cmdCancel")->geometry()));
}

void tst_frmToExcel::failures_data() {
    QTest::addColumn<QString>("fixture");
    QTest::addColumn<QString>("target"); // relative to the home folder
    QTest::addColumn<QString>("message");
    QTest::newRow("text over 32767 characters")
        << QStringLiteral("update [联系人] set [备注]='%1' where [联系人编号]=7").arg(QString(32768, u'长'))
        << "long.xlsx"
        << "32767";
    QTest::newRow("missing folder") << ""
                                    << "nowhere/out.xlsx"
                                    << "nowhere";
}

void tst_frmToExcel::failures() {
    QFETCH(QString, fixture);
    QFETCH(QString, target);
    QFETCH(QString, message);
    if (!fixture.isEmpty())
        QVERIFY(home->raw(fixture));
    const QStringList before = entries(home->path());
    Run{*prompt,
        {1, 2, 3},
        out(target),
        {},
        [&](frmToExcel& w) {
            QCOMPARE(text(w, "Label5"), QStringLiteral("数据输出的过程中出现了错误，无法继续 ..."));
            QVERIFY(text(w, "Label6").startsWith(QStringLiteral("错误代码：")));
            QVERIFY2(text(w, "Label6").contains(message), qPrintable(text(w, "Label6")));
            QVERIFY(part<QLabel>(w, "Label6")->isVisibleTo(&w));
            QVERIFY(part<QPushButton>(w, "cmdOutput")->isEnabled());
            QVERIFY(part<QLineEdit>(w, "txtFile")->isEnabled());
            QVERIFY(!w.exporting());
        }}
        .go();
    QCOMPARE(prompt->messages().size(), 1);
    QCOMPARE(prompt->messages().first().caption, QStringLiteral("错误"));
    QVERIFY(prompt->messages().first().text.contains(message));
    QVERIFY(!prompt->texts().contains(QStringLiteral("目标 Excel 文件已经输出完毕。")));
    // No file and no temporary file left.
    QCOMPARE(entries(home->path()), before);
}

void tst_frmToExcel::failedQueryAndEmptyTable() {
    QVERIFY(home->raw("drop table [企业]"));
    QVERIFY(home->raw("delete from [拜访]"));
    const QString file = out("partial.xlsx");
    Run{*prompt,
        {1, 2, 3},
        file,
        {},
        [](frmToExcel& w) {
            QCOMPARE(text(w, "Label5"), QStringLiteral("目标 Excel 文件已经输出完毕。"));
            // The empty visits table leaves the labels of the contacts.
            QCOMPARE(text(w, "Label7"), QStringLiteral("当前任务：处理[拜访记录]表。"));
        }}
        .go();
    QCOMPARE(prompt->messages().size(), 1);
    QCOMPARE(prompt->messages().first().caption, QStringLiteral("错误"));
    QVERIFY(IsSqlError(prompt->messages().first().text));
    QString error;
    const QJsonArray book = ReadXlsx(file, &error);
    QVERIFY2(error.isEmpty(), qPrintable(error));
    QCOMPARE(book.size(), 3);
    QCOMPARE(SheetRows(book, 0), 0);
    QCOMPARE(SheetRows(book, 1), 1 + countRows("联系人"));
    QCOMPARE(SheetRows(book, 2), 0);
}

void tst_frmToExcel::targetName_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("final");
    QTest::newRow("no extension") << " /tmp/a "
                                  << "/tmp/a.xlsx";
    QTest::newRow("xlsx kept") << "/tmp/a.XLSX"
                               << "/tmp/a.XLSX";
    QTest::newRow("xls becomes xlsx") << "/tmp/a.xls"
                                      << "/tmp/a.xlsx";
    QTest::newRow("other ending kept") << "/tmp/a.2026"
                                       << "/tmp/a.2026.xlsx";
    QTest::newRow("empty") << "  "
                           << "";
    const QString docs = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    QTest::newRow("relative, in the documents folder") << "导出/a" << docs + "/导出/a.xlsx";
    QTest::newRow("home folder") << "~/a.xls" << QDir::homePath() + "/a.xlsx";
}

void tst_frmToExcel::targetName() {
    QFETCH(QString, typed);
    QFETCH(QString, final);
    QCOMPARE(frmToExcel::TargetName(typed), final);
}

void tst_frmToExcel::stopRequestClearedAtStart() {
    // Stopped during the companies, the contacts' one record then fails: the stop request
    // survives the failure path, and must not cut short the next export in the same window.
    QVERIFY(home->raw(
        QStringLiteral("update [联系人] set [备注]='%1' where [联系人编号]=1").arg(QString(40000, u'x'))));
    frmToExcel dialog;
    bool stopped = false;
    QString firstEnd;
    prompt->onDialog([&](QDialog& d) {
        part<QCheckBox>(d, "Check1")->setChecked(true);
        part<QCheckBox>(d, "Check2")->setChecked(true);
        part<QLineEdit>(d, "txtFile")->setText(out("first.xlsx"));
        QTimer tick;
        tick.setInterval(0);
        QObject::connect(&tick, &QTimer::timeout, [&] {
            if (!stopped && counter(d).first >= 2) {
                stopped = true;
                part<QPushButton>(d, "cmdCancel")->click();
            }
        });
        tick.start();
        part<QPushButton>(d, "cmdOutput")->click();
        tick.stop();
        firstEnd = text(d, "Label5");
        QVERIFY(home->raw("update [联系人] set [备注]=null where [联系人编号]=1"));
        part<QLineEdit>(d, "txtFile")->setText(out("second.xlsx"));
        part<QPushButton>(d, "cmdOutput")->click();
    });
    Prompt::exec(dialog);
    QVERIFY(stopped);
    QCOMPARE(firstEnd, QStringLiteral("数据输出的过程中出现了错误，无法继续 ..."));
    QVERIFY(!QFileInfo::exists(out("first.xlsx")));
    QString error;
    const QJsonArray book = ReadXlsx(out("second.xlsx"), &error);
    QVERIFY2(error.isEmpty(), qPrintable(error));
    QCOMPARE(SheetRows(book, 0), 1 + countRows("企业"));
    QCOMPARE(SheetRows(book, 1), 1 + countRows("联系人"));
}

void tst_frmToExcel::menuOpensDialog() {
    mdiTobrin& main = *mdiTobrin::instance();
    WireExportMenu(main);
    QAction* item = main.action(QStringLiteral("mnuDBtoExcel"));
    QVERIFY(item && item->isEnabled());
    QColor top, bottom;
    prompt->onDialog([&](QDialog& d) {
        const QImage banner = part<QLabel>(d, "pic1")->pixmap().toImage();
        top = banner.pixelColor(banner.width() - 1, 0);
        bottom = banner.pixelColor(banner.width() - 1, banner.height() - 1);
    });
    item->trigger();
    QCOMPARE(prompt->records.size(), 1);
    QCOMPARE(prompt->records.first().dialogName, QStringLiteral("frmToExcel"));
    QCOMPARE(prompt->records.first().text, QStringLiteral("导出数据库到 Excel 文件中"));
    QCOMPARE(top, QColor(0, 128, 0));
    // Nearly the end colour on the bottom line.
    QVERIFY(qAbs(bottom.red() - 192) <= 5 && qAbs(bottom.green() - 240) <= 3 &&
            qAbs(bottom.blue() - 192) <= 5);
}

void tst_frmToExcel::exitDuringExport() {
    // The program's exit from inside an export step (the dialog opened from the menu, owned by
    // the main window): the export stops and saves, the dialog closes, nothing is used after
    // it was freed (run under AddressSanitizer with -DTOBRIN_SANITIZE=ON).
    mdiTobrin& main = *mdiTobrin::instance();
    WireExportMenu(main);
    const QString file = out("exit.xlsx");
    int exitedAt = -1;
    QPointer<QDialog> opened;
    prompt->onDialog([&](QDialog& d) {
        opened = &d;
        part<QCheckBox>(d, "Check1")->setChecked(true);
        part<QLineEdit>(d, "txtFile")->setText(file);
        QTimer tick;
        tick.setInterval(0);
        QObject::connect(&tick, &QTimer::timeout, [&] {
            if (exitedAt < 0 && counter(d).first >= 4) {
                exitedAt = counter(d).first;
                ExitSystem();
            }
        });
        tick.start();
        part<QPushButton>(d, "cmdOutput")->click();
        QVERIFY(!d.isVisible());
    });
    main.action(QStringLiteral("mnuDBtoExcel"))->trigger();
    QVERIFY(exitedAt >= 4);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(opened.isNull()); // freed once exec had returned
    QString error;
    const QJsonArray book = ReadXlsx(file, &error);
    QVERIFY2(error.isEmpty(), qPrintable(error));
    QCOMPARE(SheetRows(book, 0), 1 + exitedAt);
}

QTEST_MAIN(tst_frmToExcel)
#include "tst_frmToExcel.moc"

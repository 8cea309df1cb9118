#include "export/ui/cFileDialog.h"
#include "tests/support/FakePrompt.h"

#include <QApplication>
#include <QFile>
#include <QFileDialog>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>

namespace {

void touch(const QString& path) {
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write("x");
}

QFileDialog* asFileDialog(QDialog& d) {
    auto* fd = qobject_cast<QFileDialog*>(&d);
    if (!fd)
        qWarning("not a QFileDialog");
    return fd;
}

// Types a name into the dialog's name field and presses its accept button. (selectFile leaves
// the field alone while it has the focus, as it has in the open dialog.)
void choose(QDialog& d, const QString& name) {
    auto* edit = asFileDialog(d)->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
    edit->setText(name);
    d.accept(); // QDialog's accept, overridden by the file dialog
}

const QString nul(1, QChar(0));

} // namespace

class tst_cFileDialog : public QObject {
    Q_OBJECT

private slots:
    void defaultExtension_data();
    void defaultExtension();
    void filterParts_data();
    void filterParts();
    void exportSettingsCancelled();
    void saveSetsUpDialogAndAddsExtension_data();
    void saveSetsUpDialogAndAddsExtension();
    void overwriteQuestion_data();
    void overwriteQuestion();
    void cancelKeepsNameOrRaises();
    void proposedNameTooLong();
    void openMissingFile_data();
    void openMissingFile();
    void multipleSelection();
    void parseMultiFileName_data();
    void parseMultiFileName();
};

void tst_cFileDialog::defaultExtension_data() {
    QTest::addColumn<QString>("given");
    QTest::addColumn<QString>("kept");
    QTest::newRow("pattern") << "*.xls"
                             << "xls";
    QTest::newRow("dot") << ".xlsx"
                         << "xlsx";
    QTest::newRow("bare") << "aes"
                          << "aes";
    QTest::newRow("all files") << "*.*"
                               << "";
    QTest::newRow("empty") << ""
                           << "";
}

void tst_cFileDialog::defaultExtension() {
    QFETCH(QString, given);
    QFETCH(QString, kept);
    cFileDialog d;
    d.setDefaultExt(given);
    QCOMPARE(d.DefaultExt(), kept);
}

void tst_cFileDialog::filterParts_data() {
    QTest::addColumn<QString>("filter");
    QTest::addColumn<QStringList>("nameFilters");
    QTest::newRow("colon separates like bar")
        << "Text:*.txt|All files:*.*" << QStringList{"Text (*.txt)", "All files (*.*)"};
    QTest::newRow("cipher tool") << "*.aes|*.aes|*.*|*.*" << QStringList{"*.aes (*.aes)", "*.* (*.*)"};
    QTest::newRow("several patterns") << "Pictures|*.png;*.jpg" << QStringList{"Pictures (*.png *.jpg)"};
    QTest::newRow("trailing bar") << "Text|*.txt|" << QStringList{"Text (*.txt)"};
    QTest::newRow("lone pattern list") << "(*.xlsx)" << QStringList{"(*.xlsx)"};
    QTest::newRow("lone description") << "xls" << QStringList{"xls (*)"};
    QTest::newRow("none") << "" << QStringList{};
}

void tst_cFileDialog::filterParts() {
    QFETCH(QString, filter);
    QFETCH(QStringList, nameFilters);
    cFileDialog d;
    d.setFilter(filter);
    QCOMPARE(d.nameFilters(), nameFilters);
}

void tst_cFileDialog::exportSettingsCancelled() {
    FakePrompt prompt;
    cFileDialog d;
    d.setFlags(2);
    d.setDialogTitle(QStringLiteral("另存为..."));
    d.setDefaultExt(QStringLiteral("*.xls"));
    d.setFilter(QStringLiteral("xls"));
    bool wasSave = false;
    prompt.onDialog(
        [&](QDialog& dlg) { wasSave = asFileDialog(dlg)->acceptMode() == QFileDialog::AcceptSave; });
    QVERIFY(!d.ShowSave());
    QVERIFY(wasSave);
    QCOMPARE(d.FileName(), QString());
    QCOMPARE(prompt.records.size(), 1);
    QCOMPARE(prompt.records.first().kind, FakePrompt::Record::Dialog);
    QCOMPARE(prompt.records.first().text, QStringLiteral("另存为..."));
}

void tst_cFileDialog::saveSetsUpDialogAndAddsExtension_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("chosen");
    QTest::newRow("no extension") << "联系人"
                                  << "联系人.xls";
    QTest::newRow("own extension kept") << "list.csv"
                                        << "list.csv";
    QTest::newRow("already xls") << "book.xls"
                                 << "book.xls";
}

void tst_cFileDialog::saveSetsUpDialogAndAddsExtension() {
    QFETCH(QString, typed);
    QFETCH(QString, chosen);
    FakePrompt prompt;
    QTemporaryDir dir;
    cFileDialog d;
    d.setDialogTitle(QStringLiteral("Save As"));
    d.setFilter(QStringLiteral("Text:*.txt|Excel:*.xls"));
    d.setFilterIndex(2);
    d.setDefaultExt(QStringLiteral("*.xls"));
    d.setInitDir(dir.path());
    d.setFlags(cFileDialog::OverwritePrompt);
    QString selectedFilter, folder;
    prompt.onDialog([&](QDialog& dlg) {
        auto* fd = asFileDialog(dlg);
        selectedFilter = fd->selectedNameFilter();
        folder = fd->directory().absolutePath();
        choose(dlg, typed);
    });
    QVERIFY(d.ShowSave());
    QCOMPARE(selectedFilter, QStringLiteral("Excel (*.xls)"));
    QCOMPARE(folder, QDir(dir.path()).absolutePath());
    QCOMPARE(d.FileName(), QDir(dir.path()).absoluteFilePath(chosen));
    QVERIFY(!QFile::exists(d.FileName())); // choosing writes nothing
    QCOMPARE(prompt.messages().size(), 0);
    QVERIFY(prompt.allUsed());
}

void tst_cFileDialog::overwriteQuestion_data() {
    QTest::addColumn<int>("flags");
    QTest::addColumn<bool>("replace");
    QTest::addColumn<bool>("asked");
    QTest::newRow("flag 2, yes") << 2 << true << true;
    QTest::newRow("flag 2, no, then another name") << 2 << false << true;
    QTest::newRow("no flag") << 0 << false << false;
}

void tst_cFileDialog::overwriteQuestion() {
    QFETCH(int, flags);
    QFETCH(bool, replace);
    QFETCH(bool, asked);
    FakePrompt prompt;
    QTemporaryDir dir;
    touch(dir.filePath("联系人.xls"));
    cFileDialog d;
    d.setDialogTitle(QStringLiteral("另存为..."));
    d.setDefaultExt(QStringLiteral("*.xls"));
    d.setInitDir(dir.path());
    d.setFlags(flags);
    if (asked)
        prompt.answer(replace ? Prompt::Answer::Yes : Prompt::Answer::No);
    bool openAfterNo = false;
    prompt.onDialog([&](QDialog& dlg) {
        choose(dlg, QStringLiteral("联系人")); // the check uses the name with its extension
        if (asked && !replace) {
            openAfterNo = dlg.isVisible();
            choose(dlg, QStringLiteral("新的"));
        }
    });
    QVERIFY(d.ShowSave());
    QCOMPARE(prompt.messages().size(), asked ? 1 : 0);
    if (asked) {
        const auto q = prompt.messages().first();
        QCOMPARE(q.text, QStringLiteral("联系人.xls already exists.\nDo you want to replace it?"));
        QCOMPARE(q.caption, QStringLiteral("另存为..."));
        QCOMPARE(q.buttons, Prompt::Buttons::YesNo);
    }
    const QString expected = asked && !replace ? QStringLiteral("新的.xls") : QStringLiteral("联系人.xls");
    if (asked && !replace)
        QVERIFY(openAfterNo);
    QCOMPARE(d.FileName(), QDir(dir.path()).absoluteFilePath(expected));
    QCOMPARE(QFile(dir.filePath("联系人.xls")).size(), 1);
}

void tst_cFileDialog::cancelKeepsNameOrRaises() {
    FakePrompt prompt;
    QTemporaryDir dir;
    cFileDialog d;
    d.setFileName(dir.filePath("proposed.txt"));
    QString shown;
    prompt.onDialog([&](QDialog& dlg) { shown = asFileDialog(dlg)->selectedFiles().value(0); });
    QVERIFY(!d.ShowOpen());
    QCOMPARE(shown, dir.filePath("proposed.txt"));
    QCOMPARE(d.FileName(), dir.filePath("proposed.txt"));

    d.setCancelError(true);
    try {
        d.ShowSave();
        QFAIL("cancel did not raise");
    } catch (const FileDialogError& e) {
        QCOMPARE(e.number(), 32755);
        QCOMPARE(e.description(), QStringLiteral("User selected cancel."));
    }
    QCOMPARE(d.FileName(), dir.filePath("proposed.txt"));
}

void tst_cFileDialog::proposedNameTooLong() {
    FakePrompt prompt;
    cFileDialog d;
    d.setFileName(QString(1025, QLatin1Char('n')));
    for (bool save : {true, false}) {
        try {
            save ? d.ShowSave() : d.ShowOpen();
            QFAIL("long name accepted");
        } catch (const FileDialogError& e) {
            QCOMPARE(e.number(), 5);
        }
    }
    QVERIFY(prompt.records.isEmpty()); // refused before any dialog opened
    // A multiple selection has the larger buffer.
    d.setFlags(cFileDialog::AllowMultiSelect);
    QVERIFY(!d.ShowOpen());
    QCOMPARE(prompt.records.size(), 1);
}

void tst_cFileDialog::openMissingFile_data() {
    QTest::addColumn<int>("flags");
    QTest::addColumn<QString>("message");
    QTest::newRow("must exist") << int(cFileDialog::FileMustExist)
                                << "gone.txt\nFile not found.\nCheck the file name and try again.";
    QTest::newRow("create prompt, no")
        << int(cFileDialog::CreatePrompt) << "gone.txt\nThis file does not exist.\nDo you want to create it?";
}

void tst_cFileDialog::openMissingFile() {
    QFETCH(int, flags);
    QFETCH(QString, message);
    FakePrompt prompt;
    QTemporaryDir dir;
    touch(dir.filePath("here.txt"));
    cFileDialog d;
    d.setDialogTitle(QStringLiteral("File to Encrypt"));
    d.setInitDir(dir.path());
    d.setFlags(flags);
    prompt.answer(Prompt::Answer::No);
    bool stayed = false;
    prompt.onDialog([&](QDialog& dlg) {
        choose(dlg, QStringLiteral("gone.txt"));
        stayed = dlg.isVisible();
        choose(dlg, QStringLiteral("here.txt"));
    });
    QVERIFY(d.ShowOpen());
    QVERIFY(stayed);
    QCOMPARE(prompt.texts(), QStringList{message});
    QCOMPARE(prompt.messages().first().caption, QStringLiteral("File to Encrypt"));
    QCOMPARE(d.FileName(), dir.filePath("here.txt"));
    QVERIFY(!QFile::exists(dir.filePath("gone.txt")));
}

void tst_cFileDialog::multipleSelection() {
    FakePrompt prompt;
    QTemporaryDir dir;
    touch(dir.filePath("a.txt"));
    touch(dir.filePath("b.txt"));
    cFileDialog d;
    d.setInitDir(dir.path());
    d.setFlags(cFileDialog::AllowMultiSelect);
    prompt.onDialog([&](QDialog& dlg) {
        auto* fd = asFileDialog(dlg);
        QCOMPARE(fd->fileMode(), QFileDialog::ExistingFiles);
        fd->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))
            ->setText(QStringLiteral("\"a.txt\" \"b.txt\""));
        dlg.accept();
    });
    QVERIFY(d.ShowOpen());
    const QString folder = QDir(dir.path()).absolutePath();
    QCOMPARE(d.FileName(), folder + nul + "a.txt" + nul + "b.txt" + nul + nul);
    QString sDir;
    QStringList sFiles{"earlier"};
    int count = 3;
    d.ParseMultiFileName(sDir, sFiles, count);
    QCOMPARE(sDir, folder);
    QCOMPARE(sFiles, (QStringList{"earlier", "a.txt", "b.txt"}));
    QCOMPARE(count, 5);
}

void tst_cFileDialog::parseMultiFileName_data() {
    QTest::addColumn<QString>("fileName");
    QTest::addColumn<bool>("valid");
    QTest::addColumn<QString>("dir");
    QTest::addColumn<QStringList>("files");
    QTest::addColumn<int>("count");
    QTest::newRow("one file with folder")
        << "/tmp/x/one.txt" + nul + nul << true << "/tmp/x/" << QStringList{"one.txt"} << 1;
    QTest::newRow("one bare name") << "one.txt" + nul + nul + nul << true << "" << QStringList{"one.txt"}
                                   << 1;
    QTest::newRow("two files") << "/d" + nul + "p" + nul + "q" + nul + nul << true << "/d"
                               << QStringList{"p", "q"} << 2;
    QTest::newRow("no double NUL") << "/tmp/x/one.txt" << false << "" << QStringList{} << 0;
}

void tst_cFileDialog::parseMultiFileName() {
    QFETCH(QString, fileName);
    QFETCH(bool, valid);
    QFETCH(QString, dir);
    QFETCH(QStringList, files);
    QFETCH(int, count);
    cFileDialog d;
    d.setFileName(fileName);
    QString sDir;
    QStringList sFiles;
    int n = 0;
    try {
        d.ParseMultiFileName(sDir, sFiles, n);
        QVERIFY(valid);
    } catch (const FileDialogError& e) {
        QVERIFY(!valid);
        QCOMPARE(e.number(), 5);
        return;
    }
    QCOMPARE(sDir, dir);
    QCOMPARE(sFiles, files);
    QCOMPARE(n, count);
}

QTEST_MAIN(tst_cFileDialog)
#include "tst_cFileDialog.moc"

#pragma once
// "导出数据库到 Excel 文件中": the ticked tables among companies, contacts and visits written to an
// .xlsx file, one worksheet each, with progress texts and a stop button. An existing file is
// replaced only when the user said so. Shown modally through Prompt::exec.
#include "export/XlsxWriter.h"

#include <QDialog>
#include <optional>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
struct ExportTable;

class frmToExcel : public QDialog {
    Q_OBJECT
public:
    explicit frmToExcel(QWidget* parent = nullptr);

    bool exporting() const { return m_exporting; }

    // The full path the workbook is written under: the trimmed text with ".xlsx" (an ".xls"
    // becomes ".xlsx", any other ending gets ".xlsx" added); a relative name is taken in the
    // user's documents folder, a leading "~/" in the home folder.
    static QString TargetName(const QString& typed);

protected:
    // Closing while the export runs stops it first; the window closes once the loop has ended.
    void done(int result) override;

private:
    void cmdBrow_Click();
    void cmdOutput_Click();
    void cmdCancel_Click();
    void paintBanner();
    void placeNotice(QLabel* note);
    // How an existing target is treated; nullopt when the user keeps it (or it cannot be one).
    std::optional<XlsxWriter::Existing> existingTarget(const QString& target);
    bool writeTable(XlsxWriter& writer, const ExportTable& table);
    void failed(XlsxWriter& writer);
    void endExport();

    QLabel* pic1;
    QCheckBox* m_checks[3];
    QLineEdit* txtFile;
    QPushButton* cmdBrow;
    QPushButton* cmdOutput;
    QPushButton* cmdCancel;
    QLabel* Label5;
    QLabel* Label6;
    QLabel* Label7;
    QLabel* Image2;

    QString m_confirmedReplace; // a target the file dialog has already asked to replace
    QString m_stoppedIn;        // the table whose loop the stop request ended, if any
    int m_stoppedWritten = 0;
    int m_stoppedTotal = 0;
    bool m_stop = false;
    bool m_exporting = false;
    std::optional<int> m_closeWith;
};

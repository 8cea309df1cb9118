#pragma once
// "导出数据库到 Excel 文件中": the ticked tables among companies, contacts and visits written to a
// new .xlsx file, one worksheet each, with progress texts and a stop button. Shown modally
// through Prompt::exec.
#include <QDialog>
#include <optional>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class XlsxWriter;

class frmToExcel : public QDialog {
    Q_OBJECT
public:
    explicit frmToExcel(QWidget* parent = nullptr);

    bool exporting() const { return m_exporting; }

    // The name the workbook is written under: the trimmed text with ".xlsx" (an ".xls" becomes
    // ".xlsx", any other ending gets ".xlsx" added).
    static QString TargetName(const QString& typed);

protected:
    // Closing while the export runs stops it first; the window closes once the loop has ended.
    void done(int result) override;

private:
    void cmdBrow_Click();
    void cmdOutput_Click();
    void cmdCancel_Click();
    void paintBanner();
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

    bool m_stop = false;
    bool m_exporting = false;
    std::optional<int> m_closeWith;
};

#pragma once
// Open and save dialogs over QFileDialog: the caller sets the properties, calls ShowOpen or
// ShowSave and reads the chosen path from FileName. The dialog runs through the prompt service,
// and so do its questions (overwrite, missing file).
#include <QPointer>
#include <QString>
#include <QStringList>
#include <QWidget>
#include <stdexcept>

class FileDialogError : public std::runtime_error {
public:
    FileDialogError(int number, const QString& description)
        : std::runtime_error(description.toStdString()), m_number(number), m_description(description) {}
    int number() const { return m_number; }
    QString description() const { return m_description; }

private:
    int m_number;
    QString m_description;
};

class cFileDialog {
public:
    // The platform option bits the dialog honours.
    enum Flag {
        OverwritePrompt = 0x2,
        HideReadOnly = 0x4,
        AllowMultiSelect = 0x200,
        FileMustExist = 0x1000,
        CreatePrompt = 0x2000,
        Explorer = 0x80000,
    };
    static constexpr int CancelErrorNumber = 32755;
    static constexpr int InvalidArgumentNumber = 5;
    static constexpr int BufferSize = 1024;
    static constexpr int MultiBufferSize = 8192;

    bool CancelError() const { return m_cancelError; }
    void setCancelError(bool bCancelError) { m_cancelError = bCancelError; }
    QString FileName() const { return m_fileName; }
    void setFileName(const QString& sFilename) { m_fileName = sFilename; }
    QString FileTitle() const { return m_fileTitle; }
    void setFileTitle(const QString& vNewValue) { m_fileTitle = vNewValue; }
    QString Filter() const { return m_filter; }
    void setFilter(const QString& sFilter) { m_filter = sFilter; }
    int FilterIndex() const { return m_filterIndex; }
    void setFilterIndex(int lFilterIndex) { m_filterIndex = lFilterIndex; }
    // Kept as a bare extension: "*.xls" and ".xls" become "xls"; a wildcard pattern means none.
    QString DefaultExt() const { return m_defaultExt; }
    void setDefaultExt(const QString& sDefaultExt);
    QString DialogTitle() const { return m_dialogTitle; }
    void setDialogTitle(const QString& vNewValue) { m_dialogTitle = vNewValue; }
    int flags() const { return m_flags; }
    void setFlags(int vNewValue) { m_flags = vNewValue; }
    QWidget* hWnd() const { return m_owner; }
    void setHWnd(QWidget* vNewValue) { m_owner = vNewValue; }
    QString InitDir() const { return m_initDir; }
    void setInitDir(const QString& vNewValue) { m_initDir = vNewValue; }

    // True when the user confirmed; FileName then holds the chosen path. On cancel FileName keeps
    // its value, and with CancelError set FileDialogError 32755 "User selected cancel." is thrown.
    // A proposed FileName longer than the buffer throws FileDialogError 5.
    bool ShowSave();
    // As ShowSave; with AllowMultiSelect FileName becomes "folder\0name\0name\0\0" (one file:
    // "path\0\0") for ParseMultiFileName.
    bool ShowOpen();
    // Splits a multiple-selection FileName; throws FileDialogError 5 on any other FileName.
    void ParseMultiFileName(QString& sDir, QStringList& sFiles, int& lFileCount) const;

    // Filter as QFileDialog name filters: every "|" and ":" separates description and pattern.
    QStringList nameFilters() const;

private:
    bool show(bool save);

    bool m_cancelError = false;
    QString m_fileName;
    QString m_fileTitle;
    QString m_filter;
    int m_filterIndex = 1;
    QString m_defaultExt;
    QString m_dialogTitle;
    int m_flags = 0;
    QPointer<QWidget> m_owner;
    QString m_initDir;
};

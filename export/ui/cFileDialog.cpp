#include "export/ui/cFileDialog.h"

#include "core/Prompt.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QRegularExpression>

namespace {

// Checks the choice before the dialog closes, through the prompt service, so that no message
// box of QFileDialog's own ever opens and a "No" leaves the dialog open as the platform's does.
class CheckedFileDialog final : public QFileDialog {
public:
    CheckedFileDialog(QWidget* owner, const QString& title, bool save, int flags, const QString& defaultExt)
        : QFileDialog(owner, title), m_save(save), m_flags(flags), m_defaultExt(defaultExt) {}

    QString chosen() const { return m_chosen; }
    QStringList chosenFiles() const { return m_chosenFiles; }

    void accept() override {
        const QStringList files = selectedFiles();
        if (files.isEmpty())
            return;
        if (QFileInfo(files.first()).isDir()) {
            QFileDialog::accept(); // opens the folder, the dialog stays
            return;
        }
        if (files.size() > 1) {
            // QFileDialog itself checks that every file of a multiple selection exists.
            m_chosenFiles = files;
            m_chosen = files.first();
            QFileDialog::accept();
            return;
        }
        QString name = files.first();
        if (!m_defaultExt.isEmpty() && QFileInfo(name).suffix().isEmpty())
            name += QLatin1Char('.') + m_defaultExt;
        const QFileInfo info(name);
        const QString caption = windowTitle();
        if (m_save && info.exists() && (m_flags & cFileDialog::OverwritePrompt)) {
            const auto a = Prompt::message(
                QStringLiteral("%1 already exists.\nDo you want to replace it?").arg(info.fileName()),
                caption, Prompt::Icon::Warning, Prompt::Buttons::YesNo);
            if (a != Prompt::Answer::Yes)
                return;
        }
        if (!m_save && !info.exists()) {
            if (m_flags & cFileDialog::FileMustExist) {
                Prompt::message(QStringLiteral("%1\nFile not found.\nCheck the file name and try again.")
                                    .arg(info.fileName()),
                                caption, Prompt::Icon::Warning, Prompt::Buttons::Ok);
                return;
            }
            if (m_flags & cFileDialog::CreatePrompt) {
                const auto a =
                    Prompt::message(QStringLiteral("%1\nThis file does not exist.\nDo you want to create it?")
                                        .arg(info.fileName()),
                                    caption, Prompt::Icon::Question, Prompt::Buttons::YesNo);
                if (a != Prompt::Answer::Yes)
                    return;
            }
        }
        m_chosen = name;
        m_chosenFiles = QStringList{name};
        QFileDialog::accept();
    }

private:
    bool m_save;
    int m_flags;
    QString m_defaultExt;
    QString m_chosen;
    QStringList m_chosenFiles;
};

} // namespace

void cFileDialog::setDefaultExt(const QString& sDefaultExt) {
    QString ext = sDefaultExt.trimmed();
    while (ext.startsWith(QLatin1Char('*')) || ext.startsWith(QLatin1Char('.')))
        ext.remove(0, 1);
    // A pattern such as "*.*" names no single extension.
    if (ext.contains(QLatin1Char('*')) || ext.contains(QLatin1Char('?')))
        ext.clear();
    m_defaultExt = ext;
}

QStringList cFileDialog::nameFilters() const {
    QStringList parts = m_filter.split(QRegularExpression(QStringLiteral("[|:]")));
    while (!parts.isEmpty() && parts.last().isEmpty())
        parts.removeLast();
    QStringList out;
    for (qsizetype i = 0; i < parts.size(); i += 2) {
        const QString description = parts[i].trimmed();
        if (i + 1 < parts.size()) {
            QString patterns = parts[i + 1].trimmed();
            patterns.replace(QLatin1Char(';'), QLatin1Char(' '));
            out << QStringLiteral("%1 (%2)").arg(description, patterns);
        } else if (QRegularExpression(QStringLiteral("\\([^()]*\\)$")).match(description).hasMatch()) {
            out << description; // "(*.xlsx)" already names its patterns
        } else {
            out << QStringLiteral("%1 (*)").arg(description);
        }
    }
    return out;
}

bool cFileDialog::show(bool save) {
    const bool multi = !save && (m_flags & AllowMultiSelect);
    if (m_fileName.size() > (multi ? MultiBufferSize : BufferSize))
        throw FileDialogError(InvalidArgumentNumber, QStringLiteral("Invalid procedure call or argument"));

    CheckedFileDialog dialog(m_owner, m_dialogTitle, save, m_flags, m_defaultExt);
    dialog.setObjectName(QStringLiteral("cFileDialog"));
    // The widget dialog everywhere: same behaviour on every desktop, and its questions go
    // through the prompt service.
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setOption(QFileDialog::DontConfirmOverwrite);
    dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(multi ? QFileDialog::ExistingFiles : QFileDialog::AnyFile);
    const QStringList filters = nameFilters();
    if (!filters.isEmpty()) {
        dialog.setNameFilters(filters);
        dialog.selectNameFilter(filters.value(m_filterIndex - 1, filters.first()));
    }
    if (!m_initDir.isEmpty())
        dialog.setDirectory(m_initDir);
    if (!m_fileName.isEmpty())
        dialog.selectFile(m_fileName);

    if (Prompt::exec(dialog) != QDialog::Accepted || dialog.chosen().isEmpty()) {
        if (m_cancelError)
            throw FileDialogError(CancelErrorNumber, QStringLiteral("User selected cancel."));
        return false;
    }
    if (multi) {
        const QStringList files = dialog.chosenFiles();
        if (files.size() == 1) {
            m_fileName = files.first() + QString(2, QChar(0));
        } else {
            QStringList names;
            for (const QString& f : files)
                names << QFileInfo(f).fileName();
            m_fileName = QFileInfo(files.first()).absolutePath() + QChar(0) + names.join(QChar(0)) +
                         QString(2, QChar(0));
        }
    } else {
        m_fileName = dialog.chosen();
    }
    return true;
}

bool cFileDialog::ShowSave() {
    return show(true);
}

bool cFileDialog::ShowOpen() {
    return show(false);
}

void cFileDialog::ParseMultiFileName(QString& sDir, QStringList& sFiles, int& lFileCount) const {
    const QString doubleNul(2, QChar(0));
    const qsizetype end = m_fileName.indexOf(doubleNul);
    if (end < 0)
        throw FileDialogError(InvalidArgumentNumber, QStringLiteral("Invalid procedure call or argument"));
    const QString result = m_fileName.left(end);
    if (result.contains(QChar(0))) {
        const QStringList parts = result.split(QChar(0));
        sDir = parts.first();
        for (qsizetype i = 1; i < parts.size(); ++i) {
            sFiles << parts[i];
            ++lFileCount;
        }
        return;
    }
    lFileCount = 1;
    const qsizetype slash = result.lastIndexOf(QLatin1Char('/'));
    sDir = slash < 0 ? QString() : result.left(slash + 1);
    sFiles = QStringList{result.mid(slash + 1)};
}

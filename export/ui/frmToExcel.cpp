#include "export/ui/frmToExcel.h"

#include "core/Prompt.h"
#include "core/modDBCommand.h"
#include "core/ui/Painting.h"
#include "export/ExportTables.h"
#include "export/XlsxWriter.h"
#include "export/ui/cFileDialog.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QStandardPaths>

namespace {

const QString kReady = QStringLiteral("准备就绪，等待执行 ...");

QString documentsFolder() {
    const QString docs = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    return docs.isEmpty() ? QDir::homePath() : docs;
}

QLabel* label(QWidget* parent, const QString& name, const QString& text, QRect r) {
    auto* l = new QLabel(text, parent);
    l->setObjectName(name);
    l->setGeometry(r);
    return l;
}

QFrame* frame(QWidget* parent, const QString& name, QRect r) {
    auto* f = new QFrame(parent);
    f->setObjectName(name);
    f->setFrameShape(QFrame::Box);
    f->setFrameShadow(QFrame::Sunken);
    f->setGeometry(r);
    f->lower();
    return f;
}

// The progress marker shown beside the check box of the table being written.
QPixmap marker() {
    QPixmap pm(12, 12);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.setBrush(QColor(0, 128, 0));
    p.setPen(Qt::NoPen);
    const QPointF arrow[3] = {{1, 1}, {11, 6}, {1, 11}};
    p.drawPolygon(arrow, 3);
    return pm;
}

} // namespace

frmToExcel::frmToExcel(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("frmToExcel"));
    setWindowTitle(QStringLiteral("导出数据库到 Excel 文件中"));

    pic1 = new QLabel(this);
    pic1->setObjectName(QStringLiteral("pic1"));
    pic1->setGeometry(0, 0, 420, 48);

    frame(this, QStringLiteral("Shape1"), {8, 64, 404, 84});
    label(this, QStringLiteral("Label2"), QStringLiteral(" 选择导出的内容 "), {16, 56, 120, 16})
        ->setAutoFillBackground(true);
    const QString captions[3] = {QStringLiteral("导出所有的企业信息"), QStringLiteral("导出所有的联系人信息"),
                                 QStringLiteral("导出所有的拜访日程记录")};
    for (int i = 0; i < 3; ++i) {
        m_checks[i] = new QCheckBox(captions[i], this);
        m_checks[i]->setObjectName(ExportTables()[i].check);
        m_checks[i]->setGeometry(48, 76 + 22 * i, 300, 20);
    }

    frame(this, QStringLiteral("Shape2"), {8, 164, 404, 44});
    label(this, QStringLiteral("Label3"), QStringLiteral(" 指定 Excel 的文件名 "), {16, 156, 140, 16})
        ->setAutoFillBackground(true);
    txtFile = new QLineEdit(this);
    txtFile->setObjectName(QStringLiteral("txtFile"));
    txtFile->setGeometry(18, 176, 296, 24);
    cmdBrow = new QPushButton(QStringLiteral("浏览文件"), this);
    cmdBrow->setObjectName(QStringLiteral("cmdBrow"));
    cmdBrow->setGeometry(320, 175, 84, 26);

    frame(this, QStringLiteral("Shape3"), {8, 224, 404, 72});
    label(this, QStringLiteral("Label4"), QStringLiteral(" 状态 "), {16, 216, 50, 16})
        ->setAutoFillBackground(true);
    Label7 = label(this, QStringLiteral("Label7"), kReady, {18, 234, 388, 18});
    Label5 = label(this, QStringLiteral("Label5"), kReady, {18, 254, 388, 18});
    Label6 =
        label(this, QStringLiteral("Label6"), QStringLiteral("正在写入目标文件 ..."), {18, 274, 388, 18});
    Label6->hide();

    Image2 = new QLabel(this);
    Image2->setObjectName(QStringLiteral("Image2"));
    Image2->setPixmap(marker());
    Image2->resize(12, 12);
    Image2->hide();

    cmdOutput = new QPushButton(QStringLiteral("开始导出"), this);
    cmdOutput->setObjectName(QStringLiteral("cmdOutput"));
    cmdCancel = new QPushButton(QStringLiteral("停止导出"), this);
    cmdCancel->setObjectName(QStringLiteral("cmdCancel"));
    cmdCancel->setEnabled(false);
    placeNotice(label(this, QStringLiteral("Label1"),
                      QStringLiteral("* 导出的文件是 .xlsx 格式的工作簿，LibreOffice、WPS 表格、Excel "
                                     "等电子表格软件都能打开，无需安装微软 Office。"),
                      {14, 306, 392, 0}));
    cmdOutput->setAutoDefault(false);
    cmdCancel->setAutoDefault(false);
    cmdBrow->setAutoDefault(false);

    connect(cmdBrow, &QPushButton::clicked, this, &frmToExcel::cmdBrow_Click);
    connect(cmdOutput, &QPushButton::clicked, this, &frmToExcel::cmdOutput_Click);
    connect(cmdCancel, &QPushButton::clicked, this, &frmToExcel::cmdCancel_Click);
    // A name typed by hand is no longer the one the file dialog asked about.
    connect(txtFile, &QLineEdit::textEdited, this, [this] { m_confirmedReplace.clear(); });

    paintBanner();
}

// The notice wraps to as many lines as the font needs; its frame, the buttons below and the
// window's height follow it, so no line is cut off.
void frmToExcel::placeNotice(QLabel* note) {
    note->setWordWrap(true);
    note->resize(note->width(), note->heightForWidth(note->width()));
    frame(this, QStringLiteral("Shape4"), {8, 302, 404, note->height() + 8});
    const int buttons = 302 + note->height() + 8 + 6;
    cmdOutput->setGeometry(216, buttons, 94, 28);
    cmdCancel->setGeometry(318, buttons, 94, 28);
    setFixedSize(420, buttons + 28 + 6);
}

void frmToExcel::paintBanner() {
    QPixmap pm(pic1->size());
    PaintGradient(pm, 0, 128, 0, 192, 240, 192);
    QPainter p(&pm);
    QFont f = font();
    f.setBold(true);
    f.setPointSize(20);
    p.setFont(f);
    p.setPen(Qt::black);
    // 200 twips from the left, 100 from the top.
    p.drawText(200 / 15, 100 / 15 + QFontMetrics(f).ascent(), QStringLiteral("导出数据到EXCEL文件......"));
    p.end();
    pic1->setPixmap(pm);
}

QString frmToExcel::TargetName(const QString& typed) {
    QString name = typed.trimmed();
    if (name.isEmpty())
        return name;
    if (name.startsWith(QLatin1String("~/")))
        name = QDir::homePath() + name.mid(1);
    const QString suffix = QFileInfo(name).suffix().toLower();
    if (suffix == QLatin1String("xls"))
        name += QLatin1Char('x');
    else if (suffix != QLatin1String("xlsx"))
        name += QStringLiteral(".xlsx");
    return QDir::cleanPath(QDir(documentsFolder()).absoluteFilePath(name));
}

void frmToExcel::cmdBrow_Click() {
    cFileDialog dialog;
    dialog.setFlags(cFileDialog::OverwritePrompt);
    dialog.setHWnd(this);
    dialog.setDialogTitle(QStringLiteral("另存为..."));
    dialog.setDefaultExt(QStringLiteral("*.xlsx"));
    dialog.setCancelError(false);
    dialog.setFilter(QStringLiteral("(*.xlsx)"));
    // Opens where the typed name points, or else in the documents folder, with the name proposed.
    const QString typed = TargetName(txtFile->text());
    QString folder = typed.isEmpty() ? documentsFolder() : QFileInfo(typed).absolutePath();
    if (!QFileInfo(folder).isDir())
        folder = QFileInfo(documentsFolder()).isDir() ? documentsFolder() : QDir::homePath();
    dialog.setInitDir(folder);
    const QString name = QFileInfo(typed).fileName();
    if (!typed.isEmpty() && name.size() <= cFileDialog::BufferSize)
        dialog.setFileName(name);
    if (!dialog.ShowSave())
        return; // cancelled: whatever was typed stays
    const QString chosen = QFileInfo(dialog.FileName()).absoluteFilePath();
    const QString target = TargetName(chosen);
    // The dialog asked before it accepted an existing file; that answer holds for this name.
    m_confirmedReplace = target == chosen && QFileInfo::exists(chosen) ? target : QString();
    txtFile->setText(target);
}

std::optional<XlsxWriter::Existing> frmToExcel::existingTarget(const QString& target) {
    const QFileInfo info(target);
    if (!info.exists() && !info.isSymLink())
        return XlsxWriter::Existing::Keep;
    if (info.isDir()) {
        Prompt::message(QStringLiteral("“%1”是一个文件夹，请另外指定 Excel 文件的文件名。").arg(target),
                        QStringLiteral("Tobrin"), Prompt::Icon::Information, Prompt::Buttons::Ok);
        return std::nullopt;
    }
    if (target == m_confirmedReplace)
        return XlsxWriter::Existing::Replace;
    const auto answer =
        Prompt::message(QStringLiteral("目标文件“%1”已经存在。\n要用导出的数据替换它吗？").arg(target),
                        QStringLiteral("Tobrin"), Prompt::Icon::Question, Prompt::Buttons::YesNo);
    if (answer == Prompt::Answer::Yes)
        return XlsxWriter::Existing::Replace;
    return std::nullopt;
}

void frmToExcel::cmdCancel_Click() {
    m_stop = true;
    cmdCancel->setEnabled(false);
    // While the loop runs the start and browse buttons stay off until it has ended.
    if (!m_exporting) {
        cmdOutput->setEnabled(true);
        cmdBrow->setEnabled(true);
    }
}

void frmToExcel::done(int result) {
    if (m_exporting) {
        m_stop = true;
        m_closeWith = result;
        return;
    }
    QDialog::done(result);
}

void frmToExcel::endExport() {
    m_exporting = false;
    Image2->hide();
    cmdBrow->setEnabled(true);
    txtFile->setEnabled(true);
    cmdOutput->setEnabled(true);
    cmdCancel->setEnabled(false);
    if (m_closeWith) {
        const int result = *m_closeWith;
        m_closeWith.reset();
        QDialog::done(result);
    }
}

void frmToExcel::failed(XlsxWriter& writer) {
    const XlsxError error = writer.error();
    writer.discard(); // before the message: nothing is left behind while it shows
    Label5->setText(QStringLiteral("数据输出的过程中出现了错误，无法继续 ..."));
    Label6->setText(QStringLiteral("错误代码：%1，%2").arg(error.number).arg(error.description));
    Label6->show();
    Prompt::error(error.description);
    endExport();
}

void frmToExcel::cmdOutput_Click() {
    if (m_exporting)
        return;
    QVector<const ExportTable*> tables;
    for (int i = 0; i < 3; ++i)
        if (m_checks[i]->isChecked())
            tables << &ExportTables()[i];
    if (tables.isEmpty())
        return;

    Label5->show();
    if (txtFile->text().trimmed().isEmpty()) {
        cmdBrow->setFocus();
        return;
    }
    const QString target = TargetName(txtFile->text());
    txtFile->setText(target); // the name actually written, in full
    const auto existing = existingTarget(target);
    if (!existing) {
        txtFile->setFocus();
        txtFile->selectAll();
        return;
    }
    m_confirmedReplace.clear(); // asked once, for this export
    if (QFileInfo(target).absolutePath() == documentsFolder())
        QDir().mkpath(documentsFolder()); // a relative name goes there even on a fresh account

    m_exporting = true;
    m_stop = false;
    m_stoppedIn.clear();
    cmdCancel->setEnabled(true);
    cmdOutput->setEnabled(false);
    cmdBrow->setEnabled(false);
    txtFile->setEnabled(false);

    XlsxWriter writer(target, *existing);
    if (!writer.begin())
        return failed(writer);
    Label5->setText(QStringLiteral("目标 Excel 对象已经创建 ..."));
    for (const ExportTable* table : tables)
        if (!writeTable(writer, *table))
            return failed(writer);

    Image2->hide();
    Label5->setText(QStringLiteral("正在保存生成的 Excel 文件的内容 ..."));
    if (!writer.finish())
        return failed(writer);
    Label5->setText(QStringLiteral("正在关闭目标 Excel 文件 ..."));
    // A stopped export keeps what it wrote, a complete workbook, but does not call itself done.
    Label5->setText(m_stoppedIn.isEmpty() ? QStringLiteral("目标 Excel 文件已经输出完毕。")
                                          : QStringLiteral("已停止：已输出 %1 %2/%3 条")
                                                .arg(m_stoppedIn)
                                                .arg(m_stoppedWritten)
                                                .arg(m_stoppedTotal));
    m_stop = false;
    endExport();
}

// One table into the next worksheet. False only when the writer failed; a failed query is
// reported and leaves its worksheet empty.
bool frmToExcel::writeTable(XlsxWriter& writer, const ExportTable& table) {
    const QCheckBox* box = m_checks[&table - ExportTables().data()];
    Image2->move(box->x() - 50 / 15 - Image2->width(), box->y() + 30 / 15);
    Image2->show();
    Label5->setText(QStringLiteral("正在准备写入目标 Excel 文件 ..."));
    Label7->setText(table.task);
    Label5->setText(QStringLiteral("正在定义目标 Excel 文件的数据结构 ..."));
    if (!writer.addSheet(table.name))
        return false;

    SqlMessage.clear();
    RecordsetPtr rs = ExecuteSql(table.sql, SqlMessage);
    if (IsSqlError(SqlMessage) || !rs) {
        Prompt::error(SqlMessage);
        return true;
    }
    if (rs->RecordCount() == 0) {
        rs->Close();
        return true;
    }
    Label5->setText(table.writing);
    const bool ok = WriteTable(writer, table.titles, *rs, [this, &table](int written, int total) {
        Label6->setText(QStringLiteral("正在输出：%1/%2").arg(written).arg(total));
        Label6->show();
        QCoreApplication::processEvents();
        if (m_stop && m_stoppedIn.isEmpty()) {
            m_stoppedIn = table.name;
            m_stoppedWritten = written;
            m_stoppedTotal = total;
        }
        return !m_stop;
    });
    rs->Close();
    if (!ok)
        return false;
    Label6->hide();
    Label5->setText(QStringLiteral("正在让表格的列宽自动适应文字长度 ..."));
    if (!writer.fitColumns())
        return false;
    Label7->setText(QStringLiteral("任务处理完毕，处理过程结束。"));
    return true;
}

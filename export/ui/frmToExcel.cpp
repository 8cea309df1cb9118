#include "export/ui/frmToExcel.h"

#include "core/Prompt.h"
#include "core/modDBCommand.h"
#include "core/ui/Painting.h"
#include "export/ExportTables.h"
#include "export/XlsxWriter.h"
#include "export/ui/cFileDialog.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QFileInfo>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>

namespace {

const QString kReady = QStringLiteral("准备就绪，等待执行 ...");

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
    setFixedSize(420, 372);

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

    frame(this, QStringLiteral("Shape4"), {8, 302, 404, 30});
    auto* note =
        label(this, QStringLiteral("Label1"),
              QStringLiteral("* 导出功能使用之前请确定本计算机已经安装有微软 Office 中的 Excel 组件。"),
              {14, 304, 394, 26});
    note->setWordWrap(true);

    Image2 = new QLabel(this);
    Image2->setObjectName(QStringLiteral("Image2"));
    Image2->setPixmap(marker());
    Image2->resize(12, 12);
    Image2->hide();

    cmdOutput = new QPushButton(QStringLiteral("开始导出"), this);
    cmdOutput->setObjectName(QStringLiteral("cmdOutput"));
    cmdOutput->setGeometry(216, 338, 94, 28);
    cmdCancel = new QPushButton(QStringLiteral("停止导出"), this);
    cmdCancel->setObjectName(QStringLiteral("cmdCancel"));
    cmdCancel->setGeometry(318, 338, 94, 28);
    cmdCancel->setEnabled(false);
    cmdOutput->setAutoDefault(false);
    cmdCancel->setAutoDefault(false);
    cmdBrow->setAutoDefault(false);

    connect(cmdBrow, &QPushButton::clicked, this, &frmToExcel::cmdBrow_Click);
    connect(cmdOutput, &QPushButton::clicked, this, &frmToExcel::cmdOutput_Click);
    connect(cmdCancel, &QPushButton::clicked, this, &frmToExcel::cmdCancel_Click);

    paintBanner();
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
    const QString suffix = QFileInfo(name).suffix().toLower();
    if (suffix == QLatin1String("xlsx"))
        return name;
    if (suffix == QLatin1String("xls"))
        return name + QLatin1Char('x');
    return name + QStringLiteral(".xlsx");
}

void frmToExcel::cmdBrow_Click() {
    cFileDialog dialog;
    dialog.setFlags(cFileDialog::OverwritePrompt);
    dialog.setHWnd(this);
    dialog.setDialogTitle(QStringLiteral("另存为..."));
    dialog.setDefaultExt(QStringLiteral("*.xlsx"));
    dialog.setCancelError(false);
    dialog.setFilter(QStringLiteral("(*.xlsx)"));
    dialog.ShowSave();
    txtFile->setText(dialog.FileName());
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
    const QString typed = txtFile->text().trimmed();
    if (typed.isEmpty()) {
        cmdBrow->setFocus();
        return;
    }
    const QString target = TargetName(typed);
    const QFileInfo info(target);
    if (info.exists() || info.isSymLink()) {
        Prompt::message(QStringLiteral("设定的目标文件 Excel 文件已经存在，不得使用已经存在的文件的文件名。"),
                        QStringLiteral("Tobrin"), Prompt::Icon::Information, Prompt::Buttons::Ok);
        return;
    }

    m_exporting = true;
    m_stop = false;
    cmdCancel->setEnabled(true);
    cmdOutput->setEnabled(false);
    cmdBrow->setEnabled(false);
    txtFile->setEnabled(false);

    XlsxWriter writer(target);
    if (!writer.begin())
        return failed(writer);
    Label5->setText(QStringLiteral("目标 Excel 对象已经创建 ..."));

    for (const ExportTable* table : tables) {
        const QCheckBox* box = m_checks[table - ExportTables().data()];
        Image2->move(box->x() - 50 / 15 - Image2->width(), box->y() + 30 / 15);
        Image2->show();
        Label5->setText(QStringLiteral("正在准备写入目标 Excel 文件 ..."));
        Label7->setText(table->task);
        Label5->setText(QStringLiteral("正在定义目标 Excel 文件的数据结构 ..."));
        if (!writer.addSheet())
            return failed(writer);

        SqlMessage.clear();
        RecordsetPtr rs = ExecuteSql(table->sql, SqlMessage);
        if (IsSqlError(SqlMessage) || !rs) {
            Prompt::error(SqlMessage);
            continue;
        }
        if (rs->RecordCount() == 0) {
            rs->Close();
            continue;
        }
        Label5->setText(table->writing);
        const bool ok = WriteTable(writer, table->titles, *rs, [this](int written, int total) {
            Label6->setText(QStringLiteral("正在输出：%1/%2").arg(written).arg(total));
            Label6->show();
            QCoreApplication::processEvents();
            return !m_stop;
        });
        rs->Close();
        if (!ok)
            return failed(writer);
        Label6->hide();
        Label5->setText(QStringLiteral("正在让表格的列宽自动适应文字长度 ..."));
        if (!writer.fitColumns())
            return failed(writer);
        Label7->setText(QStringLiteral("任务处理完毕，处理过程结束。"));
    }

    Image2->hide();
    Label5->setText(QStringLiteral("正在保存生成的 Excel 文件的内容 ..."));
    if (!writer.finish())
        return failed(writer);
    Label5->setText(QStringLiteral("正在关闭目标 Excel 文件 ..."));
    Label5->setText(QStringLiteral("目标 Excel 文件已经输出完毕。"));
    m_stop = false;
    endExport();
}

#include "tray/ui/frmOption.h"

#include "core/AppSettings.h"
#include "core/Clock.h"
#include "core/DateText.h"
#include "core/ProgramFolder.h"
#include "core/Prompt.h"
#include "core/modDBCommand.h"
#include "tray/AutoStartEntry.h"
#include "tray/ShiftSchedule.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
QPointer<frmOption> theOptions;

QComboBox* list(QWidget* parent, const char* name, const QStringList& items) {
    auto* c = new QComboBox(parent);
    c->setObjectName(QString::fromLatin1(name));
    c->addItems(items);
    c->setEditable(false); // only its items, or nothing
    c->setCurrentIndex(-1);
    return c;
}

QLabel* label(QWidget* parent, int index, const QString& text) {
    auto* l = new QLabel(text, parent);
    l->setObjectName(QStringLiteral("Label1_%1").arg(index));
    return l;
}

void choose(QComboBox* c, const QString& text) {
    c->setCurrentIndex(c->findText(text.trimmed()));
}
} // namespace

frmOption::frmOption(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("frmOption"));
    setWindowTitle(QStringLiteral("系统参数设置"));
    setAttribute(Qt::WA_DeleteOnClose);

    auto* frame = new QGroupBox(QStringLiteral("系统参数设定"), this);
    frame->setObjectName(QStringLiteral("frmOption"));
    chkAutoStart = box("chkAutoStart", "系统启动时自动运行");
    chkMiniStart = box("chkMiniStart", "启动后最小化到系统托盘");
    chkSavePassword = box("chkSavePassword", "无验证自动登陆系统");
    chkRing = box("chkRing", "系统整点报时");
    chkSort = box("chkSort", "联系人列表按姓名进行排序");
    chkClickEdit = box("chkClickEdit", "允许双击列表项目进入修改");
    chkShowSplash = box("chkShowSplash", "启动时显示欢迎窗口");
    chkHoliday = box("chkHoliday", "更多节日提醒");
    chkRemindWork = box("chkRemindWork", "是否提醒上班时间");
    chkRemindTomorrow = box("chkRemindTomorrow", "提醒第二天的工作");

    auto* grid = new QGridLayout(frame);
    const QList<QCheckBox*> boxes = {chkAutoStart,  chkMiniStart,     chkSavePassword, chkRing,
                                     chkSort,       chkClickEdit,     chkShowSplash,   chkHoliday,
                                     chkRemindWork, chkRemindTomorrow};
    for (int i = 0; i < boxes.size(); ++i) {
        boxes[i]->setParent(frame);
        grid->addWidget(boxes[i], i / 2, i % 2);
    }
    m_todayLabel = label(frame, 2, QString());
    cboWDay = list(frame, "cboWDay", ShiftSchedule::cycle());
    grid->addWidget(m_todayLabel, 5, 0);
    grid->addWidget(cboWDay, 5, 1);

    auto* work = new QGroupBox(QStringLiteral("工作提醒设置"), frame);
    work->setObjectName(QStringLiteral("fraWork"));
    cboRemindTeam = list(work, "cboRemindTeam", ShiftSchedule::crews());
    cboRemindTime = list(work, "cboRemindTime", ShiftSchedule::leadTimes());
    auto* workRow = new QHBoxLayout(work);
    workRow->addWidget(label(work, 0, QStringLiteral("提醒班别：")));
    workRow->addWidget(cboRemindTeam);
    workRow->addWidget(label(work, 1, QStringLiteral("提前提醒：")));
    workRow->addWidget(cboRemindTime);
    grid->addWidget(work, 6, 0, 1, 2);

    auto* save = new QPushButton(QStringLiteral("保存修改"), this);
    save->setObjectName(QStringLiteral("cmdSave"));
    auto* cancel = new QPushButton(QStringLiteral("关闭窗口"), this);
    cancel->setObjectName(QStringLiteral("cmdCancel"));
    save->setAutoDefault(false);
    cancel->setAutoDefault(false);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(save);
    buttons->addWidget(cancel);
    auto* outer = new QVBoxLayout(this);
    outer->addWidget(frame);
    outer->addLayout(buttons);

    connect(save, &QPushButton::clicked, this, &frmOption::save);
    connect(cancel, &QPushButton::clicked, this, &frmOption::close);
    // The handlers run on clicks and whenever filling changes a box.
    connect(chkAutoStart, &QCheckBox::toggled, this, [this](bool on) {
        if (!on)
            chkMiniStart->setChecked(false);
        chkMiniStart->setEnabled(on);
    });
    connect(chkRemindWork, &QCheckBox::toggled, this, &frmOption::updateEnabled);
    connect(chkRemindTomorrow, &QCheckBox::toggled, this, &frmOption::updateEnabled);
    fill();
}

QCheckBox* frmOption::box(const char* name, const char* caption) {
    auto* b = new QCheckBox(QString::fromUtf8(caption), this);
    b->setObjectName(QString::fromLatin1(name));
    return b;
}

frmOption* frmOption::showWindow() {
    if (!theOptions) {
        theOptions = new frmOption();
        theOptions->show();
    }
    theOptions->showNormal();
    theOptions->raise();
    theOptions->activateWindow();
    return theOptions;
}

frmOption* frmOption::current() {
    return theOptions;
}

void frmOption::fill() {
    const AppSettingsRecord& s = AppSettings;
    chkAutoStart->setChecked(s.AutoStart);
    chkMiniStart->setChecked(s.MiniStart);
    chkSavePassword->setChecked(s.SavePassword);
    chkRing->setChecked(s.Ring);
    chkSort->setChecked(s.Sort);
    chkClickEdit->setChecked(s.ClickEdit);
    chkShowSplash->setChecked(s.ShowSplash);
    chkHoliday->setChecked(s.Holiday);
    chkRemindWork->setChecked(s.RemindWork);
    chkRemindTomorrow->setChecked(s.RemindTomorrow);
    chkMiniStart->setEnabled(chkAutoStart->isChecked());
    choose(cboRemindTime, s.RemindTime);
    choose(cboRemindTeam, s.RemindTeam);
    updateEnabled();
    m_shownDate = Clock::get().today();
    m_todayLabel->setText(QStringLiteral("今天是") + DateText::format(m_shownDate) +
                          QStringLiteral(",今天甲班："));
}

void frmOption::updateEnabled() {
    // The crew is needed by either reminder, so either box opens its list.
    cboRemindTime->setEnabled(chkRemindWork->isChecked());
    cboRemindTeam->setEnabled(chkRemindWork->isChecked() || chkRemindTomorrow->isChecked());
}

void frmOption::save() {
    const QString time = cboRemindTime->currentText().trimmed();
    const QString team = cboRemindTeam->currentText().trimmed();
    if (chkRemindWork->isChecked() && (time.isEmpty() || team.isEmpty())) {
        Prompt::error(QStringLiteral("请选择提醒时间和提醒的班别！"));
        return;
    }
    if (chkRemindTomorrow->isChecked() && team.isEmpty()) {
        Prompt::error(QStringLiteral("请选择提醒的班别！"));
        return;
    }

    RecordsetPtr rs = ExecuteSql(QStringLiteral("select * from [参数设置]"), SqlMessage);
    if (IsSqlError(SqlMessage) || !rs) {
        Prompt::error(SqlMessage);
        return;
    }
    if (rs->Eof()) {
        Prompt::error(QStringLiteral("参数设置表中没有记录，设置没有保存！"));
        return;
    }
    const std::pair<const char*, QCheckBox*> flags[] = {
        {"自动运行", chkAutoStart},     {"迷你启动", chkMiniStart}, {"自动登陆", chkSavePassword},
        {"整点报时", chkRing},          {"按姓名排序", chkSort},    {"双击修改", chkClickEdit},
        {"显示欢迎", chkShowSplash},    {"更多节日", chkHoliday},   {"上班提醒", chkRemindWork},
        {"提醒明天", chkRemindTomorrow}};
    QList<std::pair<QString, QVariant>> values;
    for (const auto& [column, check] : flags)
        values.append({QString::fromUtf8(column), check->checkState() != Qt::Unchecked});
    values.append({QStringLiteral("提醒时间"), cboRemindTime->currentText()});
    values.append({QStringLiteral("提醒班别"), cboRemindTeam->currentText()});
    const int position = cboWDay->currentIndex();
    const QString reference = ShiftSchedule::referenceText(m_shownDate, position);
    if (position >= 0)
        values.append({QStringLiteral("标准工作日"), reference});
    // All columns go in one update: a missing column stops the save before anything is written.
    for (const auto& [column, value] : values) {
        if (!rs->SetValue(column, value)) {
            rs->CancelUpdate();
            Prompt::error(QStringLiteral("参数设置表中缺少字段“%1”，设置没有保存！").arg(column));
            return;
        }
    }
    if (!rs->Update()) {
        Prompt::error(rs->LastError());
        return;
    }
    rs->Close();

    AppSettingsRecord& s = AppSettings;
    s.AutoStart = chkAutoStart->isChecked();
    s.MiniStart = chkMiniStart->isChecked();
    s.SavePassword = chkSavePassword->isChecked();
    s.Ring = chkRing->isChecked();
    s.Sort = chkSort->isChecked();
    s.ClickEdit = chkClickEdit->isChecked();
    s.ShowSplash = chkShowSplash->isChecked();
    s.Holiday = chkHoliday->isChecked();
    s.RemindWork = chkRemindWork->isChecked();
    s.RemindTomorrow = chkRemindTomorrow->isChecked();
    s.RemindTime = cboRemindTime->currentText();
    s.RemindTeam = cboRemindTeam->currentText();
    if (position >= 0)
        s.WDay = reference;
    // Failures to write the entry are not reported and do not undo the saved settings.
    (void)AutoStartEntry::write(s.AutoStart, QCoreApplication::applicationFilePath(), ProgramFolder());
    close();
}

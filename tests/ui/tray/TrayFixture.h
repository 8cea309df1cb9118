#pragma once
// A program folder with wave files and no festival rows, a scripted prompt, a fake clock and a
// sound recorder; the tray window and options dialog are taken down again afterwards.
#include "core/AppSettings.h"
#include "core/JetSql.h"
#include "tests/support/FakeClock.h"
#include "tests/support/FakePrompt.h"
#include "tests/support/TempHome.h"
#include "tray/ui/frmOption.h"
#include "tray/ui/frmSystray.h"
#include "ui/main/mdiTobrin.h"

#include <QDir>
#include <QFile>
#include <QtTest>

struct TrayFixture {
    explicit TrayFixture(const QDateTime& now = QDateTime(QDate(2026, 6, 10), QTime(9, 30))) : clock(now) {
        AppSettings = AppSettingsRecord();
        QVERIFY2(home.ok(), "init tool");
        QVERIFY(home.raw(QStringLiteral("DELETE FROM [节日]")));
        QVERIFY(QDir(home.path()).mkpath(QStringLiteral("wave")));
        for (const char* name : {"Cuckoo.wav", "Notify.wav", "Del.wav"}) {
            QFile f(home.file(QStringLiteral("wave/") + QLatin1String(name)));
            QVERIFY(f.open(QIODevice::WriteOnly));
        }
    }
    ~TrayFixture() {
        delete frmSystray::instance();
        if (frmOption* o = frmOption::current())
            delete o;
        mdiTobrin::instance()->hide();
        mdiTobrin::instance()->setWindowState(Qt::WindowNoState);
        mdiTobrin::instance()->Tag.clear();
        QCoreApplication::processEvents();
    }
    void festival(const QString& code, const QString& name) {
        QVERIFY(home.raw(QStringLiteral("INSERT INTO [节日] ([日期],[节日名称]) VALUES (%1,%2)")
                             .arg(SqlQuote::text(code), SqlQuote::text(name))));
    }
    int popups() const {
        int n = 0;
        for (const auto& r : prompt.records)
            n += r.kind == FakePrompt::Record::Dialog && r.dialogName == QLatin1String("frmMSG");
        return n;
    }
    QString wave(const char* name) const {
        return home.path() + QStringLiteral("/wave/") + QLatin1String(name);
    }

    TempHome home;
    FakePrompt prompt;
    FakeClock clock;
    SoundRecorder sound;
};

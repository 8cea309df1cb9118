#pragma once
// A fresh program folder with a Tobrin.dat made by the project's own init tool, set as the
// program folder and database path for the test; the shared connection is closed again after.
#include <QString>
#include <QTemporaryDir>

class TempHome {
public:
    enum Content { Base, Demo };
    explicit TempHome(Content content = Base);
    ~TempHome();

    bool ok() const { return m_ok; }
    QString path() const { return m_dir.path(); }
    QString db() const;
    QString file(const QString& name) const;

    // Runs tobrin-initdb; false with the tool's output in `error` when it failed.
    static bool initDb(const QString& home, bool demo, QString* error);
    // Runs one statement with the engine directly (for fixtures: triggers, raw rows).
    bool raw(const QString& sql, QString* error = nullptr) const;

private:
    QTemporaryDir m_dir;
    bool m_ok = false;
};

// Records the wave files played instead of playing them.
#include "core/Sound.h"
#include <QStringList>
class SoundRecorder final : public SoundPlayer {
public:
    SoundRecorder() { SoundPlayer::install(this); }
    ~SoundRecorder() override { SoundPlayer::install(nullptr); }
    void play(const QString& path) override { played << path; }
    QStringList played;
};

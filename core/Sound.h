#pragma once
// Sound playback behind a small interface: the application installs a Qt Multimedia player,
// tests a recorder. Playing never blocks and is silent when the file is missing.
#include <QString>
#include <QStringList>

class SoundPlayer {
public:
    virtual ~SoundPlayer() = default;
    virtual void play(const QString& path) = 0;
    static void install(SoundPlayer* p); // not owned; nullptr → silent
    static SoundPlayer* installed();
};

void PlayWave(const QString& path);

// 0 Cuckoo.wav (hourly chime), 1 Notify.wav (reminder), 2 Del.wav (delete).
extern QStringList WaveFiles;
// Fills WaveFiles from the program folder.
void SetWaveFiles(const QString& programFolder);

#pragma once
// Sound playback behind a small interface: the application installs a Qt Multimedia player,
// tests a recorder. Playing never blocks.
#include <QString>
#include <QStringList>

class SoundPlayer {
public:
    virtual ~SoundPlayer() = default;
    virtual void play(const QString& path) = 0;
    static void install(SoundPlayer* p); // not owned; nullptr → silent
    static SoundPlayer* installed();
};

// Plays `path`, or the built-in copy of a wave file of that name when the file is missing;
// silent when there is neither.
void PlayWave(const QString& path);
// ":/wave/NAME" for a wave file the program carries built in, else empty.
QString BuiltInWave(const QString& path);

// 0 Cuckoo.wav (hourly chime), 1 Notify.wav (reminder), 2 Del.wav (delete).
extern QStringList WaveFiles;
// Fills WaveFiles from the program folder.
void SetWaveFiles(const QString& programFolder);

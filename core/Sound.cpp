#include "core/Sound.h"

#include <QFileInfo>

QStringList WaveFiles;

namespace {
SoundPlayer* player = nullptr;
}

void SoundPlayer::install(SoundPlayer* p) {
    player = p;
}
SoundPlayer* SoundPlayer::installed() {
    return player;
}

QString BuiltInWave(const QString& path) {
    const QString builtIn = QStringLiteral(":/wave/") + QFileInfo(path).fileName();
    return QFileInfo(builtIn).isFile() ? builtIn : QString();
}

void PlayWave(const QString& path) {
    if (!player)
        return;
    // A program folder without its wave files still sounds, with the copies built in.
    const QString file = QFileInfo(path).isFile() ? path : BuiltInWave(path);
    if (!file.isEmpty())
        player->play(file);
}

void SetWaveFiles(const QString& folder) {
    WaveFiles = {folder + QStringLiteral("/wave/Cuckoo.wav"), folder + QStringLiteral("/wave/Notify.wav"),
                 folder + QStringLiteral("/wave/Del.wav")};
}

#include "core/Sound.h"

#include <QFileInfo>

QStringList WaveFiles;

namespace {
SoundPlayer* player = nullptr;
}

void SoundPlayer::install(SoundPlayer* p) { player = p; }
SoundPlayer* SoundPlayer::installed() { return player; }

void PlayWave(const QString& path) {
    if (player && QFileInfo(path).isFile())
        player->play(path);
}

void SetWaveFiles(const QString& folder) {
    WaveFiles = {folder + QStringLiteral("/wave/Cuckoo.wav"), folder + QStringLiteral("/wave/Notify.wav"),
                 folder + QStringLiteral("/wave/Del.wav")};
}

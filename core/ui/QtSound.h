#pragma once
// Plays wave files with Qt Multimedia. Asynchronous; a sound still playing is not interrupted
// and a busy or missing device gives silence, never a wait.
#include "core/Sound.h"

#include <QHash>
#include <QObject>

class QSoundEffect;

class QtSound final : public QObject, public SoundPlayer {
public:
    explicit QtSound(QObject* parent = nullptr) : QObject(parent) {}
    void play(const QString& path) override;

private:
    QHash<QString, QSoundEffect*> m_effects;
};

#include "core/ui/QtSound.h"

#include <QSoundEffect>
#include <QUrl>

void QtSound::play(const QString& path) {
    QSoundEffect*& effect = m_effects[path];
    if (!effect) {
        effect = new QSoundEffect(this);
        effect->setSource(QUrl::fromLocalFile(path));
    }
    if (effect->isPlaying())
        return;
    effect->play();
}

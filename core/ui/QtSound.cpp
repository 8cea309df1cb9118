#include "core/ui/QtSound.h"

#include <QSoundEffect>
#include <QUrl>

void QtSound::play(const QString& path) {
    QSoundEffect*& effect = m_effects[path];
    if (!effect) {
        effect = new QSoundEffect(this);
        // Built-in copies are resources (":/wave/…").
        effect->setSource(path.startsWith(QLatin1String(":/")) ? QUrl(QStringLiteral("qrc") + path)
                                                               : QUrl::fromLocalFile(path));
    }
    if (effect->isPlaying())
        return;
    effect->play();
}

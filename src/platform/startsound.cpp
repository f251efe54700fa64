#include "startsound.h"

#include <QFileInfo>
#include <QSoundEffect>
#include <QTimer>
#include <QUrl>

StartSound::StartSound(QObject *parent)
    : QObject(parent)
{
}

void StartSound::play(const QString &file)
{
    // Like the system's "do not stop a playing sound": one greeting at a time.
    if (m_effect || !QFileInfo(file).isFile())
        return;
    QTimer::singleShot(DeferMs, this, [this, file] {
        m_effect = new QSoundEffect(this);
        m_effect->setSource(QUrl::fromLocalFile(file));
        // Starts as soon as the file is decoded; an error status plays nothing.
        m_effect->play();
    });
}

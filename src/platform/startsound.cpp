#include "startsound.h"

#include <QFileInfo>
#include <QSoundEffect>
#include <QTimer>
#include <QUrl>

StartSound::StartSound(QObject *parent)
    : QObject(parent)
{
}

// Qt plays sound through a PulseAudio server (PipeWire offers the same
// socket). Without one, bringing the audio back end up only prints warnings
// on every start, so a machine without a sound server plays nothing quietly.
bool StartSound::soundServerAvailable()
{
    if (!qEnvironmentVariableIsEmpty("PULSE_SERVER"))
        return true;
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    return (!runtime.isEmpty() && QFileInfo::exists(runtime + QStringLiteral("/pulse/native")))
        || QFileInfo::exists(QStringLiteral("/run/pulse/native"));
}

void StartSound::play(const QString &file)
{
    // Like the system's "do not stop a playing sound": one greeting at a time.
    if (m_effect || !QFileInfo(file).isFile() || !soundServerAvailable())
        return;
    QTimer::singleShot(DeferMs, this, [this, file] {
        m_effect = new QSoundEffect(this);
        m_effect->setSource(QUrl::fromLocalFile(file));
        // Starts as soon as the file is decoded; an error status plays nothing.
        m_effect->play();
    });
}

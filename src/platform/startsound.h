#pragma once

#include <QObject>
#include <QString>

class QSoundEffect;

// The greeting sound of the program. Playing returns at once; the audio
// back end is brought up only after start-up has had its turn, so neither a
// slow audio system nor a missing one delays the first window. A missing
// file or a machine without an audio device plays nothing and says nothing.
class StartSound : public QObject
{
public:
    explicit StartSound(QObject *parent = nullptr);

    void play(const QString &file);

    // Whether a sound server runs for this session; without one nothing is played.
    static bool soundServerAvailable();

    // How long after the call the audio back end is brought up.
    static constexpr int DeferMs = 150;

private:
    QSoundEffect *m_effect = nullptr;
};

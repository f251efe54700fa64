#pragma once

#include "storeerror.h"

#include <QString>
#include <QWidget>

#include <functional>

class QAudioOutput;
class QMediaPlayer;
class QVideoWidget;

// This system cannot play lesson movies: the message names what is missing.
class MediaUnavailable : public StoreError
{
public:
    using StoreError::StoreError;
};

// The lesson player's movie control: a WebM movie file played with its
// sound, the whole movie visible with its proportions kept, looping, and
// playing as soon as it is loaded. Positions are frame numbers counted from
// 0 at the movie's own frame rate, so stepping by ten frames is one second
// of a 10 fps lesson and less of a faster one.
//
// Making one raises MediaUnavailable when the system's media backend or the
// movie decoders are missing. A movie file that does not exist leaves the
// control empty, without a message.
class MoviePlayer : public QWidget
{
    Q_OBJECT

public:
    explicit MoviePlayer(QWidget *parent = nullptr);
    ~MoviePlayer() override;

    // The operations the lesson player uses.
    void setMovie(const QString &path);
    QString movie() const { return m_movie; }
    void Play();
    void Stop();
    void StopPlay();
    // Raises StoreError without a loaded movie.
    int FrameNum() const;
    // Frames below 0 or past the end go to the first or last frame.
    void GotoFrame(int frame);

    bool playOnLoad = true;
    bool loop = true;

    bool hasMovie() const;
    bool isPlaying() const;
    double frameRate() const { return m_frameRate; }
    // 0 until the movie's length is known.
    int totalFrames() const;
    QMediaPlayer *mediaPlayer() const { return m_player; }

    // Stops the movie and its sound and lets go of the file.
    void unload();

    // What this system lacks to play lesson movies, in Chinese; empty when
    // nothing is missing. Tests put their own check in its place.
    static std::function<QString()> &availabilityCheck();

    static constexpr double DefaultFrameRate = 10.0;

signals:
    // A new picture of the movie is on the screen.
    void frameShown();

private:
    void readFrameRate();

    QMediaPlayer *m_player = nullptr;
    QAudioOutput *m_audio = nullptr;
    QVideoWidget *m_video = nullptr;
    QString m_movie;
    double m_frameRate = DefaultFrameRate;
};

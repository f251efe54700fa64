#include "movieplayer.h"

#include <QAudioOutput>
#include <QFileInfo>
#include <QMediaFormat>
#include <QMediaMetaData>
#include <QMediaPlayer>
#include <QVBoxLayout>
#include <QVideoSink>
#include <QVideoWidget>

#include <cmath>

namespace {

QString checkSystem()
{
    QMediaPlayer probe;
    if (!probe.isAvailable())
        return QStringLiteral("Qt 多媒体的播放后端（GStreamer 插件，Debian 软件包 libqt6multimedia6）");
    // The backend lists the decoders it finds; it does not list the WebM
    // container among its formats, although it plays WebM files.
    QMediaFormat any;
    if (!any.supportedVideoCodecs(QMediaFormat::Decode).contains(QMediaFormat::VideoCodec::VP8))
        return QStringLiteral("VP8 视频解码组件（Debian 软件包 gstreamer1.0-plugins-good）");
    return {};
}

} // namespace

std::function<QString()> &MoviePlayer::availabilityCheck()
{
    // The system does not change while the program runs: asked once.
    static std::function<QString()> check = [] {
        static const QString missing = checkSystem();
        return missing;
    };
    return check;
}

MoviePlayer::MoviePlayer(QWidget *parent)
    : QWidget(parent)
{
    const QString missing = availabilityCheck()();
    if (!missing.isEmpty())
        throw MediaUnavailable(missing);

    setAccessibleName(QStringLiteral("课程视频"));
    m_video = new QVideoWidget(this);
    m_video->setAspectRatioMode(Qt::KeepAspectRatio);
    m_video->setAccessibleName(QStringLiteral("课程视频画面"));
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_video);
    QPalette black = palette();
    black.setColor(QPalette::Window, Qt::black);
    setPalette(black);
    setAutoFillBackground(true);

    m_player = new QMediaPlayer(this);
    m_audio = new QAudioOutput(this);
    m_player->setAudioOutput(m_audio);
    m_player->setVideoOutput(m_video);
    connect(m_player, &QMediaPlayer::metaDataChanged, this, [this] { readFrameRate(); });
    connect(m_video->videoSink(), &QVideoSink::videoFrameChanged, this, [this] { emit frameShown(); });
}

MoviePlayer::~MoviePlayer()
{
    unload();
}

void MoviePlayer::readFrameRate()
{
    const double rate = m_player->metaData().value(QMediaMetaData::VideoFrameRate).toDouble();
    m_frameRate = rate > 0 ? rate : DefaultFrameRate;
}

void MoviePlayer::setMovie(const QString &path)
{
    m_movie = path;
    m_frameRate = DefaultFrameRate;
    m_player->setLoops(loop ? QMediaPlayer::Infinite : 1);
    // A file that is not there gives an empty control, as the lesson folder
    // of an incomplete installation would; the candidate sees no movie.
    if (!QFileInfo(path).isFile()) {
        m_player->stop();
        m_player->setSource(QUrl());
        return;
    }
    m_player->setSource(QUrl::fromLocalFile(QFileInfo(path).absoluteFilePath()));
    if (playOnLoad)
        m_player->play();
}

bool MoviePlayer::hasMovie() const
{
    return !m_player->source().isEmpty();
}

bool MoviePlayer::isPlaying() const
{
    return m_player->playbackState() == QMediaPlayer::PlayingState;
}

void MoviePlayer::Play()
{
    if (hasMovie())
        m_player->play();
}

void MoviePlayer::Stop()
{
    if (hasMovie() && m_player->playbackState() == QMediaPlayer::PlayingState)
        m_player->pause();
}

void MoviePlayer::StopPlay()
{
    Stop();
}

int MoviePlayer::totalFrames() const
{
    return int(std::floor(double(m_player->duration()) * m_frameRate / 1000.0));
}

int MoviePlayer::FrameNum() const
{
    if (!hasMovie())
        throw StoreError(QStringLiteral("没有载入课程视频"));
    // Half a millisecond of slack: a position set to a frame's first
    // millisecond reads back as that frame.
    return int(std::floor((double(m_player->position()) + 0.5) * m_frameRate / 1000.0));
}

void MoviePlayer::GotoFrame(int frame)
{
    if (!hasMovie())
        throw StoreError(QStringLiteral("没有载入课程视频"));
    const int last = totalFrames() - 1;
    if (last >= 0 && frame > last)
        frame = last;
    if (frame < 0)
        frame = 0;
    m_player->setPosition(qint64(std::ceil(frame * 1000.0 / m_frameRate)));
}

void MoviePlayer::unload()
{
    if (!m_player)
        return;
    m_player->stop();
    m_player->setSource(QUrl());
}

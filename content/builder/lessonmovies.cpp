#include "lessonmovies.h"

#include "contentsources.h"
#include "lessonrecorder.h"
#include "lessonscript.h"
#include "storeerror.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtEndian>

#include <cmath>
#include <cstdio>
#include <numeric>
#include <memory>
#include <vector>

namespace LessonMovies {

namespace {

constexpr int SampleRate = 22050;

// The narration of one caption as 16-bit mono samples at SampleRate; empty
// when espeak-ng is not there (the movie is then silent).
QByteArray readWavSamples(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    const QByteArray wav = file.readAll();
    qsizetype at = 12;
    while (at + 8 <= wav.size()) {
        const QByteArray id = wav.mid(at, 4);
        qsizetype size = qFromLittleEndian<quint32>(wav.constData() + at + 4);
        // espeak-ng writes an open-ended data size when it streams.
        if (id == "data")
            return wav.mid(at + 8, std::min<qsizetype>(size, wav.size() - at - 8) & ~qsizetype(1));
        at += 8 + size + (size & 1);
    }
    return {};
}

void writeWav(const QString &path, const QByteArray &samples)
{
    QByteArray header(44, '\0');
    auto put32 = [&](int at, quint32 v) { qToLittleEndian<quint32>(v, header.data() + at); };
    auto put16 = [&](int at, quint16 v) { qToLittleEndian<quint16>(v, header.data() + at); };
    header.replace(0, 4, "RIFF");
    put32(4, quint32(36 + samples.size()));
    header.replace(8, 8, "WAVEfmt ");
    put32(16, 16);
    put16(20, 1);
    put16(22, 1);
    put32(24, SampleRate);
    put32(28, SampleRate * 2);
    put16(32, 2);
    put16(34, 16);
    header.replace(36, 4, "data");
    put32(40, quint32(samples.size()));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(header + samples) != header.size() + samples.size())
        throw StoreError(QStringLiteral("无法写入 %1：%2").arg(path, file.errorString()));
}

// Speaks every caption at once (one espeak-ng each), into folder/<i>.wav.
QList<QByteArray> narrate(const QList<LessonBeat> &beats, const QString &folder, bool *spoken)
{
    const QString espeak = QStandardPaths::findExecutable(QStringLiteral("espeak-ng"));
    QList<QByteArray> voices(beats.size());
    *spoken = !espeak.isEmpty();
    if (espeak.isEmpty())
        return voices;
    std::vector<std::unique_ptr<QProcess>> running;
    for (qsizetype i = 0; i < beats.size(); ++i) {
        auto process = std::make_unique<QProcess>();
        process->setProcessChannelMode(QProcess::ForwardedErrorChannel);
        process->start(espeak, {QStringLiteral("-v"), QStringLiteral("cmn"), QStringLiteral("-s"), QStringLiteral("290"),
                                QStringLiteral("-w"), QStringLiteral("%1/%2.wav").arg(folder).arg(i), beats.at(i).caption});
        running.push_back(std::move(process));
    }
    for (qsizetype i = 0; i < beats.size(); ++i) {
        running[i]->waitForFinished(30000);
        voices[i] = readWavSamples(QStringLiteral("%1/%2.wav").arg(folder).arg(i));
    }
    return voices;
}

void makeMovie(const LessonScript &script, const QString &target, const QString &programFolder, Report &report)
{
    QTemporaryDir work;
    if (!work.isValid())
        throw StoreError(QStringLiteral("无法创建临时文件夹：%1").arg(work.errorString()));
    bool spoken = false;
    const QList<QByteArray> voices = narrate(script.beats, work.path(), &spoken);
    if (!spoken)
        report.notes << QStringLiteral("%1：没有找到 espeak-ng，视频没有配音").arg(script.movie);

    // Each beat lasts as long as its narration and a short pause, and an
    // action beat long enough for the pointer to get there and click.
    const int fps = LessonRecorder::FramesPerSecond;
    QList<int> frames;
    QByteArray track;
    for (qsizetype i = 0; i < script.beats.size(); ++i) {
        const LessonBeat &beat = script.beats.at(i);
        const double seconds = voices.at(i).size() / 2.0 / SampleRate;
        int n = int(std::ceil((seconds + 0.3) * fps));
        const bool acts = beat.action != LessonBeat::Action::None && beat.action != LessonBeat::Action::Editor;
        n = std::max(n, acts ? LessonRecorder::ActionFrames : 2 * fps);
        frames.append(n);
        QByteArray part = voices.at(i);
        const qsizetype length = qsizetype(n) * SampleRate / fps * 2;
        part.resize(std::min(part.size(), length));
        part.append(QByteArray(length - part.size(), '\0'));
        track += part;
    }
    const QString wav = work.filePath(QStringLiteral("narration.wav"));
    writeWav(wav, track);

    const QString gst = QStandardPaths::findExecutable(QStringLiteral("gst-launch-1.0"));
    if (gst.isEmpty())
        throw StoreError(QStringLiteral("没有找到 gst-launch-1.0（Debian 软件包 gstreamer1.0-tools），无法编码课程视频"));
    const QString partial = target + QStringLiteral(".part");
    const QString pipeline =
        QStringLiteral("fdsrc fd=0 blocksize=%1 ! rawvideoparse width=%2 height=%3 format=bgrx framerate=%4/1 "
                       "! videoconvert ! video/x-raw,format=I420 "
                       "! vp8enc deadline=1 cpu-used=16 threads=1 static-threshold=100 target-bitrate=300000 keyframe-max-dist=20 "
                       "! queue max-size-time=0 max-size-bytes=0 max-size-buffers=0 ! webmmux name=mux "
                       "! filesink location=\"%5\" "
                       "filesrc location=\"%6\" ! wavparse ! audioconvert ! audioresample ! vorbisenc quality=0.1 "
                       "! queue max-size-time=0 max-size-bytes=0 max-size-buffers=0 ! mux.")
            .arg(LessonRecorder::Width * LessonRecorder::Height * 4)
            .arg(LessonRecorder::Width)
            .arg(LessonRecorder::Height)
            .arg(fps)
            .arg(partial, wav);
    QProcess encoder;
    encoder.setProcessChannelMode(QProcess::ForwardedChannels);
    encoder.start(gst, QStringList{QStringLiteral("-q"), QStringLiteral("-e")} + QProcess::splitCommand(pipeline));
    if (!encoder.waitForStarted(10000))
        throw StoreError(QStringLiteral("无法启动 %1：%2").arg(gst, encoder.errorString()));

    LessonRecorder recorder(programFolder);
    QElapsedTimer clock;
    clock.start();
    qint64 inSink = 0;
    const QStringList shownOnly = recorder.record(script, frames, [&](const QImage &frame) {
        const qint64 sinkStart = clock.nsecsElapsed();
        const QImage raw = frame.format() == QImage::Format_RGB32 ? frame : frame.convertToFormat(QImage::Format_RGB32);
        for (int y = 0; y < raw.height(); ++y)
            encoder.write(reinterpret_cast<const char *>(raw.constScanLine(y)), raw.width() * 4);
        // Bounded: the encoder takes the frames as they come.
        while (encoder.bytesToWrite() > 8 * 1024 * 1024 && encoder.state() == QProcess::Running)
            encoder.waitForBytesWritten(1000);
        inSink += clock.nsecsElapsed() - sinkStart;
    });
    if (qEnvironmentVariableIsSet("PELQUOR_LESSON_TIMES"))
        std::fprintf(stderr, "%s: %lld frames, recording %.1f s, writing %.1f s\n", qPrintable(script.movie),
                     std::accumulate(frames.begin(), frames.end(), 0LL), (clock.nsecsElapsed() - inSink) / 1e9, inSink / 1e9);
    for (const QString &caption : shownOnly)
        report.notes << QStringLiteral("%1：找不到操作的控件，只显示字幕：%2").arg(script.movie, caption);
    encoder.closeWriteChannel();
    if (!encoder.waitForFinished(300000) || encoder.exitStatus() != QProcess::NormalExit || encoder.exitCode() != 0) {
        encoder.kill();
        QFile::remove(partial);
        throw StoreError(QStringLiteral("课程视频 %1 编码失败（gst-launch-1.0 退出码 %2）").arg(script.movie).arg(encoder.exitCode()));
    }
    QFile::remove(target);
    if (!QFile::rename(partial, target))
        throw StoreError(QStringLiteral("无法写入课程视频 %1").arg(target));
}

} // namespace

Report build(const QString &sourcesFolder, const QString &lessonsFile, const QString &programFolder)
{
    Report report;
    const ContentSources sources = ContentSources::read(sourcesFolder);
    const QMap<QString, QStringList> blocks = LessonScripts::readBlocks(lessonsFile);
    const QDir lessonFolder(programFolder + QStringLiteral("/Vide1"));
    if (!QDir().mkpath(lessonFolder.path()))
        throw StoreError(QStringLiteral("无法创建文件夹 %1").arg(lessonFolder.path()));
    for (const ContentSources::Lesson &lesson : sources.lessons) {
        if (!blocks.contains(lesson.movie))
            report.notes << QStringLiteral("%1：课程脚本中没有这一课时，视频只有标题").arg(lesson.movie);
        const LessonScript script = LessonScripts::expand(lesson.movie, lesson.course, lesson.title,
                                                          blocks.value(lesson.movie), programFolder);
        const QString movie = lessonFolder.filePath(lesson.movie);
        const QString inputsFile = movie + QStringLiteral(".inputs");
        const QByteArray hash = LessonScripts::inputHash(script);
        QFile stored(inputsFile);
        if (QFile::exists(movie) && stored.open(QIODevice::ReadOnly) && stored.readAll().trimmed() == hash) {
            ++report.kept;
            continue;
        }
        stored.close();
        QFile::remove(inputsFile);
        makeMovie(script, movie, programFolder, report);
        QFile out(inputsFile);
        if (!out.open(QIODevice::WriteOnly) || out.write(hash + '\n') < 0)
            throw StoreError(QStringLiteral("无法写入 %1：%2").arg(inputsFile, out.errorString()));
        ++report.made;
    }
    return report;
}

} // namespace LessonMovies

// A start without a desktop session's runtime folder and without a sound
// server: both programs find a private folder of their own, and nothing is
// printed about either.
#include "runtimefolder.h"
#include "startsound.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>
#include <unistd.h>

namespace {

QStringList messages;

void collect(QtMsgType, const QMessageLogContext &, const QString &text)
{
    messages << text;
}

mode_t modeOf(const QString &path)
{
    struct stat st;
    return ::lstat(QFile::encodeName(path).constData(), &st) == 0 ? (st.st_mode & 0777) : 0;
}

} // namespace

class TestQuietStart : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void runtimeFolder_data();
    void runtimeFolder();
    void noSoundServerPlaysNothingQuietly();

private:
    QTemporaryDir m_dir;
    QByteArray m_runtimeBefore;
    QtMessageHandler m_handler = nullptr;
};

void TestQuietStart::init()
{
    m_runtimeBefore = qgetenv("XDG_RUNTIME_DIR");
    messages.clear();
    m_handler = qInstallMessageHandler(collect);
}

void TestQuietStart::cleanup()
{
    qInstallMessageHandler(m_handler);
    qputenv("XDG_RUNTIME_DIR", m_runtimeBefore);
}

void TestQuietStart::runtimeFolder_data()
{
    QTest::addColumn<QString>("given");  // "<none>", or a folder under the test's folder
    QTest::addColumn<int>("mode");       // of that folder; 0: not made
    QTest::addColumn<bool>("kept");
    QTest::newRow("not set") << "<none>" << 0 << false;
    QTest::newRow("missing folder") << "gone" << 0 << false;
    QTest::newRow("open to others") << "open" << 0755 << false;
    QTest::newRow("private") << "private" << 0700 << true;
}

// The folder in use is private (0700, the user's own) and Qt takes it
// without a word; a session's own private folder is kept as it is.
void TestQuietStart::runtimeFolder()
{
    QFETCH(QString, given);
    QFETCH(int, mode);
    QFETCH(bool, kept);
    const QString path = m_dir.filePath(given);
    if (given == u"<none>") {
        qunsetenv("XDG_RUNTIME_DIR");
    } else {
        if (mode) {
            QVERIFY(QDir().mkpath(path));
            QVERIFY(::chmod(QFile::encodeName(path).constData(), mode_t(mode)) == 0);
        }
        qputenv("XDG_RUNTIME_DIR", QFile::encodeName(path));
    }
    const QString folder = RuntimeFolder::ensure();
    QVERIFY(!folder.isEmpty());
    QCOMPARE(folder == path, kept);
    QCOMPARE(qEnvironmentVariable("XDG_RUNTIME_DIR"), folder);
    QCOMPARE(modeOf(folder), mode_t(0700));
    QCOMPARE(QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation), folder);
    QVERIFY2(messages.isEmpty(), qPrintable(messages.join(u'\n')));
    // The same folder on every start, so that a simulator started by the
    // program and one started by hand share it.
    QCOMPARE(RuntimeFolder::ensure(), folder);
}

void TestQuietStart::noSoundServerPlaysNothingQuietly()
{
    qunsetenv("PULSE_SERVER");
    qputenv("XDG_RUNTIME_DIR", QFile::encodeName(m_dir.path()));
    if (QFile::exists(QStringLiteral("/run/pulse/native")))
        QSKIP("a system-wide sound server runs here");
    QVERIFY(!StartSound::soundServerAvailable());

    // A valid, silent WAV file: 8 kHz mono, 16 bit, 800 samples.
    QByteArray wav;
    auto u32 = [&wav](quint32 v) { for (int i = 0; i < 4; ++i) wav.append(char((v >> (8 * i)) & 0xff)); };
    auto u16 = [&wav](quint16 v) { wav.append(char(v & 0xff)); wav.append(char(v >> 8)); };
    const quint32 data = 1600;
    wav += "RIFF"; u32(36 + data); wav += "WAVEfmt "; u32(16); u16(1); u16(1); u32(8000); u32(16000); u16(2); u16(16);
    wav += "data"; u32(data); wav += QByteArray(int(data), '\0');
    const QString file = m_dir.filePath(QStringLiteral("start.wav"));
    QFile out(file);
    QVERIFY(out.open(QIODevice::WriteOnly));
    out.write(wav);
    out.close();

    StartSound sound;
    sound.play(file);
    QTest::qWait(StartSound::DeferMs + 500);
    QVERIFY2(messages.isEmpty(), qPrintable(messages.join(u'\n')));
}

QTEST_GUILESS_MAIN(TestQuietStart)
#include "tst_quietstart.moc"

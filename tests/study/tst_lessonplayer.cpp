#include "forms.h"
#include "modules.h"
#include "movieplayer.h"
#include "picturebox.h"
#include "startup.h"
#include "studyfixture.h"
#include "studyforms.h"
#include "tmain.h"
#include "twlkt.h"
#include "twlkt2.h"

#include <QDir>
#include <QListWidget>
#include <QMediaPlayer>
#include <QPushButton>
#include <QTest>

// A real lesson movie of the content builder, played with the system's
// media backend under a virtual X server.
class TestLessonPlayer : public QObject
{
    Q_OBJECT

private slots:
    void playStepAndReturn();
};

void TestLessonPlayer::playStepAndReturn()
{
    TestBank bank;
    drawShellPictures(bank.folder());
    writePageTemplate(bank.folder());
    QDir(bank.folder()).mkpath(QStringLiteral("Vide1"));
    for (const QString &movie : {QStringLiteral("l1_1.webm"), QStringLiteral("l1_2.webm")})
        QVERIFY(QFile::copy(QStringLiteral(LESSON_FOLDER "/") + movie, bank.folder() + QStringLiteral("Vide1/") + movie));
    addTitleRow(bank, QStringLiteral("wlkt"), 1, QStringLiteral("第1课 基本操作"), QStringLiteral("<p>课程</p>"));
    addLesson(bank, QStringLiteral("第1课 基本操作"), QStringLiteral("1-1 启动"), QStringLiteral("l1_1.webm"));
    addLesson(bank, QStringLiteral("第1课 基本操作"), QStringLiteral("1-2 窗口"), QStringLiteral("l1_2.webm"));

    const Modules::Factories saved = Modules::factories();
    StudyForms::install();
    Startup::createWindows();
    Forms::main->show();
    QVERIFY(QTest::qWaitForWindowExposed(Forms::main));
    QTest::mouseClick(Forms::main->navigationButton(2), Qt::LeftButton, {}, QPoint(5, 5));
    ModalAnswer boxes([](QWidget *modal) { modal->close(); });

    QTest::mouseClick(StudyForms::classroom()->Button4, Qt::LeftButton);
    auto players = Forms::main->Panel3->findChildren<Twlkt2 *>(Qt::FindDirectChildrenOnly);
    QCOMPARE(players.size(), 1);
    Twlkt2 *player = players.first();
    MoviePlayer *movie = player->ShockwaveFlash1;

    // It plays: pictures arrive and the frame number moves on.
    int pictures = 0;
    connect(movie, &MoviePlayer::frameShown, this, [&] { ++pictures; });
    QTRY_VERIFY_WITH_TIMEOUT(movie->isPlaying(), 5000);
    QTRY_VERIFY_WITH_TIMEOUT(movie->FrameNum() >= 15, 10000);
    QVERIFY(pictures >= 5);
    QVERIFY(movie->frameRate() >= 10);
    QVERIFY(movie->totalFrames() > 40);

    // Stopped, it stays on its frame; ten frames on and back, by the number.
    QTest::mouseClick(player->BitBtn2, Qt::LeftButton);
    QTRY_VERIFY(!movie->isPlaying());
    const int at = movie->FrameNum();
    QTest::qWait(300);
    QCOMPARE(movie->FrameNum(), at);
    QTest::mouseClick(player->BitBtn4, Qt::LeftButton);
    const int forward = movie->FrameNum();
    QVERIFY2(forward >= at + 10 && forward <= at + 12, qPrintable(QStringLiteral("%1 -> %2").arg(at).arg(forward)));
    QTest::mouseClick(player->BitBtn2, Qt::LeftButton);
    const int stopped = movie->FrameNum();
    QTest::mouseClick(player->BitBtn3, Qt::LeftButton);
    const int back = movie->FrameNum();
    QVERIFY2(back >= stopped - 10 && back <= stopped - 8, qPrintable(QStringLiteral("%1 -> %2").arg(stopped).arg(back)));
    QTRY_VERIFY(movie->isPlaying());

    // Below the first frame and past the last: no message, the movie goes on.
    QTest::mouseClick(player->BitBtn2, Qt::LeftButton);
    movie->GotoFrame(3);
    QTest::mouseClick(player->BitBtn3, Qt::LeftButton);
    QVERIFY(movie->FrameNum() <= 2);
    movie->GotoFrame(movie->totalFrames() - 2);
    QTest::mouseClick(player->BitBtn4, Qt::LeftButton);
    QTest::qWait(200);
    QVERIFY(!boxes.answered());

    // The next lesson loads its own movie.
    QTest::mouseClick(player->BitBtn6, Qt::LeftButton);
    QVERIFY(movie->movie().endsWith(QStringLiteral("l1_2.webm")));
    QTRY_VERIFY_WITH_TIMEOUT(movie->isPlaying() && movie->FrameNum() >= 3, 10000);

    // "返回": the index is in front again and nothing plays any more.
    QTest::mouseClick(player->BitBtn7, Qt::LeftButton);
    QVERIFY(!player->isVisible());
    QCOMPARE(movie->mediaPlayer()->playbackState(), QMediaPlayer::StoppedState);
    QVERIFY(!movie->hasMovie());
    QVERIFY(StudyForms::classroom()->isVisible());
    const int after = pictures;
    QTest::qWait(300);
    QCOMPARE(pictures, after);
    QVERIFY(!boxes.answered());

    Startup::destroyWindows();
    Modules::factories() = saved;
}

QTEST_MAIN(TestLessonPlayer)
#include "tst_lessonplayer.moc"

#include "shellart.h"

#include <QTest>

// The pictures built into the program: compiled in at build time as raw
// pixels, read back exactly; data of another form is refused, and the
// picture is then drawn instead.
class TestShellArt : public QObject
{
    Q_OBJECT

private slots:
    void builtInPicturesAreTheDrawnOnes_data();
    void builtInPicturesAreTheDrawnOnes();
    void malformedRawIsRefused_data();
    void malformedRawIsRefused();
};

void TestShellArt::builtInPicturesAreTheDrawnOnes_data()
{
    QTest::addColumn<QPixmap>("builtIn");
    QTest::addColumn<QPixmap>("drawn");
    QTest::newRow("main") << ShellArt::mainBackground() << ShellArt::drawMainBackground();
    QTest::newRow("banner") << ShellArt::serviceBanner() << ShellArt::drawServiceBanner();
    QTest::newRow("strip") << ShellArt::titleStrip() << ShellArt::drawTitleStrip();
    QTest::newRow("exit") << ShellArt::exitQuestion() << ShellArt::drawExitQuestion();
}

void TestShellArt::builtInPicturesAreTheDrawnOnes()
{
    QFETCH(QPixmap, builtIn);
    QFETCH(QPixmap, drawn);
    QCOMPARE(builtIn.size(), drawn.size());
    const QImage a = builtIn.toImage().convertToFormat(QImage::Format_RGB32);
    const QImage b = drawn.toImage().convertToFormat(QImage::Format_RGB32);
    const QByteArray raw = ShellArt::toRaw(b);
    QCOMPARE(ShellArt::fromRaw(raw), b);
    QCOMPARE(ShellArt::viewRaw(raw), b);
    // Pixels that do not start on a 32-bit word are copied, not misread.
    const QByteArray shifted = ' ' + raw;
    QCOMPARE(ShellArt::viewRaw(QByteArrayView(shifted).sliced(1)), b);
    // Text may be anti-aliased a little differently; the picture is the same.
    int differing = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x)
            differing += a.pixel(x, y) != b.pixel(x, y);
    QVERIFY2(differing < a.width() * a.height() / 100, qPrintable(QString::number(differing)));
}

void TestShellArt::malformedRawIsRefused_data()
{
    QTest::addColumn<QByteArray>("raw");
    const QByteArray good = ShellArt::toRaw(QImage(3, 2, QImage::Format_RGB32));
    QTest::newRow("empty") << QByteArray();
    QTest::newRow("short") << good.left(good.size() - 1);
    QTest::newRow("long") << good + 'x';
    QTest::newRow("zero size") << ShellArt::toRaw(QImage());
}

void TestShellArt::malformedRawIsRefused()
{
    QFETCH(QByteArray, raw);
    QVERIFY(ShellArt::fromRaw(raw).isNull());
    QVERIFY(ShellArt::viewRaw(raw).isNull());
}

QTEST_MAIN(TestShellArt)
#include "tst_shellart.moc"

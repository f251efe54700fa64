#include "startpath.h"

#include <QTest>

class TestSimulatorModel : public QObject
{
    Q_OBJECT

private slots:
    void questionFromStartedPath_data();
    void questionFromStartedPath();
};

void TestSimulatorModel::questionFromStartedPath_data()
{
    QTest::addColumn<QString>("started");
    QTest::addColumn<QString>("th");
    QTest::addColumn<QString>("programFolder");
    QTest::newRow("host's path") << QStringLiteral("/opt/app/ovti/金山演示101/ov") << QStringLiteral("101") << QStringLiteral("/opt/app/");
    QTest::newRow("dots in the path") << QStringLiteral("/opt/x/../app/ovti/金山演示612/./ov") << QStringLiteral("612") << QStringLiteral("/opt/app/");
    QTest::newRow("leading zero") << QStringLiteral("/a/ovti/金山演示0101/ov") << QStringLiteral("101") << QStringLiteral("/a/");
    QTest::newRow("not a question folder") << QStringLiteral("/usr/bin/pelquor-simulator") << QString() << QStringLiteral("/");
    QTest::newRow("no number") << QStringLiteral("/a/ovti/金山演示/ov") << QString() << QStringLiteral("/a/");
}

void TestSimulatorModel::questionFromStartedPath()
{
    QFETCH(QString, started);
    QFETCH(QString, th);
    QFETCH(QString, programFolder);
    QCOMPARE(StartPath::questionNumber(started), th);
    QCOMPARE(StartPath::programFolder(started), programFolder);
}

QTEST_GUILESS_MAIN(TestSimulatorModel)
#include "tst_simulatormodel.moc"

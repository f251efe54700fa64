// The simulator's verdict against a bank that cannot take the write at once:
// another program holds the file, or the file cannot be written at all.

#include "connection.h"
#include "simbank.h"
#include "testbank.h"
#include "verdictrecorder.h"

#include <QFile>
#include <QSignalSpy>
#include <QTest>

class TestVerdictRecorder : public QObject
{
    Q_OBJECT

private slots:
    void pendingUntilTheBankIsFree_data();
    void pendingUntilTheBankIsFree();
    void flushOnTheWayOut();

private:
    QString column(TestBank &bank, const char *name)
    {
        return bank.value(QStringLiteral("select %1 as v from sbsti where th='101'").arg(QString::fromUtf8(name)));
    }
};

void TestVerdictRecorder::pendingUntilTheBankIsFree_data()
{
    QTest::addColumn<QString>("dqwz");
    QTest::addColumn<QByteArray>("column");
    QTest::addColumn<QString>("recorded");
    QTest::newRow("practice") << QStringLiteral("0") << QByteArray("zt") << QStringLiteral("已完成");
    QTest::newRow("exam") << QStringLiteral("2") << QByteArray("ks") << QStringLiteral("1");
}

// While another program holds the bank the verdict waits; the candidate is
// told of the completion only once it is written, and it is written as soon
// as the bank is free again.
void TestVerdictRecorder::pendingUntilTheBankIsFree()
{
    QFETCH(QString, dqwz);
    QFETCH(QByteArray, column);
    QFETCH(QString, recorded);
    TestBank bank;
    bank.addQuestion(1, QStringLiteral("101"), QStringLiteral("基本操作"), QStringLiteral("dqwz=") + dqwz);
    SimBank simBank(bank.folder(), QStringLiteral("101"));
    simBank.open();
    const SimBank::Row row = simBank.read();
    VerdictRecorder recorder(simBank, row.mode);
    QSignalSpy completed(&recorder, &VerdictRecorder::completed);
    QSignalSpy delayed(&recorder, &VerdictRecorder::delayed);

    Connection other(bank.connectionString());
    other.open();
    other.exec(QStringLiteral("begin exclusive"));
    QVERIFY(!recorder.update(true));
    QVERIFY(recorder.isPending());
    QCOMPARE(delayed.count(), 1);
    QVERIFY2(delayed.at(0).at(0).toString().contains(QStringLiteral("locked")), qPrintable(delayed.at(0).at(0).toString()));
    QTest::qWait(3 * VerdictRecorder::RetryMs);
    QCOMPARE(delayed.count(), 1);  // said once, however often it is tried
    other.exec(QStringLiteral("commit"));
    other.close();

    QTRY_VERIFY(!recorder.isPending());
    QCOMPARE(this->column(bank, column.constData()), recorded);
    QCOMPARE(completed.count(), dqwz == u"0" ? 1 : 0);
    QVERIFY(!recorder.update(true));
    QCOMPARE(completed.count(), dqwz == u"0" ? 1 : 0);
}

// A simulator being closed tries its pending verdict for a bounded time and
// writes it as soon as the bank lets it.
void TestVerdictRecorder::flushOnTheWayOut()
{
    TestBank bank;
    bank.addQuestion(1, QStringLiteral("101"), QStringLiteral("基本操作"), QStringLiteral("dqwz=0"));
    SimBank simBank(bank.folder(), QStringLiteral("101"));
    simBank.open();
    VerdictRecorder recorder(simBank, simBank.read().mode);

    Connection other(bank.connectionString());
    other.open();
    other.exec(QStringLiteral("begin exclusive"));
    QVERIFY(!recorder.update(true));
    QVERIFY(!recorder.flush(600));
    QVERIFY(recorder.isPending());
    other.exec(QStringLiteral("commit"));
    QVERIFY(recorder.flush(600));
    QCOMPARE(column(bank, "zt"), QStringLiteral("已完成"));
}

QTEST_GUILESS_MAIN(TestVerdictRecorder)
#include "tst_verdictrecorder.moc"

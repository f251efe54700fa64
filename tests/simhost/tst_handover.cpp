// The host's hand-overs to the simulators through the single-row tables.
#include "connection.h"
#include "handover.h"
#include "query.h"
#include "testbank.h"

#include <QTest>

class TestHandover : public QObject
{
    Q_OBJECT

private slots:
    void singleRowWrites_data();
    void singleRowWrites();
    void positions_data();
    void positions();
};

void TestHandover::singleRowWrites_data()
{
    QTest::addColumn<QString>("table");
    QTest::addColumn<QString>("firstValue");
    QTest::addColumn<QString>("secondValue");
    QTest::newRow("practice panel, jl") << "jl" << "307,159" << "12,-4";
    QTest::newRow("exam panel, jl1") << "jl1" << "117,81" << "245,209";
    QTest::newRow("input method, srf") << "srf" << "英文输入法" << "智能拼音";
}

// The first write creates the table's row, later writes change that row.
void TestHandover::singleRowWrites()
{
    QFETCH(QString, table);
    QFETCH(QString, firstValue);
    QFETCH(QString, secondValue);
    TestBank bank;
    Connection connection(bank.connectionString());
    connection.open();
    Query query(connection);

    auto write = [&](const QString &value) {
        if (table == u"srf") {
            Handover::writeInputMethod(query, value);
            return;
        }
        const QStringList xy = value.split(u',');
        const QPoint position(xy.at(0).toInt(), xy.at(1).toInt());
        table == u"jl" ? Handover::writePracticePanelPosition(query, position)
                       : Handover::writeExamPanelPosition(query, position);
    };
    const QString stored = table == u"srf" ? QStringLiteral("select srf as v from srf")
                                           : QStringLiteral("select jl || ',' || jl1 as v from %1").arg(table);
    for (const QString &value : {firstValue, secondValue}) {
        write(value);
        QCOMPARE(bank.value(stored), value);
        QCOMPARE(bank.value(QStringLiteral("select count(*) as v from %1").arg(table)), QStringLiteral("1"));
    }
    QVERIFY(!query.isOpen());
}

void TestHandover::positions_data()
{
    QTest::addColumn<QPoint>("computed");
    QTest::addColumn<QPoint>("expected");
    QTest::newRow("practice, main window at (100, 50)")
        << Handover::practicePanelPosition(QPoint(100, 50), 198) << QPoint(307, 159);
    QTest::newRow("practice, main window at the origin")
        << Handover::practicePanelPosition(QPoint(0, 0), 198) << QPoint(207, 109);
    QTest::newRow("exam, 1024 × 768") << Handover::examPanelPosition(QSize(1024, 768)) << QPoint(117, 81);
    QTest::newRow("exam, odd screen 1365 × 767") << Handover::examPanelPosition(QSize(1365, 767)) << QPoint(287, 80);
}

void TestHandover::positions()
{
    QFETCH(QPoint, computed);
    QFETCH(QPoint, expected);
    QCOMPARE(computed, expected);
}

QTEST_MAIN(TestHandover)
#include "tst_handover.moc"

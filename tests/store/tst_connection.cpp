#include "connection.h"
#include "programfolder.h"
#include "query.h"
#include "statements.h"
#include "storeerror.h"
#include "testbank.h"

#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

class TestConnection : public QObject
{
    Q_OBJECT

private slots:
    void connectionString();
    void programFolderWithSeparators_data();
    void programFolderWithSeparators();
    void openFailures_data();
    void openFailures();
    void shellOpensTheBankWithThePasswordOnly();
    void reopenSeesAnotherProcessWrites();
    void concurrentWritesFromASimulator();
    void damagedKeyStoreFallsBackToThePassword();
    void oneKeyFilePerBank();
    void programFolderPaths();
};

void TestConnection::connectionString()
{
    const QString s = Connection::connectionStringFor(QStringLiteral("/opt/pelquor/"));
    QCOMPARE(s, QStringLiteral("Provider=Microsoft.Jet.OLEDB.4.0;Data Source=/opt/pelquor/data/orva.mdb;"
                               "Persist Security Info=False;Jet OLEDB:Database Password=qmvrtpzkdsnbhfgwxe73"));
    Connection connection(s);
    QCOMPARE(connection.dataSource(), QStringLiteral("/opt/pelquor/data/orva.mdb"));
}

// A program folder may be named anything the file system allows; the bank
// inside it opens whatever the folder's name holds.
void TestConnection::programFolderWithSeparators_data()
{
    QTest::addColumn<QString>("name");
    QTest::newRow("semicolon") << "a;b";
    QTest::newRow("semicolon and equals") << "Data Source=x;y";
    QTest::newRow("double quote") << "say \"hi\";";
    QTest::newRow("both quotes") << "it's \"x\";";
}

void TestConnection::programFolderWithSeparators()
{
    QFETCH(QString, name);
    TestBank bank;
    const QString folder = bank.folder() + name + u'/';
    QVERIFY(QDir().mkpath(folder + QStringLiteral("data")));
    QVERIFY(QFile::copy(bank.databasePath(), folder + QStringLiteral("data/orva.mdb")));
    Connection connection(Connection::connectionStringFor(folder));
    QCOMPARE(connection.dataSource(), folder + QStringLiteral("data/orva.mdb"));
    connection.open();
    QVERIFY(connection.isOpen());
}

void TestConnection::openFailures_data()
{
    QTest::addColumn<QString>("source");
    QTest::addColumn<QString>("password");
    QTest::addColumn<QString>("message");
    QTest::newRow("wrong password") << "data/orva.mdb" << "wrong" << "file is encrypted or is not a database";
    QTest::newRow("no password") << "data/orva.mdb" << "" << "file is encrypted or is not a database";
    QTest::newRow("missing file") << "data/none.mdb" << "qmvrtpzkdsnbhfgwxe73" << "unable to open database file";
}

void TestConnection::openFailures()
{
    QFETCH(QString, source);
    QFETCH(QString, password);
    QFETCH(QString, message);
    TestBank bank;
    Connection connection(QStringLiteral("Provider=x;Data Source=%1%2;Jet OLEDB:Database Password=%3")
                              .arg(bank.folder(), source, password));
    try {
        connection.open();
        QFAIL("opened");
    } catch (const StoreError &error) {
        QVERIFY2(error.message().startsWith(message), qPrintable(error.message()));
        QVERIFY2(error.message().contains(source), qPrintable(error.message()));
    }
    QVERIFY(!connection.isOpen());
    QVERIFY(!QFile::exists(bank.folder() + QStringLiteral("data/none.mdb")));
}

// Authors inspect the bank with the sqlcipher shell and PRAGMA key, nothing else.
void TestConnection::shellOpensTheBankWithThePasswordOnly()
{
    TestBank bank;
    bank.exec(QStringLiteral("insert into sbslist (id, list) values (1, '基本操作')"));
    auto shell = [&](const QString &script) {
        QProcess process;
        process.start(QStringLiteral(SQLCIPHER_SHELL), {bank.databasePath()});
        process.write(script.toUtf8());
        process.closeWriteChannel();
        process.waitForFinished(10000);
        return QString::fromUtf8(process.readAllStandardOutput() + process.readAllStandardError()).trimmed();
    };
    const QString keyed = shell(QStringLiteral("PRAGMA key='qmvrtpzkdsnbhfgwxe73';\nselect list from sbslist;\n"));
    QVERIFY2(keyed.endsWith(QStringLiteral("基本操作")) && !keyed.contains(QStringLiteral("Error")), qPrintable(keyed));
    const QString unkeyed = shell(QStringLiteral("select list from sbslist;\n"));
    QVERIFY2(unkeyed.contains(QStringLiteral("not a database")), qPrintable(unkeyed));

    QFile file(bank.databasePath());
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    QVERIFY(!bytes.startsWith("SQLite format 3"));
    QVERIFY(!bytes.contains(QStringLiteral("基本操作").toUtf8()));
}

void TestConnection::reopenSeesAnotherProcessWrites()
{
    TestBank bank;
    bank.addQuestion(1, QStringLiteral("101"), QStringLiteral("基本操作"));
    Connection connection(bank.connectionString());
    Query query(connection);
    for (const QString &expected : {QString(), QStringLiteral("w3")}) {
        connection.open();
        query.setSql(Sql::questionByNumber(QStringLiteral("101")));
        query.open();
        QCOMPARE(query.fieldText(QStringLiteral("zt")), expected);
        query.close();
        connection.close();
        QCOMPARE(QProcess::execute(QStringLiteral(BANKWRITER), {bank.folder(), QStringLiteral("3")}), 0);
    }
}

// A simulator writes `zt` of the row while this process keeps reading and
// posting `xz` of the same row: no lock error and no lost column.
void TestConnection::concurrentWritesFromASimulator()
{
    TestBank bank;
    bank.addQuestion(1, QStringLiteral("101"), QStringLiteral("基本操作"));
    QProcess writer;
    writer.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    writer.start(QStringLiteral(BANKWRITER), {bank.folder(), QStringLiteral("400")});
    QVERIFY(writer.waitForStarted());

    Connection connection(bank.connectionString());
    Query query(connection);
    int posts = 0;
    while (writer.state() != QProcess::NotRunning || posts < 20) {
        connection.open();
        query.setSql(Sql::questionByNumber(QStringLiteral("101")));
        query.open();
        query.edit();
        query.setField(QStringLiteral("xz"), QString::number(++posts % 2));
        query.post();
        query.close();
        connection.close();
        writer.waitForFinished(1);
    }
    QCOMPARE(writer.exitStatus(), QProcess::NormalExit);
    QCOMPARE(writer.exitCode(), 0);
    QCOMPARE(bank.value(QStringLiteral("select zt || '/' || xz as v from sbsti")),
             QStringLiteral("w400/%1").arg(posts % 2));
}

// Another process finds the key in the user's runtime folder; a key there
// that does not fit must not lock the candidate out of the bank.
void TestConnection::damagedKeyStoreFallsBackToThePassword()
{
    TestBank bank;
    bank.addQuestion(1, QStringLiteral("101"), QStringLiteral("基本操作"));
    Connection connection(bank.connectionString());
    connection.open();
    const QDir runtime(QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation));
    const QStringList keys = runtime.entryList({QStringLiteral("pelquor-key-*")}, QDir::Files);
    QVERIFY(!keys.isEmpty());
    for (const QString &name : keys) {
        QFile file(runtime.filePath(name));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(QByteArray(64, 'a'));
    }
    QCOMPARE(QProcess::execute(QStringLiteral(BANKWRITER), {bank.folder(), QStringLiteral("1")}), 0);
    QCOMPARE(bank.value(QStringLiteral("select zt as v from sbsti")), QStringLiteral("w1"));
    // The store is mended for the processes that come after.
    bool mended = false;
    for (const QString &name : runtime.entryList({QStringLiteral("pelquor-key-*")}, QDir::Files)) {
        QFile file(runtime.filePath(name));
        mended = mended || (file.open(QIODevice::ReadOnly) && file.readAll() != QByteArray(64, 'a'));
    }
    QVERIFY(mended);
}

// A bank rebuilt at the same path replaces its key file, two banks keep one
// each, and the key of a bank that is gone leaves with the next key written.
void TestConnection::oneKeyFilePerBank()
{
    QTemporaryDir runtime;
    const QByteArray before = qgetenv("XDG_RUNTIME_DIR");
    qputenv("XDG_RUNTIME_DIR", QFile::encodeName(runtime.path()));
    auto keyFiles = [&runtime] {
        return QDir(runtime.path()).entryList({QStringLiteral("pelquor-key-*")}, QDir::Files).size();
    };
    // A file left by an earlier release, in a form the store cannot read.
    QFile old(runtime.filePath(QStringLiteral("pelquor-key-0123456789abcdef0123456789abcdef")));
    QVERIFY(old.open(QIODevice::WriteOnly));
    old.write(QByteArray(64, 'b'));
    old.close();
    {
        auto first = std::make_unique<TestBank>();
        const QString firstBank = first->databasePath();
        // Each process derives the key of a rebuilt bank once: the fixture's
        // bank is rebuilt three times in place, each time with a new salt.
        for (int build = 0; build < 3; ++build) {
            QVERIFY(QFile::remove(firstBank));
            QVERIFY(QFile::copy(TestBank().databasePath(), firstBank));
            QCOMPARE(QProcess::execute(QStringLiteral(BANKWRITER), {first->folder(), QStringLiteral("0")}), 0);
            QCOMPARE(keyFiles(), 1);
        }
        TestBank second;
        QCOMPARE(QProcess::execute(QStringLiteral(BANKWRITER), {second.folder(), QStringLiteral("0")}), 0);
        QCOMPARE(keyFiles(), 2);
        first.reset();  // the first bank is deleted
        TestBank third;
        QCOMPARE(QProcess::execute(QStringLiteral(BANKWRITER), {third.folder(), QStringLiteral("0")}), 0);
        QCOMPARE(keyFiles(), 2);
    }
    if (before.isNull())
        qunsetenv("XDG_RUNTIME_DIR");
    else
        qputenv("XDG_RUNTIME_DIR", before);
}

void TestConnection::programFolderPaths()
{
    ProgramFolder::setPath(QStringLiteral("/opt/pelquor"));
    QCOMPARE(ProgramFolder::path(), QStringLiteral("/opt/pelquor/"));
    QCOMPARE(ProgramFolder::file(QStringLiteral("ov.html")), QStringLiteral("/opt/pelquor/ov.html"));
    QCOMPARE(ProgramFolder::simulatorProgram(QStringLiteral("101")), QStringLiteral("/opt/pelquor/ovti/金山演示101/ov"));
    ProgramFolder::setPath({});
    QVERIFY(ProgramFolder::path().endsWith(u'/'));
    QVERIFY(ProgramFolder::path() != QStringLiteral("/opt/pelquor/"));
}

QTEST_GUILESS_MAIN(TestConnection)
#include "tst_connection.moc"

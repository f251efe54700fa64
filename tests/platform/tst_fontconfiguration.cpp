// The program's own font configuration must resolve every face the screens
// and the simulator's slides ask for, and must draw Chinese in a plain face
// where the asked-for face has no Chinese.
#include "fontconfiguration.h"

#include <QFontInfo>
#include <QGuiApplication>
#include <QTest>
#include <QTextLayout>

class tst_FontConfiguration : public QObject
{
    Q_OBJECT

private slots:
    void resolvesFaces_data()
    {
        QTest::addColumn<QString>("asked");
        QTest::addColumn<QString>("drawn");
        QTest::newRow("plain Chinese face") << "Noto Sans CJK SC" << "Noto Sans CJK SC";
        QTest::newRow("serif Chinese face") << "Noto Serif CJK SC" << "Noto Serif CJK SC";
        QTest::newRow("Ming face") << "AR PL UMing CN" << "AR PL UMing CN";
        QTest::newRow("Kai face") << "AR PL UKai CN" << "AR PL UKai CN";
        QTest::newRow("Arial by its metric twin") << "Arial" << "Nimbus Sans";
        QTest::newRow("Times New Roman by its metric twin") << "Times New Roman" << "Nimbus Roman";
        QTest::newRow("Courier New by its metric twin") << "Courier New" << "Nimbus Mono PS";
        QTest::newRow("unknown face by the sans-serif one") << "Wingdings" << "DejaVu Sans";
    }

    void resolvesFaces()
    {
        QFETCH(QString, asked);
        QFETCH(QString, drawn);
        // Qt names the foundry too where a family comes from several
        // ("Nimbus Sans [UKWN]"): the metric twins' files name two.
        QCOMPARE(QFontInfo(QFont(asked)).family().section(QStringLiteral(" ["), 0, 0), drawn);
    }

    void chineseFallsBackToThePlainFace_data()
    {
        QTest::addColumn<QString>("asked");
        QTest::newRow("Latin face") << "Arial";
        QTest::newRow("unknown face") << "Wingdings";
    }

    void chineseFallsBackToThePlainFace()
    {
        QFETCH(QString, asked);
        QTextLayout layout(QStringLiteral("年度工作总结"), QFont(asked));
        layout.beginLayout();
        layout.createLine();
        layout.endLayout();
        const QList<QGlyphRun> runs = layout.glyphRuns();
        QVERIFY(!runs.isEmpty());
        for (const QGlyphRun &run : runs)
            QCOMPARE(run.rawFont().familyName(), QStringLiteral("Noto Sans CJK SC"));
    }
};

int main(int argc, char *argv[])
{
    FontConfiguration::useOwn();  // before the application, as the programs do
    QGuiApplication app(argc, argv);
    tst_FontConfiguration test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_fontconfiguration.moc"

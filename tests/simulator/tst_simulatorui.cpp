#include "editorwindow.h"
#include "simulatorfolders.h"

#include <QMenu>
#include <QMenuBar>
#include <QTest>

// The imitation as the candidate uses it, with the guide on.
class TestSimulatorUi : public QObject
{
    Q_OBJECT

private slots:
    void guidedMenuStaysOpen();
};

// The guide moves on when a menu opens; the menu must stay open for the
// command the guide names next.
void TestSimulatorUi::guidedMenuStaysOpen()
{
    EditorWindow window(deriveTask(QStringLiteral("101"), QStringLiteral("启动金山演示2005，新建一个空白演示文稿。")));
    window.setGuideEnabled(true);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QMenuBar *bar = window.menuBar();
    QAction *file = bar->actions().value(0);
    QVERIFY(file && file->text() == QStringLiteral("文件"));
    QTest::mouseClick(bar, Qt::LeftButton, {}, bar->actionGeometry(file).center());
    QMenu *menu = file->menu();
    QTRY_VERIFY(menu->isVisible());
    QTest::qWait(200);
    QVERIFY(menu->isVisible());
    QVERIFY(menu->activeAction() && menu->activeAction()->text().startsWith(QStringLiteral("新建")));
    menu->close();
}

QTEST_MAIN(TestSimulatorUi)
#include "tst_simulatorui.moc"

#include "commanddialog.h"
#include "editorwindow.h"
#include "session.h"
#include "simulatorfolders.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTest>

// The imitation as the candidate uses it, with the guide on.
class TestSimulatorUi : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void guidedMenuStaysOpen();
    void drawnDialogFieldsReachTheDocument_data();
    void drawnDialogFieldsReachTheDocument();
    void guideRevealsFieldOnHiddenTab();
    void guideNamesFieldsAsShown_data() { drawnDialogFieldsReachTheDocument_data(); }
    void guideNamesFieldsAsShown();
    void slideListSelects_data();
    void slideListSelects();
    void slideAttributesArePainted_data();
    void slideAttributesArePainted();
};

namespace {

Task taskFrom(const QString &lines)
{
    QStringList errors;
    Task task = Task::parse(QStringLiteral("th: 1\ntext: 练习\n") + lines, &errors);
    if (!errors.isEmpty())
        qWarning("%s", qPrintable(errors.join(u'\n')));
    return task;
}

// Sets a field the way the candidate would, whatever control the dialog uses.
void setThroughControl(QWidget *control, const QString &value)
{
    if (auto *combo = qobject_cast<QComboBox *>(control)) {
        combo->setCurrentText(value);
    } else if (auto *line = qobject_cast<QLineEdit *>(control)) {
        line->clear();
        line->insert(value);  // as typed (key clicks carry Latin-1 only)
    } else if (auto *box = qobject_cast<QCheckBox *>(control)) {
        do
            box->click();
        while (box->isChecked() != (value == u"是"));
    } else if (auto *list = qobject_cast<QListWidget *>(control)) {
        for (int i = 0; i < list->count(); ++i) {
            if (list->item(i)->data(Qt::UserRole).toString() == value) {
                list->scrollToItem(list->item(i));
                QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->item(i)).center());
            }
        }
    } else {
        // A group of radio buttons or check boxes: one click per chosen part.
        for (const QString &part : value.split(u'、'))
            for (QAbstractButton *button : control->findChildren<QAbstractButton *>())
                if (button->text() == part)
                    button->click();
    }
}

// A value a task could ask for: a choice where the field offers some.
QString sampleValue(const FieldSpec &field, QWidget *control)
{
    if (field.choices.isEmpty())
        return QStringLiteral("第2张到第4张");
    const bool severalTicks = !qobject_cast<QComboBox *>(control) && control->findChildren<QCheckBox *>().size() > 1;
    if (severalTicks && field.choices.size() > 1)
        return field.choices.at(0) + u'、' + field.choices.at(1);
    return field.choices.last();
}

} // namespace

void TestSimulatorUi::initTestCase()
{
    QApplication::setFont(QFont(QStringLiteral("Noto Sans CJK SC"), 9));
}

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

void TestSimulatorUi::drawnDialogFieldsReachTheDocument_data()
{
    QTest::addColumn<QString>("command");
    for (const char *command : {"字体", "幻灯片版式", "新幻灯片", "背景", "幻灯片切换", "自定义动画", "设置放映方式",
                                "页眉和页脚", "项目符号和编号", "打印", "另存为", "保存", "幻灯片设计", "对象格式",
                                "替换"})
        QTest::newRow(command) << QString::fromUtf8(command);
}

// Every field of a dialog has its control, in sight once revealed, and what
// the candidate sets there reaches the document exactly as the command with
// those values would put it.
void TestSimulatorUi::drawnDialogFieldsReachTheDocument()
{
    QFETCH(QString, command);
    const CommandSpec *spec = Commands::find(command);
    QVERIFY(spec);
    const Task task = taskFrom(QStringLiteral("start: slides = 4\n"));
    EditorWindow window(task);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    window.trigger(command);
    CommandDialog *dialog = window.openDialog();
    QVERIFY(dialog);
    QVERIFY(QTest::qWaitForWindowExposed(dialog));
    // The whole dialog fits the part of the editor the practice panel shows.
    QVERIFY2(dialog->width() <= 800 && dialog->height() <= 570, qPrintable(QStringLiteral("%1×%2").arg(dialog->width()).arg(dialog->height())));

    QMap<QString, QString> chosen;
    for (const FieldSpec &field : spec->fields) {
        auto *control = dialog->findChild<QWidget *>(QStringLiteral("field:") + field.name);
        QVERIFY2(control, qPrintable(field.name));
        QCOMPARE(dialog->revealField(field.name), control);
        QVERIFY2(control->isVisible(), qPrintable(field.name));
        const QString value = sampleValue(field, control);
        setThroughControl(control, value);
        QCOMPARE(dialog->values().value(field.name), value);
        chosen.insert(field.name, value);
    }
    QTest::mouseClick(dialog->findChild<QPushButton *>(QStringLiteral("ok")), Qt::LeftButton);

    Session expected(task.startDocument());
    expected.run(command, chosen);
    QVERIFY(window.session().document() == expected.document());
}

// The guide points at a field on a tab that is not in front: the tab comes
// forward, the mark sits on the field and the dialog says what to do there.
void TestSimulatorUi::guideRevealsFieldOnHiddenTab()
{
    EditorWindow window(taskFrom(QStringLiteral("goal: slide1.动画.声音 = 鼓掌\n"
                                                "step: command 自定义动画 | 单击“自定义动画”命令\n"
                                                "step: field 声音 = 鼓掌 | 在“声音”中选择“鼓掌”\n"
                                                "step: ok | 单击“确定”按钮\n")));
    window.setGuideEnabled(true);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    window.trigger(QStringLiteral("自定义动画"));
    CommandDialog *dialog = window.openDialog();
    QVERIFY(dialog);
    QWidget *sound = dialog->fieldBox(QStringLiteral("声音"));
    QTRY_VERIFY(sound->isVisible());
    auto *mark = dialog->findChild<QWidget *>(QStringLiteral("guideMark"));
    QVERIFY(mark);
    QTRY_VERIFY(mark->isVisible());
    QVERIFY(mark->geometry().contains(QRect(sound->mapTo(dialog, QPoint(0, 0)), sound->size())));
    // The dialog hides the task strip, so it repeats the step itself, in
    // the words of its own control (a drop-down here, not a list).
    auto *hint = dialog->findChild<QLabel *>(QStringLiteral("guideHint"));
    QVERIFY(hint);
    QTRY_COMPARE(hint->text(), QStringLiteral("第2步：在“声音”中选择或输入“鼓掌”"));
    QVERIFY(hint->isVisible());
}

// The guide's words for a dialog field name something the candidate can see
// in that dialog: a label, a check box, a group's title.
void TestSimulatorUi::guideNamesFieldsAsShown()
{
    QFETCH(QString, command);
    const CommandSpec *spec = Commands::find(command);
    QVERIFY(spec);
    CommandDialog dialog(*spec);
    QStringList shown;
    for (const QLabel *label : dialog.findChildren<QLabel *>())
        shown << label->text();
    for (const QAbstractButton *button : dialog.findChildren<QAbstractButton *>())
        shown << button->text();
    for (const QGroupBox *box : dialog.findChildren<QGroupBox *>())
        shown << box->title();
    for (const FieldSpec &field : spec->fields) {
        const QString hint = dialog.fieldHint(field.name, field.choices.value(0, QStringLiteral("1")));
        const qsizetype open = hint.indexOf(u'“');
        QVERIFY2(open >= 0, qPrintable(hint));
        const QString caption = hint.mid(open + 1, hint.indexOf(u'”', open) - open - 1);
        const bool seen = std::any_of(shown.begin(), shown.end(), [&](const QString &text) {
            return text.startsWith(caption);
        });
        QVERIFY2(seen, qPrintable(field.name + QStringLiteral(" → ") + hint));
    }
}

void TestSimulatorUi::slideListSelects_data()
{
    QTest::addColumn<QString>("clicks");  // slide numbers; "+" holds Shift, "^" Ctrl
    QTest::addColumn<QString>("selected");
    QTest::addColumn<QString>("goal");
    QTest::newRow("the slide already current") << "1" << "1" << "1";
    QTest::newRow("another slide") << "3" << "3" << "3";
    QTest::newRow("Shift extends") << "1 +3" << "1-3" << "1-3";
    QTest::newRow("Ctrl adds") << "2 ^4" << "2,4" << "2,4";
    QTest::newRow("one slide short") << "1 +2" << "1-2" << "1-3";
}

// Clicks in the slide list select as the editor's list does, the guide
// takes the selection as its step, and a selection the task asks for
// completes it.
void TestSimulatorUi::slideListSelects()
{
    QFETCH(QString, clicks);
    QFETCH(QString, selected);
    QFETCH(QString, goal);
    EditorWindow window(taskFrom(QStringLiteral("goal: doc.选中 = %1\nstep: select %1 | 选中幻灯片\n").arg(goal)));
    window.setGuideEnabled(true);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    auto *list = window.findChild<QListWidget *>(QStringLiteral("slideList"));
    QVERIFY(list);
    QList<bool> verdicts;
    connect(&window, &EditorWindow::documentChanged, this, [&verdicts](bool met) { verdicts << met; });
    for (const QString &click : clicks.split(u' ')) {
        const Qt::KeyboardModifiers keys = click.startsWith(u'+') ? Qt::ShiftModifier
                                         : click.startsWith(u'^') ? Qt::ControlModifier : Qt::NoModifier;
        QListWidgetItem *item = list->item(click.right(1).toInt() - 1);
        QTest::mouseClick(list->viewport(), Qt::LeftButton, keys, list->visualItemRect(item).center());
    }
    QCOMPARE(window.session().document().value(QStringLiteral("doc.选中")), selected);
    QCOMPARE(window.session().current(), clicks.right(1).toInt());
    QVERIFY(!verdicts.isEmpty());
    QCOMPARE(verdicts.last(), selected == goal);
}

void TestSimulatorUi::slideAttributesArePainted_data()
{
    QTest::addColumn<QString>("start");
    QTest::addColumn<QColor>("colour");
    QTest::newRow("background colour") << "start: slide2.背景.填充 = 红色\n" << QColor(220, 0, 0);
    QTest::newRow("design template") << "start: slide2.设计模板 = 商务\n" << QColor(20, 40, 90);
    QTest::newRow("fill over template") << "start: slide2.设计模板 = 商务\nstart: slide2.背景.填充 = 浅绿色\n"
                                        << QColor(200, 240, 200);
    QTest::newRow("scheme background") << "start: slide2.配色项目 = 背景\nstart: slide2.颜色 = 深蓝色\n"
                                       << QColor(0, 0, 128);
}

// A slide's background shows on the slide under edit and on its thumbnail.
void TestSimulatorUi::slideAttributesArePainted()
{
    QFETCH(QString, start);
    QFETCH(QColor, colour);
    EditorWindow window(taskFrom(QStringLiteral("start: slides = 3\n") + start));
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    auto *list = window.findChild<QListWidget *>(QStringLiteral("slideList"));
    QVERIFY(list);
    list->setCurrentRow(1);
    QCOMPARE(window.session().current(), 2);

    auto *slide = window.findChild<QWidget *>(QStringLiteral("slide"));
    QVERIFY(slide);
    const QImage shown = slide->grab().toImage();
    // Inside the slide, clear of its placeholders: just above the bottom-left corner.
    const QRect area = slide->rect().adjusted(20, 20, -20, -20);
    QPoint corner;
    for (int y = area.bottom(); y > area.top() && corner.isNull(); --y)
        if (shown.pixelColor(slide->width() / 2, y) != shown.pixelColor(2, 2))
            corner = QPoint(slide->width() / 2, y - 6);
    QVERIFY(!corner.isNull());
    QCOMPARE(shown.pixelColor(corner).rgb(), colour.rgb());

    const QImage thumbnails = list->viewport()->grab().toImage();
    const QRect second = list->visualItemRect(list->item(1));
    QCOMPARE(thumbnails.pixelColor(second.center().x(), second.bottom() - 12).rgb(), colour.rgb());
    // The first slide keeps the plain look.
    const QRect first = list->visualItemRect(list->item(0));
    QCOMPARE(thumbnails.pixelColor(first.center().x(), first.bottom() - 12).rgb(), QColor(Qt::white).rgb());
}

QTEST_MAIN(TestSimulatorUi)
#include "tst_simulatorui.moc"

// The task panes of the commands that have one (see PaneSteps): their
// controls act at once and are told to the guide field by field, as the
// task's steps name them.
#include "editorwindow.h"

#include "commanddialog.h"
#include "editorparts.h"
#include "inputroute.h"
#include "panesteps.h"
#include "shapes.h"

#include <QMenu>
#include <QTimer>

#include <algorithm>

void EditorWindow::paneChosen(const QString &commandId, const QMap<QString, QString> &fields)
{
    const CommandSpec *spec = Commands::find(commandId);
    if (!spec)
        return;
    // 应用于所有幻灯片 is the one step its button takes, whatever it carries.
    if (fields.contains(QStringLiteral("应用范围")) && (commandId == u"幻灯片切换" || commandId == u"动画方案")) {
        report(TaskStep{TaskStep::Kind::Field, QStringLiteral("应用范围"), fields.value(QStringLiteral("应用范围")), {}});
    } else {
        for (const FieldSpec &field : spec->fields)
            if (fields.contains(field.name))
                report(TaskStep{TaskStep::Kind::Field, field.name, fields.value(field.name), {}});
    }
    // Done at once: where a path still says 确定, the pane's change was it.
    report(TaskStep{TaskStep::Kind::Ok, {}, {}, {}});
    m_session.run(commandId, PaneSteps::actingFields(m_session, commandId, fields), QStringLiteral("任务窗格"));
    refresh();
    changed();
    if (fields.value(QStringLiteral("预览")) == u"播放")
        playEffects();
    if (fields.value(QStringLiteral("预览")) == u"幻灯片放映") {
        m_session.run(QStringLiteral("从当前幻灯片开始"), {}, {});
        startShow();
    }
}

void EditorWindow::panePicked(const QString &, const QString &field, const QString &value)
{
    report(TaskStep{TaskStep::Kind::Field, field, value, {}});
    updateGuideLater();
}

void EditorWindow::openPaneDialog(const QString &commandId)
{
    const CommandSpec *spec = Commands::find(commandId);
    if (!spec)
        return;
    if (m_dialog)
        m_dialog->close();
    const QStringList asked = PaneSteps::dialogFields(commandId);
    auto *dialog = new CommandDialog(*spec, this, PaneSteps::dialogName(commandId));
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->setWindowTitle(PaneSteps::dialogName(commandId));
    m_dialog = dialog;
    // The effect's object is the one the pane works on.
    QRect unused;
    QString object;
    if (commandId == u"自定义动画")
        if (auto *objects = qobject_cast<QComboBox *>(m_taskPane->fieldControl(QStringLiteral("对象"), {}, &unused)))
            object = objects->currentText();
    // Where a sound or movie starts and stops playing is asked of those only.
    static const QStringList mediaOnly = {QStringLiteral("开始播放"), QStringLiteral("开始时间"),
                                          QStringLiteral("停止播放"), QStringLiteral("停止张数")};
    // (An effect of a sound or movie is kept under its kind, 声音 or 影片.)
    const QString animated = object.isEmpty() ? m_session.animatedObject() : object;
    const bool media = animated == u"声音" || animated == u"影片" || Shapes::kindOf(animated) == u"媒体";
    // A sound or movie has no direction, size or text to animate.
    static const QStringList notForMedia = {QStringLiteral("方向"), QStringLiteral("尺寸"), QStringLiteral("数量"),
                                            QStringLiteral("颜色"), QStringLiteral("动画文本"), QStringLiteral("字/词之间延迟")};
    for (const FieldSpec &field : spec->fields)
        if (!asked.contains(field.name) || (!media && mediaOnly.contains(field.name)) || (media && notForMedia.contains(field.name)))
            dialog->hideField(field.name);
    const QMap<QString, QString> current = currentValues(*spec, object);
    for (auto it = current.begin(); it != current.end(); ++it)
        if (asked.contains(it.key()))
            dialog->setValue(it.key(), it.value());
    connect(dialog, &CommandDialog::fieldChanged, this, [this](const QString &name, const QString &value) {
        report(TaskStep{TaskStep::Kind::Field, name, value, {}});
    });
    // Given up, the way back is the pane's button again.
    connect(dialog, &QDialog::rejected, this, &EditorWindow::updateGuideLater);
    connect(dialog, &CommandDialog::okClicked, this, [this, dialog, commandId, asked, object] {
        QMap<QString, QString> fields;
        const QMap<QString, QString> values = dialog->values();
        for (const QString &name : asked)
            if (!values.value(name).isEmpty())
                fields.insert(name, values.value(name));
        if (!object.isEmpty())
            fields.insert(QStringLiteral("对象"), object);
        report(TaskStep{TaskStep::Kind::Ok, {}, {}, {}});
        runFromDialog(commandId, fields, QStringLiteral("任务窗格"));
    });
    dialog->adjustSize();
    const QPoint centre = mapToGlobal(QPoint(400, 300));   // the middle of the part the practice panel shows
    const QPoint corner = mapToGlobal(QPoint(0, 0));
    dialog->move(std::max(corner.x(), centre.x() - dialog->width() / 2),
                 std::max(corner.y(), centre.y() - dialog->height() / 2 - 12));
    dialog->open();
    // Once shown, as high as what is left after the fields that do not
    // apply went (their groups' room is only given back then).
    QTimer::singleShot(0, dialog, [dialog] { dialog->resize(dialog->width(), dialog->sizeHint().height()); });
    updateGuide();
}

bool EditorWindow::markPaneField(const TaskStep &step, QWidget **target, std::function<QRect()> *area)
{
    if (!m_taskPane->isVisible())
        return false;
    // In a drop-down the pane has open, its entry is marked as a menu's is.
    if (QAction *entry = m_taskPane->menuEntry(step.arg, step.value)) {
        QMenu *open = m_taskPane->openMenu();
        auto *menu = qobject_cast<QMenu *>(entry->parent());
        if (menu && menu->isVisible())
            menu->setActiveAction(entry);
        else if (menu && menu != open && open)
            open->setActiveAction(menu->menuAction());   // the way there: its category
        else if (open)
            open->setActiveAction(entry);
        return true;
    }
    QRect place;
    QWidget *control = m_taskPane->fieldControl(step.arg, step.value, &place);
    if (!control || !control->isVisible())
        return false;
    *target = control;
    if (!place.isEmpty())
        *area = [pane = m_taskPane, field = step.arg, value = step.value] {
            QRect at;
            pane->fieldControl(field, value, &at);
            return at;
        };
    return true;
}

void EditorWindow::markPaneSwitch(const TaskStep &step, QWidget **target, std::function<QRect()> *area)
{
    if (!m_taskPane->isVisible())
        return;
    if (QMenu *switcher = m_taskPane->switcher(); switcher && switcher->isVisible()) {
        switcher->setActiveAction(switcher->findChild<QAction *>(QStringLiteral("pane:") + step.arg));
        return;
    }
    const QString entry = step.arg == u"关闭" ? QStringLiteral("close") : QStringLiteral("switch");
    *target = m_taskPane;
    *area = [pane = m_taskPane, entry] { return pane->entryRect(entry); };
}

void EditorWindow::playEffects()
{
    const int run = ++m_effectsPlayed;
    const int index = m_session.current() - 1;
    const Document before = m_session.document();
    // The objects with an effect, in the order of the pane's list.
    QStringList objects;
    const QMap<QString, QString> &attributes = before.slides.at(index).attributes;
    for (auto it = attributes.begin(); it != attributes.end(); ++it)
        if (it.key().startsWith(QStringLiteral("动画.")) && it.key().endsWith(QStringLiteral(".效果")))
            objects << it.key().section(u'.', 1, -2);
    if (objects.isEmpty())
        return;
    std::stable_sort(objects.begin(), objects.end(), [&attributes](const QString &a, const QString &b) {
        return attributes.value(QStringLiteral("动画.%1.顺序").arg(a)).toInt() < attributes.value(QStringLiteral("动画.%1.顺序").arg(b)).toInt();
    });
    // The slide without the objects still to come: a placeholder's text, a
    // shape itself (a sound or movie by its kind's shape).
    const auto without = [&before, index](const QStringList &hidden) {
        Document shown = before;
        Slide &slide = shown.slides[index];
        for (const QString &object : hidden) {
            if (object == u"标题")
                slide.title.clear();
            else if (object == u"正文" || object == u"副标题")
                slide.body.clear();
            else
                slide.attributes.remove(object == u"声音" || object == u"影片" ? QStringLiteral("媒体") : object);
        }
        return shown;
    };
    m_effectsShown = without(objects);
    m_slide->showSlide(m_effectsShown, index, false);
    for (qsizetype k = 1; k <= objects.size(); ++k)
        QTimer::singleShot(int(k) * 500, this, [this, run, index, before, without, hidden = objects.mid(k)] {
            // Something done meanwhile shows the slide as it is now.
            if (run != m_effectsPlayed || m_session.current() - 1 != index || !(m_session.document() == before))
                return;
            if (hidden.isEmpty()) {
                refresh();
                return;
            }
            m_effectsShown = without(hidden);
            m_slide->showSlide(m_effectsShown, index, false);
        });
}

#include "taskpanes.h"

#include "commands.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

QStringList choicesOf(const char *command, const char *field)
{
    const CommandSpec *spec = Commands::find(QString::fromUtf8(command));
    const FieldSpec *f = spec ? spec->field(QString::fromUtf8(field)) : nullptr;
    return f ? f->choices : QStringList();
}

// The directions an effect offers; none for an effect without one.
QStringList directionsOf(const QString &effect)
{
    static const QMap<QString, QStringList> directions = {
        {QStringLiteral("飞入"), {QStringLiteral("自底部"), QStringLiteral("自左侧"), QStringLiteral("自右侧"), QStringLiteral("自顶部")}},
        {QStringLiteral("缓慢进入"), {QStringLiteral("自底部"), QStringLiteral("自左侧"), QStringLiteral("自右侧"), QStringLiteral("自顶部")}},
        {QStringLiteral("擦除"), {QStringLiteral("自底部"), QStringLiteral("自左侧"), QStringLiteral("自右侧"), QStringLiteral("自顶部")}},
        {QStringLiteral("飞出"), {QStringLiteral("到底部"), QStringLiteral("到左侧"), QStringLiteral("到右侧"), QStringLiteral("到顶部")}},
        {QStringLiteral("百叶窗"), {QStringLiteral("水平"), QStringLiteral("垂直")}},
        {QStringLiteral("棋盘"), {QStringLiteral("跨越"), QStringLiteral("向下")}},
        {QStringLiteral("盒状"), {QStringLiteral("内"), QStringLiteral("外")}},
        {QStringLiteral("放大/缩小"), {QStringLiteral("放大"), QStringLiteral("缩小")}},
    };
    return directions.value(effect);
}

// A drop-down that reports every pick, the same entry again included.
QComboBox *pickBox(const QString &name, const QStringList &choices, QWidget *parent)
{
    auto *box = new QComboBox(parent);
    box->setObjectName(QStringLiteral("pane:") + name);
    box->setAccessibleName(name);
    box->addItems(choices);
    return box;
}

void setShown(QComboBox *box, const QString &value)
{
    const int index = box->findText(value);
    box->setCurrentIndex(index);
}

} // namespace

// --- AnimationPane -----------------------------------------------------------

const QList<std::pair<QString, QStringList>> &AnimationPane::categories()
{
    static const QList<std::pair<QString, QStringList>> table = [] {
        const QStringList all = choicesOf("自定义动画", "效果");
        const QMap<QString, QString> categoryOf = [] {
            QMap<QString, QString> map;
            const char *rows[][2] = {
                {"放大/缩小", "强调"}, {"陀螺旋", "强调"}, {"更改填充颜色", "强调"}, {"更改字体颜色", "强调"}, {"闪烁", "强调"},
                {"飞出", "退出"}, {"消失", "退出"}, {"切出", "退出"}, {"压缩", "退出"},
                {"向右", "动作路径"}, {"向左", "动作路径"}, {"向上", "动作路径"}, {"向下", "动作路径"}, {"直线", "动作路径"},
                {"自定义路径", "动作路径"}, {"播放", ""},
            };
            for (const auto &row : rows)
                map.insert(QString::fromUtf8(row[0]), QString::fromUtf8(row[1]));
            return map;
        }();
        QList<std::pair<QString, QStringList>> made;
        for (const QString &category : choicesOf("自定义动画", "类别")) {
            QStringList effects;
            for (const QString &effect : all)
                if (categoryOf.value(effect, QStringLiteral("进入")) == category)
                    effects << effect;
            made.append({category, effects});
        }
        return made;
    }();
    return table;
}

AnimationPane::AnimationPane(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("animationPane"));
    setAccessibleName(QStringLiteral("自定义动画"));
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(6, 6, 6, 6);
    layout->setSpacing(4);

    auto *buttons = new QHBoxLayout;
    m_add = new QToolButton(this);
    m_add->setObjectName(QStringLiteral("pane:添加效果"));
    m_add->setText(QStringLiteral("添加效果"));
    m_add->setAccessibleName(QStringLiteral("添加效果"));
    effectMenu(m_add, {});
    m_remove = new QPushButton(QStringLiteral("删除"), this);
    m_remove->setObjectName(QStringLiteral("pane:删除"));
    m_remove->setAccessibleName(QStringLiteral("删除"));
    buttons->addWidget(m_add, 1);
    buttons->addWidget(m_remove);
    layout->addLayout(buttons);
    m_change = new QToolButton(this);
    m_change->setObjectName(QStringLiteral("pane:更改"));
    m_change->setText(QStringLiteral("更改"));
    m_change->setAccessibleName(QStringLiteral("更改"));
    effectMenu(m_change, QStringLiteral("更改"));
    layout->addWidget(m_change);
    for (QToolButton *button : {m_add, m_change}) {
        button->setPopupMode(QToolButton::InstantPopup);
        button->setToolButtonStyle(Qt::ToolButtonTextOnly);
        button->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    }

    auto *boxes = new QGroupBox(QStringLiteral("修改效果"), this);
    auto *grid = new QGridLayout(boxes);
    grid->setContentsMargins(4, 4, 4, 4);
    grid->setVerticalSpacing(3);
    m_start = pickBox(QStringLiteral("开始"), choicesOf("自定义动画", "开始"), boxes);
    m_direction = pickBox(QStringLiteral("方向"), {}, boxes);
    m_speed = pickBox(QStringLiteral("速度"), choicesOf("自定义动画", "速度"), boxes);
    int row = 0;
    for (QComboBox *box : {m_start, m_direction, m_speed}) {
        grid->addWidget(new QLabel(box->accessibleName() + QStringLiteral("："), boxes), row, 0);
        grid->addWidget(box, row++, 1);
        const QString field = box->accessibleName();
        connect(box, &QComboBox::textActivated, this, [this, field](const QString &value) {
            if (!m_loading && !target().isEmpty())
                emit chosen(QStringLiteral("自定义动画"), {{QStringLiteral("对象"), target()}, {field, value}});
        });
    }
    grid->setColumnStretch(1, 1);
    layout->addWidget(boxes);

    m_list = new QListWidget(this);
    m_list->setObjectName(QStringLiteral("pane:动画列表"));
    m_list->setAccessibleName(QStringLiteral("动画效果列表"));
    layout->addWidget(m_list, 1);
    m_note = new QLabel(this);
    m_note->setWordWrap(true);
    layout->addWidget(m_note);
    connect(m_list, &QListWidget::itemSelectionChanged, this, [this] {
        if (!m_loading)
            setBoxes();
    });
    connect(m_remove, &QPushButton::clicked, this, [this] {
        if (!target().isEmpty())
            emit chosen(QStringLiteral("自定义动画"), {{QStringLiteral("对象"), target()}, {QStringLiteral("操作"), QStringLiteral("删除")}});
    });
}

void AnimationPane::effectMenu(QToolButton *button, const QString &operation)
{
    auto *menu = new QMenu(button);
    for (const auto &[category, effects] : categories()) {
        QMenu *sub = menu->addMenu(category);
        sub->setObjectName(QStringLiteral("pane:") + category);
        for (const QString &effect : effects) {
            QAction *entry = sub->addAction(effect);
            entry->setObjectName(QStringLiteral("effect:%1:%2").arg(category, effect));
            connect(entry, &QAction::triggered, this, [this, category, effect, operation] {
                if (target().isEmpty())
                    return;
                QMap<QString, QString> fields = {{QStringLiteral("对象"), target()}, {QStringLiteral("类别"), category},
                                                 {QStringLiteral("效果"), effect}};
                if (!operation.isEmpty())
                    fields.insert(QStringLiteral("操作"), operation);
                emit chosen(QStringLiteral("自定义动画"), fields);
            });
        }
    }
    button->setMenu(menu);
}

QString AnimationPane::target() const
{
    const QList<QListWidgetItem *> rows = m_list->selectedItems();
    return rows.isEmpty() ? m_object : rows.first()->data(Qt::UserRole).toString();
}

void AnimationPane::showSlide(const Slide &slide, const QString &object)
{
    const QString kept = m_list->selectedItems().isEmpty() ? QString() : m_list->selectedItems().first()->text();
    m_slide = slide;
    m_object = object;
    m_loading = true;
    m_list->clear();
    // The effects of every object, one row each, numbered in order.
    const QString prefix = QStringLiteral("动画.");
    const QString suffix = QStringLiteral(".列表");
    int number = 0;
    for (auto it = slide.attributes.begin(); it != slide.attributes.end(); ++it) {
        if (!it.key().startsWith(prefix) || !it.key().endsWith(suffix))
            continue;
        const QString owner = it.key().mid(prefix.size(), it.key().size() - prefix.size() - suffix.size());
        for (const QString &entry : it.value().split(QStringLiteral("、"), Qt::SkipEmptyParts)) {
            const QString effect = entry.section(QStringLiteral("："), 1);
            auto *row = new QListWidgetItem(QStringLiteral("%1 %2：%3").arg(++number).arg(owner, effect), m_list);
            row->setData(Qt::UserRole, owner);
            row->setToolTip(entry);
            if (row->text() == kept)
                row->setSelected(true);
        }
    }
    m_loading = false;
    setBoxes();
}

void AnimationPane::setBoxes()
{
    const QString object = target();
    m_loading = true;
    const bool some = !object.isEmpty();
    m_add->setEnabled(some);
    const bool animated = some && m_slide.attributes.contains(QStringLiteral("动画.%1.列表").arg(object));
    m_change->setEnabled(animated);
    m_remove->setEnabled(animated);
    const auto value = [&](const char *field) {
        return m_slide.attributes.value(QStringLiteral("动画.%1.%2").arg(object, QString::fromUtf8(field)));
    };
    m_direction->clear();
    m_direction->addItems(directionsOf(value("效果")));
    for (QComboBox *box : {m_start, m_direction, m_speed})
        box->setEnabled(animated && box->count() > 0);
    setShown(m_start, animated ? (value("开始").isEmpty() ? QStringLiteral("单击时") : value("开始")) : QString());
    setShown(m_direction, value("方向").isEmpty() && m_direction->count() ? m_direction->itemText(0) : value("方向"));
    setShown(m_speed, animated ? (value("速度").isEmpty() ? QStringLiteral("中速") : value("速度")) : QString());
    m_note->setText(some ? QStringLiteral("对象：%1").arg(object)
                         : QStringLiteral("选中幻灯片的某个元素，然后单击“添加效果”添加动画。"));
    m_loading = false;
}

QStringList AnimationPane::listed() const
{
    QStringList rows;
    for (int i = 0; i < m_list->count(); ++i)
        rows << m_list->item(i)->text();
    return rows;
}

// --- TransitionPane ----------------------------------------------------------

TransitionPane::TransitionPane(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("transitionPane"));
    setAccessibleName(QStringLiteral("幻灯片切换"));
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(6, 6, 6, 6);
    layout->setSpacing(4);
    layout->addWidget(new QLabel(QStringLiteral("应用于所选幻灯片："), this));
    m_effects = new QListWidget(this);
    m_effects->setObjectName(QStringLiteral("pane:切换效果"));
    m_effects->setAccessibleName(QStringLiteral("切换效果"));
    m_effects->addItems(choicesOf("幻灯片切换", "效果"));
    layout->addWidget(m_effects, 1);
    connect(m_effects, &QListWidget::itemClicked, this, [this](QListWidgetItem *item) {
        emit chosen(QStringLiteral("幻灯片切换"), {{QStringLiteral("效果"), item->text()}});
    });

    auto *modify = new QGroupBox(QStringLiteral("修改切换效果"), this);
    auto *grid = new QGridLayout(modify);
    grid->setContentsMargins(4, 4, 4, 4);
    m_speed = pickBox(QStringLiteral("速度"), choicesOf("幻灯片切换", "速度"), modify);
    m_sound = pickBox(QStringLiteral("声音"), choicesOf("幻灯片切换", "声音"), modify);
    int row = 0;
    for (QComboBox *box : {m_speed, m_sound}) {
        grid->addWidget(new QLabel(box->accessibleName() + QStringLiteral("："), modify), row, 0);
        grid->addWidget(box, row++, 1);
        const QString field = box->accessibleName();
        connect(box, &QComboBox::textActivated, this, [this, field](const QString &value) {
            if (!m_loading)
                emit chosen(QStringLiteral("幻灯片切换"), {{field, value}});
        });
    }
    grid->setColumnStretch(1, 1);
    layout->addWidget(modify);

    auto *advance = new QGroupBox(QStringLiteral("换片方式"), this);
    auto *column = new QVBoxLayout(advance);
    column->setContentsMargins(4, 4, 4, 4);
    m_onClick = new QCheckBox(QStringLiteral("单击鼠标时"), advance);
    m_onClick->setObjectName(QStringLiteral("pane:单击鼠标"));
    column->addWidget(m_onClick);
    layout->addWidget(advance);
    connect(m_onClick, &QCheckBox::clicked, this, [this](bool on) {
        emit chosen(QStringLiteral("幻灯片切换"), {{QStringLiteral("单击鼠标"), on ? QStringLiteral("是") : QStringLiteral("否")}});
    });

    m_all = new QPushButton(QStringLiteral("应用于所有幻灯片"), this);
    m_all->setObjectName(QStringLiteral("pane:应用于所有幻灯片"));
    layout->addWidget(m_all);
    // The current slide's transition, every part of it, on every slide.
    connect(m_all, &QPushButton::clicked, this, [this] {
        QMap<QString, QString> fields = {{QStringLiteral("应用范围"), QStringLiteral("全部应用")}};
        const QString prefix = QStringLiteral("切换.");
        for (auto it = m_slide.attributes.begin(); it != m_slide.attributes.end(); ++it)
            if (it.key().startsWith(prefix) && !it.key().mid(prefix.size()).contains(u'.'))
                fields.insert(it.key().mid(prefix.size()), it.value());
        emit chosen(QStringLiteral("幻灯片切换"), fields);
    });
}

void TransitionPane::showSlide(const Slide &slide)
{
    m_slide = slide;
    m_loading = true;
    const auto value = [&](const char *field) { return slide.attributes.value(QStringLiteral("切换.") + QString::fromUtf8(field)); };
    const QString effect = value("效果").isEmpty() ? QStringLiteral("无切换") : value("效果");
    const QList<QListWidgetItem *> found = m_effects->findItems(effect, Qt::MatchExactly);
    m_effects->setCurrentItem(found.isEmpty() ? nullptr : found.first());
    setShown(m_speed, value("速度").isEmpty() ? QStringLiteral("快速") : value("速度"));
    setShown(m_sound, value("声音").isEmpty() ? QStringLiteral("无声音") : value("声音"));
    m_onClick->setChecked(value("单击鼠标") != u"否");
    m_loading = false;
}

#pragma once

#include "document.h"

#include <QMap>
#include <QWidget>

class QComboBox;
class QCheckBox;
class QLabel;
class QLineEdit;
class QMenu;
class QListWidget;
class QToolButton;
class QPushButton;

// The task panes the candidate works in rather than reads: 自定义动画,
// 幻灯片切换 and 剪贴画. Each shows the current slide's settings and asks for
// every change as the command of the table with its dialog's fields, so a
// change made here lands on the same document paths as one made in the
// command's dialog. The task pane makes them when first shown.

// 自定义动画: 添加效果 (a menu of the effects by category), 删除 and 更改 for
// the effect chosen in the list, the 开始, 方向 and 速度 boxes, and the list
// of the slide's effects in order ("1 标题：飞入").
class AnimationPane : public QWidget
{
    Q_OBJECT

public:
    explicit AnimationPane(QWidget *parent = nullptr);
    // `object` is the one selected on the slide or holding the caret (empty:
    // none); a row of the list chosen by the candidate names another.
    void showSlide(const Slide &slide, const QString &object);
    // The effects listed, as the list shows them.
    QStringList listed() const;
    QListWidget *list() const { return m_list; }

    // The effects of each category, in the order the 添加效果 menu offers them.
    static const QList<std::pair<QString, QStringList>> &categories();
    static QString categoryOf(const QString &effect);
    // The submenu of a movie's or sound's actions, not one of the categories.
    static QString mediaCategory();

    // The control that sets the command's field to `value` here: a box, a
    // button, 添加效果 (or 更改, once chosen) for an effect; 效果选项 for a
    // field of that dialog.
    QWidget *fieldControl(const QString &field, const QString &value) const;
    // The effect menu that is open, if any.
    QMenu *openMenu() const;

signals:
    void chosen(const QString &commandId, const QMap<QString, QString> &fields);
    // A choice that does nothing yet: the object, the category whose
    // effects are shown, 更改 opened.
    void picked(const QString &commandId, const QString &field, const QString &value);
    void optionsAsked();

private:
    // The object the buttons and boxes act on: the chosen row's, or the caret's.
    QString target() const;
    void effectMenu(QToolButton *button, const QString &operation);
    void setBoxes();

    QToolButton *m_add = nullptr;
    QToolButton *m_change = nullptr;
    QPushButton *m_remove = nullptr;
    QComboBox *m_start = nullptr;
    QComboBox *m_direction = nullptr;
    QComboBox *m_speed = nullptr;
    QToolButton *m_earlier = nullptr;
    QPushButton *m_play = nullptr;
    QPushButton *m_slideShow = nullptr;
    QToolButton *m_later = nullptr;
    QPushButton *m_options = nullptr;
    QCheckBox *m_preview = nullptr;
    QListWidget *m_list = nullptr;
    QLabel *m_note = nullptr;
    Slide m_slide;
    QString m_object;
    bool m_loading = false;
    bool m_changing = false;   // 更改 was opened last, not 添加效果
};

// 幻灯片切换: the effects to apply to the selected slides, the speed and the
// sound, 单击鼠标时, and 应用于所有幻灯片 for the current slide's transition.
class TransitionPane : public QWidget
{
    Q_OBJECT

public:
    explicit TransitionPane(QWidget *parent = nullptr);
    void showSlide(const Slide &slide);
    // The control that sets the command's field to `value` here.
    QWidget *fieldControl(const QString &field, const QString &value) const;

signals:
    void chosen(const QString &commandId, const QMap<QString, QString> &fields);

private:
    QListWidget *m_effects = nullptr;
    QComboBox *m_speed = nullptr;
    QComboBox *m_sound = nullptr;
    QCheckBox *m_onClick = nullptr;
    QCheckBox *m_loop = nullptr;
    QCheckBox *m_timed = nullptr;
    QLineEdit *m_every = nullptr;
    QPushButton *m_all = nullptr;
    Slide m_slide;
    bool m_loading = false;
};

// 剪贴画: the clip gallery searched. The 搜索文字 box with 搜索, the
// 搜索范围 and 结果类型 boxes, the clips found as pictures (all of them
// before a search), and the links 管理剪辑… and 网上剪辑. A click on a clip
// inserts it as a picture in the middle of the slide (the command 剪贴画
// with the clip's 名称); the search changes nothing on the slide.
class ClipArtPane : public QWidget
{
    Q_OBJECT

public:
    explicit ClipArtPane(QWidget *parent = nullptr);
    // The control that sets the command's field to `value` here; for a
    // clip (名称), the results, with the clip's place in them in `area`.
    QWidget *fieldControl(const QString &field, const QString &value, QRect *area) const;
    QListWidget *results() const { return m_results; }

signals:
    void chosen(const QString &commandId, const QMap<QString, QString> &fields);
    void picked(const QString &commandId, const QString &field, const QString &value);

private:
    void search();

    QLineEdit *m_text = nullptr;
    QPushButton *m_search = nullptr;
    QComboBox *m_scope = nullptr;
    QComboBox *m_kind = nullptr;
    QListWidget *m_results = nullptr;
    QLabel *m_note = nullptr;
};

#pragma once

#include "commands.h"
#include "fieldcontrol.h"

#include <QObject>
#include <QPointer>
#include <QStringList>

#include <functional>
#include <memory>

class QComboBox;
class QDialog;
class QLabel;
class QTabWidget;
class QWidget;

// The fill of the 背景 dialog as the editor offers it: a colour drop-down
// showing the slide's fill, whose list holds 自动, the colours, 其他颜色… and
// 填充效果…; 填充效果 opens a dialog of its own with the tabs 渐变, 纹理, 图案
// and 图片. The two fields of the command it stands for are 填充 (a colour,
// or the kind of effect: 单色渐变 双色渐变 预设 纹理 图案 图片) and 设置 (the
// effect's details joined by "、": "蓝色、水平", "白色、浅蓝色、斜上",
// "雨后初晴", "羊皮纸", "浅色上对角线、灰色", "背景.jpg").
class BackgroundFill : public QObject
{
    Q_OBJECT

public:
    // `changed` hears every change of either field, by the candidate or the program.
    BackgroundFill(const FieldSpec &fill, const FieldSpec &settings, QWidget *parent,
                   std::function<void(const QString &field, const QString &value)> changed);
    ~BackgroundFill() override;

    QWidget *box() const;
    FieldControl fillControl();
    FieldControl settingsControl();
    // The pictures of the candidate's folder, offered on the 图片 tab.
    void setPictures(const QStringList &files);
    // Opens 填充效果 on the tab of the fill chosen (if it is not open) and
    // returns that tab's page.
    QWidget *openEffects();
    QDialog *effects() const { return m_effects; }
    // The guide's line, repeated in 填充效果 over the dialog it covers.
    void setGuideHint(const QString &text);
    // What the guide says to do for the field and value, in the words the
    // controls show; empty for the fields this does not hold.
    QString hint(const QString &field, const QString &value) const;

    static QStringList effectKinds();

private:
    void setFill(const QString &value);
    void setSettings(const QString &value);
    void showFill();
    // The details of the effects dialog, read into the two fields.
    void takeEffects();
    // The two fields, shown in the effects dialog's controls.
    void showEffects();
    void chooseColour();
    // The colours mixed in the 颜色 dialog lately, listed above 其他颜色….
    void showRecent();

    QWidget *m_parent;
    std::function<void(const QString &, const QString &)> m_changed;
    QComboBox *m_box = nullptr;
    QWidget *m_settingsHolder = nullptr;
    QString m_fill, m_settings;
    QStringList m_pictures;
    QPointer<QDialog> m_effects;
    struct EffectControls;
    std::unique_ptr<EffectControls> m_controls;   // of the effects dialog, while it is open
    QTabWidget *m_tabs = nullptr;
    QLabel *m_hint = nullptr;
    QString m_hintText;
    bool m_showing = false;   // the effects dialog's controls are being set from the fields
};

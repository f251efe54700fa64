#pragma once

#include "commands.h"

#include <QDialog>
#include <QMap>

class QComboBox;
class QPushButton;

// The dialog of one editor command ("字体", "幻灯片切换", …), built from the
// command's fields. Every field offers the usual choices and also takes a
// typed value. The guide finds its controls by object name: "field:<name>",
// "ok".
class CommandDialog : public QDialog
{
    Q_OBJECT

public:
    explicit CommandDialog(const CommandSpec &spec, QWidget *parent = nullptr);

    QMap<QString, QString> values() const;
    QComboBox *fieldBox(const QString &name) const { return m_boxes.value(name); }
    QPushButton *okButton() const { return m_ok; }

signals:
    void fieldChanged(const QString &name, const QString &value);
    void okClicked();

private:
    QMap<QString, QComboBox *> m_boxes;
    QPushButton *m_ok = nullptr;
};

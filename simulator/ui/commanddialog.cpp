#include "commanddialog.h"

#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

CommandDialog::CommandDialog(const CommandSpec &spec, QWidget *parent) : QDialog(parent)
{
    setWindowTitle(spec.id);
    setObjectName(QStringLiteral("dialog:") + spec.id);
    auto *layout = new QVBoxLayout(this);
    auto *form = new QFormLayout;
    layout->addLayout(form);
    for (const FieldSpec &field : spec.fields) {
        auto *box = new QComboBox(this);
        box->setEditable(true);
        box->setObjectName(QStringLiteral("field:") + field.name);
        box->addItem(QString());
        box->addItems(field.choices);
        box->setMinimumWidth(220);
        form->addRow(field.name + QStringLiteral("："), box);
        m_boxes.insert(field.name, box);
        const QString name = field.name;
        connect(box, &QComboBox::currentTextChanged, this, [this, name](const QString &text) {
            emit fieldChanged(name, text);
        });
    }
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    m_ok = new QPushButton(QStringLiteral("确定"), this);
    m_ok->setObjectName(QStringLiteral("ok"));
    m_ok->setDefault(true);
    auto *cancel = new QPushButton(QStringLiteral("取消"), this);
    buttons->addWidget(m_ok);
    buttons->addWidget(cancel);
    layout->addLayout(buttons);
    connect(m_ok, &QPushButton::clicked, this, [this] {
        emit okClicked();
        accept();
    });
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
}

QMap<QString, QString> CommandDialog::values() const
{
    QMap<QString, QString> values;
    for (auto it = m_boxes.begin(); it != m_boxes.end(); ++it)
        values.insert(it.key(), it.value()->currentText().trimmed());
    return values;
}

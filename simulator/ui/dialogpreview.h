#pragma once

#include "dialoglayouts.h"
#include "document.h"

#include <QMap>
#include <QWidget>

#include <functional>

// The preview area of a dialog: paints what the dialog's current values
// would give (the font sample, the background, the transition, the handout
// page…). It asks the dialog for the values whenever it paints.
class DialogPreview : public QWidget
{
public:
    using Values = std::function<QMap<QString, QString>()>;
    DialogPreview(DialogItem::Preview kind, Values values, QWidget *parent);

    QSize sizeHint() const override;
    // The slide as it is: what the values leave alone shows as it looks now
    // (the background's design template, the master's fill).
    void setBase(const Slide &slide);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    DialogItem::Preview m_kind;
    Values m_values;
    Slide m_base;
};

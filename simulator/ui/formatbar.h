#pragma once

#include "document.h"

#include <QMap>
#include <QToolBar>

class QComboBox;
class QToolButton;

// The formatting toolbar: font, size, bold, italic, underline, shadow, the three
// alignments, larger and smaller, the format painter and the font colour.
// It acts on one text object of the slide under edit (标题, 正文 or 副标题),
// shows that object's format, and names what the candidate chose as the
// command of the table with the fields its dialog would give (字体, 对齐方式,
// 增大字号, 减小字号), so the toolbar and the dialogs change the document alike.
class FormatBar : public QToolBar
{
    Q_OBJECT

public:
    explicit FormatBar(QWidget *parent);

    // The object the bar acts on and its format on the slide: a placeholder,
    // or the run of characters selected in it ("标题「2005」").
    void showFormat(const Slide &slide, const QString &object);
    QString object() const { return m_object; }

signals:
    // A command with its fields, 对象 among them.
    void chosen(const QString &commandId, const QMap<QString, QString> &fields);
    // The format painter picked up the object's format.
    void painterPicked();

private:
    QString attribute(const QString &name) const;
    void choose(const QString &commandId, const QString &field, const QString &value);
    void chooseSize(const QString &text);
    void toggleShape(bool bold, bool italic);
    void chooseColour(const QString &colour);

    Slide m_slide;
    QString m_object;
    QComboBox *m_font = nullptr;
    QComboBox *m_size = nullptr;
    QMap<QString, QAction *> m_toggles;   // 加粗 倾斜 下划线 文字阴影 左对齐 居中 右对齐
    QToolButton *m_colour = nullptr;
    QString m_colourName;
};

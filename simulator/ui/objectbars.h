#pragma once

#include <QMap>
#include <QString>
#include <QToolBar>

#include <functional>

class QMenu;
class QToolButton;

// A toolbar of one kind of object, as the editor shows it floating over the
// slide while such an object is selected (or always, once ticked in 视图 →
// 工具栏): 图片 for a picture, 艺术字 for a WordArt object, 表格和边框 for a
// table. Each button does one of the editor's commands on the selection, in
// the same shapes as the drawing toolbar's: a command with its dialog's
// fields (`chosen`, the object acted on being the editor's to add), a
// command's dialog with one choice made (`opened`), one step more or less
// of a picture's 亮度 or 对比度 (`stepped`), or a setting turned over
// (`toggled`: 竖排文字, 字母高度相同). A button with a list shows it below
// itself; its entries are named "entry:<command>:<value>".
class ObjectBar : public QToolBar
{
    Q_OBJECT

public:
    // `title`: 图片, 艺术字 or 表格和边框.
    explicit ObjectBar(const QString &title, QWidget *parent = nullptr);

    static QStringList titles();
    // The kind of object (Shapes::kindOf) whose selection shows the bar.
    QString objectKind() const { return m_kind; }
    // Floated over the top right corner of its parent, below the bars
    // shown before it (`row`).
    void place(int row);

protected:
    // Kept in its corner as the slide view is resized.
    bool eventFilter(QObject *watched, QEvent *event) override;

signals:
    void chosen(const QString &commandId, const QMap<QString, QString> &fields);
    void opened(const QString &commandId, const QString &field, const QString &value);
    void stepped(const QString &field, int by);
    void toggled(const QString &commandId, const QString &field);

private:
    QAction *button(const QString &name, const std::function<void()> &done);
    QToolButton *listButton(const QString &name, QMenu *menu);
    QMenu *choices(const QString &commandId, const QString &field, const QStringList &values);
    void buildPicture();
    void buildWordArt();
    void buildTable();

    QString m_kind;
    int m_row = 0;
};

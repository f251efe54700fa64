#pragma once

#include <QDialog>
#include <QList>
#include <QStringList>

#include <functional>

class QComboBox;
class QPushButton;
class QSpinBox;
class QTabWidget;
class ColourField;
class ColourPreview;
class HexCell;

// The editor's 颜色 dialog, which every 其他颜色… opens: of the formatting
// toolbar's 字体颜色 list, the drawing toolbar's colour lists, the 背景
// dialog's fill box and the colour boxes of the dialogs. 标准 offers a
// honeycomb of colours and a row of greys to click; 自定义 a colour field
// with the 红色, 绿色 and 蓝色 boxes of the RGB mode. 新增 shows the colour
// taken, 当前 the one the list had.
//
// A colour the lists name is stored by that name ("蓝色"), any other as
// "RGB(r,g,b)" (see SlideArt::colourName). One taken with 确定 joins the
// recent colours, which the lists offer after their own.
class ColourDialog : public QDialog
{
    Q_OBJECT

public:
    // `current`: the colour as stored, empty for none.
    explicit ColourDialog(const QString &current, QWidget *parent = nullptr);

    // Opens the dialog over `parent` (it closes itself); `chosen` hears the
    // colour taken with 确定, after it joined the recent colours.
    static ColourDialog *ask(QWidget *parent, const QString &current, const std::function<void(const QString &)> &chosen);

    QString colour() const;
    // The colour shown as new: its cell on 标准, else its numbers on 自定义.
    void setColour(const QString &value);
    // Where the candidate gives `value`: its cell on 标准, else the 红色
    // box on 自定义; its tab is brought to the front.
    QWidget *control(const QString &value);
    QPushButton *okButton() const { return m_ok; }

    // Colours taken in the dialog that the lists do not name, the latest first.
    static QStringList recentColours();
    static void addRecent(const QString &value);

signals:
    void colourChosen(const QString &value);

private:
    void showColour(const QColor &colour, bool fromBoxes = false);
    HexCell *cellOf(const QColor &colour) const;

    QTabWidget *m_tabs = nullptr;
    QList<HexCell *> m_cells;
    ColourField *m_field = nullptr;
    QComboBox *m_mode = nullptr;
    QSpinBox *m_red = nullptr;
    QSpinBox *m_green = nullptr;
    QSpinBox *m_blue = nullptr;
    ColourPreview *m_preview = nullptr;
    QPushButton *m_ok = nullptr;
    QColor m_colour;
    bool m_showing = false;
};

#pragma once

#include <QColor>
#include <QFont>
#include <QObject>
#include <QString>

class QFrame;
class QPushButton;
class QWidget;

// Small pieces the exam's screens share.
namespace ExamUi {

inline const QColor moneyGreen{192, 220, 192};
inline const QColor selectorGreen{0, 128, 0};
inline const QColor white{255, 255, 255};
inline const QColor red{255, 0, 0};
inline const QColor blue{0, 0, 255};
// The backdrop of the full-screen exam windows.
inline const QColor roomBlue{0x2B, 0x5C, 0x8F};
// The face of the selector box and the result box on that backdrop.
inline const QColor boxFace{0xF0, 0xF0, 0xF0};

// A font of the system's names (楷体_GB2312, 宋体, Tahoma…) at a pixel size.
QFont font(const QString &family, int pixelSize, bool bold = false);

// A borderless window covering the whole screen, in the exam's backdrop colour.
void makeFullScreen(QWidget *window);

// A box with a lowered inner bevel on the backdrop (selector, result).
QFrame *loweredBox(QWidget *parent, int width, int height);

// The question buttons of the selector and the result grid: drawn without
// the system theme, in `colour`, the colour kept in the property "colour".
void paintButton(QPushButton *button, const QColor &colour);
QColor buttonColour(const QPushButton *button);

// Numbered question button k: caption k, name "a" + k, 28 × 23, ten in a
// row 35 apart, rows 30 apart, the first row at top 25.
QPushButton *questionButton(QWidget *parent, int k);

// A push button with its accessible name.
QPushButton *button(QWidget *parent, const QString &text, int left, int top, int width, int height);

// While it lives, the candidate's mouse and keyboard input to the program
// is dropped; painting and timers go on.
class InputRefusal : public QObject
{
public:
    InputRefusal();
    ~InputRefusal() override;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
};

// Waits `ms` milliseconds with the windows painting and input refused.
void paintingPause(int ms);

} // namespace ExamUi

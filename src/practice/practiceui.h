#pragma once

#include <QColor>
#include <QString>

class PictureBox;
class QLabel;
class QPushButton;
class QTextEdit;
class QWidget;

// Small pieces the guided-practice screens share.
namespace PracticeUi {

// Decoration pictures of the screens, drawn by the content builder into the
// images folder. A missing one leaves the place empty instead of stopping
// the screen: the candidate can still practise.
void decorate(PictureBox *box, const QString &imageName);

// A plain panel with a background colour.
QWidget *panel(QWidget *parent, const QColor &colour);

// A bold push button at its place.
QPushButton *button(QWidget *parent, const QString &text, int left, int top, int width, int height);

// The task box: the line "要求:" and the task after two blanks, as plain
// text, scrolled to its beginning.
void showTask(QTextEdit *box, const QString &task);

// A read-only rich-text box whose text the candidate cannot change.
QTextEdit *richEdit(QWidget *parent, int pixelSize = 0);

// The style sheet that gives the question lists their grid lines.
QString gridLines();

// An invisible click area that opens the product web site.
QLabel *siteArea(QWidget *parent, int left, int top, int width, int height);

inline const QColor skyBlue{0xA6, 0xCA, 0xF0};
inline const QColor moneyGreen{192, 220, 192};

} // namespace PracticeUi

#pragma once

#include <QLabel>
#include <QString>

// A picture control of the shell's screens: shows a picture file or a
// built-in picture, and reports the mouse as the screens use it (pressed,
// moved over, left, clicked). A stretched box scales its picture to its
// size; otherwise the picture sits at the top left and is clipped.
class PictureBox : public QLabel
{
    Q_OBJECT

public:
    explicit PictureBox(QWidget *parent = nullptr);

    // Loads a picture file. A file that cannot be read raises StoreError
    // with the path and the reason, and the shown picture stays.
    void loadPicture(const QString &path);
    void setBuiltInPicture(const QPixmap &picture);
    void clearPicture();

    // The file of the picture shown; empty for none or a built-in one.
    QString picturePath() const { return m_path; }

    void setStretch(bool stretch) { setScaledContents(stretch); }

    // Loads a picture file into any label (the chapter browser's banner).
    static void loadInto(QLabel *label, const QString &path);

signals:
    void mousePressed(Qt::MouseButton button, QPointF globalPosition);
    void mouseMoved();
    void mouseLeft();
    void clicked();

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void leaveEvent(QEvent *event) override;

private:
    QString m_path;
    bool m_pressed = false;
};

#pragma once

#include "lessonscript.h"

#include <QImage>
#include <QPoint>
#include <QPointer>

#include <functional>
#include <memory>

class QDialog;
class QWidget;

// Plays a lesson's beats in the question simulator's editor window, made in
// this process on the offscreen platform, and draws the movie's frames: the
// editor with its open menus and dialogs as the candidate sees them, a
// moving pointer and the captions.
//
// The editor is driven only the way a tool outside it can: its controls are
// found at run time by their texts, object names and accessible names, and
// clicked with mouse events. A control that cannot be found leaves the beat
// as a caption over the current picture, so a changed editor never stops the
// build; the movie then shows less, and the builder reports it.
class LessonRecorder
{
public:
    static constexpr int Width = 800;
    static constexpr int Height = 600;
    static constexpr int FramesPerSecond = 10;
    // Frames the pointer takes to reach a control, and the frames of a beat
    // with an action at least.
    static constexpr int MoveFrames = 7;
    static constexpr int ActionFrames = MoveFrames + 8;

    explicit LessonRecorder(QString programFolder);
    ~LessonRecorder();

    // Plays the beats, `beatFrames` frames each, and hands every frame to
    // `sink`. Returns the captions whose control was not found.
    QStringList record(const LessonScript &script, const QList<int> &beatFrames,
                       const std::function<void(const QImage &)> &sink);

private:
    struct Target
    {
        bool found = false;
        QPoint at;                    // in frame coordinates
        std::function<void()> prepare; // shown before the click (a highlighted entry)
        std::function<void()> act;
    };

    void openEditor(const QString &question);
    void closeEditor();
    void settle();
    void grab();
    QImage compose(const QString &caption, bool titleCard, double clickAge) const;
    Target locate(const LessonBeat &beat);
    QPoint toFrame(const QWidget *widget, QPoint local) const;
    void paneTarget(const LessonBeat &beat, Target *t);
    void answerTarget(QDialog *dialog, const QString &answer, Target *t);

    QString m_programFolder;
    QPointer<QWidget> m_editor;
    QString m_question;
    QImage m_screen;
    QPointF m_pointer{Width / 2.0, Height / 2.0};
};

#pragma once

#include "document.h"

#include <QColor>
#include <QMap>
#include <QPointer>
#include <QPolygonF>
#include <QWidget>

#include <functional>

class QFrame;
class QLabel;
class QMenu;
class QTimer;

// The running slide show. It covers the whole editor window and shows the
// slide large, centred on black, in the part of the window the practice
// panel shows. Click, Space, →, ↓, PgDn and Enter go on, ←, ↑, PgUp and
// Backspace go back, Esc ends; after the last slide a black screen waits for
// a click. The right button opens the show's menu (slides, pointer, ink,
// screen, help, end); with the pen, dragging draws ink on the slide.
//
// A rehearsal is the show with the 预演 bar at its top left: 下一项, 暂停,
// the current slide's time, 重复 and the total time, counted in real
// seconds. When the last slide is done (or Esc ends early) it asks whether
// to keep the new timings.
//
// The show changes nothing itself: it names every action the candidate takes
// (see ShowActions) and the editor carries it out through the session. It is
// built the first time a show starts, the rehearsal's parts the first time a
// rehearsal does.
class SlideShow : public QWidget
{
    Q_OBJECT

public:
    // `shown` is the part of the window the candidate sees.
    SlideShow(const Document *document, const QRect &shown, QWidget *parent);

    // Starts at slide `index` (0-based), covering the parent; a rehearsal times the slides.
    void start(int index, bool rehearsal = false);
    bool rehearsing() const { return m_rehearsing; }
    // Where the rehearsal reads the time, in milliseconds; a steady clock unless replaced.
    static void setClock(std::function<qint64()> clock);
    int slideIndex() const { return m_index; }
    bool atEnd() const { return m_atEnd; }
    bool hasInk() const;

    // The guide's hint at the bottom of the show; empty hides the strip.
    void setHint(const QString &text, const QColor &colour);
    QString hint() const { return m_hint; }
    // The action the guide waits for: the show's menu opens on its entry.
    void setAwaited(const QString &action) { m_awaited = action; }

    // The show's context menu as the right button opens it, built anew.
    QMenu *contextMenu();
    QWidget *inkQuestion() const;
    QWidget *rehearsalBar() const;
    QWidget *timingsQuestion() const;

signals:
    // An action the candidate took, as ShowActions names it.
    void actionTaken(const QString &action);
    // The show is over and hidden.
    void finished();

protected:
    bool event(QEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    // Left out as the show runs through: hidden, or not among the slides set up to be shown.
    bool leftOut(int index) const;
    struct Stroke
    {
        QPolygonF points;   // in fractions of the slide
        QColor colour;
        bool highlighter = false;
    };

    void next();
    void previous();
    void goTo(int index);
    void setPointer(const QString &pointer);
    void eraseInk();   // the current slide's ink wiped, when it has any
    void take(const QString &action);
    bool dismissOverlay();
    void requestEnd();
    void answerInk(bool keep);
    void finish();
    // The rehearsal: its bar, its clock and its question at the end.
    void buildRehearsalBar();
    qint64 slideMs() const;
    void slideDone();
    void togglePause();
    void repeatSlide();
    void showTimes();
    void askTimings();
    void answerTimings(bool keep);
    QRectF slideRect() const;
    QColor inkColour() const;
    void paintStroke(QPainter &p, const Stroke &stroke, const QRectF &slide) const;

    const Document *m_document;
    QRect m_shown;
    int m_index = 0;
    bool m_atEnd = false;
    QString m_screen;        // 黑屏 or 白屏 while the screen hides the slide
    bool m_help = false;
    QString m_pointer = QStringLiteral("箭头");
    QString m_inkColourName;
    QString m_typedNumber;   // digits typed toward a slide's number
    QMap<int, QList<Stroke>> m_ink;
    bool m_drawing = false;
    QString m_hint;
    QColor m_hintColour;
    QString m_awaited;
    QPointer<QMenu> m_menu;
    QFrame *m_question = nullptr;

    bool m_rehearsing = false;
    QFrame *m_rehearsalBar = nullptr;
    QLabel *m_slideTime = nullptr;
    QLabel *m_totalTime = nullptr;
    QTimer *m_tick = nullptr;
    qint64 m_slideStart = 0;     // when the current slide's time began
    qint64 m_pausedAt = -1;      // when the pause began; -1 while the time runs
    qint64 m_doneMs = 0;         // the slides already done
    QList<int> m_slideSeconds;   // whole seconds of each slide done
    QFrame *m_timings = nullptr;
    QLabel *m_timingsText = nullptr;
};

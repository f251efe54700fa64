#pragma once

#include "document.h"

#include <memory>

class QUndoStack;

// What 撤销 and 恢复 go through: a QUndoStack of the changes made to the
// presentation, each keeping the state on its other side. Copied as a value
// (the guide plays ahead on a copy of the candidate's session, 撤销 included).
class History
{
public:
    struct State
    {
        Document document;
        int current = 1;   // the slide under edit, 1-based
    };

    History();
    History(const History &other);
    History &operator=(const History &other);
    ~History();

    // A change made or about to be made: taking it back returns to `before`.
    void push(State before);
    // Takes back the last change, or brings back the last one taken back:
    // `now` becomes the state on its other side. False when there is none.
    bool undo(State &now);
    bool redo(State &now);
    bool canUndo() const;
    bool canRedo() const;
    void clear();

private:
    class Change;
    std::unique_ptr<QUndoStack> m_stack;
    State *m_now = nullptr;   // while a change is taken back or brought back
};

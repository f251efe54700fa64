#include "history.h"

#include <QUndoStack>

// A change is made before it is pushed: the stack's first redo does nothing,
// and each later undo or redo swaps the state it keeps with the session's.
class History::Change : public QUndoCommand
{
public:
    Change(History &history, State other) : m_history(history), m_other(std::move(other)) {}
    void undo() override { swap(); }
    void redo() override
    {
        if (m_made)
            swap();
        m_made = true;
    }
    const State &other() const { return m_other; }

private:
    void swap()
    {
        if (m_history.m_now)
            std::swap(*m_history.m_now, m_other);
    }

    History &m_history;
    State m_other;
    bool m_made = false;
};

History::History() : m_stack(std::make_unique<QUndoStack>())
{
    m_stack->setUndoLimit(100);  // as far back as the editor's own undo goes
}

History::History(const History &other) : History()
{
    *this = other;
}

History &History::operator=(const History &other)
{
    if (this == &other)
        return *this;
    // The other's changes as they stand, those taken back included; with no
    // state to swap with, setting the index moves nothing.
    m_stack->clear();
    for (int i = 0; i < other.m_stack->count(); ++i)
        m_stack->push(new Change(*this, static_cast<const Change *>(other.m_stack->command(i))->other()));
    m_stack->setIndex(other.m_stack->index());
    return *this;
}

History::~History() = default;

void History::push(State before)
{
    m_stack->push(new Change(*this, std::move(before)));
}

bool History::undo(State &now)
{
    if (!m_stack->canUndo())
        return false;
    m_now = &now;
    m_stack->undo();
    m_now = nullptr;
    return true;
}

bool History::redo(State &now)
{
    if (!m_stack->canRedo())
        return false;
    m_now = &now;
    m_stack->redo();
    m_now = nullptr;
    return true;
}

bool History::canUndo() const
{
    return m_stack->canUndo();
}

bool History::canRedo() const
{
    return m_stack->canRedo();
}

void History::clear()
{
    m_stack->clear();
}

#pragma once

#include "document.h"

#include <QMap>
#include <QString>

#include <optional>

// The editor's working state without any screen: the document, the slide
// under edit and the slide clipboard. The editor window calls it for every
// menu command, toolbar button, shortcut, context-menu entry and typed text,
// and tests play the tasks' solution paths through it.
class Session
{
public:
    explicit Session(Document document = Document::sample(6));

    const Document &document() const { return m_document; }
    int current() const { return m_current; }   // 1-based
    void select(int slide);

    // Carries out a command of the command table with its dialog's fields.
    // Returns false (and changes nothing) for an unknown command.
    bool run(const QString &commandId, const QMap<QString, QString> &fields = {});

    // Text typed into the current slide: part is "title", "body" or "notes".
    void setText(const QString &part, const QString &text);

private:
    Document m_document;
    int m_current = 1;
    std::optional<Slide> m_clipboard;
};

#pragma once

#include <QString>

#include <stdexcept>

// The one error type of the store and the platform layer. It carries the
// underlying message (the database engine's own text, a file path with the
// system's reason) that the standard error box shows to the candidate, and,
// for diagnosis, the statement that was running.
class StoreError : public std::runtime_error
{
public:
    explicit StoreError(const QString &message, const QString &statement = {})
        : std::runtime_error(message.toStdString()), m_message(message), m_statement(statement)
    {
    }

    QString message() const { return m_message; }
    QString statement() const { return m_statement; }

private:
    QString m_message;
    QString m_statement;
};

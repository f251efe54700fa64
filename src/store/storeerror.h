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
    explicit StoreError(const QString &message, const QString &statement = {}, int engineCode = 0)
        : std::runtime_error(message.toStdString()), m_message(message), m_statement(statement),
          m_engineCode(engineCode)
    {
    }

    QString message() const { return m_message; }
    QString statement() const { return m_statement; }

    // The database engine's primary result code, 0 for errors of our own.
    int engineCode() const { return m_engineCode; }
    // Another connection holds the file: the same work may succeed later.
    bool isBusy() const;
    // The work may succeed later without anything changed in the program:
    // the file is held by another connection, or the disk is full.
    bool isTransient() const;

private:
    QString m_message;
    QString m_statement;
    int m_engineCode = 0;
};

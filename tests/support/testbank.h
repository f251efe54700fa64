#pragma once

#include "connection.h"

#include <QString>
#include <QTemporaryDir>

// A fresh program folder with an empty, encrypted question bank in it, made
// the way the content builder makes the real one. The program folder points
// at it for the life of the fixture.
class TestBank
{
public:
    TestBank();
    ~TestBank();

    QString folder() const;
    QString databasePath() const;
    QString connectionString() const;

    // Runs statements on the fixture's own connection.
    void exec(const QString &statements);
    // Adds a question row; `extra` holds further "column=value" pairs.
    void addQuestion(int id, const QString &th, const QString &chapter, const QString &extra = {});
    // One text value read through a fresh connection.
    QString value(const QString &select);

private:
    QTemporaryDir m_dir;
    Connection m_connection;
};

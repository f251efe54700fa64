#pragma once

#include <QString>

#include <optional>

class Connection;

// The candidate's work on an exam question, kept in the bank so that leaving
// the question ("上一题", "下一题", the selector) and coming back shows the
// presentation as the candidate left it. One row per question in table
// `kswj` (th, wd): the simulator writes its document on every change and
// reads it back when it starts in exam mode. The host deletes every row when
// it assembles a paper and the question's row for "重做本题". Banks made
// before the table existed get it on first use.
class ExamWork
{
public:
    ExamWork(Connection &connection, const QString &th) : m_connection(connection), m_th(th) {}

    // The saved document text; nullopt when the question has none.
    std::optional<QString> read();
    void save(const QString &work);

private:
    void ensureTable();

    Connection &m_connection;
    QString m_th;
    bool m_tableReady = false;
};

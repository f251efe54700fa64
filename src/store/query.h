#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <QVariant>

#include <optional>

class Connection;
struct sqlite3;

// A dataset over one statement, the way the screens walk the bank: set the
// statement text, open it, move through the rows, read fields by name, edit
// the current row and post it.
//
// Open reads the whole result at once, so record counts and walking back are
// free and no read transaction stays open against the simulators' writes.
// Rows of "select * from <table> …" statements remember their row id, and a
// post writes only the assigned columns into exactly that row: a column that
// a simulator wrote meanwhile is left as the simulator wrote it.
class Query
{
public:
    explicit Query(Connection &connection);

    void setSql(const QString &statement) { close(); m_sql = statement; }
    QString sql() const { return m_sql; }

    void open();
    void execSql();
    void close();
    bool isOpen() const { return m_open; }

    void first();
    void last();
    void next();
    void prior();
    void moveBy(int distance);
    bool eof() const { return m_eof; }
    bool bof() const { return m_bof; }
    bool isEmpty() const { return m_rows.isEmpty(); }
    int recNo() const { return m_rows.isEmpty() ? 0 : m_current + 1; }
    int recordCount() const { return int(m_rows.size()); }

    // Null reads as the empty text. An unknown column raises StoreError.
    QString fieldText(const QString &column) const;
    // Raises StoreError naming the column and the value when the text is
    // empty or not a whole number.
    int fieldInt(const QString &column) const;

    // Edit on an empty result inserts a new row holding the assigned columns.
    void edit();
    void setField(const QString &column, const QString &value);
    void setField(const QString &column, int value);
    void post();
    bool isEditing() const { return m_state != State::Browse; }

private:
    enum class State { Browse, Edit, Insert };
    using Row = QList<std::optional<QString>>;

    sqlite3 *openConnection();
    void requireOpen() const;
    int columnIndex(const QString &column) const;
    void assign(const QString &column, const QVariant &value);

    Connection &m_connection;
    QString m_sql;
    bool m_open = false;
    QString m_table;  // empty when the rows cannot be written back
    QStringList m_columns;
    QList<Row> m_rows;
    QList<qint64> m_rowIds;
    int m_current = 0;
    bool m_bof = true;
    bool m_eof = true;
    State m_state = State::Browse;
    QList<std::pair<int, QVariant>> m_assigned;
};

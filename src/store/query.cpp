#include "query.h"

#include "connection.h"
#include "storeerror.h"

#include <QRegularExpression>

#include <sqlite3.h>

#include <memory>

namespace {

struct StatementDeleter
{
    void operator()(sqlite3_stmt *statement) const { sqlite3_finalize(statement); }
};
using StatementPtr = std::unique_ptr<sqlite3_stmt, StatementDeleter>;

StatementPtr prepare(sqlite3 *db, const QString &text, const QString &shown)
{
    sqlite3_stmt *statement = nullptr;
    const QByteArray utf8 = text.toUtf8();
    if (sqlite3_prepare_v2(db, utf8.constData(), int(utf8.size()), &statement, nullptr) != SQLITE_OK) {
        sqlite3_finalize(statement);
        throw StoreError(QString::fromUtf8(sqlite3_errmsg(db)), shown, sqlite3_errcode(db) & 0xff);
    }
    if (!statement)
        throw StoreError(QStringLiteral("语句为空。"), shown);
    return StatementPtr(statement);
}

[[noreturn]] void throwStepError(sqlite3 *db, const QString &text)
{
    throw StoreError(QString::fromUtf8(sqlite3_errmsg(db)), text, sqlite3_errcode(db) & 0xff);
}

void bindValue(sqlite3_stmt *statement, int index, const QVariant &value)
{
    if (value.typeId() == QMetaType::Int) {
        sqlite3_bind_int(statement, index, value.toInt());
    } else {
        const QByteArray utf8 = value.toString().toUtf8();
        sqlite3_bind_text(statement, index, utf8.constData(), int(utf8.size()), SQLITE_TRANSIENT);
    }
}

// "select * from <table> …" gets the row id in front of its columns, so that
// a post can name exactly the row that was read.
const QRegularExpression &writableSelect()
{
    static const QRegularExpression re(QStringLiteral(R"(^\s*select\s+\*\s+from\s+([A-Za-z_][A-Za-z0-9_]*)\b)"),
                                       QRegularExpression::CaseInsensitiveOption);
    return re;
}

} // namespace

Query::Query(Connection &connection)
    : m_connection(connection)
{
}

void Query::open()
{
    close();
    sqlite3 *db = openConnection();
    QString text = m_sql;
    const QRegularExpressionMatch match = writableSelect().match(m_sql);
    if (match.hasMatch()) {
        m_table = match.captured(1);
        text = m_sql.left(match.capturedStart(0)) + QStringLiteral("select rowid, * from ")
            + m_sql.mid(match.capturedStart(1));
    }
    StatementPtr statement = prepare(db, text, m_sql);
    const int firstColumn = m_table.isEmpty() ? 0 : 1;
    const int columnCount = sqlite3_column_count(statement.get());
    for (int c = firstColumn; c < columnCount; ++c)
        m_columns << QString::fromUtf8(sqlite3_column_name(statement.get(), c));

    int rc;
    while ((rc = sqlite3_step(statement.get())) == SQLITE_ROW) {
        Row row;
        row.reserve(columnCount - firstColumn);
        for (int c = firstColumn; c < columnCount; ++c) {
            if (sqlite3_column_type(statement.get(), c) == SQLITE_NULL) {
                row << std::nullopt;
            } else {
                const auto *bytes = reinterpret_cast<const char *>(sqlite3_column_text(statement.get(), c));
                row << QString::fromUtf8(bytes, sqlite3_column_bytes(statement.get(), c));
            }
        }
        m_rows << row;
        if (firstColumn)
            m_rowIds << sqlite3_column_int64(statement.get(), 0);
    }
    if (rc != SQLITE_DONE) {
        const QString message = QString::fromUtf8(sqlite3_errmsg(db));
        const int code = sqlite3_errcode(db) & 0xff;
        close();
        throw StoreError(message, m_sql, code);
    }
    m_open = true;
    first();
}

void Query::execSql()
{
    close();
    sqlite3 *db = openConnection();
    StatementPtr statement = prepare(db, m_sql, m_sql);
    int rc;
    while ((rc = sqlite3_step(statement.get())) == SQLITE_ROW) {
    }
    if (rc != SQLITE_DONE)
        throwStepError(db, m_sql);
}

sqlite3 *Query::openConnection()
{
    // As with the system's dataset components, a statement on a closed
    // connection opens it first.
    if (!m_connection.isOpen())
        m_connection.open();
    return m_connection.handle();
}

void Query::close()
{
    m_open = false;
    m_table.clear();
    m_columns.clear();
    m_rows.clear();
    m_rowIds.clear();
    m_current = 0;
    m_bof = m_eof = true;
    m_state = State::Browse;
    m_assigned.clear();
}

void Query::first()
{
    m_current = 0;
    m_bof = true;
    m_eof = m_rows.isEmpty();
}

void Query::last()
{
    m_current = m_rows.isEmpty() ? 0 : int(m_rows.size()) - 1;
    m_bof = m_rows.isEmpty();
    m_eof = true;
}

void Query::next()
{
    moveBy(1);
}

void Query::prior()
{
    moveBy(-1);
}

void Query::moveBy(int distance)
{
    if (m_rows.isEmpty()) {
        m_bof = m_eof = true;
        return;
    }
    const int last = int(m_rows.size()) - 1;
    const int target = m_current + distance;
    m_bof = target < 0;
    m_eof = target > last;
    m_current = std::clamp(target, 0, last);
}

void Query::requireOpen() const
{
    if (!m_open)
        throw StoreError(QStringLiteral("数据集没有打开。"), m_sql);
}

int Query::columnIndex(const QString &column) const
{
    requireOpen();
    for (int i = 0; i < m_columns.size(); ++i) {
        if (m_columns.at(i).compare(column, Qt::CaseInsensitive) == 0)
            return i;
    }
    throw StoreError(QStringLiteral("找不到字段“%1”。").arg(column), m_sql);
}

QString Query::fieldText(const QString &column) const
{
    const int index = columnIndex(column);
    if (m_rows.isEmpty())
        return {};
    return m_rows.at(m_current).at(index).value_or(QString());
}

int Query::fieldInt(const QString &column) const
{
    const QString text = fieldText(column);
    bool ok = false;
    const int value = text.toInt(&ok);
    if (!ok)
        throw StoreError(QStringLiteral("字段“%1”的值“%2”不是有效的整数。").arg(column, text), m_sql);
    return value;
}

void Query::edit()
{
    requireOpen();
    if (m_table.isEmpty())
        throw StoreError(QStringLiteral("这个数据集不能修改。"), m_sql);
    m_assigned.clear();
    m_state = m_rows.isEmpty() ? State::Insert : State::Edit;
}

void Query::assign(const QString &column, const QVariant &value)
{
    const int index = columnIndex(column);
    if (m_state == State::Browse)
        throw StoreError(QStringLiteral("数据集不在编辑状态。"), m_sql);
    for (auto &assigned : m_assigned) {
        if (assigned.first == index) {
            assigned.second = value;
            return;
        }
    }
    m_assigned.append({index, value});
}

void Query::setField(const QString &column, const QString &value)
{
    assign(column, value);
}

void Query::setField(const QString &column, int value)
{
    assign(column, value);
}

void Query::post()
{
    if (m_state == State::Browse)
        return;
    sqlite3 *db = m_connection.handle();
    QString text;
    QStringList names;
    for (const auto &assigned : m_assigned)
        names << u'"' + m_columns.at(assigned.first) + u'"';

    if (m_state == State::Insert) {
        if (names.isEmpty())
            text = QStringLiteral("insert into \"%1\" default values").arg(m_table);
        else
            text = QStringLiteral("insert into \"%1\" (%2) values (%3)")
                       .arg(m_table, names.join(u", "), QStringList(names.size(), QStringLiteral("?")).join(u", "));
    } else if (!names.isEmpty()) {
        for (QString &name : names)
            name += QStringLiteral(" = ?");
        text = QStringLiteral("update \"%1\" set %2 where rowid = ?").arg(m_table, names.join(u", "));
    }

    if (!text.isEmpty()) {
        StatementPtr statement = prepare(db, text, text);
        int parameter = 1;
        for (const auto &assigned : m_assigned)
            bindValue(statement.get(), parameter++, assigned.second);
        if (m_state == State::Edit)
            sqlite3_bind_int64(statement.get(), parameter, m_rowIds.at(m_current));
        if (sqlite3_step(statement.get()) != SQLITE_DONE)
            throwStepError(db, text);
    }

    if (m_state == State::Insert) {
        m_rows << Row(m_columns.size(), std::nullopt);
        m_rowIds << sqlite3_last_insert_rowid(db);
        m_current = int(m_rows.size()) - 1;
        m_bof = m_eof = false;
    }
    Row &row = m_rows[m_current];
    for (const auto &assigned : m_assigned)
        row[assigned.first] = assigned.second.toString();
    m_state = State::Browse;
    m_assigned.clear();
}

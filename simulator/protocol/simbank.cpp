#include "simbank.h"

#include "query.h"
#include "statements.h"
#include "storeerror.h"

SimBank::SimBank(const QString &programFolder, const QString &th)
    : m_th(th), m_connection(Connection::connectionStringFor(programFolder))
{
    m_connection.setBusyTimeout(BusyWaitMs);
}

void SimBank::open()
{
    m_connection.open();
}

SimBank::Row SimBank::read()
{
    Row row;
    row.th = m_th;
    Query query(m_connection);
    query.setSql(Sql::questionByNumber(m_th));
    query.open();
    if (query.isEmpty())
        throw StoreError(QStringLiteral("题库中没有题目%1。").arg(m_th));
    row.ti = query.fieldText(QStringLiteral("ti"));
    row.mode = query.fieldText(QStringLiteral("dqwz")).trimmed() == u"2" ? Mode::Exam : Mode::Practice;

    query.setSql(Sql::singleRow(row.mode == Mode::Exam ? QStringLiteral("jl1") : QStringLiteral("jl")));
    query.open();
    if (!query.isEmpty()) {
        bool okX = false, okY = false;
        const int x = query.fieldText(QStringLiteral("jl")).toInt(&okX);
        const int y = query.fieldText(QStringLiteral("jl1")).toInt(&okY);
        row.hasPosition = okX && okY;
        if (row.hasPosition)
            row.position = QPoint(x, y);
    }

    query.setSql(Sql::singleRow(QStringLiteral("srf")));
    query.open();
    if (!query.isEmpty())
        row.inputMethod = query.fieldText(QStringLiteral("srf"));
    return row;
}

void SimBank::announce(quint64 windowId)
{
    writeColumn(QStringLiteral("jc"), QString::number(windowId));
}

void SimBank::withdraw(quint64 windowId)
{
    if (!m_connection.isOpen())
        return;
    m_connection.exec(QStringLiteral("update sbsti set jc='' where th='") + Sql::quoted(m_th)
                      + QStringLiteral("' and jc='") + QString::number(windowId) + QStringLiteral("'"));
}

void SimBank::setCompleted()
{
    writeColumn(QStringLiteral("zt"), QStringLiteral("已完成"));
}

void SimBank::setExamCorrect(bool ok)
{
    writeColumn(QStringLiteral("ks"), ok ? QStringLiteral("1") : QString());
}

void SimBank::writeColumn(const QString &column, const QString &value)
{
    Query query(m_connection);
    query.setSql(Sql::questionByNumber(m_th));
    query.open();
    if (query.isEmpty())
        throw StoreError(QStringLiteral("题库中没有题目%1。").arg(m_th));
    query.edit();
    query.setField(column, value);
    query.post();
    query.close();
}

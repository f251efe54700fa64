#include "handover.h"

#include "query.h"
#include "statements.h"

namespace {

void writePosition(Query &query, const QString &table, QPoint position)
{
    query.close();
    query.setSql(Sql::singleRow(table));
    query.open();
    query.edit();
    query.setField(QStringLiteral("jl"), position.x());
    query.setField(QStringLiteral("jl1"), position.y());
    query.post();
    query.close();
}

} // namespace

namespace Handover {

void writePracticePanelPosition(Query &query, QPoint position)
{
    writePosition(query, QStringLiteral("jl"), position);
}

void writeExamPanelPosition(Query &query, QPoint position)
{
    writePosition(query, QStringLiteral("jl1"), position);
}

void writeInputMethod(Query &query, const QString &inputMethod)
{
    query.close();
    query.setSql(Sql::singleRow(QStringLiteral("srf")));
    query.open();
    query.edit();
    query.setField(QStringLiteral("srf"), inputMethod);
    query.post();
    query.close();
}

QPoint practicePanelPosition(QPoint mainWindowTopLeft, int panelLeft)
{
    return {mainWindowTopLeft.x() + panelLeft + 9, mainWindowTopLeft.y() + 109};
}

QPoint examPanelPosition(QSize screen)
{
    return {screen.width() / 2 - 395, screen.height() / 2 - 303};
}

} // namespace Handover

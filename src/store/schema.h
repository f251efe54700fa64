#pragma once

#include <QStringList>

// The tables of the question bank as the content builder creates them.
// The program itself never creates a table; tests build their fixture banks
// with the same definitions so that they meet the shape the program meets.
namespace Schema {

QStringList createStatements();

// The title-and-HTML tables (columns id, list, wy).
QStringList titleTables();

} // namespace Schema

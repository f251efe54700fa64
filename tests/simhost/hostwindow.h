#pragma once

#include "connection.h"
#include "query.h"
#include "simhost.h"

#include <QLineEdit>
#include <QWidget>

// A stand-in for an embedding window (the practice window docked in the main
// window): 1020 × 758 with its 800 × 600 simulator panel at (198, 0), a line
// edit of its own to take the keys back, and its own connection and query.
class HostWindow : public QWidget
{
public:
    explicit HostWindow(const QString &connectionString)
        : connection(connectionString)
    {
        connection.open();
        setFixedSize(1020, 758);
        edit = new QLineEdit(this);
        edit->setGeometry(10, 10, 150, 30);
        Panel2 = new QWidget(this);
        Panel2->setGeometry(198, 0, 800, 600);
        host = new SimHost(connection, query, Panel2, this);
    }

    Connection connection;
    Query query{connection};
    QLineEdit *edit = nullptr;
    QWidget *Panel2 = nullptr;
    SimHost *host = nullptr;
};

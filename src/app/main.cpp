#include "connection.h"
#include "programfolder.h"
#include "query.h"
#include "statements.h"
#include "storeerror.h"

#include <QApplication>
#include <QLabel>
#include <QMessageBox>

int main(int argc, char *argv[])
{
    qputenv("QT_QPA_PLATFORM", "xcb");
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Pelquor"));

    QLabel window;
    window.setWindowTitle(QStringLiteral("Pelquor"));
    window.setMinimumSize(480, 200);
    window.setAlignment(Qt::AlignCenter);
    try {
        Connection connection(Connection::connectionStringFor(ProgramFolder::path()));
        connection.open();
        Query query(connection);
        query.setSql(Sql::chapters());
        query.open();
        window.setText(QStringLiteral("题库已打开：%1 个章节").arg(query.recordCount()));
    } catch (const StoreError &error) {
        QMessageBox::critical(nullptr, QStringLiteral("Pelquor"), error.message());
    }
    window.show();
    return app.exec();
}

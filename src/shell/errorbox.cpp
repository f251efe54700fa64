#include "errorbox.h"

#include "storeerror.h"

#include <QCoreApplication>
#include <QMessageBox>
#include <QWidget>

namespace ErrorBox {

void show(QWidget *parent, const QString &message)
{
    // A parent that is not on screen would leave the box without a place.
    if (parent && !parent->isVisible())
        parent = nullptr;
    QMessageBox::critical(parent, QStringLiteral("Pelquor"), message);
}

QString currentMessage()
{
    try {
        throw;
    } catch (const StoreError &error) {
        return error.message();
    } catch (const std::exception &error) {
        return QString::fromLocal8Bit(error.what());
    } catch (...) {
        return QStringLiteral("未知错误");
    }
}

} // namespace ErrorBox

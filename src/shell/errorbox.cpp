#include "errorbox.h"

#include "storeerror.h"

#include <QCoreApplication>
#include <QMessageBox>
#include <QWidget>

namespace {

// The engine's messages are English; the candidate first reads in Chinese
// what went wrong and what to do, then the underlying message.
QString explanation(const StoreError &error)
{
    switch (error.engineCode()) {
    case 8:  // read-only file or folder
        return QStringLiteral("题库文件 data/orva.mdb 不能写入：文件或它所在的 data 文件夹是只读的。"
                              "练习记录无法保存。请让文件和文件夹可以写入（或把程序文件夹复制到可以写入的位置）。");
    case 13:  // disk full
        return QStringLiteral("磁盘已满，题库文件 data/orva.mdb 无法写入。请清理磁盘空间后再试。");
    case 5:
    case 6:  // another program holds the file
        return QStringLiteral("题库文件 data/orva.mdb 正被其他程序占用，请稍后再试。");
    case 14:  // cannot open
        return QStringLiteral("无法打开或写入题库文件 data/orva.mdb：文件不存在，或它所在的 data 文件夹不能写入。"
                              "请检查文件夹的写权限，或重新生成程序文件夹（scripts/build）。");
    case 26:  // not a database, or another key
        return QStringLiteral("题库文件 data/orva.mdb 不是本程序的题库，或已经损坏。请重新生成程序文件夹（scripts/build）。");
    default:
        return {};
    }
}

} // namespace

namespace ErrorBox {

void show(QWidget *parent, const QString &message)
{
    // A parent that is not on screen would leave the box without a place.
    if (parent && !parent->isVisible())
        parent = nullptr;
    QMessageBox::critical(parent, QStringLiteral("Pelquor"), message);
}

namespace {
bool storeErrorsHeld = false;
}

void holdStoreErrors(bool hold)
{
    storeErrorsHeld = hold;
}

void showCurrent(QWidget *parent)
{
    try {
        throw;
    } catch (const StoreError &) {
        if (storeErrorsHeld)
            return;
        show(parent, currentMessage());
    } catch (...) {
        show(parent, currentMessage());
    }
}

QString currentMessage()
{
    try {
        throw;
    } catch (const StoreError &error) {
        const QString reason = explanation(error);
        return reason.isEmpty() ? error.message() : reason + QStringLiteral("\n\n") + error.message();
    } catch (const std::exception &error) {
        return QString::fromLocal8Bit(error.what());
    } catch (...) {
        return QStringLiteral("未知错误");
    }
}

} // namespace ErrorBox

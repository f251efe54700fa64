#include "folderswap.h"

#include <QFile>

#include <algorithm>
#include <filesystem>
#include <system_error>

namespace fs = std::filesystem;

namespace FolderSwap {

namespace {

fs::path pathOf(const QString &folder, const QString &relative)
{
    return fs::path(QFile::encodeName(folder).toStdString()) / QFile::encodeName(relative).toStdString();
}

QString reason(const std::error_code &error)
{
    return QString::fromLocal8Bit(error.message());
}

bool present(const fs::path &path)
{
    std::error_code error;
    return fs::symlink_status(path, error).type() != fs::file_type::not_found && !error;
}

struct Step
{
    fs::path target;
    fs::path source;  // where the new file came from
    fs::path old;     // where the replaced file went; empty when there was none
};

} // namespace

Result replace(const QString &folder, const QString &staged, const QStringList &files, const QString &aside,
               const std::function<bool(const QString &file)> &beforeEach)
{
    QStringList unique = files;
    unique.removeDuplicates();

    // Checked before anything moves: a new file must not land on a folder,
    // nor inside something that is not a folder.
    for (const QString &file : unique) {
        std::error_code error;
        const fs::path target = pathOf(folder, file);
        if (fs::symlink_status(target, error).type() == fs::file_type::directory)
            return {false, QStringLiteral("程序文件夹中的“%1”是一个文件夹，不能用文件替换").arg(file)};
        const QStringList parts = file.split(u'/');
        QString partial;
        for (qsizetype i = 0; i + 1 < parts.size(); ++i) {
            partial += (i ? QStringLiteral("/") : QString()) + parts.at(i);
            const fs::path up = pathOf(folder, partial);
            const auto type = fs::symlink_status(up, error).type();
            if (type == fs::file_type::directory || type == fs::file_type::not_found
                || (type == fs::file_type::symlink && fs::is_directory(up, error)))
                continue;
            return {false, QStringLiteral("程序文件夹中的“%1”不是文件夹，无法放入新文件").arg(partial)};
        }
    }

    std::vector<Step> done;
    std::vector<fs::path> madeFolders;
    auto undo = [&] {
        std::error_code ignored;
        for (auto step = done.rbegin(); step != done.rend(); ++step) {
            fs::rename(step->target, step->source, ignored);
            if (!step->old.empty())
                fs::rename(step->old, step->target, ignored);
        }
        for (auto made = madeFolders.rbegin(); made != madeFolders.rend(); ++made)
            fs::remove(*made, ignored);  // only removes a folder that is empty again
    };

    for (const QString &file : unique) {
        Step step{pathOf(folder, file), pathOf(staged, file), {}};
        std::error_code error;
        if (beforeEach && !beforeEach(file)) {
            undo();
            return {false, QStringLiteral("替换“%1”时出错").arg(file)};
        }
        // The folders a new file needs, outermost first, remembered for undo.
        std::vector<fs::path> missing;
        for (fs::path up = step.target.parent_path(); !present(up); up = up.parent_path())
            missing.push_back(up);
        for (auto make = missing.rbegin(); make != missing.rend(); ++make) {
            if (!fs::create_directory(*make, error) && error) {
                undo();
                return {false, QStringLiteral("无法创建文件夹“%1”（%2）").arg(
                                   QString::fromStdString(make->string()), reason(error))};
            }
            madeFolders.push_back(*make);
        }
        if (present(step.target)) {
            step.old = pathOf(aside, file);
            fs::create_directories(step.old.parent_path(), error);
            fs::rename(step.target, step.old, error);
            if (error) {
                undo();
                return {false, QStringLiteral("无法移开旧文件“%1”（%2）").arg(file, reason(error))};
            }
        }
        fs::rename(step.source, step.target, error);
        if (error) {
            if (!step.old.empty())
                fs::rename(step.old, step.target, error);
            undo();
            return {false, QStringLiteral("无法放入新文件“%1”（%2）").arg(file, reason(error))};
        }
        done.push_back(step);
    }
    return {true, {}};
}

} // namespace FolderSwap

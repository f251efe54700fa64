#include "contentchecker.h"

#include "connection.h"
#include "query.h"
#include "simulatorfolders.h"
#include "statements.h"
#include "storeerror.h"

#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <QImageReader>
#include <QRegularExpression>
#include <QSet>

namespace {

using Rows = QList<QHash<QString, QString>>;

Rows readTable(Connection &connection, const QString &table, const QStringList &columns)
{
    Query query(connection);
    query.setSql(QStringLiteral("select * from ") + table);
    query.open();
    Rows rows;
    for (; !query.eof(); query.next()) {
        QHash<QString, QString> row;
        for (const QString &column : columns)
            row.insert(column, query.fieldText(column));
        rows << row;
    }
    return rows;
}

// A title the statements can quote and the lookups (which trim) can find.
void checkTitle(QStringList &problems, const QString &where, const QString &title)
{
    if (title.contains(u'\''))
        problems << QStringLiteral("%1：标题“%2”含有单引号").arg(where, title);
    if (Sql::trimTitle(title) != title)
        problems << QStringLiteral("%1：标题“%2”首尾有空白或控制字符").arg(where, title);
    if (title.isEmpty())
        problems << QStringLiteral("%1：标题为空").arg(where);
}

void checkUnique(QStringList &problems, const QString &where, const Rows &rows, const QString &column)
{
    QSet<QString> seen;
    for (const auto &row : rows) {
        const QString value = row.value(column);
        if (seen.contains(value))
            problems << QStringLiteral("%1：“%2”重复").arg(where, value);
        seen.insert(value);
    }
}

void checkBank(QStringList &problems, Connection &connection, const QString &folder)
{
    const Rows chapters = readTable(connection, QStringLiteral("sbslist"), {QStringLiteral("list")});
    QSet<QString> chapterTitles;
    for (const auto &row : chapters) {
        checkTitle(problems, QStringLiteral("章节表 sbslist"), row.value(QStringLiteral("list")));
        chapterTitles.insert(row.value(QStringLiteral("list")));
    }
    checkUnique(problems, QStringLiteral("章节表 sbslist"), chapters, QStringLiteral("list"));

    const Rows questions = readTable(connection, QStringLiteral("sbsti"),
                                     {QStringLiteral("th"), QStringLiteral("list"), QStringLiteral("gdks")});
    static const QRegularExpression digits(QStringLiteral("^[0-9]+$"));
    QHash<QString, int> papers;
    for (const auto &row : questions) {
        const QString th = row.value(QStringLiteral("th"));
        if (!digits.match(th).hasMatch())
            problems << QStringLiteral("题目表 sbsti：题号“%1”不是数字").arg(th);
        if (!chapterTitles.contains(row.value(QStringLiteral("list"))))
            problems << QStringLiteral("题目表 sbsti：题目 %1 的章节“%2”不在章节表中").arg(th, row.value(QStringLiteral("list")));
        const QString gdks = row.value(QStringLiteral("gdks"));
        if (!gdks.isEmpty()) {
            const int paper = gdks.toInt();
            if (paper < 1 || paper > 10 || QString::number(paper) != gdks)
                problems << QStringLiteral("题目表 sbsti：题目 %1 的试卷编号“%2”不在 1 到 10 之间").arg(th, gdks);
            ++papers[gdks];
        }
    }
    checkUnique(problems, QStringLiteral("题目表 sbsti：题号"), questions, QStringLiteral("th"));
    if (questions.size() < 40)
        problems << QStringLiteral("题目表 sbsti：只有 %1 道题，至少需要 40 道").arg(questions.size());
    for (auto it = papers.cbegin(); it != papers.cend(); ++it) {
        if (it.value() != 40)
            problems << QStringLiteral("固定试卷 %1：有 %2 道题，应为 40 道").arg(it.key()).arg(it.value());
    }

    QSet<QString> courses;
    for (const QString &table : {QStringLiteral("xxjh"), QStringLiteral("wlkt"), QStringLiteral("kszn"), QStringLiteral("mnkc")}) {
        const Rows rows = readTable(connection, table, {QStringLiteral("list")});
        const QString where = QStringLiteral("列表 %1").arg(table);
        for (const auto &row : rows) {
            const QString title = row.value(QStringLiteral("list"));
            checkTitle(problems, where, title);
            if (table == u"xxjh" && title.contains(u'|'))
                problems << QStringLiteral("%1：学习计划标题“%2”含有“|”").arg(where, title);
            if (table == u"wlkt")
                courses.insert(title);
        }
        checkUnique(problems, where, rows, QStringLiteral("list"));
    }

    const Rows lessons = readTable(connection, QStringLiteral("wlktsp"), {QStringLiteral("wlkt"), QStringLiteral("list")});
    for (const auto &row : lessons) {
        checkTitle(problems, QStringLiteral("课时表 wlktsp"), row.value(QStringLiteral("list")));
        if (!courses.contains(row.value(QStringLiteral("wlkt"))))
            problems << QStringLiteral("课时表 wlktsp：课时“%1”的课程“%2”不在课程表中")
                            .arg(row.value(QStringLiteral("list")), row.value(QStringLiteral("wlkt")));
    }
    checkUnique(problems, QStringLiteral("课时表 wlktsp"), lessons, QStringLiteral("list"));

    // Once simulators are installed, every question needs its own.
    if (!QDir(folder + QStringLiteral("ovti")).isEmpty(QDir::Dirs | QDir::NoDotAndDotDot)) {
        for (const auto &row : questions) {
            const QFileInfo simulator(folder + QStringLiteral("ovti/金山演示") + row.value(QStringLiteral("th")) + QStringLiteral("/ov"));
            if (!simulator.isExecutable())
                problems << QStringLiteral("题目 %1 没有模拟程序 ovti/金山演示%1/ov").arg(row.value(QStringLiteral("th")));
            else
                problems << checkTask(simulator.absolutePath() + QStringLiteral("/task.txt"));
        }
    }
}

void checkPictures(QStringList &problems, const QString &folder)
{
    QList<std::pair<QString, QSize>> pictures;
    for (const QString &name : {QStringLiteral("学习计划"), QStringLiteral("网络课堂"), QStringLiteral("手把手教学"),
                                QStringLiteral("模拟考场"), QStringLiteral("考试指南"), QStringLiteral("在线升级")}) {
        for (const QString &look : {QString(), QStringLiteral("1"), QStringLiteral("2")})
            pictures.append({name + look + QStringLiteral(".png"), QSize(75, 75)});
    }
    pictures.append({QStringLiteral("shengji.png"), QSize(75, 75)});
    pictures.append({QStringLiteral("xiao.jpg"), QSize(28, 20)});
    pictures.append({QStringLiteral("guan.png"), QSize(31, 23)});
    pictures.append({QStringLiteral("shoubashou.jpg"), QSize(194, 31)});
    // The guided-practice screens' own pictures.
    pictures.append({QStringLiteral("sbsjx_bg.png"), QSize(1016, 637)});
    pictures.append({QStringLiteral("sbsjx_right.png"), QSize(173, 638)});
    pictures.append({QStringLiteral("sbsjx_bar.png"), QSize(193, 27)});
    pictures.append({QStringLiteral("sbs_header.png"), QSize(199, 25)});
    pictures.append({QStringLiteral("sbs_side.png"), QSize(199, 384)});
    pictures.append({QStringLiteral("sbs_posbar.png"), QSize(199, 36)});
    pictures.append({QStringLiteral("sbs_gridhead.png"), QSize(193, 27)});
    pictures.append({QStringLiteral("sbs_gridclose.png"), QSize(25, 23)});
    pictures.append({QStringLiteral("sbs_wait.png"), QSize(490, 160)});
    pictures.append({QStringLiteral("mnks_title.png"), QSize(199, 26)});
    pictures.append({QStringLiteral("mnks_strip.png"), QSize(199, 26)});
    pictures.append({QStringLiteral("mnks_logo.png"), QSize(199, 139)});
    pictures.append({QStringLiteral("mnks1_login.png"), QSize(785, 577)});
    pictures.append({QStringLiteral("mnks2_card.png"), QSize(803, 602)});
    pictures.append({QStringLiteral("mnks3_wait.png"), QSize(490, 160)});
    pictures.append({QStringLiteral("mnksczts.png"), QSize(361, 351)});
    pictures.append({QStringLiteral("mnksksxx.png"), QSize(297, 137)});
    for (const auto &[name, size] : pictures) {
        QImageReader reader(folder + QStringLiteral("images/") + name);
        const QSize actual = reader.size();
        if (!actual.isValid())
            problems << QStringLiteral("图片 images/%1 缺失或无法读取").arg(name);
        else if (actual != size)
            problems << QStringLiteral("图片 images/%1 的大小为 %2×%3，应为 %4×%5")
                            .arg(name).arg(actual.width()).arg(actual.height()).arg(size.width()).arg(size.height());
    }
}

void checkFiles(QStringList &problems, const QString &folder)
{
    for (const QString &name : {QStringLiteral("ov.html"), QStringLiteral("sound/start.wav"), QStringLiteral("predate.ini")}) {
        if (!QFileInfo(folder + name).isFile())
            problems << QStringLiteral("缺少文件 %1").arg(name);
    }
    if (!QFileInfo(folder + QStringLiteral("app_upd")).isExecutable())
        problems << QStringLiteral("缺少可执行的更新程序 app_upd");
}

} // namespace

QStringList checkProgramFolder(const QString &programFolder)
{
    QString folder = programFolder;
    if (!folder.endsWith(u'/'))
        folder += u'/';
    QStringList problems;
    try {
        Connection connection(Connection::connectionStringFor(folder));
        connection.open();
        checkBank(problems, connection, folder);
    } catch (const StoreError &error) {
        problems << QStringLiteral("题库 data/orva.mdb：%1").arg(error.message());
    }
    checkPictures(problems, folder);
    checkFiles(problems, folder);
    return problems;
}

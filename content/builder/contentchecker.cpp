#include "contentchecker.h"

#include "connection.h"
#include "contentsources.h"
#include "schema.h"
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

// One report line: "<file>:<line>: text" for a source, "<table>：text" for a bank.
QString problem(const QString &where, const QString &text)
{
    if (where.contains(u'/'))
        return where + QStringLiteral(": ") + text;
    return where + u'：' + text;
}

// A title the statements can quote and the lookups (which trim) can find.
void checkTitle(QStringList &problems, const QString &where, const QString &title)
{
    if (title.contains(u'\''))
        problems << problem(where, QStringLiteral("标题“%1”含有单引号").arg(title));
    if (Sql::trimTitle(title) != title)
        problems << problem(where, QStringLiteral("标题“%1”首尾有空白或控制字符").arg(title));
    if (title.isEmpty())
        problems << problem(where, QStringLiteral("标题为空"));
}

// Reports every value seen before, at the place of its repetition.
void checkUnique(QStringList &problems, const QStringList &values, const QList<QString> &where, const QString &what)
{
    QSet<QString> seen;
    for (qsizetype i = 0; i < values.size(); ++i) {
        if (seen.contains(values.at(i)))
            problems << problem(where.value(i), QStringLiteral("%1“%2”重复").arg(what, values.at(i)));
        seen.insert(values.at(i));
    }
}

// The bank's rows in the shape of the sources, each placed by its table.
ContentSources readBank(Connection &connection)
{
    ContentSources bank;
    auto place = [&bank](const QString &table, const QString &name) {
        bank.where.files.insert(table, name);
        return name;
    };
    const QString chapterTable = place(QStringLiteral("sbslist"), QStringLiteral("章节表 sbslist"));
    for (const auto &row : readTable(connection, QStringLiteral("sbslist"), {QStringLiteral("id"), QStringLiteral("list")})) {
        bank.chapters.append({row.value(QStringLiteral("id")).toInt(), row.value(QStringLiteral("list"))});
        bank.where.chapters.append(chapterTable);
    }
    const QString questionTable = place(QStringLiteral("sbsti"), QStringLiteral("题目表 sbsti"));
    for (const auto &row : readTable(connection, QStringLiteral("sbsti"),
                                     {QStringLiteral("th"), QStringLiteral("list"), QStringLiteral("gdks")})) {
        bank.questions.append({row.value(QStringLiteral("th")), row.value(QStringLiteral("gdks")), {}, row.value(QStringLiteral("list"))});
        bank.where.questions.append(questionTable);
    }
    for (const QString &table : Schema::titleTables()) {
        const QString where = place(table, QStringLiteral("列表 %1").arg(table));
        QList<ContentSources::Entry> &entries = bank.lists[table];
        for (const auto &row : readTable(connection, table, {QStringLiteral("list")})) {
            entries.append({row.value(QStringLiteral("list")), {}});
            bank.where.lists[table].append(where);
        }
    }
    const QString lessonTable = place(QStringLiteral("wlktsp"), QStringLiteral("课时表 wlktsp"));
    for (const auto &row : readTable(connection, QStringLiteral("wlktsp"), {QStringLiteral("wlkt"), QStringLiteral("list")})) {
        bank.lessons.append({row.value(QStringLiteral("wlkt")), row.value(QStringLiteral("list")), {}});
        bank.where.lessons.append(lessonTable);
    }
    return bank;
}

void checkSimulators(QStringList &problems, const ContentSources &bank, const QString &folder)
{
    // Once simulators are installed, every question needs its own.
    if (QDir(folder + QStringLiteral("ovti")).isEmpty(QDir::Dirs | QDir::NoDotAndDotDot))
        return;
    for (const auto &question : bank.questions) {
        const QFileInfo simulator(folder + QStringLiteral("ovti/金山演示") + question.th + QStringLiteral("/ov"));
        if (!simulator.isExecutable())
            problems << QStringLiteral("题目 %1 没有模拟程序 ovti/金山演示%1/ov").arg(question.th);
        else
            problems << checkTask(simulator.absolutePath() + QStringLiteral("/task.txt"));
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

QStringList checkContentRules(const ContentSources &content)
{
    QStringList problems;
    const ContentSources::Origins &where = content.where;

    QSet<QString> chapterTitles;
    QStringList titles;
    for (qsizetype i = 0; i < content.chapters.size(); ++i) {
        checkTitle(problems, where.chapters.value(i), content.chapters.at(i).title);
        chapterTitles.insert(content.chapters.at(i).title);
        titles << content.chapters.at(i).title;
    }
    checkUnique(problems, titles, where.chapters, QStringLiteral("章节名称"));

    static const QRegularExpression digits(QStringLiteral("^[0-9]+$"));
    QMap<QString, int> papers;
    QHash<QString, QString> paperEnd;  // where the last question of each paper is
    QStringList numbers;
    for (qsizetype i = 0; i < content.questions.size(); ++i) {
        const ContentSources::Question &question = content.questions.at(i);
        const QString at = where.questions.value(i);
        if (!digits.match(question.th).hasMatch())
            problems << problem(at, QStringLiteral("题号“%1”不是数字").arg(question.th));
        if (!chapterTitles.contains(question.chapter))
            problems << problem(at, QStringLiteral("题目 %1 的章节“%2”不在章节表中").arg(question.th, question.chapter));
        if (!question.gdks.isEmpty()) {
            const int paper = question.gdks.toInt();
            if (paper < 1 || paper > 10 || QString::number(paper) != question.gdks)
                problems << problem(at, QStringLiteral("题目 %1 的试卷编号“%2”不在 1 到 10 之间").arg(question.th, question.gdks));
            ++papers[question.gdks];
            paperEnd.insert(question.gdks, at);
        }
        numbers << question.th;
    }
    checkUnique(problems, numbers, where.questions, QStringLiteral("题号"));
    if (content.questions.size() < 40)
        problems << problem(where.files.value(QStringLiteral("sbsti")),
                            QStringLiteral("只有 %1 道题，至少需要 40 道").arg(content.questions.size()));
    for (auto it = papers.cbegin(); it != papers.cend(); ++it) {
        if (it.value() != 40)
            problems << problem(paperEnd.value(it.key()),
                                QStringLiteral("固定试卷 %1：有 %2 道题，应为 40 道").arg(it.key()).arg(it.value()));
    }

    QSet<QString> courses;
    for (const QString &table : Schema::titleTables()) {
        const QList<ContentSources::Entry> entries = content.lists.value(table);
        const QList<QString> origins = where.lists.value(table);
        // Each list fills a screen (the exam rooms, the plan, the guide, the classroom).
        if (entries.isEmpty())
            problems << problem(where.files.value(table), QStringLiteral("没有任何条目（至少需要一个以“== ”开头的标题）"));
        QStringList listTitles;
        for (qsizetype i = 0; i < entries.size(); ++i) {
            const QString &title = entries.at(i).title;
            checkTitle(problems, origins.value(i), title);
            if (table == u"xxjh" && title.contains(u'|'))
                problems << problem(origins.value(i), QStringLiteral("学习计划标题“%1”含有“|”").arg(title));
            if (table == u"wlkt")
                courses.insert(title);
            listTitles << title;
        }
        checkUnique(problems, listTitles, origins, QStringLiteral("标题"));
    }

    QStringList lessonTitles;
    for (qsizetype i = 0; i < content.lessons.size(); ++i) {
        const ContentSources::Lesson &lesson = content.lessons.at(i);
        checkTitle(problems, where.lessons.value(i), lesson.title);
        if (!courses.contains(lesson.course))
            problems << problem(where.lessons.value(i),
                                QStringLiteral("课时“%1”的课程“%2”不在课程表中").arg(lesson.title, lesson.course));
        lessonTitles << lesson.title;
    }
    checkUnique(problems, lessonTitles, where.lessons, QStringLiteral("课时"));
    return problems;
}

QStringList checkProgramFolder(const QString &programFolder)
{
    QString folder = programFolder;
    if (!folder.endsWith(u'/'))
        folder += u'/';
    QStringList problems;
    try {
        Connection connection(Connection::connectionStringFor(folder));
        connection.open();
        const ContentSources bank = readBank(connection);
        problems << checkContentRules(bank);
        checkSimulators(problems, bank, folder);
    } catch (const StoreError &error) {
        problems << QStringLiteral("题库 data/orva.mdb：%1").arg(error.message());
    }
    checkPictures(problems, folder);
    checkFiles(problems, folder);
    return problems;
}

#include "statements.h"

namespace Sql {

QString quoted(const QString &value)
{
    QString doubled = value;
    doubled.replace(u'\'', QStringLiteral("''"));
    return doubled;
}

QString trimTitle(const QString &title)
{
    qsizetype begin = 0;
    qsizetype end = title.size();
    while (begin < end && title.at(begin) <= u' ')
        ++begin;
    while (end > begin && title.at(end - 1) <= u' ')
        --end;
    return title.mid(begin, end - begin);
}

QString allQuestions()
{
    return QStringLiteral("select * from sbsti");
}

QString allQuestionsInOrder()
{
    return QStringLiteral("select * from sbsti order by id");
}

QString chapterQuestions(const QString &chapter)
{
    return QStringLiteral("select * from sbsti where list='") + quoted(chapter) + QStringLiteral("' order by id");
}

QString chapterMarking(const QString &chapter)
{
    return QStringLiteral("select * from sbsti where list='") + quoted(chapter) + QStringLiteral("'")
        + QStringLiteral("order by id");
}

QString chapterRestart(const QString &chapter)
{
    return QStringLiteral("select * from sbsti where list = '") + quoted(chapter) + QStringLiteral("'");
}

QString wrongQuestions()
{
    return QStringLiteral("select * from sbsti where (xz='1') and (fw='1')");
}

QString startWrongPractice()
{
    return QStringLiteral("update sbsti set dqwz='0' where xz='1'");
}

QString chosenInChapter(const QString &chapter, ChosenEnding ending)
{
    QString tail;
    switch (ending) {
    case ChosenEnding::Tight: tail = QStringLiteral(")order by id"); break;
    case ChosenEnding::Space: tail = QStringLiteral(") order by id"); break;
    case ChosenEnding::TwoSpaces: tail = QStringLiteral(")  order by id"); break;
    }
    return QStringLiteral("select * from sbsti where list='") + quoted(chapter) + QStringLiteral("'")
        + QStringLiteral("and (xz='") + QStringLiteral("1") + QStringLiteral("'") + tail;
}

QString wrongQuestionsInOrder(bool spacedFw)
{
    return spacedFw ? QStringLiteral("select * from sbsti where (xz='1') and ( fw='1')order by id")
                    : QStringLiteral("select * from sbsti where (xz='1') and (fw='1')order by id");
}

QString workingSetInOrder(bool spaced)
{
    return spaced ? QStringLiteral("select * from sbsti where xz='1' order by id")
                  : QStringLiteral("select * from sbsti where xz='1'order by id");
}

QString workingSet()
{
    return QStringLiteral("select * from sbsti where xz='1'");
}

QString questionByNumber(const QString &th)
{
    return QStringLiteral("select * from sbsti where th='") + quoted(th) + QStringLiteral("'");
}

QString neighbourInWorkingSet(const QString &th)
{
    return QStringLiteral("select * from sbsti where th='") + quoted(th) + QStringLiteral("'")
        + QStringLiteral("and (xz='") + QStringLiteral("1") + QStringLiteral("'") + QStringLiteral(") order by id");
}

QStringList paperReset()
{
    return {
        QStringLiteral("update sbsti set xz=''"),
        QStringLiteral("update sbsti set dqwz='2'"),
        QStringLiteral("update sbsti set fw=''"),
        QStringLiteral("update sbsti set ks=''"),
        QStringLiteral("update sbsti set bs=''"),
        QStringLiteral("update sbsti set jc=''"),
    };
}

QStringList forgetExamWork()
{
    return {QStringLiteral("create table if not exists kswj (th text primary key, wd text)"),
            QStringLiteral("delete from kswj")};
}

QStringList forgetExamWork(const QString &th)
{
    return {QStringLiteral("create table if not exists kswj (th text primary key, wd text)"),
            QStringLiteral("delete from kswj where th='") + quoted(th) + u'\''};
}

QString fixedPaper(int paper)
{
    return QStringLiteral("select * from sbsti where gdks='") + QString::number(paper) + QStringLiteral("'order by id");
}

QString chapters()
{
    return QStringLiteral("select * from sbslist order by id");
}

QString singleRow(const QString &table)
{
    return QStringLiteral("select * from ") + table;
}

QString titleList(const QString &table)
{
    return QStringLiteral("select * from ") + table + QStringLiteral(" order by id");
}

QString titleLookup(const QString &table, const QString &title)
{
    return QStringLiteral("select * from ") + table + QStringLiteral(" where list='") + quoted(title)
        + QStringLiteral("'");
}

QString lessonsOfCourse(const QString &courseTitle)
{
    return QStringLiteral("select * from wlktsp where wlkt='") + quoted(courseTitle) + QStringLiteral("'");
}

QString lessonByTitle(const QString &lessonTitle)
{
    return QStringLiteral("select * from wlktsp where list='") + quoted(lessonTitle) + QStringLiteral("'");
}

} // namespace Sql

#include "lessonscript.h"

#include "storeerror.h"

#include <QCryptographicHash>
#include <QFile>
#include <QRegularExpression>

namespace LessonScripts {

namespace {

QString readText(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(file.readAll());
}

QString taskFile(const QString &programFolder, const QString &question)
{
    return programFolder + QStringLiteral("/ovti/金山演示") + question + QStringLiteral("/task.txt");
}

LessonBeat::Action actionOf(const QString &kind)
{
    static const QMap<QString, LessonBeat::Action> kinds{
        {QStringLiteral("select"), LessonBeat::Action::Select},   {QStringLiteral("menu"), LessonBeat::Action::Menu},
        {QStringLiteral("command"), LessonBeat::Action::Command}, {QStringLiteral("field"), LessonBeat::Action::Field},
        {QStringLiteral("ok"), LessonBeat::Action::Ok},           {QStringLiteral("type"), LessonBeat::Action::Type},
        {QStringLiteral("show"), LessonBeat::Action::Show},       {QStringLiteral("toolbar"), LessonBeat::Action::Toolbar},
        {QStringLiteral("click"), LessonBeat::Action::Click},     {QStringLiteral("shape"), LessonBeat::Action::Shape},
        {QStringLiteral("drag"), LessonBeat::Action::Drag},       {QStringLiteral("drawbox"), LessonBeat::Action::DrawBox},
        {QStringLiteral("selecttext"), LessonBeat::Action::SelectText}, {QStringLiteral("pane"), LessonBeat::Action::Pane},
    };
    return kinds.value(kind, LessonBeat::Action::Other);
}

} // namespace

QMap<QString, QStringList> readBlocks(const QString &file)
{
    QFile in(file);
    if (!in.open(QIODevice::ReadOnly))
        throw StoreError(QStringLiteral("%1: %2").arg(file, in.errorString()));
    QMap<QString, QStringList> blocks;
    QString current;
    int number = 0;
    for (const QString &raw : QString::fromUtf8(in.readAll()).split(u'\n')) {
        ++number;
        const QString line = raw.trimmed();
        if (line.isEmpty() || line.startsWith(u'#'))
            continue;
        if (line.startsWith(QStringLiteral("== "))) {
            current = line.mid(3).trimmed();
            blocks[current];
            continue;
        }
        if (current.isEmpty() || !(line.startsWith(QStringLiteral("say:")) || line.startsWith(QStringLiteral("question:"))))
            throw StoreError(QStringLiteral("%1 第%2行：应为“== 视频文件名”、“say: 文字”或“question: 题号”").arg(file).arg(number));
        blocks[current].append(line);
    }
    return blocks;
}

QList<LessonBeat> taskBeats(const QString &taskText, const QString &question)
{
    // The lesson shows the guide's own way, the task's first method; the
    // other methods are named after it, the mistakes left out.
    QList<LessonBeat> beats;
    QString text;
    QStringList otherMethods;
    bool firstDone = false;
    for (const QString &raw : taskText.split(u'\n')) {
        const QString line = raw.trimmed();
        if (line.startsWith(QStringLiteral("text:")))
            text = line.mid(5).trimmed();
        if (line.startsWith(QStringLiteral("method:")) && !beats.isEmpty()) {
            firstDone = true;
            otherMethods << line.mid(7).trimmed();
        }
        if (line.startsWith(QStringLiteral("mistake:")))
            firstDone = true;
        if (!line.startsWith(QStringLiteral("step:")) || firstDone)
            continue;
        const QString body = line.mid(5);
        const qsizetype bar = body.lastIndexOf(u'|');
        const QString action = (bar < 0 ? body : body.left(bar)).trimmed();
        const QString hint = bar < 0 ? QString() : body.mid(bar + 1).trimmed();
        LessonBeat beat;
        beat.question = question;
        const qsizetype space = action.indexOf(u' ');
        beat.action = actionOf(space < 0 ? action : action.left(space));
        QString rest = space < 0 ? QString() : action.mid(space + 1).trimmed();
        rest.replace(QStringLiteral("\\n"), QStringLiteral("\n"));
        switch (beat.action) {
        case LessonBeat::Action::Field: {
            const qsizetype eq = rest.indexOf(u'=');
            beat.arg = rest.left(eq).trimmed();
            beat.value = eq < 0 ? QString() : rest.mid(eq + 1).trimmed();
            break;
        }
        case LessonBeat::Action::Type:
        case LessonBeat::Action::SelectText: {
            const qsizetype sp = rest.indexOf(u' ');
            beat.arg = rest.left(sp);
            beat.value = sp < 0 ? QString() : rest.mid(sp + 1);
            break;
        }
        default:
            beat.arg = rest;
        }
        beat.caption = hint.isEmpty() ? action : hint;
        beats.append(beat);
    }
    // A toolbar box takes the value the field step after it names.
    for (qsizetype i = 0; i < beats.size(); ++i) {
        if (beats.at(i).action != LessonBeat::Action::Toolbar)
            continue;
        for (qsizetype k = i + 1; k < beats.size() && beats.at(k).action != LessonBeat::Action::Ok; ++k)
            if (beats.at(k).action == LessonBeat::Action::Field && beats.at(k).arg != u"对象") {
                beats[i].value = beats.at(k).value;
                break;
            }
    }
    otherMethods.removeAll(QString());
    if (!otherMethods.isEmpty()) {
        LessonBeat others;
        others.caption = QStringLiteral("这道题也可以这样做：") + otherMethods.join(QStringLiteral("、")) + u'。';
        beats.append(others);
    }
    if (!text.isEmpty()) {
        LessonBeat intro;
        intro.action = LessonBeat::Action::Editor;
        intro.question = question;
        intro.caption = QStringLiteral("例题：") + text;
        beats.prepend(intro);
    }
    return beats;
}

LessonScript expand(const QString &movie, const QString &course, const QString &title, const QStringList &lines,
                    const QString &programFolder)
{
    LessonScript script{movie, course, title, lines, {}, {}};
    script.inputs = QByteArray::number(BuilderVersion) + '\n' + movie.toUtf8() + '\n' + course.toUtf8() + '\n'
                    + title.toUtf8() + '\n';
    LessonBeat opening;
    opening.caption = title;
    script.beats.append(opening);
    for (const QString &line : lines) {
        script.inputs += line.toUtf8() + '\n';
        if (line.startsWith(QStringLiteral("say:"))) {
            LessonBeat say;
            say.caption = line.mid(4).trimmed();
            script.beats.append(say);
        } else {
            const QString question = line.mid(9).trimmed();
            const QString task = readText(taskFile(programFolder, question));
            script.inputs += task.toUtf8() + '\n';
            const QList<LessonBeat> beats = taskBeats(task, question);
            if (beats.isEmpty()) {
                LessonBeat missing;
                missing.caption = QStringLiteral("（第%1题的操作步骤暂缺）").arg(question);
                script.beats.append(missing);
            }
            script.beats.append(beats);
        }
    }
    return script;
}

QByteArray inputHash(const LessonScript &script)
{
    return QCryptographicHash::hash(script.inputs, QCryptographicHash::Sha256).toHex();
}

} // namespace LessonScripts

#pragma once

// What the exam tests share: a fixture bank with exam rooms, the start-up of
// the program's windows, and an answerer that deals with the modal boxes of
// the exam the way a candidate would while the test waits.

#include "artwork.h"
#include "examart.h"
#include "examforms.h"
#include "examui.h"
#include "forms.h"
#include "pageview.h"
#include "picturebox.h"
#include "practiceforms.h"
#include "simhost.h"
#include "startup.h"
#include "testbank.h"
#include "tmain.h"
#include "tmnks.h"
#include "tmnks1.h"
#include "tmnks2.h"
#include "tmnks3.h"
#include "tmnks4.h"
#include "tmnksts1.h"
#include "tmnksts2.h"
#include "tmnksts3.h"
#include "tmnksts4.h"
#include "ttits.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <functional>

struct ExamQuestion
{
    int id;
    QString th;
    QString chapter;
    QString gdks;
};

// The exam rooms every fixture bank has, in this id order.
inline QStringList examRooms()
{
    return {QStringLiteral("一、固定考试"), QStringLiteral("模拟考试 1"), QStringLiteral("模拟考试 2"),
            QStringLiteral("模拟考试 3"), QStringLiteral("二、随机考试")};
}

// A bank in a temporary program folder with the page template, the exam
// pictures, the given questions and a simulator for each of them (`link`
// makes the folder's "ov").
inline std::unique_ptr<TestBank> makeExamBank(const QList<ExamQuestion> &questions,
                                              const std::function<void(QDir &, const QString &)> &link,
                                              const QStringList &rooms = examRooms())
{
    auto bank = std::make_unique<TestBank>();
    QDir folder(bank->folder());
    folder.mkpath(QStringLiteral("images"));
    Artwork::writePictures(folder.filePath(QStringLiteral("images")));
    Artwork::writeExamPictures(folder.filePath(QStringLiteral("images")));
    Artwork::writePageTemplate(folder.filePath(QStringLiteral("ov.html")));
    bank->exec(QStringLiteral("insert into sbslist (id, list) values (1, '基本操作');"
                              "insert into jl1 (jl, jl1) values (0, 0); insert into srf (srf) values ('');"
                              "insert into jl (jl, jl1) values (0, 0)"));
    for (int i = 0; i < rooms.size(); ++i)
        bank->exec(QStringLiteral("insert into mnkc (id, list, wy) values (%1, '%2', '<p>考场%1的说明</p>')")
                       .arg(i + 1)
                       .arg(rooms.at(i)));
    bank->exec(QStringLiteral("begin"));
    for (const ExamQuestion &q : questions) {
        bank->addQuestion(q.id, q.th, q.chapter, q.gdks.isEmpty() ? QString() : QStringLiteral("gdks=") + q.gdks);
        const QString simulatorFolder = QStringLiteral("ovti/金山演示") + q.th;
        folder.mkpath(simulatorFolder);
        if (link)
            link(folder, simulatorFolder + QStringLiteral("/ov"));
    }
    bank->exec(QStringLiteral("commit"));
    return bank;
}

// `count` questions numbered from `firstTh`, ids from `firstId`, all in paper `gdks`.
inline QList<ExamQuestion> examQuestions(int firstId, int firstTh, int count, const QString &gdks)
{
    QList<ExamQuestion> questions;
    for (int i = 0; i < count; ++i)
        questions.append({firstId + i, QString::number(firstTh + i), QStringLiteral("基本操作"), gdks});
    return questions;
}

// Start-up as the program does it, then the mock-exam button: the list docked.
inline bool openExamList()
{
    PracticeForms::install();
    ExamForms::install();
    Startup::createWindows();
    if (!Forms::main)
        return false;
    Forms::main->show();
    if (!QTest::qWaitForWindowExposed(Forms::main))
        return false;
    QTest::mouseClick(Forms::main->Image5, Qt::LeftButton);
    return QTest::qWaitFor([] { return ExamForms::list() && ExamForms::list()->isVisible(); });
}

inline void selectRoom(const QString &title)
{
    Tmnks *rooms = ExamForms::list();
    const QList<QListWidgetItem *> found = rooms->ListBox1->findItems(title, Qt::MatchExactly);
    if (!found.isEmpty())
        rooms->ListBox1->setCurrentItem(found.first());
}

// Deals with the modal boxes as they come: notices and warnings are read and
// closed, hand-in boxes answered with "交  卷", the result screen read and
// answered with `resultAnswer` ("是" or "否"). Everything seen is in `seen`.
class ExamAnswerer : public QObject
{
public:
    ExamAnswerer()
    {
        connect(&m_timer, &QTimer::timeout, this, [this] { look(); });
        m_timer.start(15);
    }

    QStringList seen;
    QString resultAnswer = QStringLiteral("否");
    bool handIn = true;
    // Called once when a box of the given object name first shows.
    std::function<void(QWidget *)> onBox;
    QString resultLine;
    QList<QColor> resultColours;

    bool sawText(const QString &text) const
    {
        return std::any_of(seen.cbegin(), seen.cend(), [&](const QString &s) { return s.contains(text); });
    }

private:
    // Clicked from the event loop, not from this timer's slot: a click that
    // opens the next modal box waits inside it, and a timer's slot is not
    // entered again while it runs.
    static void later(QPushButton *button)
    {
        QTimer::singleShot(0, button, [button] { button->click(); });
    }

    void look()
    {
        QWidget *modal = QApplication::activeModalWidget();
        if (!modal || !modal->isVisible())
            return;
        if (auto *notice = qobject_cast<Ttits *>(modal)) {
            seen << QStringLiteral("notice: ") + notice->Label1->text();
            notice->close();
        } else if (auto *box = qobject_cast<QMessageBox *>(modal)) {
            seen << QStringLiteral("message: ") + box->text();
            box->close();
        } else if (auto *handInBox = qobject_cast<HandInBox *>(modal)) {
            if (m_lastBox == handInBox)
                return;
            m_lastBox = handInBox;
            seen << handInBox->objectName() + QStringLiteral(": ") + handInBox->Label1->text();
            if (onBox)
                onBox(handInBox);
            if (handIn && handInBox->isVisible())
                later(handInBox->RzBitBtn1);
        } else if (auto *result = qobject_cast<Tmnksts4 *>(modal)) {
            if (m_lastResult == result && m_resultAnswered)
                return;
            resultLine = result->Label1->text();
            seen << QStringLiteral("result: ") + resultLine;
            resultColours.clear();
            for (int k = 1; result->gridButton(k); ++k)
                resultColours << ExamUi::buttonColour(result->gridButton(k));
            m_lastResult = result;
            m_resultAnswered = true;
            later(resultAnswer == u"是" ? result->RzBitBtn2 : result->RzBitBtn3);
        }
    }

    QTimer m_timer;
    QPointer<QWidget> m_lastBox;
    QPointer<QWidget> m_lastResult;
    bool m_resultAnswered = false;
};

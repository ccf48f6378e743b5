// The small widgets of the exam's study aids, driven offscreen: the duration
// box, the notice, the question selector's extra text and the review list.
#include "mockexam/DurationBox.h"
#include "mockexam/ExamNotice.h"
#include "mockexam/QuestionBox.h"
#include "mockexam/ResultsFooter.h"
#include "mockexam/TformRevisao.h"

#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

using namespace zelvora::gui;
using namespace zelvora::mockexam;

class TestStudyWidgets : public QObject {
    Q_OBJECT
private slots:
    void durationTyped_data();
    void durationTyped();
    void noticeNeverTakesTheFocus();
    void extraTextIsNotTheItemText();
    void reviewListFilters_data();
    void reviewListFilters();
    void footerGrowsWithItsLines();
};

void TestStudyWidgets::durationTyped_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<int>("seconds"); // -1: no limit
    QTest::addColumn<QString>("shown");
    // The box starts at 3:00 each time.
    QTest::newRow("h:mm") << "2:30" << 9000 << "2:30";
    QTest::newRow("hours and minutes") << "2h30" << 9000 << "2:30";
    QTest::newRow("minutes") << "95" << 5700 << "1:35";
    QTest::newRow("no limit") << "Sem limite" << -1 << "sem limite";
    QTest::newRow("not a duration keeps the last") << "logo" << 10800 << "3:00";
    QTest::newRow("zero keeps the last") << "0:00" << 10800 << "3:00";
}

void TestStudyWidgets::durationTyped()
{
    QFETCH(QString, typed);
    QFETCH(int, seconds);
    QFETCH(QString, shown);
    QWidget window;
    auto* box = new DurationBox(&window);
    auto* other = new QLineEdit(&window);
    other->move(0, 40);
    window.show();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    box->setDuration(10800);
    box->setFocus();
    box->lineEdit()->selectAll();
    QTest::keyClicks(box->lineEdit(), typed);
    QTest::keyClick(box->lineEdit(), Qt::Key_Tab); // leaving the box settles it
    QCOMPARE(box->duration().value_or(-1), seconds);
    QCOMPARE(box->currentText(), shown);
}

void TestStudyWidgets::noticeNeverTakesTheFocus()
{
    QWidget window;
    window.resize(600, 400);
    auto* edit = new QLineEdit(&window);
    auto* notice = new ExamNotice(&window);
    window.show();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    edit->setFocus();
    notice->showNotice(QStringLiteral("Faltam 5 minutos para o fim da prova."));
    QVERIFY(notice->isVisible());
    QTest::keyClicks(edit, QStringLiteral("abc"));
    QCOMPARE(edit->text(), QStringLiteral("abc"));
    QVERIFY(edit->hasFocus());
    for (int i = 1; i < ExamNotice::ShownTicks; ++i)
        notice->tick();
    QVERIFY(notice->isVisible());
    notice->tick();
    QVERIFY(!notice->isVisible());
}

void TestStudyWidgets::extraTextIsNotTheItemText()
{
    QuestionBox box;
    box.addItems({QStringLiteral("Questão 1"), QStringLiteral("Questão 2   OK")});
    box.setItemExtra(1, QStringLiteral("C  [revisar]"));
    QCOMPARE(box.itemText(1), QStringLiteral("Questão 2   OK"));
    QCOMPARE(box.itemExtra(1), QStringLiteral("C  [revisar]"));
    QCOMPARE(box.findText(QStringLiteral("Questão 2   OK")), 1);
    box.setItemExtra(7, QStringLiteral("x")); // no such item
    QCOMPARE(box.count(), 2);
}

void TestStudyWidgets::reviewListFilters_data()
{
    QTest::addColumn<int>("filter");
    QTest::addColumn<QList<int>>("questions"); // 0-based, as chosen
    QTest::newRow("all") << int(ReviewFilter::All) << QList<int>{0, 1, 2, 3};
    QTest::newRow("wrong") << int(ReviewFilter::Wrong) << QList<int>{1};
    QTest::newRow("blank") << int(ReviewFilter::Blank) << QList<int>{2, 3};
    QTest::newRow("marked") << int(ReviewFilter::Marked) << QList<int>{3};
}

void TestStudyWidgets::reviewListFilters()
{
    QFETCH(int, filter);
    QFETCH(QList<int>, questions);
    TformRevisao review;
    review.setReview(ExamReview::Build({"1", "2", "3", "4"}, {"1", "1", "#", "#"}, {false, false, false, true}, {}));
    review.show();
    QVERIFY(QTest::qWaitForWindowExposed(&review));
    auto* combo = review.findChild<QComboBox*>(QStringLiteral("cbFiltro"));
    auto* list = review.findChild<QListWidget*>(QStringLiteral("lbQuestoes"));
    QVERIFY(combo && list);
    // Choose the filter as a user does: in the drop-down list.
    combo->setCurrentIndex(combo->findText(QString::fromUtf8(ExamReview::FilterText(ReviewFilter(filter)))));
    QCOMPARE(list->count(), questions.size());
    QSignalSpy chosen(&review, &TformRevisao::questionChosen);
    for (int row = 0; row < list->count(); ++row) {
        const QRect r = list->visualItemRect(list->item(row));
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, r.center());
    }
    QList<int> got;
    for (const auto& args : chosen)
        got << args.at(0).toInt();
    QCOMPARE(got, questions);
}

void TestStudyWidgets::footerGrowsWithItsLines()
{
    QWidget window;
    auto* footer = new ResultsFooter(&window);
    footer->resize(363, footer->neededHeight());
    QCOMPARE(footer->height(), ResultsFooter::ButtonRowHeight);
    QSignalSpy review(footer, &ResultsFooter::reviewRequested);
    footer->setLines({QStringLiteral("a"), QStringLiteral("b")});
    QVERIFY(footer->height() > ResultsFooter::ButtonRowHeight + ResultsFooter::LineHeight);
    // The button stays in the bottom row, whatever the lines above it.
    QVERIFY(footer->reviewButton()->geometry().top() >= footer->height() - ResultsFooter::ButtonRowHeight);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QTest::mouseClick(footer->reviewButton(), Qt::LeftButton);
    QCOMPARE(review.count(), 1);
}

QTEST_MAIN(TestStudyWidgets)
#include "tst_StudyWidgets.moc"

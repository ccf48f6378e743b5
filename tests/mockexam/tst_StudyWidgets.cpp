// Two widgets of the exam's study aids on their own, driven offscreen: the
// duration box and the review list. (The exam window's test drives the rest
// through the window.)
#include "mockexam/DurationBox.h"
#include "mockexam/TformRevisao.h"

#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QSignalSpy>
#include <QTest>

using namespace zelvora::gui;
using namespace zelvora::mockexam;

class TestStudyWidgets : public QObject {
    Q_OBJECT
private slots:
    void durationTyped_data();
    void durationTyped();
    void reviewListFilters_data();
    void reviewListFilters();
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

QTEST_MAIN(TestStudyWidgets)
#include "tst_StudyWidgets.moc"

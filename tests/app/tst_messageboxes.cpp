// The program's question boxes: "Sim" and "Não", and which of them Enter
// chooses — "Não" wherever "Sim" would delete something.
#include "app/MessageBoxes.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>

using zelvora::app::QtMessageBoxes;

class TestMessageBoxes : public QObject {
    Q_OBJECT
private slots:
    void enterChoosesTheDefault_data();
    void enterChoosesTheDefault();
};

void TestMessageBoxes::enterChoosesTheDefault_data()
{
    QTest::addColumn<bool>("deletes");
    QTest::addColumn<QString>("defaultText");
    QTest::addColumn<bool>("answer");
    QTest::newRow("a plain question") << false << "Sim" << true;
    QTest::newRow("a question that deletes") << true << "Não" << false;
}

void TestMessageBoxes::enterChoosesTheDefault()
{
    QFETCH(bool, deletes);
    QFETCH(QString, defaultText);
    QFETCH(bool, answer);
    QString seenDefault;
    QStringList seenButtons;
    // The box is modal: look at it and press Enter from the event loop.
    QTimer::singleShot(0, this, [&] {
        QTRY_VERIFY(qobject_cast<QMessageBox*>(QApplication::activeModalWidget()));
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        seenDefault = box->defaultButton()->text();
        for (QAbstractButton* b : box->buttons())
            seenButtons << b->text();
        QTest::keyClick(box, Qt::Key_Return);
    });
    QtMessageBoxes boxes;
    const bool yes = deletes ? boxes.askToDelete(nullptr, QStringLiteral("Excluir?"), QStringLiteral("Zelvora"))
                             : boxes.ask(nullptr, QStringLiteral("Continuar?"), QStringLiteral("Zelvora"));
    QCOMPARE(seenDefault, defaultText);
    seenButtons.sort();
    QCOMPARE(seenButtons, (QStringList{"Não", "Sim"}));
    QCOMPARE(yes, answer);
}

QTEST_MAIN(TestMessageBoxes)
#include "tst_messageboxes.moc"

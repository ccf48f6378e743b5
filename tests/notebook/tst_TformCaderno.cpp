// The notebook's windows driven offscreen: the table, its filters with their
// counts, the note kept in the store, the question shown with its key, the
// export, and a review session over questions of two papers that is left,
// resumed and finished.
#include "app/FindControl.h"
#include "notebook/NotebookPapers.h"
#include "notebook/TformCaderno.h"
#include "notebook/TformQuestaoCaderno.h"
#include "notebook/TformRefazer.h"
#include "support/RecordingMessages.h"

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTableView>
#include <QTest>

#include <algorithm>

using namespace zelvora;
using gui::TformCaderno;
using gui::TformRefazer;

namespace {

QStringList Items(const QComboBox* box)
{
    QStringList out;
    for (int i = 0; i < box->count(); ++i)
        out << box->itemText(i);
    return out;
}

int IndexOf(const QComboBox* box, const QString& prefix)
{
    for (int i = 0; i < box->count(); ++i)
        if (box->itemText(i).startsWith(prefix))
            return i;
    return -1;
}

} // namespace

class TestTformCaderno : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }
    void init();
    void cleanup();
    void filtersShowCountsAndNarrowTheTable();
    void noteIsKeptAndQuestionShowsKey();
    void exportWritesShownRows();
    void reviewOverTwoPapersIsLeftResumedAndFinished();
    void unavailableNotebookSaysSo();

private:
    std::unique_ptr<NotebookFixture> m_f;
    RecordingMessages m_messages;
};

void TestTformCaderno::init()
{
    m_f = std::make_unique<NotebookFixture>();
    QVERIFY(m_f->store.open());
    m_messages.clear();
    m_messages.answers.clear();
    const PaperIdentity a = WritePaper(m_f->dir, QStringLiteral("a"), {"1", "2", "3"},
                                       QStringLiteral("disciplina=Direito: 1-3\r\n"));
    const PaperIdentity b = WritePaper(m_f->dir, QStringLiteral("b"), {"C", "E"},
                                       QStringLiteral("tipo=certo-errado\r\n"));
    m_f->finish(a, QStringLiteral("Técnico - Banca Guará - 2009"), {"5", "#", "3"});
    m_f->finish(b, QStringLiteral("Analista - Fundação Ventania - 2010"), {"E", "C"});
}

void TestTformCaderno::cleanup()
{
    m_f.reset();
}

void TestTformCaderno::filtersShowCountsAndNarrowTheTable()
{
    TformCaderno w(&m_f->notebook, &m_messages, QStringLiteral("Zelvora"));
    w.show();
    auto* grid = Control<QTableView>(&w, QStringLiteral("gridCaderno"));
    auto* banca = Control<QComboBox>(&w, QStringLiteral("cbBanca"));
    auto* situacao = Control<QComboBox>(&w, QStringLiteral("cbSituacao"));
    QCOMPARE(grid->model()->rowCount(), 4);
    QCOMPARE(Items(banca), (QStringList{"Todas (4)", "Banca Guará (2)", "Fundação Ventania (2)"}));
    QCOMPARE(Items(situacao), (QStringList{"Todas (4)", "Errada (3)", "Em branco (1)"}));
    QCOMPARE(Control<QPushButton>(&w, QStringLiteral("btRevisarHoje"))->text(),
             QStringLiteral("Para revisar hoje (0)"));

    banca->setCurrentIndex(IndexOf(banca, QStringLiteral("Banca Guará")));
    QCOMPARE(grid->model()->rowCount(), 2);
    // The other filters count within the board chosen; its own list stays whole.
    QCOMPARE(Items(situacao), (QStringList{"Todas (2)", "Errada (1)", "Em branco (1)"}));
    QCOMPARE(Items(banca).size(), 3);
    QCOMPARE(banca->currentText(), QStringLiteral("Banca Guará (2)"));
    QCOMPARE(Control<QLabel>(&w, QStringLiteral("lContagem"))->text(), QStringLiteral("2 de 4 questões do caderno"));
    situacao->setCurrentIndex(IndexOf(situacao, QStringLiteral("Em branco")));
    QCOMPARE(grid->model()->rowCount(), 1);
    QCOMPARE(grid->model()->index(0, notebook::NotebookTableModel::Question).data().toString(), QStringLiteral("2"));

    // "Refazer" asks for a session over the rows shown.
    QSignalSpy review(&w, &TformCaderno::reviewRequested);
    Control<QPushButton>(&w, QStringLiteral("btRefazer"))->click();
    QCOMPARE(review.size(), 1);
    QCOMPARE(review[0][0].value<QList<qint64>>().size(), 1);

    // A day later every question is due.
    banca->setCurrentIndex(0);
    situacao->setCurrentIndex(0);
    m_f->now = m_f->now.addDays(1);
    w.reload();
    QCOMPARE(Control<QPushButton>(&w, QStringLiteral("btRevisarHoje"))->text(),
             QStringLiteral("Para revisar hoje (4)"));
    Control<QPushButton>(&w, QStringLiteral("btRevisarHoje"))->click();
    QCOMPARE(review.size(), 2);
    QCOMPARE(review[1][0].value<QList<qint64>>().size(), 4);

    // Sorting by a header.
    grid->sortByColumn(notebook::NotebookTableModel::Paper, Qt::DescendingOrder);
    QCOMPARE(grid->model()->index(0, notebook::NotebookTableModel::Board).data().toString(),
             QStringLiteral("Banca Guará"));
}

void TestTformCaderno::noteIsKeptAndQuestionShowsKey()
{
    TformCaderno w(&m_f->notebook, &m_messages, QStringLiteral("Zelvora"));
    w.show();
    auto* grid = Control<QTableView>(&w, QStringLiteral("gridCaderno"));
    const QModelIndex note = grid->model()->index(0, notebook::NotebookTableModel::Note);
    QVERIFY(grid->model()->setData(note, QStringLiteral("crase antes de palavra feminina")));
    const qint64 id = w.model().item(0).id;
    QCOMPARE(m_f->notebook.item(id)->note, QStringLiteral("crase antes de palavra feminina"));

    // The right/wrong paper's question shows its key as C or E.
    int rowOfB = -1;
    for (int r = 0; r < w.model().rowCount(); ++r)
        if (w.model().item(r).rightWrong)
            rowOfB = r;
    QVERIFY(rowOfB >= 0);
    w.gridCadernoDoubleClick(rowOfB);
    auto* question = w.questionWindow();
    QVERIFY(question && question->isVisible());
    QCOMPARE(Control<QLabel>(question, QStringLiteral("lGabarito"))->text(),
             QStringLiteral("Gabarito: %1").arg(w.model().item(rowOfB).keyLetter()));
    QVERIFY(
        Control<QLabel>(question, QStringLiteral("lQuestao"))->text().contains(QStringLiteral("Fundação Ventania")));
}

void TestTformCaderno::exportWritesShownRows()
{
    TformCaderno w(&m_f->notebook, &m_messages, QStringLiteral("Zelvora"));
    const QString path = m_f->dir.filePath(QStringLiteral("caderno.csv"));
    w.chooseCsvPath = [&](QWidget*) { return path; };
    auto* banca = Control<QComboBox>(&w, QStringLiteral("cbBanca"));
    banca->setCurrentIndex(IndexOf(banca, QStringLiteral("Fundação")));
    Control<QPushButton>(&w, QStringLiteral("btExportar"))->click();
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    QVERIFY(bytes.startsWith("\xEF\xBB\xBF"));
    QCOMPARE(bytes.count("\r\n"), 3); // the header and the two rows shown
    QVERIFY(!bytes.contains("Guar"));
}

void TestTformCaderno::reviewOverTwoPapersIsLeftResumedAndFinished()
{
    m_f->now = m_f->now.addDays(1);
    std::vector<NotebookItem> items = m_f->notebook.items().value();
    // Paper A's two questions first, then paper B's.
    std::stable_partition(items.begin(), items.end(), [](const NotebookItem& it) { return !it.rightWrong; });
    QList<qint64> ids;
    for (const auto& it : items)
        ids << it.id;
    {
        TformRefazer w(&m_f->notebook, &m_messages, QStringLiteral("Zelvora"));
        QVERIFY(w.start(ids));
        auto* options = Control<QWidget>(&w, QStringLiteral("rgResposta"));
        // The first rows are paper A's: options A to E.
        QVERIFY(Control<QRadioButton>(options, QStringLiteral("rbOpcao4"))->isVisibleTo(&w));
        QCOMPARE(Control<QLabel>(&w, QStringLiteral("lQuestao"))->text(), QStringLiteral("Questão 1 de 4"));
        Control<QRadioButton>(options, QStringLiteral("rbOpcao0"))->click(); // A: right
        Control<QPushButton>(&w, QStringLiteral("btProxima"))->click();
        Control<QRadioButton>(options, QStringLiteral("rbOpcao2"))->click(); // C on key B: wrong
        Control<QPushButton>(&w, QStringLiteral("btProxima"))->click();
        // Paper B: only C and E.
        QVERIFY(!Control<QRadioButton>(options, QStringLiteral("rbOpcao2"))->isVisibleTo(&w));
        QCOMPARE(Control<QRadioButton>(options, QStringLiteral("rbOpcao1"))->text(), QStringLiteral("E"));
        Control<QPushButton>(&w, QStringLiteral("btSair"))->click();
    }
    // Started again: the interrupted session is offered and taken.
    TformRefazer w(&m_f->notebook, &m_messages, QStringLiteral("Zelvora"));
    m_messages.answers = {true};
    QVERIFY(w.start({}));
    QCOMPARE(m_messages.questions.size(), 1);
    QCOMPARE(w.session()->answers()[0], std::string("1"));
    QCOMPARE(Control<QLabel>(&w, QStringLiteral("lQuestao"))->text(), QStringLiteral("Questão 3 de 4"));
    auto* options = Control<QWidget>(&w, QStringLiteral("rgResposta"));
    Control<QRadioButton>(options, QStringLiteral("rbOpcao0"))->click(); // C: right
    QSignalSpy finished(&w, &TformRefazer::reviewFinished);
    Control<QPushButton>(&w, QStringLiteral("btFim"))->click();
    QCOMPARE(finished.size(), 1);
    QVERIFY(Control<QLabel>(&w, QStringLiteral("lResultado"))->text().startsWith(QStringLiteral("2 de 4 certas")));
    // The two right ones are due later; the others tomorrow.
    int tomorrow = 0, later = 0;
    const auto afterReview = m_f->notebook.items();
    QVERIFY(afterReview);
    for (const auto& it : afterReview.value())
        (it.schedule.dueDay == m_f->notebook.today() + 1 ? tomorrow : later) += 1;
    QCOMPARE(tomorrow, 2);
    QCOMPARE(later, 2);
    QCOMPARE(m_f->notebook.dueToday().value(), 0);
}

void TestTformCaderno::unavailableNotebookSaysSo()
{
    TformCaderno w(nullptr, &m_messages, QStringLiteral("Zelvora"));
    w.show();
    QVERIFY(Control<QLabel>(&w, QStringLiteral("lAviso"))->isVisible());
    QCOMPARE(Control<QTableView>(&w, QStringLiteral("gridCaderno"))->model()->rowCount(), 0);
    QVERIFY(!Control<QPushButton>(&w, QStringLiteral("btRefazer"))->isEnabled());
}

QTEST_MAIN(TestTformCaderno)
#include "tst_TformCaderno.moc"

#include "notebook/TformEstatisticas.h"

#include "attempts/HistoryCsv.h"
#include "notebook/NotebookTexts.h"

#include <QChart>
#include <QChartView>
#include <QDateTimeAxis>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLegend>
#include <QLineSeries>
#include <QShortcut>
#include <QTableWidget>
#include <QValueAxis>
#include <QVBoxLayout>

namespace zelvora::gui {

using notebook::NotebookTexts;

namespace {

QString Percent(double v)
{
    return attempts::HistoryCsv::Number(v, QLocale()) + QLatin1Char('%');
}

} // namespace

TformEstatisticas::TformEstatisticas(notebook::Notebook* notebook, QWidget* parent)
    : QWidget(parent, Qt::Window)
    , m_notebook(notebook)
{
    setObjectName(QStringLiteral("TformEstatisticas"));
    setWindowTitle(QStringLiteral("Estatísticas do caderno de erros"));
    resize(960, 680);
    m_aviso = new QLabel(this);
    m_aviso->setObjectName(QStringLiteral("lAviso"));
    m_aviso->hide();
    auto makeTable = [this](const char* name, const QString& first) {
        auto* t = new QTableWidget(0, 4, this);
        t->setObjectName(QLatin1String(name));
        t->setHorizontalHeaderLabels(
            {first, QStringLiteral("Acertos"), QStringLiteral("Questões"), QStringLiteral("Porcentagem")});
        t->setEditTriggers(QAbstractItemView::NoEditTriggers);
        t->verticalHeader()->hide();
        t->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
        t->horizontalHeader()->setSectionResizeMode(0, QHeaderView::Stretch);
        return t;
    };
    m_subjects = makeTable("gridDisciplinas", QStringLiteral("Disciplina"));
    m_boards = makeTable("gridBancas", QStringLiteral("Banca"));
    m_chart = new QChart;
    m_chart->legend()->setAlignment(Qt::AlignBottom);
    m_chart->setTitle(QStringLiteral("Acertos por disciplina ao longo do tempo"));
    m_chartView = new QChartView(m_chart, this);
    m_chartView->setObjectName(QStringLiteral("chartDisciplinas"));
    m_chartView->setRenderHint(QPainter::Antialiasing);
    m_tempo = new QLabel(this);
    m_tempo->setObjectName(QStringLiteral("lTempo"));
    auto* tables = new QHBoxLayout;
    tables->addWidget(m_subjects, 3);
    tables->addWidget(m_boards, 2);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_aviso);
    layout->addLayout(tables, 2);
    layout->addWidget(m_chartView, 3);
    layout->addWidget(m_tempo);
    auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    connect(escape, &QShortcut::activated, this, &QWidget::close);
}

void TformEstatisticas::reload()
{
    m_data = {};
    QString problem;
    if (!m_notebook) {
        problem = NotebookTexts::Failure(notebook::NotebookCode::StoreUnavailable, {});
    } else if (auto computed = notebook::NotebookStats::Compute(*m_notebook); !computed) {
        problem = NotebookTexts::Failure(computed.code(), computed.detail());
    } else {
        m_data = std::move(computed).value();
    }
    m_aviso->setText(problem);
    m_aviso->setVisible(!problem.isEmpty());
    fillTable(m_subjects, m_data.subjects);
    fillTable(m_boards, m_data.boards);
    fillChart();
    m_tempo->setText(m_data.attempts > 0 ? QStringLiteral("Tempo médio por questão: %1 s em %2 provas terminadas")
                                               .arg(attempts::HistoryCsv::Number(m_data.secondsPerQuestion, QLocale()))
                                               .arg(m_data.attempts)
                                         : QStringLiteral("Nenhuma prova terminada ainda."));
}

void TformEstatisticas::fillTable(QTableWidget* table, const std::vector<notebook::SubjectRate>& rates)
{
    table->setRowCount(int(rates.size()));
    for (int row = 0; row < int(rates.size()); ++row) {
        const auto& r = rates[size_t(row)];
        const QString cells[] = {NotebookTexts::GroupName(r.name), QString::number(r.hits), QString::number(r.total),
                                 Percent(r.percentage())};
        for (int c = 0; c < 4; ++c) {
            auto* cell = new QTableWidgetItem(cells[c]);
            if (c > 0)
                cell->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            table->setItem(row, c, cell);
        }
    }
}

void TformEstatisticas::fillChart()
{
    m_chart->removeAllSeries();
    for (QAbstractAxis* axis : m_chart->axes())
        m_chart->removeAxis(axis);
    if (m_data.subjectLines.empty())
        return;
    auto* x = new QDateTimeAxis;
    x->setFormat(QStringLiteral("MM/yyyy"));
    auto* y = new QValueAxis;
    y->setRange(0, 100);
    y->setLabelFormat(QStringLiteral("%d%%"));
    m_chart->addAxis(x, Qt::AlignBottom);
    m_chart->addAxis(y, Qt::AlignLeft);
    QDateTime first, last;
    // In the table's order, lowest rate first, so the weakest subjects get
    // the first colours.
    for (const auto& rate : m_data.subjects) {
        const auto found = m_data.subjectLines.find(rate.name);
        if (found == m_data.subjectLines.end())
            continue;
        auto* line = new QLineSeries;
        line->setName(NotebookTexts::GroupName(rate.name));
        line->setPointsVisible(true);
        for (const auto& p : found->second) {
            const QDateTime t(p.month, QTime(0, 0));
            line->append(double(t.toMSecsSinceEpoch()), p.percentage());
            if (!first.isValid() || t < first)
                first = t;
            if (!last.isValid() || t > last)
                last = t;
        }
        m_chart->addSeries(line);
        line->attachAxis(x);
        line->attachAxis(y);
    }
    if (first == last)
        last = first.addMonths(1);
    x->setRange(first, last);
    x->setTickCount(qBound(2, int(first.daysTo(last) / 30) + 1, 8));
}

} // namespace zelvora::gui

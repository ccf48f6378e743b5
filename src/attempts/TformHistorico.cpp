#include "attempts/TformHistorico.h"

#include "app/AppContext.h"
#include "app/MessageBoxes.h"
#include "attempts/AttemptStore.h"
#include "attempts/HistoryCsv.h"
#include "attempts/PaperSeries.h"
#include "attempts/QuestionStore.h"
#include "mockexam/ExamScore.h"

#include <QChart>
#include <QChartView>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLegend>
#include <QLegendMarker>
#include <QLineSeries>
#include <QPushButton>
#include <QScatterSeries>
#include <QShortcut>
#include <QStandardPaths>
#include <QTableView>
#include <QValueAxis>
#include <QVBoxLayout>

namespace zelvora::gui {

using attempts::HistoryCsv;
using attempts::HistoryModel;
using attempts::PaperSeries;

namespace {

QString Percent(double value)
{
    const std::string text = mockexam::ExamScore::FormatTwoDecimals(value, QLocale().decimalPoint().toStdString());
    return QString::fromStdString(text).trimmed() + QLatin1Char('%');
}

} // namespace

TformHistorico::TformHistorico(attempts::AttemptStore* store, app::MessageBoxes* messages, QString title,
                               QWidget* parent)
    // Above the results window, which stays on top too.
    : QWidget(parent, Qt::Window | Qt::WindowStaysOnTopHint)
    , m_store(store)
    , m_messages(messages)
    , m_title(std::move(title))
{
    setObjectName(QStringLiteral("TformHistorico"));
    setWindowTitle(QStringLiteral("Histórico"));
    resize(900, 640);

    m_aviso = new QLabel(this);
    m_aviso->setObjectName(QStringLiteral("lAviso"));
    m_aviso->setWordWrap(true);
    m_aviso->hide();

    m_table = new QTableView(this);
    m_table->setObjectName(QStringLiteral("gridHistorico"));
    m_table->setModel(&m_model);
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_table->setSelectionMode(QAbstractItemView::SingleSelection);
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->verticalHeader()->hide();
    // Column widths from the first rows only: measuring ten thousand rows
    // would cost more than reading them.
    m_table->horizontalHeader()->setResizeContentsPrecision(64);
    m_table->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    m_table->horizontalHeader()->setSectionResizeMode(HistoryModel::Paper, QHeaderView::Stretch);
    m_table->setSortingEnabled(true);
    m_table->sortByColumn(HistoryModel::Date, Qt::DescendingOrder);
    connect(m_table->selectionModel(), &QItemSelectionModel::selectionChanged, this, [this] {
        updateChart();
        updateButtons();
    });

    m_chart = new QChart;
    m_chart->legend()->setAlignment(Qt::AlignBottom);
    m_chartView = new QChartView(m_chart, this);
    m_chartView->setObjectName(QStringLiteral("chartEvolucao"));
    m_chartView->setRenderHint(QPainter::Antialiasing);
    m_chartView->setMinimumHeight(220);

    m_resumo = new QLabel(this);
    m_resumo->setObjectName(QStringLiteral("lResumo"));

    m_excluir = new QPushButton(QStringLiteral("Excluir"), this);
    m_excluir->setObjectName(QStringLiteral("btExcluir"));
    m_exportar = new QPushButton(QStringLiteral("Exportar CSV..."), this);
    m_exportar->setObjectName(QStringLiteral("btExportar"));
    m_fechar = new QPushButton(QStringLiteral("Fechar"), this);
    m_fechar->setObjectName(QStringLiteral("btFechar"));
    connect(m_excluir, &QPushButton::clicked, this, &TformHistorico::btExcluirClick);
    connect(m_exportar, &QPushButton::clicked, this, &TformHistorico::btExportarClick);
    connect(m_fechar, &QPushButton::clicked, this, &QWidget::close);
    auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    connect(escape, &QShortcut::activated, this, &QWidget::close);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_resumo, 1);
    buttons->addWidget(m_excluir);
    buttons->addWidget(m_exportar);
    buttons->addWidget(m_fechar);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_aviso);
    layout->addWidget(m_table, 3);
    layout->addWidget(m_chartView, 2);
    layout->addLayout(buttons);

    chooseCsvPath = [](QWidget* owner) {
        const QString start = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation)
            + QStringLiteral("/historico-zelvora.csv");
        return QFileDialog::getSaveFileName(owner, QStringLiteral("Exportar histórico"), start,
                                            QStringLiteral("Planilha CSV (*.csv)"));
    };
    reload();
}

TformHistorico* TformHistorico::Open(app::AppContext& ctx, TformHistorico*& w)
{
    if (!w)
        w = new TformHistorico(ctx.attempts, ctx.messages, ctx.title);
    else
        w->reload();
    w->show();
    w->raise();
    w->activateWindow();
    return w;
}

void TformHistorico::setStore(attempts::AttemptStore* store)
{
    m_store = store;
    reload();
}

void TformHistorico::reload()
{
    const bool available = m_store && m_store->isOpen();
    if (available) {
        m_model.reload(*m_store);
        m_aviso->hide();
    } else {
        m_model.setAttempts({});
        m_aviso->setText(QStringLiteral("O histórico não está disponível: %1.")
                             .arg(m_store ? m_store->error() : QStringLiteral("o arquivo não foi aberto")));
        m_aviso->show();
    }
    if (m_model.rowCount() > 0)
        m_table->selectRow(0);
    updateChart();
    updateButtons();
}

qint64 TformHistorico::selectedAttemptId() const
{
    const QModelIndexList rows = m_table->selectionModel()->selectedRows();
    return rows.isEmpty() ? 0 : rows.first().data(HistoryModel::AttemptIdRole).toLongLong();
}

void TformHistorico::selectAttempt(qint64 id)
{
    const int row = m_model.rowOf(id);
    if (row >= 0)
        m_table->selectRow(row);
}

void TformHistorico::updateButtons()
{
    m_excluir->setEnabled(selectedAttemptId() != 0);
    m_exportar->setEnabled(m_model.rowCount() > 0);
}

void TformHistorico::updateChart()
{
    m_chart->removeAllSeries();
    for (QAbstractAxis* axis : m_chart->axes())
        m_chart->removeAxis(axis);
    const int row = m_model.rowOf(selectedAttemptId());
    if (row < 0) {
        m_chart->setTitle(QString());
        m_resumo->clear();
        return;
    }
    const attempts::Attempt& selected = m_model.attempt(row);
    const PaperSeries series = PaperSeries::For(m_model.attempts(), selected.paper);
    m_chart->setTitle(selected.paperName);
    if (series.empty()) {
        m_resumo->setText(QStringLiteral("Nenhuma tentativa concluída desta prova."));
        return;
    }
    const size_t n = series.percentages.size();
    const QString count = n == 1 ? QStringLiteral("1 tentativa concluída")
                                 : QStringLiteral("%1 tentativas concluídas").arg(n);
    m_resumo->setText(
        QStringLiteral("%1 · melhor %2 · média %3").arg(count, Percent(series.best), Percent(series.average)));

    auto* line = new QLineSeries;
    line->setName(QStringLiteral("Porcentagem de acerto"));
    auto* points = new QScatterSeries;
    points->setMarkerSize(8);
    for (int i = 0; i < int(n); ++i) {
        line->append(i + 1, series.percentages[size_t(i)]);
        points->append(i + 1, series.percentages[size_t(i)]);
    }
    const double right = n > 1 ? double(n) : 2.0;
    auto* best = new QLineSeries;
    best->setName(QStringLiteral("Melhor: %1").arg(Percent(series.best)));
    best->append(1, series.best);
    best->append(right, series.best);
    auto* average = new QLineSeries;
    average->setName(QStringLiteral("Média: %1").arg(Percent(series.average)));
    average->append(1, series.average);
    average->append(right, series.average);
    QPen dashed(Qt::DashLine);
    dashed.setWidth(2);
    dashed.setColor(QColor(0x2E, 0x8B, 0x57));
    best->setPen(dashed);
    dashed.setColor(QColor(0xD2, 0x69, 0x1E));
    average->setPen(dashed);

    for (QAbstractSeries* s : std::initializer_list<QAbstractSeries*>{line, points, best, average})
        m_chart->addSeries(s);
    // The chart's theme colours a series when it is added; the points take
    // the line's colour afterwards.
    points->setColor(line->color());
    points->setBorderColor(line->color());
    m_chart->legend()->markers(points).first()->setVisible(false);

    auto* x = new QValueAxis;
    x->setTitleText(QStringLiteral("Tentativa"));
    x->setRange(1, right);
    x->setLabelFormat(QStringLiteral("%d"));
    x->setTickCount(int(qBound<size_t>(2, n, 10)));
    auto* y = new QValueAxis;
    y->setTitleText(QStringLiteral("%"));
    y->setRange(0, 100);
    y->setLabelFormat(QStringLiteral("%d"));
    m_chart->addAxis(x, Qt::AlignBottom);
    m_chart->addAxis(y, Qt::AlignLeft);
    for (QAbstractSeries* s : m_chart->series()) {
        s->attachAxis(x);
        s->attachAxis(y);
    }
}

void TformHistorico::btExcluirClick()
{
    const qint64 id = selectedAttemptId();
    const int row = m_model.rowOf(id);
    if (row < 0 || !m_store)
        return;
    const attempts::Attempt& a = m_model.attempt(row);
    const QString question = QStringLiteral("Excluir a tentativa de %1 de %2? Ela não poderá ser recuperada.")
                                 .arg(a.paperName, m_model.dateText(a));
    if (!m_messages || !m_messages->ask(this, question, m_title))
        return;
    if (!m_store->remove(id)) {
        showMessage(QStringLiteral("Não foi possível excluir a tentativa: %1.").arg(m_store->error()));
        return;
    }
    const int next = row;
    m_model.reload(*m_store);
    if (m_model.rowCount() > 0)
        m_table->selectRow(qMin(next, m_model.rowCount() - 1));
    updateChart();
    updateButtons();
}

void TformHistorico::btExportarClick()
{
    const QString path = chooseCsvPath ? chooseCsvPath(this) : QString();
    if (path.isEmpty())
        return;
    QString error;
    const auto notes = [this](const attempts::Attempt& a) -> std::map<int, QString> {
        if (!m_store || !m_store->isOpen())
            return {};
        attempts::QuestionStore questions(*m_store);
        const QString paper = questions.attemptPaper(a.id);
        return paper.isEmpty() ? std::map<int, QString>{} : questions.notes(paper);
    };
    if (!HistoryCsv::Save(m_model, QLocale(), path, &error, notes))
        showMessage(QStringLiteral("Não foi possível gravar o arquivo %1: %2").arg(path, error));
}

void TformHistorico::showMessage(const QString& text)
{
    if (m_messages)
        m_messages->show(this, text, m_title);
}

} // namespace zelvora::gui

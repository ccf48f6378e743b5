#include "attempts/TformHistorico.h"

#include "app/AppContext.h"
#include "app/MessageBoxes.h"
#include "attempts/AttemptStore.h"
#include "attempts/AttemptTexts.h"
#include "attempts/HistoryCsv.h"
#include "attempts/PaperCutoff.h"
#include "attempts/PaperSeries.h"
#include "attempts/QuestionStore.h"
#include "attempts/UserDataArchive.h"
#include "mockexam/ExamScore.h"

#include <QChart>
#include <QChartView>
#include <QDesktopServices>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLegend>
#include <QLegendMarker>
#include <QLineSeries>
#include <QPushButton>
#include <QScatterSeries>
#include <QScreen>
#include <QShortcut>
#include <QStandardPaths>
#include <QTableView>
#include <QUrl>
#include <QValueAxis>
#include <QVBoxLayout>

#include <algorithm>

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
    // The legend at the right and thin margins leave the plot most of the
    // chart's height.
    m_chart->legend()->setAlignment(Qt::AlignRight);
    m_chart->setMargins(QMargins(4, 2, 4, 2));
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
    m_atualizar = new QPushButton(QStringLiteral("Atualizar gabarito..."), this);
    m_atualizar->setObjectName(QStringLiteral("btAtualizarGabarito"));
    m_atualizar->setToolTip(QStringLiteral("Troque o gabarito da prova da tentativa escolhida (o definitivo da "
                                           "banca, por exemplo) e recalcule todas as tentativas dela"));
    m_atualizar->hide();
    connect(m_atualizar, &QPushButton::clicked, this, &TformHistorico::btAtualizarGabaritoClick);
    m_fechar = new QPushButton(QStringLiteral("Fechar"), this);
    m_fechar->setObjectName(QStringLiteral("btFechar"));
    connect(m_excluir, &QPushButton::clicked, this, &TformHistorico::btExcluirClick);
    connect(m_exportar, &QPushButton::clicked, this, &TformHistorico::btExportarClick);
    connect(m_fechar, &QPushButton::clicked, this, &QWidget::close);
    m_caderno = new QPushButton(QStringLiteral("Caderno de erros"), this);
    m_caderno->setObjectName(QStringLiteral("btCaderno"));
    connect(m_caderno, &QPushButton::clicked, this, &TformHistorico::notebookRequested);
    m_exportarDados = new QPushButton(QStringLiteral("Exportar meus dados..."), this);
    m_exportarDados->setObjectName(QStringLiteral("btExportarDados"));
    m_importarDados = new QPushButton(QStringLiteral("Importar meus dados..."), this);
    m_importarDados->setObjectName(QStringLiteral("btImportarDados"));
    connect(m_exportarDados, &QPushButton::clicked, this, &TformHistorico::btExportarDadosClick);
    connect(m_importarDados, &QPushButton::clicked, this, &TformHistorico::btImportarDadosClick);
    auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    connect(escape, &QShortcut::activated, this, &QWidget::close);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_resumo, 1);
    buttons->addWidget(m_caderno);
    // Left of the table's buttons, which keep their places at the right.
    buttons->addWidget(m_exportarDados);
    buttons->addWidget(m_importarDados);
    buttons->addSpacing(16);
    buttons->addWidget(m_atualizar);
    buttons->addWidget(m_excluir);
    buttons->addWidget(m_exportar);
    buttons->addWidget(m_fechar);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_aviso);
    layout->addWidget(m_table, 1);
    layout->addWidget(m_chartView, 1);
    layout->addLayout(buttons);

    chooseCsvPath = [](QWidget* owner) {
        const QString start = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation)
            + QStringLiteral("/historico-zelvora.csv");
        return QFileDialog::getSaveFileName(owner, QStringLiteral("Exportar histórico"), start,
                                            QStringLiteral("Planilha CSV (*.csv)"));
    };
    chooseExportPath = [](QWidget* owner) {
        const QString start = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation)
            + QStringLiteral("/meus-dados-zelvora.zip");
        return QFileDialog::getSaveFileName(owner, QStringLiteral("Exportar meus dados"), start,
                                            QStringLiteral("Arquivo zip (*.zip)"));
    };
    chooseImportPath = [](QWidget* owner) {
        return QFileDialog::getOpenFileName(owner, QStringLiteral("Importar meus dados"),
                                            QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation),
                                            QStringLiteral("Arquivo zip (*.zip)"));
    };
    reload();
}

TformHistorico* TformHistorico::Open(app::AppContext& ctx, TformHistorico*& w)
{
    if (!w) {
        w = new TformHistorico(ctx.attempts, ctx.messages, ctx.title);
        if (ctx.updateKey)
            w->updateKey = [&ctx](QWidget* owner, const attempts::Attempt& a) {
                return ctx.updateKey(owner, a.paper.pdfPath, a.paper.dataFolder, a.paperName);
            };
        w->updateButtons();
    } else
        w->reload();
    const bool first = !w->isVisible();
    w->show();
    if (first)
        w->centreOnScreen();
    w->raise();
    w->activateWindow();
    return w;
}

void TformHistorico::centreOnScreen()
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen)
        return;
    const QRect area = screen->availableGeometry();
    // The frame around the window, or room for one before it is framed.
    QSize extra = frameGeometry().size() - size();
    if (extra.isEmpty())
        extra = QSize(8, 40);
    resize(size().boundedTo(area.size() - extra));
    QRect frame(QPoint(), size() + extra);
    frame.moveCenter(area.center());
    move(frame.topLeft());
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
        m_aviso->setText(attempts::AttemptTexts::HistoryUnavailable(
            m_store ? m_store->status() : attempts::StoreResult::Fail(attempts::StoreError::NotOpen)));
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
    m_atualizar->setVisible(bool(updateKey));
    m_atualizar->setEnabled(selectedAttemptId() != 0);
    m_exportar->setEnabled(m_model.rowCount() > 0);
    const bool open = m_store && m_store->isOpen();
    m_exportarDados->setEnabled(open);
    m_importarDados->setEnabled(open);
}

// Last year's cut-off as a line across the chart, when the paper sets one.
void TformHistorico::addCutoffLine(const attempts::PaperIdentity& paper, double right)
{
    const auto cutoff = attempts::PaperCutoff::For(paper);
    if (!cutoff)
        return;
    const std::string point = QLocale().decimalPoint().toStdString();
    auto* line = new QLineSeries;
    line->setObjectName(QStringLiteral("serieCorte"));
    line->setName(QStringLiteral("Nota de corte: %1 de %2 pontos (%3)")
                      .arg(QString::fromStdString(mockexam::ExamScore::FormatPoints(cutoff->points, point)),
                           QString::fromStdString(mockexam::ExamScore::FormatPoints(cutoff->maximum, point)),
                           Percent(cutoff->percentage())));
    const double y = qBound(0.0, cutoff->percentage(), 100.0);
    line->append(1, y);
    line->append(right, y);
    QPen pen(Qt::DotLine);
    pen.setWidth(2);
    pen.setColor(QColor(0xB2, 0x22, 0x22));
    line->setPen(pen);
    m_chart->addSeries(line);
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
    // Half an attempt of room at both ends: the first and last points (a
    // single attempt's point too) stand inside the plot, never on its edge.
    const double left = 0.5;
    const double right = double(n) + 0.5;
    auto* best = new QLineSeries;
    best->setName(QStringLiteral("Melhor: %1").arg(Percent(series.best)));
    best->append(left, series.best);
    best->append(right, series.best);
    auto* average = new QLineSeries;
    average->setName(QStringLiteral("Média: %1").arg(Percent(series.average)));
    average->append(left, series.average);
    average->append(right, series.average);
    QPen dashed(Qt::DashLine);
    dashed.setWidth(2);
    dashed.setColor(QColor(0x2E, 0x8B, 0x57));
    best->setPen(dashed);
    dashed.setColor(QColor(0xD2, 0x69, 0x1E));
    average->setPen(dashed);

    for (QAbstractSeries* s : std::initializer_list<QAbstractSeries*>{line, points, best, average})
        m_chart->addSeries(s);
    addCutoffLine(selected.paper, right);
    // The chart's theme colours a series when it is added; the points take
    // the line's colour afterwards.
    points->setColor(line->color());
    points->setBorderColor(line->color());
    m_chart->legend()->markers(points).first()->setVisible(false);

    auto* x = new QValueAxis;
    x->setTitleText(QStringLiteral("Tentativa"));
    x->setRange(left, right);
    x->setLabelFormat(QStringLiteral("%d"));
    // Ticks on the attempts' whole numbers, at most about ten of them.
    x->setTickType(QValueAxis::TicksDynamic);
    x->setTickAnchor(1);
    x->setTickInterval(double(std::max<size_t>(1, (n + 9) / 10)));
    auto* y = new QValueAxis;
    y->setTitleText(QStringLiteral("%"));
    // A little above 100 and below 0, so points at the ends are whole.
    y->setRange(-4, 104);
    y->setTickType(QValueAxis::TicksDynamic);
    y->setTickAnchor(0);
    y->setTickInterval(25);
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
    if (!m_messages || !m_messages->askToDelete(this, question, m_title))
        return;
    if (const auto removed = m_store->remove(id); !removed) {
        showMessage(attempts::AttemptTexts::RemoveFailed(removed));
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
        return attempts::QuestionStore(*m_store).notesOfAttempt(a.id);
    };
    if (!HistoryCsv::Save(m_model, QLocale(), path, &error, notes)) {
        showMessage(QStringLiteral("Não foi possível gravar o arquivo %1: %2").arg(path, error));
        return;
    }
    if (!m_messages)
        return;
    const QString text = QStringLiteral("Histórico exportado para o arquivo:\n%1").arg(QDir::toNativeSeparators(path));
    if (m_messages->offer(this, text, m_title, QStringLiteral("Abrir pasta")))
        QDesktopServices::openUrl(QUrl::fromLocalFile(QFileInfo(path).absolutePath()));
}

void TformHistorico::showMessage(const QString& text)
{
    if (m_messages)
        m_messages->show(this, text, m_title);
}

void TformHistorico::btAtualizarGabaritoClick()
{
    const qint64 id = selectedAttemptId();
    const int row = m_model.rowOf(id);
    if (!updateKey || row < 0)
        return;
    const attempts::Attempt chosen = m_model.attempt(row);
    if (updateKey(this, chosen) && m_store) {
        reload();
        selectAttempt(id);
    }
}

void TformHistorico::btExportarDadosClick()
{
    if (!m_store || !chooseExportPath)
        return;
    const QString path = chooseExportPath(this);
    if (path.isEmpty())
        return;
    const QString folder = QFileInfo(m_store->path()).absolutePath();
    const auto written = attempts::UserDataArchive::Write(*m_store, folder, path);
    showMessage(written ? attempts::AttemptTexts::Exported(QDir::toNativeSeparators(path))
                        : attempts::AttemptTexts::ArchiveFailed(written));
}

void TformHistorico::btImportarDadosClick()
{
    if (!m_store || !chooseImportPath)
        return;
    const QString path = chooseImportPath(this);
    if (path.isEmpty())
        return;
    const QString folder = QFileInfo(m_store->path()).absolutePath();
    const auto read = attempts::UserDataArchive::Read(path, folder, *m_store);
    if (read)
        reload();
    showMessage(read ? attempts::AttemptTexts::Imported(read.value())
                     : attempts::AttemptTexts::ArchiveFailed(read.status()));
}

} // namespace zelvora::gui

#include "notebook/TformCaderno.h"

#include "app/MessageBoxes.h"
#include "notebook/Notebook.h"
#include "notebook/NotebookCsv.h"
#include "notebook/NotebookTexts.h"
#include "notebook/TformEstatisticas.h"
#include "notebook/TformQuestaoCaderno.h"

#include <QComboBox>
#include <QFileDialog>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QScopedValueRollback>
#include <QShortcut>
#include <QStandardPaths>
#include <QTableView>
#include <QVBoxLayout>

namespace zelvora::gui {

using notebook::NotebookFilter;
using notebook::NotebookTableModel;
using notebook::NotebookTexts;

namespace {

const char* const FilterNames[] = {"cbProva", "cbBanca", "cbDisciplina", "cbAno", "cbSituacao"};
const char* const FilterLabels[] = {"Prova", "Banca", "Disciplina", "Ano", "Situação"};

} // namespace

TformCaderno::TformCaderno(notebook::Notebook* notebook, app::MessageBoxes* messages, QString title, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::WindowStaysOnTopHint)
    , m_notebook(notebook)
    , m_messages(messages)
    , m_title(std::move(title))
{
    setObjectName(QStringLiteral("TformCaderno"));
    setWindowTitle(QStringLiteral("Caderno de erros"));
    resize(980, 640);

    m_aviso = new QLabel(this);
    m_aviso->setObjectName(QStringLiteral("lAviso"));
    m_aviso->setWordWrap(true);
    m_aviso->hide();

    auto* filters = new QGridLayout;
    for (int i = 0; i < 5; ++i) {
        auto* label = new QLabel(QString::fromUtf8(FilterLabels[i]), this);
        m_filters[i] = new QComboBox(this);
        m_filters[i]->setObjectName(QLatin1String(FilterNames[i]));
        m_filters[i]->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
        m_filters[i]->setMinimumContentsLength(12);
        label->setBuddy(m_filters[i]);
        filters->addWidget(label, 0, i);
        filters->addWidget(m_filters[i], 1, i);
        connect(m_filters[i], &QComboBox::currentIndexChanged, this, [this] { filterChanged(); });
    }

    m_contagem = new QLabel(this);
    m_contagem->setObjectName(QStringLiteral("lContagem"));

    m_table = new QTableView(this);
    m_table->setObjectName(QStringLiteral("gridCaderno"));
    m_table->setModel(&m_model);
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_table->setEditTriggers(QAbstractItemView::EditKeyPressed | QAbstractItemView::SelectedClicked);
    m_table->verticalHeader()->hide();
    m_table->horizontalHeader()->setResizeContentsPrecision(64);
    m_table->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    m_table->horizontalHeader()->setSectionResizeMode(NotebookTableModel::Paper, QHeaderView::Stretch);
    m_table->setSortingEnabled(true);
    connect(m_table, &QTableView::doubleClicked, this, [this](const QModelIndex& index) {
        if (index.column() != NotebookTableModel::Note)
            gridCadernoDoubleClick(index.row());
    });
    m_model.onNoteEdited = [this](qint64 id, const QString& note) {
        const auto done = m_notebook ? m_notebook->setNote(id, note)
                                     : notebook::Notebook::Status::Fail(notebook::NotebookCode::StoreUnavailable);
        if (!done)
            showMessage(NotebookTexts::Failure(done.code(), done.detail()));
        return done.ok();
    };

    auto button = [this](const QString& text, const char* name) {
        auto* b = new QPushButton(text, this);
        b->setObjectName(QLatin1String(name));
        b->setAutoDefault(false);
        return b;
    };
    m_refazer = button(QStringLiteral("Refazer"), "btRefazer");
    m_revisarHoje = button(NotebookTexts::DueToday(0), "btRevisarHoje");
    m_estatisticas = button(QStringLiteral("Estatísticas"), "btEstatisticas");
    m_exportar = button(QStringLiteral("Exportar CSV..."), "btExportar");
    m_fechar = button(QStringLiteral("Fechar"), "btFechar");
    m_refazer->setToolTip(QStringLiteral("Refazer as questões mostradas na tabela"));
    connect(m_refazer, &QPushButton::clicked, this, &TformCaderno::btRefazerClick);
    connect(m_revisarHoje, &QPushButton::clicked, this, &TformCaderno::btRevisarHojeClick);
    connect(m_estatisticas, &QPushButton::clicked, this, &TformCaderno::btEstatisticasClick);
    connect(m_exportar, &QPushButton::clicked, this, &TformCaderno::btExportarClick);
    connect(m_fechar, &QPushButton::clicked, this, &QWidget::close);
    auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    connect(escape, &QShortcut::activated, this, &QWidget::close);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_refazer);
    buttons->addWidget(m_revisarHoje);
    buttons->addStretch(1);
    buttons->addWidget(m_estatisticas);
    buttons->addWidget(m_exportar);
    buttons->addWidget(m_fechar);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_aviso);
    layout->addLayout(filters);
    layout->addWidget(m_contagem);
    layout->addWidget(m_table, 1);
    layout->addLayout(buttons);

    chooseCsvPath = [](QWidget* owner) {
        const QString start = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation)
            + QStringLiteral("/caderno-de-erros-zelvora.csv");
        return QFileDialog::getSaveFileName(owner, QStringLiteral("Exportar caderno de erros"), start,
                                            QStringLiteral("Planilha CSV (*.csv)"));
    };
    reload();
}

TformCaderno::~TformCaderno() = default;

void TformCaderno::showMessage(const QString& text)
{
    if (m_messages)
        m_messages->show(this, text, m_title);
}

void TformCaderno::reload()
{
    std::vector<notebook::NotebookItem> items;
    QString problem;
    if (!m_notebook) {
        problem = NotebookTexts::Failure(notebook::NotebookCode::StoreUnavailable, {});
    } else if (auto read = m_notebook->items(); !read) {
        problem = NotebookTexts::Failure(read.code(), read.detail());
    } else {
        items = std::move(read).value();
    }
    m_aviso->setText(problem);
    m_aviso->setVisible(!problem.isEmpty());
    const int64_t today = m_notebook ? m_notebook->today() : 0;
    m_due = 0;
    for (const auto& it : items)
        m_due += it.schedule.dueDay <= today ? 1 : 0;
    m_model.setItems(std::move(items), today);
    m_revisarHoje->setText(NotebookTexts::DueToday(m_due));
    m_revisarHoje->setEnabled(m_due > 0);
    fillFilters();
}

void TformCaderno::fillFilters()
{
    QScopedValueRollback<bool> filling(m_filling, true);
    const NotebookFilter& filter = m_model.filter();
    int i = 0;
    for (NotebookFilter::Field field : NotebookFilter::Fields) {
        QComboBox* box = m_filters[i++];
        const auto counts = filter.counts(m_model.allItems(), field);
        int all = 0;
        for (const auto& [value, n] : counts)
            all += n;
        box->clear();
        box->addItem(QStringLiteral("Todas (%1)").arg(all));
        const auto chosen = filter.value(field);
        int chosenIndex = 0;
        for (const auto& [value, n] : counts) {
            const QString shown = field == NotebookFilter::Field::Status ? NotebookTexts::StatusOfKey(value)
                                                                         : NotebookTexts::GroupName(value);
            box->addItem(QStringLiteral("%1 (%2)").arg(shown).arg(n), value);
            if (chosen && *chosen == value)
                chosenIndex = box->count() - 1;
        }
        // A chosen value no question holds any more is still shown, with 0.
        if (chosen && chosenIndex == 0) {
            box->addItem(QStringLiteral("%1 (0)").arg(NotebookTexts::GroupName(*chosen)), *chosen);
            chosenIndex = box->count() - 1;
        }
        box->setCurrentIndex(chosenIndex);
    }
    m_contagem->setText(
        QStringLiteral("%1 de %2 questões do caderno").arg(m_model.rowCount()).arg(int(m_model.allItems().size())));
    m_refazer->setEnabled(m_model.rowCount() > 0);
    m_exportar->setEnabled(m_model.rowCount() > 0);
}

void TformCaderno::filterChanged()
{
    if (m_filling)
        return;
    NotebookFilter filter;
    int i = 0;
    for (NotebookFilter::Field field : NotebookFilter::Fields) {
        QComboBox* box = m_filters[i++];
        const QVariant value = box->currentData();
        filter.set(field,
                   box->currentIndex() > 0 && value.isValid() ? std::optional<QString>(value.toString())
                                                              : std::nullopt);
    }
    m_model.setFilter(filter);
    fillFilters();
}

void TformCaderno::btRefazerClick()
{
    QList<qint64> ids;
    for (const auto& it : m_model.rows())
        ids << it.id;
    if (!ids.isEmpty())
        emit reviewRequested(ids);
}

void TformCaderno::btRevisarHojeClick()
{
    if (!m_notebook)
        return;
    const auto due = m_notebook->dueItems();
    if (!due) {
        showMessage(NotebookTexts::Failure(due.code(), due.detail()));
        return;
    }
    QList<qint64> ids;
    for (const auto& it : due.value())
        ids << it.id;
    if (ids.isEmpty()) {
        showMessage(NotebookTexts::Failure(notebook::NotebookCode::NothingToReview, {}));
        return;
    }
    emit reviewRequested(ids);
}

void TformCaderno::btEstatisticasClick()
{
    if (!m_stats)
        m_stats = new TformEstatisticas(m_notebook, this);
    m_stats->reload();
    m_stats->show();
    m_stats->raise();
    m_stats->activateWindow();
}

void TformCaderno::btExportarClick()
{
    const QString path = chooseCsvPath ? chooseCsvPath(this) : QString();
    if (path.isEmpty())
        return;
    QString error;
    if (!notebook::NotebookCsv::Save(m_model, QLocale(), path, &error))
        showMessage(QStringLiteral("O arquivo não pôde ser gravado: %1").arg(error));
}

void TformCaderno::gridCadernoDoubleClick(int row)
{
    if (row < 0 || row >= m_model.rowCount())
        return;
    if (!m_question)
        m_question = new TformQuestaoCaderno(paperPanes, this);
    m_question->showItem(m_model.item(row));
    m_question->show();
    m_question->raise();
    m_question->activateWindow();
}

} // namespace zelvora::gui

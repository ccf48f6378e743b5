#include "mockexam/TformRevisao.h"

#include <QComboBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

using namespace zelvora::mockexam;

namespace zelvora::gui {

namespace {

// The results list blank questions among the wrong ones; "Erradas ou em
// branco" is that list, the two before it its parts. "Chutes" comes last.
const ReviewFilter Filters[] = {ReviewFilter::All,   ReviewFilter::NotRight, ReviewFilter::Wrong,
                                ReviewFilter::Blank, ReviewFilter::Marked,   ReviewFilter::Guessed};

QColor StatusColour(QuestionStatus status)
{
    switch (status) {
    case QuestionStatus::Right:
        return QColor(0x1B, 0x7A, 0x3A);
    case QuestionStatus::Wrong:
        return QColor(0xB3, 0x26, 0x1E);
    case QuestionStatus::Blank:
        return QColor(0x5A, 0x60, 0x70);
    case QuestionStatus::Annulled:
        return QColor(0x1F, 0x5F, 0xB0);
    }
    return {};
}

} // namespace

TformRevisao::TformRevisao(QWidget* parent)
    : QDialog(parent,
              Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint
                  | Qt::WindowStaysOnTopHint)
{
    setObjectName(QStringLiteral("TformRevisao"));
    setWindowTitle(QStringLiteral("Revisão"));
    setModal(false);
    resize(400, 480);

    auto* title = new QLabel(QStringLiteral("Revisão da prova"), this);
    title->setObjectName(QStringLiteral("lRevisao"));
    QFont bold = title->font();
    bold.setBold(true);
    bold.setPixelSize(18);
    title->setFont(bold);

    auto* filterLabel = new QLabel(QStringLiteral("Mostrar:"), this);
    m_filter = new QComboBox(this);
    m_filter->setObjectName(QStringLiteral("cbFiltro"));
    for (const ReviewFilter f : Filters)
        m_filter->addItem(QString::fromUtf8(ExamReview::FilterText(f)), int(f));
    filterLabel->setBuddy(m_filter);

    m_list = new QListWidget(this);
    m_list->setObjectName(QStringLiteral("lbQuestoes"));
    m_list->setAlternatingRowColors(true);
    m_count = new QLabel(this);
    m_count->setObjectName(QStringLiteral("lTotal"));
    auto* hint = new QLabel(QStringLiteral("Escolha uma questão para vê-la na prova com as duas respostas."), this);
    hint->setWordWrap(true);

    m_note = new QPushButton(QStringLiteral("Anotação..."), this);
    m_note->setObjectName(QStringLiteral("btAnotar"));
    m_note->setToolTip(QStringLiteral("Escrever uma nota sobre a questão escolhida (N)"));
    m_note->setEnabled(false);

    auto* filterRow = new QHBoxLayout;
    filterRow->addWidget(filterLabel);
    filterRow->addWidget(m_filter, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(title);
    layout->addLayout(filterRow);
    layout->addWidget(m_list, 1);
    auto* countRow = new QHBoxLayout;
    countRow->addWidget(m_count, 1);
    countRow->addWidget(m_note);
    layout->addLayout(countRow);
    layout->addWidget(hint);

    connect(m_filter, &QComboBox::currentIndexChanged, this, [this] { fill(); });
    connect(m_list, &QListWidget::currentRowChanged, this, &TformRevisao::chosen);
    connect(m_list, &QListWidget::itemActivated, this, [this](QListWidgetItem* item) { chosen(m_list->row(item)); });
    connect(m_note, &QPushButton::clicked, this, [this] {
        if (QListWidgetItem* item = m_list->currentItem())
            emit noteRequested(item->data(Qt::UserRole).toInt());
    });
}

void TformRevisao::setReview(const ExamReview& review)
{
    m_review = review;
    {
        // Each filter names how many questions it keeps.
        const QSignalBlocker block(m_filter);
        for (int i = 0; i < m_filter->count(); ++i)
            m_filter->setItemText(
                i, QString::fromStdString(m_review.filterLabel(ReviewFilter(m_filter->itemData(i).toInt()))));
    }
    fill();
}

void TformRevisao::setFilter(ReviewFilter filter)
{
    m_filter->setCurrentIndex(m_filter->findData(int(filter)));
}

void TformRevisao::fill()
{
    const int chosenQuestion = m_list->currentItem() ? m_list->currentItem()->data(Qt::UserRole).toInt() : -1;
    const auto filter = ReviewFilter(m_filter->currentData().toInt());
    const auto rows = m_review.filtered(filter);
    const QSignalBlocker block(m_list);
    m_list->clear();
    for (const ReviewRow& row : rows) {
        auto* item = new QListWidgetItem(QString::fromStdString(ExamReview::RowText(row)), m_list);
        item->setData(Qt::UserRole, row.number - 1);
        item->setForeground(StatusColour(row.status));
        if (row.number - 1 == chosenQuestion)
            m_list->setCurrentItem(item);
    }
    m_note->setEnabled(m_list->currentItem() != nullptr);
    const int total = int(m_review.rows().size());
    m_count->setText(QStringLiteral("%1 de %2 questões").arg(rows.size()).arg(total));
}

void TformRevisao::chosen(int row)
{
    m_note->setEnabled(m_list->item(row) != nullptr);
    if (QListWidgetItem* item = m_list->item(row))
        emit questionChosen(item->data(Qt::UserRole).toInt());
}

void TformRevisao::done(int result)
{
    QDialog::done(result);
    emit closed();
}

} // namespace zelvora::gui

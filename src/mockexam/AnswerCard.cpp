#include "mockexam/AnswerCard.h"

#include "mockexam/AnswerCardDelegate.h"

#include <QStandardItemModel>

namespace zelvora::gui {

AnswerCard::AnswerCard(QWidget* parent) : QListView(parent), m_model(new QStandardItemModel(this))
{
    setObjectName(QStringLiteral("gCartao"));
    setAccessibleName(QStringLiteral("Cartão de respostas"));
    setToolTip(QStringLiteral("Clique numa questão para ir até ela"));
    setModel(m_model);
    setItemDelegate(new AnswerCardDelegate(this));
    setViewMode(QListView::IconMode);
    setFlow(QListView::LeftToRight);
    setWrapping(true);
    setResizeMode(QListView::Adjust);
    setMovement(QListView::Static);
    setUniformItemSizes(true);
    setGridSize(QSize(CellWidth, CellHeight));
    setSpacing(0);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setFrameShape(QFrame::NoFrame);
    setFocusPolicy(Qt::StrongFocus);
    QPalette pal = palette();
    pal.setColor(QPalette::Base, QColor(0x27, 0x3F, 0x6F));
    setPalette(pal);
    connect(this, &QAbstractItemView::clicked, this, [this](const QModelIndex& i) { emit questionChosen(i.row()); });
    connect(this, &QAbstractItemView::activated, this, [this](const QModelIndex& i) { emit questionChosen(i.row()); });
}

void AnswerCard::setQuestionCount(int n)
{
    m_model->clear();
    m_current = -1;
    for (int q = 0; q < n; ++q) {
        auto* item = new QStandardItem;
        item->setData(q + 1, NumberRole);
        item->setData(QString(), LetterRole);
        item->setData(false, ReviewRole);
        item->setData(false, GuessRole);
        item->setData(false, CurrentRole);
        item->setEditable(false);
        m_model->appendRow(item);
        nameCell(q);
    }
}

int AnswerCard::questionCount() const
{
    return m_model->rowCount();
}

void AnswerCard::setCell(int question, const QString& letter, bool review, bool guess)
{
    QStandardItem* item = m_model->item(question);
    if (!item)
        return;
    item->setData(letter, LetterRole);
    item->setData(review, ReviewRole);
    item->setData(guess, GuessRole);
    nameCell(question);
}

void AnswerCard::setCurrent(int question)
{
    if (QStandardItem* old = m_model->item(m_current))
        old->setData(false, CurrentRole);
    m_current = question;
    if (QStandardItem* item = m_model->item(question)) {
        item->setData(true, CurrentRole);
        const QSignalBlocker block(this);
        setCurrentIndex(item->index());
        scrollTo(item->index());
    }
}

QString AnswerCard::cellText(int question) const
{
    const QStandardItem* item = m_model->item(question);
    if (!item)
        return {};
    const QString letter = item->data(LetterRole).toString();
    return letter.isEmpty() ? QString::number(question + 1) : QStringLiteral("%1 %2").arg(question + 1).arg(letter);
}

QString AnswerCard::cellName(int question) const
{
    const QStandardItem* item = m_model->item(question);
    return item ? item->data(Qt::AccessibleTextRole).toString() : QString();
}

QRect AnswerCard::cellRect(int question) const
{
    return visualRect(m_model->index(question, 0));
}

void AnswerCard::nameCell(int question)
{
    QStandardItem* item = m_model->item(question);
    const QString letter = item->data(LetterRole).toString();
    QString name = QStringLiteral("Questão %1: ").arg(question + 1)
        + (letter.isEmpty() ? QStringLiteral("em branco") : QStringLiteral("marcada ") + letter);
    if (item->data(ReviewRole).toBool())
        name += QStringLiteral(", revisar");
    if (item->data(GuessRole).toBool())
        name += QStringLiteral(", chute");
    item->setData(name, Qt::AccessibleTextRole);
    item->setData(name, Qt::ToolTipRole);
    item->setData(cellText(question), Qt::DisplayRole);
}

} // namespace zelvora::gui

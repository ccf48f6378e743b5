#include "mockexam/ExamTopStrip.h"

#include "app/AnsiText.h"
#include "app/ClickableLabel.h"
#include "app/ImageView.h"
#include "app/Look.h"
#include "app/TFocusImage.h"
#include "mockexam/DurationBox.h"
#include "mockexam/MockExamList.h"
#include "mockexam/StripHint.h"
#include "text/Collation.h"

#include <QComboBox>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QPushButton>

namespace zelvora::gui {

namespace {

// The strip's band above its rule (y 74): the duration field and
// "Histórico" stand there, clear of the rule, so the button row keeps its
// room on a 1024-pixel screen.
constexpr int BandTop = 40;
constexpr int BandHeight = 28;

} // namespace

ExamTopStrip::ExamTopStrip(app::AppContext& ctx, QWidget* parent)
    : QFrame(parent)
    , m_ctx(ctx)
{
    setObjectName(QStringLiteral("pTop"));
    Paint(this, DarkBlue());
    imLogo = Named(new ImageView(this), "imLogo");

    Label1 = Named(WhiteLabel(QStringLiteral("Selecione a Prova:"), Arial(16, true), this, {4, 87}), "Label1");

    Label2 = Named(WhiteLabel<ClickableLabel>(QStringLiteral("X"), Arial(27, true), this, {688, 11}), "Label2");
    Label2->setToolTip(QStringLiteral("Sair"));
    Label2->setAccessibleName(QStringLiteral("Fechar"));
    Label2->setFocusPolicy(Qt::TabFocus); // after it was sized to its text

    btInicio = Named(new TFocusImage(QRect(653, 80, 128, 36), this), "btInicio");
    btInicio->setText(QStringLiteral("Iniciar"));

    // In the band above the strip's rule, left of the "X" (arrange keeps it
    // there).
    btHistorico = Named(new QPushButton(QStringLiteral("Histórico"), this), "btHistorico");
    btHistorico->setFont(Arial(14, true));
    btHistorico->setGeometry(0, BandTop, qMax(100, btHistorico->sizeHint().width()), BandHeight + 2);
    btHistorico->setFocusPolicy(Qt::NoFocus);

    comboProva = Named(new QComboBox(this), "comboProva");
    comboProva->setFont(Arial(16));
    comboProva->setGeometry(152, 84, 497, comboProva->sizeHint().height());
    comboProva->setAccessibleName(QStringLiteral("Selecione a Prova"));
    // Tab goes from the paper list to the start button beside it.
    setTabOrder(comboProva, btInicio);

    // The time limit, right above the start button and clear of the
    // strip's rule, its label left of it.
    edDuracao = Named(new DurationBox(this), "edDuracao");
    edDuracao->setFont(Arial(14));
    edDuracao->setGeometry(653, BandTop, 128, BandHeight);
    edDuracao->setAccessibleName(QStringLiteral("Tempo de prova"));
    setTabOrder(btInicio, edDuracao);
    lDuracao = Named(WhiteLabel(QStringLiteral("Duração:"), Arial(14, true), this), "lDuracao");
    lDuracao->move(653 - 6 - lDuracao->width(), BandTop + (BandHeight - lDuracao->height()) / 2);
    lDuracao->setBuddy(edDuracao);

    // The hint after the strip's last button, drawn over the picture's own.
    lDica = new StripHint(this);
}

void ExamTopStrip::loadSkin()
{
    m_skin.load(m_ctx.dataFolder, QStringLiteral("simul"));
    imLogo->setPicture([this] { return m_skin.normal(); });
}

void ExamTopStrip::clearSkin()
{
    m_skin.clear();
}

void ExamTopStrip::showStartPressed(bool pressed)
{
    imLogo->copyRect(pressed ? m_skin.pressed() : m_skin.normal(), btInicio->geometry());
}

void ExamTopStrip::arrange(int width)
{
    setGeometry(0, 0, width, Height);
    imLogo->setGeometry(1, 1, qMax(0, width - 2), Height - 2);
    Label2->move(width - Label2->width() - 5, Label2->y());
    // Left of the "X" in the band; on a screen too narrow for both it gives
    // way to the duration field.
    const int historicoLeft = Label2->x() - btHistorico->width() - 12;
    btHistorico->move(qMax(historicoLeft, edDuracao->geometry().right() + 11), btHistorico->y());
    placeHint();
}

void ExamTopStrip::placeHint()
{
    int last = btInicio->geometry().right();
    for (const QWidget* w : findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
        if (w != lDica && w != imLogo && !w->isHidden() && w->y() >= btInicio->y() - 8 && w->x() > btInicio->x())
            last = qMax(last, w->geometry().right());
    lDica->place(last + 12, 76, 37);
    // Where the strip has no room for it, the empty selector says it.
    comboProva->setPlaceholderText(lDica->fits() ? QString() : StripHint::Text);
}

bool ExamTopStrip::readLists()
{
    // The lists of every folder, the user's first; each entry keeps the
    // index of its folder. A folder that does not exist reads as no list.
    std::vector<std::string> folders;
    for (const QString& folder : m_ctx.mockExamFolders())
        folders.push_back(QFileInfo(folder).isDir() ? QFile::encodeName(folder).toStdString() : std::string());
    auto entries = mockexam::MockExamList::LoadAll(folders);
    m_entries = entries ? std::move(*entries) : std::vector<mockexam::MockExamEntry>();
    fillComboProva();
    return bool(entries);
}

void ExamTopStrip::clearEntries()
{
    m_entries.clear();
}

std::optional<mockexam::MockExamEntry> ExamTopStrip::selectedEntry() const
{
    const int item = comboProva->currentIndex();
    const int index = item < 0 ? -1 : comboProva->itemData(item).toInt();
    return index >= 0 && size_t(index) < m_entries.size() ? std::optional(m_entries[size_t(index)]) : std::nullopt;
}

bool ExamTopStrip::select(const mockexam::MockExamEntry& entry)
{
    for (int item = 0; item < comboProva->count(); ++item) {
        const int index = comboProva->itemData(item).toInt();
        if (index >= 0 && size_t(index) < m_entries.size() && m_entries[size_t(index)] == entry) {
            comboProva->setCurrentIndex(item);
            return true;
        }
    }
    return false;
}

void ExamTopStrip::clearSelection()
{
    const QSignalBlocker block(comboProva);
    comboProva->setCurrentIndex(-1);
}

void ExamTopStrip::fillComboProva()
{
    std::vector<std::string_view> names;
    names.reserve(m_entries.size());
    for (const auto& e : m_entries)
        names.emplace_back(e.name);
    std::vector<size_t> order;
    if (m_ctx.collation) {
        order = m_ctx.collation->stableOrder(names);
    } else {
        for (size_t i = 0; i < names.size(); ++i)
            order.push_back(i);
    }
    const QSignalBlocker block(comboProva);
    comboProva->clear();
    for (const size_t i : order)
        comboProva->addItem(app::FromAnsi(m_entries[i].name), QVariant::fromValue(int(i)));
    comboProva->setCurrentIndex(-1);
}

} // namespace zelvora::gui

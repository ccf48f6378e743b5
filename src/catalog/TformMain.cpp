#include "catalog/TformMain.h"

#include "app/AnsiText.h"
#include "app/Artwork.h"
#include "app/ClickableLabel.h"
#include "app/DataFolders.h"
#include "app/DataLocation.h"
#include "app/GuardedSlot.h"
#include "app/ImageView.h"
#include "app/Look.h"
#include "app/MessageBoxes.h"
#include "app/TFocusImage.h"
#include "app/TformAbre.h"
#include "app/TformCreditos.h"
#include "app/WindowPlacement.h"
#include "catalog/CatalogGridLook.h"
#include "catalog/CatalogGridModel.h"
#include "catalog/ExamCopy.h"
#include "catalog/FilterList.h"

#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QCoreApplication>
#include <QFile>
#include <QFrame>
#include <QKeyEvent>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QTableView>
#include <QTimer>

namespace zelvora::gui {

using catalog::CatalogField;

namespace {

// Sizes that the layout is built on.
constexpr int kLogoHeight = 161;
constexpr int kMiddleHeight = 244;
constexpr int kTitleHeight = 28;
constexpr int kSearchHeight = 27;
constexpr int kRowHeight = 25;
constexpr int kWideColumn = 335, kNarrowColumn = 320;
constexpr int kWideTitle = 337, kNarrowTitle = 322;
// From this many rows on the grid may need its scroll bar, so the first
// column gives up the room for it.
constexpr size_t kRowsForNarrowColumn = 8;

QLabel* TitlePanel(const QString& caption, QWidget* parent)
{
    auto* l = new QLabel(caption, parent);
    MakeDarkBlue(l);
    l->setFont(Arial(16, true));
    l->setAlignment(Qt::AlignCenter);
    l->setFrameStyle(QFrame::Panel | QFrame::Raised);
    l->setLineWidth(1);
    return l;
}

} // namespace

TformMain::TformMain(app::AppContext& ctx, QWidget* parent)
    : QWidget(parent,
              Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                  | Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint)
    , m_ctx(ctx)
{
    setFixedSize(632, 446);
    setAccessibleDescription(QStringLiteral("Catálogo de provas")); // its name is its caption
    // sDialog and Unzipper belong to the window, as its other controls do.
    m_examCopy = std::make_unique<catalog::ExamCopy>(m_ctx, this);
    buildLogoPanel();
    buildMiddleArea();
    buildFooter();

    // The catalog shows the exams of several folders: each row's archive is
    // in the folder its line came from.
    m_examCopy->setRowFolder([this](int row) {
        const catalog::CatalogEntry* e = m_gridModel->entryAt(row);
        return e ? m_ctx.folderOf(e->source) : m_ctx.dataFolder;
    });
}

TformMain::~TformMain() = default;

QAbstractItemView* TformMain::entryGrid() const
{
    return gridProvas;
}

std::optional<catalog::CatalogEntry> TformMain::selectedEntry() const
{
    const QModelIndex current = gridProvas->currentIndex();
    const catalog::CatalogEntry* e = current.isValid() ? m_gridModel->entryAt(current.row()) : nullptr;
    return e ? std::optional(*e) : std::nullopt;
}

void TformMain::buildLogoPanel()
{
    panelLogo = Named(new QWidget(this), "panelLogo");
    panelLogo->setGeometry(0, 0, 632, kLogoHeight);
    imLogo = Named(new ImageView(panelLogo), "imLogo");
    imLogo->setGeometry(0, 0, 632, kLogoHeight);
    imLogo->setPicture(app::LogoPicture());

    const QFont labelFont = Arial(16, true);
    labelProva = Named(WhiteLabel(QStringLiteral("Tipo de Prova:"), labelFont, panelLogo, {19, 94}), "labelProva");
    labelOrg = Named(WhiteLabel(QStringLiteral("Organização Responsável:"), labelFont, panelLogo, {19, 126}),
                     "labelOrg");
    labelAno = Named(WhiteLabel(QStringLiteral("Ano:"), labelFont, panelLogo, {477, 126}), "labelAno");

    comboProva = Named(
        FilterList::Create(panelLogo, {133, 91, 465, 21},
                           QStringLiteral("Clique aqui e escolha um tipo de prova para o cargo pretendido")),
        "comboProva");
    comboOrg = Named(FilterList::Create(panelLogo, {228, 123, 241, 21},
                                        QStringLiteral("Exibe somente as provas de uma determinada organização")),
                     "comboOrg");
    comboAno = Named(
        FilterList::Create(panelLogo, {517, 123, 81, 21}, QStringLiteral("Veja os exames de um ano específico")),
        "comboAno");
    comboProva->setAccessibleName(QStringLiteral("Tipo de Prova"));
    comboOrg->setAccessibleName(QStringLiteral("Organização Responsável"));
    comboAno->setAccessibleName(QStringLiteral("Ano"));
    // Only a pick by the user filters; selections made by the program
    // (clearing a list, choosing the first year) must not.
    connect(comboProva, &QComboBox::activated, this, Guarded(m_ctx, this, &TformMain::comboProvaChange));
    connect(comboOrg, &QComboBox::activated, this, Guarded(m_ctx, this, &TformMain::comboOrgChange));
    connect(comboAno, &QComboBox::activated, this, Guarded(m_ctx, this, &TformMain::comboAnoChange));
}

void TformMain::buildMiddleArea()
{
    panelMaster = Named(new QWidget(this), "panelMaster");
    panelMaster->setGeometry(0, kLogoHeight, 632, kMiddleHeight);

    pTitle = Named(new QFrame(panelMaster), "pTitle");
    MakeDarkBlue(pTitle);
    Panel1 = Named(TitlePanel(QStringLiteral("Prova"), pTitle), "Panel1");
    Panel2 = Named(TitlePanel(QStringLiteral("Organização"), pTitle), "Panel2");
    Panel3 = Named(TitlePanel(QStringLiteral("Ano"), pTitle), "Panel3");

    m_gridModel = new CatalogGridModel(this);
    m_gridModel->setCatalog(&m_catalog);
    gridProvas = Named(new QTableView(panelMaster), "gridProvas");
    gridProvas->setModel(m_gridModel);
    CatalogGridLook::Apply(gridProvas, kRowHeight);
    gridProvas->setAccessibleName(QStringLiteral("Provas"));
    // A double click anywhere in the grid copies the selected row, also on
    // the white space below the last row (doubleClicked fires on cells only).
    gridProvas->viewport()->installEventFilter(this);

    panelLocaliza = Named(new QFrame(panelMaster), "panelLocaliza");
    MakeDarkBlue(panelLocaliza);
    labelLocaliza = Named(
        WhiteLabel(QStringLiteral("Digite a palavra a ser localizada:"), Arial(12, true), panelLocaliza, {10, 7}),
        "labelLocaliza");
    editLocalizar = Named(new QLineEdit(panelLocaliza), "editLocalizar");
    // An ordinary text box, not the panel's white-on-blue.
    editLocalizar->setPalette(OwnPalette(QApplication::palette(editLocalizar)));
    editLocalizar->setGeometry(200, 3, 269, 21);
    editLocalizar->installEventFilter(this);
    editLocalizar->setAccessibleName(QStringLiteral("Digite a palavra a ser localizada"));
    buttonOK = Named(WhiteLabel<ClickableLabel>(QStringLiteral("OK"), Arial(21, true), panelLocaliza, {473, 3}),
                     "buttonOK");
    connect(buttonOK, &ClickableLabel::clicked, this, Guarded(m_ctx, this, &TformMain::buttonOKClick));
    buttonOK->setAccessibleDescription(QStringLiteral("Localizar"));
    buttonOK->setFocusPolicy(Qt::TabFocus); // after it was sized to its text
    panelLocaliza->hide();

    applyColumnWidthRule(0);
    layoutMiddleArea();
}

void TformMain::buildFooter()
{
    panelButtons = Named(new QFrame(this), "panelButtons");
    panelButtons->setGeometry(0, kLogoHeight + kMiddleHeight, 632, 41);
    MakeDarkBlue(panelButtons);
    panelButtons->setFrameStyle(QFrame::Panel | QFrame::Raised);
    panelButtons->setLineWidth(1);
    imRodape = Named(new ImageView(panelButtons), "imRodape");
    imRodape->setGeometry(1, 1, 630, 39);

    auto zone = [this](const char* name, const QRect& place, const QString& hint, void (TformMain::*click)(),
                       const QString& text, QKeyCombination key) {
        auto* z = Named(new TFocusImage(place, panelButtons), name);
        z->setToolTip(hint);
        z->setText(text);
        z->setShortcut(QKeySequence(key));
        connect(z, &TFocusImage::OnMouseDown, this, Guarded(m_ctx, this, &TformMain::MouseDown));
        connect(z, &TFocusImage::OnMouseUp, this, Guarded(m_ctx, this, &TformMain::MouseUp));
        connect(z, &TFocusImage::OnClick, this, Guarded(m_ctx, this, click));
        return z;
    };
    // Texts are the captions drawn in the skin; Alt and a letter of the
    // caption presses each one from anywhere in the window.
    btLocalizar = zone("btLocalizar", {3, 4, 108, 37}, QStringLiteral("Procure por provas específicas"),
                       &TformMain::btLocalizarClick, QStringLiteral("Localizar"), Qt::ALT | Qt::Key_L);
    btCopiar = zone("btCopiar", {110, 4, 105, 37}, QStringLiteral("Copie o exame selecionado"),
                    &TformMain::btCopiarClick, QStringLiteral("Copiar"), Qt::ALT | Qt::Key_C);
    btCreditos = zone("btCreditos", {214, 4, 105, 37}, QString(), &TformMain::btCreditosClick,
                      QStringLiteral("Créditos"), Qt::ALT | Qt::Key_R);
    btSimulado = zone("btSimulado", {318, 4, 105, 37}, QStringLiteral("Clique aqui e faça simulados das provas"),
                      &TformMain::btSimuladoClick, QStringLiteral("Simulado"), Qt::ALT | Qt::Key_M);
    btSair = zone("btSair", {560, 4, 71, 37}, QString(), &TformMain::btSairClick, QStringLiteral("Sair"),
                  Qt::ALT | Qt::Key_S);
}

void TformMain::FormCreate()
{
    // The application locates the folders before any window; a window made
    // on its own (tests) does it here.
    if (m_ctx.sources.empty())
        app::LocateDataFolders(m_ctx);

    m_footerSkin.load(m_ctx.dataFolder, QStringLiteral("rodape"));
    imRodape->setPicture([this] { return m_footerSkin.normal(); });

    setWindowTitle(QStringLiteral("  ") + m_ctx.title);
    m_searchHidden = true;
    m_rowArchives.clear();
    LoadProvas();

    // Start with the entries of the greatest year. A failure here reaches
    // the application, which shows it; the window keeps what the grid holds.
    if (comboAno->count() > 0) {
        comboAno->setCurrentIndex(comboAno->count() - 1);
        comboAnoChange();
    }
}

void TformMain::FormDestroy()
{
    m_footerSkin.clear();
    m_gridModel->setRows({});
    m_catalog = {};
    m_rowArchives.clear();
}

void TformMain::LoadProvas()
{
    if (m_ctx.collation) {
        std::vector<std::string> folders;
        for (const auto& source : m_ctx.sources)
            folders.push_back(source.folder);
        if (folders.empty())
            folders.push_back(QFile::encodeName(m_ctx.dataFolder).toStdString());
        m_catalog = catalog::Catalog::LoadSources(folders, *m_ctx.collation);
    }
    m_gridModel->setCatalog(&m_catalog);
    // The catalog gives each list already in collation order.
    FilterList::Fill(comboProva, m_catalog.examTypes());
    FilterList::Fill(comboOrg, m_catalog.organisations());
    FilterList::Fill(comboAno, m_catalog.years());
}

void TformMain::reloadCatalog(const std::optional<catalog::CatalogEntry>& shown)
{
    m_gridModel->setRows({});
    m_rowArchives.clear();
    LoadProvas();
    // Show the year of the entry (the greatest year when none), as a pick
    // in comboAno would, with the entry's row selected.
    int year = comboAno->count() - 1;
    if (const int i = shown ? FilterList::IndexOfValue(comboAno, shown->year) : -1; i >= 0)
        year = i;
    if (year >= 0) {
        comboAno->setCurrentIndex(year);
        comboAnoChange();
    } else {
        showRows({});
        applyColumnWidthRule(0);
    }
    if (!shown)
        return;
    for (int row = 0; row < m_gridModel->rowCount(); ++row)
        if (const catalog::CatalogEntry* e = m_gridModel->entryAt(row); e && *e == *shown) {
            gridProvas->setCurrentIndex(m_gridModel->index(row, 0));
            gridProvas->scrollTo(m_gridModel->index(row, 0));
        }
}

int TformMain::gridRowCount() const
{
    return m_gridModel->rowCount();
}

QString TformMain::cellText(int row, int column) const
{
    return m_gridModel->data(m_gridModel->index(row, column)).toString();
}

std::optional<TformMain::GridRow> TformMain::selectedRow() const
{
    const QModelIndex current = gridProvas->currentIndex();
    if (!current.isValid())
        return std::nullopt;
    const int row = current.row();
    const catalog::CatalogEntry* e = m_gridModel->entryAt(row);
    if (!e || size_t(row) >= m_rowArchives.size())
        return std::nullopt;
    return GridRow{row, e->examType, e->organisation, e->year, m_rowArchives[size_t(row)]};
}

void TformMain::showRows(std::vector<size_t> rows)
{
    m_rowArchives.clear();
    m_rowArchives.reserve(rows.size());
    for (const size_t i : rows)
        m_rowArchives.push_back(m_catalog.entries()[i].archiveName);
    const bool none = rows.empty();
    m_gridModel->setRows(std::move(rows));
    gridProvas->scrollToTop();
    // An empty result leaves the blank row unselected: nothing to copy.
    if (none) {
        gridProvas->selectionModel()->clear();
        gridProvas->setCurrentIndex(QModelIndex());
    } else {
        gridProvas->setCurrentIndex(m_gridModel->index(0, 0));
    }
}

void TformMain::applyColumnWidthRule(size_t rowsShown)
{
    const bool narrow = rowsShown >= kRowsForNarrowColumn;
    const int title = narrow ? kNarrowTitle : kWideTitle;
    // A model swap resets the header, so all three widths are set each time.
    gridProvas->setColumnWidth(0, narrow ? kNarrowColumn : kWideColumn);
    gridProvas->setColumnWidth(1, 225);
    gridProvas->setColumnWidth(2, 64);
    Panel1->setGeometry(0, 0, title, kTitleHeight);
    Panel2->setGeometry(title, 0, 226, kTitleHeight);
    Panel3->setGeometry(title + 226, 0, 69, kTitleHeight);
}

void TformMain::layoutMiddleArea()
{
    pTitle->setGeometry(0, 0, 632, kTitleHeight);
    const int gridHeight = kMiddleHeight - kTitleHeight - (m_searchHidden ? 0 : kSearchHeight);
    gridProvas->setGeometry(0, kTitleHeight, 632, gridHeight);
    panelLocaliza->setGeometry(0, kMiddleHeight - kSearchHeight, 632, kSearchHeight);
    panelLocaliza->setVisible(!m_searchHidden);
}

void TformMain::filterBy(CatalogField field, QComboBox* list)
{
    const QByteArray value = FilterList::ChosenValue(list);
    auto rows = catalog::FilterByField(m_catalog, field, std::string_view(value.constData(), size_t(value.size())));
    const size_t n = rows.size();
    showRows(std::move(rows));
    applyColumnWidthRule(n);
    for (QComboBox* other : {comboProva, comboOrg, comboAno})
        if (other != list)
            other->setCurrentIndex(-1);
}

void TformMain::comboProvaChange()
{
    filterBy(CatalogField::ExamType, comboProva);
}

void TformMain::comboOrgChange()
{
    filterBy(CatalogField::Organisation, comboOrg);
}

void TformMain::comboAnoChange()
{
    filterBy(CatalogField::Year, comboAno);
}

void TformMain::btLocalizarClick()
{
    m_searchHidden = !m_searchHidden;
    layoutMiddleArea();
    if (!m_searchHidden)
        editLocalizar->setFocus(Qt::OtherFocusReason);
}

void TformMain::buttonOKClick()
{
    // Characters that Windows-1252 lacks become "?" and so match only a "?".
    const std::string term = app::ToAnsi(editLocalizar->text());
    auto rows = catalog::SearchCatalog(m_catalog, term);
    const size_t n = rows.size();
    showRows(std::move(rows));
    if (n == 0 && m_ctx.messages)
        m_ctx.messages->show(this, QStringLiteral("Nenhuma prova foi encontrada."), m_ctx.title);
    applyColumnWidthRule(n);
    for (QComboBox* list : {comboProva, comboOrg, comboAno})
        list->setCurrentIndex(-1);
}

void TformMain::btCopiarClick()
{
    // The grid always has a current row; row 0 when none was picked.
    const auto selected = selectedRow();
    const int row = selected ? selected->row : 0;
    m_examCopy->Run(cellText(0, 0), {cellText(row, 0), cellText(row, 1), cellText(row, 2), row}, m_rowArchives);
}

void TformMain::gridProvasDblClick()
{
    // Does exactly what btCopiarClick does.
    btCopiarClick();
}

void TformMain::btSimuladoClick()
{
    emit examRequested();
}

void TformMain::btCreditosClick()
{
    // Runs while the button is still drawn pressed; the mouse-up that
    // restores it comes when the credits window has closed.
    if (auto* creditos = m_ctx.windows.creditos)
        creditos->exec();
}

void TformMain::btSairClick()
{
    close();
}

void TformMain::MouseDown(TFocusImage* sender)
{
    imRodape->copyRect(m_footerSkin.pressed(), sender->geometry());
}

void TformMain::MouseUp(TFocusImage* sender)
{
    imRodape->copyRect(m_footerSkin.normal(), sender->geometry());
}

bool TformMain::eventFilter(QObject* watched, QEvent* e)
{
    if (watched == editLocalizar && e->type() == QEvent::KeyPress) {
        // editLocalizarKeyPress: Enter runs the search and is swallowed.
        const auto* key = static_cast<QKeyEvent*>(e);
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
            buttonOKClick();
            return true;
        }
    } else if (watched == gridProvas->viewport() && e->type() == QEvent::MouseButtonDblClick) {
        if (static_cast<QMouseEvent*>(e)->button() == Qt::LeftButton) {
            gridProvasDblClick();
            return true;
        }
    }
    return QWidget::eventFilter(watched, e);
}

bool TformMain::event(QEvent* e)
{
    if (e->type() == QEvent::WindowActivate && !m_activated) {
        m_activated = true;
        // Shown once the activation has been handled, so the main window is
        // already painted behind the modal splash.
        QTimer::singleShot(0, this, Guarded(m_ctx, this, &TformMain::FormActivate));
    }
    return QWidget::event(e);
}

void TformMain::FormActivate()
{
    if (m_ctx.windows.abre)
        m_ctx.windows.abre->exec();
}

void TformMain::showEvent(QShowEvent* e)
{
    if (!e->spontaneous())
        CenterOnScreen(this);
    QWidget::showEvent(e);
}

void TformMain::closeEvent(QCloseEvent* e)
{
    e->accept();
    QCoreApplication::quit();
}

} // namespace zelvora::gui

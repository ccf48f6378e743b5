#include "usermaterial/CatalogAdditions.h"

#include "app/MessageBoxes.h"
#include "catalog/Catalog.h"
#include "text/Windows1252.h"
#include "usermaterial/AddExamDialog.h"
#include "usermaterial/UserMaterial.h"

#include <QAbstractItemView>
#include <QMenu>
#include <QShortcut>

namespace zelvora::gui {

namespace {

QStringList Unicode(const std::vector<std::string>& values)
{
    QStringList out;
    for (const auto& v : values)
        out << QString::fromStdString(text::Cp1252ToUtf8(v));
    return out;
}

// The entry a catalog line written by the store stands for.
std::optional<catalog::CatalogEntry> EntryOfLine(const std::string& line, size_t source)
{
    std::vector<std::string> fields;
    size_t start = 0;
    for (int i = 0; i < 3; ++i) {
        const auto hash = line.find('#', start);
        if (hash == std::string::npos)
            return std::nullopt;
        fields.push_back(line.substr(start, hash - start));
        start = hash + 1;
    }
    return catalog::CatalogEntry{fields[0], fields[1], fields[2], line.substr(start), source};
}

} // namespace

CatalogAdditions::CatalogAdditions(app::AppContext& ctx, QWidget* window, QAbstractItemView* grid, Hooks hooks)
    : QObject(window)
    , m_ctx(ctx)
    , m_window(window)
    , m_grid(grid)
    , m_hooks(std::move(hooks))
{
    setObjectName(QStringLiteral("catalogAdditions"));
    m_shortcut = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_N), window);
    m_shortcut->setObjectName(QStringLiteral("shortcutAdicionarExame"));
    m_shortcut->setContext(Qt::WindowShortcut);
    connect(m_shortcut, &QShortcut::activated, this, &CatalogAdditions::addExam);
    grid->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(grid, &QWidget::customContextMenuRequested, this, &CatalogAdditions::showMenu);
}

QMenu* CatalogAdditions::buildMenu(QWidget* parent)
{
    auto* menu = new QMenu(parent);
    menu->setObjectName(QStringLiteral("menuCatalogo"));
    QAction* add = menu->addAction(QStringLiteral("Adicionar exame..."), this, &CatalogAdditions::addExam);
    add->setObjectName(QStringLiteral("actionAdicionarExame"));
    add->setShortcut(m_shortcut->key());
    add->setEnabled(!m_ctx.userFolder.isEmpty());
    QAction* remove = menu->addAction(QStringLiteral("Remover exame adicionado"), this,
                                      &CatalogAdditions::removeSelected);
    remove->setObjectName(QStringLiteral("actionRemoverExame"));
    const auto entry = m_hooks.selectedEntry();
    remove->setEnabled(entry && m_ctx.isUserSource(entry->source));
    if (entry && !remove->isEnabled())
        remove->setToolTip(QStringLiteral("Só os exames que você adicionou podem ser removidos."));
    return menu;
}

void CatalogAdditions::showMenu(const QPoint& at)
{
    // A right click selects the row under it first, as a left click would.
    const QModelIndex index = m_grid->indexAt(at);
    if (index.isValid())
        m_grid->setCurrentIndex(index);
    QMenu* menu = buildMenu(m_window);
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->popup(m_grid->viewport()->mapToGlobal(at));
}

void CatalogAdditions::addExam()
{
    if (m_ctx.userFolder.isEmpty()) {
        if (m_ctx.messages)
            m_ctx.messages->show(m_window,
                                 QStringLiteral("O Zelvora foi aberto com uma pasta de dados fixa (--dados); "
                                                "para adicionar exames, abra-o sem ela."),
                                 m_ctx.title);
        return;
    }
    const catalog::Catalog& catalog = m_hooks.catalog();
    AddExamDialog dialog(m_ctx.userFolder,
                         {Unicode(catalog.organisations()), Unicode(catalog.examTypes()), Unicode(catalog.years())},
                         m_ctx.messages, m_ctx.title, m_window);
    if (dialog.exec() != QDialog::Accepted)
        return;
    size_t user = 0;
    while (user < m_ctx.sources.size() && !m_ctx.sources[user].user)
        ++user;
    m_hooks.reload(EntryOfLine(dialog.savedLine(), user));
}

void CatalogAdditions::removeSelected()
{
    const auto entry = m_hooks.selectedEntry();
    if (!entry)
        return;
    if (!m_ctx.isUserSource(entry->source)) {
        if (m_ctx.messages)
            m_ctx.messages->show(m_window, QStringLiteral("Só os exames que você adicionou podem ser removidos."),
                                 m_ctx.title);
        return;
    }
    const QString name = QString::fromStdString(
        text::Cp1252ToUtf8(entry->organisation + " - " + entry->examType + " - " + entry->year));
    if (!m_ctx.messages
        || !m_ctx.messages->askToDelete(
            m_window, QStringLiteral("Remover o exame \"%1\" que você adicionou?").arg(name), m_ctx.title))
        return;
    const auto outcome = usermaterial::UserMaterial(m_ctx.folderOf(entry->source)).removeExam(*entry);
    if (!outcome.ok)
        m_ctx.messages->show(m_window, outcome.message, m_ctx.title);
    m_hooks.reload(std::nullopt);
}

} // namespace zelvora::gui

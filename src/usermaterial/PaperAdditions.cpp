#include "usermaterial/PaperAdditions.h"

#include "app/MessageBoxes.h"
#include "mockexam/PaperPath.h"
#include "text/Windows1252.h"
#include "usermaterial/AddPaperDialog.h"
#include "usermaterial/PaperRulesDialog.h"
#include "usermaterial/UserMaterial.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMenu>
#include <QPushButton>

namespace zelvora::gui {

PaperAdditions::PaperAdditions(app::AppContext& ctx, QWidget* window, QWidget* topStrip, QComboBox* selector,
                               Hooks hooks)
    : QObject(window)
    , m_ctx(ctx)
    , m_window(window)
    , m_selector(selector)
    , m_hooks(std::move(hooks))
{
    setObjectName(QStringLiteral("paperAdditions"));
    m_button = new QPushButton(QStringLiteral("Adicionar prova"), topStrip);
    m_button->setObjectName(QStringLiteral("btAdicionarProva"));
    m_button->setCursor(Qt::PointingHandCursor);
    m_button->setFocusPolicy(Qt::TabFocus);
    // White on the strip's dark blue, like the skinned buttons beside it.
    m_button->setStyleSheet(
        QStringLiteral("QPushButton { color: white; background: #323F6C; border: 1px solid white; border-radius: 4px;"
                       " font: bold 15px 'Arial'; }"
                       "QPushButton:pressed { background: #273F6F; }"
                       "QPushButton:disabled { color: #9aa3bf; border-color: #9aa3bf; }"));
    m_button->setGeometry(ButtonX, ButtonY, ButtonWidth, ButtonHeight);
    updateEnabled();
    connect(m_button, &QPushButton::clicked, this, &PaperAdditions::addPaper);

    selector->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(selector, &QWidget::customContextMenuRequested, this, [this](const QPoint& at) {
        QMenu* menu = buildMenu(m_window);
        menu->setAttribute(Qt::WA_DeleteOnClose);
        menu->popup(m_selector->mapToGlobal(at));
    });
}

void PaperAdditions::updateEnabled()
{
    m_button->setEnabled(!m_ctx.userFolder.isEmpty());
    m_button->setToolTip(
        m_button->isEnabled()
            ? QStringLiteral("Adicione uma prova em PDF com o seu gabarito")
            : QStringLiteral("Com uma pasta de dados fixa (--dados) não é possível adicionar provas."));
}

QMenu* PaperAdditions::buildMenu(QWidget* parent)
{
    auto* menu = new QMenu(parent);
    menu->setObjectName(QStringLiteral("menuProvas"));
    QAction* add = menu->addAction(QStringLiteral("Adicionar prova..."), this, &PaperAdditions::addPaper);
    add->setObjectName(QStringLiteral("actionAdicionarProva"));
    add->setEnabled(m_button->isEnabled());
    QAction* remove = menu->addAction(QStringLiteral("Remover prova adicionada"), this,
                                      &PaperAdditions::removeSelected);
    remove->setObjectName(QStringLiteral("actionRemoverProva"));
    const auto entry = m_hooks.selectedEntry();
    remove->setEnabled(entry && m_ctx.isUserSource(entry->source));
    QAction* rules = menu->addAction(QStringLiteral("Regras da prova..."), this, &PaperAdditions::editRulesOfSelected);
    rules->setObjectName(QStringLiteral("actionRegrasProva"));
    rules->setEnabled(entry && m_ctx.isUserSource(entry->source));
    QAction* update = menu->addAction(QStringLiteral("Atualizar gabarito..."), this, &PaperAdditions::updateKey);
    update->setObjectName(QStringLiteral("actionAtualizarGabarito"));
    update->setEnabled(entry && m_ctx.isUserSource(entry->source) && bool(m_ctx.updateKey));
    return menu;
}

void PaperAdditions::addPaper()
{
    if (m_ctx.userFolder.isEmpty())
        return;
    AddPaperDialog dialog(m_ctx.userFolder, m_ctx.messages, m_ctx.title, m_window);
    if (dialog.exec() != QDialog::Accepted)
        return;
    const std::string& line = dialog.savedLine();
    const auto hash = line.find('#');
    size_t user = 0;
    while (user < m_ctx.sources.size() && !m_ctx.sources[user].user)
        ++user;
    const mockexam::MockExamEntry added{line.substr(0, hash), line.substr(hash + 1), user};
    if (dialog.rulesWanted())
        editRules(added);
    m_hooks.reload(added);
}

bool PaperAdditions::editRules(const mockexam::MockExamEntry& entry)
{
    const QString path = usermaterial::UserMaterial(m_ctx.folderOf(entry.source)).infoPathOf(entry);
    if (path.isEmpty())
        return false;
    PaperRulesDialog dialog(path, QString::fromStdString(text::Cp1252ToUtf8(entry.name)), m_ctx.messages, m_ctx.title,
                            m_window);
    return dialog.exec() == QDialog::Accepted;
}

void PaperAdditions::editRulesOfSelected()
{
    const auto entry = m_hooks.selectedEntry();
    if (!entry || !m_ctx.isUserSource(entry->source)) {
        if (m_ctx.messages)
            m_ctx.messages->show(m_window, QStringLiteral("Só as provas que você adicionou têm regras editáveis."),
                                 m_ctx.title);
        return;
    }
    // The paper is read again so its duration field shows the new rules.
    if (editRules(*entry))
        m_hooks.reload(entry);
}

void PaperAdditions::updateKey()
{
    const auto entry = m_hooks.selectedEntry();
    if (!entry || !m_ctx.isUserSource(entry->source) || !m_ctx.updateKey)
        return;
    // The paper as the exam and its attempts name it: the PDF's absolute
    // path and the data folder its list line came from.
    const QString simu = m_ctx.mockExamFolders().value(qsizetype(entry->source), m_ctx.mockExamFolder);
    const QString pdf =
        QFileInfo(QFile::decodeName(
                      mockexam::PaperPath::Resolve(QFile::encodeName(simu).toStdString(), entry->pdfPath).c_str()))
            .absoluteFilePath();
    const QString dataFolder = QDir::cleanPath(simu + QStringLiteral("/..")) + QLatin1Char('/');
    m_ctx.updateKey(m_window, pdf, dataFolder, QString::fromStdString(text::Cp1252ToUtf8(entry->name)));
}

void PaperAdditions::removeSelected()
{
    const auto entry = m_hooks.selectedEntry();
    if (!entry)
        return;
    if (!m_ctx.isUserSource(entry->source)) {
        if (m_ctx.messages)
            m_ctx.messages->show(m_window, QStringLiteral("Só as provas que você adicionou podem ser removidas."),
                                 m_ctx.title);
        return;
    }
    const QString name = QString::fromStdString(text::Cp1252ToUtf8(entry->name));
    if (!m_ctx.messages
        || !m_ctx.messages->askToDelete(
            m_window, QStringLiteral("Remover a prova \"%1\" que você adicionou?").arg(name), m_ctx.title))
        return;
    const auto outcome = usermaterial::UserMaterial(m_ctx.folderOf(entry->source)).removePaper(*entry);
    if (!outcome.ok)
        m_ctx.messages->show(m_window, outcome.message, m_ctx.title);
    m_hooks.reload(std::nullopt);
}

} // namespace zelvora::gui

#include "catalog/TformMain.h"

#include "app/DataFolders.h"
#include "app/TformAbre.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QTimer>

using namespace zelvora;

TformMain::TformMain(app::AppContext& ctx, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                          | Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint)
    , m_ctx(ctx)
{
    setFixedSize(632, 446);
}

void TformMain::FormCreate()
{
    const auto folders = app::ComputeDataFolders(m_ctx.executablePath.toStdString());
    m_ctx.dataFolder = QString::fromStdString(folders.dataFolder);
    m_ctx.mockExamFolder = QString::fromStdString(folders.mockExamFolder);

    m_footerSkin.load(m_ctx.dataFolder, QStringLiteral("rodape"));
    setWindowTitle(QStringLiteral("  ") + m_ctx.title);
    m_rowArchives.clear();
    LoadProvas();
}

void TformMain::FormDestroy()
{
    m_footerSkin.clear();
    m_catalog = {};
    m_rowArchives.clear();
}

void TformMain::LoadProvas()
{
    m_catalog = catalog::Catalog::Load((m_ctx.dataFolder + QStringLiteral("nomes.txt")).toStdString(),
                                       *m_ctx.collation);
}

bool TformMain::event(QEvent* e)
{
    if (e->type() == QEvent::WindowActivate && !m_activated) {
        m_activated = true;
        // Shown once the activation has been handled, so the main window is
        // already painted behind the modal splash.
        QTimer::singleShot(0, this, &TformMain::FormActivate);
    }
    return QWidget::event(e);
}

void TformMain::FormActivate()
{
    if (m_ctx.windows.abre)
        m_ctx.windows.abre->exec();
}

void TformMain::closeEvent(QCloseEvent* e)
{
    e->accept();
    QCoreApplication::quit();
}

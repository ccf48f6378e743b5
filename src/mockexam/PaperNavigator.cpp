#include "mockexam/PaperNavigator.h"

#include "mockexam/TPdfViewer.h"

namespace zelvora::gui {

PaperNavigator::PaperNavigator(TPdfViewer* viewer, QObject* parent) : QObject(parent), m_viewer(viewer)
{
    connect(&m_loader, &mockexam::PaperMapLoader::mapReady, this, &PaperNavigator::scrollToCurrent);
    connect(m_viewer, &TPdfViewer::placeChosen, this, &PaperNavigator::placeChosen);
}

void PaperNavigator::paperStarted(const QString& pdfPath, int questionCount, int current)
{
    m_current = current;
    m_viewer->setPlaceMenuText(QStringLiteral("A questão %1 começa aqui").arg(current + 1));
    m_loader.load(pdfPath, questionCount);
}

void PaperNavigator::paperClosed()
{
    m_current = -1;
    m_viewer->setPlaceMenuText(QString());
    m_loader.clear();
}

void PaperNavigator::questionChosen(int question)
{
    if (m_current < 0 || question < 0)
        return;
    m_current = question;
    m_viewer->setPlaceMenuText(QStringLiteral("A questão %1 começa aqui").arg(question + 1));
    scrollToCurrent();
}

void PaperNavigator::scrollToCurrent()
{
    if (m_current < 0 || !m_loader.ready())
        return;
    if (const auto place = m_loader.map().placeOf(m_current + 1))
        m_viewer->showPlace(place->page, place->y);
}

void PaperNavigator::placeChosen(int page, double y)
{
    if (m_current < 0)
        return;
    m_loader.correct({m_current + 1, page, y});
}

} // namespace zelvora::gui

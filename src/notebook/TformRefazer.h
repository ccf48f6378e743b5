#pragma once
// A review session ("Refazer") over notebook questions of any number of
// papers: each question is shown in its own paper with the options of that
// paper's kind (A to E, or C and E), every answer is kept at once, "Sair"
// leaves the session to be resumed later and "Finalizar" scores each
// question against its own paper's key and moves it along its schedule.
//
// Controls (object names): lQuestao, lProva, PDF, rgResposta (its radio
// buttons rbOpcao0..rbOpcao4), btAnterior, btProxima, btFim, btSair,
// lResultado.
#include "app/PaperPane.h"
#include "notebook/ReviewSession.h"

#include <QElapsedTimer>
#include <QList>
#include <QWidget>

#include <functional>
#include <memory>
#include <optional>

class QButtonGroup;
class QGroupBox;
class QLabel;
class QPushButton;
class QRadioButton;

namespace zelvora::app {
class MessageBoxes;
} // namespace zelvora::app

namespace zelvora::gui {

class TformRefazer : public QWidget {
    Q_OBJECT
public:
    // panes: how each paper's view is made (see PaperPane); without one a
    // paper opens at its first page.
    TformRefazer(notebook::Notebook* notebook, app::MessageBoxes* messages, QString title,
                 const PaperPaneFactory& panes = {}, QWidget* parent = nullptr);
    ~TformRefazer() override;

    // A session over these questions; an interrupted session is offered
    // first. False when nothing could be started (said in a message).
    bool start(const QList<qint64>& itemIds);
    const std::optional<notebook::ReviewSession>& session() const { return m_session; }

    void showQuestion(int position);
    void rgRespostaClick(int option);
    void btProximaClick();
    void btAnteriorClick();
    void btFimClick();
    void btSairClick();

signals:
    // A session was finished: the notebook changed.
    void reviewFinished();

protected:
    void closeEvent(QCloseEvent* e) override;

private:
    void saveProgress();
    void showMessage(const QString& text);
    qint64 elapsed() const;

    notebook::Notebook* m_notebook = nullptr;
    app::MessageBoxes* m_messages = nullptr;
    QString m_title;
    std::optional<notebook::ReviewSession> m_session;
    int m_position = 0;
    qint64 m_elapsedBefore = 0;
    QElapsedTimer m_clock;
    QString m_loadedPdf;

    QLabel* m_questao = nullptr;
    QLabel* m_prova = nullptr;
    // Each question's own paper, at that question.
    PaperPane* m_pane = nullptr;
    QGroupBox* m_resposta = nullptr;
    QButtonGroup* m_group = nullptr;
    QRadioButton* m_options[5] = {};
    QPushButton* m_anterior = nullptr;
    QPushButton* m_proxima = nullptr;
    QPushButton* m_fim = nullptr;
    QPushButton* m_sair = nullptr;
    QLabel* m_resultado = nullptr;
};

} // namespace zelvora::gui

#pragma once
// The mistakes notebook window "Caderno de erros": every question now in the
// notebook in a table sortable by any column, the filters by paper, board,
// subject, year and status (each choice shows how many questions it holds),
// the user's note edited in place, "Refazer" (a review session over the rows
// shown), "Para revisar hoje (N)" (one over the questions due), the
// statistics across papers and the CSV export. A double click shows the
// question in its paper, read-only, with the key's answer.
//
// Controls (object names): lAviso, cbProva, cbBanca, cbDisciplina, cbAno,
// cbSituacao, lContagem, gridCaderno, btRefazer, btRevisarHoje,
// btEstatisticas, btExportar, btFechar.
#include "app/PaperPane.h"
#include "notebook/NotebookTableModel.h"

#include <QList>
#include <QWidget>

#include <functional>

class QComboBox;
class QLabel;
class QPushButton;
class QTableView;

namespace zelvora::app {
class MessageBoxes;
} // namespace zelvora::app
namespace zelvora::notebook {
class Notebook;
} // namespace zelvora::notebook

namespace zelvora::gui {

class TformEstatisticas;
class TformQuestaoCaderno;

class TformCaderno : public QWidget {
    Q_OBJECT
public:
    // notebook may be null (no store): the window says the notebook is
    // unavailable.
    TformCaderno(notebook::Notebook* notebook, app::MessageBoxes* messages, QString title, QWidget* parent = nullptr);
    ~TformCaderno() override;

    // Reads the notebook again, keeping the filters.
    void reload();
    const notebook::NotebookTableModel& model() const { return m_model; }
    // Asks where to write the CSV; the program uses a save dialog.
    std::function<QString(QWidget*)> chooseCsvPath;
    // How the question window's paper view is made (see PaperPane); the
    // program gives the exam window's, which knows where questions start.
    PaperPaneFactory paperPanes;

    void btRefazerClick();
    void btRevisarHojeClick();
    void btEstatisticasClick();
    void btExportarClick();
    void gridCadernoDoubleClick(int row);

    TformEstatisticas* statisticsWindow() const { return m_stats; }
    TformQuestaoCaderno* questionWindow() const { return m_question; }

signals:
    // A review session over these notebook questions, in this order.
    void reviewRequested(const QList<qint64>& itemIds);

private:
    void fillFilters();
    void filterChanged();
    void showMessage(const QString& text);

    notebook::Notebook* m_notebook = nullptr;
    app::MessageBoxes* m_messages = nullptr;
    QString m_title;
    notebook::NotebookTableModel m_model;
    QLabel* m_aviso = nullptr;
    QComboBox* m_filters[5] = {};
    QLabel* m_contagem = nullptr;
    QTableView* m_table = nullptr;
    QPushButton* m_refazer = nullptr;
    QPushButton* m_revisarHoje = nullptr;
    QPushButton* m_estatisticas = nullptr;
    QPushButton* m_exportar = nullptr;
    QPushButton* m_fechar = nullptr;
    TformEstatisticas* m_stats = nullptr;
    TformQuestaoCaderno* m_question = nullptr;
    bool m_filling = false;
    int m_due = 0;
};

} // namespace zelvora::gui

#pragma once
// The history window "Histórico": every attempt in a table sortable by any
// column, for the selected attempt's paper a chart of its percentage attempt
// after attempt with the best and the average, deleting an attempt (asked
// first, "Não" the default), exporting the table as CSV (a notice names
// the file and offers to open its folder), and the user's data exported to and
// imported from one archive (UserDataArchive). It opens centred on the screen.
// Everything it shows comes from the attempt store through HistoryModel and
// PaperSeries; the window only wires.
#include "attempts/HistoryModel.h"

#include <QWidget>

#include <functional>

class QLabel;
class QPushButton;
class QTableView;
class QChartView;
class QChart;

namespace zelvora::app {
class MessageBoxes;
struct AppContext;
} // namespace zelvora::app
namespace zelvora::attempts {
class AttemptStore;
} // namespace zelvora::attempts

namespace zelvora::gui {

class TformHistorico : public QWidget {
    Q_OBJECT
public:
    // store may be null or closed: the window then says the history is
    // unavailable and why.
    TformHistorico(attempts::AttemptStore* store, app::MessageBoxes* messages, QString title,
                   QWidget* parent = nullptr);

    // Shows the program's history window, made in window on first use over
    // the context's store, read again and brought to the front.
    static TformHistorico* Open(app::AppContext& ctx, TformHistorico*& window);

    void setStore(attempts::AttemptStore* store);
    // Reads the store again and selects the newest attempt.
    void reload();

    // Asks where to write the CSV; the program uses a save dialog.
    std::function<QString(QWidget*)> chooseCsvPath;
    // Takes a new answer key for the selected attempt's paper (the
    // application's key update); true when the key was replaced. Without it
    // the button "Atualizar gabarito..." is hidden.
    std::function<bool(QWidget*, const attempts::Attempt&)> updateKey;
    // Asks where to write the user's data archive, and which one to read.
    std::function<QString(QWidget*)> chooseExportPath;
    std::function<QString(QWidget*)> chooseImportPath;

    const attempts::HistoryModel& model() const { return m_model; }
    // The attempt of the selected row, or 0.
    qint64 selectedAttemptId() const;
    void selectAttempt(qint64 id);

    // In the middle of the primary screen's free area.
    void centreOnScreen();

    void btExcluirClick();
    void btExportarClick();
    void btAtualizarGabaritoClick();
    void btExportarDadosClick();
    void btImportarDadosClick();

private:
    void updateChart();
    void addCutoffLine(const attempts::PaperIdentity& paper, double right);
    void updateButtons();
    void showMessage(const QString& text);

    attempts::AttemptStore* m_store = nullptr;
    app::MessageBoxes* m_messages = nullptr;
    QString m_title;
    attempts::HistoryModel m_model;
    QLabel* m_aviso = nullptr;
    QTableView* m_table = nullptr;
    QChartView* m_chartView = nullptr;
    QChart* m_chart = nullptr;
    QLabel* m_resumo = nullptr;
    QPushButton* m_excluir = nullptr;
    QPushButton* m_exportar = nullptr;
    QPushButton* m_atualizar = nullptr;
    QPushButton* m_fechar = nullptr;
    QPushButton* m_exportarDados = nullptr;
    QPushButton* m_importarDados = nullptr;
};

} // namespace zelvora::gui

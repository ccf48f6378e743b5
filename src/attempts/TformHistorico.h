#pragma once
// The history window "Histórico": every attempt in a table sortable by any
// column, for the selected attempt's paper a chart of its percentage attempt
// after attempt with the best and the average, deleting an attempt (asked
// first) and exporting the table as CSV. Everything it shows comes from the
// attempt store through HistoryModel and PaperSeries; the window only wires.
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

    const attempts::HistoryModel& model() const { return m_model; }
    // The attempt of the selected row, or 0.
    qint64 selectedAttemptId() const;
    void selectAttempt(qint64 id);

    void btExcluirClick();
    void btExportarClick();

private:
    void updateChart();
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
    QPushButton* m_fechar = nullptr;
};

} // namespace zelvora::gui

#pragma once
// The statistics across papers: hits per subject and per board over every
// finished paper attempt, the lowest rate first, a line per subject month by
// month (Qt Charts) and the time per question.
//
// Controls (object names): gridDisciplinas, gridBancas, chartDisciplinas,
// lTempo.
#include "notebook/NotebookStats.h"

#include <QWidget>

class QLabel;
class QTableWidget;
class QChart;
class QChartView;

namespace zelvora::notebook {
class Notebook;
} // namespace zelvora::notebook

namespace zelvora::gui {

class TformEstatisticas : public QWidget {
    Q_OBJECT
public:
    explicit TformEstatisticas(notebook::Notebook* notebook, QWidget* parent = nullptr);

    void reload();
    const notebook::NotebookStatsData& data() const { return m_data; }

private:
    void fillTable(QTableWidget* table, const std::vector<notebook::SubjectRate>& rates);
    void fillChart();

    notebook::Notebook* m_notebook = nullptr;
    notebook::NotebookStatsData m_data;
    QTableWidget* m_subjects = nullptr;
    QTableWidget* m_boards = nullptr;
    QChart* m_chart = nullptr;
    QChartView* m_chartView = nullptr;
    QLabel* m_tempo = nullptr;
    QLabel* m_aviso = nullptr;
};

} // namespace zelvora::gui

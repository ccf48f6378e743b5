#pragma once
// "Regras da prova": the rules of one of the user's papers, set without a
// text editor: duration, type, cancelling, annulled questions and their
// rule, blocks with weights and minimums, subjects, the paper's minimum and
// the cut-off. Saving writes the paper's info file beside its key, whole
// (QSaveFile), in Windows-1252 with CR LF; fields that cannot be read are
// told and nothing is written.
//
// Controls (object names): edDuracao, cbTipo, ckAnula, edAnuladas, cbRegraAnuladas,
// tbBlocos (Nome, Questões, Peso, Mínimo), btMaisBloco, btMenosBloco,
// tbDisciplinas (Nome, Questões, Peso), btMaisDisciplina, btMenosDisciplina,
// edMinimo, edCorte, btSalvar.
#include "usermaterial/PaperRules.h"

#include <QDialog>

class QCheckBox;
class QComboBox;
class QLineEdit;
class QPushButton;
class QTableWidget;

namespace zelvora::app {
class MessageBoxes;
} // namespace zelvora::app

namespace zelvora::gui {

class PaperRulesDialog : public QDialog {
    Q_OBJECT
public:
    // infoPath: the paper's info file (read when it exists, written on save).
    PaperRulesDialog(const QString& infoPath, const QString& paperName, app::MessageBoxes* messages,
                     const QString& caption, QWidget* parent = nullptr);

    usermaterial::PaperRules rules() const;
    void setRules(const usermaterial::PaperRules& rules);

public slots:
    void save();

private:
    QTableWidget* table(const char* name, const QStringList& heads);

    QString m_path;
    QString m_paperName;
    app::MessageBoxes* m_messages;
    QString m_caption;
    QLineEdit* m_duration;
    QComboBox* m_type;
    QCheckBox* m_cancelling;
    QLineEdit* m_annulled;
    QComboBox* m_annulledRule;
    QTableWidget* m_blocks;
    QTableWidget* m_subjects;
    QLineEdit* m_minimum;
    QLineEdit* m_cutoff;
};

} // namespace zelvora::gui

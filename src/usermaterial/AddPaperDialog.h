#pragma once
// "Adicionar prova": the user picks a downloaded PDF, gives the name shown in
// the paper selector and pastes the answer key as it came; a preview lists
// question and answer as the key was read, and saving puts everything into
// the user's own folder.
#include "mockexam/AnswerKeyText.h"

#include <QDialog>

class QCheckBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QPushButton;

namespace zelvora::app {
class MessageBoxes;
} // namespace zelvora::app

namespace zelvora::gui {

class AddPaperDialog : public QDialog {
    Q_OBJECT
public:
    // userFolder: the user's data folder (created on the first save).
    AddPaperDialog(const QString& userFolder, app::MessageBoxes* messages, const QString& caption,
                   QWidget* parent = nullptr);

    QLineEdit* pdfEdit() const { return m_pdf; }
    QLineEdit* nameEdit() const { return m_name; }
    QPlainTextEdit* keyEdit() const { return m_key; }
    QListWidget* preview() const { return m_preview; }
    QLabel* keyStatus() const { return m_status; }
    QPushButton* saveButton() const { return m_save; }
    // "Definir as regras da prova depois de salvar" (ckRegras) was ticked.
    bool rulesWanted() const;

    // The list line written by the last successful save (Windows-1252).
    const std::string& savedLine() const { return m_savedLine; }

public slots:
    void choosePdf();
    void updatePreview();
    void save();

private:
    QString m_folder;
    app::MessageBoxes* m_messages;
    QString m_caption;
    mockexam::ParsedAnswerKey m_parsed;
    std::string m_savedLine;
    QLineEdit* m_pdf;
    QLineEdit* m_name;
    QPlainTextEdit* m_key;
    QListWidget* m_preview;
    QLabel* m_status;
    QPushButton* m_save;
    QCheckBox* m_rules;
};

} // namespace zelvora::gui

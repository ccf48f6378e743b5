#pragma once
// "Adicionar prova": the user picks a downloaded PDF, gives the name shown in
// the paper selector and pastes the answer key as it came or picks the
// board's key PDF; a preview lists question and answer as the key was read,
// and saving puts everything into the user's own folder (annulled questions
// and right/wrong items into the paper's info file).
#include <QDialog>

#include <functional>
#include <optional>

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

class KeyInput;

class AddPaperDialog : public QDialog {
    Q_OBJECT
public:
    // userFolder: the user's data folder (created on the first save).
    AddPaperDialog(const QString& userFolder, app::MessageBoxes* messages, const QString& caption,
                   QWidget* parent = nullptr);

    QLineEdit* pdfEdit() const { return m_pdf; }
    QLineEdit* nameEdit() const { return m_name; }
    QPlainTextEdit* keyEdit() const;
    QListWidget* preview() const;
    QLabel* keyStatus() const;
    KeyInput* keyInput() const { return m_keyInput; }
    QPushButton* saveButton() const { return m_save; }
    // "Definir as regras da prova depois de salvar" (ckRegras) was ticked.
    bool rulesWanted() const;

    // Counts the questions of the paper PDF at a path, when it can; the
    // preview warns when the key has another number of them.
    void setQuestionCounter(std::function<std::optional<int>(const QString&)> counter);

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
    void countQuestions();

    std::string m_savedLine;
    std::function<std::optional<int>(const QString&)> m_counter;
    QLineEdit* m_pdf;
    QLineEdit* m_name;
    KeyInput* m_keyInput;
    QPushButton* m_save;
    QCheckBox* m_rules;
};

} // namespace zelvora::gui

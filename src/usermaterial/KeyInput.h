#pragma once
// Where the user gives an answer key: pasted text or the board's PDF
// ("Gabarito em PDF..."), both read by the same reader. When the sheet holds
// several posts or booklet types the user picks one by its printed title;
// the preview lists every question with its answer, the annulled ones
// marked, and the status line warns when the count differs from the
// questions found in the paper.
#include "mockexam/KeySheet.h"

#include <QWidget>

#include <functional>
#include <optional>

class QComboBox;
class QLabel;
class QListWidget;
class QPlainTextEdit;
class QPushButton;

namespace zelvora::gui {

class KeyInput : public QWidget {
    Q_OBJECT
public:
    explicit KeyInput(QWidget* parent = nullptr);

    QPlainTextEdit* keyEdit() const { return m_key; }
    QListWidget* preview() const { return m_preview; }
    QLabel* status() const { return m_status; }
    QComboBox* sections() const { return m_sections; }
    QPushButton* pdfButton() const { return m_pdfButton; }

    // The section picked, once a key was read.
    std::optional<mockexam::KeySection> section() const;
    // Why the key given cannot be used; empty when nothing was given yet or
    // when it was read.
    QString error() const { return m_error; }
    bool empty() const;

    // How many questions the paper has, when it can be told; the status
    // line compares the key with it.
    void setQuestionCount(std::optional<int> count);

signals:
    void changed();

public slots:
    void choosePdf();
    void readPdf(const QString& path);
    void readText();
    void showSection();

private:
    void takeSheet(const mockexam::KeySheet& sheet);

    mockexam::KeySheet m_sheet;
    QString m_error;
    QString m_pdfPath;
    std::optional<int> m_questions;
    QPlainTextEdit* m_key;
    QPushButton* m_pdfButton;
    QComboBox* m_sections;
    QLabel* m_sectionLabel;
    QListWidget* m_preview;
    QLabel* m_status;
};

} // namespace zelvora::gui

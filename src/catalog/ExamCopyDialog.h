#pragma once
// The save dialog of the exam copy ("Copiar para..."): Qt's own dialog, so it
// looks and behaves the same on every desktop, with the one filter entry and
// no overwrite prompt.
#include <QFileDialog>

namespace zelvora::gui {

class ExamCopyDialog : public QFileDialog {
    Q_OBJECT
public:
    explicit ExamCopyDialog(QWidget* parent = nullptr);

    // Puts the suggested name into the file name box.
    void suggestName(const QString& name);
    // The full path the user confirmed (valid after exec() returned Accepted).
    QString chosenPath() const;

public slots:
    // Confirming the suggested name when a folder of that name already exists
    // (the same exam copied twice into one place) chooses that folder; Qt's
    // dialog would otherwise open it and wait, and the user could only copy
    // into a new folder inside it. Any other folder name typed opens that
    // folder as usual.
    void accept() override;

private:
    QString m_suggested;
    QString m_existingFolder;
};

} // namespace zelvora::gui

#pragma once
// "Adicionar exame": the user picks an exam's zip (read first by the
// program's own zip reader, whose entry list is shown), gives organisation,
// exam type and year (completed from the values the catalog already has),
// and saving copies the archive into the user's own folder.
#include "catalog/CatalogEntry.h"

#include <QDialog>
#include <QStringList>

class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

namespace zelvora::app {
class MessageBoxes;
} // namespace zelvora::app

namespace zelvora::gui {

struct ExamFieldValues {
    QStringList organisations, examTypes, years;
};

class AddExamDialog : public QDialog {
    Q_OBJECT
public:
    AddExamDialog(const QString& userFolder, const ExamFieldValues& known, app::MessageBoxes* messages,
                  const QString& caption, QWidget* parent = nullptr);

    QLineEdit* zipEdit() const { return m_zip; }
    QLineEdit* organisationEdit() const { return m_org; }
    QLineEdit* examTypeEdit() const { return m_type; }
    QLineEdit* yearEdit() const { return m_year; }
    QListWidget* entries() const { return m_entries; }
    QLabel* zipStatus() const { return m_status; }
    QPushButton* saveButton() const { return m_save; }

    const catalog::CatalogEntry& savedEntry() const { return m_saved; }

public slots:
    void chooseZip();
    // Reads the archive named in the zip box and lists its entries.
    void checkZip();
    void save();

private:
    QString m_folder;
    app::MessageBoxes* m_messages;
    QString m_caption;
    catalog::CatalogEntry m_saved;
    QLineEdit* m_zip;
    QLineEdit* m_org;
    QLineEdit* m_type;
    QLineEdit* m_year;
    QListWidget* m_entries;
    QLabel* m_status;
    QPushButton* m_save;
};

} // namespace zelvora::gui

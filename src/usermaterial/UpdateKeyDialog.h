#pragma once
// "Atualizar gabarito": the user gives a paper's new answer key (the board's
// PDF or pasted text), sees what changed against the key in use (answers
// changed, questions annulled, questions no longer annulled) and, after
// confirming, the key is replaced (the old one kept) and every kept attempt
// at the paper is scored again; the dialog then lists each attempt's score
// before and after.
#include "attempts/KeyRevisions.h"
#include "usermaterial/KeyReplacement.h"

#include <QDialog>

#include <vector>

class QLabel;
class QListWidget;
class QPushButton;

namespace zelvora::app {
class MessageBoxes;
} // namespace zelvora::app

namespace zelvora::gui {

class KeyInput;

class UpdateKeyDialog : public QDialog {
    Q_OBJECT
public:
    // storePath: the attempt store's file ("" when attempts are not kept).
    UpdateKeyDialog(usermaterial::KeyTarget target, const QString& paperName, QString storePath,
                    app::MessageBoxes* messages, QString caption, QWidget* parent = nullptr);

    KeyInput* keyInput() const { return m_input; }
    QListWidget* changes() const { return m_changes; }
    QListWidget* rescoredList() const { return m_rescoredList; }
    QPushButton* updateButton() const { return m_update; }
    // The attempts scored again by the last update.
    const std::vector<attempts::Rescored>& rescored() const { return m_rescored; }
    // Whether the key was replaced.
    bool replaced() const { return m_replaced; }

public slots:
    void showChanges();
    void apply();

private:
    usermaterial::KeyTarget m_target;
    QString m_storePath;
    app::MessageBoxes* m_messages;
    QString m_caption;
    QString m_paperName;
    std::vector<std::string> m_oldKey;
    mockexam::PaperInfo m_oldInfo;
    std::vector<attempts::Rescored> m_rescored;
    bool m_replaced = false;
    KeyInput* m_input;
    QListWidget* m_changes;
    QListWidget* m_rescoredList;
    QPushButton* m_update;
    QPushButton* m_close;
};

} // namespace zelvora::gui

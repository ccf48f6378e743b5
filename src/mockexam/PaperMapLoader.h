#pragma once
// Finds the question map of the paper being shown without holding up the
// window: the PDF is hashed and, when the store has no map under that hash,
// read and searched on a worker thread (the worker opens its own copy of the
// document, which lives and dies there). The map found is kept in the store,
// so each paper is mapped once; the user's own places are read with it and
// win over the found ones.
//
// A paper started while another is still being mapped makes the earlier
// result arrive unseen. Without a store the map lives as long as the paper.
#include "mockexam/QuestionMap.h"

#include <QFutureWatcher>
#include <QObject>
#include <QString>

#include <memory>

namespace zelvora::attempts {
class AttemptStore;
} // namespace zelvora::attempts

namespace zelvora::mockexam {

class PaperMapLoader : public QObject {
    Q_OBJECT
public:
    explicit PaperMapLoader(QObject* parent = nullptr);
    ~PaperMapLoader() override;

    void setStore(attempts::AttemptStore* store) { m_store = store; }

    // Forgets the map shown so far and starts on the paper at pdfPath with
    // expected questions (its key's length).
    void load(const QString& pdfPath, int expected);
    // No paper: the map is empty and nothing arrives.
    void clear();

    bool ready() const { return m_ready; }
    QString paperHash() const { return m_hash; }
    const QuestionMap& map() const { return m_map; }

    // The user's place for a question, kept for the paper and used at once.
    void correct(const QuestionPlace& place);

    // Tests: runs the event loop until the map is ready or msecs passed.
    bool waitUntilReady(int msecs);

signals:
    void mapReady();

private:
    struct Mapped {
        int generation = 0;
        QString hash;
        bool needsSearch = false;
        std::vector<QuestionPlace> found;
    };
    void hashed(const Mapped& result);
    void searched(const Mapped& result);

    attempts::AttemptStore* m_store = nullptr;
    QString m_path;
    int m_expected = 0;
    int m_generation = 0;
    bool m_ready = false;
    QString m_hash;
    QuestionMap m_map;
    QFutureWatcher<Mapped>* m_hashing = nullptr;
    QFutureWatcher<Mapped>* m_searching = nullptr;
};

} // namespace zelvora::mockexam

#pragma once
// How a notebook operation went, for zelvora::Result: the UI turns each code
// into its own sentence (NotebookTexts).
namespace zelvora::notebook {

enum class NotebookCode {
    Ok,
    StoreUnavailable, // the attempt store is closed or missing
    StoreFailed, // an SQLite statement failed (detail: its message)
    NotFound, // no such review session or notebook entry
    NothingToReview, // a review session needs at least one question
};

} // namespace zelvora::notebook

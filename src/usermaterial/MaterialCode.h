#pragma once
// Why an addition or removal of the user's material did not happen. The
// detail that goes with a code: the path concerned for the file codes, the
// field (MaterialField's digit, then the offending character) for the field
// codes, the number of answers for KeyTooLong.
#include "text/Result.h"

namespace zelvora::usermaterial {

enum class MaterialCode {
    Ok,
    FieldEmpty,
    FieldHasHash,
    FieldHasControl,
    FieldNotCp1252,
    KeyNotOptions, // an answer that is not one of A to E (or C/E)
    KeyEmpty,
    KeyTooLong,
    FileMissing,
    NotAFile,
    TooLarge,
    Unreadable,
    NotAPdf,
    NotAZip,
    ZipEmpty,
    CannotWrite,
    FolderBusy, // another program holds the folder's lock
    PaperNotUsers,
    ExamNotUsers,
};

// The list fields the user types, named in the messages.
enum class MaterialField { PaperName, Organisation, ExamType, Year };

using MaterialResult = Result<MaterialCode>;
template <typename T>
using MaterialResultOf = ResultOf<T, MaterialCode>;

} // namespace zelvora::usermaterial

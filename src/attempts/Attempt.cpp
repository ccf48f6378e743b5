#include "attempts/Attempt.h"

namespace zelvora::attempts {

double Attempt::percentage() const
{
    return questionCount > 0 ? double(hits) / double(questionCount) * 100.0 : 0.0;
}

} // namespace zelvora::attempts

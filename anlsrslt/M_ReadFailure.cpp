// The words for why an error file could not be read.
#include "M_ReadFailure.h"

#include "M_Messages.h"

std::string M_ReadFailure::text() const
{
    switch (cause) {
    case Cause::none: break;
    case Cause::missing: return M_Messages::kFailureMissing;
    case Cause::notReadable: return M_Messages::kFailureNotReadable;
    case Cause::notAnErrorFile: return M_Messages::kFailureNotAnErrorFile;
    case Cause::damaged: return M_Messages::kFailureDamagedAt + std::to_string(offset);
    }
    return std::string();
}

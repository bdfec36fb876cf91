// Standard streams on a host whose terminals and files take UTF-8: nothing to convert.
#include "ConsoleOutput.h"

namespace platform {

void useConsoleEncoding(std::ostream&, StandardStream)
{
}

} // namespace platform

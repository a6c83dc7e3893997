// A full disk, where a process cannot be given a file size limit: the program's own stand-in.
#include "TestPlatform.h"

#include "common/SafeWrite.h"

namespace orvel::testing {

QString inChildWithFileSizeLimit(qint64 limit, const std::function<QString()> &work)
{
    const SimulatedFileSizeLimit full(limit);
    return work();
}

} // namespace orvel::testing

// The logging category of the platform subsystem ("orvel.platform"): warnings about what the
// program could not do and did not otherwise report. Quiet unless something fails.
#pragma once

#include <QLoggingCategory>

namespace orvel {
Q_DECLARE_LOGGING_CATEGORY(lcPlatform)
}

#include "Diagnostics.h"

namespace orvel {
Q_LOGGING_CATEGORY(lcLogging, "orvel.logging")
}

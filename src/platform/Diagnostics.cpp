#include "Diagnostics.h"

namespace orvel {
Q_LOGGING_CATEGORY(lcPlatform, "orvel.platform")
}

#include "Diagnostics.h"

namespace orvel {
Q_LOGGING_CATEGORY(lcCommon, "orvel.common")
}

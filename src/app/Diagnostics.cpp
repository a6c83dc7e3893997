#include "Diagnostics.h"

namespace orvel {
Q_LOGGING_CATEGORY(lcApp, "orvel.app")
}

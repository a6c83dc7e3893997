#include "Diagnostics.h"

namespace orvel {
Q_LOGGING_CATEGORY(lcLabels, "orvel.labels")
}

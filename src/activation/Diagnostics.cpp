#include "Diagnostics.h"

namespace orvel {
Q_LOGGING_CATEGORY(lcActivation, "orvel.activation")
}

#include "Diagnostics.h"

namespace orvel {
Q_LOGGING_CATEGORY(lcRadio, "orvel.radio")
}

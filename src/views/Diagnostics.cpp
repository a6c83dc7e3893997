#include "Diagnostics.h"

namespace orvel {
// Off unless asked for (QT_LOGGING_RULES="orvel.*=true"): the user is told what happened in
// French; these are the developer's notes.
Q_LOGGING_CATEGORY(lcViews, "orvel.views", QtCriticalMsg)
}

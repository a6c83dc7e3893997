// The platform objects a window is given at construction.
#pragma once

#include "Clock.h"
#include "Dialogs.h"
#include "Settings.h"

#include <QString>

namespace orvel {

struct Services {
    Settings &settings;
    Clock &clock;
    Dialogs &dialogs;
    QString workingDirectory; // every data file lives here
};

} // namespace orvel

// Activations for tests that need only a reference to open a session on.
#pragma once

#include "records/Activation.h"

namespace orvel::testing {

inline Activation activationOf(const QString &reference)
{
    Activation activation;
    activation.reference = reference;
    return activation;
}

} // namespace orvel::testing

#pragma once

#include "common/ProgramEdition.h"

namespace modMainHelper {

// The card-reading program's edition of the shared routines and windows; its start-up
// installs it (setProgramEdition) before any window.
ProgramEdition quorvaneEdition();

} // namespace modMainHelper

#pragma once

#include "common/ProgramEdition.h"

namespace modMainHelper {

// The launcher panel's edition of the shared routines and windows: its preferences, its own
// about box (the maker's address in LabelWebURL, the panel's picture, its credit lines). Its
// start-up installs it (setProgramEdition) before any window.
ProgramEdition zephlorinEdition();

} // namespace modMainHelper

#pragma once

#include <QString>

// The image scanner the user chose, remembered per user for the programs of the family in
// "$XDG_CONFIG_HOME/corvel/image-source": one line, the SANE device name.
namespace scanner {

QString sourceChoiceFile();

// The chosen device; empty when none was chosen (the first device found is used then).
QString chosenDevice();

// Remembers `device`; the file is replaced only once completely written. False when it could
// not be written.
bool setChosenDevice(const QString& device);

} // namespace scanner

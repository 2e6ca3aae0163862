#pragma once
// The program's settings file: OrvelaWP.ini in the per-user configuration folder
// ($XDG_CONFIG_HOME, default ~/.config), section [GeneralSettings], plain key=value lines
// written and read raw; other sections and keys are kept when writing.
#include <QString>

#include "platform/SettingsText.h"

namespace orvela::platform {

// Full path of the settings file in force.
QString SettingsFilePath();

// Reads the settings with every reading rule; a missing or unreadable file gives the defaults.
GeneralSettings ReadGeneralSettings();

// Writes the given keys (raw values, in the order given) into a section, [GeneralSettings]
// unless another is named, keeping everything else in the file. Returns false when the
// file cannot be written.
bool WriteSettingsValues(const SettingsValues& keyValues, const QString& section = kGeneralSection);

}  // namespace orvela::platform

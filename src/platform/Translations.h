#pragma once
// Qt's own dialog texts in German, like the program's.
class QCoreApplication;

namespace orvela::platform {

// Loads qtbase_de from Qt's translation folder and makes German the default locale.
// Returns false when the translation file is not there (Qt then speaks English).
bool InstallGermanTranslations(QCoreApplication& app);

}  // namespace orvela::platform

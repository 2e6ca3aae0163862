#pragma once
// Where report templates are found: the program's report directory, or, while none is
// set, the example templates that come with the program.
#include <QString>
#include <QStringList>

namespace orvela {

// The example templates: share/orvela-wp/reports beside an installed program
// (../share/orvela-wp/reports from the binary), or examples/reports of the source tree
// when the program runs from a build folder. Empty when neither is there.
QString BundledReportDir();

// The directory templates are listed from and run in: `configured`, or the examples
// while it is empty.
QString EffectiveReportDir(const QString& configured);

// The bare names of the files in `dir` (not in its sub-folders) matching "*.rtf", letter
// case ignored, sorted ignoring letter case. A folder that cannot be read gives none.
QStringList ReportTemplateNames(const QString& dir);

}  // namespace orvela

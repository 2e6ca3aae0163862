#pragma once
// The texts of the about dialog: rights notice, terms of use, acknowledgements.
#include <QString>

namespace orvela {

QString RightsNoticeText();
QString TermsOfUseText();
// Every library the program is built with, with its licence.
QString AcknowledgementsText();

}  // namespace orvela

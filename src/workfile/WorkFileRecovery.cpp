// The work-file window filled from a recovery copy.
#include "platform/ErrorReport.h"
#include "platform/RecoveryFolder.h"
#include "platform/Services.h"
#include "storage/WorkFileXml.h"
#include "workfile/RecoveryWriter.h"
#include "workfile/WorkFileHost.h"
#include "workfile/srcWorkfile.h"

namespace orvela {

bool TfrmWorkFile::RestoreRecoveryCopy(const platform::LeftoverCopy& copy, const QString& fileName) {
  try {
    // The copy was written from a window that had shown these warnings already.
    ParseWorkFileXml(data_, copy.copy.content, [](LoadWarning, const std::string&) {});
  } catch (const xml::XmlError& e) {
    platform::ShowApplicationError(host_.services(), QString::fromUtf8(e.what()), platform::ErrorKindName(e),
                                   platform::SenderText(this));
    return false;
  }
  data_.fileName = fileName.toStdString();
  // Modified with no saved state in reach: undoing never makes it look saved.
  data_.modified = true;
  // The identifiers stay as the lost window had them.
  showReadData();
  updateCaption();
  UpdateSaveButton();
  recovery_->adopt(copy.path, fileName.isEmpty() ? std::nullopt : copy.copy.record.original);
  return true;
}

}  // namespace orvela

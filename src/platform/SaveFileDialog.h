#pragma once
// The program's save dialog: Qt's file dialog in save mode that refuses a name in a folder
// that does not exist and stays open, instead of handing on a path no file can be
// written to.
#include <QFileDialog>

namespace orvela::platform {

class MessageService;

class SaveFileDialog : public QFileDialog {
  Q_OBJECT
 public:
  // `messages` tells the user why a name is refused.
  SaveFileDialog(QWidget* parent, const QString& title, const QString& directory, const QString& filter,
                 MessageService& messages);

 public slots:
  void accept() override;

 private:
  MessageService& messages_;
};

}  // namespace orvela::platform

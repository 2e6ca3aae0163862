#include "dialogs/srcGeneralSettings.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QEvent>
#include <QGridLayout>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QRegularExpression>
#include <QStyle>
#include <QToolButton>
#include <QToolTip>
#include <QVBoxLayout>

#include "model/TextUtils.h"
#include "platform/DialogButtons.h"
#include "platform/ErrorReport.h"
#include "platform/Services.h"
#include "platform/WindowSize.h"

namespace orvela {

namespace {

constexpr int kHelpContext = 240;

// Only blanks (character 32) are removed; tabs and the rest stay.
QString WithoutLeadingBlanks(const QString& text) {
  qsizetype i = 0;
  while (i < text.size() && text[i] == QLatin1Char(' ')) ++i;
  return text.mid(i);
}

// The three fields hold one line each; a line break (pasted with a path, say) cannot be
// stored in the settings file, so it is taken out as it comes in.
void KeepOnOneLine(QLineEdit* edit) {
  QObject::connect(edit, &QLineEdit::textChanged, edit, [edit](const QString& text) {
    static const QRegularExpression kBreaks(QStringLiteral("[\\r\\n]"));
    if (!text.contains(kBreaks)) return;
    const int cursor = edit->cursorPosition();
    const int before = int(text.left(cursor).count(kBreaks));
    QString oneLine = text;
    oneLine.remove(kBreaks);
    edit->setText(oneLine);
    edit->setCursorPosition(cursor - before);
  });
}

// Whether the whole text of an edit cannot be seen in it.
bool TextWiderThanEdit(const QLineEdit* edit) {
  const int frame = edit->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, edit);
  const QMargins margins = edit->textMargins();
  const int room = edit->contentsRect().width() - 2 * frame - margins.left() - margins.right() - 4;
  return edit->fontMetrics().horizontalAdvance(edit->text()) > room;
}

}  // namespace

bool ShowGeneralSettings(platform::Services& services, QWidget* parent, platform::GeneralSettings& settings) {
  TdlgGeneralSettings dialog(services, settings, parent);
  return services.runModal(dialog) == QDialog::Accepted && dialog.stored();
}

TdlgGeneralSettings::TdlgGeneralSettings(platform::Services& services, platform::GeneralSettings& settings,
                                         QWidget* parent)
    : QDialog(parent),
      services_(services),
      settings_(settings),
      editWorkingDir_(new QLineEdit(this)),
      editReportDir_(new QLineEdit(this)),
      editTemplate_(new QLineEdit(this)),
      cbNewStartUp_(new QCheckBox(QStringLiteral("neue Projektdatei beim Programmstart"), this)) {
  setObjectName(QStringLiteral("dlgGeneralSettings"));
  setWindowTitle(QStringLiteral("Allgemeine Einstellungen"));
  cbNewStartUp_->setObjectName(QStringLiteral("cbNewStartUp"));

  struct Row {
    const char* label;
    QLineEdit* edit;
    const char* editName;
    const char* buttonName;
    void (TdlgGeneralSettings::*pick)();
  };
  const Row rows[] = {
      {"Projektverzeichnis:", editWorkingDir_, "editWorkingDir", "sbWorkingDir", &TdlgGeneralSettings::acWorkingDir},
      {"Berichtsverzeichnis:", editReportDir_, "editReportDir", "SpeedButton1", &TdlgGeneralSettings::acReportDir},
      {"Vorlage:", editTemplate_, "editTemplate", "sbTemplate", &TdlgGeneralSettings::acSelectTemplate},
  };
  auto* grid = new QGridLayout;
  int r = 0;
  for (const Row& row : rows) {
    auto* label = new QLabel(QString::fromUtf8(row.label), this);
    label->setBuddy(row.edit);
    row.edit->setObjectName(QLatin1String(row.editName));
    row.edit->installEventFilter(this);
    KeepOnOneLine(row.edit);
    auto* pick = new QToolButton(this);
    pick->setObjectName(QLatin1String(row.buttonName));
    pick->setText(QStringLiteral("..."));
    pick->setAccessibleName(QString::fromUtf8(row.label).chopped(1) + QStringLiteral(" auswählen"));
    connect(pick, &QToolButton::clicked, this, row.pick);
    grid->addWidget(label, r, 0);
    grid->addWidget(row.edit, r, 1);
    grid->addWidget(pick, r, 2);
    ++r;
  }
  grid->addWidget(cbNewStartUp_, r, 1, 1, 2);

  QDialogButtonBox* buttons = platform::OkCancelButtons(this);

  auto* layout = new QVBoxLayout(this);
  layout->addLayout(grid);
  layout->addStretch();
  layout->addWidget(buttons);
  platform::FixSizeAtLeast(this, QSize(378, 160));

  // The dialog starts from the program's current values, not from the file.
  editWorkingDir_->setText(settings_.workingDir);
  editReportDir_->setText(settings_.reportDir);
  editTemplate_->setText(settings_.templatePath);
  cbNewStartUp_->setChecked(settings_.newFileOnStartup);
}

void TdlgGeneralSettings::acWorkingDir() {
  const QString folder = services_.fileDialogs().chooseFolder(this, QStringLiteral("Working Directory"), QString());
  if (!folder.isEmpty()) editWorkingDir_->setText(folder);
}

void TdlgGeneralSettings::acReportDir() {
  const QString folder = services_.fileDialogs().chooseFolder(this, QStringLiteral("Report Directory"), QString());
  if (!folder.isEmpty()) editReportDir_->setText(folder);
}

void TdlgGeneralSettings::acSelectTemplate() {
  platform::FileDialogRequest request;
  request.title = QStringLiteral("Template File");
  // "*" rather than "*.*": on this platform many files have no extension.
  request.filter = QStringLiteral("Orvela Workfile (*.owp);;Alle Dateien (*)");
  request.defaultSuffix = QStringLiteral("ovt");
  const QString file = services_.fileDialogs().openFile(this, request);
  if (!file.isEmpty()) editTemplate_->setText(file);
}

void TdlgGeneralSettings::accept() {
  QDialog::accept();
  stored_ = storeSettings();
}

bool TdlgGeneralSettings::storeSettings() {
  const QString workingDir = editWorkingDir_->text();
  const QString reportDir = editReportDir_->text();
  const QString templatePath = editTemplate_->text();
  const bool newFile = cbNewStartUp_->isChecked();
  const bool written = platform::WriteSettingsValues({
      {QStringLiteral("WorkingDir"), workingDir},
      {QStringLiteral("ReportDir"), reportDir},
      {QStringLiteral("Template"), templatePath},
      {QStringLiteral("NewFileOnStartup"), newFile ? QStringLiteral("1") : QStringLiteral("0")},
  });
  if (!written) {
    const QString path = platform::SettingsFilePath();
    const FileError error(QStringLiteral("In %1 kann nicht geschrieben werden").arg(path).toStdString(),
                          path.toStdString());
    platform::ShowApplicationError(services_, error, parentWidget() ? parentWidget() : this);
    return false;
  }
  settings_.workingDir = WithoutLeadingBlanks(workingDir);
  settings_.reportDir = WithoutLeadingBlanks(reportDir);
  settings_.templatePath = WithoutLeadingBlanks(templatePath);
  settings_.newFileOnStartup = newFile;
  return true;
}

void TdlgGeneralSettings::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_F1 && event->modifiers() == Qt::NoModifier) {
    services_.help().showHelp(this, kHelpContext);
    return;
  }
  QDialog::keyPressEvent(event);
}

bool TdlgGeneralSettings::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::ToolTip) {
    if (auto* edit = qobject_cast<QLineEdit*>(watched)) {
      // The whole text just below the edit, only when the edit cuts it off.
      if (TextWiderThanEdit(edit))
        QToolTip::showText(edit->mapToGlobal(QPoint(0, edit->height())), edit->text(), edit);
      else
        QToolTip::hideText();
      return true;
    }
  }
  return QDialog::eventFilter(watched, event);
}

}  // namespace orvela

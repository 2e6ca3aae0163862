#include "dialogs/srcAbout.h"

#include <QApplication>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStyle>
#include <QTabWidget>
#include <QVBoxLayout>
#include <algorithm>

#include "dialogs/AboutTexts.h"
#include "platform/Services.h"
#include "platform/WindowSize.h"
#include "storage/WorkFileXml.h"

namespace orvela {

namespace {

constexpr int kHelpContext = 120;

// Tahoma where it is installed; otherwise the nearest sans-serif face, at the same size.
QFont TitleFont() {
  QFont font;
  font.setFamilies({QStringLiteral("Tahoma"), QStringLiteral("Verdana"), QStringLiteral("DejaVu Sans")});
  font.setStyleHint(QFont::SansSerif);
  font.setPixelSize(13);
  font.setBold(true);
  return font;
}

}  // namespace

void ShowAbout(platform::Services& services, QWidget* parent) {
  TdlgAbout dialog(services, parent);
  services.runModal(dialog);
}

QString TdlgAbout::homepageAddress() { return QStringLiteral("https://orvela-wp.example.org"); }

TdlgAbout::TdlgAbout(platform::Services& services, QWidget* parent) : QDialog(parent), services_(services) {
  setObjectName(QStringLiteral("dlgAbout"));
  setWindowTitle(QStringLiteral("Information"));

  auto* pages = new QTabWidget(this);
  pages->setObjectName(QStringLiteral("PageControl1"));
  platform::ShowWholeTabCaptions(pages);

  QWidget* version = buildVersionTab();
  version->setObjectName(QStringLiteral("TabSheet1"));
  pages->addTab(version, QStringLiteral("Version"));
  QWidget* legal = buildMemo("memoLegal", TermsOfUseText());
  legal->parentWidget()->setObjectName(QStringLiteral("TabSheet2"));
  pages->addTab(legal->parentWidget(), QStringLiteral("Nutzungsbestimmungen"));
  QWidget* thanks = buildMemo("Memo2", AcknowledgementsText());
  thanks->parentWidget()->setObjectName(QStringLiteral("TabSheet3"));
  pages->addTab(thanks->parentWidget(), QStringLiteral("Danksagung"));
  pages->setCurrentIndex(0);

  auto* ok = new QPushButton(QStringLiteral("Ok"), this);
  ok->setObjectName(QStringLiteral("pbOk"));
  ok->setDefault(true);  // Enter closes the dialog
  ok->setFixedSize(68, std::max(25, ok->fontMetrics().height() + 10));
  connect(ok, &QPushButton::clicked, this, &TdlgAbout::accept);

  // The tabs on the left over the full height; the button at the top right, 8 pixels from
  // them, so that the tabs get 297 pixels of the design width of 380.
  auto* side = new QVBoxLayout;
  side->setContentsMargins(8, 24, 7, 0);
  side->addWidget(ok);
  side->addStretch();
  auto* layout = new QHBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  layout->addWidget(pages, 1);
  layout->addLayout(side);
  platform::FixSizeAtLeast(this, QSize(380, 197));
}

QWidget* TdlgAbout::buildVersionTab() {
  auto* tab = new QWidget;

  auto* icon = new QLabel(tab);
  icon->setObjectName(QStringLiteral("Image1"));
  QIcon programIcon = QApplication::windowIcon();
  if (programIcon.isNull()) programIcon = style()->standardIcon(QStyle::SP_FileDialogInfoView);
  icon->setPixmap(programIcon.pixmap(32, 32));
  icon->setFixedSize(32, 32);

  auto* title = new QLabel(QStringLiteral("Orvela WP (Working Papers)"), tab);
  title->setObjectName(QStringLiteral("labelTitle"));
  title->setFont(TitleFont());

  auto* versionCaption = new QLabel(QStringLiteral("Version:"), tab);
  auto* labelVersion = new QLabel(QString::fromLatin1(kAppVersion.data(), static_cast<qsizetype>(kAppVersion.size())), tab);
  labelVersion->setObjectName(QStringLiteral("labelVersion"));

  auto* rights = new QLabel(RightsNoticeText(), tab);
  rights->setObjectName(QStringLiteral("labelRights"));
  rights->setWordWrap(true);

  auto* moreCaption = new QLabel(QStringLiteral("Weitere Informationen:"), tab);
  auto* homepage = new QLabel(tab);
  homepage->setObjectName(QStringLiteral("labelHomepage"));
  homepage->setTextFormat(Qt::RichText);
  homepage->setText(QStringLiteral("<a href=\"%1\" style=\"color:#0000ff;\">%1</a>").arg(homepageAddress()));
  homepage->setTextInteractionFlags(Qt::LinksAccessibleByMouse | Qt::LinksAccessibleByKeyboard);
  homepage->setOpenExternalLinks(false);
  homepage->setCursor(Qt::PointingHandCursor);
  homepage->setToolTip(homepageAddress());
  // The desktop opens the address; a failure there shows nothing.
  connect(homepage, &QLabel::linkActivated, this, [this](const QString& address) { services_.shell().open(address); });

  auto* grid = new QGridLayout(tab);
  grid->setContentsMargins(8, 8, 8, 8);
  grid->setHorizontalSpacing(8);
  grid->addWidget(icon, 0, 0, 2, 1, Qt::AlignTop);
  grid->addWidget(title, 0, 1, 1, 2);
  grid->addWidget(versionCaption, 1, 1);
  grid->addWidget(labelVersion, 1, 2);
  grid->addWidget(rights, 2, 1, 1, 2);
  grid->addWidget(moreCaption, 3, 1, 1, 2);
  grid->addWidget(homepage, 4, 1, 1, 2);
  grid->setColumnStretch(2, 1);
  grid->setRowStretch(5, 1);
  return tab;
}

QPlainTextEdit* TdlgAbout::buildMemo(const char* name, const QString& text) {
  auto* tab = new QWidget;
  auto* memo = new QPlainTextEdit(tab);
  memo->setObjectName(QLatin1String(name));
  memo->setPlainText(text);
  // Information to read, not to change.
  memo->setReadOnly(true);
  memo->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
  memo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  auto* layout = new QVBoxLayout(tab);
  layout->setContentsMargins(2, 2, 2, 2);
  layout->addWidget(memo);
  return memo;
}

void TdlgAbout::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_F1 && event->modifiers() == Qt::NoModifier) {
    services_.help().showHelp(this, kHelpContext);
    return;
  }
  QDialog::keyPressEvent(event);
}

}  // namespace orvela

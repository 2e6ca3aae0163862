#include "platform/PendingCut.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>
#include <QUuid>

namespace orvela::platform {
namespace {
constexpr char kCutTokenType[] = "application/x-orvela-structure-cut";
}

PendingCut::PendingCut() {
  if (auto* clipboard = QGuiApplication::clipboard())
    connect(clipboard, &QClipboard::dataChanged, this, &PendingCut::clipboardChanged);
}

void PendingCut::set(QObject* owner, RecordNode* node, QMimeData* mime) {
  clear();
  owner_ = owner;
  node_ = node;
  token_ = QUuid::createUuid().toByteArray();
  mime->setData(QString::fromLatin1(kCutTokenType), token_);
  emit changed(owner_);
}

std::optional<PendingCut::Item> PendingCut::match(const QMimeData* mime) const {
  if (!owner_ || !mime || mime->data(QString::fromLatin1(kCutTokenType)) != token_) return std::nullopt;
  return Item{owner_, node_};
}

bool PendingCut::covers(const QObject* owner, const RecordNode* node) const {
  return owner_ && owner == owner_ && node && node->isWithin(node_);
}

void PendingCut::clear() {
  QObject* was = owner_;
  owner_ = nullptr;
  node_ = nullptr;
  token_.clear();
  if (was) emit changed(was);
}

void PendingCut::forgetWithin(const QObject* owner, const RecordNode* removed) {
  if (owner_ && owner == owner_ && node_->isWithin(removed)) clear();
}

void PendingCut::forgetOwner(const QObject* owner) {
  if (owner_ && owner == owner_) {
    // No repaint for an owner that is going away.
    owner_ = nullptr;
    node_ = nullptr;
    token_.clear();
  }
}

void PendingCut::clipboardChanged() {
  // Something else on the clipboard: the cut is given up and the item looks normal again.
  if (owner_ && !match(QGuiApplication::clipboard()->mimeData())) clear();
}

}  // namespace orvela::platform

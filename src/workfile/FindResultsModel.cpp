#include "workfile/FindResultsModel.h"

#include <QPoint>
#include <utility>

#include "model/DelimitedText.h"
#include "model/EvidenceFields.h"
#include "model/StructureCommands.h"
#include "model/TextUtils.h"
#include "model/srcGlobalDef.h"
#include "platform/Cp1252Text.h"
#include "workfile/StructureModel.h"

namespace orvela {
namespace {

// The names of the fields as the windows label them.
QString FieldLabel(const std::string& key) {
  static const std::pair<std::string_view, const char*> kLabels[] = {
      {key::NAME, "Name"},       {key::DESCRIPTION, "Beschreibung"}, {key::RESULT, "Ergebnis"},
      {key::TYPE, "Typ"},        {key::RISK, "Risiko"},              {key::OU, "OE"},
      {key::EVIDENCE, "Nachweis"}, {key::DEADLINE, "Termin"},        {key::REFERENCE, "Verweis"},
      {key::ITEM, "Eintrag"},    {key::VALUE, "Wert"},
      {key::REVIEW_NOTE, "Prüfungshinweis"}, {key::STATUS, "Status"}, {key::RESPONSE, "Stellungnahme"},
      {key::RESPONSIBLE, "Verantwortlich"},  {key::DONE_AT, "Umgesetzt am"},
  };
  for (const auto& label : kLabels)
    if (EqualsNoCase(key, label.first)) return QString::fromUtf8(label.second);
  return platform::FromCp1252(key);
}

// The tabs of the project properties dialog, in the order of the lists.
constexpr const char* kDefinitionLists[] = {"Allgemein", "Risikodefinition", "Organisationseinheiten", "Mitarbeiter"};

QString Quoted(const std::string& text) {
  return QStringLiteral("\u201E") + platform::FromCp1252(text) + QStringLiteral("\u201C");
}

}  // namespace

QString FindItemText(const RecordNode& item) {
  return QString::fromStdString(OutlineNumber(item)) + QLatin1Char(' ') + platform::FromCp1252(ItemDisplayText(item, false));
}

FindResultsModel::FindResultsModel(const StructureModel& structure, QObject* parent)
    : QAbstractTableModel(parent), structure_(structure) {}

void FindResultsModel::setResult(FindResult result, std::size_t length) {
  beginResetModel();
  result_ = std::move(result);
  length_ = length;
  endResetModel();
}

const FindHit* FindResultsModel::hit(int row) const {
  if (row < 0 || row >= static_cast<int>(result_.hits.size())) return nullptr;
  return &result_.hits[static_cast<std::size_t>(row)];
}

bool FindResultsModel::filteredOut(const FindHit& hit) const {
  if (hit.place != FindPlace::Item && hit.place != FindPlace::Finding) return false;
  return structure_.filterKind() == FilterKind::Hide && MatchesFilter(hit.node->record, structure_.filterCriterion());
}

int FindResultsModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(result_.hits.size());
}

int FindResultsModel::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : 2; }

QString FindResultsModel::placeText(const FindHit& hit) const {
  QString where;
  switch (hit.place) {
    case FindPlace::Item:
      where = FindItemText(*hit.node);
      break;
    case FindPlace::Finding: {
      const std::vector<std::string> entries = SplitListText(hit.node->record.value(key::FINDINGS));
      const std::string name =
          hit.index < entries.size() ? FieldList::fromCommaText(entries[hit.index]).value(key::NAME) : std::string();
      where = FindItemText(*hit.node) + QStringLiteral(" \u2013 Feststellung ") +
              (name.empty() ? QString::number(hit.index + 1) : Quoted(name));
      break;
    }
    case FindPlace::Document:
      where = QStringLiteral("Dokument ") + Quoted(hit.node->record.value(key::NAME));
      break;
    case FindPlace::Definition:
      where = QStringLiteral("Projekteigenschaften \u2013 %1, Zeile %2")
                  .arg(QString::fromUtf8(kDefinitionLists[hit.index % 4]))
                  .arg(hit.entry + 1);
      break;
    case FindPlace::Description:
      return QStringLiteral("Beschreibung");
  }
  where += QStringLiteral(" (") + FieldLabel(hit.field) + QLatin1Char(')');
  if (filteredOut(hit)) where += QStringLiteral(" (ausgefiltert)");
  return where;
}

QVariant FindResultsModel::data(const QModelIndex& index, int role) const {
  const FindHit* h = index.isValid() ? hit(index.row()) : nullptr;
  if (!h) return {};
  switch (role) {
    case Qt::DisplayRole:
      return index.column() == Place ? placeText(*h) : platform::FromCp1252(h->snippet);
    case Qt::ToolTipRole:
      return index.column() == Place ? placeText(*h) : platform::FromCp1252(h->snippet);
    case HitRangeRole:
      if (index.column() != Text) return {};
      return QPoint(static_cast<int>(h->snippetHit), static_cast<int>(length_));
    default:
      return {};
  }
}

QVariant FindResultsModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (orientation != Qt::Horizontal || role != Qt::DisplayRole) return {};
  return section == Place ? QStringLiteral("Fundstelle") : QStringLiteral("Text");
}

void FindResultsModel::filterChanged() {
  if (!result_.hits.empty()) emit dataChanged(index(0, Place), index(rowCount() - 1, Place), {Qt::DisplayRole});
}

}  // namespace orvela

// The findings as a SQLite database: tables audits, items, findings and finding_units,
// indexed by file and deadline, written in one transaction into a temporary file that
// replaces the target when complete.
#include <sqlite3.h>

#include <stdexcept>

#include "cli/FindingsOutput.h"
#include "model/CsvText.h"
#include "storage/SafeFileWriter.h"

namespace orvela::cli {
namespace {

template <class Source>
std::string CreateTable(std::string_view table, std::span<const Column<Source>> columns) {
  std::string sql = "CREATE TABLE " + std::string(table) + " (";
  for (std::size_t i = 0; i < columns.size(); ++i) {
    if (i > 0) sql += ", ";
    sql += columns[i].name;
    sql += columns[i].kind == CellKind::Integer ? " INTEGER" : " TEXT";
  }
  return sql + ");\n";
}

template <class Source>
std::string InsertInto(std::string_view table, std::span<const Column<Source>> columns) {
  std::string sql = "INSERT INTO " + std::string(table) + " VALUES (";
  for (std::size_t i = 0; i < columns.size(); ++i) sql += i > 0 ? ", ?" : "?";
  return sql + ")";
}

// Kinds of the columns, so that one statement class binds every table alike.
template <class Source>
std::vector<CellKind> KindsOf(std::span<const Column<Source>> columns) {
  std::vector<CellKind> kinds;
  for (const Column<Source>& c : columns) kinds.push_back(c.kind);
  return kinds;
}

class Database {
 public:
  explicit Database(const std::string& path) {
    if (sqlite3_open_v2(path.c_str(), &db_, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr) != SQLITE_OK) {
      const std::string reason = db_ ? sqlite3_errmsg(db_) : "kein Speicher";
      sqlite3_close(db_);
      throw std::runtime_error("Die Datenbank " + path + " kann nicht angelegt werden: " + reason);
    }
  }
  ~Database() { sqlite3_close(db_); }
  Database(const Database&) = delete;
  Database& operator=(const Database&) = delete;

  void execute(const std::string& sql) {
    char* message = nullptr;
    if (sqlite3_exec(db_, sql.c_str(), nullptr, nullptr, &message) != SQLITE_OK) {
      const std::string reason = message ? message : sqlite3_errmsg(db_);
      sqlite3_free(message);
      fail(reason);
    }
  }
  [[noreturn]] void fail(const std::string& reason) const {
    throw std::runtime_error("Die Datenbank kann nicht geschrieben werden: " + reason);
  }
  sqlite3* handle() const { return db_; }

 private:
  sqlite3* db_ = nullptr;
};

class Insert {
 public:
  Insert(Database& db, const std::string& sql, std::vector<CellKind> kinds) : db_(db), kinds_(std::move(kinds)) {
    if (sqlite3_prepare_v2(db.handle(), sql.c_str(), -1, &statement_, nullptr) != SQLITE_OK)
      db.fail(sqlite3_errmsg(db.handle()));
  }
  ~Insert() { sqlite3_finalize(statement_); }
  Insert(const Insert&) = delete;
  Insert& operator=(const Insert&) = delete;

  // Empty numbers and dates are stored as NULL, dates as yyyy-mm-dd so that they sort.
  void row(const Row& cells) {
    for (std::size_t i = 0; i < cells.size(); ++i) {
      const int column = int(i + 1);
      const std::string& cell = cells[i];
      int rc;
      if (cell.empty() && kinds_[i] != CellKind::Text) {
        rc = sqlite3_bind_null(statement_, column);
      } else if (const std::optional<long long> number =
                     kinds_[i] == CellKind::Integer ? IntegerCell(cell) : std::nullopt) {
        rc = sqlite3_bind_int64(statement_, column, *number);
      } else if (kinds_[i] == CellKind::Date) {
        rc = sqlite3_bind_text(statement_, column, IsoDate(cell).c_str(), -1, SQLITE_TRANSIENT);
      } else {
        rc = sqlite3_bind_text(statement_, column, cell.data(), int(cell.size()), SQLITE_STATIC);
      }
      if (rc != SQLITE_OK) db_.fail(sqlite3_errmsg(db_.handle()));
    }
    if (sqlite3_step(statement_) != SQLITE_DONE) db_.fail(sqlite3_errmsg(db_.handle()));
    sqlite3_reset(statement_);
  }

 private:
  Database& db_;
  std::vector<CellKind> kinds_;
  sqlite3_stmt* statement_ = nullptr;
};

std::size_t FindingColumn(std::string_view name) {
  const auto columns = FindingColumns();
  for (std::size_t i = 0; i < columns.size(); ++i)
    if (columns[i].name == name) return i;
  throw std::logic_error("no findings column " + std::string(name));
}

class DatabaseOutput : public FindingsOutput {
 public:
  explicit DatabaseOutput(const std::string& path) : file_(path), db_(std::make_unique<Database>(file_.tempPath())) {
    // One transaction, ended in finish(); no journal, as an unfinished database is never
    // put in place.
    db_->execute("PRAGMA journal_mode = OFF;\nPRAGMA synchronous = OFF;\nBEGIN;\n" +
                 CreateTable("audits", AuditColumns()) + CreateTable("items", ItemColumns()) +
                 CreateTable("findings", FindingColumns()) +
                 "CREATE TABLE finding_units (file TEXT, outline TEXT, finding_no INTEGER, ou TEXT);");
    audits_ = std::make_unique<Insert>(*db_, InsertInto("audits", AuditColumns()), KindsOf(AuditColumns()));
    items_ = std::make_unique<Insert>(*db_, InsertInto("items", ItemColumns()), KindsOf(ItemColumns()));
    findings_ = std::make_unique<Insert>(*db_, InsertInto("findings", FindingColumns()), KindsOf(FindingColumns()));
    units_ = std::make_unique<Insert>(*db_, "INSERT INTO finding_units VALUES (?, ?, ?, ?)",
                                      std::vector<CellKind>{CellKind::Text, CellKind::Text, CellKind::Integer,
                                                            CellKind::Text});
  }
  ~DatabaseOutput() override { close(); }

  bool wantsItems() const override { return true; }

  void add(const PortfolioFile& file) override {
    audits_->row(file.audit);
    for (const Row& row : file.items) items_->row(row);
    for (const Row& row : file.findings) findings_->row(row);
    for (const auto& unit : file.findingUnits) {
      const Row& finding = file.findings[unit.first];
      units_->row({finding[fileColumn_], finding[outlineColumn_], finding[numberColumn_], unit.second});
    }
  }

  void finish() override {
    db_->execute(
        "CREATE INDEX audits_file ON audits(file);\n"
        "CREATE INDEX items_file ON items(file);\n"
        "CREATE INDEX findings_file ON findings(file);\n"
        "CREATE INDEX findings_deadline ON findings(deadline);\n"
        "CREATE INDEX finding_units_file ON finding_units(file);\n"
        "COMMIT;");
    close();
    file_.commit();
  }

 private:
  void close() {
    audits_.reset();
    items_.reset();
    findings_.reset();
    units_.reset();
    db_.reset();
  }

  const std::size_t fileColumn_ = FindingColumn("file"), outlineColumn_ = FindingColumn("outline"),
                    numberColumn_ = FindingColumn("finding_no");
  SafeFileStream file_;
  std::unique_ptr<Database> db_;
  std::unique_ptr<Insert> audits_, items_, findings_, units_;
};

}  // namespace

std::unique_ptr<FindingsOutput> MakeDatabaseOutput(const std::string& path) {
  return std::make_unique<DatabaseOutput>(path);
}

}  // namespace orvela::cli

// The findings as CSV or as a JSON array of objects, streamed into the target.
#include <nlohmann/json.hpp>

#include "cli/FindingsOutput.h"
#include "model/CsvText.h"
#include "storage/SafeFileWriter.h"

namespace orvela::cli {
namespace {

// Written to the file in pieces of about this size.
constexpr std::size_t kFlushSize = 1 << 20;

// Text collected in a buffer and written to the file a piece at a time.
class StreamedOutput : public FindingsOutput {
 public:
  explicit StreamedOutput(const std::string& path) : file_(path) {}
  void finish() override {
    buffer_ += ending();
    flush();
    file_.commit();
  }

 protected:
  virtual std::string ending() const { return {}; }
  void flushWhenFull() {
    if (buffer_.size() >= kFlushSize) flush();
  }
  std::string buffer_;

 private:
  void flush() {
    file_.write(buffer_);
    buffer_.clear();
  }
  SafeFileStream file_;
};

class CsvOutput : public StreamedOutput {
 public:
  CsvOutput(const std::string& path, char separator, bool byteOrderMark) : StreamedOutput(path), separator_(separator) {
    if (byteOrderMark) buffer_ = kUtf8ByteOrderMark;
    AppendCsvRow(buffer_, ColumnNames(FindingColumns()), separator_);
  }
  void add(const PortfolioFile& file) override {
    for (const Row& row : file.findings) AppendCsvRow(buffer_, row, separator_);
    flushWhenFull();
  }

 private:
  char separator_;
};

class JsonOutput : public StreamedOutput {
 public:
  explicit JsonOutput(const std::string& path) : StreamedOutput(path) { buffer_ = "["; }
  void add(const PortfolioFile& file) override {
    const auto columns = FindingColumns();
    for (const Row& row : file.findings) {
      nlohmann::ordered_json object = nlohmann::ordered_json::object();
      for (std::size_t i = 0; i < columns.size(); ++i) {
        const std::optional<long long> number =
            columns[i].kind == CellKind::Integer ? IntegerCell(row[i]) : std::nullopt;
        if (number)
          object[std::string(columns[i].name)] = *number;
        else
          object[std::string(columns[i].name)] = row[i];
      }
      buffer_ += first_ ? "\n  " : ",\n  ";
      first_ = false;
      buffer_ += object.dump(-1, ' ', false, nlohmann::ordered_json::error_handler_t::replace);
    }
    flushWhenFull();
  }

 private:
  std::string ending() const override { return first_ ? "]\n" : "\n]\n"; }
  bool first_ = true;
};

}  // namespace

std::unique_ptr<FindingsOutput> MakeTextOutput(FindingsFormat format, const std::string& path) {
  switch (format) {
    case FindingsFormat::SpreadsheetCsv:
      return std::make_unique<CsvOutput>(path, ';', true);
    case FindingsFormat::ToolCsv:
      return std::make_unique<CsvOutput>(path, ',', false);
    case FindingsFormat::Json:
      return std::make_unique<JsonOutput>(path);
    case FindingsFormat::Sqlite:
      break;
  }
  return MakeDatabaseOutput(path);
}

}  // namespace orvela::cli

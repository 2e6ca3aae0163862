#pragma once
// The JSON form of a work file (UTF-8) used by export and import. Text is converted from
// and to Windows-1252 through the one table of the model; a character that Windows-1252
// cannot hold is refused, never replaced.
#include <stdexcept>
#include <string>
#include <string_view>

#include "model/WorkFileData.h"

namespace orvela::cli {

inline constexpr std::string_view kJsonFormat = "orvela-wp-json";
inline constexpr int kJsonVersion = 1;

// JSON that is not of the form; what() is "<place>: <problem>", for example
// "structure[3].children[0].record[2]: expected a string".
class JsonFormError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// The whole work file as JSON text, ending in a line break. Trees of any depth are
// written without recursion.
std::string WorkFileToJson(const WorkFileData& data);

// Fills empty `data` from JSON text. `lastItemId`, stamps and every record are taken as
// given. Throws JsonFormError.
void WorkFileFromJson(std::string_view json, WorkFileData& data);

}  // namespace orvela::cli

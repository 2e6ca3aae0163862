#pragma once
// Loading a work file as a window does (renumbered after reading), for the commands that
// read one: warnings and the refusal go to `err` with the program's texts.
#include <iosfwd>
#include <string>

#include "model/WorkFileData.h"

namespace orvela::cli {

// False when the file cannot be read or parsed; the reason has been written to `err`.
bool LoadForCommand(const std::string& file, WorkFileData& data, std::ostream& err);

}  // namespace orvela::cli

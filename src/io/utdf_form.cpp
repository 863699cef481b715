// SPDX-License-Identifier: MIT
#include "io/utdf_readers.h"

namespace tavimo {

std::optional<std::string> utdfExtension(const std::string& path) {
    const std::size_t dot = path.rfind('.');
    if (dot == std::string::npos) return std::nullopt;
    // Four characters from the last ".", also when that "." sits in a folder name.
    return path.substr(dot, 4);
}

UtdfForm timingFormOf(const std::string& path) {
    const std::string extension = utdfExtension(path).value_or("");
    return extension == ".csv" || extension == ".CSV" ? UtdfForm::CommaSeparated : UtdfForm::FixedColumns;
}

UtdfForm phasingFormOf(const std::string& path) { return timingFormOf(path); }

UtdfForm lanesFormOf(const std::string& path) {
    const std::string extension = utdfExtension(path).value_or("");
    return extension == ".dat" || extension == ".DAT" ? UtdfForm::FixedColumns : UtdfForm::CommaSeparated;
}

}  // namespace tavimo

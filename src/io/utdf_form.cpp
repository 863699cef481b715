// SPDX-License-Identifier: MIT
#include "io/utdf.h"

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

std::string arrangementOf(const std::string& leadLagMark) {
    const bool lead = leadLagMark == "1" || leadLagMark == "3" || leadLagMark == "5" ||
                      leadLagMark == "7" || leadLagMark == " ";
    return lead ? tag::kLead : tag::kLag;
}

int importPosition(const std::string& arrangement, int phase) {
    if (arrangement != tag::kLag) return phase;
    return phase % 2 == 1 ? phase + 1 : phase - 1;
}

}  // namespace tavimo

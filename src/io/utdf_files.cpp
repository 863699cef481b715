// SPDX-License-Identifier: MIT
// The file side of the UTDF import: all three files are read whole before any of
// them is used, so a failure leaves the timing window untouched.
#include "io/file_read.h"
#include "io/utdf_readers.h"
#include "io/windows1252.h"

#include "utdf_text.h"

namespace tavimo {

namespace {

// A UTDF file of one intersection is a few kilobytes; anything this big was chosen
// by mistake and would only exhaust memory.
constexpr std::size_t kLargestFile = std::size_t{256} << 20;

std::variant<std::string, UtdfError> readWhole(const char* kind, const std::string& path) {
    if (path.empty()) return UtdfError{std::string("No ") + kind + " file was chosen."};
    if (!utdfExtension(path))
        return UtdfError{utdf::fileMessage(kind, path, "has no extension; choose the .dat or .csv file.")};
    auto read = readRegularFile(path, kLargestFile);
    if (const auto* failure = std::get_if<FileReadFailure>(&read))
        return UtdfError{utdf::fileMessage(kind, path, "cannot be opened: " + failure->reason + ".")};
    return std::get<std::string>(std::move(read));
}

// The files are written in the Windows code page; the program holds UTF-8.
void toUtf8(UtdfImport& values) {
    for (auto* texts : {&values.split, &values.green, &values.amber, &values.red, &values.direction})
        for (std::string& text : *texts) text = fromWindows1252(text);
    values.cycleLength = fromWindows1252(values.cycleLength);
    values.leadLagMark = fromWindows1252(values.leadLagMark);
}

}  // namespace

std::variant<UtdfImport, UtdfError> readUtdfFiles(const std::string& timingPath, const std::string& phasingPath,
                                                  const std::string& lanesPath) {
    auto phasing = readWhole("PHASING", phasingPath);
    if (auto* error = std::get_if<UtdfError>(&phasing)) return *error;
    auto timing = readWhole("TIMING", timingPath);
    if (auto* error = std::get_if<UtdfError>(&timing)) return *error;
    auto lanes = readWhole("LANES", lanesPath);
    if (auto* error = std::get_if<UtdfError>(&lanes)) return *error;

    UtdfImport values;
    if (auto error = parsePhasing(std::get<std::string>(phasing), phasingFormOf(phasingPath), phasingPath, values))
        return *error;
    if (auto error = parseTiming(std::get<std::string>(timing), timingFormOf(timingPath), timingPath, values))
        return *error;
    parseLanes(std::get<std::string>(lanes), lanesFormOf(lanesPath), values);
    if (auto error = checkImport(values, std::get<std::string>(phasing), std::get<std::string>(lanes),
                                 lanesFormOf(lanesPath), timingPath, phasingPath, lanesPath))
        return *error;
    toUtf8(values);
    return values;
}

}  // namespace tavimo

// SPDX-License-Identifier: MIT
// The file side of the UTDF import: all three files are read whole before any of
// them is used, so a failure leaves the timing window untouched.
#include <new>

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

std::variant<UtdfImport, UtdfError> parseUtdfFiles(const UtdfTexts& texts, const std::string& timingPath,
                                                   const std::string& phasingPath, const std::string& lanesPath) {
    UtdfImport values;
    if (auto error = parsePhasing(texts.phasing, phasingFormOf(phasingPath), phasingPath, values)) return *error;
    if (auto error = parseTiming(texts.timing, timingFormOf(timingPath), timingPath, values)) return *error;
    parseLanes(texts.lanes, lanesFormOf(lanesPath), values);
    if (auto error = checkImport(values, texts.phasing, texts.lanes, lanesFormOf(lanesPath), timingPath, phasingPath,
                                 lanesPath))
        return *error;
    toUtf8(values);
    return values;
}

std::variant<UtdfImport, UtdfError> readUtdfFiles(const std::string& timingPath, const std::string& phasingPath,
                                                  const std::string& lanesPath) {
    const char* reading = "PHASING";
    const std::string* path = &phasingPath;
    // Three files of the largest size allowed may not fit a small machine: that is a
    // failed read naming the file, not the end of the program.
    try {
        auto phasing = readWhole("PHASING", phasingPath);
        if (auto* error = std::get_if<UtdfError>(&phasing)) return *error;
        reading = "TIMING", path = &timingPath;
        auto timing = readWhole("TIMING", timingPath);
        if (auto* error = std::get_if<UtdfError>(&timing)) return *error;
        reading = "LANES", path = &lanesPath;
        auto lanes = readWhole("LANES", lanesPath);
        if (auto* error = std::get_if<UtdfError>(&lanes)) return *error;
        return parseUtdfFiles({std::get<std::string>(timing), std::get<std::string>(phasing), std::get<std::string>(lanes)},
                              timingPath, phasingPath, lanesPath);
    } catch (const std::bad_alloc&) {
        return UtdfError{utdf::fileMessage(reading, *path, "cannot be read: there is not enough memory for it.")};
    }
}

}  // namespace tavimo

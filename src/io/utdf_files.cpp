// SPDX-License-Identifier: MIT
// The file side of the UTDF import: all three files are read whole before any of
// them is used, so a failure leaves the timing window untouched.
#include <cstdio>
#include <memory>

#include "io/project_file.h"
#include "io/utdf.h"
#include "io/utdf_text.h"

namespace tavimo {

namespace {

// A UTDF file of one intersection is a few kilobytes; anything this big was chosen
// by mistake and would only exhaust memory.
constexpr std::size_t kLargestFile = std::size_t{256} << 20;

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};

std::variant<std::string, UtdfError> readWhole(const char* kind, const std::string& path) {
    if (path.empty()) return UtdfError{std::string("No ") + kind + " file was chosen."};
    if (!utdfExtension(path))
        return UtdfError{utdf::fileMessage(kind, path, "has no extension; choose the .dat or .csv file.")};
    std::unique_ptr<std::FILE, FileCloser> file(std::fopen(path.c_str(), "rb"));
    if (!file) return UtdfError{utdf::fileMessage(kind, path, "cannot be opened.")};
    std::string text;
    char buffer[1 << 16];
    std::size_t got;
    while ((got = std::fread(buffer, 1, sizeof buffer, file.get())) > 0) {
        text.append(buffer, got);
        if (text.size() > kLargestFile)
            return UtdfError{utdf::fileMessage(kind, path, "is too large for a UTDF file (over 256 MB).")};
    }
    // A folder opens on some systems but cannot be read.
    if (std::ferror(file.get())) return UtdfError{utdf::fileMessage(kind, path, "cannot be read.")};
    return text;
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
    if (auto error = parseLanes(std::get<std::string>(lanes), lanesFormOf(lanesPath), lanesPath, values))
        return *error;
    toUtf8(values);
    return values;
}

}  // namespace tavimo

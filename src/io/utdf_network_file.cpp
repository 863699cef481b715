// SPDX-License-Identifier: MIT
// The file side of the network import: the file is read whole, then parsed, so a
// failure leaves the timing window untouched.
#include <cstdio>
#include <filesystem>
#include <memory>

#include "io/utdf_network.h"
#include "io/utdf_text.h"

namespace tavimo {

namespace {

// The largest real network exports are about a megabyte; a file many times that size
// was chosen by mistake, and reading it would only exhaust memory.
constexpr std::uintmax_t kLargestNetworkFile = std::uintmax_t{64} << 20;

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};

std::variant<std::string, UtdfError> readNetworkFile(const std::string& path) {
    const auto problem = [&](const std::string& what) { return UtdfError{utdf::fileMessage("UTDF", path, what)}; };
    if (path.empty()) return UtdfError{"No UTDF file was chosen."};
    std::error_code ec;
    const auto status = std::filesystem::status(path, ec);
    if (ec || !std::filesystem::exists(status)) return problem("does not exist.");
    if (!std::filesystem::is_regular_file(status)) return problem("is not a file.");
    const auto size = std::filesystem::file_size(path, ec);
    if (!ec && size > kLargestNetworkFile) return problem("is too large for a UTDF file (over 64 MB).");
    std::unique_ptr<std::FILE, FileCloser> file(std::fopen(path.c_str(), "rb"));
    if (!file) return problem("cannot be opened.");
    std::string text;
    char buffer[1 << 16];
    std::size_t got;
    while ((got = std::fread(buffer, 1, sizeof buffer, file.get())) > 0) {
        text.append(buffer, got);
        if (text.size() > kLargestNetworkFile) return problem("is too large for a UTDF file (over 64 MB).");
    }
    if (std::ferror(file.get())) return problem("cannot be read.");
    return text;
}

}  // namespace

std::variant<UtdfNetwork, UtdfError> readUtdfNetwork(const std::string& path) {
    auto text = readNetworkFile(path);
    if (auto* error = std::get_if<UtdfError>(&text)) return *error;
    return parseUtdfNetwork(std::get<std::string>(text), path);
}

}  // namespace tavimo

// SPDX-License-Identifier: MIT
// The file side of the network import: the file is read whole, then parsed, so a
// failure leaves the timing window untouched.
#include <new>

#include "io/file_read.h"
#include "io/utdf_network.h"

#include "utdf_text.h"

namespace tavimo {

namespace {

// The largest real network exports are about a megabyte; a file many times that size
// was chosen by mistake, and reading it would only exhaust memory.
constexpr std::size_t kLargestNetworkFile = std::size_t{64} << 20;

std::variant<std::string, UtdfError> readNetworkFile(const std::string& path) {
    if (path.empty()) return UtdfError{"No UTDF file was chosen."};
    auto read = readRegularFile(path, kLargestNetworkFile);
    if (const auto* failure = std::get_if<FileReadFailure>(&read))
        return UtdfError{utdf::fileMessage("UTDF", path, "cannot be opened: " + failure->reason + ".")};
    return std::get<std::string>(std::move(read));
}

}  // namespace

std::variant<UtdfNetwork, UtdfError> readUtdfNetwork(const std::string& path) {
    // A machine short of memory fails the read, not the program: the window keeps
    // what it shows and the calculator says which file it could not hold.
    try {
        auto text = readNetworkFile(path);
        if (auto* error = std::get_if<UtdfError>(&text)) return *error;
        return parseUtdfNetwork(std::get<std::string>(text), path);
    } catch (const std::bad_alloc&) {
        return UtdfError{utdf::fileMessage("UTDF", path, "cannot be read: there is not enough memory for it.")};
    }
}

}  // namespace tavimo

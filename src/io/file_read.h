// SPDX-License-Identifier: MIT
#pragma once

#include <cstddef>
#include <string>
#include <variant>

namespace tavimo {

// Why a file could not be read: the path as given and the reason in a few words
// ("No such file or directory", "it is a FIFO, not a regular file").
struct FileReadFailure {
    std::string path;
    std::string reason;
    // "<path>: <reason>"
    std::string message() const { return path + ": " + reason; }
};

// Reads a whole regular file of at most `limit` bytes. The file is opened without
// blocking, so a FIFO or a terminal never stalls the program, and anything that is
// not a regular file (a folder, a device, a FIFO, a socket) is refused before a
// byte is read. At most limit + 1 bytes are ever read, so neither /dev/zero nor a
// file that grows while it is read can exhaust memory.
std::variant<std::string, FileReadFailure> readRegularFile(const std::string& path, std::size_t limit);

// "1 MiB", "256 MiB", "4096 bytes": a byte limit as a user reads it.
std::string byteSizeText(std::size_t bytes);

}  // namespace tavimo

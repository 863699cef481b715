// SPDX-License-Identifier: MIT
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace tavimo {

// Why a file could not be written: the path as given and the reason in a few words
// ("No space left on device", "it is a FIFO, not a regular file").
struct FileWriteFailure {
    std::string path;
    std::string reason;
    // "cannot write <path>: <reason>"
    std::string message() const { return "cannot write " + path + ": " + reason; }
};

// Replaces the file at `path` by `bytes`, whole or not at all. The bytes go to a new
// file in the same folder, which is synced to the disk and checked before it takes
// the old one's name; on any failure the old file stays byte for byte and the new
// one is removed. Only a regular file is ever replaced: a FIFO, a device or a folder
// (or a link to one) is refused. A link to a regular file stays a link, its target
// is replaced. A file that existed keeps its permissions; a new one gets the usual
// ones (0666 less the umask).
std::optional<FileWriteFailure> writeFileAtomically(const std::string& path, std::string_view bytes);

}  // namespace tavimo

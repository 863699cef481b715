// SPDX-License-Identifier: MIT
#include <dlfcn.h>

#include <filesystem>
#include <system_error>

#include "cli/draw_request.h"

namespace tavimo::cli {

namespace {

// Drawing needs Qt's GUI module, whose start-up alone costs more than a whole plain
// calculation; it lives in a library opened only when a chart or report is asked for.
std::vector<std::filesystem::path> libraryPlaces() {
    std::error_code ec;
    const std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", ec);
    if (ec) return {kDrawLibraryName};
    const std::filesystem::path dir = self.parent_path();
    return {dir / kDrawLibraryName, dir.parent_path() / "lib" / "tavimo" / kDrawLibraryName};
}

}  // namespace

std::string drawWithLibrary(const DrawRequest& request) {
    std::string tried;
    for (const std::filesystem::path& place : libraryPlaces()) {
        std::error_code ec;
        if (!std::filesystem::exists(place, ec)) {
            tried += (tried.empty() ? "" : ", ") + place.string();
            continue;
        }
        // Kept loaded: Qt registers itself with the process on first use.
        void* library = dlopen(place.c_str(), RTLD_NOW | RTLD_LOCAL);
        if (!library) return std::string("the drawing library cannot be loaded: ") + dlerror();
        auto entry = reinterpret_cast<DrawEntry>(dlsym(library, kDrawEntryName));
        if (!entry) return "the drawing library " + place.string() + " has no entry " + kDrawEntryName;
        return entry(request);
    }
    return "charts and reports need the drawing library, not found at " + tried;
}

}  // namespace tavimo::cli

// SPDX-License-Identifier: MIT
// The project file reader on any bytes: cut into values, checked, opened into a
// window when valid; written back and read again, the values must not change.
#include <cstdint>
#include <cstdlib>

#include "io/project_file.h"

namespace {

bool sameValues(const tavimo::ProjectValues& a, const tavimo::ProjectValues& b) {
    return a.movements == b.movements && a.splits == b.splits && a.minGreens == b.minGreens &&
           a.ambers == b.ambers && a.reds == b.reds && a.order == b.order && a.cycleLength == b.cycleLength &&
           a.arrangement == b.arrangement && a.controller == b.controller && a.mode == b.mode &&
           a.description == b.description;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace tavimo;
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);

    // Every byte of the code page reads and writes back unchanged.
    const std::string text = fromWindows1252(bytes);
    const auto back = toWindows1252(text);
    if (!back || *back != bytes) std::abort();

    const ProjectValues values = parseProject(text);
    // Values never hold a comma or a line end, so a written file reads back whole.
    if (!sameValues(parseProject(formatProject(values)), values)) std::abort();

    if (validateProject(values)) return 0;
    WindowState state = WindowState::fresh();
    openProjectInto(state, values, "fuzz.tvm");
    projectValuesOf(state.plan, false);
    projectValuesOf(state.plan, true);
    return 0;
}

// SPDX-License-Identifier: MIT
// A drawing library of another interface version, as a stale copy beside a newer
// tavimo-calc would be: the calculator must refuse it before calling anything else.
#include "cli/draw_interface.h"

extern "C" __attribute__((visibility("default"))) unsigned tavimo_draw_interface_version(void) {
    return TAVIMO_DRAW_INTERFACE_VERSION + 98;
}

extern "C" __attribute__((visibility("default"))) int tavimo_draw_render(const tavimo_draw_request*) {
    __builtin_trap();  // never reached: the version is checked first
}

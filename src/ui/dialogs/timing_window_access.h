// SPDX-License-Identifier: MIT
#pragma once

#include <functional>

namespace tavimo::ui {

class Form1;

// How a dialog reaches the one timing window: shows it (creating it blank when it is
// not open) and returns it. The main window supplies this; tests may give their own.
using ShowTimingWindow = std::function<Form1*()>;

}  // namespace tavimo::ui

// SPDX-License-Identifier: MIT
#include "support/file_text.h"

#include <fstream>
#include <sstream>

namespace tavimo::test {

std::string fileText(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

}  // namespace tavimo::test

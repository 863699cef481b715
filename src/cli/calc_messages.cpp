// SPDX-License-Identifier: MIT
#include "cli/calc_messages.h"

#include <cerrno>
#include <cstring>

#include "io/utf8.h"

namespace tavimo::cli {

void tell(std::ostream& err, const std::string& message) {
    err << "tavimo-calc: " << printableText(message) << '\n';
}

int printed(std::ostream& out, std::ostream& err) {
    out.flush();
    if (out) return kPrinted;
    const int error = errno;
    err << "tavimo-calc: cannot write the results: "
        << (error != 0 ? std::strerror(error) : "the output stream failed") << '\n';
    return kUsageOrFile;
}

}  // namespace tavimo::cli

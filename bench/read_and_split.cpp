// SPDX-License-Identifier: MIT
// The floor for reading a network file: the whole file read into memory and cut into
// lines and comma-separated fields, nothing more. `bench/network_ratio` runs it against
// tavimo-calc on the same file to show what the calculator adds to a bare read.
#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>
#include <string_view>
#include <vector>

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s FILE\n", argv[0]);
        return 2;
    }
    std::ifstream in(argv[1], std::ios::binary);
    if (!in) {
        std::fprintf(stderr, "%s: cannot open %s\n", argv[0], argv[1]);
        return 2;
    }
    const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    std::vector<std::string_view> fields;
    std::size_t lines = 0, total = 0;
    for (std::size_t start = 0; start < text.size();) {
        std::size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        const std::string_view line(text.data() + start, end - start);
        fields.clear();
        for (std::size_t at = 0;;) {
            const std::size_t comma = line.find(',', at);
            fields.push_back(line.substr(at, comma == std::string_view::npos ? std::string_view::npos : comma - at));
            if (comma == std::string_view::npos) break;
            at = comma + 1;
        }
        ++lines;
        total += fields.size();
        start = end + 1;
    }
    std::printf("%zu lines, %zu fields\n", lines, total);
    return 0;
}

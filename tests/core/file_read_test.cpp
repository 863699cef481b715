// SPDX-License-Identifier: MIT
#include "io/file_read.h"

#include <fstream>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

namespace tavimo {
namespace {

std::string tempPath(const std::string& name) {
    return ::testing::TempDir() + "tavimo_file_read_" + std::to_string(::getpid()) + "_" + name;
}

std::string writeFile(const std::string& name, const std::string& bytes) {
    const std::string path = tempPath(name);
    std::ofstream(path, std::ios::binary) << bytes;
    return path;
}

TEST(FileRead, RegularFilesUpToTheLimit) {
    const std::string path = writeFile("ten", "0123456789");
    for (std::size_t limit : {10u, 11u, 1u << 20}) {
        const auto read = readRegularFile(path, limit);
        ASSERT_TRUE(std::holds_alternative<std::string>(read)) << std::get<FileReadFailure>(read).message();
        EXPECT_EQ(std::get<std::string>(read), "0123456789");
    }
    const auto empty = readRegularFile(writeFile("empty", ""), 10);
    ASSERT_TRUE(std::holds_alternative<std::string>(empty));
    EXPECT_EQ(std::get<std::string>(empty), "");
}

// Every refusal returns at once with the path and the reason; a FIFO without a
// writer and an endless device would otherwise block or exhaust memory.
TEST(FileRead, RefusalsNameTheReason) {
    const std::string fifo = tempPath("fifo");
    ::unlink(fifo.c_str());
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    const std::string folder = tempPath("folder");
    ::mkdir(folder.c_str(), 0700);
    const std::string link = tempPath("loop");
    ::unlink(link.c_str());
    ASSERT_EQ(::symlink(link.c_str(), link.c_str()), 0);

    const struct {
        std::string path;
        std::size_t limit;
        std::string reason;
    } cases[] = {
        {tempPath("missing"), 10, "No such file or directory"},
        {folder, 10, "it is a folder, not a file"},
        {fifo, 10, "it is a FIFO, not a regular file"},
        {"/dev/zero", 10, "it is a device, not a regular file"},
        {link, 10, "Too many levels of symbolic links"},
        {writeFile("eleven", "01234567890"), 10, "it is larger than 10 bytes"},
        {writeFile("big", std::string((1 << 20) + 1, 'x')), 1 << 20, "it is larger than 1 MiB"},
        {"", 10, "no file name was given"},
    };
    for (const auto& c : cases) {
        const auto read = readRegularFile(c.path, c.limit);
        ASSERT_TRUE(std::holds_alternative<FileReadFailure>(read)) << c.path;
        EXPECT_EQ(std::get<FileReadFailure>(read).message(), c.path + ": " + c.reason);
    }
    ::unlink(fifo.c_str());
    ::unlink(link.c_str());
}

}  // namespace
}  // namespace tavimo

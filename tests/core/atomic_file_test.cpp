// SPDX-License-Identifier: MIT
#include "io/atomic_file.h"

#include <csignal>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <sstream>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace tavimo {
namespace {

namespace fs = std::filesystem;

std::string bytesOf(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

class AtomicFile : public ::testing::Test {
protected:
    void SetUp() override {
        char pattern[] = "/tmp/tavimo-atomic-XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        dir = pattern;
    }
    void TearDown() override { fs::remove_all(dir); }
    // Nothing but the named entries: no temporary file left behind.
    std::vector<std::string> entries() const {
        std::vector<std::string> names;
        for (const auto& e : fs::directory_iterator(dir)) names.push_back(e.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }
    fs::path dir;
};

TEST_F(AtomicFile, ReplacesARegularFileKeepingItsPermissionsAndALinkToIt) {
    const fs::path file = dir / "plan.tvm", link = dir / "link.tvm";
    std::ofstream(file) << "old";
    ::chmod(file.c_str(), 0640);
    fs::create_symlink("plan.tvm", link);

    EXPECT_FALSE(writeFileAtomically(file.string(), "new"));
    EXPECT_EQ(bytesOf(file), "new");
    EXPECT_EQ(fs::status(file).permissions() & fs::perms::all, fs::perms(0640));

    EXPECT_FALSE(writeFileAtomically(link.string(), "through the link"));
    EXPECT_TRUE(fs::is_symlink(link));
    EXPECT_EQ(bytesOf(file), "through the link");

    const fs::path fresh = dir / "new.csv";
    EXPECT_FALSE(writeFileAtomically(fresh.string(), ""));
    EXPECT_TRUE(fs::is_regular_file(fresh));
    EXPECT_EQ(entries(), (std::vector<std::string>{"link.tvm", "new.csv", "plan.tvm"}));
}

// Nothing that is not a regular file is ever replaced, nor the file behind a link to it.
TEST_F(AtomicFile, RefusesWhatIsNotARegularFileAndLeavesItAsItWas) {
    const fs::path fifo = dir / "chart.svg", folder = dir / "folder.svg", toDevice = dir / "null.svg",
                   dangling = dir / "dangling.svg";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    fs::create_directory(folder);
    fs::create_symlink("/dev/null", toDevice);
    fs::create_symlink(dir / "nowhere.svg", dangling);
    const std::pair<fs::path, const char*> cases[] = {
        {fifo, "it is a FIFO, not a regular file"},
        {folder, "it is a folder, not a file"},
        {"/dev/null", "it is a device, not a regular file"},
        {toDevice, "it is a device, not a regular file"},
        {dangling, "it is a link to a file that does not exist"},
        {dir / "missing" / "chart.svg", "No such file or directory"},
        {"", "no file name was given"},
    };
    for (const auto& [path, reason] : cases) {
        const auto failed = writeFileAtomically(path.string(), "<svg/>");
        ASSERT_TRUE(failed) << path;
        EXPECT_EQ(failed->message(), "cannot write " + path.string() + ": " + reason);
    }
    EXPECT_TRUE(fs::is_fifo(fifo));
    EXPECT_TRUE(fs::is_character_file("/dev/null"));
    EXPECT_EQ(entries(), (std::vector<std::string>{"chart.svg", "dangling.svg", "folder.svg", "null.svg"}));
}

// A disk that fills while the new file is written: the size limit of a child process
// stands for it (the write fails with EFBIG where a full disk gives ENOSPC).
TEST_F(AtomicFile, AFullDiskKeepsTheOldFileByteForByteAndLeavesNoTemporaryFile) {
    const fs::path file = dir / "chart.svg";
    const std::string old(3000, 'o');
    std::ofstream(file) << old;
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        std::signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{4096, 4096};
        setrlimit(RLIMIT_FSIZE, &limit);
        const auto failed = writeFileAtomically(file.string(), std::string(64 * 1024, 'n'));
        _exit(failed && failed->message() == "cannot write " + file.string() + ": File too large" ? 0 : 1);
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    EXPECT_EQ(bytesOf(file), old);
    EXPECT_EQ(entries(), std::vector<std::string>{"chart.svg"});
}

}  // namespace
}  // namespace tavimo

// SPDX-License-Identifier: MIT
// Every input kept in tests/data/fuzz/<target>/ is run through the check its fuzz
// target makes: keeping a new finding means dropping its file there.
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <sstream>

#include <gtest/gtest.h>

#include "fuzz_checks.h"

namespace tavimo {
namespace {

TEST(FuzzFindings, EveryKeptInputPassesItsTargetsCheck) {
    namespace fs = std::filesystem;
    const std::map<std::string, std::function<fuzz::Broken(std::string_view)>> checks = {
        {"fuzz_calculation", fuzz::checkCalculation},   {"fuzz_project_file", fuzz::checkProjectFile},
        {"fuzz_plan_project", fuzz::checkPlanProject},
        {"fuzz_utdf_timing", fuzz::checkUtdfTiming},    {"fuzz_utdf_phasing", fuzz::checkUtdfPhasing},
        {"fuzz_utdf_lanes", fuzz::checkUtdfLanes},      {"fuzz_network_utdf", fuzz::checkNetworkUtdf},
        {"fuzz_utdf_files", fuzz::checkUtdfFiles},
        {"fuzz_calc_arguments", fuzz::checkCalcArguments}, {"fuzz_result_writers", fuzz::checkResultWriters},
    };
    int replayed = 0;
    for (const auto& folder : fs::directory_iterator(fs::path(TAVIMO_TEST_DATA) / "fuzz")) {
        const auto check = checks.find(folder.path().filename().string());
        ASSERT_NE(check, checks.end()) << folder.path() << " is named after no fuzz target";
        for (const auto& file : fs::directory_iterator(folder.path())) {
            std::ifstream in(file.path(), std::ios::binary);
            std::ostringstream bytes;
            bytes << in.rdbuf();
            const fuzz::Broken broken = check->second(bytes.str());
            EXPECT_FALSE(broken) << file.path() << ": " << *broken;
            ++replayed;
        }
    }
    EXPECT_GT(replayed, 0);
}

}  // namespace
}  // namespace tavimo

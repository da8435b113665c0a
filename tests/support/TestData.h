// Paths to the files the tests read and scratch files they write.
#pragma once

#include <atomic>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "platform/Win32.h"

namespace zvx::test {

// A file under tests/data.
inline std::string DataPath(const std::string& relative) { return std::string(ZVX_TEST_DATA_DIR) + "/" + relative; }

// A fresh path in the temporary folder, unique within the run.
inline std::string ScratchPath(const std::string& stem)
{
    static std::atomic<int> counter{0};
    const std::string name =
        "zvx_scratch_" + std::to_string(GetCurrentProcessId()) + "_" + std::to_string(counter++) + "_" + stem;
    return (std::filesystem::temp_directory_path() / name).string();
}

// The whole file, or an empty string when it cannot be read.
inline std::string ReadWholeFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    if (in) bytes << in.rdbuf();
    return bytes.str();
}

}  // namespace zvx::test

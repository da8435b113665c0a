#include "support/TestData.h"

#include <atomic>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "platform/Win32.h"

namespace zvx::test {

std::string DataPath(const std::string& relative) { return std::string(ZVX_TEST_DATA_DIR) + "/" + relative; }

std::string ScratchPath(const std::string& stem)
{
    static std::atomic<int> counter{0};
    // The system's temporary folder, so a test run from anywhere leaves nothing in the tree.
    std::ostringstream name;
    name << "zvx_scratch_" << GetCurrentProcessId() << "_" << counter++ << "_" << stem;
    return (std::filesystem::temp_directory_path() / name.str()).string();
}

std::string ReadWholeFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in) return {};
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

bool FileExists(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return static_cast<bool>(in);
}

}  // namespace zvx::test

// Paths to the files the tests read and scratch files they write.
#pragma once

#include <string>

namespace zvx::test {

// A file under tests/data.
std::string DataPath(const std::string& relative);

// A fresh path for a scratch file in the temporary folder, unique within the process run.
std::string ScratchPath(const std::string& stem);

// The whole file, or an empty string when it cannot be read.
std::string ReadWholeFile(const std::string& path);

bool FileExists(const std::string& path);

}  // namespace zvx::test

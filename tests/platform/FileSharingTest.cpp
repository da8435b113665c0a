// A file opened without sharing is refused to every other CreateFileA, and a refused
// CREATE_ALWAYS leaves its contents alone: a save that runs into a file being written must fail
// without destroying what the writer is writing.
#include <string>

#include <gtest/gtest.h>

#include "support/TestData.h"

namespace {

struct Refused {
    const char* what;
    DWORD access;
    DWORD disposition;
};

TEST(FileSharing, AFileHeldWithoutSharingIsRefusedAndKeptWhole)
{
    const std::string path = zvx::test::ScratchPath("held.bin");
    HANDLE held = ::CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, held);
    DWORD written = 0;
    ASSERT_TRUE(::WriteFile(held, "kept", 4, &written, nullptr));

    for (const Refused& r : {Refused{"CREATE_ALWAYS", GENERIC_WRITE, CREATE_ALWAYS},
                             Refused{"OPEN_EXISTING for writing", GENERIC_WRITE, OPEN_EXISTING},
                             Refused{"OPEN_EXISTING for reading", GENERIC_READ, OPEN_EXISTING}}) {
        HANDLE other = ::CreateFileA(path.c_str(), r.access, 0, nullptr, r.disposition, FILE_ATTRIBUTE_NORMAL, nullptr);
        EXPECT_EQ(INVALID_HANDLE_VALUE, other) << r.what;
        if (other != INVALID_HANDLE_VALUE) ::CloseHandle(other);
    }
    ASSERT_TRUE(::WriteFile(held, "!", 1, &written, nullptr));
    ASSERT_TRUE(::CloseHandle(held));
    EXPECT_EQ("kept!", zvx::test::ReadWholeFile(path));

    // Once let go, CREATE_ALWAYS empties it.
    HANDLE again = ::CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, again);
    EXPECT_EQ(0u, ::GetFileSize(again, nullptr));
    ::CloseHandle(again);
    ::DeleteFileA(path.c_str());
}

}  // namespace

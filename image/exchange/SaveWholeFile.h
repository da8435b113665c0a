// Writing a file whole without losing the file it replaces.
#pragma once

#include "platform/Win32.h"

namespace zvx {

// Makes size bytes at data the whole contents of fileName: written to a new temporary beside the
// file first, flushed to disk, then put in its place (natively the folder is synced after the
// rename), so a crash at any moment leaves the old file or the new one, never an empty one. An
// existing file keeps what ReplaceFileA keeps (attributes and security; natively its permission
// bits and owner), and a name that is a link keeps being that link, to the file that now holds
// the data. On failure the existing file is untouched and no temporary is left behind.
//
// The file itself is written instead (emptied, written, flushed), so that it stays the same file,
// where it has several names (hard links, which keep sharing it; only once the temporary has taken
// the whole picture), and where the user may write it but no temporary may be made beside it or
// take its place (a folder the user may not write to, another user's file in a sticky folder).
// A failure while it is written may leave it partly written.
bool SaveWholeFile(const char* fileName, const void* data, DWORD size);

}  // namespace zvx

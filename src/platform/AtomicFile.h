#pragma once
// Replacing a file's whole contents so that a crash or a full disk never leaves it torn: the
// new bytes go to a temporary file in the same folder, reach the disk, and are renamed over the
// old file. The old file's permission bits (and, where allowed, its owner) are kept.

#include <functional>
#include <string>
#include <string_view>

// False when the file cannot be replaced; the file is then as it was. A path that names a
// symbolic link replaces the file the link points to. A file or folder without any write
// permission bit counts as read-only even for a user whom the system would let write.
bool ReplaceFileContents(const std::string& path, std::string_view bytes);

// The same with the bytes formed piece by piece: `produce` hands each piece to the writer it
// is given, in order, and returns whether all went well. A false from either side (or an
// exception from `produce`) leaves the file as it was.
using ByteWriter = std::function<bool(std::string_view)>;
bool ReplaceFileContents(const std::string& path,
                         const std::function<bool(const ByteWriter&)>& produce);

// Whether files can be created in `folder`: the system allows it and the folder has a write
// permission bit (a folder without any counts as read-only, as above).
bool IsWritableFolder(const std::string& folder);

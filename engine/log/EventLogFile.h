#pragma once

#include <cstdint>
#include <span>

namespace navora {

// Whole-buffer reads and durable writes on a file descriptor. A write counts
// as done only once the bytes have reached the disk (fsync), so that a crash
// right after an operation reports success never loses the entry.

// Opens the file for reading and writing, creating it empty when missing
// (and making the new directory entry durable). -1 on failure.
int OpenFileForUpdate(const char* path);

// Opens an existing file for reading; -1 when it is missing or unreadable.
int OpenFileForReading(const char* path);

// Opens an existing file for reading and writing; -1 when it is missing or
// cannot be opened so.
int OpenExistingFileForUpdate(const char* path);

// Creates a new file for writing; -1 when it cannot, with `exists` set when
// the name is already taken.
int CreateNewFile(const char* path, bool& exists);

// Makes the directory entry of a new file durable.
[[nodiscard]] bool SyncParentDirectory(const char* path);

void RemoveFile(const char* path);

void CloseFile(int descriptor);

[[nodiscard]] bool GetFileSize(int descriptor, int64_t& size);

// False on an error or when the file ends before all bytes were read.
[[nodiscard]] bool ReadExactlyAt(int descriptor, int64_t offset, std::span<uint8_t> bytes);

// Writes every byte (retrying partial writes) and syncs; false on any failure.
[[nodiscard]] bool WriteDurablyAt(int descriptor, int64_t offset,
                                  std::span<const uint8_t> bytes);

// Cuts the file back to size and syncs; false on any failure.
[[nodiscard]] bool TruncateDurably(int descriptor, int64_t size);

}  // namespace navora

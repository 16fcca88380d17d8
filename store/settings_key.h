#pragma once
// The settings key as the store sees it: open or create, read a value into a
// buffer of a given size, write a typed value, close. The program's key is the
// per-user registry key; tests put a fake or a scratch key behind it.
#include <cstdint>

namespace kvoro {

// The registry's value types, with the platform's numbers.
enum class ValueType : std::uint32_t { Binary = 3, Dword = 4 };

enum class KeyAccess { Read, ReadWrite };

// Opened: the key was there. Created: it did not exist and is now there, empty.
enum class OpenResult { Failed, Opened, Created };

// Missing: no such value. TooLarge: the value holds more than the buffer.
enum class ReadStatus { Ok, Missing, TooLarge, Failed };

struct ReadResult {
    ReadStatus status;
    std::uint32_t size;  // the bytes the value holds, when Ok
};

class SettingsKey {
public:
    virtual ~SettingsKey() = default;
    // Creates the key, empty, when it does not exist. Opened ReadWrite, the key
    // is also locked against the ReadWrite openings of other threads and
    // processes until Close: a save reads, merges and writes alone.
    virtual OpenResult Open(KeyAccess access) = 0;
    // Copies the value into buffer when it fits in capacity bytes.
    virtual ReadResult Read(const char* name, void* buffer, std::uint32_t capacity) = 0;
    virtual bool Write(const char* name, ValueType type, const void* data, std::uint32_t size) = 0;
    virtual void Close() = 0;
};

}  // namespace kvoro

#pragma once
// Little-endian byte buffer with RIFF chunk nesting, as AVI and WAVE files use.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace kvoro {

class RiffWriter {
public:
    void u8(std::uint8_t value) { bytes_.push_back(value); }
    void u16(std::uint16_t value);
    void u32(std::uint32_t value);
    void fourcc(const char (&code)[5]);
    void raw(const std::uint8_t* data, std::size_t size);

    // Writes the chunk id and a size placeholder; returns the chunk's handle
    // for endChunk. A list writes its type after the size.
    std::size_t beginChunk(const char (&id)[5]);
    std::size_t beginList(const char (&listId)[5], const char (&type)[5]);
    // Fills in the size and pads the chunk to an even length.
    void endChunk(std::size_t handle);

    std::size_t size() const { return bytes_.size(); }
    void patchU32(std::size_t offset, std::uint32_t value);
    const std::vector<std::uint8_t>& bytes() const { return bytes_; }

private:
    std::vector<std::uint8_t> bytes_;
};

// Writes the whole buffer; false when the file cannot be written completely.
bool writeFile(const std::string& path, const std::vector<std::uint8_t>& bytes);

}  // namespace kvoro

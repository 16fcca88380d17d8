#include "riff.h"

#include <fstream>

namespace kvoro {

void RiffWriter::u16(std::uint16_t value) {
    u8(static_cast<std::uint8_t>(value));
    u8(static_cast<std::uint8_t>(value >> 8));
}

void RiffWriter::u32(std::uint32_t value) {
    u16(static_cast<std::uint16_t>(value));
    u16(static_cast<std::uint16_t>(value >> 16));
}

void RiffWriter::fourcc(const char (&code)[5]) {
    raw(reinterpret_cast<const std::uint8_t*>(code), 4);
}

void RiffWriter::raw(const std::uint8_t* data, std::size_t size) {
    bytes_.insert(bytes_.end(), data, data + size);
}

std::size_t RiffWriter::beginChunk(const char (&id)[5]) {
    fourcc(id);
    const std::size_t handle = bytes_.size();
    u32(0);
    return handle;
}

std::size_t RiffWriter::beginList(const char (&listId)[5], const char (&type)[5]) {
    const std::size_t handle = beginChunk(listId);
    fourcc(type);
    return handle;
}

void RiffWriter::endChunk(std::size_t handle) {
    patchU32(handle, static_cast<std::uint32_t>(bytes_.size() - handle - 4));
    if (bytes_.size() % 2 != 0) u8(0);
}

void RiffWriter::patchU32(std::size_t offset, std::uint32_t value) {
    for (int i = 0; i < 4; ++i) bytes_[offset + i] = static_cast<std::uint8_t>(value >> (8 * i));
}

bool writeFile(const std::string& path, const std::vector<std::uint8_t>& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    out.close();
    return static_cast<bool>(out);
}

}  // namespace kvoro

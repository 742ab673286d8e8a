#include "export/png_location.h"

#include "engine/location_file.h"

#include <zlib.h>

#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <memory>

namespace {

constexpr unsigned char pngSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
// The chunk that ends every PNG file: no data, and the CRC of "IEND".
constexpr unsigned char iendChunk[12] = {0, 0, 0, 0, 'I', 'E', 'N', 'D', 0xAE, 0x42, 0x60, 0x82};
// A chunk's data holds at most 2^31 - 1 bytes.
constexpr std::uint32_t longestChunk = 0x7FFFFFFF;

void putBigEndian(std::string& bytes, std::uint32_t value)
{
    for (int shift = 24; shift >= 0; shift -= 8)
        bytes += static_cast<char>((value >> shift) & 0xFF);
}

std::uint32_t bigEndian(const unsigned char* bytes)
{
    return static_cast<std::uint32_t>(bytes[0]) << 24 | static_cast<std::uint32_t>(bytes[1]) << 16 |
           static_cast<std::uint32_t>(bytes[2]) << 8 | bytes[3];
}

std::uint32_t crcOf(std::uint32_t crc, std::string_view bytes)
{
    return static_cast<std::uint32_t>(
        crc32(crc, reinterpret_cast<const Bytef*>(bytes.data()), static_cast<uInt>(bytes.size())));
}

// An open file that closes itself.
struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};
using File = std::unique_ptr<std::FILE, FileCloser>;

bool seekTo(std::FILE* file, std::uint64_t offset)
{
#ifdef _WIN32
    return _fseeki64(file, static_cast<long long>(offset), SEEK_SET) == 0;
#else
    return fseeko(file, static_cast<off_t>(offset), SEEK_SET) == 0;
#endif
}

// The length of the file, which this leaves at its end; false on failure.
bool sizeOf(std::FILE* file, std::uint64_t& size)
{
#ifdef _WIN32
    const long long end = _fseeki64(file, 0, SEEK_END) == 0 ? _ftelli64(file) : -1;
#else
    const long long end = fseeko(file, 0, SEEK_END) == 0 ? static_cast<long long>(ftello(file)) : -1;
#endif
    size = static_cast<std::uint64_t>(end);
    return end >= 0;
}

bool readAt(std::FILE* file, std::uint64_t offset, void* data, std::size_t size)
{
    return seekTo(file, offset) && std::fread(data, 1, size, file) == size;
}

std::string readFailure()
{
    return std::string("it cannot be read: ") + std::strerror(errno) + ".";
}

bool isChunkType(const unsigned char* type)
{
    for (int i = 0; i < 4; ++i) {
        const unsigned char c = type[i];
        if (!((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z')))
            return false;
    }
    return true;
}

// The keyword, its NUL, and the start of the chunk's data that must match.
std::string locationPrefix()
{
    return std::string(pngLocationKeyword) + '\0';
}

PngLocationSearch notFound(const std::string& problem)
{
    PngLocationSearch search;
    search.problem = problem;
    return search;
}

std::string damaged(std::uint64_t offset, const std::string& what)
{
    return "the picture is damaged: the chunk at byte " + std::to_string(offset) + " " + what;
}

// The location chunk at offset, whose data of `length` bytes starts with
// the keyword: its text once its CRC is checked.
PngLocationSearch readLocationChunk(std::FILE* file, std::uint64_t offset, std::uint32_t length)
{
    const std::size_t prefix = locationPrefix().size();
    if (length - prefix > locationFileLimit) {
        return notFound("its location is longer than " + std::to_string(locationFileLimit) +
                        " bytes, which no location is.");
    }
    std::string data(length, '\0');
    unsigned char crc[4];
    if (!readAt(file, offset + 8, &data[0], length) || std::fread(crc, 1, 4, file) != 4)
        return notFound(readFailure());
    if (crcOf(crcOf(crc32(0, Z_NULL, 0), "tEXt"), data) != bigEndian(crc))
        return notFound(damaged(offset, "that holds the location fails its CRC check."));
    PngLocationSearch search;
    search.found = true;
    search.text = data.substr(prefix);
    return search;
}

} // namespace

std::string pngTextChunk(std::string_view keyword, std::string_view text)
{
    std::string data = std::string(keyword) + '\0';
    data += text;
    std::string chunk;
    putBigEndian(chunk, static_cast<std::uint32_t>(data.size()));
    chunk += "tEXt";
    chunk += data;
    putBigEndian(chunk, crcOf(crcOf(crc32(0, Z_NULL, 0), "tEXt"), data));
    return chunk;
}

std::string insertPngLocation(const char* path, std::string_view locationText)
{
    File file(std::fopen(path, "r+b"));
    std::uint64_t size = 0;
    if (!file || !sizeOf(file.get(), size))
        return std::string("it cannot be opened: ") + std::strerror(errno) + ".";
    unsigned char end[sizeof iendChunk];
    if (size < sizeof pngSignature + sizeof iendChunk)
        return "it is too short for a PNG picture.";
    if (!readAt(file.get(), size - sizeof end, end, sizeof end))
        return readFailure();
    if (std::memcmp(end, iendChunk, sizeof end) != 0)
        return "it does not end with an IEND chunk.";

    const std::string tail = pngTextChunk(pngLocationKeyword, locationText) +
                             std::string(reinterpret_cast<const char*>(iendChunk), sizeof iendChunk);
    if (!seekTo(file.get(), size - sizeof end) || std::fwrite(tail.data(), 1, tail.size(), file.get()) != tail.size() ||
        std::fflush(file.get()) != 0)
        return std::string("it cannot be written: ") + std::strerror(errno) + ".";
    if (std::fclose(file.release()) != 0)
        return std::string("it cannot be written: ") + std::strerror(errno) + ".";
    return {};
}

PngLocationSearch findPngLocation(const char* path)
{
    File file(std::fopen(path, "rb"));
    std::uint64_t size = 0;
    if (!file || !sizeOf(file.get(), size))
        return notFound(std::string("it cannot be opened: ") + std::strerror(errno) + ".");
    // Each read is a few bytes after a seek: a buffer would only read data
    // that is skipped.
    std::setvbuf(file.get(), nullptr, _IONBF, 0);

    unsigned char signature[sizeof pngSignature];
    if (size < sizeof signature || !readAt(file.get(), 0, signature, sizeof signature) ||
        std::memcmp(signature, pngSignature, sizeof signature) != 0)
        return notFound("it is not a PNG picture.");

    const std::string prefix = locationPrefix();
    for (std::uint64_t offset = sizeof pngSignature;;) {
        unsigned char header[8];
        if (offset + sizeof header > size)
            return notFound("the picture is cut short: it ends without its IEND chunk.");
        if (!readAt(file.get(), offset, header, sizeof header))
            return notFound(readFailure());
        const std::uint32_t length = bigEndian(header);
        if (length > longestChunk)
            return notFound(damaged(offset, "has a length of " + std::to_string(length) + " bytes."));
        if (!isChunkType(header + 4))
            return notFound(damaged(offset, "has no valid type."));
        if (offset + 12 + length > size)
            return notFound(damaged(offset, "runs past the end of the file."));
        const std::string_view type(reinterpret_cast<const char*>(header + 4), 4);
        if (type == "IEND")
            return notFound("the picture holds no location.");
        if (type == "tEXt" && length >= prefix.size()) {
            std::string keyword(prefix.size(), '\0');
            if (!readAt(file.get(), offset + 8, &keyword[0], keyword.size()))
                return notFound(readFailure());
            if (keyword == prefix)
                return readLocationChunk(file.get(), offset, length);
        }
        offset += 12 + std::uint64_t{length};
    }
}

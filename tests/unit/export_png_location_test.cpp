#include "export/png_location.h"

#include "engine/location_file.h"
#include "tests/support/test_files.h"

#include <gtest/gtest.h>
#include <zlib.h>

#include <cstdint>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>

namespace {

const std::string iend("\0\0\0\0IEND\xAE\x42\x60\x82", 12);

std::string bigEndian(std::uint32_t value)
{
    std::string bytes;
    for (int shift = 24; shift >= 0; shift -= 8)
        bytes += static_cast<char>((value >> shift) & 0xFF);
    return bytes;
}

std::string chunk(const std::string& type, const std::string& data)
{
    const std::string typed = type + data;
    const auto crc = crc32(0, reinterpret_cast<const Bytef*>(typed.data()), static_cast<uInt>(typed.size()));
    return bigEndian(static_cast<std::uint32_t>(data.size())) + typed + bigEndian(static_cast<std::uint32_t>(crc));
}

// The signature and the header of a 2 x 2 picture of 24-bit pixels.
std::string pngStart()
{
    return std::string("\x89PNG\r\n\x1A\n", 8) + chunk("IHDR", bigEndian(2) + bigEndian(2) + std::string("\x08\x02\0\0\0", 5));
}

// A whole 2 x 2 PNG picture without a location.
std::string smallPng()
{
    const std::string rows = std::string(1 + 6, '\x40') + std::string(1 + 6, '\x80');
    std::string packed(compressBound(static_cast<uLong>(rows.size())), '\0');
    uLongf packedSize = static_cast<uLongf>(packed.size());
    compress(reinterpret_cast<Bytef*>(&packed[0]), &packedSize, reinterpret_cast<const Bytef*>(rows.data()),
             static_cast<uLong>(rows.size()));
    packed.resize(packedSize);
    return pngStart() + chunk("IDAT", packed) + iend;
}

TestFiles& files()
{
    static TestFiles files;
    return files;
}

std::string pathFor(const std::string& name)
{
    return files().path(name);
}

std::string fileWith(const std::string& name, const std::string& bytes)
{
    return files().write(name, bytes);
}

std::string bytesOf(const std::string& path)
{
    std::ifstream file(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

std::string problemOf(const std::string& bytes)
{
    const PngLocationSearch search = findPngLocation(fileWith("case.png", bytes).c_str());
    EXPECT_FALSE(search.found);
    return search.problem;
}

const std::string locationText = "Zelvar location\r\ncenter-real = -0.75\r\nhalf-height = 0.001\r\n";

} // namespace

TEST(PngLocation, ChunksCarryTheCrcOfTypeAndData)
{
    const std::string comment = pngTextChunk("Comment", "abc");
    EXPECT_EQ(comment, bigEndian(11) + "tEXt" + std::string("Comment\0abc", 11) + "\x4E\xEF\x5B\x1E");
    EXPECT_EQ(chunk("IEND", ""), iend);
    const std::string location = pngTextChunk(pngLocationKeyword, locationText);
    EXPECT_EQ(location.substr(0, 8), bigEndian(16 + static_cast<std::uint32_t>(locationText.size())) + "tEXt");
    EXPECT_EQ(location, chunk("tEXt", std::string("Zelvar location\0", 16) + locationText));
}

TEST(PngLocation, IsInsertedBeforeTheEndAndFoundAgain)
{
    const std::string path = fileWith("inserted.png", smallPng());
    ASSERT_EQ(insertPngLocation(path.c_str(), locationText), "");
    const std::string withoutEnd = smallPng().substr(0, smallPng().size() - 12);
    EXPECT_EQ(bytesOf(path), withoutEnd + pngTextChunk(pngLocationKeyword, locationText) + iend);

    const PngLocationSearch search = findPngLocation(path.c_str());
    EXPECT_TRUE(search.found) << search.problem;
    EXPECT_EQ(search.text, locationText);
    EXPECT_EQ(search.problem, "");
}

TEST(PngLocation, OtherTextChunksAreWalkedOver)
{
    const std::string withOthers = pngStart() + pngTextChunk("Comment", "made by hand") +
                                   pngTextChunk("Zelvar locations", "not this") +
                                   pngTextChunk("Zelvar", "nor this") + chunk("tEXt", "Zel") +
                                   pngTextChunk(pngLocationKeyword, locationText) +
                                   pngTextChunk(pngLocationKeyword, "a second one is ignored") + iend;
    const PngLocationSearch search = findPngLocation(fileWith("others.png", withOthers).c_str());
    EXPECT_TRUE(search.found) << search.problem;
    EXPECT_EQ(search.text, locationText);
}

TEST(PngLocation, FilesWithoutALocationAreToldApart)
{
    EXPECT_EQ(problemOf(smallPng()), "the picture holds no location.");
    EXPECT_EQ(problemOf(""), "it is not a PNG picture.");
    EXPECT_EQ(problemOf("\x89PNG"), "it is not a PNG picture.");
    EXPECT_EQ(problemOf(locationText), "it is not a PNG picture.");
    EXPECT_EQ(problemOf(std::string("GIF89a\0\0\0\0", 10)), "it is not a PNG picture.");
    const PngLocationSearch missing = findPngLocation(pathFor("no-such-picture.png").c_str());
    EXPECT_FALSE(missing.found);
    EXPECT_EQ(missing.problem.rfind("it cannot be opened: ", 0), 0u) << missing.problem;
}

TEST(PngLocation, DamagedAndTruncatedFilesAreReported)
{
    const std::string whole = pngStart() + pngTextChunk(pngLocationKeyword, locationText) + iend;
    const std::size_t at = pngStart().size();

    std::string badCrc = whole;
    badCrc[at + 30] ^= 1;
    EXPECT_EQ(problemOf(badCrc), "the picture is damaged: the chunk at byte " + std::to_string(at) +
                                     " that holds the location fails its CRC check.");

    std::string badLength = smallPng();
    badLength.replace(at, 4, "\xFF\xFF\xFF\xFF");
    EXPECT_EQ(problemOf(badLength), "the picture is damaged: the chunk at byte " + std::to_string(at) +
                                        " has a length of 4294967295 bytes.");
    badLength.replace(at, 4, bigEndian(1000));
    EXPECT_EQ(problemOf(badLength),
              "the picture is damaged: the chunk at byte " + std::to_string(at) + " runs past the end of the file.");

    std::string badType = whole;
    badType[at + 5] = '\0';
    EXPECT_EQ(problemOf(badType), "the picture is damaged: the chunk at byte " + std::to_string(at) +
                                      " has no valid type.");

    // Cut within the location chunk, and cut after a whole chunk.
    EXPECT_EQ(problemOf(whole.substr(0, at + 20)),
              "the picture is damaged: the chunk at byte " + std::to_string(at) + " runs past the end of the file.");
    EXPECT_EQ(problemOf(smallPng().substr(0, smallPng().size() - 12)),
              "the picture is cut short: it ends without its IEND chunk.");
    EXPECT_EQ(problemOf(pngStart().substr(0, at - 3)),
              "the picture is damaged: the chunk at byte 8 runs past the end of the file.");
}

TEST(PngLocation, ALocationLongerThanAnyIsRefused)
{
    const std::string tooLong = std::string(locationFileLimit + 1, 'x');
    EXPECT_EQ(problemOf(pngStart() + pngTextChunk(pngLocationKeyword, tooLong) + iend),
              "its location is longer than 1048576 bytes, which no location is.");
    const std::string longest = std::string(locationFileLimit, 'x');
    const PngLocationSearch search =
        findPngLocation(fileWith("longest.png", pngStart() + pngTextChunk(pngLocationKeyword, longest) + iend).c_str());
    EXPECT_TRUE(search.found);
    EXPECT_EQ(search.text.size(), locationFileLimit);
}

TEST(PngLocation, OnlyAFileThatEndsWithIendTakesALocation)
{
    std::string path = fileWith("no-end.png", smallPng() + "x");
    EXPECT_EQ(insertPngLocation(path.c_str(), locationText), "it does not end with an IEND chunk.");
    EXPECT_EQ(bytesOf(path), smallPng() + "x");
    path = fileWith("tiny.png", iend);
    EXPECT_EQ(insertPngLocation(path.c_str(), locationText), "it is too short for a PNG picture.");
    const std::string problem = insertPngLocation(pathFor("no-such-picture.png").c_str(), locationText);
    EXPECT_EQ(problem.rfind("it cannot be opened: ", 0), 0u) << problem;
}

TEST(PngLocation, IsFoundBehindGigabytesOfPictureData)
{
    // Two chunks of the largest length, written sparsely: over 4 GB to seek
    // over, which no search could hold in memory.
    const std::string path = pathFor("huge.png");
    std::FILE* file = std::fopen(path.c_str(), "wb");
    ASSERT_NE(file, nullptr);
    const std::string start = pngStart();
    std::fwrite(start.data(), 1, start.size(), file);
    std::uint64_t offset = start.size();
    for (int i = 0; i < 2; ++i) {
        const std::string header = bigEndian(0x7FFFFFFF) + "IDAT";
        ASSERT_EQ(std::fwrite(header.data(), 1, header.size(), file), header.size());
        offset += 8 + 0x7FFFFFFFull;
#ifdef _WIN32
        ASSERT_EQ(_fseeki64(file, static_cast<long long>(offset), SEEK_SET), 0);
#else
        ASSERT_EQ(fseeko(file, static_cast<off_t>(offset), SEEK_SET), 0);
#endif
        ASSERT_EQ(std::fwrite("CRC!", 1, 4, file), 4u);
        offset += 4;
    }
    std::fwrite(iend.data(), 1, iend.size(), file);
    ASSERT_EQ(std::fclose(file), 0);

    ASSERT_EQ(insertPngLocation(path.c_str(), locationText), "");
    const PngLocationSearch search = findPngLocation(path.c_str());
    std::remove(path.c_str());
    EXPECT_TRUE(search.found) << search.problem;
    EXPECT_EQ(search.text, locationText);
}

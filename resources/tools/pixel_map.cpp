#include "resources/tools/pixel_map.h"

#include <cstdio>
#include <map>
#include <sstream>

namespace {

bool isBlank(char c) { return c == ' ' || c == '\t'; }

bool hasBlank(const std::string& line)
{
    for (char c : line)
        if (isBlank(c))
            return true;
    return false;
}

bool readComponent(std::istringstream& words, std::uint8_t& component)
{
    std::string word;
    if (!(words >> word) || word.empty() || word.size() > 3)
        return false;
    int value = 0;
    for (char c : word) {
        if (c < '0' || c > '9')
            return false;
        value = value * 10 + (c - '0');
    }
    if (value > 255)
        return false;
    component = std::uint8_t(value);
    return true;
}

class Reader {
public:
    explicit Reader(PixelMap& map) : map_(map) {}

    bool readLine(const std::string& line, std::string& fault)
    {
        if (line.empty() || line[0] == '#')
            return true;
        std::istringstream words(line);
        std::string keyword;
        words >> keyword;
        if (keyword == "colour")
            return readColour(words, fault);
        if (keyword == "picture")
            return readPictureStart(words, fault);
        if (hasBlank(line)) {
            fault = "expected \"colour\", \"picture\" or a row without blanks";
            return false;
        }
        return readRow(line, fault);
    }

    bool finish(std::string& fault)
    {
        if (!map_.pictures.empty() && map_.pictures.back().picture.height == 0) {
            fault = "picture \"" + map_.pictures.back().name + "\" has no rows";
            return false;
        }
        return true;
    }

private:
    bool readColour(std::istringstream& words, std::string& fault)
    {
        std::string symbol;
        words >> symbol;
        if (symbol.size() != 1 || symbol[0] == '#') {
            fault = "a colour is named by one character other than '#'";
            return false;
        }
        Rgb colour = {};
        if (!readComponent(words, colour.red) || !readComponent(words, colour.green) ||
            !readComponent(words, colour.blue)) {
            fault = "a colour needs red, green and blue values from 0 to 255";
            return false;
        }
        if (!colours_.emplace(symbol[0], colour).second) {
            fault = std::string("character '") + symbol[0] + "' is given a colour twice";
            return false;
        }
        return true;
    }

    bool readPictureStart(std::istringstream& words, std::string& fault)
    {
        if (!finish(fault))
            return false;
        NamedPicture next;
        if (!(words >> next.name)) {
            fault = "a picture needs a name";
            return false;
        }
        std::string rest;
        if (words >> rest) {
            fault = "a picture's name is one word";
            return false;
        }
        map_.pictures.push_back(next);
        return true;
    }

    bool readRow(const std::string& row, std::string& fault)
    {
        if (map_.pictures.empty()) {
            fault = "a row before the first \"picture\" line";
            return false;
        }
        Picture& picture = map_.pictures.back().picture;
        if (picture.height > 0 && int(row.size()) != picture.width) {
            fault = "the row is " + std::to_string(row.size()) + " characters wide, the rows above it " +
                    std::to_string(picture.width);
            return false;
        }
        for (std::size_t x = 0; x < row.size(); ++x) {
            const auto found = colours_.find(row[x]);
            if (found == colours_.end()) {
                fault = std::string("character '") + row[x] + "' in column " + std::to_string(x + 1) +
                        " has no colour";
                return false;
            }
            picture.pixels.push_back(found->second);
        }
        picture.width = int(row.size());
        ++picture.height;
        return true;
    }

    PixelMap& map_;
    std::map<char, Rgb> colours_;
};

} // namespace

bool parsePixelMap(const std::string& text, PixelMap& map, std::string& error)
{
    map = PixelMap{};
    Reader reader(map);
    std::istringstream lines(text);
    std::string line;
    int number = 0;
    std::string fault;
    while (std::getline(lines, line)) {
        ++number;
        // A file checked out with Windows line ends reads the same.
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (!reader.readLine(line, fault)) {
            error = "line " + std::to_string(number) + ": " + fault;
            return false;
        }
    }
    if (!reader.finish(fault)) {
        error = "at the end: " + fault;
        return false;
    }
    return true;
}

bool readPixelMapFile(const std::string& path, PixelMap& map, std::string& error)
{
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (!file) {
        error = "cannot open " + path;
        return false;
    }
    std::string text;
    char buffer[4096];
    std::size_t count;
    while ((count = std::fread(buffer, 1, sizeof buffer, file)) > 0)
        text.append(buffer, count);
    const bool failed = std::ferror(file) != 0;
    std::fclose(file);
    if (failed) {
        error = "cannot read " + path;
        return false;
    }
    if (!parsePixelMap(text, map, error)) {
        error = path + ": " + error;
        return false;
    }
    return true;
}

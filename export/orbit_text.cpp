#include "export/orbit_text.h"

#include "export/number_format.h"

#include <cmath>
#include <cstring>
#include <limits>
#include <string>

namespace {

const char lineEnd[] = "\r\n";

const char xArrayHeader[] = "#declare orbitsXPoints = array[orbitsNumberPoints][orbitsNumberIterations]{\r\n";
const char yArrayHeader[] = "#declare orbitsYPoints = array[orbitsNumberPoints][orbitsNumberIterations] {\r\n";

double finiteOrSubstitute(double value)
{
    return std::isfinite(value) ? value : nonFiniteSubstitute;
}

// The lines before the X array: the comment, the counts, the first and the
// last point, each group followed by an empty line.
std::string headerText(int iterations, int points, double firstReal, double firstImag, double lastReal,
                       double lastImag)
{
    std::string text = "/*\r\n *\r\n * File created by Zelvar v. 2.0 \r\n *\r\n */\r\n\r\n";
    text += "#declare\torbitsNumberIterations\t= " + std::to_string(iterations) + ";\r\n";
    text += "#declare\torbitsNumberPoints\t= " + std::to_string(points) + ";\r\n";
    text += lineEnd;
    text += "#declare\torbitsStartX\t= " + decimalText(finiteOrSubstitute(firstReal)) + ";\r\n";
    text += "#declare\torbitsStartY\t= " + decimalText(finiteOrSubstitute(firstImag)) + ";\r\n";
    text += lineEnd;
    text += "#declare\torbitsEndX\t= " + decimalText(finiteOrSubstitute(lastReal)) + ";\r\n";
    text += "#declare\torbitsEndY\t= " + decimalText(finiteOrSubstitute(lastImag)) + ";\r\n";
    text += lineEnd;
    return text;
}

constexpr std::uint64_t sizeLimit = std::numeric_limits<std::uint64_t>::max();

std::uint64_t saturatingSum(std::uint64_t a, std::uint64_t b)
{
    return a > sizeLimit - b ? sizeLimit : a + b;
}

std::uint64_t saturatingProduct(std::uint64_t a, std::uint64_t b)
{
    return b != 0 && a > sizeLimit / b ? sizeLimit : a * b;
}

// Collects the text in a fixed buffer and hands it to the sink in blocks.
// After a failed write it drops everything.
class TextBuffer {
public:
    explicit TextBuffer(ByteSink& sink) : sink_(sink) {}

    bool ok() const { return ok_; }

    void put(const char* text, std::size_t size)
    {
        while (size > 0 && ok_) {
            if (used_ == sizeof data_)
                flush();
            std::size_t part = sizeof data_ - used_;
            if (part > size)
                part = size;
            std::memcpy(data_ + used_, text, part);
            used_ += part;
            text += part;
            size -= part;
        }
    }

    void put(const std::string& text) { put(text.data(), text.size()); }

    void put(char c) { put(&c, 1); }

    void putExponent(double value)
    {
        if (sizeof data_ - used_ < exponentTextLength)
            flush();
        if (!ok_)
            return;
        putExponentText(value, data_ + used_);
        used_ += exponentTextLength;
    }

    bool finish()
    {
        flush();
        return ok_;
    }

private:
    void flush()
    {
        if (ok_ && used_ > 0)
            ok_ = sink_.writeBytes(data_, used_);
        used_ = 0;
    }

    ByteSink& sink_;
    char data_[1 << 15];
    std::size_t used_ = 0;
    bool ok_ = true;
};

// One array line: the real or the imaginary parts of the orbit of c,
// z0 = c, z(k+1) = z(k)² + c, with the operations in this order.
void putOrbitLine(TextBuffer& out, double cr, double ci, int iterations, bool imaginaryParts, bool lastLine)
{
    double re = cr;
    double im = ci;
    out.put('{');
    for (int k = 0; k < iterations && out.ok(); ++k) {
        if (k > 0)
            out.put(',');
        out.putExponent(finiteOrSubstitute(imaginaryParts ? im : re));
        const double nextRe = (re * re - im * im) + cr;
        const double nextIm = (re * im) * 2 + ci;
        re = nextRe;
        im = nextIm;
    }
    out.put(lastLine ? "} }\r\n" : "},\r\n");
}

void putOrbitArray(TextBuffer& out, const char* header, int iterations, int points, const double* reals,
                   const double* imags, bool imaginaryParts)
{
    out.put(header, std::strlen(header));
    for (int p = 0; p < points && out.ok(); ++p)
        putOrbitLine(out, reals[p], imags[p], iterations, imaginaryParts, p == points - 1);
}

} // namespace

std::uint64_t orbitTextSize(int iterations, int points, double firstReal, double firstImag, double lastReal,
                            double lastImag)
{
    // Every value takes exponentTextLength bytes and a comma but the last of
    // its line, and each line has "{" and "},\r\n", the last one "} }\r\n".
    const std::uint64_t lineSize = saturatingSum(
        saturatingProduct(static_cast<std::uint64_t>(iterations), exponentTextLength + 1), 4);
    const std::uint64_t arraySize = saturatingSum(saturatingProduct(lineSize, static_cast<std::uint64_t>(points)), 1);
    std::uint64_t size = headerText(iterations, points, firstReal, firstImag, lastReal, lastImag).size();
    size = saturatingSum(size, std::strlen(xArrayHeader) + std::strlen(lineEnd) + std::strlen(yArrayHeader));
    return saturatingSum(size, saturatingProduct(arraySize, 2));
}

bool writeOrbitText(ByteSink& sink, int iterations, int points, const double* reals, const double* imags)
{
    TextBuffer out(sink);
    const int last = points - 1;
    out.put(headerText(iterations, points, reals[0], imags[0], reals[last], imags[last]));
    putOrbitArray(out, xArrayHeader, iterations, points, reals, imags, false);
    out.put(lineEnd, std::strlen(lineEnd));
    putOrbitArray(out, yArrayHeader, iterations, points, reals, imags, true);
    return out.finish();
}

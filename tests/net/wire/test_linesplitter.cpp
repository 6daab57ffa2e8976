// The per-connection line splitter: the tail of an arrival is kept, empty lines dropped,
// overlong lines dropped up to their CR LF.

#include "net/wire/linesplitter.h"

#include <gtest/gtest.h>

using namespace kalvon;
using namespace kalvon::wire;

namespace {

std::vector<Bytes> feedInPieces(LineSplitter& splitter, BytesView data, std::vector<std::size_t> cuts)
{
    std::vector<Bytes> lines;
    std::size_t from = 0;
    cuts.push_back(data.size());
    for (std::size_t cut : cuts) {
        for (Bytes& line : splitter.feed(data.substr(from, cut - from)))
            lines.push_back(std::move(line));
        from = cut;
    }
    return lines;
}

} // namespace

TEST(LineSplitter, SameLinesWhereverTheStreamIsCut)
{
    // Payload bytes above 127, a lone CR inside a line (the hello), an empty line.
    const Bytes stream = "Y;\x97waves\r\n\"; \tAnn\r1.91\r\n\r\n5;\x9b\xab\xaa\r\nG\r\n";
    const std::vector<Bytes> expected = { "Y;\x97waves", "\"; \tAnn\r1.91", "5;\x9b\xab\xaa", "G" };
    for (std::size_t cut = 0; cut <= stream.size(); ++cut) {
        for (std::size_t second = cut; second <= stream.size(); ++second) {
            LineSplitter splitter;
            EXPECT_EQ(feedInPieces(splitter, stream, { cut, second }), expected) << cut << "," << second;
            EXPECT_EQ(splitter.pendingSize(), 0u);
        }
    }
}

TEST(LineSplitter, KeepsTheTailUntilTheNextArrival)
{
    LineSplitter splitter;
    EXPECT_EQ(splitter.feed("Y;act\r\n*;Nice"), std::vector<Bytes>{ "Y;act" });
    EXPECT_EQ(splitter.feed(" game\r\n"), std::vector<Bytes>{ "*;Nice game" });
    EXPECT_TRUE(splitter.feed("no line end").empty());
    splitter.reset();
    EXPECT_EQ(splitter.feed("N\r\n"), std::vector<Bytes>{ "N" });
}

TEST(LineSplitter, DropsOverlongLinesUpToTheirEnd)
{
    const Bytes longest(LineSplitter::kMaxLineLength, 'x');
    const Bytes overlong(70 * 1024, 'y');
    struct Case {
        const char* name;
        std::size_t chunk;
    };
    for (const Case c :
        { Case{ "one arrival", 1 << 20 }, Case{ "1 KiB arrivals", 1024 }, Case{ "odd arrivals", 4099 } }) {
        SCOPED_TRACE(c.name);
        const Bytes stream = "A\r\n" + longest + "\r\n" + overlong + "\r\nB\r\n" + overlong + "\r";
        LineSplitter splitter;
        std::vector<Bytes> lines;
        for (std::size_t from = 0; from < stream.size(); from += c.chunk) {
            for (Bytes& line : splitter.feed(BytesView(stream).substr(from, c.chunk)))
                lines.push_back(std::move(line));
            EXPECT_LE(splitter.pendingSize(), LineSplitter::kMaxLineLength + 1);
        }
        // The LF of the last overlong line arrives alone, then a good line.
        for (Bytes& line : splitter.feed("\nC\r\n"))
            lines.push_back(std::move(line));
        ASSERT_EQ(lines.size(), 4u);
        EXPECT_EQ(lines[0], "A");
        EXPECT_EQ(lines[1], longest);
        EXPECT_EQ(lines[2], "B");
        EXPECT_EQ(lines[3], "C");
    }
}

// The form that fills a caller's vector gives the same lines, reuses what the vector holds,
// and leaves the elements after the lines it wrote alone.
TEST(LineSplitter, FillsTheCallersLinesReusingThem)
{
    const Bytes longest(LineSplitter::kMaxLineLength, 'x');
    struct Arrival {
        Bytes data;
        std::vector<Bytes> lines;
    };
    const std::vector<Arrival> arrivals = {
        { "A;first\r\nB;second\r\nC;th", { "A;first", "B;second" } },
        { "ird\r\n\r\n", { "C;third" } },
        { "no end yet", {} },
        { "\r\nD\r\nE\r\nF\r\nG\r", { "no end yet", "D", "E", "F" } },
        { "\n" + longest + "\r\n", { "G", longest } },
        { Bytes(LineSplitter::kMaxLineLength + 10, 'y') + "\r\nH\r\n", { "H" } },
    };
    LineSplitter reference;
    LineSplitter filling;
    std::vector<Bytes> kept;
    for (std::size_t i = 0; i < arrivals.size(); ++i) {
        SCOPED_TRACE(i);
        const std::vector<Bytes> before = kept;
        const std::size_t count = filling.feed(arrivals[i].data, kept);
        ASSERT_EQ(count, arrivals[i].lines.size());
        EXPECT_EQ(std::vector<Bytes>(kept.begin(), kept.begin() + static_cast<std::ptrdiff_t>(count)),
            arrivals[i].lines);
        EXPECT_EQ(reference.feed(arrivals[i].data), arrivals[i].lines);
        for (std::size_t j = count; j < before.size(); ++j)
            EXPECT_EQ(kept[j], before[j]) << "element " << j << " was changed";
        EXPECT_EQ(filling.pendingSize(), reference.pendingSize());
    }
}

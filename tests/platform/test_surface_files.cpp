#include "platform/bmpfile.h"
#include "platform/picturefile.h"
#include "support/scratchfolder.h"
#include "surfacegrid.h"

#include <QBuffer>
#include <algorithm>
#include <functional>
#include <gtest/gtest.h>
#include <tuple>

namespace kalvon {
namespace {

using testing::gridSurface;
using testing::gridText;
using testing::ScratchFolder;

uint32_t littleEndian(const Bytes& bytes, size_t at, int size)
{
    uint32_t value = 0;
    for (int i = size - 1; i >= 0; --i)
        value = value << 8 | uint8_t(bytes[at + size_t(i)]);
    return value;
}

TEST(BmpFileTest, HeaderAndRowsAre24BitBottomUpPaddedToFourBytes)
{
    Surface surface(3, 2);
    surface.setPixel(0, 0, qRgb(1, 2, 3));
    surface.setPixel(2, 1, qRgb(4, 5, 6));
    const Bytes bmp = encodeBmp(surface);

    ASSERT_EQ(bmp.size(), 54u + 2 * 12);
    EXPECT_EQ(bmp.substr(0, 2), "BM");
    EXPECT_EQ(littleEndian(bmp, 2, 4), bmp.size());
    EXPECT_EQ(littleEndian(bmp, 10, 4), 54u); // pixels follow the two headers
    EXPECT_EQ(littleEndian(bmp, 14, 4), 40u);
    EXPECT_EQ(littleEndian(bmp, 18, 4), 3u);
    EXPECT_EQ(littleEndian(bmp, 22, 4), 2u); // positive height: bottom row first
    EXPECT_EQ(littleEndian(bmp, 28, 2), 24u);
    EXPECT_EQ(littleEndian(bmp, 30, 4), 0u);
    EXPECT_EQ(littleEndian(bmp, 34, 4), 24u);
    // Bottom row: black, black, (4,5,6) as blue-green-red, then 3 padding bytes.
    EXPECT_EQ(bmp.substr(54, 12), Bytes("\0\0\0\0\0\0\6\5\4\0\0\0", 12));
    EXPECT_EQ(bmp.substr(66, 12), Bytes("\3\2\1\0\0\0\0\0\0\0\0\0", 12));
}

TEST(BmpFileTest, WrittenFileReadsBackPixelExactForEveryRowPadding)
{
    ScratchFolder folder;
    for (int width = 1; width <= 5; ++width) {
        Surface surface(width, 3);
        for (int y = 0; y < 3; ++y) {
            for (int x = 0; x < width; ++x)
                surface.setPixel(x, y, qRgb(40 * x + 1, 70 * y + 2, (x * 31 + y * 17) % 256));
        }
        const auto file = folder / ("w" + std::to_string(width) + ".bmp");
        ASSERT_TRUE(writeBmpFile(surface, file));
        const std::optional<Surface> read = loadPictureFile(file);
        ASSERT_TRUE(read) << width;
        EXPECT_EQ(read->image(), surface.image()) << width;
    }
}

TEST(BmpFileTest, RowsMatchAPixelByPixelEncodingForEveryPaddingAndHeight)
{
    // The pixel bytes as the format defines them, read one pixel at a time: rows bottom-up,
    // blue-green-red, each row padded with zeros to four bytes.
    const auto pixelByPixel = [](const Surface& surface) {
        Bytes rows;
        for (int y = surface.height() - 1; y >= 0; --y) {
            for (int x = 0; x < surface.width(); ++x) {
                const QRgb pixel = surface.pixel(x, y);
                rows += { char(qBlue(pixel)), char(qGreen(pixel)), char(qRed(pixel)) };
            }
            rows.append((4 - surface.width() * 3 % 4) % 4, '\0');
        }
        return rows;
    };
    for (int width = 1; width <= 6; ++width) {
        for (int height : { 1, 2, 3, 5 }) {
            Surface surface(width, height);
            for (int y = 0; y < height; ++y) {
                for (int x = 0; x < width; ++x)
                    surface.setPixel(x, y, qRgb(37 * x + 3, 53 * y + 7, (x * 29 + y * 11 + 101) % 256));
            }
            const Bytes bmp = encodeBmp(surface);
            EXPECT_EQ(bmp.substr(54), pixelByPixel(surface)) << width << " x " << height;
        }
    }
    // A part of a surface: cut where the part is smaller, black where the surface is.
    const Surface surface = gridSurface("123/456/789");
    for (const auto& [width, height, grid] :
        { std::tuple{ 2, 3, "12/45/78" }, std::tuple{ 3, 1, "123" }, std::tuple{ 4, 2, "123B/456B" },
            std::tuple{ 2, 4, "12/45/78/BB" }, std::tuple{ 5, 5, "123BB/456BB/789BB/BBBBB/BBBBB" } }) {
        const Bytes bmp = encodeBmp(surface, width, height);
        EXPECT_EQ(bmp.substr(0, 54), encodeBmp(gridSurface(grid)).substr(0, 54)) << grid;
        EXPECT_EQ(bmp.substr(54), pixelByPixel(gridSurface(grid))) << grid;
    }
}

// A 24-bit BMP of `surface` changed by `change` (file bytes, pixel offset field at 10).
Bytes changedBmp(const Surface& surface, const std::function<void(Bytes&)>& change)
{
    Bytes bytes = encodeBmp(surface);
    change(bytes);
    return bytes;
}

void putField(Bytes& bytes, size_t at, uint32_t value, int size)
{
    for (int i = 0; i < size; ++i)
        bytes[at + size_t(i)] = char((value >> (8 * i)) & 0xff);
}

TEST(BmpFileTest, PlainBmpDecodesToWhatTheGeneralReaderGivesAndAnythingElseIsLeftToIt)
{
    const auto general = [](const Bytes& bytes) {
        return QImage::fromData(reinterpret_cast<const uchar*>(bytes.data()), int(bytes.size()))
            .convertToFormat(QImage::Format_RGB32);
    };
    const auto topDown = [](Bytes& bytes) {
        // Rows of three pixels are 12 bytes; the two rows swap when the height turns negative.
        putField(bytes, 22, uint32_t(-2), 4);
        std::rotate(bytes.begin() + 54, bytes.begin() + 66, bytes.end());
    };
    const auto gap = [](Bytes& bytes) {
        bytes.insert(54, "gap!");
        putField(bytes, 10, 58, 4);
    };
    const struct {
        const char* name;
        std::string grid;
        std::function<void(Bytes&)> change;
    } plain[] = {
        { "1 wide", "1/2/3", [](Bytes&) {} },
        { "2 wide", "12/34", [](Bytes&) {} },
        { "3 wide", "123/456", [](Bytes&) {} },
        { "4 wide", "1234/5678/9WB1", [](Bytes&) {} },
        { "top-down", "123/456", topDown },
        { "pixels after a gap", "12/34", gap },
    };
    for (const auto& c : plain) {
        const Bytes bytes = changedBmp(gridSurface(c.grid), c.change);
        const std::optional<Surface> decoded = decodePlainBmp(bytes, kMaxPictureSide);
        ASSERT_TRUE(decoded) << c.name;
        EXPECT_EQ(decoded->image(), general(bytes)) << c.name;
        EXPECT_EQ(gridText(*decoded), c.grid) << c.name;
    }

    const struct {
        const char* name;
        std::function<void(Bytes&)> change;
    } other[] = {
        { "truncated", [](Bytes& bytes) { bytes.pop_back(); } },
        { "32 bits a pixel", [](Bytes& bytes) { putField(bytes, 28, 32, 2); } },
        { "compressed", [](Bytes& bytes) { putField(bytes, 30, 1, 4); } },
        { "larger header", [](Bytes& bytes) { putField(bytes, 14, 108, 4); } },
        { "pixels inside the header", [](Bytes& bytes) { putField(bytes, 10, 20, 4); } },
        { "wider than allowed", [](Bytes& bytes) { putField(bytes, 18, kMaxPictureSide + 1, 4); } },
        { "no height", [](Bytes& bytes) { putField(bytes, 22, 0, 4); } },
        { "not a bitmap", [](Bytes& bytes) { bytes[0] = 'X'; } },
    };
    for (const auto& c : other)
        EXPECT_FALSE(decodePlainBmp(changedBmp(gridSurface("12/34"), c.change), kMaxPictureSide)) << c.name;
    EXPECT_FALSE(decodePlainBmp("BM", kMaxPictureSide));
}

TEST(PictureBufferTest, UnreadableFileKeepsThePictureLoadedBefore)
{
    ScratchFolder folder;
    const auto first = folder / "first.bmp";
    ASSERT_TRUE(writeBmpFile(gridSurface("12/34"), first));
    // A PNG under a .bmp name: the content decides the format.
    QImage png = gridSurface("5/6").image();
    QByteArray pngBytes;
    QBuffer device(&pngBytes);
    device.open(QIODevice::WriteOnly);
    png.save(&device, "PNG");
    const auto second = folder.write("second.bmp", pngBytes.toStdString());
    const auto broken = folder.write("broken.bmp", "BM not really a bitmap");

    PictureBuffer buffer;
    EXPECT_TRUE(buffer.load(first));
    EXPECT_FALSE(buffer.load(folder / "missing.bmp"));
    EXPECT_FALSE(buffer.load(broken));
    EXPECT_EQ(gridText(buffer.picture()), "12/34");
    EXPECT_TRUE(buffer.load(second));
    EXPECT_EQ(gridText(buffer.picture()), "5/6");
    EXPECT_TRUE(buffer.load({}));
    EXPECT_TRUE(buffer.picture().isNull());
}

TEST(PictureBufferTest, OversizedPictureIsRefusedLikeABrokenOne)
{
    ScratchFolder folder;
    const auto small = folder / "small.bmp";
    ASSERT_TRUE(writeBmpFile(gridSurface("12/34"), small));
    PictureBuffer buffer;
    ASSERT_TRUE(buffer.load(small));
    std::vector<std::filesystem::path> huge;
    for (const QSize size : { QSize(kMaxPictureSide + 1, 1), QSize(1, kMaxPictureSide + 1) }) {
        QImage image(size, QImage::Format_RGB32);
        image.fill(Qt::red);
        huge.push_back(folder / ("huge" + std::to_string(size.width()) + ".png"));
        ASSERT_TRUE(image.save(QString::fromStdString(huge.back().string()), "PNG"));
    }
    // A top-down BMP: its header gives the height as a negative number.
    Bytes topDown = encodeBmp(Surface(1, kMaxPictureSide + 1));
    const uint32_t height = uint32_t(-(kMaxPictureSide + 1));
    for (size_t i = 0; i < 4; ++i)
        topDown[22 + i] = char((height >> (8 * i)) & 0xff);
    huge.push_back(folder.write("topdown.bmp", topDown));
    for (const auto& file : huge) {
        EXPECT_TRUE(pictureFileTooLarge(file)) << file;
        EXPECT_FALSE(buffer.load(file)) << file;
        EXPECT_EQ(gridText(buffer.picture()), "12/34");
    }
    EXPECT_FALSE(pictureFileTooLarge(small));
    QImage largest(kMaxPictureSide, 2, QImage::Format_RGB32);
    largest.fill(Qt::blue);
    const auto edge = folder / "edge.png";
    ASSERT_TRUE(largest.save(QString::fromStdString(edge.string()), "PNG"));
    EXPECT_TRUE(buffer.load(edge));
}

TEST(PictureBufferTest, GifWhoseScreenIsLargerThanItsImageIsRefusedLikeABrokenOne)
{
    // A GIF's header gives the size of its first image (16 x 16 here); the picture is decoded
    // at the size of its logical screen (16 x kMaxPictureSide + 1), which only the decoded
    // picture shows.
    const auto gif = [](uint16_t screenHeight) {
        Bytes bytes = "GIF89a";
        bytes += Bytes{ 16, 0, char(screenHeight & 0xff), char(screenHeight >> 8) };
        bytes += Bytes{ char(0x80), 0, 0, char(0xff), char(0xff), char(0xff), 0, 0, 0 };
        bytes += Bytes{ 0x2c, 0, 0, 0, 0, 16, 0, 16, 0, 0 };
        bytes += Bytes{ 2, 2, 0x44, 1, 0, 0x3b };
        return bytes;
    };
    ScratchFolder folder;
    const auto small = folder / "small.bmp";
    ASSERT_TRUE(writeBmpFile(gridSurface("12/34"), small));
    PictureBuffer buffer;
    ASSERT_TRUE(buffer.load(small));
    EXPECT_FALSE(buffer.load(folder.write("tall-screen.gif", gif(kMaxPictureSide + 1))));
    ASSERT_EQ(buffer.picture().height(), 2);
    EXPECT_EQ(gridText(buffer.picture()), "12/34");

    ASSERT_TRUE(buffer.load(folder.write("screen-at-the-limit.gif", gif(kMaxPictureSide))));
    EXPECT_EQ(buffer.picture().width(), 16);
    EXPECT_EQ(buffer.picture().height(), kMaxPictureSide);
}

TEST(PictureReadAheadTest, GivesWhatDecodingEachFileInTurnGivesWhateverOrderItIsAskedIn)
{
    // More files than are decoded ahead, a broken and a missing one among them, one named twice.
    ScratchFolder folder;
    std::vector<std::filesystem::path> files;
    std::vector<std::string> grids;
    for (int i = 0; i < 12; ++i) {
        grids.push_back(std::string(1, char('1' + i % 9)) + "W/B" + std::string(1, char('1' + (i + 4) % 9)));
        files.push_back(folder / ("frame" + std::to_string(i) + ".bmp"));
        ASSERT_TRUE(writeBmpFile(gridSurface(grids.back()), files.back()));
    }
    files[3] = folder.write("broken.bmp", "BM not really a bitmap");
    files[7] = folder / "missing.bmp";
    files[9] = files[2];
    const auto expected = [&](size_t i) -> std::string {
        if (i == 3 || i == 7)
            return "none";
        return grids[i == 9 ? 2 : i];
    };
    const auto text = [](const std::optional<Surface>& picture) {
        return picture ? gridText(*picture) : std::string("none");
    };

    {
        PictureReadAhead readAhead(files);
        for (size_t i = 0; i < files.size(); ++i)
            EXPECT_EQ(text(readAhead.load(files[i])), expected(i)) << i;
        EXPECT_EQ(text(readAhead.load(files[0])), expected(0)) << "past the end";
    }
    {
        // A file out of sequence is decoded on the spot; the sequence goes on where it was.
        PictureReadAhead readAhead(files);
        EXPECT_EQ(text(readAhead.load(files[5])), expected(5));
        EXPECT_EQ(text(readAhead.load(files[0])), expected(0));
        EXPECT_EQ(text(readAhead.load(files[1])), expected(1));
    }
    // Left with most files never asked for: the workers stop.
    PictureReadAhead unused(files);
}

} // namespace
} // namespace kalvon

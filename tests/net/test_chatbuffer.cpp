// The chat buffer saved as text and as rich text; the rich text is read back by a real RTF
// reader (unrtf, to HTML) and compared line by line, colour by colour, byte by byte.

#include "net/chatbuffer.h"
#include "platform/qtext.h"
#include "support/scratchfolder.h"

#include <QProcess>
#include <QStandardPaths>
#include <QTextBlock>
#include <QTextDocument>
#include <gtest/gtest.h>

using namespace kalvon;
using namespace kalvon::testing;

namespace {

constexpr int32_t kRed = 0x0000FF;
constexpr int32_t kGreen = 0x008000;
constexpr int32_t kNavy = 0x800000;

// A chat as the client writes it: every entry starts a line; names bold; text that would
// break a careless writer (braces, backslashes, Windows-1252 letters and signs).
ChatBuffer sampleChat()
{
    ChatBuffer buffer;
    buffer.append("\r\n*** Connected to server(127.0.0.1:90).", false, kGreen);
    buffer.append("\r\n<Bob> ", true, kNavy);
    buffer.append("caf\xe9 {braces} back\\slash \x80 5 \xbd \xfc", false, kRed);
    buffer.append("\r\n<Ann> ", true, kGreen);
    buffer.append("\\par {\\b not markup}", false, kRed);
    return buffer;
}

// One character of the document read back: its byte, colour and weight.
struct ReadChar {
    char byte;
    int32_t colour;
    bool bold;
    bool operator==(const ReadChar&) const = default;
};

std::vector<std::vector<ReadChar>> readLines(const QString& html)
{
    QTextDocument document;
    document.setHtml(html);
    std::vector<std::vector<ReadChar>> lines;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        // unrtf writes a line break as <br>: lines may share a block, split at U+2028.
        lines.emplace_back();
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            const QColor colour = fragment.charFormat().foreground().color();
            const int32_t value = colour.red() + 256 * colour.green() + 65536 * colour.blue();
            const bool bold = fragment.charFormat().fontWeight() >= QFont::Bold;
            for (const QChar c : fragment.text()) {
                if (c == QChar(0x2028)) {
                    lines.emplace_back();
                    continue;
                }
                const Bytes byte = fromQString(QString(c));
                lines.back().push_back({ byte.empty() ? '?' : byte[0], value, bold });
            }
        }
    }
    return lines;
}

std::vector<std::vector<ReadChar>> expectedLines(const ChatBuffer& buffer)
{
    std::vector<std::vector<ReadChar>> lines(1);
    for (const ChatBufferRun& run : buffer.runs()) {
        for (std::size_t i = 0; i < run.text.size(); ++i) {
            if (run.text.compare(i, 2, "\r\n") == 0) {
                lines.emplace_back();
                ++i;
                continue;
            }
            lines.back().push_back({ run.text[i], run.colour, run.bold });
        }
    }
    return lines;
}

} // namespace

TEST(ChatBufferSave, RichTextReadsBackWithItsLinesColoursAndHighBytes)
{
    const QString unrtf = QStandardPaths::findExecutable(QStringLiteral("unrtf"));
    if (unrtf.isEmpty())
        GTEST_SKIP() << "unrtf is not installed (./kalvon.sh test installs it)";
    ScratchFolder folder;
    const ChatBuffer buffer = sampleChat();
    const auto file = folder / "chat.RTF";
    ASSERT_TRUE(saveChatBuffer(file, "chat.RTF", buffer, "Sans {Odd} \\Font;"));

    QProcess reader;
    reader.start(unrtf, { QStringLiteral("--html"), QString::fromStdString(file.string()) });
    ASSERT_TRUE(reader.waitForFinished(60000));
    ASSERT_EQ(reader.exitCode(), 0) << reader.readAllStandardError().toStdString();
    const QString html = QString::fromUtf8(reader.readAllStandardOutput());
    // A font name keeps none of the bytes that would end its entry or the table.
    EXPECT_TRUE(html.contains(QStringLiteral("face=\"Sans Odd Font\""))) << html.toStdString();

    std::vector<std::vector<ReadChar>> read = readLines(html);
    // The last paragraph mark ends the document with an empty line.
    while (!read.empty() && read.back().empty())
        read.pop_back();
    const std::vector<std::vector<ReadChar>> expected = expectedLines(buffer);
    ASSERT_EQ(read.size(), expected.size()) << html.toStdString();
    for (std::size_t line = 0; line < expected.size(); ++line) {
        ASSERT_EQ(read[line].size(), expected[line].size()) << "line " << line << "\n" << html.toStdString();
        for (std::size_t i = 0; i < expected[line].size(); ++i) {
            const ReadChar& got = read[line][i];
            const ReadChar& want = expected[line][i];
            EXPECT_EQ(got.byte, want.byte) << "line " << line << " column " << i;
            EXPECT_EQ(got.colour, want.colour) << "line " << line << " column " << i;
            // A trailing blank's weight is not worth a reader's attention; the rest is.
            if (want.byte != ' ') {
                EXPECT_EQ(got.bold, want.bold) << "line " << line << " column " << i;
            }
        }
    }
}

TEST(ChatBufferSave, RichTextEscapesEveryByteThatWouldBreakTheFile)
{
    ChatBuffer buffer;
    buffer.append("a\\b{c}d\xe9\x80", false, kRed);
    const Bytes rtf = chatRtf(buffer, "F");
    EXPECT_NE(rtf.find("a\\\\b\\{c\\}d\\'e9\\'80"), Bytes::npos) << rtf;
    for (char c : rtf)
        EXPECT_LT(static_cast<unsigned char>(c), 128) << rtf;
}

TEST(ChatBufferSave, TextFileIsTheBufferAndItsLineEnd)
{
    ScratchFolder folder;
    const ChatBuffer buffer = sampleChat();
    const auto file = folder / "chat.txt";
    ASSERT_TRUE(saveChatBuffer(file, "chat.txt", buffer, "F"));
    EXPECT_EQ(readFile(file), buffer.text() + "\r\n");
    EXPECT_EQ(buffer.text(),
        "\r\n*** Connected to server(127.0.0.1:90).\r\n<Bob> caf\xe9 {braces} back\\slash \x80 5 \xbd \xfc"
        "\r\n<Ann> \\par {\\b not markup}");
}

TEST(ChatBufferSave, FormFollowsTheNamesLastFourCharacters)
{
    for (auto [name, form] :
        { std::pair{ "a.rtf", ChatFileForm::RichText }, std::pair{ "LOG.RTF", ChatFileForm::RichText },
            std::pair{ ".rtf", ChatFileForm::Text }, std::pair{ "a.rtf.txt", ChatFileForm::Text },
            std::pair{ "a.txt", ChatFileForm::Text }, std::pair{ "artf", ChatFileForm::Text } })
        EXPECT_EQ(chatFileForm(name), form) << name;
}

TEST(ChatBufferSave, UnwritablePlaceFailsAndRunsOfOneStyleJoin)
{
    ChatBuffer buffer;
    buffer.append("a", true, kRed);
    buffer.append("b", true, kRed);
    buffer.append("", false, kGreen);
    buffer.append("c", false, kRed);
    EXPECT_EQ(buffer.runs(), (std::vector<ChatBufferRun>{ { "ab", true, kRed }, { "c", false, kRed } }));
    EXPECT_FALSE(saveChatBuffer("/nonexistent-folder/chat.txt", "chat.txt", buffer, "F"));
}

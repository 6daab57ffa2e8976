// The theme-file reader and writer: every value read is in the range of its key's kind; the
// file read from disk reads like the parsed text; a theme written from what was read keeps
// every value it writes and its description, and writing what that reads gives the same bytes
// (a load and a save never change a theme). The archive path rule keeps relative values beside
// the theme file.

#include "common/paths.h"
#include "common/themefile/resourcepath.h"
#include "common/themefile/themefile.h"
#include "common/themefile/themefilewriter.h"
#include "harness/fuzzcheck.h"
#include "harness/fuzzinput.h"
#include "harness/scratch.h"

using namespace kalvon;
using namespace kalvon::themefile;

namespace {

void checkValues(const ThemeFile& file)
{
    for (const KeyInfo& info : allKeys()) {
        const std::optional<Bytes> text = file.text(info.key);
        if (text) {
            FUZZ_CHECK(text->size() <= 254 && *text != kMissingSettingText);
            FUZZ_CHECK(file.textOrDefault(info.key) == *text);
        } else {
            FUZZ_CHECK(file.textOrDefault(info.key) == info.missingText);
        }
        const std::optional<int32_t> number = file.number(info.key);
        if (info.kind == ValueKind::Int16 && number)
            FUZZ_CHECK(*number >= INT16_MIN && *number <= INT16_MAX);
        if (info.kind != ValueKind::Int16 && info.kind != ValueKind::Int32)
            FUZZ_CHECK(!number);
        if (number)
            FUZZ_CHECK(text.has_value());
        const int box = file.checkBoxValue(info.key);
        FUZZ_CHECK(box >= 0 && box <= 2);
        if (file.flag(info.key))
            FUZZ_CHECK(text.has_value());
        const int32_t color = file.color(info.key);
        FUZZ_CHECK(color >= 0 && color <= 0xFFFFFF);
    }
}

Bytes lineBreaksAsLf(BytesView text)
{
    Bytes out;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
            continue;
        out += text[i] == '\r' ? '\n' : text[i];
    }
    return out;
}

// What the file holds, as the writer takes it; nothing for a theme type other than 0 or 1.
ThemeContent contentOf(const ThemeFile& file)
{
    ThemeContent content;
    content.description = file.description();
    content.themetype = file.number(ThemeKey::ThemeType).value_or(-1);
    for (const KeyInfo& info : allKeys())
        content[info.key] = file.text(info.key);
    for (const GroupInfo& group : kGroups) {
        bool included = file.hasSectionLine(group.title);
        for (const KeyInfo& info : groupKeys(group.group))
            included = included || file.text(info.key).has_value();
        content.includes(group.group) = included;
    }
    return content;
}

void checkWriteBack(const ThemeFile& file)
{
    const ThemeContent content = contentOf(file);
    const std::optional<Bytes> written = themeFileBytes(content);
    FUZZ_CHECK(written.has_value() == (content.themetype == 0 || content.themetype == 1));
    if (!written)
        return;
    const ThemeFile reread = ThemeFile::parse(*written);
    const std::string shown = "written: " + fuzz::printable(*written, 6000);
    FUZZ_CHECK_MSG(reread.number(ThemeKey::ThemeType) == content.themetype, shown);
    // The writer ends every description line with CR LF, bare CRs and LFs included.
    FUZZ_CHECK_MSG(lineBreaksAsLf(reread.description()) == lineBreaksAsLf(content.description), shown);
    for (const KeyInfo& info : allKeys()) {
        if (info.key == ThemeKey::ThemeType)
            continue; // written as its number, compared above
        const std::optional<Bytes> before = content[info.key];
        const std::optional<Bytes> after = reread.text(info.key);
        // Keys the writer leaves out, and missing keys it writes empty, aside; a blank identity
        // text or colour is written as what a missing one reads as.
        if (before && after)
            FUZZ_CHECK_MSG(*after == *before || (before->empty() && *after == info.missingText),
                Bytes(info.name) + ": " + fuzz::printable(*before) + " became " + fuzz::printable(*after));
    }
    const std::optional<Bytes> again = themeFileBytes(contentOf(reread));
    FUZZ_CHECK_MSG(again == written, shown);
}

void checkArchivePath(fuzz::FuzzInput& input)
{
    const BytesView themeFile = input.piece();
    const BytesView value = input.piece();
    FUZZ_CHECK(Bytes(folderPrefix(themeFile)) + Bytes(lastComponent(themeFile)) == themeFile);
    FUZZ_CHECK(lastComponent(themeFile).find_first_of("/\\") == BytesView::npos);
    const Bytes archive = resourceArchivePath(themeFile, value);
    if ((value.empty() || value.front() != '/') && !paths::hasDriveLetter(value))
        FUZZ_CHECK(archive == Bytes(folderPrefix(themeFile)) + Bytes(value));
    else if (archive != value)
        FUZZ_CHECK(archive == Bytes(folderPrefix(themeFile)) + Bytes(lastComponent(value)));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const BytesView text = fuzz::asBytes(data, size);
    const ThemeFile file = ThemeFile::parse(text);
    checkValues(file);

    const auto path = fuzz::scratchRoot() / "theme.kvx";
    fuzz::writeBytes(path, text);
    const ThemeFile loaded = ThemeFile::load(path);
    FUZZ_CHECK(loaded.description() == file.description());
    for (const KeyInfo& info : allKeys())
        FUZZ_CHECK(loaded.text(info.key) == file.text(info.key));

    checkWriteBack(file);
    fuzz::FuzzInput input(text);
    checkArchivePath(input);
    return 0;
}

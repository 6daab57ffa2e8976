// The game's theme loader (LoadTheme) on any theme file, with a resource archive beside it: it
// stops exactly when the theme type is missing, or is 1 without a resource file; what it stores
// is in range (frame counts and frame numbers within what a sheet holds, colours 24-bit); and
// the archive unpacks only into the temporary folder, never through a link.
//
// The input: one byte whose lowest bit loads the theme as the preview, then the theme file.

#include "common/themefile/themefile.h"
#include "harness/fuzzinput.h"
#include "harness/quietdialogs.h"
#include "render/themeloader.h"
#include "render/themepaths.h"
#include "render/themewindow.h"
#include "themefolders.h"

using namespace kalvon;
using themefile::ThemeKey;

namespace {

class IgnoredThemeWindow final : public ThemeWindow {
public:
    void setAnimationBoxEnabled(AnimationBox, bool) override { }
    void showLoadingFile(BytesView) override { }
};

void checkFrames(int16_t count, std::initializer_list<int16_t> numbers, const FrameGeometry& geometry)
{
    FUZZ_CHECK(count >= 0 && count <= geometry.maxFrames());
    for (int16_t number : numbers)
        FUZZ_CHECK(number >= 0 && number <= geometry.maxFrames());
}

void checkRecord(const ThemeRecord& t)
{
    checkFrames(t.bgframecount, { t.bgstartingframe, t.bgstillframe }, kBackgroundFrames);
    checkFrames(t.inetbgframecount, { t.inetbgstartingframe, t.inetbgstillframe }, kInternetBackgroundFrames);
    checkFrames(t.blkframecount, { t.blkstartingframe, t.blkstillframe }, kBlockFrames);
    checkFrames(t.nextblkframecount, { t.nextblkstartingframe, t.nextblkstillframe }, kNextPieceFrames);
    checkFrames(t.specialwindowframecount, { t.specialwindowstartingframe, t.specialwindowstillframe },
        kSpecialWindowFrames);
    checkFrames(t.explodeframecount, {}, kExplodeFrames);
    checkFrames(t.bombframecount, {}, kBombFrames);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    fuzz::FuzzInput input(data, size);
    const bool preview = input.flag();
    const BytesView text = input.rest();
    fuzz::prepareThemeLoad(text);
    const fuzz::ThemeFolders& folders = fuzz::themeFolders();

    Themes themes;
    fuzz::QuietDialogs dialogs;
    IgnoredThemeWindow window;
    ThemeLoading loading{ themes, dialogs, window, { folders.temp, folders.program } };
    ThemeRecord& record = preview ? themes.PreviewTheme : themes.CurrentTheme;
    SoundTable& sounds = preview ? themes.PreviewSounds : themes.ThemeSounds;
    const Bytes file = pathText(folders.themeFile);
    const ThemeLoadResult result = LoadTheme(loading, file, record, sounds, preview ? "preview\\" : "");

    const themefile::ThemeFile theme = themefile::ThemeFile::parse(text);
    const std::optional<int32_t> type = theme.number(ThemeKey::ThemeType);
    const bool hasArchive = theme.text(ThemeKey::ResourceFile).has_value();
    if (!type)
        FUZZ_CHECK(result == ThemeLoadResult::NoThemeType);
    else if (*type == 1 && !hasArchive)
        FUZZ_CHECK(result == ThemeLoadResult::NoResourceFile);
    else
        FUZZ_CHECK(result == ThemeLoadResult::Loaded);
    if (result != ThemeLoadResult::Loaded)
        FUZZ_CHECK(!dialogs.messages.empty());

    FUZZ_CHECK(record.name == theme.textOrDefault(ThemeKey::Name));
    if (result == ThemeLoadResult::Loaded)
        FUZZ_CHECK(record.themetype == *type);
    checkRecord(themes.CurrentTheme);
    checkRecord(themes.PreviewTheme);
    for (int32_t color : themes.ThemeColors)
        FUZZ_CHECK(color >= 0 && color <= 0xFFFFFF);

    fuzz::checkOnlyTempWritten();
    if (theme.text(ThemeKey::ResourceFile) == "res.zip") {
        const auto unpacked = folders.temp / (preview ? "preview" : "");
        FUZZ_CHECK(fuzz::readBytes(unpacked / "bg1.bmp") == "background");
        FUZZ_CHECK(fuzz::readBytes(unpacked / "frames" / "sw1.bmp") == "special window");
    }
    return 0;
}

#include "editor/model/resourcearchive.h"

#include "common/archive/unziparchive.h"
#include "common/cp1252.h"
#include "common/paths.h"
#include "common/themefile/resourcepath.h"
#include "common/themefile/thememessages.h"
#include "editor/model/editorpaths.h"
#include "editor/model/editorstate.h"

#include <system_error>

namespace kalvon::editor {

namespace {

bool isSeparator(char c)
{
    return c == '/' || c == '\\';
}

bool sameByte(char a, char b)
{
    if (isSeparator(a) && isSeparator(b))
        return true;
    return upperByte(static_cast<unsigned char>(a)) == upperByte(static_cast<unsigned char>(b));
}

// Where `needle` first occurs in `text` from `from` on, compared case-blind and
// separator-blind; npos when it does not.
size_t findBlind(BytesView text, BytesView needle, size_t from = 0)
{
    if (needle.size() > text.size())
        return BytesView::npos;
    for (size_t at = from; at + needle.size() <= text.size(); ++at) {
        size_t i = 0;
        while (i < needle.size() && sameByte(text[at + i], needle[i]))
            ++i;
        if (i == needle.size())
            return at;
    }
    return BytesView::npos;
}

bool startsWithBlind(BytesView text, BytesView prefix)
{
    return text.size() >= prefix.size() && findBlind(text.substr(0, prefix.size()), prefix) == 0;
}

} // namespace

Bytes ResourceBaseName(BytesView zipPath)
{
    const size_t zip = zipPath.find(".zip");
    if (zip == BytesView::npos)
        return {};
    const BytesView base = themefile::lastComponent(zipPath.substr(0, zip));
    if (base == "." || base == "..")
        return {};
    return Bytes(base);
}

void UnpackResourceZip(
    EditorState& state, BytesView zipPath, Dialogs& dialogs, const std::filesystem::path& tempDir)
{
    const Bytes base = ResourceBaseName(zipPath);
    const std::filesystem::path product = tempDir / "kalvon";
    // Without a base name the archive goes into the product folder itself.
    const std::filesystem::path target = base.empty() ? product : product / cp1252ToUtf8(base);
    std::error_code ignored;
    std::filesystem::create_directories(target, ignored);

    bool unpacked = false;
    if (const auto archive = localPath(zipPath))
        unpacked = UnzipArchive(paths::findCaseInsensitive(*archive), target, dialogs) == kUnzipOk;
    if (!unpacked)
        themefile::showThemeError(dialogs, themefile::resourceFileFailedMessage(zipPath));

    EditorFiles& files = state.files();
    files.ResourceDir = utf8ToCp1252(target.string()) + "/";
    files.ResourceRelDir = base.empty() ? Bytes("kalvon/") : "kalvon/" + base + "/";
}

Bytes MakeResourceRelative(const EditorState& state, BytesView path)
{
    const EditorFiles& files = state.files();
    // The whole folder first, so a base name that repeats a folder of the temporary path
    // ("kalvon/kalvon/") cannot match too early; then the relative form anywhere in the path.
    if (!files.ResourceDir.empty() && startsWithBlind(path, files.ResourceDir))
        return Bytes(path.substr(files.ResourceDir.size()));
    const size_t at = findBlind(path, files.ResourceRelDir);
    if (files.ResourceRelDir.empty() || at == BytesView::npos)
        return Bytes(path);
    return Bytes(path.substr(at + files.ResourceRelDir.size()));
}

namespace {

Bytes joinedUnlessAbsolute(BytesView folder, BytesView name)
{
    const bool absolute = !name.empty() && name.front() == '/';
    return absolute || paths::hasDriveLetter(name) ? Bytes(name) : Bytes(folder) + Bytes(name);
}

} // namespace

Bytes ResourceFilePath(const EditorFiles& files, BytesView name)
{
    return joinedUnlessAbsolute(files.ResourceDir, name);
}

Bytes MusicFilePath(const EditorFiles& files, BytesView name)
{
    return joinedUnlessAbsolute(files.MusicPath.empty() ? files.ResourceDir : files.MusicPath, name);
}

} // namespace kalvon::editor

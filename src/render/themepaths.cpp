#include "render/themepaths.h"

#include "common/cp1252.h"
#include "common/paths.h"

namespace kalvon {

std::filesystem::path themeFilePath(BytesView stored, const std::filesystem::path& baseDir)
{
    const auto path = paths::resolve(stored, baseDir);
    if (!path)
        return {};
    return paths::findCaseInsensitive(*path);
}

Bytes pathText(const std::filesystem::path& path)
{
    return utf8ToCp1252(path.string());
}

Bytes folderText(const std::filesystem::path& folder)
{
    Bytes text = pathText(folder);
    if (text.empty() || (text.back() != '/' && text.back() != '\\'))
        text += '/';
    return text;
}

} // namespace kalvon

#include "editor/model/editorpaths.h"

#include "common/paths.h"

#include <system_error>

namespace kalvon::editor {

std::optional<std::filesystem::path> localPath(BytesView path)
{
    std::error_code error;
    std::filesystem::path base = std::filesystem::current_path(error);
    if (error)
        base = "/";
    return paths::resolve(path, base);
}

std::optional<std::filesystem::path> findLocalFile(BytesView path)
{
    const std::optional<std::filesystem::path> file = localPath(path);
    if (!file)
        return std::nullopt;
    return paths::findCaseInsensitive(*file);
}

} // namespace kalvon::editor

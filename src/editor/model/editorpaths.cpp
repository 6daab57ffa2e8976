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

BytesView folderPrefix(BytesView path)
{
    const size_t last = path.find_last_of("/\\");
    return last == BytesView::npos ? BytesView() : path.substr(0, last + 1);
}

BytesView lastComponent(BytesView path)
{
    const size_t last = path.find_last_of("/\\");
    return last == BytesView::npos ? path : path.substr(last + 1);
}

} // namespace kalvon::editor

#include "common/themefile/resourcepath.h"

#include "common/paths.h"

#include <filesystem>
#include <optional>
#include <system_error>

namespace kalvon::themefile {

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

Bytes resourceArchivePath(BytesView themeFile, BytesView value)
{
    const Bytes besideTheme(folderPrefix(themeFile));
    const bool absolute = !value.empty() && value.front() == '/';
    if (!absolute && !paths::hasDriveLetter(value))
        return besideTheme + Bytes(value);
    if (absolute) {
        // The base folder does not matter for an absolute path.
        const std::optional<std::filesystem::path> file = paths::resolve(value, "/");
        std::error_code error;
        if (file && std::filesystem::exists(paths::findCaseInsensitive(*file), error))
            return Bytes(value);
    }
    return besideTheme + Bytes(lastComponent(value));
}

} // namespace kalvon::themefile

#include "render/themeresources.h"

#include "common/archive/unziparchive.h"
#include "common/cp1252.h"
#include "common/paths.h"
#include "common/themefile/thememessages.h"
#include "render/themepaths.h"

#include <exception>

namespace kalvon {

void UnpackThemeResources(
    BytesView archive, BytesView subfolder, const ThemeFolders& folders, Dialogs& dialogs)
{
    try {
        std::error_code ignored;
        std::filesystem::create_directories(folders.tempDir, ignored);
        const std::filesystem::path target = folders.tempDir / cp1252ToUtf8(paths::toSlashes(subfolder));
        std::filesystem::create_directories(target, ignored);
        UnzipArchive(themeFilePath(archive, folders.programDir), target, dialogs);
    } catch (const std::exception&) {
        themefile::showThemeError(dialogs, themefile::resourceFileFailedMessage(archive));
    }
}

std::vector<Bytes> ListThemeFiles(BytesView folder, const std::filesystem::path& baseDir)
{
    std::vector<Bytes> themes;
    const std::filesystem::path directory = themeFilePath(folder, baseDir);
    std::error_code error;
    for (std::filesystem::directory_iterator it(directory, error), end; !error && it != end;
         it.increment(error)) {
        std::error_code typeError;
        if (!it->is_regular_file(typeError))
            continue;
        const Bytes name = utf8ToCp1252(it->path().filename().string());
        if (name.size() > 4 && equalsNoCase(BytesView(name).substr(name.size() - 4), ".kvx"))
            themes.push_back(Bytes(folder) + name);
    }
    return themes;
}

} // namespace kalvon

#pragma once
// The folders of the theme-loader targets: a theme folder holding the theme file under test and
// a resource archive made here (its members include hostile names), a temporary folder that
// receives what a load unpacks, and a program folder. Everything a load writes must stay in the
// temporary folder.

#include "harness/fuzzcheck.h"
#include "harness/scratch.h"
#include "support/zipbuilder.h"

#include <filesystem>
#include <string>

namespace kalvon::fuzz {

struct ThemeFolders {
    std::filesystem::path root;
    std::filesystem::path themes;
    std::filesystem::path temp;
    std::filesystem::path program;
    std::filesystem::path themeFile;
};

// The folders, made once per process.
inline const ThemeFolders& themeFolders()
{
    static const ThemeFolders folders = [] {
        ThemeFolders made;
        made.root = scratchRoot() / "theme";
        made.themes = made.root / "themes";
        made.temp = made.root / "temp";
        made.program = made.root / "program";
        made.themeFile = made.themes / "theme.kvx";
        resetFolder(made.themes);
        resetFolder(made.program);
        testing::ZipBuilder zip(made.themes / "res.zip");
        zip.file("bg1.bmp", "background")
            .file("BLK1.BMP", "blocks")
            .folder("frames/")
            .file("frames/next1.bmp", "next piece")
            .file("frames\\sw1.bmp", "special window")
            .file("../escaped.bmp", "outside")
            .file("/tmp/absolute.bmp", "outside")
            .file("C:\\windows.bmp", "outside")
            .symlink("link.bmp", "/etc/passwd");
        FUZZ_CHECK_MSG(zip.close(), "cannot write the resource archive");
        return made;
    }();
    return folders;
}

// Empties the temporary folder and writes the theme file.
inline void prepareThemeLoad(BytesView themeText)
{
    const ThemeFolders& folders = themeFolders();
    resetFolder(folders.temp);
    writeBytes(folders.themeFile, themeText);
}

// Outside the temporary folder the tree is as it was made; inside it nothing is a link.
inline void checkOnlyTempWritten()
{
    const ThemeFolders& folders = themeFolders();
    for (const TreeEntry& entry : treeOf(folders.root)) {
        const bool inTemp = entry.path.rfind("temp/", 0) == 0;
        const bool expected = entry.path == "temp" || entry.path == "themes" || entry.path == "program"
            || entry.path == "themes/theme.kvx" || entry.path == "themes/res.zip";
        FUZZ_CHECK_MSG(inTemp || expected, "written outside the temporary folder: " + entry.path);
        FUZZ_CHECK_MSG(entry.kind != TreeEntry::Kind::Link, "a link was made: " + entry.path);
    }
}

} // namespace kalvon::fuzz

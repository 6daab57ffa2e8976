#pragma once
// A scratch program folder as the program finds it beside itself: data/ is the real default
// theme and tmp/ stands in for the private temporary folder. The settings file is the test's.

#include "support/scratchfolder.h"

namespace kalvon::testing {

class ProgramFolder : public ScratchFolder {
public:
    ProgramFolder()
    {
        std::filesystem::create_directories(tempDir());
        std::filesystem::create_directory_symlink(KALVON_DATA_DIR, *this / "data");
    }

    std::filesystem::path tempDir() const { return *this / "tmp"; }
};

} // namespace kalvon::testing

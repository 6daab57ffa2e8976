// The real editor ended by a signal (a logout, a kill, Ctrl+C) ends by itself without asking:
// kvm.ini is written once the editing window is open, and nothing is written behind the splash.

#include "support/childprogram.h"

#include <csignal>
#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace {

using kalvon::testing::ChildProgram;
using kalvon::testing::readFile;

TEST(EditorQuitSignals, TheRealEditorEndsWithoutAskingAndWritesItsConfiguration)
{
    const std::string kvmIni = "[Sound Mixer]\nfrequency=22050\n";
    const struct {
        const char* name;
        int signal;
        const char* script;
        const char* ready;
        bool written;
    } cases[] = {
        { "SIGTERM while editing", SIGTERM,
            "shown kalvon::editor::SplashWindow|key Space|shown kalvon::editor::EditorWindow|say editing",
            "editing", true },
        { "SIGINT behind the splash", SIGINT, "shown kalvon::editor::SplashWindow|say splash", "splash",
            false },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ChildProgram child(KALVON_EDITOR_PROGRAM, KALVON_DATA_DIR);
        child.folder.write("kvm.ini", kvmIni);
        child.start(QString::fromLatin1(c.script));
        ASSERT_TRUE(child.waitForLine(c.ready)) << child.output();

        child.sendSignal(c.signal);
        ASSERT_TRUE(child.waitForCleanEnd()) << child.output();
        if (c.written)
            EXPECT_THAT(readFile(child.folder / "kvm.ini"), ::testing::HasSubstr("frequency=22050\r\n"));
        else
            EXPECT_EQ(readFile(child.folder / "kvm.ini"), kvmIni);
    }
}

} // namespace

#pragma once
// One of our programs run for real as a child process, in a scratch copy of its program folder
// (the program, a link to the data folder, the stored files the test writes) with a private
// home, configuration and runtime folder, offscreen, with SDL's silent audio driver and the
// scripted keyboard plug-in pressing its keys. Every wait is for an event (a line of the
// script, the child's end) with a generous upper bound.

#include "support/scratchfolder.h"

#include <QByteArray>
#include <QDeadlineTimer>
#include <QProcess>
#include <QProcessEnvironment>
#include <QString>
#include <csignal>
#include <filesystem>
#include <string>

namespace kalvon::testing {

class ChildProgram {
public:
    // Far above a start-up on a loaded machine or under a sanitizer: only a fault reaches it.
    static constexpr int kGenerousMs = 120000;

    ChildProgram(const std::filesystem::path& program, const std::filesystem::path& dataDir)
        : m_program(folder / program.filename())
    {
        std::filesystem::copy_file(program, m_program);
        std::filesystem::create_directory_symlink(dataDir, folder / "data");
        std::filesystem::create_directories(folder / "home");
        std::filesystem::create_directories(folder / "config");
        std::filesystem::create_directories(folder / "run");
        std::filesystem::permissions(folder / "run", std::filesystem::perms::owner_all);
    }

    ~ChildProgram()
    {
        if (m_process.state() != QProcess::NotRunning) {
            m_process.kill();
            m_process.waitForFinished(kGenerousMs);
        }
    }

    ChildProgram(const ChildProgram&) = delete;
    ChildProgram& operator=(const ChildProgram&) = delete;

    // Starts the program; `script` is the scripted keyboard's (tests/support/scriptedinput).
    void start(const QString& script)
    {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        env.insert(QStringLiteral("SDL_AUDIODRIVER"), QStringLiteral("dummy"));
        env.insert(QStringLiteral("QT_PLUGIN_PATH"), QStringLiteral(KALVON_TEST_PLUGIN_DIR));
        env.insert(QStringLiteral("QT_QPA_GENERIC_PLUGINS"), QStringLiteral("kalvonscriptedinput:") + script);
        // Nothing of the child reaches the user's own folders.
        env.insert(QStringLiteral("HOME"), QString::fromStdString((folder / "home").string()));
        env.insert(QStringLiteral("XDG_CONFIG_HOME"), QString::fromStdString((folder / "config").string()));
        env.insert(QStringLiteral("XDG_RUNTIME_DIR"), QString::fromStdString((folder / "run").string()));
        m_process.setProcessEnvironment(env);
        m_process.setWorkingDirectory(QString::fromStdString(folder.path().string()));
        m_process.start(QString::fromStdString(m_program.string()), {});
    }

    // Waits for the line `line` on the child's standard output.
    bool waitForLine(const QByteArray& line)
    {
        const QDeadlineTimer deadline(kGenerousMs);
        while (!m_out.contains(line + '\n')) {
            if (deadline.hasExpired() || m_process.state() == QProcess::NotRunning)
                return false;
            m_process.waitForReadyRead(int(deadline.remainingTime()));
            m_out += m_process.readAllStandardOutput();
        }
        return true;
    }

    void sendSignal(int number) { ::kill(pid_t(m_process.processId()), number); }

    // True when the child ended by itself with exit code 0, not by a signal.
    bool waitForCleanEnd()
    {
        if (!m_process.waitForFinished(kGenerousMs))
            return false;
        return m_process.exitStatus() == QProcess::NormalExit && m_process.exitCode() == 0;
    }

    // What the child printed, for a failure's message.
    std::string output()
    {
        m_out += m_process.readAllStandardOutput();
        return "stdout:\n" + m_out.toStdString() + "\nstderr:\n"
            + m_process.readAllStandardError().toStdString();
    }

    ScratchFolder folder;

private:
    std::filesystem::path m_program;
    QProcess m_process;
    QByteArray m_out;
};

} // namespace kalvon::testing

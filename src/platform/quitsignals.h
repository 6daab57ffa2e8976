#pragma once
// The requests to end the program that come as signals: SIGTERM (a logout, `kill`), SIGINT
// (Ctrl+C) and SIGHUP (the terminal closed). The signal handler only writes the signal's number
// into a pipe; the event loop reads it and emits quitRequested, so the program ends through its
// own exit path on its own thread, between two handlers, as it does when the user quits.

#include <QObject>
#include <csignal>

class QSocketNotifier;

namespace kalvon {

class QuitSignals final : public QObject {
    Q_OBJECT
public:
    // Takes the three signals until destroyed, when their previous handling comes back. One
    // object at a time per process: making a second throws std::logic_error.
    explicit QuitSignals(QObject* parent = nullptr);
    ~QuitSignals() override;
    QuitSignals(const QuitSignals&) = delete;
    QuitSignals& operator=(const QuitSignals&) = delete;

    // False when the pipe could not be made; the signals then keep their previous handling.
    bool active() const { return m_notifier != nullptr; }

signals:
    // The first signal received, once: the program's exit runs once however many follow.
    void quitRequested(int signalNumber);

private:
    void readPipe();

    int m_readEnd = -1;
    int m_writeEnd = -1;
    QSocketNotifier* m_notifier = nullptr;
    struct sigaction m_previous[3] = {};
    bool m_requested = false;
};

} // namespace kalvon

// A scripted keyboard for tests that run a real program in a child process: a Qt input plug-in
// (loaded by Qt itself through QT_PLUGIN_PATH and QT_QPA_GENERIC_PLUGINS, so the program under
// test has no hook of its own) that presses keys as a user would, once the program shows what
// the script waits for, and tells the test how far it got on its standard output.
//
// The script is the text after the plug-in's key, steps separated by "|":
//   shown NAME   wait for a visible window whose object or class name is NAME; keys go to it
//                when nothing has the focus
//   focus NAME   wait until the widget with the keyboard focus is named NAME
//   key KEY      press and release KEY (a QKeySequence text such as "F2" or "Space")
//   title TEXT   wait until a visible window's title contains TEXT
//   say TEXT     print TEXT and a line end
// Example: QT_QPA_GENERIC_PLUGINS="kalvonscriptedinput:focus picField(1)|key F2|say started"

#include <QApplication>
#include <QGenericPlugin>
#include <QKeySequence>
#include <QPointer>
#include <QTest>
#include <QTimer>
#include <QWidget>
#include <cstdio>

namespace {

class ScriptedInput final : public QObject {
public:
    explicit ScriptedInput(const QString& script)
        : m_steps(script.split(QLatin1Char('|'), Qt::SkipEmptyParts))
    {
        // Polled: the program's windows come and go in its own time.
        connect(&m_timer, &QTimer::timeout, this, &ScriptedInput::advance);
        m_timer.start(20);
    }

private:
    void advance()
    {
        while (m_next < m_steps.size()) {
            const QString step = m_steps.at(m_next).trimmed();
            const qsizetype space = step.indexOf(QLatin1Char(' '));
            const QString verb = step.left(space);
            const QString argument = space < 0 ? QString() : step.mid(space + 1);
            if (!run(verb, argument))
                return;
            ++m_next;
        }
        m_timer.stop();
    }

    // False while the step waits for the program.
    bool run(const QString& verb, const QString& argument)
    {
        if (verb == QLatin1String("shown")) {
            m_target = shownWindow(argument);
            return m_target != nullptr;
        }
        if (verb == QLatin1String("focus")) {
            const QWidget* focus = QApplication::focusWidget();
            return focus && focus->objectName() == argument;
        }
        if (verb == QLatin1String("key")) {
            QWidget* target = QApplication::focusWidget() ? QApplication::focusWidget() : m_target.data();
            if (!target)
                return false;
            const QKeyCombination key = QKeySequence::fromString(argument)[0];
            QTest::keyClick(target, key.key(), key.keyboardModifiers());
            return true;
        }
        if (verb == QLatin1String("title")) {
            for (const QWidget* window : QApplication::topLevelWidgets()) {
                if (window->isVisible() && window->windowTitle().contains(argument))
                    return true;
            }
            return false;
        }
        if (verb == QLatin1String("say")) {
            std::printf("%s\n", argument.toLocal8Bit().constData());
            std::fflush(stdout);
            return true;
        }
        std::fprintf(stderr, "scripted input: unknown step \"%s\"\n", qPrintable(verb));
        m_next = m_steps.size();
        return true;
    }

    static QWidget* shownWindow(const QString& name)
    {
        const QByteArray className = name.toLatin1();
        for (QWidget* window : QApplication::topLevelWidgets()) {
            if (window->isVisible()
                && (window->objectName() == name || window->inherits(className.constData())))
                return window;
        }
        return nullptr;
    }

    QStringList m_steps;
    qsizetype m_next = 0;
    QPointer<QWidget> m_target;
    QTimer m_timer;
};

} // namespace

class ScriptedInputPlugin final : public QGenericPlugin {
    Q_OBJECT
    Q_PLUGIN_METADATA(IID QGenericPluginFactoryInterface_iid FILE "scriptedinput.json")
public:
    QObject* create(const QString& key, const QString& script) override
    {
        if (key.compare(QLatin1String("kalvonscriptedinput"), Qt::CaseInsensitive) != 0)
            return nullptr;
        return new ScriptedInput(script);
    }
};

#include "scriptedinput.moc"

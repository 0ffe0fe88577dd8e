#include "app/window_system_start.h"

#include <QByteArray>
#include <cstdio>
#include <cstdlib>
#include <utility>
#include <vector>

namespace corvane {

namespace {

struct HeldMessage {
    QtMsgType type;
    int line;
    QString text;
    QByteArray file, function, category;  // the context points into these
};

QtMessageHandler previousHandler = nullptr;
std::vector<HeldMessage> heldMessages;
QString startLine;  // printed when the start fails

void holdOrFail(QtMsgType type, const QMessageLogContext& context, const QString& text) {
    if (type == QtFatalMsg) {
        // Qt aborts after this handler returns; end here instead, with the way out.
        const QByteArray line = startLine.toLocal8Bit() + '\n';
        std::fwrite(line.constData(), 1, static_cast<std::size_t>(line.size()), stderr);
        std::fflush(stderr);
        std::_Exit(kNoDisplayExit);
    }
    HeldMessage m{type, context.line, text, context.file, context.function, context.category};
    heldMessages.push_back(std::move(m));
}

QString argumentAfter(const QStringList& arguments, const QString& name) {
    for (int i = 1; i + 1 < arguments.size(); ++i)
        if (arguments[i] == '-' + name || arguments[i] == "--" + name) return arguments[i + 1];
    return {};
}

}  // namespace

QString noDisplayMessage(const QString& platformOption, const QString& platformVariable, const QString& display,
                         const QString& waylandDisplay) {
    QString what;
    if (!platformOption.isEmpty())
        what = QStringLiteral("the window system '%1' (-platform) cannot be started").arg(platformOption);
    else if (!platformVariable.isEmpty())
        what = QStringLiteral("the window system '%1' (QT_QPA_PLATFORM) cannot be started").arg(platformVariable);
    else if (display.isEmpty() && waylandDisplay.isEmpty())
        what = QStringLiteral("no display: neither DISPLAY nor WAYLAND_DISPLAY is set");
    else
        what = QStringLiteral("the display %1 cannot be reached")
                   .arg(display.isEmpty() ? QStringLiteral("WAYLAND_DISPLAY=") + waylandDisplay
                                          : QStringLiteral("DISPLAY=") + display);
    return QStringLiteral(
               "corvane: %1; run it in a desktop session (or set DISPLAY), on a virtual screen with "
               "'xvfb-run corvane ...', or unseen with 'corvane -platform offscreen ...'")
        .arg(what);
}

WindowSystemStart::WindowSystemStart(const QStringList& arguments) {
    startLine =
        noDisplayMessage(argumentAfter(arguments, QStringLiteral("platform")), qEnvironmentVariable("QT_QPA_PLATFORM"),
                         qEnvironmentVariable("DISPLAY"), qEnvironmentVariable("WAYLAND_DISPLAY"));
    heldMessages.clear();
    previousHandler = qInstallMessageHandler(holdOrFail);
}

WindowSystemStart::~WindowSystemStart() {
    qInstallMessageHandler(previousHandler);
    for (HeldMessage& m : heldMessages) {
        QMessageLogContext context(m.file.isEmpty() ? nullptr : m.file.constData(), m.line,
                                   m.function.isEmpty() ? nullptr : m.function.constData(),
                                   m.category.isEmpty() ? nullptr : m.category.constData());
        qt_message_output(m.type, context, m.text);
    }
    heldMessages.clear();
}

}  // namespace corvane

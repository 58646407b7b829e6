#include "app/qtPlatform.h"

#include <QByteArray>
#include <QCoreApplication>
#include <QList>
#include <QString>
#include <QStringList>
#include <QtGlobal>

namespace app {

namespace {

// QMessageLogContext cannot be copied; its strings are kept instead.
struct HeldMessage {
    QtMsgType type;
    QByteArray file, function, category;
    int line;
    QString text;
};

QList<HeldMessage>& Held()
{
    static QList<HeldMessage> held;
    return held;
}

QtMessageHandler& DefaultHandler()
{
    static QtMessageHandler handler = nullptr;
    return handler;
}

void HoldBack(QtMsgType type, const QMessageLogContext& context, const QString& text)
{
    if (type == QtCriticalMsg || type == QtFatalMsg) {
        DefaultHandler()(type, context, text);
        return;
    }
    Held().append(HeldMessage{type, context.file, context.function, context.category, context.line, text});
}

void Quiet(QtMsgType type, const QMessageLogContext& context, const QString& text)
{
    if (type == QtCriticalMsg || type == QtFatalMsg)
        DefaultHandler()(type, context, text);
}

// QT_QPA_PLATFORM as the user set it (null when unset).
QByteArray& UserPlatform()
{
    static QByteArray platform;
    return platform;
}

} // namespace

void ChooseQtPlatform()
{
    if (qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) {
        UserPlatform() = qgetenv("QT_QPA_PLATFORM");
        return;
    }
    if (qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        return;
    }
    // Qt tries the platforms of the list in order; a display that cannot be
    // reached then ends in the offscreen platform instead of an abort. X11
    // (also through XWayland) comes first: its plugin is always installed
    // with Qt, the Wayland one only sometimes.
    const QByteArray desktop = qEnvironmentVariableIsEmpty("DISPLAY") ? "wayland" : "xcb";
    qputenv("QT_QPA_PLATFORM", desktop + ";offscreen");
}

QString NoDisplayReason()
{
    const QString platform = QString::fromLocal8Bit(UserPlatform());
    if (!platform.isNull())
        return QCoreApplication::translate("terminal", "QT_QPA_PLATFORM is %1").arg(platform);
    if (qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY")) {
        return QCoreApplication::translate("terminal", "neither DISPLAY nor WAYLAND_DISPLAY is set");
    }
    QStringList displays;
    if (!qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY"))
        displays.append(qEnvironmentVariable("WAYLAND_DISPLAY"));
    if (!qEnvironmentVariableIsEmpty("DISPLAY"))
        displays.append(qEnvironmentVariable("DISPLAY"));
    return QCoreApplication::translate("terminal", "the display %1 cannot be reached")
        .arg(displays.join(QStringLiteral(" / ")));
}

QtWarningGate::QtWarningGate()
{
    DefaultHandler() = qInstallMessageHandler(HoldBack);
}

void QtWarningGate::Open(bool haveDisplay)
{
    if (!haveDisplay) {
        qInstallMessageHandler(Quiet);
        Held().clear();
        return;
    }
    qInstallMessageHandler(DefaultHandler());
    for (const HeldMessage& message : Held()) {
        const QMessageLogContext context(message.file.isNull() ? nullptr : message.file.constData(),
                                         message.line,
                                         message.function.isNull() ? nullptr : message.function.constData(),
                                         message.category.isNull() ? nullptr : message.category.constData());
        DefaultHandler()(message.type, context, message.text);
    }
    Held().clear();
}

} // namespace app

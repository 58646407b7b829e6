#include "platform/lastingClipboard.h"

#include "platform/display.h"
#include "platform/writeAll.h"

#include <QClipboard>
#include <QFile>
#include <QGuiApplication>

#include <xcb/xcb.h>

#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <spawn.h>

#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

extern char** environ;

namespace platform {
namespace {

constexpr char kReady = '1';
// How long the keeper may take to come up and own the clipboard.
constexpr int kReadyMilliseconds = 5000;

// Starts the keeper with text on its standard input; true once it says it
// owns the clipboard. It is not waited for: it lives on after this process.
bool StartKeeper(const QString& text)
{
    int input[2], answer[2];
    if (pipe2(input, O_CLOEXEC) != 0)
        return false;
    if (pipe2(answer, O_CLOEXEC) != 0) {
        close(input[0]);
        close(input[1]);
        return false;
    }
    posix_spawn_file_actions_t files;
    posix_spawn_file_actions_init(&files);
    posix_spawn_file_actions_adddup2(&files, input[0], STDIN_FILENO);
    posix_spawn_file_actions_adddup2(&files, answer[1], STDOUT_FILENO);
    posix_spawn_file_actions_addopen(&files, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    posix_spawnattr_t attributes;
    posix_spawnattr_init(&attributes);
    // A session of its own: the terminal's Ctrl+C and hang-up, which end
    // this run, leave the clipboard alone.
    posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSID);
    const QByteArray program = QFile::encodeName(QCoreApplication::applicationFilePath());
    char* argv[] = {const_cast<char*>(program.constData()), const_cast<char*>("--keep-clipboard"), nullptr};
    pid_t keeper = -1;
    const bool started = posix_spawn(&keeper, argv[0], &files, &attributes, argv, environ) == 0;
    posix_spawn_file_actions_destroy(&files);
    posix_spawnattr_destroy(&attributes);
    close(input[0]);
    close(answer[1]);
    // A keeper that ends early must not end this process with SIGPIPE.
    const auto previous = std::signal(SIGPIPE, SIG_IGN);
    const bool given = started && WriteAll(input[1], text.toUtf8());
    std::signal(SIGPIPE, previous);
    close(input[1]);
    char said = 0;
    pollfd ready{answer[0], POLLIN, 0};
    const bool kept =
        given && poll(&ready, 1, kReadyMilliseconds) == 1 && read(answer[0], &said, 1) == 1 && said == kReady;
    close(answer[0]);
    return kept;
}

// Whether an X11 clipboard manager runs: it owns the CLIPBOARD_MANAGER
// selection, and Qt hands the clipboard to it when the application ends.
bool ClipboardManagerRuns()
{
    const auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    xcb_connection_t* connection = x11 ? x11->connection() : nullptr;
    if (connection == nullptr)
        return false;
    static const char name[] = "CLIPBOARD_MANAGER";
    xcb_intern_atom_reply_t* atom =
        xcb_intern_atom_reply(connection, xcb_intern_atom(connection, 1, sizeof name - 1, name), nullptr);
    if (atom == nullptr)
        return false;
    const xcb_atom_t selection = atom->atom;
    std::free(atom);
    if (selection == XCB_ATOM_NONE)
        return false;
    xcb_get_selection_owner_reply_t* owner =
        xcb_get_selection_owner_reply(connection, xcb_get_selection_owner(connection, selection), nullptr);
    const bool runs = owner != nullptr && owner->owner != XCB_NONE;
    std::free(owner);
    return runs;
}

} // namespace

void LastingClipboard::Clear()
{
    here_.Clear();
}

void LastingClipboard::SetText(const QString& text)
{
    if (!HasDisplay() || !StartKeeper(text))
        here_.SetText(text);
}

QString LastingClipboard::Text()
{
    return here_.Text();
}

int KeepClipboard()
{
    // Nothing of a folder stays in use for as long as this process lives.
    (void)!chdir("/");
    QFile input;
    if (!HasDisplay() || !input.open(stdin, QIODevice::ReadOnly))
        return 1;
    const QString text = QString::fromUtf8(input.readAll());
    QClipboard* clipboard = QGuiApplication::clipboard();
    clipboard->setText(text);
    if (!clipboard->ownsClipboard())
        return 1;
    const bool manager = ClipboardManagerRuns();
    (void)!write(STDOUT_FILENO, &kReady, 1);
    close(STDOUT_FILENO);
    if (manager)
        return 0;
    QObject::connect(clipboard, &QClipboard::changed, qGuiApp, [clipboard](QClipboard::Mode mode) {
        if (mode == QClipboard::Clipboard && !clipboard->ownsClipboard())
            QCoreApplication::quit();
    });
    return QGuiApplication::exec();
}

} // namespace platform

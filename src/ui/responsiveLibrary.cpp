#include "ui/responsiveLibrary.h"

#include <QEventLoop>
#include <QMetaObject>

#include <exception>
#include <functional>
#include <thread>

namespace {

// Runs call on a worker thread and turns the event loop until it is done;
// what the call throws is thrown here.
int WhileEventsTurn(const std::function<int()>& call)
{
    int result = 0;
    std::exception_ptr failure;
    QEventLoop loop;
    std::thread worker([&] {
        try {
            result = call();
        } catch (...) {
            failure = std::current_exception();
        }
        QMetaObject::invokeMethod(&loop, &QEventLoop::quit, Qt::QueuedConnection);
    });
    loop.exec();
    worker.join();
    if (failure)
        std::rethrow_exception(failure);
    return result;
}

} // namespace

ResponsiveLibrary::ResponsiveLibrary(std::shared_ptr<archiver::IArchiverLibrary> library)
    : library_(std::move(library))
{}

int ResponsiveLibrary::GetVersion()
{
    return library_->GetVersion();
}

bool ResponsiveLibrary::GetRunning()
{
    return library_->GetRunning();
}

int ResponsiveLibrary::CheckArchive(const QString& path, int mode)
{
    return WhileEventsTurn([&] { return library_->CheckArchive(path, mode); });
}

int ResponsiveLibrary::Run(const QString& commandLine)
{
    return WhileEventsTurn([&] { return library_->Run(commandLine); });
}

archiver::Libraries ResponsiveLibrary::Wrap(const archiver::Libraries& libraries)
{
    archiver::Libraries wrapped = libraries;
    if (libraries.Unlha)
        wrapped.Unlha = std::make_shared<ResponsiveLibrary>(libraries.Unlha);
    if (libraries.Cab)
        wrapped.Cab = std::make_shared<ResponsiveLibrary>(libraries.Cab);
    return wrapped;
}

#include "archiver/sharedLibrary.h"

#include <QFileInfo>

namespace archiver {
namespace {

// The output text is never shown; 8 KiB holds any report a library writes.
constexpr qsizetype OutputSize = 8 * 1024;

} // namespace

SharedArchiverLibrary::SharedArchiverLibrary(const QString& file) : library_(file), output_(OutputSize, '\0')
{}

std::unique_ptr<SharedArchiverLibrary> SharedArchiverLibrary::Load(const QString& file, const char* prefix)
{
    if (!QFileInfo(file).isFile())
        return nullptr;
    std::unique_ptr<SharedArchiverLibrary> lib(new SharedArchiverLibrary(file));
    if (!lib->library_.load())
        return nullptr;
    const QByteArray name(prefix);
    lib->main_ = reinterpret_cast<MainFn>(lib->library_.resolve(name.constData()));
    lib->version_ = reinterpret_cast<VersionFn>(lib->library_.resolve((name + "GetVersion").constData()));
    lib->running_ = reinterpret_cast<RunningFn>(lib->library_.resolve((name + "GetRunning").constData()));
    lib->check_ = reinterpret_cast<CheckFn>(lib->library_.resolve((name + "CheckArchive").constData()));
    if (!lib->main_ || !lib->version_ || !lib->running_ || !lib->check_)
        return nullptr;
    return lib;
}

int SharedArchiverLibrary::GetVersion()
{
    return version_();
}

bool SharedArchiverLibrary::GetRunning()
{
    return running_() != 0;
}

int SharedArchiverLibrary::CheckArchive(const QString& path, int mode)
{
    return check_(path.toUtf8().constData(), mode);
}

int SharedArchiverLibrary::Run(const QString& commandLine)
{
    output_.fill('\0');
    return main_(nullptr, commandLine.toUtf8().constData(), output_.data(),
                 static_cast<std::uint32_t>(output_.size()));
}

QByteArray SharedArchiverLibrary::LastOutput() const
{
    return QByteArray(output_.constData());
}

} // namespace archiver

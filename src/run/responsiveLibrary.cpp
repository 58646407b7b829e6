#include "run/responsiveLibrary.h"

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
    return background_.Run([&] { return library_->CheckArchive(path, mode); });
}

int ResponsiveLibrary::Run(const QString& commandLine)
{
    return background_.Run([&] { return library_->Run(commandLine); });
}

archiver::Libraries ResponsiveLibrary::Wrap(const archiver::Libraries& libraries)
{
    archiver::Libraries wrapped = libraries;
    for (archiver::LoadedLibrary& loaded : wrapped.ofKind) {
        if (loaded.library)
            loaded.library = std::make_shared<ResponsiveLibrary>(loaded.library);
    }
    return wrapped;
}

#include "support/fatFolder.h"

#include "support/fileBytes.h"
#include "support/shell.h"

#include <chrono>
#include <csignal>
#include <thread>

#include <fcntl.h>
#include <sys/prctl.h>
#include <sys/vfs.h>
#include <sys/wait.h>
#include <unistd.h>

namespace testSupport {
namespace {

constexpr long kFuseMagic = 0x65735546;

} // namespace

FatFolder::FatFolder() : mountPoint_(dir_ / "fat")
{
    std::filesystem::create_directory(mountPoint_);
    if (access("/dev/fuse", R_OK | W_OK) != 0) {
        unavailable_ = "no usable /dev/fuse";
        return;
    }
    const std::string image = dir_ / "fat.img";
    std::string output;
    if (Shell("truncate -s 16M " + Quote(image) + " && mkfs.fat " + Quote(image) + " 2>&1", &output) != 0) {
        unavailable_ = "mkfs.fat (dosfstools) could not make the image: " + output;
        return;
    }
    const std::string log = dir_ / "fusefat.log";
    daemon_ = fork();
    if (daemon_ == 0) {
        // The daemon ends with the test process, and the watchdog that
        // auto_unmount starts then unmounts.
        prctl(PR_SET_PDEATHSIG, SIGTERM);
        const int out = open(log.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        dup2(out, STDOUT_FILENO);
        dup2(out, STDERR_FILENO);
        // No name is kept in the kernel's cache: the cache knows nothing of
        // folded case and would keep "A.EXE" after "a.exe" went.
        execlp("fusefat", "fusefat", "-f", "-o",
               "rw+,auto_unmount,entry_timeout=0,negative_timeout=0,attr_timeout=0", image.c_str(),
               mountPoint_.c_str(), static_cast<char*>(nullptr));
        _exit(127);
    }
    for (int i = 0; i < 200 && !Mounted(); ++i) {
        int status = 0;
        if (waitpid(daemon_, &status, WNOHANG) == daemon_) {
            daemon_ = -1;
            unavailable_ = WIFEXITED(status) && WEXITSTATUS(status) == 127
                ? "fusefat is not installed"
                : "fusefat could not mount the image: " + Log();
            return;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    if (!Mounted())
        unavailable_ = "fusefat did not mount the image within 10 s: " + Log();
}

FatFolder::~FatFolder()
{
    // A file still open there (a failing test's) makes the folder busy for a
    // moment; a lazy unmount is the last resort.
    for (int i = 0; i < 50 && Mounted(); ++i) {
        Shell("fusermount -u -- " + Quote(mountPoint_) + " 2>/dev/null");
        if (Mounted())
            std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
    if (Mounted())
        Shell("fusermount -u -z -- " + Quote(mountPoint_) + " 2>/dev/null");
    if (daemon_ > 0) {
        kill(daemon_, SIGTERM);
        waitpid(daemon_, nullptr, 0);
    }
}

bool FatFolder::Mounted() const
{
    struct statfs system;
    return statfs(mountPoint_.c_str(), &system) == 0 && system.f_type == kFuseMagic;
}

std::string FatFolder::Log() const
{
    return ReadBytes(dir_ / "fusefat.log");
}

} // namespace testSupport

#include "cabCommand.h"

namespace cab32 {
namespace {

// -f makes the Win32 kind and replaces an earlier output of the same name.
tbarc::Request CabDefaults()
{
    tbarc::Request request;
    request.kind = tbarc::SfxKind::Win32;
    request.replaceExisting = true;
    return request;
}

} // namespace

const tbarc::CommandSyntax kCabSyntax = {"-f",
                                         "the only command is -f (make a self-extractor)",
                                         "a cabinet",
                                         CabDefaults(),
                                         /*kindsConflict=*/false,
                                         nullptr};

} // namespace cab32

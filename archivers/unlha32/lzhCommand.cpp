#include "lzhCommand.h"

namespace unlha32 {
namespace {

bool LzhOption(const std::string& o, tbarc::Request& request)
{
    if (o == "-+")
        request.replaceExisting = true;
    else if (o != "-jyo" && o != "-x1")
        return false;
    // -jyo and -x1 are always so: no questions asked, folder names kept in the stub.
    return true;
}

tbarc::Request LzhDefaults()
{
    tbarc::Request request;
    request.kind = tbarc::SfxKind::Dos; // neither -gw2 nor -jw2
    return request;
}

} // namespace

const tbarc::CommandSyntax kLzhSyntax = {"s",
                                         "the only command is s (make a self-extractor)",
                                         "an archive",
                                         LzhDefaults(),
                                         /*kindsConflict=*/true,
                                         LzhOption};

} // namespace unlha32

#include "cabDecompressor.h"

#include "resultCodes.h"

namespace cab32 {
namespace {

// Any name will do: the I/O layer maps every read to its view of the input.
char kInputName[] = "input";
char kSinkName[] = "sink";

} // namespace

const char* const kHeadersOutsideLength = "the cabinet's headers do not lie within its length";
const char* const kFolderMissing = "the cabinet's file table names folders it does not have";

Decompressor::Decompressor(CabSystem& system) : cabd(mspack_create_cab_decompressor(&system.base)) {}

Decompressor::~Decompressor()
{
    if (cabd != nullptr) {
        if (cabinet != nullptr)
            cabd->close(cabd, cabinet);
        mspack_destroy_cab_decompressor(cabd);
    }
}

bool Decompressor::Open()
{
    if (cabd != nullptr)
        cabinet = cabd->open(cabd, kInputName);
    return cabinet != nullptr;
}

int Decompressor::Decode(mscabd_file* file, std::string& detail)
{
    const int error = cabd->extract(cabd, file, kSinkName);
    if (error == MSPACK_ERR_OK)
        return tbarc::kDone;
    if (error == MSPACK_ERR_NOMEMORY)
        return tbarc::kInternalError;
    detail = std::string("the data of ") + file->filename + " is damaged";
    return tbarc::kDamagedData;
}

} // namespace cab32

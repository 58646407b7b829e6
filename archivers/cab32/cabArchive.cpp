#include "cabArchive.h"

#include "cabSystem.h"
#include "inputFile.h"
#include "outputFile.h"
#include "resultCodes.h"

#include <cstring>

namespace cab32 {
namespace {

// Any name will do: the I/O layer maps every read to the input file.
char kInputName[] = "input";
char kSinkName[] = "sink";

struct Decompressor {
    explicit Decompressor(CabSystem& system) : cabd(mspack_create_cab_decompressor(&system.base)) {}
    ~Decompressor()
    {
        if (cabd != nullptr) {
            if (cabinet != nullptr)
                cabd->close(cabd, cabinet);
            mspack_destroy_cab_decompressor(cabd);
        }
    }
    mscab_decompressor* cabd;
    mscabd_cabinet* cabinet = nullptr;
};

bool StartsWithSignature(const tbarc::InputFile& input)
{
    char signature[4] = {};
    return input.ReadAt(0, signature, 4) == 4 && std::memcmp(signature, "MSCF", 4) == 0;
}

} // namespace

const char* CabArchive::StubFileName(tbarc::SfxKind kind) const
{
    return kind == tbarc::SfxKind::Win32 ? "cab-win32.exe" : nullptr;
}

int CabArchive::Find(const tbarc::InputFile& input, bool testData, std::string& detail)
{
    CabSystem system = MakeCabSystem(input);
    Decompressor d(system);
    if (d.cabd == nullptr)
        return tbarc::kInternalError;
    // A file that starts with a cabinet is that cabinet; anything else (a
    // self-extractor, or a signature that opens no cabinet) is searched, and
    // the first cabinet found is the archive.
    const bool signatureFirst = StartsWithSignature(input);
    d.cabinet = signatureFirst ? d.cabd->open(d.cabd, kInputName) : nullptr;
    plain_ = d.cabinet != nullptr;
    if (d.cabinet == nullptr)
        d.cabinet = d.cabd->search(d.cabd, kInputName);
    if (d.cabinet == nullptr) {
        detail = signatureFirst ? "the cabinet's headers are damaged" : "no cabinet found";
        return signatureFirst ? tbarc::kCorruptArchive : tbarc::kNotAnArchive;
    }
    const mscabd_cabinet* cab = d.cabinet;
    base_ = static_cast<std::uint64_t>(cab->base_offset);
    length_ = cab->length;
    if (base_ + length_ > input.Size()) {
        detail = "the cabinet is cut short";
        return tbarc::kCorruptArchive;
    }
    auto layout = ReadCabLayout(input, base_);
    if (!layout) {
        detail = "the cabinet's file table is damaged";
        return tbarc::kCorruptArchive;
    }
    layout_ = std::move(*layout);
    const bool partOfSet = (cab->flags & (MSCAB_HDR_PREVCAB | MSCAB_HDR_NEXTCAB)) != 0;
    if (partOfSet) {
        // Its other parts are not in this file, so its data cannot be tested.
        detail = "the cabinet is one part of a cabinet set";
        return tbarc::kUnsupportedArchive;
    }
    if (testData) {
        for (mscabd_file* f = cab->files; f != nullptr; f = f->next) {
            if (d.cabd->extract(d.cabd, f, kSinkName) != MSPACK_ERR_OK) {
                detail = std::string("the data of ") + f->filename + " is damaged";
                return tbarc::kCorruptArchive;
            }
        }
    }
    return tbarc::kDone;
}

int CabArchive::Locate(const tbarc::InputFile& input, std::string& detail)
{
    return Find(input, false, detail);
}

bool CabArchive::Check(const tbarc::InputFile& input)
{
    std::string detail;
    const int rc = Find(input, true, detail);
    return rc == tbarc::kDone || rc == tbarc::kUnsupportedArchive;
}

std::vector<tbarc::EntryName> CabArchive::Entries() const
{
    std::vector<tbarc::EntryName> names;
    for (const CabFileRecord& r : layout_.files)
        names.push_back(
            {r.name, (r.attribs & kUtf8NameAttrib) ? tbarc::NameEncoding::Utf8 : tbarc::NameEncoding::Ansi});
    return names;
}

int CabArchive::WriteArchive(const tbarc::InputFile& input, const std::vector<bool>& leaveOut,
                             tbarc::OutputFile& out)
{
    bool any = false;
    for (bool b : leaveOut)
        any = any || b;
    if (!any) {
        // A plain .CAB is copied whole; an embedded one exactly as long as it is.
        return plain_ ? out.CopyFrom(input, 0, input.Size()) : out.CopyFrom(input, base_, length_);
    }
    // Folders and their data blocks stay as they are; a left-out file's bytes
    // remain in its folder's stream, only its record goes.
    const auto head = HeadWithout(layout_, leaveOut);
    if (!head)
        return tbarc::kUnsupportedArchive;
    if (const int rc = out.Write(head->data(), head->size()); rc != tbarc::kDone)
        return rc;
    return out.CopyFrom(input, base_ + layout_.filesEnd, length_ - layout_.filesEnd);
}

} // namespace cab32

#include "cabFolderCheck.h"

#include "archiveStream.h"
#include "batchQueue.h"
#include "cabDecompressor.h"
#include "checkThreads.h"
#include "inputFile.h"
#include "resultCodes.h"

#include <deque>
#include <new>
#include <optional>
#include <thread>
#include <unordered_map>

namespace cab32 {
namespace {

// A folder of more data than this keeps the cabinet on one thread, which
// streams it.
constexpr std::uint64_t kLargestFolder = 16u << 20;

struct FolderBatch : tbarc::QueuedBatch {
    std::size_t folder = 0;
    std::vector<std::uint8_t> bytes; // its data; the thread lets go of them once decoded
    std::string detail;
};

using FolderQueue = tbarc::BatchQueue<FolderBatch>;

// Where folder f's data ends: where the next one's starts, or at the end of
// the cabinet.
std::uint64_t FolderEnd(const CabLayout& layout, std::size_t f, std::uint64_t length)
{
    return f + 1 < layout.folderStarts.size() ? layout.folderStarts[f + 1] : length;
}

// Reads [at, at + length) of the cabinet whole; false on a short read.
bool ReadWhole(const CabinetToCheck& cabinet, std::uint64_t at, std::uint8_t* bytes, std::size_t length)
{
    for (std::size_t done = 0; done < length;) {
        const std::uint64_t offset = cabinet.base + at + done;
        const std::size_t got = cabinet.stream != nullptr
            ? cabinet.stream->ReadAt(offset, bytes + done, length - done)
            : cabinet.input.ReadAt(offset, bytes + done, length - done);
        if (got == 0)
            return false;
        done += got;
    }
    return true;
}

// A thread's work: its own view of the cabinet, the head and the folder of
// the batch at hand held in memory, and its own decompressor.
class FolderDecoder {
public:
    FolderDecoder(const CabinetToCheck& cabinet, const std::vector<std::uint8_t>& head,
                  const std::vector<bool>& leaveOut)
        : starts_(cabinet.layout.folderStarts), held_{{0, head.data(), head.size()}, {}},
          system_(MakeCabSystem(cabinet.input, cabinet.base, cabinet.length)), decompressor_(system_)
    {
        system_.held = &held_;
        if (!decompressor_.Open())
            return;
        // Each folder's files not left out, in file-table order.
        std::unordered_map<const mscabd_folder*, std::size_t> folderIndex;
        for (const mscabd_folder* f = decompressor_.cabinet->folders; f != nullptr; f = f->next)
            folderIndex.emplace(f, folderIndex.size());
        files_.resize(folderIndex.size());
        std::size_t i = 0;
        for (mscabd_file* f = decompressor_.cabinet->files; f != nullptr; f = f->next, ++i) {
            if (i < leaveOut.size() && leaveOut[i])
                continue;
            if (const auto found = folderIndex.find(f->folder); found != folderIndex.end())
                files_[found->second].push_back(f);
        }
    }

    void Decode(FolderBatch& batch)
    {
        if (decompressor_.cabd == nullptr) {
            batch.result = tbarc::kInternalError;
            return;
        }
        if (decompressor_.cabinet == nullptr) {
            batch.result = tbarc::kDamagedData;
            batch.detail = kHeadersOutsideLength;
            return;
        }
        held_[1] = {starts_[batch.folder], batch.bytes.data(), batch.bytes.size()};
        if (batch.folder < files_.size()) {
            for (mscabd_file* file : files_[batch.folder]) {
                batch.result = decompressor_.Decode(file, batch.detail);
                if (batch.result != tbarc::kDone)
                    break;
            }
        }
        held_[1] = {};
        std::vector<std::uint8_t>().swap(batch.bytes);
    }

private:
    const std::vector<std::uint32_t>& starts_;
    std::vector<HeldBytes> held_;
    CabSystem system_;
    Decompressor decompressor_;
    std::vector<std::vector<mscabd_file*>> files_;
};

} // namespace

unsigned FolderCheckThreads(const CabLayout& layout, std::uint64_t length)
{
    if (layout.folderCount < 2)
        return 1;
    std::uint64_t previous = layout.filesEnd;
    for (std::size_t f = 0; f < layout.folderStarts.size(); ++f) {
        const std::uint64_t start = layout.folderStarts[f], end = FolderEnd(layout, f, length);
        if (start < previous || end <= start || end - start > kLargestFolder)
            return 1;
        previous = end;
    }
    return tbarc::CheckThreads(length);
}

int TestFoldersOnThreads(const CabinetToCheck& cabinet, const std::vector<bool>& leaveOut, unsigned threads,
                         std::string& detail)
{
    const std::vector<std::uint32_t>& starts = cabinet.layout.folderStarts;
    std::vector<std::uint8_t> head(starts.front());
    bool whole = ReadWhole(cabinet, 0, head.data(), head.size());
    // libmspack's own reading of the file table, for the records it passes over.
    std::size_t files = 0;
    bool opened = false;
    if (whole) {
        const std::vector<HeldBytes> held{{0, head.data(), head.size()}};
        CabSystem system = MakeCabSystem(cabinet.input, cabinet.base, cabinet.length);
        system.held = &held;
        Decompressor d(system);
        opened = d.Open();
        for (mscabd_file* f = opened ? d.cabinet->files : nullptr; f != nullptr; f = f->next)
            ++files;
    }
    std::deque<FolderBatch> batches;
    if (opened) {
        FolderQueue queue(threads);
        std::vector<std::jthread> workers;
        try {
            for (unsigned t = 0; t < threads; ++t)
                workers.emplace_back([&] {
                    std::optional<FolderDecoder> decoder;
                    try {
                        decoder.emplace(cabinet, head, leaveOut);
                    } catch (const std::bad_alloc&) {
                    }
                    while (FolderBatch* batch = queue.Pop()) {
                        if (decoder)
                            decoder->Decode(*batch);
                        else
                            batch->result = tbarc::kInternalError;
                        queue.MarkDone(batch);
                    }
                });
            for (std::size_t f = 0; f < starts.size() && whole; ++f) {
                const std::uint64_t end = FolderEnd(cabinet.layout, f, cabinet.length);
                FolderBatch& batch = batches.emplace_back();
                batch.folder = f;
                batch.bytes.resize(end - starts[f]);
                whole = ReadWhole(cabinet, starts[f], batch.bytes.data(), batch.bytes.size());
                if (!whole || !queue.Push(&batch)) {
                    batches.pop_back();
                    break;
                }
            }
        } catch (...) {
            queue.Stop(); // the threads end, leaving what they have not begun
            throw;
        }
        queue.Close();
    } // the threads are joined: every batch pushed is decoded
    // A failed write makes the stream read nothing more: its cause comes first.
    if (cabinet.stream != nullptr && cabinet.stream->Error() != tbarc::kDone)
        return cabinet.stream->Error();
    for (const FolderBatch& batch : batches) {
        if (batch.result != tbarc::kDone) {
            detail = batch.detail;
            return batch.result;
        }
    }
    if (!whole) {
        detail = tbarc::kInputChanged;
        return tbarc::kCannotReadInput;
    }
    if (!opened) {
        detail = kHeadersOutsideLength;
        return tbarc::kDamagedData;
    }
    if (files != cabinet.layout.files.size()) {
        detail = kFolderMissing;
        return tbarc::kDamagedData;
    }
    return tbarc::kDone;
}

} // namespace cab32

#pragma once

// A worker process of the automatic run: tollbrook2-worker, started by the
// run with the parent's process number, the kind, the output folder and the
// --lang= option of the call when it had one. It converts the batches of
// archives the parent sends over standard input, with its own library
// instances, and answers each on standard output (workerFrames.h).
namespace run {

// The worker's whole life; its exit status.
int RunConversionWorker(int argc, char** argv);

} // namespace run

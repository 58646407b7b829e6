#pragma once

// A worker process of a run: tollbrook2-worker, started by the run with the
// parent's process number. It takes the run's opening (kind, output folder,
// options, language) and then the batches of archives the parent sends over
// standard input, converts them with its own library instances, and answers
// each on standard output (workerFrames.h). It never reads the settings.
namespace run {

// The worker's whole life; its exit status.
int RunConversionWorker(int argc, char** argv);

} // namespace run

#pragma once

// A worker process of the automatic run: the program started again by the
// run with kWorkerArgument, then the parent's process number, the kind, the
// output folder and the --lang= option of the call when it had one. It
// converts the archives the parent sends over standard input one at a time,
// with its own library instances, and answers each with the engine's report
// on standard output.
namespace app {

inline constexpr char kWorkerArgument[] = "--conversion-worker";

bool IsConversionWorker(int argc, char** argv);

// The worker's whole life; its exit status.
int RunConversionWorker(int argc, char** argv);

} // namespace app

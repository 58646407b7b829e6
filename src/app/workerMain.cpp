// The worker process of the automatic run (conversionWorker.h).
#include "run/conversionWorker.h"

int main(int argc, char* argv[])
{
    return run::RunConversionWorker(argc, argv);
}

// The worker process of the automatic run (conversionWorker.h).
#include "app/conversionWorker.h"

int main(int argc, char* argv[])
{
    return app::RunConversionWorker(argc, argv);
}

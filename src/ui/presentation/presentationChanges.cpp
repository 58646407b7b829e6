#include "ui/presentation/presentationChanges.h"

PresentationChanges& PresentationChanges::Current()
{
    static PresentationChanges changes;
    return changes;
}

// Compiled as a file of print/ would be: an include of a folder above it must not be found.
#include "clients/client_export.h"

int upward()
{
    return kExportFieldCount;
}

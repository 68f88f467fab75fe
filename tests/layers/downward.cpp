// Compiled as a file of print/ would be: the folders below it are found.
#include "db/tables.h"
#include "print/registers.h"
#include "report/page.h"

int downward()
{
    return int(RegisterKind::Payments);
}

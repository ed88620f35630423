// File names are UTF-8 natively: no byte of a multibyte character is a separator.
#include "io/bulk/BulkPaths.h"

bool IsPathLeadByte(char)
{
    return false;
}

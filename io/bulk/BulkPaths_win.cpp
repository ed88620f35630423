// Double-byte characters of the system code page in file names.
#include "io/bulk/BulkPaths.h"

#include <windows.h>

bool IsPathLeadByte(char c)
{
    return IsDBCSLeadByte(static_cast<BYTE>(c)) != 0;
}

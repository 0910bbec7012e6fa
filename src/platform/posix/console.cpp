#include "platform/platform.h"

// A terminal here takes the bytes of a name as they are.
void utf8console()
{
}

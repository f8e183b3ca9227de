#include "platform/Console.h"

void useParentConsole()
{
}

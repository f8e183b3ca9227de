#include "platform/Arguments.h"

std::vector<std::string> arguments::inUtf8(int argc, char **argv)
{
    return {argv, argv + argc};
}

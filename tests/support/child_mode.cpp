#include "child_mode.h"

#include <vector>

namespace {
std::vector<ChildModeHandler> &handlers()
{
    static std::vector<ChildModeHandler> list;
    return list;
}
} // namespace

bool registerChildMode(ChildModeHandler handler)
{
    handlers().push_back(handler);
    return true;
}

int runChildMode(int argc, char **argv)
{
    for (ChildModeHandler handler : handlers()) {
        const int result = handler(argc, argv);
        if (result >= 0)
            return result;
    }
    return -1;
}

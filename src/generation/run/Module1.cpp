#include "Module1.h"

namespace huespan {

Module1& module1()
{
    static Module1 state;
    return state;
}

} // namespace huespan

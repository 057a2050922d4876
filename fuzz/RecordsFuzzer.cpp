// Forges the program's records from the input and starts on them: nothing outside
// the records may change, and no start may crash.

#include "RecordForgery.h"

#include <cstdio>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string fault = quorvel::fuzz::ForgedStartFault({data, size});
    if (fault.empty())
        return 0;
    std::fputs(fault.c_str(), stderr);
    std::abort();
}

// create-dataset and modify-dataset with a member list; see cli_file_fuzzer.h.
#include "fuzz/cli_file_fuzzer.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    return RunCliFileInput(data, size, {"create-dataset", "modify-dataset"}, "--members");
}

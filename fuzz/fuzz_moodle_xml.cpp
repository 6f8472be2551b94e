// Fuzz target: the Moodle XML question reader on the bytes of a file.
#include "exchange_target.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    return fuzzQuestionReader(exchange::Format::MoodleXml, data, size);
}

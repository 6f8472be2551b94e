// Fuzz target: the field reader and the question-set loader on the bytes of a file.
#include "platform/text_file.h"
#include "worksheets/question_set.h"

#include <QByteArray>

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    {
        TextInput file(bytes);
        QuestionSet set;
        bool loaded = true;
        try {
            loadquestions(file, set);
        } catch (const ReadFailure&) {
            loaded = false;
        }
        // A set that loads is one the quiz can ask: every question names an existing option.
        if (loaded)
            for (int q = 1; q <= 10; ++q)
                if (correctOption(set.question(q)) == 0)
                    std::abort();
    }
    {
        TextInput file(bytes);
        qint64 fields = 0;
        try {
            for (;;) {
                readfield(file);
                if (++fields > qint64(size) + 1) // every field consumes at least one byte
                    std::abort();
            }
        } catch (const ReadFailure&) {
        }
    }
    return 0;
}

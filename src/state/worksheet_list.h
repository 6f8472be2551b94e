// The worksheet list in memory: the titles of the teachers' worksheets.
#pragma once

#include "platform/text_file.h"

#include <QString>

#include <array>

struct WorksheetList {
    static constexpr int maxTitles = 1000;
    int count = 0;
    std::array<QString, maxTitles + 1> titles; // slots 1..1000; slot 0 unused

    // Stores into a slot; throws ReadFailure for a slot outside 1..1000.
    void store(int slot, const QString& title)
    {
        if (slot < 1 || slot > maxTitles)
            throw ReadFailure("worksheet list slot out of range");
        titles[slot] = title;
    }
};

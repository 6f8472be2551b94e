// The paging rules of the paged reader and the guide: page file names, page labels and
// which of Next Page and Previous Page can be pressed.
#pragma once

#include "content/page_names.h"

#include <QString>

namespace reader {

// "Page 1 of 2": each number written with one leading space.
QString pageLabel(int page, int pageCount);

// Where the reader stands and what its paging buttons allow.
struct Paging {
    int page = 1;
    bool nextEnabled = true;
    bool previousEnabled = false;
};

// Next Page and Previous Page of a set of pageCount pages: the page moves, the button of the
// end just left is enabled again, and a button is disabled on reaching its own end.
Paging next(Paging p, int pageCount);
Paging previous(Paging p, int pageCount);

} // namespace reader

namespace guide {

inline constexpr int pageCount = 4;

// The guide's own table: a paging button is enabled, disabled, or left as it was.
enum class Button { Unchanged, Enabled, Disabled };

struct Page {
    const char* screenCopy;
    const char* printCopy;
    Button next;
    Button previous;
};

// Pages 1..4; any other number has no entry.
const Page* page(int n);

// "Page 2 of 4".
QString pageLabel(int page);

// The paging buttons after showing page n, from the states they had before.
reader::Paging show(reader::Paging before, int n);

} // namespace guide

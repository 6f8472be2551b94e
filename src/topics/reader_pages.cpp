#include "reader_pages.h"

namespace reader {

QString pageLabel(int page, int pageCount)
{
    return QStringLiteral("Page ") + QString::number(page) + QStringLiteral(" of ") + QString::number(pageCount);
}

namespace {
Paging settle(Paging p, int pageCount)
{
    if (p.page == pageCount)
        p.nextEnabled = false;
    if (p.page == 1)
        p.previousEnabled = false;
    return p;
}
} // namespace

Paging next(Paging p, int pageCount)
{
    ++p.page;
    p.previousEnabled = true;
    return settle(p, pageCount);
}

Paging previous(Paging p, int pageCount)
{
    --p.page;
    p.nextEnabled = true;
    return settle(p, pageCount);
}

} // namespace reader

namespace guide {

namespace {
using B = Button;
const Page pages[pageCount] = {
    {"wmf\\guide1.wmf", "wmf2\\guide1.wmf", B::Unchanged, B::Disabled},
    {"wmf\\guide2.wmf", "wmf2\\guide2.wmf", B::Unchanged, B::Enabled},
    {"wmf\\guide3.wmf", "wmf2\\guide3.wmf", B::Enabled, B::Enabled},
    {"wmf\\guide4.wmf", "wmf2\\guide4.wmf", B::Disabled, B::Enabled},
};

bool apply(Button b, bool before)
{
    return b == Button::Unchanged ? before : b == Button::Enabled;
}
} // namespace

const Page* page(int n) { return n >= 1 && n <= pageCount ? &pages[n - 1] : nullptr; }

QString pageLabel(int n) { return reader::pageLabel(n, pageCount); }

reader::Paging show(reader::Paging before, int n)
{
    reader::Paging p = before;
    p.page = n;
    if (const Page* entry = page(n)) {
        p.nextEnabled = apply(entry->next, before.nextEnabled);
        p.previousEnabled = apply(entry->previous, before.previousEnabled);
    }
    return p;
}

} // namespace guide

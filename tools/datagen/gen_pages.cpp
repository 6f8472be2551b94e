// The reading pages as Windows metafiles: each page's screen copy into "wmf\" and its print
// copy, under the same name, into "wmf2\"; beside the screen copy the words it reads aloud.
#include "generator.h"
#include "pages/pages_layout.h"

CORVANA_GENERATOR(pages)
{
    QList<pages::Page> all = pages::guidePages();
    all += pages::frontPages();
    for (const pages::Page& page : all) {
        QList<spoken::Sentence> words;
        out.writeBytes(QStringLiteral("wmf\\") + page.name + QStringLiteral(".wmf"),
                       pages::render(page, pages::Copy::Screen, &words));
        out.writeBytes(QStringLiteral("wmf\\") + page.name + QStringLiteral(".txt"), spoken::write(words));
        out.writeBytes(QStringLiteral("wmf2\\") + page.name + QStringLiteral(".wmf"),
                       pages::render(page, pages::Copy::Print));
    }
}

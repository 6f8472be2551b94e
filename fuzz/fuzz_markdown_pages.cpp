// Fuzz target: a Markdown page file made into pages and drawn as the screen and paper copies.
#include "gui_app.h"
#include "pages/content_build.h"

#include "platform/fonts.h"

#include <QByteArray>
#include <QGuiApplication>

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    startGuiApplication("fuzz_markdown_pages");
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    try {
        const QString text = contentbuild::readText(bytes, QStringLiteral("pages.md"));
        const auto figure = [](const QString&) -> std::optional<QByteArray> { return std::nullopt; };
        for (const auto role : {contentbuild::PageRole::KeyFacts, contentbuild::PageRole::Notes}) {
            const QList<pages::Page> list = contentbuild::pagesFromMarkdown(text, QStringLiteral("pages.md"), role,
                                                                            QStringLiteral("set"), figure);
            if (list.isEmpty() || list.size() > 3)
                std::abort();
            // One copy for each role keeps the runs quick; both copies share the page's sizes.
            const auto copy = role == contentbuild::PageRole::KeyFacts ? pages::Copy::Screen : pages::Copy::Print;
            for (const pages::Page& page : list) {
                try {
                    pages::render(page, copy);
                } catch (const std::exception&) {
                    // Text that does not fit its columns is reported, as the build reports it.
                }
            }
        }
    } catch (const contentbuild::ContentFailure& e) {
        if (e.error.file != QLatin1String("pages.md"))
            std::abort();
    }
    return 0;
}

#include "topic_routes.h"

#include "guide_screen.h"
#include "paged_reader.h"

namespace topics {

void openAcknowledgments(App& app)
{
    // No page set: the variant hides the paging itself.
    auto& reader = touchFreshReader(app);
    reader.showAsAcknowledgments();
    app.screens.show(reader);
}

void openTeachersGuide(App& app)
{
    // Each opening starts at page 1 on a freshly loaded guide.
    if (GuideScreen* open = app.screens.find<GuideScreen>())
        app.screens.close(*open);
    auto& guide = app.screens.touch<GuideScreen>();
    guide.setPage(QStringLiteral("wmf\\guide1.wmf"), QStringLiteral("wmf2\\guide1.wmf"));
    app.screens.show(guide);
}

void openIntroduction(App& app)
{
    auto& reader = touchFreshReader(app, {0, 1, QStringLiteral("introduction")});
    reader.setPage(QStringLiteral("wmf\\introduction.wmf"), QStringLiteral("wmf2\\introduction.wmf"));
    app.screens.show(reader);
}

} // namespace topics

#include "open_activity.h"

#include "activity_screen.h"

namespace {

template <class T> void open(App& app, const QString& title)
{
    auto& screen = app.screens.touch<T>();
    if (auto* label = screen.template item<QLabel>(QStringLiteral("Label6")))
        label->setText(title);
    app.screens.show(screen);
}

} // namespace

void openActivity(App& app, const QString& screenName, const QString& title)
{
    using namespace activity;
    if (screenName == QLatin1String(BonesLab::kName))
        open<BonesLab>(app, title);
    else if (screenName == QLatin1String(PartsLab::kName))
        open<PartsLab>(app, title);
    else if (screenName == QLatin1String(PartsOrd::kName))
        open<PartsOrd>(app, title);
    else if (screenName == QLatin1String(BonesOrd::kName))
        open<BonesOrd>(app, title);
}

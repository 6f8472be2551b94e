#include "topic_hub.h"

#include "paged_reader.h"

#include "activities/open_activity.h"
#include "platform/data_folder.h"
#include "platform/messages.h"
#include "quiz/open_quiz.h"
#include "shell/animation_frames.h"
#include "worksheets/question_set.h"

#include <QTimer>

namespace {

struct ButtonItem {
    const char* caption;
    double left, top, width, height;
};

const ButtonItem keyFactsButton{"Key Facts", 6360, 120, 1995, 495};
const ButtonItem notesButton{"Teacher's Notes", 8640, 120, 3195, 495};
const ButtonItem exitButton{"Exit", 10560, 7920, 1245, 495};

// Multiple Choice and the activities take the places left of Exit, three to a row; rows that
// do not fit go above, so that reading left to right and down still meets Multiple Choice
// first and the activities in their order, and the bottom row ends with Exit.
constexpr double bottomRowTop = 7920, rowPitch = 600;
constexpr double columnLefts[] = {120, 3600, 7080};
constexpr double buttonWidth = 3195, buttonHeight = 495;
// Between a hub picture made smaller and the buttons above the bottom row.
constexpr double pictureGap = 120;

QRectF bottomPlace(int i, int count)
{
    constexpr int perRow = 3;
    const int rows = (count + perRow - 1) / perRow;
    const int firstRow = count - perRow * (rows - 1);
    const int row = i < firstRow ? 0 : 1 + (i - firstRow) / perRow;
    const int column = i < firstRow ? i : (i - firstRow) % perRow;
    return {columnLefts[column], bottomRowTop - (rows - 1 - row) * rowPitch, buttonWidth, buttonHeight};
}

const FontSpec buttonFont{"Tahoma", 15.75, true};
const FontSpec titleFont{"Times New Roman", 27.75, true};


} // namespace

TopicHub::TopicHub(App& app, const TopicFile& topic)
    : Screen(app, topic.hub.screen), topic_(topic)
{
    const HubTopic& hub = topic_.hub;
    // The picture lies beneath the title and the buttons.
    image_ = addPicture(QStringLiteral("Image1"), {0, 0, 0, 0}, PictureItem::AutoSize);
    if (!hub.pictureCentred)
        place(image_, {hub.pictureTopLeft.x(), hub.pictureTopLeft.y(), 0, 0});
    addLabel(QStringLiteral("Label1"), {240, 0, 6240, 900}, hub.title, titleFont,
             ui::captionColour, Qt::AlignLeft | Qt::AlignTop);

    addBottomButtons();
    if (!hub.animation.isEmpty()) {
        timer_ = addTimer(QStringLiteral("Timer1"), 50);
        connect(timer_, &QTimer::timeout, this, &TopicHub::tick);
    }
}

int TopicHub::activityButton(int n) { return n == 0 ? Labelling : n == 1 ? Ordering : TeachersNotes + n - 1; }

int TopicHub::activityAt(int button)
{
    if (button == Labelling || button == Ordering)
        return button == Labelling ? 0 : 1;
    return button > TeachersNotes ? button - TeachersNotes + 1 : -1;
}

void TopicHub::addBottomButtons()
{
    const std::vector<HubActivity>& activities = topic_.hub.activities;
    const int activityCount = int(activities.size());
    // Made in the order of their numbers, which is also the order screen readers list them.
    const int last = activityCount > 2 ? activityButton(activityCount - 1) : TeachersNotes;
    QList<ButtonLabel*> all;
    for (int index = 0; index <= last; ++index) {
        QString caption;
        QRectF place;
        if (const int n = activityAt(index); n >= 0) {
            if (n >= activityCount)
                continue;
            caption = activities[n].caption;
            place = bottomPlace(n + 1, activityCount + 1);
        } else if (index == MultipleChoice) {
            caption = QStringLiteral("Multiple Choice");
            place = bottomPlace(0, activityCount + 1);
        } else {
            const ButtonItem& b = index == Exit ? exitButton : index == KeyFacts ? keyFactsButton : notesButton;
            caption = QString::fromLatin1(b.caption);
            place = {b.left, b.top, b.width, b.height};
        }
        ButtonLabel* label = addButton(QStringLiteral("label3"), index, place, caption, buttonFont);
        connect(label, &ButtonLabel::clicked, this, &TopicHub::buttonClicked);
        all << label;
    }
    setHoverButtons(all);
}

void TopicHub::load()
{
    setUpScreen();
    const HubTopic& hub = topic_.hub;
    if (!hub.animation.isEmpty()) {
        setPicture(image_, animation_frames::skull(0));
        animFrame_ = 0;
        timer_->start();
        return;
    }
    image_->setMode(PictureItem::AutoSize);
    setPicture(image_, hub.picture);
    placePicture();
}

// A still picture keeps its own size, unless rows of buttons above the bottom one would cover
// it: then it is made smaller, keeping its shape, to end above them.
void TopicHub::placePicture()
{
    const HubTopic& hub = topic_.hub;
    // The item has taken the picture's size; without a picture it keeps its own.
    const Picture& picture = image_->picture();
    QSizeF size = picture.isNull() ? QSizeF(display::fromPixels(image_->width()), display::fromPixels(image_->height()))
                                   : picture.sizeTwips();
    const double top = hub.pictureTopLeft.y();
    const double highestRow = bottomPlace(0, int(hub.activities.size()) + 1).top();
    const double room = highestRow - pictureGap - top;
    const bool shrink = !picture.isNull() && highestRow < bottomRowTop && room > 0 && size.height() > room;
    if (shrink) {
        size *= room / size.height();
        image_->setMode(PictureItem::Stretch);
    }
    // Placed in twips, so that it stays in place when the display scale changes.
    if (hub.pictureCentred || shrink)
        place(image_, {hub.pictureCentred ? hubs::centredLeft(size.width()) : hub.pictureTopLeft.x(), top,
                       size.width(), size.height()});
}

void TopicHub::tick()
{
    animFrame_ = animation_frames::next(animFrame_, animation_frames::skullCount);
    setPicture(image_, animation_frames::skull(animFrame_));
}

void TopicHub::buttonClicked(int index)
{
    App& a = app(); // Exit closes this screen; the click still plays
    buttonAction(index);
    playThroughGate(a, ui::clickSound);
}

void TopicHub::buttonAction(int index)
{
    const QString title = topic_.hub.title;
    switch (index) {
    case MultipleChoice:
        openQuizOnTopic();
        break;
    case Exit:
        if (Screen* menu = screens().touch(ui::mainMenuScreen))
            screens().show(*menu);
        screens().close(*this);
        break;
    case KeyFacts:
        openPages(topic_.hub.keyFacts);
        break;
    case TeachersNotes:
        openPages(topic_.hub.teachersNotes);
        break;
    default:
        if (const int n = activityAt(index); n >= 0 && size_t(n) < topic_.activities.size())
            openActivity(app(), topic_.activities[n].file.layout, title, topic_.activities[n].caption);
        break;
    }
}

void TopicHub::openQuizOnTopic()
{
    // The set is read into a copy and only then becomes the current set: a file that is
    // missing, short or damaged leaves currentSet exactly as it was, so no quiz can start on a
    // half-filled set and no restore step is needed. The file is closed whatever happens.
    const QString relative = topic_.hub.questionSetFile;
    QuestionSet loaded = state().currentSet;
    // Always the topic's own set as shipped: a teacher's old worksheet that happens to bear the
    // topic's title lives in the user's folder and stays in the catalogue, never in its place.
    if (!loadQuestionSetFile(services().files.resolveShipped(relative), loaded)) {
        services().messages.ok(QStringLiteral("The questions for \"%1\" could not be read, so the quiz cannot "
                                              "start. The file \"%2\" is missing or damaged.")
                                   .arg(topic_.hub.title, relative));
        return;
    }
    state().currentSet = std::move(loaded);
    openQuiz(app(), topic_.hub.quizPicture);
}

void TopicHub::openPages(const HubPages& pages)
{
    auto& reader = touchFreshReader(app(), {0, pages.pageCount, pages.pageSet});
    reader.setPage(pages.screenCopy, pages.printCopy);
    screens().show(reader);
}

void openTopicHub(App& app, const TopicFile& topic)
{
    auto& hub = app.screens.touchNamed<TopicHub>(topic.hub.screen,
                                                 [&] { return new TopicHub(app, topic); });
    app.screens.show(hub);
}

#include "topic_hub.h"

#include "paged_reader.h"

#include "activities/open_activity.h"
#include "platform/data_folder.h"
#include "platform/messages.h"
#include "quiz/open_quiz.h"
#include "shell/frame_names.h"
#include "worksheets/question_set.h"

#include <QTimer>

namespace {

struct ButtonItem {
    const char* caption;
    double left, top, width, height;
};

// Index order is the click handler's.
const ButtonItem buttons[TopicHub::buttonCount] = {
    {"Multiple Choice", 120, 7920, 3195, 495},
    {"Labelling Activity", 3600, 7920, 3195, 495},
    {"Exit", 10560, 7920, 1245, 495},
    {"Ordering Activity", 7080, 7920, 3195, 495},
    {"Key Facts", 6360, 120, 1995, 495},
    {"Teacher's Notes", 8640, 120, 3195, 495},
};

const FontSpec buttonFont{"Tahoma", 15.75, true};
const FontSpec titleFont{"Times New Roman", 27.75, true};


} // namespace

TopicHub::TopicHub(App& app, const TopicFile& topic)
    : Screen(app, QString::fromUtf8(topic.hub.screen)), topic_(topic)
{
    const HubTopic& hub = topic_.hub;
    // The picture lies beneath the title and the buttons.
    image_ = addPicture(QStringLiteral("Image1"), {0, 0, 0, 0}, PictureItem::AutoSize);
    if (!hub.pictureCentred)
        place(image_, {hub.pictureTopLeft.x(), hub.pictureTopLeft.y(), 0, 0});
    addLabel(QStringLiteral("Label1"), {240, 0, 6240, 900}, QString::fromUtf8(hub.title), titleFont,
             frame::captionColour, Qt::AlignLeft | Qt::AlignTop);

    QList<ButtonLabel*> all;
    for (int i = 0; i < buttonCount; ++i) {
        const ButtonItem& b = buttons[i];
        QString caption = QString::fromLatin1(b.caption);
        if (i == Labelling)
            caption = QString::fromUtf8(hub.labellingCaption);
        else if (i == Ordering)
            caption = QString::fromUtf8(hub.orderingCaption);
        ButtonLabel* label = addButton(QStringLiteral("label3"), i, {b.left, b.top, b.width, b.height}, caption,
                                       buttonFont);
        connect(label, &ButtonLabel::clicked, this, &TopicHub::buttonClicked);
        all << label;
    }
    setHoverButtons(all);
    if (hub.animation) {
        timer_ = addTimer(QStringLiteral("Timer1"), 50);
        connect(timer_, &QTimer::timeout, this, &TopicHub::tick);
    }
}

void TopicHub::load()
{
    setUpScreen();
    const HubTopic& hub = topic_.hub;
    if (hub.animation) {
        setPicture(image_, frames::skull(0));
        state().animFrame = 0;
        timer_->start();
        return;
    }
    setPicture(image_, QString::fromUtf8(hub.picture));
    if (hub.pictureCentred) {
        // The item has taken the picture's size; without a picture it keeps its own.
        // Placed in twips, so that it stays centred when the display scale changes.
        const Picture& picture = image_->picture();
        const QSizeF size = picture.isNull() ? QSizeF(twips::fromPixels(image_->width()), twips::fromPixels(image_->height()))
                                             : picture.sizeTwips();
        place(image_, {hubs::centredLeft(size.width()), hub.pictureTopLeft.y(), size.width(), size.height()});
    }
}

void TopicHub::tick()
{
    state().animFrame = frames::next(state().animFrame, frames::skullCount);
    setPicture(image_, frames::skull(state().animFrame));
}

void TopicHub::buttonClicked(int index)
{
    App& a = app(); // Exit closes this screen; the click still plays
    buttonAction(index);
    playThroughGate(a, frame::clickSound);
}

void TopicHub::buttonAction(int index)
{
    const QString title = QString::fromUtf8(topic_.hub.title);
    // The class records name an activity by its topic and its button: "Bones: Labelling Activity".
    auto taskName = [&title](const char* caption) { return title + QStringLiteral(": ") + QString::fromUtf8(caption); };
    switch (index) {
    case MultipleChoice:
        openQuizOnTopic();
        break;
    case Labelling:
        openActivity(app(), topic_.labelling.layout, title, taskName(topic_.hub.labellingCaption));
        break;
    case Exit:
        if (Screen* menu = screens().touch(frame::mainMenuScreen))
            screens().show(*menu);
        screens().close(*this);
        break;
    case Ordering:
        openActivity(app(), topic_.ordering.layout, title, taskName(topic_.hub.orderingCaption));
        break;
    case KeyFacts:
        openPages(topic_.hub.keyFacts);
        break;
    case TeachersNotes:
        openPages(topic_.hub.teachersNotes);
        break;
    default:
        break;
    }
}

void TopicHub::openQuizOnTopic()
{
    // The set is read into a copy and only then becomes the current set: a file that is
    // missing, short or damaged leaves currentSet exactly as it was, so no quiz can start on a
    // half-filled set and no restore step is needed. The file is closed whatever happens.
    const QString relative = QString::fromUtf8(topic_.hub.questionSetFile);
    QuestionSet loaded = state().currentSet;
    if (!loadQuestionSetFile(services().files.resolve(relative), loaded)) {
        services().messages.ok(QStringLiteral("The questions for \"%1\" could not be read, so the quiz cannot "
                                              "start. The file \"%2\" is missing or damaged.")
                                   .arg(QString::fromUtf8(topic_.hub.title), relative));
        return;
    }
    state().currentSet = std::move(loaded);
    openQuiz(app(), QString::fromUtf8(topic_.hub.quizPicture));
}

void TopicHub::openPages(const HubPages& pages)
{
    // The reader's load reads these, so they are set before it is touched.
    state().reader.readerPageCount = pages.pageCount;
    state().reader.readerPageSet = QString::fromUtf8(pages.pageSet);
    auto& reader = touchFreshReader(app());
    reader.setPage(QString::fromUtf8(pages.screenCopy), QString::fromUtf8(pages.printCopy));
    screens().show(reader);
}

void openTopicHub(App& app, const TopicFile& topic)
{
    auto& hub = app.screens.touchNamed<TopicHub>(QString::fromUtf8(topic.hub.screen),
                                                 [&] { return new TopicHub(app, topic); });
    app.screens.show(hub);
}

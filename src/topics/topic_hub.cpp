#include "topic_hub.h"

#include "paged_reader.h"

#include "activities/open_activity.h"
#include "platform/data_folder.h"
#include "platform/messages.h"
#include "quiz/open_quiz.h"
#include "shell/frame_names.h"
#include "shell/main_menu.h"

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

constexpr double partsImageTop = 840;
constexpr double bonesImageLeft = 1500, bonesImageTop = 720;

} // namespace

TopicHub::TopicHub(App& app, const HubTopic& topic) : Screen(app, QString::fromLatin1(topic.screen)), topic_(topic)
{
    // The picture lies beneath the title and the buttons.
    image_ = addPicture(QStringLiteral("Image1"), {0, 0, 0, 0}, PictureItem::AutoSize);
    addLabel(QStringLiteral("Label1"), {240, 0, 6240, 900}, QString::fromLatin1(topic.title), titleFont,
             frame::captionColour, Qt::AlignLeft | Qt::AlignTop);

    QList<ButtonLabel*> all;
    for (int i = 0; i < buttonCount; ++i) {
        const ButtonItem& b = buttons[i];
        ButtonLabel* label = addButton(QStringLiteral("label3"), i, {b.left, b.top, b.width, b.height},
                                       QString::fromLatin1(b.caption), buttonFont);
        connect(label, &ButtonLabel::clicked, this, &TopicHub::buttonClicked);
        all << label;
    }
    setHoverButtons(all);
}

void TopicHub::buttonClicked(int index)
{
    App& a = app(); // Exit closes this screen; the click still plays
    buttonAction(index);
    playThroughGate(a, frame::clickSound);
}

void TopicHub::buttonAction(int index)
{
    const QString title = QString::fromLatin1(topic_.title);
    switch (index) {
    case MultipleChoice:
        openQuizOnTopic();
        break;
    case Labelling:
        openActivity(app(), QString::fromLatin1(topic_.labellingScreen), title);
        break;
    case Exit:
        screens().show(screens().touch<MainMenu>());
        screens().close(*this);
        break;
    case Ordering:
        openActivity(app(), QString::fromLatin1(topic_.orderingScreen), title);
        break;
    case KeyFacts:
        openPages(topic_.keyFacts);
        break;
    case TeachersNotes:
        openPages(topic_.teachersNotes);
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
    const QString relative = QString::fromLatin1(topic_.questionSetFile);
    QuestionSet loaded = state().currentSet;
    if (!loadQuestionSetFile(services().files.resolve(relative), loaded)) {
        services().messages.ok(QStringLiteral("The questions for \"%1\" could not be read, so the quiz cannot "
                                              "start. The file \"%2\" is missing or damaged.")
                                   .arg(QString::fromLatin1(topic_.title), relative));
        return;
    }
    state().currentSet = std::move(loaded);
    openQuiz(app(), QString::fromLatin1(topic_.quizPicture));
}

void TopicHub::openPages(const HubPages& pages)
{
    // The reader's load reads these, so they are set before it is touched.
    state().reader.readerPageCount = pages.pageCount;
    state().reader.readerPageSet = QString::fromLatin1(pages.pageSet);
    auto& reader = touchFreshReader(app());
    reader.setPage(QString::fromLatin1(pages.screenCopy), QString::fromLatin1(pages.printCopy));
    screens().show(reader);
}

// ---------------------------------------------------------------- parts

PartsHub::PartsHub(App& app) : TopicHub(app, hubs::parts) {}

void PartsHub::load()
{
    setUpScreen();
    setPicture(image_, QStringLiteral("Images\\vitruvius2.jpg"));
    // The item has taken the picture's size; without a picture it keeps its own.
    const Picture& picture = image_->picture();
    const QSizeF size = picture.isNull() ? QSizeF(twips::fromPixels(image_->width()), twips::fromPixels(image_->height()))
                                         : picture.sizeTwips();
    place(image_, {hubs::centredLeft(size.width()), partsImageTop, size.width(), size.height()});
}

// ---------------------------------------------------------------- bones

BonesHub::BonesHub(App& app) : TopicHub(app, hubs::bones)
{
    place(image_, {bonesImageLeft, bonesImageTop, 0, 0});
    timer_ = addTimer(QStringLiteral("Timer1"), 50);
    connect(timer_, &QTimer::timeout, this, &BonesHub::tick);
}

void BonesHub::load()
{
    setUpScreen();
    setPicture(image_, frames::skull(0));
    state().animFrame = 0;
    timer_->start();
}

void BonesHub::tick()
{
    state().animFrame = frames::next(state().animFrame, frames::skullCount);
    setPicture(image_, frames::skull(state().animFrame));
}

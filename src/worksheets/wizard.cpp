#include "wizard.h"

#include "worksheets/exchange/question_exchange.h"

#include "platform/data_folder.h"
#include "platform/messages.h"

#include <QCheckBox>
#include <QLineEdit>

namespace {

const QColor yellow(255, 255, 0);
const QString discardQuestion =
    QStringLiteral("Close the wizard without saving? The questions and answers you have typed will be lost.");

bool sameEntries(const WorksheetEntries& a, const WorksheetEntries& b)
{
    return a.title == b.title && a.questions == b.questions && a.options == b.options && a.ticked == b.ticked;
}
const QColor tickBoxBackground(0, 78, 152);

// Question q (1..10) stands in one of two columns of five; x and y shift its items.
double columnX(int q) { return q <= 5 ? 0 : 5880; }
double rowY(int q) { return 1440 * ((q - 1) % 5); }

struct OptionPlace {
    double tickLeft, textLeft, top; // relative to the question's x and y
    double letterTop;
    const char* letter;
};
// Options 1 and 3 in the left half, 2 and 4 in the right; 1 and 2 on the first line.
const OptionPlace optionPlaces[4] = {
    {480, 720, 1230, 1200, "A."},
    {3330, 3600, 1230, 1200, "B."},
    {480, 720, 1560, 1560, "C."},
    {3330, 3600, 1560, 1560, "D."},
};
// The letters end just before their tick boxes, set to the right, so that on every display
// the tick box (which paints its own background) never covers part of a letter.
constexpr double letterWidth = 300;
constexpr double letterGap = 30;

QLineEdit* makeBox(Screen* screen, const QString& name, QRectF twipsRect, double points, int limit)
{
    auto* box = new QLineEdit(screen);
    box->setObjectName(name);
    display::setItemFont(box, {"Times New Roman", points});
    box->setMaxLength(limit);
    box->setValidator(new StorableTextValidator(box));
    // A longer text put in by fill() keeps its length until it is cut down to the limit.
    QObject::connect(box, &QLineEdit::textEdited, box, [box, limit] {
        if (box->text().size() <= limit)
            box->setMaxLength(limit);
    });
    screen->place(box, twipsRect);
    return box;
}

} // namespace

QValidator::State StorableTextValidator::validate(QString& input, int& pos) const
{
    QString kept;
    kept.reserve(input.size());
    int newPos = pos;
    for (int i = 0; i < input.size(); ++i) {
        if (isStorableCharacter(input[i]))
            kept.append(input[i]);
        else if (i < pos)
            --newPos;
    }
    input = kept;
    pos = newPos;
    return Acceptable;
}

Wizard::Wizard(App& app) : Screen(app, QString::fromLatin1(kName))
{
    // Clear of the window's top edge, where large displays would otherwise put its capitals.
    addLabel(QStringLiteral("Label1(0)"), {0, 90, 4320, 540}, QStringLiteral("Multiple Choice Wizard"),
             {"Tahoma", 18, true}, yellow, Qt::AlignHCenter | Qt::AlignTop);
    addLabel(QStringLiteral("Label1(1)"), {5160, 120, 2280, 345}, QStringLiteral("Worksheet Title"),
             {"Tahoma", 14.25, true}, yellow);
    text1_ = makeBox(this, QStringLiteral("Text1"), {7560, 120, 4215, 375}, 12, titleLimit);
    text1_->setAccessibleName(QStringLiteral("Worksheet Title"));

    for (int q = 1; q <= WorksheetEntries::questionCount; ++q) {
        const double x = columnX(q);
        const double y = rowY(q);
        // One line: the wider stand-in for Tahoma only just fits "Question 1" in its width.
        addLabel(ui::itemName(QStringLiteral("questionCaption"), q), {240 + x, 600 + y, q == 10 ? 1170.0 : 1050.0, 240},
                 QStringLiteral("Question %1").arg(q), {"Tahoma", 9.75, true}, yellow)
            ->setWordWrap(false);
        text2_[q - 1] = makeBox(this, ui::itemName(QStringLiteral("Text2"), q - 1), {240 + x, 840 + y, 5655, 375},
                                12, questionLimit);
        text2_[q - 1]->setAccessibleName(QStringLiteral("Question %1").arg(q));
        for (int k = 1; k <= 4; ++k) {
            const OptionPlace& o = optionPlaces[k - 1];
            const int i = 4 * (q - 1) + (k - 1);
            addLabel(ui::itemName(QStringLiteral("optionLetter"), i),
                     {o.tickLeft - letterGap - letterWidth + x, o.letterTop + y, letterWidth, 285},
                     QString::fromLatin1(o.letter), {"Tahoma", 12, true}, yellow, Qt::AlignRight | Qt::AlignTop)
                ->setWordWrap(false);
            auto* tick = new QCheckBox(this);
            tick->setObjectName(ui::itemName(QStringLiteral("Check1"), i));
            // Screen readers hear which box is which; the letters beside them are only drawn.
            const QString answer = QStringLiteral("Question %1, answer %2").arg(q).arg(QLatin1Char(char('A' + k - 1)));
            tick->setAccessibleName(answer + QStringLiteral(" is the right one"));
            place(tick, {o.tickLeft + x, o.top + y, 255, 315});
            check1_[i] = tick;
            text3_[i] = makeBox(this, ui::itemName(QStringLiteral("Text3"), i), {o.textLeft + x, o.top + y, 2295, 330},
                                9.75, optionLimit);
            text3_[i]->setAccessibleName(answer);
        }
    }

    ButtonLabel* save = addButton(QStringLiteral("Label3"), 1, {240, 7920, 3165, 495}, QStringLiteral("Save Worksheet"),
                                  {"Tahoma", 15.75, true});
    ButtonLabel* exit = addButton(QStringLiteral("Label3"), 0, {10560, 7920, 1245, 495}, QStringLiteral("Exit"),
                                  {"Tahoma", 15.75, true});
    setHoverButtons({exit, save});
    connect(save, &ButtonLabel::clicked, this, &Wizard::buttonClicked);
    connect(exit, &ButtonLabel::clicked, this, &Wizard::buttonClicked);

    // Tab: the title, each question followed by its four options, then the tick boxes.
    QWidget* previous = text1_;
    auto chain = [&previous](QWidget* next) {
        QWidget::setTabOrder(previous, next);
        previous = next;
    };
    for (int q = 0; q < WorksheetEntries::questionCount; ++q) {
        chain(text2_[q]);
        for (int k = 0; k < 4; ++k)
            chain(text3_[4 * q + k]);
    }
    for (QCheckBox* tick : check1_)
        chain(tick);

    QList<QLineEdit*> boxes{text1_};
    for (QLineEdit* b : text2_)
        boxes << b;
    for (QLineEdit* b : text3_)
        boxes << b;
    for (QLineEdit* b : boxes)
        connect(b, &QLineEdit::returnPressed, this, [this, b] { moveOnFrom(b); });
}

void Wizard::load()
{
    setUpScreen();
    for (QCheckBox* tick : check1_) {
        // A tick box fills with its button colour unless told to use the window's.
        tick->setBackgroundRole(QPalette::Window);
        tick->setAutoFillBackground(true);
        QPalette p = tick->palette();
        p.setColor(QPalette::Window, tickBoxBackground);
        tick->setPalette(p);
    }
    text1_->setFocus();
}

void Wizard::moveOnFrom(QLineEdit* box)
{
    if (box == text1_) {
        text2_[0]->setFocus();
        return;
    }
    for (int n = 0; n < WorksheetEntries::questionCount; ++n) {
        if (box == text2_[n]) {
            text3_[4 * n]->setFocus();
            return;
        }
    }
    for (int i = 0; i < WorksheetEntries::optionCount; ++i) {
        if (box != text3_[i])
            continue;
        if (i % 4 != 3)
            text3_[i + 1]->setFocus();
        else if (i < WorksheetEntries::optionCount - 1)
            text2_[(i + 1) / 4]->setFocus();
        return;
    }
}

WorksheetEntries Wizard::entries() const
{
    WorksheetEntries e;
    e.title = text1_->text();
    for (int q = 0; q < WorksheetEntries::questionCount; ++q)
        e.questions[q] = text2_[q]->text();
    for (int i = 0; i < WorksheetEntries::optionCount; ++i) {
        e.options[i] = text3_[i]->text();
        e.ticked[i] = check1_[i]->isChecked();
    }
    return e;
}

namespace {
// The limits are for typing: a worksheet made elsewhere may hold longer texts, and editing
// it must not cut them.
void fillBox(QLineEdit* box, const QString& text, int limit)
{
    box->setMaxLength(std::max(limit, static_cast<int>(text.size())));
    box->setText(text);
}
} // namespace

void Wizard::fill(const WorksheetEntries& e)
{
    fillBox(text1_, e.title, titleLimit);
    for (int q = 0; q < WorksheetEntries::questionCount; ++q)
        fillBox(text2_[q], e.questions[q], questionLimit);
    for (int i = 0; i < WorksheetEntries::optionCount; ++i) {
        fillBox(text3_[i], e.options[i], optionLimit);
        check1_[i]->setChecked(e.ticked[i]);
    }
    kept_ = entries();
}

bool Wizard::hasUnsavedEntries() const { return !sameEntries(entries(), kept_); }

void Wizard::escapePressed()
{
    if (hasUnsavedEntries() && !services().messages.okCancel(discardQuestion))
        return;
    screens().close(*this);
}

namespace {
void markForMending(QLineEdit* box, int limit)
{
    const bool mend = !exchange::mendReason(box->text(), limit).isEmpty();
    QPalette p = box->palette();
    p.setColor(QPalette::Text, mend ? QColor(255, 0, 0) : QColor(0, 0, 0));
    box->setPalette(p);
    box->setProperty("needsMending", mend);
}
} // namespace

void Wizard::fillImported(const WorksheetEntries& e)
{
    fill(e);
    QLineEdit* first = nullptr;
    auto watch = [&first](QLineEdit* box, int limit) {
        box->setCursorPosition(0); // a long text shows its start
        markForMending(box, limit);
        if (!first && box->property("needsMending").toBool())
            first = box;
        if (!box->property("mendWatched").toBool()) {
            box->setProperty("mendWatched", true);
            connect(box, &QLineEdit::textChanged, box, [box, limit] { markForMending(box, limit); });
        }
    };
    for (QLineEdit* box : text2_)
        watch(box, questionLimit);
    for (QLineEdit* box : text3_)
        watch(box, optionLimit);
    (first ? first : text1_)->setFocus();
}

void Wizard::genwork()
{
    const QString problem =
        checkEntries(entries(), state().topicTitles);
    if (!problem.isEmpty()) {
        services().messages.ok(problem);
        return;
    }
    saveworksheet();
}

void Wizard::saveworksheet()
{
    DataFolder& files = services().files;
    MessageBoxes& messages = services().messages;
    WorksheetList& list = state().worksheetList;
    SaveOutcome outcome = saveWorksheet(files, entries(), list, state().topicTitles);
    // A damaged list would refuse every save: the teacher may have it made anew, then the
    // save goes ahead.
    if (outcome.status == SaveOutcome::ListDamaged && offerListRebuild(files, messages, outcome.problem, list, state().topicTitles))
        outcome = saveWorksheet(files, entries(), list, state().topicTitles);
    if (outcome)
        kept_ = entries();
    messages.ok(outcome ? worksheet_text::saved : worksheet_text::saveProblem);
}

void Wizard::buttonClicked(int index)
{
    App& a = app(); // the wizard may be closed by the action; the sound still plays
    if (index == 0)
        screens().close(*this);
    else if (index == 1)
        genwork();
    playThroughGate(a, ui::clickSound);
}

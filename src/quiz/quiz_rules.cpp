#include "quiz_rules.h"

#include "state/question_set_data.h"

namespace quiz {

QString spaced(int number)
{
    // Negative numbers carry their sign where the space would be.
    return number < 0 ? QString::number(number) : QLatin1Char(' ') + QString::number(number);
}

QString questionCaption(int number) { return QStringLiteral("Question") + spaced(number); }

bool isAnsweredCorrectly(const Question& question, int selectedOption)
{
    const int correct = correctOption(question);
    return correct != 0 && selectedOption == correct;
}

Outcome score(const AnswerResults& results)
{
    Outcome out;
    for (int i = 1; i <= questionCount; ++i) {
        out.score += results[i];
        if (results[i] == 0)
            out.wrongQuestions << i;
    }
    return out;
}

QString reviewLine(int questionNumber, const QString& questionText)
{
    return spaced(questionNumber) + QStringLiteral(". ") + questionText;
}

namespace {
QString scored(const char* opening, int s, int n)
{
    return QString::fromLatin1(opening) + spaced(s) + QStringLiteral(" out of") + spaced(n) + QLatin1Char('.');
}
} // namespace

ResultsMessage resultsMessage(int s, int n)
{
    const QString reviewHint =
        QStringLiteral("Click the button above to check which questions you answered incorrectly.");
    const QString reviewButton = QStringLiteral("Check Wrong Answers");
    ResultsMessage m;
    if (s == n) {
        m.kind = ResultsMessage::FullMarks;
        m.message = scored("Excellent work. You have scored", s, n);
        m.button = QStringLiteral("Print Certificate");
    } else if (s == n - 1 || s == n - 2) {
        m.kind = ResultsMessage::Close;
        m.message = scored("Good work. You have scored", s, n);
        m.hint = reviewHint;
        m.button = reviewButton;
    } else {
        // Scores above full marks cannot come from any task; they read like low ones.
        m.kind = ResultsMessage::Further;
        m.message = scored("You have scored", s, n);
        m.hint = reviewHint;
        m.button = reviewButton;
    }
    return m;
}

namespace {
struct SoundRow {
    int score;
    std::array<const char*, 3> sounds; // nullptr beyond the row's choices
};
const SoundRow celebrations[] = {
    {10, {"wav\\fanf2.wav", "wav\\fanf3.wav", nullptr}},
    {9, {"wav\\crowd.wav", "wav\\cheer2.wav", "wav\\klaxon.wav"}},
    {8, {"wav\\flute.wav", "wav\\gong.wav", "wav\\clap2.wav"}},
    {7, {"wav\\drumroll.wav", "wav\\laser2.wav", "wav\\whizz.wav"}},
    {6, {"wav\\clap3.wav", "wav\\clown.wav", nullptr}},
};
const SoundRow* rowFor(int s)
{
    for (const SoundRow& row : celebrations)
        if (row.score == s)
            return &row;
    return nullptr;
}
} // namespace

int celebrationChoices(int s)
{
    const SoundRow* row = rowFor(s);
    if (!row)
        return 0;
    int k = 0;
    while (k < 3 && row->sounds[k])
        ++k;
    return k;
}

QString celebrationSound(int s, int draw)
{
    const SoundRow* row = rowFor(s);
    if (!row || draw < 0 || draw >= celebrationChoices(s))
        return {};
    return QString::fromLatin1(row->sounds[draw]);
}

QString scoreLine(int s, int n) { return scored("You have scored", s, n); }

} // namespace quiz

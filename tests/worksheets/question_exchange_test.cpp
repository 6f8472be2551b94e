// Questions from other programs' files, and worksheets written in their formats: real files as
// those programs write them, refusals that name the line, and the way back unchanged.
#include "worksheet_samples.h"

#include "platform/text_file.h"
#include "worksheets/exchange/question_exchange.h"

#include <QFile>

#include <gtest/gtest.h>

using namespace exchange;

namespace {

QByteArray sampleFile(const QString& name)
{
    QFile f(QStringLiteral(CORVANA_SOURCE_DIR "/tests/worksheets/exchange_samples/") + name);
    EXPECT_TRUE(f.open(QIODevice::ReadOnly)) << name.toStdString();
    return f.readAll();
}

// "line: reason" for every question left out, to compare in one go.
QStringList reasons(const ImportResult& r)
{
    QStringList out;
    for (const LeftOut& l : r.leftOut)
        out << QStringLiteral("%1: %2").arg(l.line).arg(l.reason);
    return out;
}

struct Expected {
    int line;
    QString text;
    std::array<QString, 4> options;
    int correct;
};

void expectTaken(const ImportResult& r, const QList<Expected>& expected)
{
    ASSERT_EQ(r.taken.size(), expected.size());
    for (int i = 0; i < expected.size(); ++i) {
        const ImportedQuestion& q = r.taken[i];
        EXPECT_EQ(q.line, expected[i].line) << i;
        EXPECT_EQ(q.text, expected[i].text) << i;
        EXPECT_EQ(q.options, expected[i].options) << i;
        EXPECT_EQ(q.correct, expected[i].correct) << i;
    }
}

} // namespace

TEST(QuestionExchange, GiftFileWithEveryConstructTheDocumentationShows)
{
    const QByteArray bytes = sampleFile(QStringLiteral("body_bank.gift.txt"));
    EXPECT_EQ(guessFormat(QStringLiteral("body_bank.gift.txt"), bytes), Format::Gift);
    const ImportResult r = readGift(bytes);
    ASSERT_TRUE(r.ok()) << r.error.toStdString();
    EXPECT_EQ(r.suggestedTitle, "Body Bank");
    expectTaken(r, {
        {12, "What carries blood away from the heart?", {"arteries", "veins", "nerves", "tendons"}, 1},
        {20, "Which organ pumps blood round the body?", {"the lungs", "the stomach", "the heart", "the brain"}, 3},
        {45, "The longest bone in the body is the _____, in the leg.", {"skull", "thigh bone", "rib", "jaw bone"}, 2},
        {48, "Which of these is in the leg?", {"the kneecap", "the heart", "the shin bone", "the lung"}, 3},
        {64, "Which sign is written = in a sum like 1 + 1 = 2?",
         {"the equals sign {=}", "the plus sign ~", "the hash sign #", "the colon :"}, 1},
        {72, "Which blood cells fight germs?", {"white blood cells", "red blood cells", "platelets", "plasma"}, 1},
        {87, "Look at your hand.\nWhich part of the hand bends when you make a fist?",
         {"the knuckles", "the fingernails", "the palm", "the skin on the back of the hand, which is thin"}, 1},
    });
    EXPECT_EQ(reasons(r), QStringList({
                              "7: it is a true/false question",
                              "9: it is a true/false question",
                              "23: it is a short-answer question",
                              "26: it is a matching question",
                              "29: it is a numerical question",
                              "31: it is a numerical question",
                              "34: it is a numerical question",
                              "40: it is an essay question",
                              "56: it has several right answers",
                              "81: it has 3 answers, not 4",
                              "84: it has no answers (a description, not a question)",
                          }));
    EXPECT_EQ(r.skipped.keys(),
              QStringList({"Answer weights", "Categories", "Comments", "Feedback", "Formatting and pictures",
                           "General feedback", "Part marks for answers that are not the right one", "Question names"}));
    EXPECT_EQ(r.skipped["Feedback"], QList<int>({13, 14, 15, 16}));
    EXPECT_EQ(r.skipped["General feedback"], QList<int>({41, 77}));
    EXPECT_EQ(r.skipped["Categories"], QList<int>({4}));

    const QString report = importReport(QStringLiteral("body_bank.gift.txt"), r);
    EXPECT_TRUE(report.startsWith("7 questions were taken from body_bank.gift.txt.\n\nLeft out (11):\n"
                                  "Line 7, \"The heart is a muscle.\": it is a true/false question\n"))
        << report.toStdString();
    EXPECT_TRUE(report.contains("Feedback (lines 13, 14, 15, 16)"));

    // The texts a worksheet cannot keep as they are: the line break, and an answer too long
    // for its box.
    EXPECT_EQ(textsToMend(toEntries(r.taken, r.suggestedTitle)),
              QStringList({"Question 7: it holds a line break",
                           "Answer D of Question 7: it is 47 characters long and the box holds 30"}));
}

TEST(QuestionExchange, MoodleXmlExportWithMultichoiceAndOtherTypes)
{
    const QByteArray bytes = sampleFile(QStringLiteral("body_bank.xml"));
    EXPECT_EQ(guessFormat(QStringLiteral("export.txt"), bytes), Format::MoodleXml);
    const ImportResult r = readMoodleXml(bytes);
    ASSERT_TRUE(r.ok()) << r.error.toStdString();
    EXPECT_EQ(r.suggestedTitle, "Healthy Living");
    expectTaken(r, {
        {15, "Which food gives you the most energy?", {"A glass of water", "Bread & pasta", "A lettuce leaf", "A cup of tea"}, 2},
        {70, "How many times a day should you brush your teeth?", {"Once a week", "Once a day", "Twice a day", "Never"}, 3},
        {219, "What does your body need most on a hot day?", {"Sweets", "Water", "A woolly hat", "Crisps"}, 2},
    });
    EXPECT_EQ(reasons(r), QStringList({
                              "101: it is a true/false question",
                              "126: it is a short-answer question",
                              "140: it has several right answers",
                              "165: it has 5 answers, not 4",
                              "182: it is a matching question",
                              "198: it is an essay question",
                              "209: it is a description, not a question",
                          }));
    EXPECT_EQ(r.leftOut[3].question, "About how many hours should a child of eight sleep each night?");
    EXPECT_EQ(r.skipped["Formatting and pictures"], QList<int>({15, 165}));
    EXPECT_EQ(r.skipped["Feedback"].first(), 22); // the general feedback
}

TEST(QuestionExchange, AikenFileAndSpreadsheetCsv)
{
    const QByteArray aiken = sampleFile(QStringLiteral("senses.aiken.txt"));
    EXPECT_EQ(guessFormat(QStringLiteral("senses.txt"), aiken), Format::Aiken);
    const ImportResult a = readAiken(aiken);
    ASSERT_TRUE(a.ok()) << a.error.toStdString();
    expectTaken(a, {
        {1, "Which part of the body pumps blood?", {"The lungs", "The heart", "The stomach", "The brain"}, 2},
        {8, "What do your lungs take in when you breathe?", {"Water", "Food", "Air", "Blood"}, 3},
        {35, "Where is your femur (thigh bone)?", {"In your arm", "In your leg", "In your head", "In your chest"}, 2},
    });
    EXPECT_EQ(reasons(a), QStringList({"15: it has 3 answers, not 4", "21: it has 5 answers, not 4",
                                       "29: it has several right answers"}));

    // Saved by a spreadsheet program in its own code page, with quoted cells holding commas,
    // doubled quotes and a line break.
    const QByteArray csv = sampleFile(QStringLiteral("year4.csv"));
    EXPECT_EQ(guessFormat(QStringLiteral("year4.csv"), csv), Format::Csv);
    const ImportResult c = readCsv(csv);
    ASSERT_TRUE(c.ok()) << c.error.toStdString();
    expectTaken(c, {
        {2, "How many bones does an adult have?", {"106", "206", "306", "1006"}, 2},
        {3, "Which is a joint: knee, skull or rib?", {"The knee", "The skull", "A rib", "The \"funny\" bone"}, 1},
        {4, "Which organ helps you\nbreathe?", {"Heart", "Lungs", "Liver", "Kidney"}, 2},
        {6, "What protects your brain?", {"The skull", "The ribs", "The spine", "The pelvis"}, 1},
        {11, "Which of these helps you see?", {"Your eyes", "Your ears", "Your nose", "Your tongue"}, 1},
    });
    EXPECT_EQ(reasons(c), QStringList({"7: it has 3 answers, not 4", "8: it has several right answers",
                                       "9: its right answer \"Z\" is none of its answers"}));
    EXPECT_EQ(c.leftOut[0].question, QString::fromUtf8("What is caf\u00e9 food made from?"));

    // The same columns in another order and with semicolons, as some settings save them.
    const ImportResult s = readCsv("\xEF\xBB\xBF" "Correct;Answer D;Answer C;Answer B;Answer A;Question text;Notes\n"
                                   "c;d;c;b;a;Which?;mine\n");
    ASSERT_TRUE(s.ok()) << s.error.toStdString();
    expectTaken(s, {{2, "Which?", {"a", "b", "c", "d"}, 3}});
    EXPECT_EQ(s.skipped.keys(), QStringList({"The column \"Notes\""}));

    // "Unicode text": tabs between the cells, UTF-16 with its byte order mark.
    const QString unicodeText = QStringLiteral("Question\tOption A\tOption B\tOption C\tOption D\tCorrect\r\n"
                                               "Why \u2013 and how?\ta\tb\tc\td\tD\r\n");
    QByteArray utf16("\xFF\xFE", 2);
    for (QChar ch : unicodeText)
        utf16 += char(ch.unicode() & 0xFF), utf16 += char(ch.unicode() >> 8);
    expectTaken(readCsv(utf16), {{2, QString::fromUtf8("Why \u2013 and how?"), {"a", "b", "c", "d"}, 4}});
}

TEST(QuestionExchange, EveryReaderRefusesWhatItCannotReadNamingTheLine)
{
    const struct {
        Format format;
        QByteArray bytes;
        QString error;
    } cases[] = {
        {Format::Gift, "::Q1:: Fine {=a ~b ~c ~d}\n\n::Q2 no end {=a ~b}\n", "Line 3: the question name that starts here is not closed with ::."},
        {Format::Gift, "Q1 {=a ~b\n~c ~d\n\nQ2 {=a ~b ~c ~d}\n", "Line 1: the answers that start here with { are not closed with }."},
        {Format::Gift, "Q1 =a ~b}\n", "Line 1: a } closes answers that were never opened."},
        {Format::Gift, "Q1\n{=a {~b}\n", "Line 2: a { stands inside answers that are not closed yet."},
        {Format::Gift, QByteArray("ok\n\nbin\0ary", 11), "Line 3: this is not a text file."},
        {Format::MoodleXml, "<?xml version=\"1.0\"?>\n<quiz>\n<question type=\"multichoice\">\n</quiz>\n", "Line 4: Opening and ending tag mismatch."},
        {Format::MoodleXml, "<?xml version=\"1.0\"?>\n<html><body/></html>\n", "Line 2: this is not a Moodle XML question file (it does not start with <quiz>)."},
        {Format::MoodleXml, "<!DOCTYPE quiz [<!ENTITY a \"x\">]>\n<quiz/>", "Line 1: a question file has no document type or entities of its own."},
        {Format::MoodleXml, "", "Line 1: this is not a Moodle XML question file (it has no <quiz>)."},
        {Format::Aiken, "A. Lonely answer\nANSWER: A\n", "Line 1: an answer stands here without a question before it."},
        {Format::Aiken, "Q1?\nA. a\nB. b\nANSWER: A\n\nQ2?\nA. a\nB. b\n\nQ3?\n", "Line 6: the question that starts here has no ANSWER: line after its answers."},
        {Format::Aiken, "Q1?\nA. a\n", "Line 1: the question that starts here has no ANSWER: line."},
        {Format::Csv, "Question,Option A,Option B,Option C,Option D,Correct\nQ,a,\"b,c,d,A\n", "Line 2: a quoted cell that starts here is not closed with a double quote."},
        {Format::Csv, "Question,A,B,C\nQ,a,b,c\n", "Line 1: the first row must name the columns Question, Option A, Option B, Option C, Option D and Correct; it lacks Option D, Correct."},
        {Format::Csv, "\n\n", "Line 1: the file is empty; its first row must name the columns."},
    };
    for (const auto& c : cases) {
        const ImportResult r = readQuestions(c.format, c.bytes);
        EXPECT_EQ(r.error, c.error) << c.bytes.toStdString();
        EXPECT_TRUE(r.taken.isEmpty()) << c.bytes.toStdString();
    }
}

TEST(QuestionExchange, AWorksheetExportedAndImportedAgainIsTheSameByteForByte)
{
    // A worksheet as the wizard saves it, with every character the formats treat specially:
    // GIFT's marks, XML's, CSV's quotes and separators, a backslash, letters beyond ASCII.
    QByteArray file = "Bones and Joints\r\n \r\n";
    const QList<QByteArray> texts = {
        "What is 1 + 1 = ? {easy}",  "Two", "~Three~", "#4", "Five: or six",
        "Which \"bone\" is longest?", "The femur \\ thigh", "<b>Skull</b>", "Rib &amp; spine", "[html] jaw",
        "Caf\xe9 food \x80 5 costs?", "%5% of it", "A; B", "Line \\= break", "It's \\",
        "//Not a comment", "->arrow", "=equal", "::name::", "A. B. C.",
    };
    for (int q = 0; q < 10; ++q) {
        for (int f = 0; f < 5; ++f)
            file += texts[(q * 5 + f) % texts.size()] + (f == 0 ? QByteArray(" ") + QByteArray::number(q) : QByteArray()) + "\r\n";
        file += QByteArray::number(q % 4 + 1) + "\r\n \r\n";
    }
    TextInput in(file);
    QuestionSet set;
    loadquestions(in, set);

    for (Format f : {Format::Gift, Format::MoodleXml, Format::Aiken, Format::Csv}) {
        SCOPED_TRACE(formatName(f).toStdString());
        const QByteArray written = writeQuestions(f, set);
        const QString name = exportFileName(set.title, f);
        EXPECT_EQ(guessFormat(name, written), f);
        const ImportResult back = readQuestions(f, written);
        ASSERT_TRUE(back.ok()) << back.error.toStdString();
        EXPECT_TRUE(back.leftOut.isEmpty());
        const QString title = back.suggestedTitle.isEmpty() ? titleFromFileName(name) : back.suggestedTitle;
        const WorksheetEntries entries = exchange::toEntries(back.taken, title);
        EXPECT_EQ(checkEntries(entries), QString());
        QByteArray again;
        for (const QString& line : questionSetLines(toQuestionSet(entries)))
            again += cp1252::encode(line) + "\r\n";
        EXPECT_EQ(again, file);
    }
}

TEST(QuestionExchange, QuestionsGoIntoWorksheetsOfTenAndTextsToMendAreNamed)
{
    QList<ImportedQuestion> questions;
    for (int i = 1; i <= 23; ++i)
        questions << ImportedQuestion{i, QStringLiteral("Q%1").arg(i), {"a", "b", "c", "d"}, i % 4 + 1};
    const QList<WorksheetEntries> sheets = intoWorksheets(questions, QStringLiteral("Bones"));
    ASSERT_EQ(sheets.size(), 3);
    EXPECT_EQ(sheets[0].title, "Bones 1");
    EXPECT_EQ(sheets[2].title, "Bones 3");
    EXPECT_EQ(sheets[1].questions[0], "Q11");
    EXPECT_TRUE(sheets[1].ticked[4 * 0 + 11 % 4]);
    EXPECT_EQ(sheets[2].questions[2], "Q23");
    EXPECT_TRUE(sheets[2].questions[3].isEmpty());
    EXPECT_EQ(checkEntries(sheets[0]), QString());
    EXPECT_EQ(checkEntries(sheets[2]), "You have not completed Question 4");
    EXPECT_EQ(intoWorksheets(questions.mid(0, 10), QStringLiteral("Bones")).first().title, "Bones");

    questions = questions.mid(0, 4);
    questions[0].text = QStringLiteral("\"Quoted\" first");
    questions[1].options[1] = QStringLiteral("Salt & pepper");
    questions[2].options[3] = QString::fromUtf8("\u2192 arrow");
    questions[3].text = QString(61, QLatin1Char('x'));
    EXPECT_EQ(textsToMend(exchange::toEntries(questions, QStringLiteral("T"))),
              QStringList({"Question 1: it starts with a double quote (\")",
                           "Answer B of Question 2: it holds \"&\", which a worksheet gives back as a comma",
                           QString::fromUtf8("Answer D of Question 3: it holds a character a worksheet cannot keep (\u2192)"),
                           "Question 4: it is 61 characters long and the box holds 60"}));
}

TEST(QuestionExchange, HtmlTextsReadAsABrowserShowsThem)
{
    bool dropped = false;
    EXPECT_EQ(htmlToText(QStringLiteral("<p>Which  <em>bone</em>\n is &lt;longest&gt; &amp; &#233;&#x20AC;?</p>"), &dropped),
              QString::fromUtf8("Which bone is <longest> & \u00e9\u20ac?"));
    EXPECT_TRUE(dropped);
    dropped = false;
    EXPECT_EQ(htmlToText(QStringLiteral("<p>One</p><p>Two<br>Three</p> a < b &unknown;"), &dropped),
              "One\nTwo\nThree\na < b &unknown;");
    EXPECT_FALSE(dropped);
}

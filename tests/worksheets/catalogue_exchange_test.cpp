// The catalogue's import and export: files chosen through the dialogs double, questions into
// the wizard or into several saved worksheets, and worksheets out in every format.
#include "worksheet_samples.h"

#include "test_app.h"

#include "quiz/quiz_screen.h"
#include "worksheets/catalogue.h"
#include "worksheets/exchange/question_exchange.h"
#include "worksheets/wizard.h"

#include <QCheckBox>
#include <QFile>
#include <QLineEdit>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace exchange;

namespace {

const QString track = QStringLiteral("multiple/track.txt");

QStringList shownTitles(const Catalogue& c)
{
    QStringList titles;
    for (int i = 1; i <= 24; ++i)
        if (c.entry(i)->isVisible())
            titles << c.entry(i)->text();
    return titles;
}

QuestionSet setOf(const QByteArray& worksheet)
{
    TextInput in(worksheet);
    QuestionSet set;
    loadquestions(in, set);
    return set;
}

struct CatalogueExchangeTest : ::testing::Test {
    TestApp t;
    QTemporaryDir outside; // the teacher's own folders

    Catalogue& open(const QStringList& titles = {})
    {
        t.writeUserFile(track, sample::trackBytes(titles));
        for (const QString& title : titles)
            t.writeUserFile("multiple/" + title + ".txt", sample::worksheetBytes(title.toLatin1()));
        auto& c = t.screens.touch<Catalogue>();
        t.screens.show(c);
        return c;
    }
    QString writeOutside(const QString& name, const QByteArray& bytes)
    {
        const QString path = outside.filePath(name);
        QFile f(path);
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
        return path;
    }
    Wizard* importFile(Catalogue& c, const QString& path)
    {
        t.dialogs.files.push_back(path);
        c.importButton()->click();
        return t.screens.find<Wizard>();
    }
};

} // namespace

TEST_F(CatalogueExchangeTest, ImportAndExportStandBelowThePageButtons)
{
    Catalogue& c = open({"Heart"});
    EXPECT_EQ(c.importButton()->objectName(), "Label5(0)");
    EXPECT_EQ(c.importButton()->geometry(), display::rect(2640, 8520, 3195, 375));
    EXPECT_EQ(c.exportButton()->geometry(), display::rect(6000, 8520, 3195, 375));
    EXPECT_EQ(c.importButton()->readerName(), QString::fromUtf8("Import Questions\u2026"));
    EXPECT_EQ(c.exportButton()->readerName(), QString::fromUtf8("Export Worksheet\u2026"));
    EXPECT_TRUE(c.importButton()->isVisible());
    EXPECT_TRUE(c.hoverButtons().contains(c.exportButton()));

    // Export waits for a worksheet; a tick box or a second click ends the wait.
    c.check1()->click();
    c.exportButton()->click();
    EXPECT_TRUE(c.isExporting());
    EXPECT_FALSE(c.check1()->isChecked());
    EXPECT_EQ(c.exportButton()->readerName(), QString::fromUtf8("Choose a worksheet\u2026"));
    EXPECT_TRUE(c.exportButton()->isHighlighted());
    EXPECT_FALSE(c.hoverButtons().contains(c.exportButton()));
    c.check2()->click();
    EXPECT_FALSE(c.isExporting());
    c.exportButton()->click();
    c.exportButton()->click();
    EXPECT_FALSE(c.isExporting());
    EXPECT_EQ(t.sound.played.size(), 0); // sound is off until the menu switches it on
}

TEST_F(CatalogueExchangeTest, EachFormatImportedBecomesAWorksheetThatRunsAsAQuiz)
{
    Catalogue& c = open();
    int n = 0;
    for (Format f : {Format::Gift, Format::MoodleXml, Format::Aiken, Format::Csv}) {
        SCOPED_TRACE(formatName(f).toStdString());
        const QString title = QStringLiteral("From %1").arg(++n);
        const QuestionSet set = setOf(sample::worksheetBytes(title.toLatin1(), formatName(f).toLatin1()));
        const QString path = writeOutside(exportFileName(title, f), writeQuestions(f, set));
        t.messages.shown.clear();
        Wizard* wizard = importFile(c, path);
        ASSERT_NE(wizard, nullptr);
        EXPECT_TRUE(wizard->isVisible());
        ASSERT_EQ(t.messages.texts().size(), 1);
        EXPECT_TRUE(t.messages.texts().first().startsWith(
            QStringLiteral("10 questions were taken from %1.").arg(QFileInfo(path).fileName())));
        EXPECT_FALSE(t.messages.texts().first().contains("Left out"));
        // The title the file names, and every box as the worksheet had it.
        EXPECT_EQ(wizard->entries().title, title);
        EXPECT_EQ(wizard->text2(9)->text(), "Question 10 " + formatName(f));
        EXPECT_TRUE(wizard->check1(4 * 2 + 3)->isChecked());
        wizard->buttonClicked(1);
        EXPECT_EQ(t.messages.texts().last(), "Your worksheet has been saved.");
        EXPECT_EQ(t.readUserFile("multiple/" + title + ".txt"),
                  sample::worksheetBytes(title.toLatin1(), formatName(f).toLatin1()));
        wizard->buttonClicked(0);
        TestApp::settle();

        // Listed, it opens as a quiz.
        readTrackingFile(t.files, t.state.worksheetList);
        c.workpage();
        ASSERT_EQ(shownTitles(c).size(), n);
        c.entryClicked(n);
        auto* quiz = t.screens.find<QuizScreen>();
        ASSERT_NE(quiz, nullptr);
        EXPECT_EQ(quiz->item<QLabel>("Label6")->text(), title);
        EXPECT_EQ(t.state.currentSet.question(1).text, "Question 1 " + formatName(f));
        t.screens.close(*quiz);
        TestApp::settle();
    }
}

TEST_F(CatalogueExchangeTest, AMixedFileListsWhatWasLeftOutAndShowsWhatToMend)
{
    Catalogue& c = open();
    QFile sample(QStringLiteral(CORVANA_SOURCE_DIR "/tests/worksheets/exchange_samples/body_bank.gift.txt"));
    ASSERT_TRUE(sample.open(QIODevice::ReadOnly));
    Wizard* wizard = importFile(c, writeOutside("bank.txt", sample.readAll()));
    ASSERT_NE(wizard, nullptr);
    const QStringList shown = t.messages.texts();
    ASSERT_EQ(shown.size(), 2);
    EXPECT_TRUE(shown[0].startsWith("7 questions were taken from bank.txt.\n\nLeft out (11):\n"));
    EXPECT_TRUE(shown[0].contains("Line 56, \"Which two organs help you breathe?\": it has several right answers"));
    EXPECT_TRUE(shown[1].endsWith("Question 7: it holds a line break\n"
                                  "Answer D of Question 7: it is 47 characters long and the box holds 30"));

    // Filled as read, nothing cut; the texts to mend in red, the keyboard at the first.
    EXPECT_EQ(wizard->text1()->text(), "Body Bank");
    EXPECT_EQ(wizard->text3(4 * 6 + 3)->text(), "the skin on the back of the hand, which is thin");
    EXPECT_TRUE(wizard->text2(7)->text().isEmpty());
    EXPECT_EQ(wizard->text2(6)->palette().color(QPalette::Text), QColor(255, 0, 0));
    EXPECT_EQ(wizard->text2(5)->palette().color(QPalette::Text), QColor(0, 0, 0));
    EXPECT_EQ(wizard->focusWidget(), wizard->text2(6));
    wizard->text2(6)->setText("Which part of the hand bends in a fist?");
    EXPECT_EQ(wizard->text2(6)->palette().color(QPalette::Text), QColor(0, 0, 0));

    // The wizard's own checks still stand between the import and a saved worksheet.
    wizard->buttonClicked(1);
    EXPECT_EQ(t.messages.texts().last(), "You have not completed Question 8");
}

TEST_F(CatalogueExchangeTest, MoreThanTenQuestionsMakeSeveralWorksheetsOrTenPicked)
{
    Catalogue& c = open({"Skeleton 2"});
    QByteArray csv = "Question,Option A,Option B,Option C,Option D,Correct\r\n";
    for (int i = 1; i <= 23; ++i)
        csv += "Question " + QByteArray::number(i) + ",a,b,c,d," + QByteArray(1, char('A' + i % 4)) + "\r\n";
    const QString path = writeOutside("bones.csv", csv);

    // Several: a title already in use is asked again; full worksheets are saved, the rest
    // opens in the wizard.
    t.dialogs.choiceAnswers = {0};
    t.dialogs.texts = {"Skeleton", "Lungs"};
    Wizard* wizard = importFile(c, path);
    EXPECT_EQ(t.dialogs.suggested, QStringList({"bones", "Skeleton"}));
    EXPECT_TRUE(t.messages.texts().contains("There is already a worksheet called \"Skeleton 2\".\n"
                                            "Please choose another title."));
    EXPECT_TRUE(t.messages.texts().contains("Saved: Lungs 1, Lungs 2.\n\n"
                                            "\"Lungs 3\" opens in the wizard to be finished and saved."));
    EXPECT_EQ(shownTitles(c), QStringList({"Skeleton 2", "Lungs 1", "Lungs 2"}));
    EXPECT_EQ(setOf(t.readUserFile("multiple/Lungs 2.txt")).question(10).text, "Question 20");
    ASSERT_NE(wizard, nullptr);
    EXPECT_EQ(wizard->text1()->text(), "Lungs 3");
    EXPECT_EQ(wizard->text2(2)->text(), "Question 23");
    EXPECT_TRUE(wizard->text2(3)->text().isEmpty());
    t.screens.close(*wizard);
    TestApp::settle();

    // Ten picked: the wizard takes the ones ticked, in the file's order.
    t.dialogs.choiceAnswers = {1};
    t.dialogs.pickAnswers = {{2, 4, 22}};
    wizard = importFile(c, path);
    EXPECT_EQ(t.dialogs.offered.size(), 23);
    EXPECT_EQ(t.dialogs.offered[22], "Line 24: Question 23");
    ASSERT_NE(wizard, nullptr);
    EXPECT_EQ(wizard->text1()->text(), "bones");
    EXPECT_EQ(wizard->text2(1)->text(), "Question 5");
    EXPECT_EQ(wizard->text2(2)->text(), "Question 23");
    EXPECT_TRUE(wizard->check1(4 * 2 + 3)->isChecked());
}

TEST_F(CatalogueExchangeTest, ExportWritesEachFormatThatItsReaderTakesBack)
{
    Catalogue& c = open({"Skeleton"});
    const QuestionSet set = setOf(sample::worksheetBytes("Skeleton"));
    const QList<Format> formats = {Format::Gift, Format::MoodleXml, Format::Aiken, Format::Csv};
    for (int i = 0; i < formats.size(); ++i) {
        SCOPED_TRACE(formatName(formats[i]).toStdString());
        const QString path = outside.filePath(QStringLiteral("out%1").arg(i));
        t.dialogs.choiceAnswers = {i};
        t.dialogs.files = {path};
        c.exportButton()->click();
        c.entryClicked(1);
        EXPECT_FALSE(c.isExporting());
        EXPECT_EQ(t.dialogs.suggested.last(), exportFileName("Skeleton", formats[i]));
        EXPECT_EQ(t.messages.texts().last(), QStringLiteral("The worksheet \"Skeleton\" has been exported as %1 to %2.")
                                                 .arg(formatName(formats[i]), path));
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::ReadOnly));
        const ImportResult back = readQuestions(formats[i], f.readAll());
        ASSERT_EQ(back.taken.size(), 10);
        EXPECT_TRUE(back.leftOut.isEmpty());
        for (int q = 1; q <= 10; ++q) {
            EXPECT_EQ(back.taken[q - 1].text, set.question(q).text);
            EXPECT_EQ(back.taken[q - 1].options[1], set.question(q).options[2]);
            EXPECT_EQ(back.taken[q - 1].correct, correctOption(set.question(q)));
        }
    }
    // Cancelled at the format, nothing is written; a file that cannot be read is refused by line.
    const int shown = static_cast<int>(t.messages.shown.size());
    c.exportButton()->click();
    c.entryClicked(1);
    EXPECT_EQ(t.messages.shown.size(), shown);
    EXPECT_EQ(importFile(c, writeOutside("broken.xml", "<quiz>\n<question>\n")), nullptr);
    EXPECT_EQ(t.messages.texts().last(), "The file broken.xml cannot be read as Moodle XML.\n"
                                         "Line 3: Premature end of document.");
}

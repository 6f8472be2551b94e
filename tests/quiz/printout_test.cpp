#include "doubles.h"

#include "quiz/certificate.h"
#include "quiz/quiz_rules.h"
#include "quiz/worksheet_printout.h"
#include "platform/pictures.h"
#include "platform/printouts.h"
#include "platform/system_printer.h"
#include "topics/print_page.h"
#include "worksheets/question_set.h"

#include <QDate>
#include <QDir>
#include <QImage>
#include <QLineF>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

using Op = RecordingPrinter::Op;
using Kind = RecordingPrinter::Kind;

const QColor blue(0, 0, 255);
const QColor red(255, 0, 0);
const QColor navy(0, 0, 128);
const QColor black(0, 0, 0);
const QString banner2 = certificate::banner + certificate::banner;

double widthOf(const QString& text, double points)
{
    RecordingPrinter measure;
    measure.setFont(QStringLiteral("Times New Roman"), points);
    return measure.textWidth(text);
}

double lineOf(double points)
{
    RecordingPrinter measure;
    measure.setFont(QStringLiteral("Times New Roman"), points);
    return measure.lineHeight();
}

QList<Op> opsOf(const QList<Op>& doc, Kind kind)
{
    QList<Op> out;
    for (const Op& op : doc)
        if (op.kind == kind)
            out << op;
    return out;
}

// One expected printed text: where it starts across, and whether it ends its line.
struct Line {
    QString text;
    double points;
    QColor colour;
    enum { Left, Centred, Eighth, After } x;
    bool endLine = true;
};

// Checks texts, fonts, colours and positions; the vertical position follows the lines
// ended before each text.
void expectLines(const QList<Op>& texts, const QList<Line>& lines, double w)
{
    ASSERT_EQ(texts.size(), lines.size());
    double y = 0, afterX = 0;
    for (int i = 0; i < lines.size(); ++i) {
        const Line& e = lines[i];
        const Op& op = texts[i];
        SCOPED_TRACE(QStringLiteral("line %1: \"%2\"").arg(i).arg(e.text).toStdString());
        EXPECT_EQ(op.text, e.text);
        EXPECT_EQ(op.font, QStringLiteral("Times New Roman"));
        EXPECT_EQ(op.points, e.points);
        EXPECT_EQ(op.colour, e.colour);
        EXPECT_EQ(op.endLine, e.endLine);
        double x = 0;
        switch (e.x) {
        case Line::Left: x = 0; break;
        case Line::Centred: x = (w - widthOf(e.text, e.points)) / 2; break;
        case Line::Eighth: x = w / 8; break;
        case Line::After: x = afterX; break;
        }
        EXPECT_NEAR(op.x, x, 0.01);
        EXPECT_NEAR(op.y, y, 0.01);
        if (e.endLine)
            y += lineOf(e.points);
        else
            afterX = op.x + widthOf(e.text, e.points);
    }
}

Certificate sample(const QString& name = QStringLiteral("Sam Smith"))
{
    return Certificate{QStringLiteral("Corvana"), name, 10, 10, 1000};
}

TEST(CertificateLayout, PrintsEveryLineInItsFontColourAndPlace)
{
    RecordingPrinter p;
    RecordingMessageBoxes messages;
    ASSERT_TRUE(certificate::print(p, messages, sample()));
    ASSERT_EQ(p.documents.size(), 1);
    const double w = p.pageWidth();
    const QString s = QStringLiteral(" ");
    const QList<Line> lines = {
        {s, 25, blue, Line::Eighth},
        {banner2, 25, blue, Line::Left, false},
        {s, 25, blue, Line::After},
        {s, 25, blue, Line::Left},
        {s, 25, blue, Line::Left},
        {QStringLiteral("Corvana"), 36, red, Line::Centred},
        {s, 36, red, Line::Left},
        {QStringLiteral("Corvana"), 36, blue, Line::Centred},
        {QString(), 36, blue, Line::Centred},
        {s, 36, blue, Line::Left},
        {s, 36, blue, Line::Left},
        {s, 36, blue, Line::Left},
        {QStringLiteral("Excellent Work"), 28, navy, Line::Centred},
        {s, 28, navy, Line::Left},
        {QStringLiteral("Sam Smith"), 28, navy, Line::Centred},
        {QString(), 28, navy, Line::Centred},
        {QStringLiteral("You have scored 10 out of 10."), 28, navy, Line::Centred},
        {s, 28, navy, Line::Left},
        {s, 36, navy, Line::Left},
        {s, 36, navy, Line::Left},
        {s, 25, blue, Line::Left},
        {banner2, 25, black, Line::Left, false},
    };
    expectLines(opsOf(p.documents[0], Kind::Text), lines, w);
    EXPECT_EQ(messages.texts(), QStringList{QStringLiteral("Your certificate is now printing.")});
    EXPECT_EQ(certificate::banner.size(), 59);
}

TEST(CertificateLayout, BorderIsThirtyTwoBlackLinesAfterTheText)
{
    RecordingPrinter p(11000, 15000);
    RecordingMessageBoxes messages;
    certificate::print(p, messages, sample());
    const QList<Op>& doc = p.documents[0];
    const QList<Op> lines = opsOf(doc, Kind::Line);
    ASSERT_EQ(lines.size(), 32);
    // The pen is set once, after the last text and before the first line.
    const QList<Op> pens = opsOf(doc, Kind::DrawWidth);
    ASSERT_EQ(pens.size(), 1);
    EXPECT_EQ(pens[0].drawWidth, 2);
    int lastText = -1, firstLine = -1, pen = -1;
    for (int i = 0; i < doc.size(); ++i) {
        if (doc[i].kind == Kind::Text)
            lastText = i;
        if (doc[i].kind == Kind::Line && firstLine < 0)
            firstLine = i;
        if (doc[i].kind == Kind::DrawWidth)
            pen = i;
    }
    EXPECT_LT(lastText, pen);
    EXPECT_LT(pen, firstLine);

    const double w = 11000, h = 15000;
    QList<QLineF> expected;
    const double insets[5][2] = {{45, 270}, {90, 315}, {135, 360}, {180, 405}, {225, 450}};
    for (int i = 0; i < 5; ++i) {
        const double x = insets[i][0], y = insets[i][1];
        expected << QLineF(x, y, w - x, y) << QLineF(x, y, x, h - y) << QLineF(w - x, y, w - x, h - y)
                 << QLineF(x, h - y, w - x, h - y);
        if (i < 3) {
            const double l = x + 600, r = w - x - 600, t = y + 7050, b = h - y - 3750;
            expected << QLineF(l, t, r, t) << QLineF(l, t, l, b) << QLineF(r, t, r, b) << QLineF(l, b, r, b);
        }
    }
    for (int i = 0; i < 32; ++i) {
        EXPECT_EQ(QLineF(lines[i].x, lines[i].y, lines[i].x2, lines[i].y2), expected[i]) << i;
        EXPECT_EQ(lines[i].colour, black) << i;
    }
}

TEST(CertificateLayout, TitleWiderThanAQuarterPageInTheScreenFontPrintsAt28)
{
    RecordingPrinter p;
    RecordingMessageBoxes messages;
    const double quarter = p.pageWidth() / 4;
    auto titleOp = [&p](int doc) {
        const QList<Op> texts = opsOf(p.documents[doc], Kind::Text);
        return std::make_pair(texts[7], texts[8]);
    };
    Certificate c = sample();
    c.taskTitle = QStringLiteral("Our Bodies");
    c.titleScreenWidth = quarter; // not greater: full size
    certificate::print(p, messages, c);
    c.titleScreenWidth = quarter + 1;
    certificate::print(p, messages, c);
    const auto [normal, normalEmpty] = titleOp(0);
    const auto [small, smallEmpty] = titleOp(1);
    EXPECT_EQ(normal.points, 36);
    EXPECT_EQ(normalEmpty.points, 36);
    EXPECT_EQ(small.points, 28);
    EXPECT_EQ(smallEmpty.points, 28);
    EXPECT_NEAR(small.x, (p.pageWidth() - widthOf(c.taskTitle, 28)) / 2, 0.01);
    // The lines after it go back to 36 pt.
    EXPECT_EQ(opsOf(p.documents[1], Kind::Text)[9].points, 36);
}

TEST(CertificateLayout, EmptyNameKeepsItsLineAndMovesNothing)
{
    RecordingPrinter p;
    RecordingMessageBoxes messages;
    certificate::print(p, messages, sample(QStringLiteral("Sam")));
    certificate::print(p, messages, sample(QString()));
    const QList<Op> named = opsOf(p.documents[0], Kind::Text);
    const QList<Op> empty = opsOf(p.documents[1], Kind::Text);
    ASSERT_EQ(named.size(), empty.size());
    EXPECT_EQ(empty[14].text, QString());
    EXPECT_NEAR(empty[14].x, p.pageWidth() / 2, 0.01);
    for (int i = 0; i < named.size(); ++i)
        EXPECT_EQ(named[i].y, empty[i].y) << i;
}

TEST(CertificateLayout, NamesPrintExactlyAsTyped)
{
    for (const QString& name : {QString::fromUtf8("\"Quoted\" & 'single' \u00e9\u00e8\u00ea\u00eb\u00df"),
                                QString::fromUtf8("\u00c5\u00e5\u00d1\u00f1 O'Connor-\u00dcberg &&"),
                                QStringLiteral("WWWWWWWWWWWWWWWWWWWWWWWWW")}) {
        RecordingPrinter p;
        RecordingMessageBoxes messages;
        certificate::print(p, messages, sample(name));
        const Op op = opsOf(p.documents[0], Kind::Text)[14];
        EXPECT_EQ(op.text, name);
        EXPECT_NEAR(op.x, (p.pageWidth() - widthOf(name, 28)) / 2, 0.01);
    }
}

TEST(CertificateLayout, ScoreLineAlwaysSaysYouHaveScored)
{
    RecordingPrinter p;
    RecordingMessageBoxes messages;
    Certificate c = sample();
    c.score = 8;
    c.outOf = 8;
    certificate::print(p, messages, c);
    EXPECT_TRUE(p.texts().contains(QStringLiteral("You have scored 8 out of 8.")));
}

TEST(PrintoutFailure, EveryFailurePointDropsThePageAndSaysSoOnce)
{
    RecordingPrinter whole;
    RecordingMessageBoxes ignored;
    certificate::print(whole, ignored, sample());
    const int steps = 200; // more than the page needs: the last runs succeed
    int failures = 0;
    for (int failAfter = 0; failAfter < steps; ++failAfter) {
        RecordingPrinter p;
        RecordingMessageBoxes messages;
        p.failAfter = failAfter;
        const bool ok = certificate::print(p, messages, sample());
        ASSERT_EQ(messages.shown.size(), 1);
        if (ok) {
            EXPECT_EQ(messages.texts()[0], QStringLiteral("Your certificate is now printing."));
            EXPECT_EQ(p.documents.size(), 1);
        } else {
            ++failures;
            EXPECT_EQ(messages.texts()[0], QStringLiteral("There was a problem printing to your printer."));
            EXPECT_TRUE(p.documents.isEmpty());
            EXPECT_EQ(p.abandoned, 1);
        }
    }
    EXPECT_GT(failures, 50);
    EXPECT_LT(failures, steps);
}

TEST(PrintoutFailure, WorksheetFailureSaysSoAndNothingElse)
{
    const QuestionSet set;
    for (int failAfter : {0, 3, 40, 100}) {
        RecordingPrinter p;
        RecordingMessageBoxes messages;
        p.failAfter = failAfter;
        EXPECT_FALSE(worksheet::print(p, messages, QStringLiteral("Corvana"), QStringLiteral("Set"), set));
        EXPECT_EQ(messages.texts(), QStringList{QStringLiteral("There was a problem printing to your printer.")});
        EXPECT_TRUE(p.documents.isEmpty());
    }
}

TEST(PrintoutFailure, PdfFallbackNamesTheFile)
{
    RecordingPrinter p;
    RecordingMessageBoxes messages;
    p.pdfPath = QStringLiteral("/tmp/printouts/Corvana printout.pdf");
    EXPECT_TRUE(worksheet::print(p, messages, QStringLiteral("Corvana"), QStringLiteral("Set"), QuestionSet()));
    ASSERT_EQ(messages.shown.size(), 1);
    // The folder by its name, in words for a pupil; never the whole path.
    EXPECT_TRUE(messages.texts()[0].contains(QStringLiteral("the \"printouts\" folder")));
    EXPECT_FALSE(messages.texts()[0].contains(p.pdfPath));
    EXPECT_TRUE(messages.texts()[0].contains(QStringLiteral("worksheet")));
    EXPECT_FALSE(messages.texts()[0].contains(QStringLiteral("now printing")));
    EXPECT_TRUE(messages.texts()[0].startsWith(QStringLiteral("There is no printer here")));

    // Printers installed but none the default: the teacher is told that, not sent looking
    // for a printer that is missing.
    p.printersWithoutDefault = true;
    EXPECT_TRUE(worksheet::print(p, messages, QStringLiteral("Corvana"), QStringLiteral("Set"), QuestionSet()));
    ASSERT_EQ(messages.shown.size(), 2);
    EXPECT_TRUE(messages.texts()[1].startsWith(QStringLiteral("No printer is set as the default printer here")));
    EXPECT_FALSE(messages.texts()[1].contains(QStringLiteral("There is no printer")));
    EXPECT_TRUE(messages.texts()[1].contains(QStringLiteral("the \"printouts\" folder")));
}

QuestionSet worksheetSet()
{
    QuestionSet set;
    set.title = QStringLiteral("Bones");
    for (int q = 1; q <= 10; ++q) {
        set.question(q).text = QStringLiteral("Q%1 text?").arg(q);
        for (int k = 1; k <= 4; ++k)
            set.question(q).options[k] = QStringLiteral("opt %1.%2").arg(q).arg(k);
        set.question(q).correct = QStringLiteral("2");
    }
    return set;
}

TEST(WorksheetLayout, PrintsHeaderTitlesAndQuestionsInTwoColumns)
{
    RecordingPrinter p;
    RecordingMessageBoxes messages;
    ASSERT_TRUE(worksheet::print(p, messages, QStringLiteral("Corvana"), QStringLiteral("Bones"), worksheetSet()));
    EXPECT_EQ(messages.texts(), QStringList{QStringLiteral("Your worksheet is now printing.")});
    const QList<Op> texts = opsOf(p.documents[0], Kind::Text);
    const double w = p.pageWidth();
    ASSERT_EQ(texts.size(), 7 + 10 * 6);
    const QString s = QStringLiteral(" ");
    EXPECT_EQ(worksheet::header.size(), 8 + 57 + 22);

    struct Expect {
        QString text;
        double points, x;
        bool endLine;
    };
    QList<Expect> expected = {
        {s, 16, w / 8, true},
        {worksheet::header, 16, w / 16, false},
        {s, 16, w / 16 + widthOf(worksheet::header, 16), true},
        {s, 16, 0, true},
        {QStringLiteral("Corvana"), 32, (w - widthOf(QStringLiteral("Corvana"), 32)) / 2, true},
        {QStringLiteral("Bones"), 32, (w - widthOf(QStringLiteral("Bones"), 32)) / 2, true},
        {s, 32, 0, true},
    };
    for (int q = 1; q <= 10; ++q) {
        const QString n = QString::number(q);
        expected << Expect{QStringLiteral("Question ") + n + QStringLiteral("    Q") + n + QStringLiteral(" text?"), 12,
                           w / 16, true}
                 << Expect{QStringLiteral("A. opt %1.1").arg(q), 12, w / 3, false}
                 << Expect{QStringLiteral("B. opt %1.2").arg(q), 12, 2 * w / 3, true}
                 << Expect{QStringLiteral("C. opt %1.3").arg(q), 12, w / 3, false}
                 << Expect{QStringLiteral("D. opt %1.4").arg(q), 12, 2 * w / 3, true} << Expect{s, 12, 0, true};
    }
    double y = 0;
    for (int i = 0; i < texts.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(texts[i].text, expected[i].text);
        EXPECT_EQ(texts[i].points, expected[i].points);
        EXPECT_NEAR(texts[i].x, expected[i].x, 0.01);
        EXPECT_NEAR(texts[i].y, y, 0.01);
        EXPECT_EQ(texts[i].endLine, expected[i].endLine);
        EXPECT_EQ(texts[i].colour, black);
        EXPECT_EQ(texts[i].font, QStringLiteral("Times New Roman"));
        if (texts[i].endLine)
            y += lineOf(texts[i].points);
    }
    EXPECT_TRUE(opsOf(p.documents[0], Kind::Line).isEmpty());
}

TEST(WorksheetLayout, EmptyOptionsStillPrintTheirLetters)
{
    RecordingPrinter p;
    RecordingMessageBoxes messages;
    QuestionSet set = worksheetSet();
    for (int k = 1; k <= 4; ++k)
        set.question(3).options[k].clear();
    worksheet::print(p, messages, QStringLiteral("Corvana"), QStringLiteral("Bones"), set);
    const QStringList texts = p.texts();
    const int at = texts.indexOf(QStringLiteral("Question 3    Q3 text?"));
    ASSERT_GE(at, 0);
    EXPECT_EQ(texts.mid(at + 1, 4),
              (QStringList{QStringLiteral("A. "), QStringLiteral("B. "), QStringLiteral("C. "), QStringLiteral("D. ")}));
}

TEST(WorksheetLayout, BlackEvenAfterACertificate)
{
    RecordingPrinter p;
    RecordingMessageBoxes messages;
    p.setColor(QColor(255, 0, 0));
    worksheet::print(p, messages, QStringLiteral("Corvana"), QStringLiteral("Bones"), worksheetSet());
    for (const Op& op : opsOf(p.documents[0], Kind::Text))
        EXPECT_EQ(op.colour, black);
}

} // namespace

// With no printer, every kind of printout is kept in the teacher's folder under a name that
// says what it holds, and the pupil is told so in plain words.
TEST(PrintoutFiles, EachIsNamedByWhatItHoldsInTheTeachersFolder)
{
    EXPECT_TRUE(printouts::defaultFolder().endsWith(QStringLiteral("/Corvana")));
    EXPECT_TRUE(printouts::defaultFolder().startsWith(
        QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation)));

    QTemporaryDir documents;
    const QString folder = documents.path() + QStringLiteral("/Corvana");
    auto pdf = makePdfFilePrinter(folder);
    RecordingMessageBoxes messages;
    Certificate c;
    c.taskTitle = QStringLiteral("Bones");
    c.name = QStringLiteral("Sam: \"the best\" / 4C");
    c.score = c.outOf = 10;
    ASSERT_TRUE(certificate::print(*pdf, messages, c));
    QuestionSet set;
    set.title = QStringLiteral("Bones");
    ASSERT_TRUE(worksheet::print(*pdf, messages, QStringLiteral("Corvana"), set.title, set));
    QImage white(200, 100, QImage::Format_RGB32);
    white.fill(Qt::white);
    const Picture page(white);
    reader::printPage(*pdf, messages, page, reader::pageName(QStringLiteral("wmf2\\key bones.wmf")));

    const QString today = QDate::currentDate().toString(QStringLiteral("yyyy-MM-dd"));
    QStringList files = QDir(folder).entryList(QDir::Files, QDir::Name);
    ASSERT_EQ(files.size(), 3);
    EXPECT_TRUE(files[0].startsWith(QStringLiteral("Certificate - Sam_ _the best_ _ 4C - ") + today)) << files[0].toStdString();
    EXPECT_EQ(files[1], QStringLiteral("Key Facts - bones - ") + today + QStringLiteral(".pdf"));
    EXPECT_EQ(files[2], QStringLiteral("Worksheet - Bones - ") + today + QStringLiteral(".pdf"));
    const QStringList told = messages.texts();
    ASSERT_EQ(told.size(), 3);
    for (const QString& text : told) {
        EXPECT_TRUE(text.contains(QStringLiteral("for your teacher"))) << text.toStdString();
        EXPECT_TRUE(text.contains(QStringLiteral("the \"Corvana\" folder"))) << text.toStdString();
        EXPECT_FALSE(text.contains(documents.path())) << text.toStdString();
    }
}

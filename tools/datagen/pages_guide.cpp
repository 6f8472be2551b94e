// The teachers' guide: four pages on how Corvana is used in class.
#include "pages_figures.h"

namespace pages {

namespace {

const QList<QRect> guideScreen{QRect(120, 950, 5600, 6800), QRect(5980, 950, 5600, 6800)};
const QList<QRect> guidePrint{QRect(0, 800, printWidth, printHeight - 800)};

Page guidePage(const char* name, const char* title)
{
    Page p;
    p.name = QString::fromLatin1(name);
    p.title = QString::fromLatin1(title);
    p.body = {210, 258};
    p.printBody = {230, 300};
    p.termWidth = 2150;
    p.screenColumns = guideScreen;
    p.printColumns = guidePrint;
    return p;
}

// The main menu's entries where they stand on the real screen.
Drawing mainMenuPicture()
{
    return [](WmfWriter& w, const QRect& box, const Style& s) {
        const QList<MiniButton> entries{
            {"Teachers' Guide", 120, 1080, 3075, 495}, {"Introduction", 120, 2040, 3075, 375},
            {"Muscles", 3360, 2040, 3075, 375},         {"Parts of the Body", 120, 2760, 3075, 375},
            {"Reproduction", 3360, 2760, 3075, 375},    {"Our Senses", 120, 3480, 3075, 375},
            {"Growth", 3360, 3480, 3075, 375},          {"Teeth", 120, 4200, 3075, 375},
            {"Respiration", 3360, 4200, 3075, 375},     {"The Digestive System", 120, 4920, 3075, 375},
            {"Blood", 3360, 4920, 3075, 375},           {"A Good Diet", 120, 5640, 3075, 375},
            {"The Brain", 3360, 5640, 3075, 375},       {"The Heart", 120, 6360, 3075, 375},
            {"Skin", 3360, 6360, 3075, 375},            {"Bones", 120, 7080, 3075, 375},
            {"Healthy Living", 3360, 7080, 3075, 375},  {"Multiple Choice Wizard", 6960, 5760, 4635, 495},
            {"Worksheet Catalogue", 6960, 6600, 4635, 495}, {"Acknowledgments", 120, 7920, 3075, 495},
            {"Exit", 10560, 7920, 1245, 495},
        };
        miniScreen(w, box, s, QString(), entries, [&s](Canvas& c) {
            c.w.font(QStringLiteral("Tahoma"), std::max(90, c.len(640)), true);
            c.w.setTextColor(s.copy == Copy::Screen ? QColor(255, 0, 0) : QColor(0, 0, 0));
            c.w.setTextAlign(WmfWriter::Center | WmfWriter::Top);
            c.w.textOut(c.p(6000, 720).x(), c.p(6000, 720).y(), QStringLiteral("Corvana"));
            c.w.setTextAlign(WmfWriter::Left | WmfWriter::Top);
            // The brain animation.
            c.w.pen(s.copy == Copy::Screen ? QColor(150, 80, 110) : QColor(0, 0, 0), 10);
            c.w.brush(s.copy == Copy::Screen ? QColor(236, 160, 180) : QColor(235, 235, 235));
            c.w.ellipse(c.r(7600, 2700, 3400, 2300));
            c.w.font(s.face, std::max(70, c.len(300)), true);
            c.w.setTextColor(s.copy == Copy::Screen ? QColor(255, 255, 0) : QColor(0, 0, 0));
            c.w.textOut(c.p(10440, 720).x(), c.p(10440, 720).y(), QStringLiteral("Sound On"));
            c.w.textOut(c.p(10440, 1080).x(), c.p(10440, 1080).y(), QStringLiteral("Sound Off"));
        });
    };
}

Drawing hubPicture()
{
    return [](WmfWriter& w, const QRect& box, const Style& s) {
        const QList<MiniButton> buttons{
            {"Key Facts", 6360, 120, 1995, 495},          {"Teacher's Notes", 8640, 120, 3195, 495},
            {"Multiple Choice", 120, 7920, 3195, 495},    {"Labelling Activity", 3600, 7920, 3195, 495},
            {"Ordering Activity", 7080, 7920, 3195, 495}, {"Exit", 10560, 7920, 1245, 495},
        };
        miniScreen(w, box, s, QStringLiteral("Bones"), buttons, [&s](Canvas& c) {
            // The topic's picture.
            skeletonFigure()(c.w, c.r(3600, 1400, 4800, 6300), s);
        });
    };
}

Drawing quizPicture()
{
    return [](WmfWriter& w, const QRect& box, const Style& s) {
        const QList<MiniButton> buttons{
            {"<< Previous Question", 2040, 7920, 3765, 495},
            {"Next Question >>", 6000, 7920, 3765, 495},
            {"Exit", 10560, 7920, 1245, 495},
        };
        miniScreen(w, box, s, QString(), buttons, [&s](Canvas& c) {
            const bool screen = s.copy == Copy::Screen;
            const QColor yellow = screen ? QColor(255, 255, 0) : QColor(0, 0, 0);
            c.w.font(QStringLiteral("Tahoma"), std::max(80, c.len(620)), true);
            c.w.setTextColor(yellow);
            c.w.setTextAlign(WmfWriter::Center | WmfWriter::Top);
            c.w.textOut(c.p(3240, 780).x(), c.p(3240, 780).y(), QStringLiteral("Multiple Choice"));
            c.w.font(QStringLiteral("Times New Roman"), std::max(80, c.len(560)));
            c.w.textOut(c.p(6000, 4700).x(), c.p(6000, 4700).y(), QStringLiteral("Which bone protects the brain?"));
            c.w.setTextAlign(WmfWriter::Left | WmfWriter::Top);
            c.w.font(QStringLiteral("Times New Roman"), std::max(80, c.len(420)));
            c.w.textOut(c.p(360, 3840).x(), c.p(360, 3840).y(), QStringLiteral("Question 1"));
            const char* options[] = {"the femur", "the skull", "the tibia", "the pelvis"};
            for (int i = 0; i < 4; ++i) {
                const double top = 6000 + i * 600;
                c.w.pen(yellow, 10);
                c.w.brush(QColor(255, 255, 255));
                c.w.ellipse(c.r(2400, top + 60, 260, 260));
                if (i == 1) {
                    c.w.nullPen();
                    c.w.brush(QColor(0, 0, 0));
                    c.w.ellipse(c.r(2470, top + 130, 120, 120));
                }
                c.w.setTextColor(yellow);
                c.w.textOut(c.p(2800, top).x(), c.p(2800, top).y(), QString::fromLatin1(options[i]));
            }
        });
    };
}

Drawing labellingPicture()
{
    return [](WmfWriter& w, const QRect& box, const Style& s) {
        const QList<MiniButton> buttons{
            {"Start Again", 3360, 7920, 2565, 495},
            {"Check Score", 6000, 7920, 2565, 495},
            {"Exit", 10560, 7920, 1245, 495},
        };
        miniScreen(w, box, s, QString(), buttons, [&s](Canvas& c) {
            skeletonFigure()(c.w, c.r(5200, 300, 4200, 7300), s);
            const bool screen = s.copy == Copy::Screen;
            const char* names[] = {"Tibia", "Skull", "Backbone", "Humerus", "Femur", "Pelvis", "Rib Cage"};
            for (int i = 0; i < 7; ++i) {
                const QRect r = c.r(1440, 2400 + i * 600 - 600, 1800, 420);
                c.w.pen(screen ? QColor(255, 255, 255) : QColor(0, 0, 0), 10);
                c.w.brush(screen ? QColor(0, 0, 0) : QColor(255, 255, 255));
                c.w.rectangle(r);
                c.w.font(QStringLiteral("Tahoma"), std::max(70, c.len(300)), true);
                c.w.setTextColor(screen ? QColor(255, 255, 0) : QColor(0, 0, 0));
                c.w.setTextAlign(WmfWriter::Center | WmfWriter::Top);
                c.w.textOut(r.center().x(), r.top() + r.height() / 5, QString::fromLatin1(names[i]));
                c.w.setTextAlign(WmfWriter::Left | WmfWriter::Top);
            }
            // Empty target boxes beside the bones.
            c.w.pen(screen ? QColor(255, 255, 255) : QColor(0, 0, 0), 10);
            c.w.nullBrush();
            for (auto [x, y] : std::initializer_list<std::pair<int, int>>{{9700, 900}, {9700, 2400}, {9700, 4200}})
                c.w.rectangle(c.r(x, y, 1800, 420));
            // A label on its way to a box, with the pointer.
            c.w.pen(s.accent, std::max(10, c.len(40)));
            c.w.line(c.p(3300, 3300).x(), c.p(3300, 3300).y(), c.p(9500, 4350).x(), c.p(9500, 4350).y());
        });
    };
}

Drawing resultsPicture()
{
    return [](WmfWriter& w, const QRect& box, const Style& s) {
        const QList<MiniButton> buttons{{"Print Certificate", 240, 1800, 3765, 495}, {"Exit", 10560, 7920, 1245, 495}};
        miniScreen(w, box, s, QString(), buttons, [&s](Canvas& c) {
            const bool screen = s.copy == Copy::Screen;
            const QColor yellow = screen ? QColor(255, 255, 0) : QColor(0, 0, 0);
            c.w.setTextAlign(WmfWriter::Center | WmfWriter::Top);
            c.w.font(QStringLiteral("Tahoma"), std::max(80, c.len(700)), true);
            c.w.setTextColor(yellow);
            c.w.textOut(c.p(6000, 720).x(), c.p(6000, 720).y(), QStringLiteral("Well Done!"));
            c.w.font(QStringLiteral("Times New Roman"), std::max(70, c.len(460)));
            c.w.textOut(c.p(6000, 6000).x(), c.p(6000, 6000).y(),
                        QStringLiteral("Excellent work. You have scored 10 out of 10."));
            c.w.setTextAlign(WmfWriter::Left | WmfWriter::Top);
            c.w.pen(screen ? QColor(120, 120, 120) : QColor(0, 0, 0), 10);
            c.w.brush(QColor(255, 255, 255));
            c.w.rectangle(c.r(3120, 7200, 5760, 615));
            c.w.font(QStringLiteral("Times New Roman"), std::max(70, c.len(420)));
            c.w.setTextColor(QColor(0, 0, 0));
            c.w.textOut(c.p(3240, 7260).x(), c.p(3240, 7260).y(), QStringLiteral("Sam"));
            c.w.pen(screen ? QColor(150, 80, 110) : QColor(0, 0, 0), 10);
            c.w.brush(screen ? QColor(236, 160, 180) : QColor(235, 235, 235));
            c.w.ellipse(c.r(6300, 2100, 4000, 2900));
        });
    };
}

Drawing wizardPicture()
{
    return [](WmfWriter& w, const QRect& box, const Style& s) {
        const bool screen = s.copy == Copy::Screen;
        const QColor yellow = screen ? QColor(255, 255, 0) : QColor(0, 0, 0);
        miniScreen(w, box, s, QString(), {{"Save Worksheet", 240, 7920, 3165, 495}, {"Exit", 10560, 7920, 1245, 495}},
                   [&](Canvas& c) {
                       // The title box, then ten questions in two columns, four answers each with
                       // a tick box; one answer of each ticked.
                       c.w.pen(screen ? QColor(120, 120, 120) : QColor(0, 0, 0), 10);
                       c.w.brush(QColor(255, 255, 255));
                       c.w.rectangle(c.r(7560, 700, 4200, 380)); // the title box
                       for (int q = 0; q < 10; ++q) {
                           const int x = q < 5 ? 0 : 5880, y = 600 + 1440 * (q % 5);
                           c.w.brush(QColor(255, 255, 255));
                           c.w.rectangle(c.r(240 + x, 840 + y, 5400, 330));
                           for (int k = 0; k < 4; ++k) {
                               const int ox = (k % 2) ? 3600 : 720, oy = (k < 2) ? 1230 : 1560;
                               c.w.rectangle(c.r(ox + x, oy + y, 2000, 280));
                               c.w.brush(k == (q * 3) % 4 ? yellow : QColor(255, 255, 255));
                               c.w.rectangle(c.r(ox - 240 + x, oy + 40 + y, 200, 200));
                               c.w.brush(QColor(255, 255, 255));
                           }
                       }
                   });
    };
}

Drawing cataloguePicture()
{
    return [](WmfWriter& w, const QRect& box, const Style& s) {
        const bool screen = s.copy == Copy::Screen;
        const QColor yellow = screen ? QColor(255, 255, 0) : QColor(0, 0, 0);
        miniScreen(w, box, s, QString(), {{"Exit", 10560, 7920, 1245, 495}, {"Next Page >>", 6000, 7920, 3195, 495}},
                   [&](Canvas& c) {
                       c.w.font(s.face, std::max(70, c.len(300)), true);
                       c.w.setTextColor(yellow);
                       // The two tick boxes at the top, then titles in two columns.
                       c.w.pen(screen ? QColor(255, 255, 255) : QColor(0, 0, 0), 10);
                       c.w.nullBrush();
                       c.w.rectangle(c.r(120, 720, 240, 240));
                       c.w.rectangle(c.r(9240, 720, 240, 240));
                       c.w.textOut(c.p(480, 700).x(), c.p(480, 700).y(), QStringLiteral("Edit Worksheet"));
                       c.w.textOut(c.p(9600, 700).x(), c.p(9600, 700).y(), QStringLiteral("Delete Worksheet"));
                       const char* titles[] = {"Year 4 Skeleton Quiz", "Healthy Teeth", "Our Senses Check",
                                               "Food Groups", "Bones Revision", "Heart and Blood", "Senses Quiz 2",
                                               "Class 5 Muscles"};
                       for (int i = 0; i < 8; ++i) {
                           const bool left = i < 6;
                           const QRect r = c.r(left ? 120 : 6120, 600 + 720 + 600 * (left ? i : i - 6), 5715, 375);
                           c.w.rectangle(r);
                           c.w.textOut(r.left() + c.len(120), r.top() + c.len(30), QString::fromLatin1(titles[i]));
                       }
                       c.w.textOut(c.p(240, 8580).x(), c.p(240, 8580).y(), QStringLiteral("Page 1"));
                   });
    };
}

Page guide1()
{
    Page p = guidePage("guide1", "Teachers' Guide: Getting Started");
    p.blocks = {
        para("Corvana teaches pupils aged 7 to 11 about the human body. Pupils read illustrated pages, take "
             "ten-question quizzes and do drag-and-drop activities; teachers write their own quizzes and "
             "keep them in a catalogue. This guide has four pages: Next Page and Previous Page turn them, "
             "and Print gives a paper copy."),
        heading("Starting and finishing"),
        bullet("Corvana opens on its title screen. OK leads to the main menu."),
        bullet("Exit on the main menu shows the title screen again: Cancel goes back to the menu, Exit closes "
               "Corvana."),
        heading("The main menu"),
        figure(mainMenuPicture(), 0, 4400),
        screenBreak(),
        term("Topics", "each of the fifteen topics, from Our Senses to Healthy Living, opens its topic "
                       "screen (page 2)."),
        term("Introduction", "a welcome page for pupils."),
        term("Sound On, Sound Off", "sound effects on or off. Sound is on whenever the menu opens afresh."),
        term("Teachers' Guide", "this guide."),
        term("Multiple Choice Wizard", "write your own quiz (page 4)."),
        term("Worksheet Catalogue", "open, change or remove your quizzes (page 4)."),
        term("Acknowledgments", "the free software and fonts behind Corvana."),
        heading("A lesson with Corvana"),
        para("Read the Key Facts together, then let pupils try the activities and the quiz in pairs. Pupils "
             "with full marks print a certificate; the others see what they got wrong, read the Key Facts "
             "again and have another go."),
    };
    return p;
}

Page guide2()
{
    Page p = guidePage("guide2", "Teachers' Guide: The Topics");
    p.blocks = {
        figure(hubPicture(), 3250, 3700),
        para("Each topic screen shows the topic's picture and six buttons:"),
        term("Key Facts", "one page of facts for pupils."),
        term("Teacher's Notes", "objectives, background, ideas and misconceptions (one or two pages)."),
        term("Multiple Choice", "a ten-question quiz on the topic."),
        term("Activities", "two per topic; their buttons name them: labelling, sorting, ordering or "
                           "sentences."),
        term("Exit", "back to the main menu."),
        screenBreak(),
        heading("Reading pages"),
        para("Pages open in a reader. Where there is more than one page, Next Page and Previous Page turn "
             "them and the label between shows the page number. Print gives a black-on-white paper copy, "
             "ready to photocopy."),
        heading("The quiz"),
        figure(quizPicture(), 2200, 2900),
        bullet("Pupils click one of four answers, then Next Question. On question 10, Check Score shows "
               "the results."),
        bullet("Previous Question goes back but clears the answer: pupils must choose again, as an "
               "unanswered question counts as wrong."),
    };
    return p;
}

Page guide3()
{
    Page p = guidePage("guide3", "Teachers' Guide: Activities and Results");
    p.blocks = {
        heading("Drag-and-drop activities"),
        figure(labellingPicture(), 3000, 3800),
        bullet("Pupils drag a label with the mouse and let go near a box: the label jumps into place with "
               "a thud."),
        bullet("When every label is in a box, Check Score appears. Start Again puts every label back."),
        bullet("Labelling: name the parts of a picture. Sorting: put each label in its group; any box of "
               "the group will do. Ordering and sentences: each label has one right box."),
        screenBreak(),
        heading("Results"),
        figure(resultsPicture(), 2700, 3400),
        bullet("Every quiz and activity ends with the score and a sound to match it."),
        bullet("Full marks: the pupil types a name of up to 25 letters and presses Print Certificate for a "
               "framed certificate with the name and the score."),
        bullet("After a quiz with mistakes, Check Wrong Answers lists the questions that were answered "
               "wrongly, so the pupil knows what to read again."),
        bullet("After an activity with mistakes, pupils are asked to read the Key Facts and try again."),
    };
    return p;
}

Page guide4()
{
    Page p = guidePage("guide4", "Teachers' Guide: Worksheets and Printing");
    p.blocks = {
        heading("Multiple Choice Wizard"),
        figure(wizardPicture(), 2500, 3400),
        para("Type a title, then each question with its four answers A to D, and tick the one correct "
             "answer; Enter moves to the next box. Save Worksheet checks that every box is filled and that "
             "each question has exactly one tick, then saves the worksheet and adds it to the catalogue. "
             "Saving again under the same title replaces it."),
        heading("Worksheet Catalogue"),
        bullet("Lists your worksheets, 24 to a page. Click a title to open it as a quiz."),
        bullet("Tick Edit Worksheet, then click a title, to change it in the wizard."),
        bullet("Tick Delete Worksheet, then click a title, to take it off the list; Corvana asks first. The "
               "worksheet's file is kept."),
        figure(cataloguePicture(), 2000, 3000),
        heading("Printing"),
        bullet("Print on every reading page and on this guide prints a black-on-white copy."),
        bullet("Print Certificate on the results screen prints a certificate for full marks."),
        bullet("With no printer, Corvana saves a PDF file in Documents/Corvana instead."),
        heading("Where files are kept"),
        para("Worksheets are kept in the folder \"multiple\" of Corvana's data folder in your account "
             "(~/.local/share/corvana), PDF printouts in Documents/Corvana. Copy them to keep a "
             "backup."),
    };
    return p;
}

} // namespace

QList<Page> guidePages() { return {guide1(), guide2(), guide3(), guide4()}; }

} // namespace pages

// The pages of the main menu: the pupils' introduction and the acknowledgments.
#include "pages_figures.h"

namespace pages {

namespace {

Page introduction()
{
    Page p;
    p.name = QStringLiteral("introduction");
    p.title = QStringLiteral("Welcome to Corvana");
    p.body = {260, 320};
    p.printBody = {260, 340};
    p.screenColumns = {QRect(120, 950, 6900, 6800), QRect(7200, 950, 4380, 6800)};
    p.printColumns = {QRect(0, 800, printWidth, printHeight - 800)};
    p.blocks = {
        para("Corvana is all about your amazing body: what it looks like on the outside, what is hidden "
             "inside, and how to keep it healthy."),
        heading("How to use Corvana"),
        bullet("Choose a topic on the main menu. Your teacher may add more under More Topics."),
        bullet("Read the Key Facts first."),
        bullet("Test yourself with the Multiple Choice quiz: ten questions, each with four answers to "
               "choose from."),
        bullet("Try the topic's activities: drag the labels with your mouse into the right boxes."),
        bullet("Get everything right and you can print your own certificate!"),
        heading("Did you know?"),
        bullet("Your heart beats about 100,000 times every day."),
        bullet("You have more than 600 muscles, and they all work by pulling."),
        screenBreak(),
        figure(outsideInsideFigure(), 0, 6000),
    };
    return p;
}

Page acknowledgments()
{
    Page p;
    p.name = QStringLiteral("acknowledgments");
    p.title = QStringLiteral("Acknowledgments");
    // This page shows on a lighter blue, where yellow reads better than the usual headings.
    p.screenHeading = QColor(255, 255, 0);
    p.body = {205, 250};
    p.printBody = {230, 300};
    p.termWidth = 2100;
    // The screen copy stays left of the logo, which the reader shows at its right.
    p.screenColumns = {QRect(120, 950, 8700, 6800)};
    p.printColumns = {QRect(0, 800, printWidth, printHeight - 800)};
    p.blocks = {
        para("Corvana is built with free software and free fonts. We thank everyone who writes them and "
             "shares them with the world."),
        term("Qt", "windows, pictures, sound and printing: The Qt Company and the Qt Project, under the "
                   "GNU Lesser General Public License (LGPL) 3."),
        term("giflib", "the logo animation's GIF frames: Gershon Elber, Eric S. Raymond and others, under "
                       "the MIT licence."),
        term("cmark", "reads the topics' Markdown pages: John MacFarlane and others, under the BSD 2-Clause "
                      "licence."),
        term("libarchive", "packs and unpacks the topics teachers share: Tim Kientzle and others, under "
                           "the BSD 2-Clause licence."),
        term("SQLite", "keeps the class records: D. Richard Hipp and others, in the public domain."),
        term("GoogleTest", "Corvana's automatic tests: Google, under the BSD 3-Clause licence."),
        term("Google Benchmark", "measures Corvana's speed: Google, under the Apache License 2.0."),
        term("Liberation fonts", "Liberation Sans and Serif, for Arial and Times New Roman: Red Hat, under "
                                 "the SIL Open Font License 1.1."),
        term("Tahoma", "the Tahoma-compatible font of the Wine project, under the GNU LGPL."),
        term("Debian", "the free operating system on which Corvana is built and tested."),
        gap(60),
        para("Pictures, pages and sounds were made for Corvana by its own tools. Debian is a registered "
             "trademark of Software in the Public Interest, Inc.; Qt is a registered trademark of The Qt "
             "Company Ltd. Other names belong to their owners. Corvana \u00a9 Talvory Publishing Ltd."),
    };
    return p;
}

} // namespace

QList<Page> frontPages() { return {introduction(), acknowledgments()}; }

} // namespace pages

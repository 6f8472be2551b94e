#include "platform/pictures.h"
#include "platform/system_printer.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QPrinterInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

QStringList pdfsIn(const QString& folder)
{
    return QDir(folder).entryList({QStringLiteral("*.pdf")}, QDir::Files);
}

// The page as text, when poppler's pdftotext is at hand; empty otherwise.
QString pdfText(const QString& path)
{
    const QString tool = QStandardPaths::findExecutable(QStringLiteral("pdftotext"));
    if (tool.isEmpty())
        return {};
    QProcess p;
    p.start(tool, {QStringLiteral("-layout"), path, QStringLiteral("-")});
    p.waitForFinished(20000);
    return QString::fromUtf8(p.readAllStandardOutput());
}

TEST(PdfPrinter, WritesARealPdfIntoTheFolderAndSaysWhere)
{
    QTemporaryDir dir;
    const QString folder = dir.path() + QStringLiteral("/printouts"); // made when needed
    auto printer = makePdfFilePrinter(folder);
    printer->setFont(QStringLiteral("Times New Roman"), 28);
    printer->setColor(QColor(0, 0, 128));
    const QString name = QString::fromUtf8("Zo\u00eb \"Bo\" O'Neill & J\u00f6rg");
    printer->setCurrentX((printer->pageWidth() - printer->textWidth(name)) / 2);
    printer->print(name);
    printer->print(QStringLiteral("You have scored 10 out of 10."));
    printer->setDrawWidth(2);
    printer->drawLine(45, 270, printer->pageWidth() - 45, 270);
    const PrintResult result = printer->endDoc();

    ASSERT_FALSE(result.pdfPath.isEmpty());
    EXPECT_EQ(QFileInfo(result.pdfPath).absolutePath(), QDir(folder).absolutePath());
    QFile f(result.pdfPath);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QByteArray bytes = f.readAll();
    EXPECT_TRUE(bytes.startsWith("%PDF"));
    EXPECT_GT(bytes.size(), 2000);
    const QString text = pdfText(result.pdfPath);
    if (!text.isEmpty()) {
        EXPECT_TRUE(text.contains(name)) << text.toStdString();
        EXPECT_TRUE(text.contains(QStringLiteral("You have scored 10 out of 10.")));
    }
}

TEST(PdfPrinter, EachDocumentGetsItsOwnFile)
{
    QTemporaryDir dir;
    auto printer = makePdfFilePrinter(dir.path());
    QStringList paths;
    for (int i = 0; i < 3; ++i) {
        printer->print(QStringLiteral("page %1").arg(i));
        paths << printer->endDoc().pdfPath;
    }
    paths.removeDuplicates();
    EXPECT_EQ(paths.size(), 3);
    EXPECT_EQ(pdfsIn(dir.path()).size(), 3);
}

TEST(PdfPrinter, PageIsAPrintableAreaInTwips)
{
    QTemporaryDir dir;
    auto printer = makePdfFilePrinter(dir.path());
    // A4 or Letter, less small margins: roughly 8 by 11 inches.
    EXPECT_GT(printer->pageWidth(), 10500);
    EXPECT_LT(printer->pageWidth(), 12300);
    EXPECT_GT(printer->pageHeight(), 14500);
    EXPECT_LT(printer->pageHeight(), 16900);
    printer->abandon();
    EXPECT_TRUE(pdfsIn(dir.path()).isEmpty());
}

TEST(PdfPrinter, PrintingMovesThePositionLikeLinesOnPaper)
{
    QTemporaryDir dir;
    auto printer = makePdfFilePrinter(dir.path());
    printer->setFont(QStringLiteral("Times New Roman"), 25);
    printer->setCurrentX(1000);
    printer->print(QStringLiteral("Well Done"), false);
    EXPECT_NEAR(printer->currentX(), 1000 + printer->textWidth(QStringLiteral("Well Done")), 0.01);
    EXPECT_EQ(printer->currentY(), 0);
    printer->print(QStringLiteral(" "));
    EXPECT_EQ(printer->currentX(), 0);
    const double line25 = printer->currentY();
    // 25 pt is 500 twips; a line is a little more.
    EXPECT_GT(line25, 500);
    EXPECT_LT(line25, 700);
    printer->setFont(QStringLiteral("Times New Roman"), 12);
    printer->print(QString());
    EXPECT_LT(printer->currentY() - line25, line25 / 2 + 20);
    // Text widths scale with the size: the measure is the page's, not the screen's.
    printer->setFont(QStringLiteral("Times New Roman"), 36);
    const double wide = printer->textWidth(QStringLiteral("Corvana"));
    printer->setFont(QStringLiteral("Times New Roman"), 18);
    EXPECT_NEAR(printer->textWidth(QStringLiteral("Corvana")) * 2, wide, wide * 0.03);
    printer->endDoc();
    EXPECT_EQ(printer->currentY(), 0);
}

TEST(PdfPrinter, DrawsPicturesAtTheirOwnSize)
{
    QTemporaryDir dir;
    auto printer = makePdfFilePrinter(dir.path());
    QImage image(60, 40, QImage::Format_RGB32);
    image.fill(QColor(200, 30, 30));
    printer->print(QString());
    printer->drawPicture(Picture(image), 1000, 1000);
    printer->drawPicture(Picture(), 1000, 1000); // a missing picture draws nothing
    const PrintResult result = printer->endDoc();
    QFile f(result.pdfPath);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_TRUE(f.readAll().contains("/Image"));
}

TEST(PdfPrinter, UnwritableFolderFailsWithoutClaimingSuccess)
{
    QTemporaryDir dir;
    const QString blocker = dir.path() + QStringLiteral("/not-a-folder");
    QFile file(blocker);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.close();
    auto printer = makePdfFilePrinter(blocker + QStringLiteral("/printouts"));
    printer->print(QStringLiteral("Excellent Work"));
    EXPECT_THROW(printer->pageWidth(), PrintFailure);
    EXPECT_THROW(printer->endDoc(), PrintFailure);
    printer->abandon();
    EXPECT_FALSE(QFileInfo::exists(blocker + QStringLiteral("/printouts")));
}

TEST(PdfPrinter, ReadOnlyFolderFailsAndLeavesNoFile)
{
    QTemporaryDir dir;
    const QString folder = dir.path() + QStringLiteral("/locked");
    ASSERT_TRUE(QDir().mkpath(folder));
    QFile::setPermissions(folder, QFileDevice::ReadOwner | QFileDevice::ExeOwner);
    if (QFileInfo(folder).isWritable()) // running as root: permissions do not stop writes
        GTEST_SKIP() << "the folder stays writable for this user";
    auto printer = makePdfFilePrinter(folder);
    printer->print(QStringLiteral("Excellent Work"));
    EXPECT_THROW(printer->endDoc(), PrintFailure);
    EXPECT_TRUE(pdfsIn(folder).isEmpty());
    QFile::setPermissions(folder, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
}

TEST(PdfPrinter, AbandonedPageLeavesNothingAndTheNextStartsClean)
{
    QTemporaryDir dir;
    auto printer = makePdfFilePrinter(dir.path());
    printer->print(QStringLiteral("half a certificate"));
    printer->setCurrentX(500);
    printer->abandon();
    EXPECT_TRUE(pdfsIn(dir.path()).isEmpty());
    EXPECT_EQ(printer->currentX(), 0);
    EXPECT_EQ(printer->currentY(), 0);
    printer->print(QStringLiteral("a whole worksheet"));
    const PrintResult result = printer->endDoc();
    EXPECT_EQ(pdfsIn(dir.path()).size(), 1);
    const QString text = pdfText(result.pdfPath);
    if (!text.isEmpty()) {
        EXPECT_FALSE(text.contains(QStringLiteral("half")));
        EXPECT_TRUE(text.contains(QStringLiteral("a whole worksheet")));
    }
}

TEST(SystemPrinter, WithNoPrinterTheMachineGetsAPdf)
{
    // Only where the machine has no printer, so that the test never prints on paper.
    if (!QPrinterInfo::availablePrinterNames().isEmpty())
        GTEST_SKIP() << "this machine has a printer";
    QTemporaryDir dir;
    auto printer = makeSystemPrinter(dir.path());
    printer->print(QStringLiteral("Your worksheet"));
    const PrintResult result = printer->endDoc();
    EXPECT_FALSE(result.pdfPath.isEmpty());
    EXPECT_TRUE(QFileInfo::exists(result.pdfPath));
}

} // namespace

#include "platform/cp1252.h"
#include "platform/text_file.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

QStringList readAll(const QByteArray& bytes)
{
    TextInput in(bytes);
    QStringList fields;
    try {
        for (;;)
            fields << readfield(in);
    } catch (const ReadFailure&) {
    }
    return fields;
}

} // namespace

TEST(FieldReader, SplitsAtCommasAndEveryKindOfLineEnd)
{
    EXPECT_EQ(readAll("a,b\r\nc\rd\ne\r\n"), QStringList({"a", "b", "c", "d", "e"}));
}

TEST(FieldReader, SkipsLeadingSpacesAndDropsTrailingOnes)
{
    EXPECT_EQ(readAll("   left\r\n right  \r\n"), QStringList({"left", "right"}));
}

TEST(FieldReader, EmptyOrBlankLinesReadAsOneEmptyField)
{
    EXPECT_EQ(readAll("a\r\n\r\n \r\nb\r\n"), QStringList({"a", "", "", "b"}));
}

TEST(FieldReader, QuotedFieldRunsToTheClosingQuoteAndSkipsToTheDelimiter)
{
    EXPECT_EQ(readAll("\"a, b\" junk,next\r\n\"unclosed"), QStringList({"a, b", "next", "unclosed"}));
}

TEST(FieldReader, ReadingPastTheEndFails)
{
    TextInput in(QByteArray("only\r\n"));
    EXPECT_EQ(readfield(in), "only");
    EXPECT_THROW(readfield(in), ReadFailure);
    TextInput empty{QByteArray()};
    EXPECT_THROW(readfield(empty), ReadFailure);
}

TEST(FieldReader, LastFieldWithoutLineEndIsRead)
{
    EXPECT_EQ(readAll("x,y"), QStringList({"x", "y"}));
}

TEST(FieldReader, BinaryBytesDecodeAsWindows1252)
{
    TextInput in(QByteArray("caf\xe9 \x80\x96\0z\r\n", 10));
    EXPECT_EQ(readfield(in), QString::fromUtf8("café €–") + QChar(0) + "z");
}

TEST(FieldReader, AFieldLongerThanAnyRealOneIsAFailureNotAnAllocation)
{
    TextInput in(QByteArray(TextInput::maxFieldBytes + 10, 'x'));
    EXPECT_THROW(readfield(in), ReadFailure);
}

TEST(FieldReader, CountFieldsParseOnlyWholeNumbers)
{
    EXPECT_EQ(fieldToInt(" 12 "), 12);
    EXPECT_EQ(fieldToInt("-3"), -3);
    EXPECT_THROW(fieldToInt("twelve"), ReadFailure);
    EXPECT_THROW(fieldToInt(""), ReadFailure);
    EXPECT_THROW(fieldToInt("99999999999999"), ReadFailure);
}

TEST(Cp1252, RoundTripsEveryAssignedByteAndMarksWhatItCannotHold)
{
    QByteArray all;
    for (int b = 0; b < 256; ++b)
        all.append(static_cast<char>(b));
    EXPECT_EQ(cp1252::encode(cp1252::decode(all)), all);
    EXPECT_TRUE(cp1252::canEncode(QString::fromUtf8("Zoë’s “café” – 5€")));
    EXPECT_FALSE(cp1252::canEncode(QString::fromUtf8("日本")));
    EXPECT_EQ(cp1252::encode(QString::fromUtf8("a日b")), QByteArray("a?b"));
}

TEST(AtomicWrite, WritesWindows1252WithCrLfAndReplacesTheOldFileWhole)
{
    QTemporaryDir dir;
    const QString path = dir.path() + "/f.txt";
    ASSERT_TRUE(writeLinesAtomically(path, {"first line that is long", "x"}));
    ASSERT_TRUE(writeLinesAtomically(path, {QString::fromUtf8("é"), " "}));
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), QByteArray("\xe9\r\n \r\n"));
    // No temporary file is left beside it.
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList({"f.txt"}));
}

TEST(AtomicWrite, FailureIsReportedAndLeavesTheOldFile)
{
    QTemporaryDir dir;
    EXPECT_FALSE(writeLinesAtomically(dir.path() + "/missing/folder/f.txt", {"a"}));
    const QString path = dir.path() + "/keep.txt";
    ASSERT_TRUE(writeLinesAtomically(path, {"old"}));
    QFile::setPermissions(dir.path(), QFileDevice::ReadOwner | QFileDevice::ExeOwner);
    const bool wrote = writeLinesAtomically(path, {"new"});
    QFile::setPermissions(dir.path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    if (!wrote) { // root ignores folder permissions; then the write simply succeeded
        EXPECT_EQ(f.readAll(), QByteArray("old\r\n"));
    }
}

TEST(AtomicWrite, BytesThatReadBackDifferentAreReportedAndNeverRenamedIntoPlace)
{
    QTemporaryDir dir;
    const QString path = dir.path() + "/keep.txt";
    ASSERT_TRUE(writeLinesAtomically(path, {"old"}));
    // A disk that keeps one byte other than was written, with no error on the way.
    text_file_testing::afterWrite = [](const QString& written) {
        QFile f(written);
        ASSERT_TRUE(f.open(QIODevice::ReadWrite));
        f.write("N");
    };
    const bool wrote = writeLinesAtomically(path, {"new"});
    text_file_testing::afterWrite = nullptr;
    EXPECT_FALSE(wrote);
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), QByteArray("old\r\n"));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList({"keep.txt"}));
}

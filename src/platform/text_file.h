// Reading and writing the program's 8-bit text files (Windows-1252, CR LF line ends).
#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>
#include <QStringList>

#include <functional>
#include <memory>
#include <stdexcept>

// A read past the end of the data, or a field that cannot be what it must be.
struct ReadFailure : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// A text file opened for reading, consumed field by field with readfield().
class TextInput {
public:
    TextInput() = default;
    explicit TextInput(const QByteArray& bytes); // in-memory contents, for tests and tools
    ~TextInput();
    TextInput(const TextInput&) = delete;
    TextInput& operator=(const TextInput&) = delete;

    bool open(const QString& absolutePath); // false when it cannot be opened
    void close();
    bool isOpen() const;

    bool atEnd() const;
    int peek() const; // next byte, or -1 at the end
    int get();        // consumes; -1 at the end

    static constexpr qint64 maxFieldBytes = 64 * 1024;

private:
    void fill() const;
    std::unique_ptr<QFile> file_;
    mutable QByteArray buffer_;
    mutable qsizetype pos_ = 0;
    mutable bool eof_ = true;
};

// Reads one comma- or line-end-delimited field. Throws ReadFailure at the end of the file.
// Leading spaces are skipped and trailing spaces dropped; a field that starts with a double
// quote runs to the next double quote. A field longer than maxFieldBytes is a failure:
// no real data file has one, and it keeps a binary or hostile file from eating memory.
QString readfield(TextInput& file);

// Parses a count field such as " 12 ". Throws ReadFailure when it is not a whole number.
int fieldToInt(const QString& field);

// Checks a written file by reading it back the way the program reads it; false when what it
// reads is not what was meant to be written.
using ReadBackCheck = std::function<bool(const QString& writtenPath)>;

// Writes lines, each ended by CR LF, in Windows-1252. The new contents go to a temporary file
// in the same folder, written unbuffered, flushed to the disk and read back (and, when given,
// checked by readsBack) before they replace the old file in one rename; so a full disk, a
// file-size limit or an interrupted write never leaves a short file behind. Returns false,
// with the old file untouched and no temporary file left, when any step fails.
bool writeLinesAtomically(const QString& absolutePath, const QStringList& lines, const ReadBackCheck& readsBack = {});

namespace text_file_testing {
// Called on each new file between writing its bytes and reading them back, so that a test can
// stand in for a disk that keeps something other than what was written.
inline std::function<void(const QString& path)> afterWrite;
} // namespace text_file_testing

// Temporary files of a write that never finished (the program was stopped half-way) end so.
inline const QString temporarySuffix = QStringLiteral(".corvana-tmp");
// Removes such files from a folder; only safe while no other writer can be using the folder.
void removeStaleTemporaries(const QString& folder);

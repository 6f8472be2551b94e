#include "text_file.h"

#include "cp1252.h"

#include <QDir>
#include <QFileInfo>
#include <QRandomGenerator>

#include <fcntl.h>
#include <unistd.h>

namespace {
constexpr qint64 chunk = 16 * 1024;
}

TextInput::TextInput(const QByteArray& bytes) : buffer_(bytes), eof_(true) {}

TextInput::~TextInput() = default;

bool TextInput::open(const QString& absolutePath)
{
    close();
    auto f = std::make_unique<QFile>(absolutePath);
    if (QFileInfo(absolutePath).isDir() || !f->open(QIODevice::ReadOnly))
        return false;
    file_ = std::move(f);
    eof_ = false;
    return true;
}

void TextInput::close()
{
    if (file_)
        file_->close();
    file_.reset();
    buffer_.clear();
    pos_ = 0;
    eof_ = true;
}

bool TextInput::isOpen() const { return file_ != nullptr || !buffer_.isEmpty(); }

void TextInput::fill() const
{
    if (pos_ < buffer_.size() || eof_ || !file_)
        return;
    buffer_ = file_->read(chunk);
    pos_ = 0;
    if (buffer_.isEmpty())
        eof_ = true;
}

bool TextInput::atEnd() const
{
    fill();
    return pos_ >= buffer_.size();
}

int TextInput::peek() const
{
    fill();
    return pos_ < buffer_.size() ? static_cast<unsigned char>(buffer_[pos_]) : -1;
}

int TextInput::get()
{
    const int c = peek();
    if (c >= 0)
        ++pos_;
    return c;
}

namespace {

// Consumes one line end (CR LF, lone CR or lone LF) if one is next.
bool takeLineEnd(TextInput& in)
{
    const int c = in.peek();
    if (c == '\n') {
        in.get();
        return true;
    }
    if (c == '\r') {
        in.get();
        if (in.peek() == '\n')
            in.get();
        return true;
    }
    return false;
}

void append(QByteArray& field, int c)
{
    if (field.size() >= TextInput::maxFieldBytes)
        throw ReadFailure("field too long");
    field.append(static_cast<char>(c));
}

} // namespace

QString readfield(TextInput& in)
{
    if (in.atEnd())
        throw ReadFailure("read past the end of the file");
    while (in.peek() == ' ')
        in.get();

    QByteArray field;
    if (in.peek() == '"') {
        in.get();
        for (int c = in.get(); c >= 0 && c != '"'; c = in.get())
            append(field, c);
        // Whatever stands between the closing quote and the delimiter is not part of the field.
        for (;;) {
            if (in.atEnd() || takeLineEnd(in))
                break;
            if (in.get() == ',')
                break;
        }
        return cp1252::decode(field);
    }

    for (;;) {
        const int c = in.peek();
        if (c < 0 || takeLineEnd(in))
            break;
        in.get();
        if (c == ',')
            break;
        append(field, c);
    }
    while (field.endsWith(' '))
        field.chop(1);
    return cp1252::decode(field);
}

int fieldToInt(const QString& field)
{
    bool ok = false;
    const int value = field.trimmed().toInt(&ok);
    if (!ok)
        throw ReadFailure("not a number: " + field.left(40).toStdString());
    return value;
}

namespace {

// Syncs what is written to the disk itself: after a power cut the new file is either whole
// or not there, never a promise the disk did not keep.
bool syncToDisk(int fd) { return fd >= 0 && ::fsync(fd) == 0; }

void syncFolder(const QString& folder)
{
    const int fd = ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY);
    if (fd >= 0) {
        ::fsync(fd); // the rename itself; a folder that cannot be synced is no failure
        ::close(fd);
    }
}

QString temporaryPathFor(const QFileInfo& target)
{
    static const char letters[] = "abcdefghijklmnopqrstuvwxyz0123456789";
    QString tag;
    for (int i = 0; i < 8; ++i)
        tag += QLatin1Char(letters[QRandomGenerator::global()->bounded(36)]);
    return target.absolutePath() + QLatin1Char('/') + target.fileName() + QLatin1Char('.') + tag + temporarySuffix;
}

// Writes every byte to a new file that nobody else can have opened, and reads it back.
bool writeWholeFile(const QString& path, const QByteArray& bytes)
{
    QFile out(path);
    // NewOnly fails on any existing name, a planted link included; Unbuffered makes write()
    // report a full disk now rather than at a close that nobody checks.
    if (!out.open(QIODevice::WriteOnly | QIODevice::NewOnly | QIODevice::Unbuffered))
        return false;
    const bool written = out.write(bytes) == bytes.size() && out.flush() && out.error() == QFileDevice::NoError
                         && syncToDisk(out.handle());
    out.close();
    if (!written || out.error() != QFileDevice::NoError)
        return false;
    if (text_file_testing::afterWrite)
        text_file_testing::afterWrite(path);
    QFile back(path);
    return back.open(QIODevice::ReadOnly) && back.readAll() == bytes && back.error() == QFileDevice::NoError;
}

} // namespace

bool writeLinesAtomically(const QString& absolutePath, const QStringList& lines, const ReadBackCheck& readsBack)
{
    QByteArray bytes;
    for (const QString& line : lines) {
        bytes += cp1252::encode(line);
        bytes += "\r\n";
    }
    const QFileInfo target(absolutePath);
    if (!QFileInfo(target.absolutePath()).isDir() || target.isDir())
        return false;
    const QString temporary = temporaryPathFor(target);
    const bool ready = writeWholeFile(temporary, bytes) && (!readsBack || readsBack(temporary));
    // rename() replaces the old file in one step: readers see the old file or the new one.
    if (!ready || ::rename(QFile::encodeName(temporary).constData(), QFile::encodeName(absolutePath).constData()) != 0) {
        QFile::remove(temporary);
        return false;
    }
    syncFolder(target.absolutePath());
    return true;
}

void removeStaleTemporaries(const QString& folder)
{
    const QDir dir(folder);
    const QStringList stale =
        dir.entryList({QLatin1Char('*') + temporarySuffix}, QDir::Files | QDir::Hidden | QDir::System);
    for (const QString& name : stale)
        QFile::remove(dir.filePath(name));
}

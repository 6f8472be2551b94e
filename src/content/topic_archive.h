// One topic folder as one file for sharing between schools (a ZIP archive holding the topic's
// folder), and the copies of whole topic folders a teacher makes. A topic that comes from
// elsewhere is untrusted: it is read entirely into memory and checked before anything is written,
// and refused, with what was wrong, when any part of it could reach outside its folder.
#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

#include <utility>

namespace topicfiles {

// "liver-and-kidneys" travels as "liver-and-kidneys.zip", which any unzip tool opens too.
inline const QString archiveSuffix = QStringLiteral(".zip");
inline const QString archiveFilter = QStringLiteral("Corvana topic (*.zip)");
// No real topic comes near these: the shipped ones hold up to a megabyte in 15 files.
inline constexpr qint64 maxTotalBytes = 20 * 1024 * 1024;
inline constexpr qint64 maxFileBytes = 2 * 1024 * 1024; // what the content rules allow a file
inline constexpr int maxFiles = 200;

// A topic folder's files in memory: the folder's name and each file's name and bytes. A topic
// keeps every file in its own folder, so names never hold a folder part.
struct TopicFiles {
    QString folder;
    QList<std::pair<QString, QByteArray>> files;

    const QByteArray* file(const QString& name) const;
};

// What a read gave: the files, or why they were refused ("\"x/y.exe\" is a kind of file ...").
struct Read {
    TopicFiles topic;
    QString problem;
    bool ok() const { return problem.isEmpty(); }
};

// Reads a topic archive from its bytes and checks every entry: one top-level folder holding
// plain files of the kinds a topic holds, within the limits above, with topic.txt, and SVG
// pictures that load nothing from outside. Writes nothing.
Read readArchive(const QByteArray& archive);
// The same checks over a folder on disc (a shipped topic, the template, the teacher's own).
Read readFolder(const QString& folderPath);

// The archive of a topic folder; problem says why it could not be made (then bytes is empty).
struct Packed {
    QByteArray bytes;
    QString problem;
};
Packed packFolder(const QString& folderPath);

// Writes the files as topicsFolder/<topic.folder>: first into a new folder beside it, which is
// then renamed into place, so a failure leaves no half-written topic. An existing folder of that
// name is replaced only when replace is set. Returns what went wrong, or an empty string.
QString install(const TopicFiles& topic, const QString& topicsFolder, bool replace);

} // namespace topicfiles

// Finds the program's media and data files from the relative paths the screens use,
// such as "wav\click.wav" or "multiple/track.txt".
#pragma once

#include <QHash>
#include <QString>
#include <QStringList>

#include <vector>

class DataFolder {
public:
    // readOnlyRoot: the shipped media folder. writableRoot: the user's own folder, where the
    // teachers' worksheets live so that they survive reinstalls; it shadows the shipped files.
    DataFolder(QString readOnlyRoot, QString writableRoot);

    // The program's folders when run from a build tree or an installation.
    static DataFolder forInstallation();
    // "$XDG_DATA_HOME/corvana", or ~/.local/share/corvana.
    static QString userDataRoot();

    // Absolute path of an existing file, matching backslash or slash and any letter case,
    // looked up in the writable folder first, then the topic folders, then the shipped one.
    // Paths under "topics" skip the writable folder: the teacher's topic sources live there.
    // Empty when it does not exist or the path would leave the data folder.
    QString resolve(const QString& relative) const;
    // The same without the user's folder: for the program's and the topics' own files, which
    // nothing in the user's folder may stand in for.
    QString resolveShipped(const QString& relative) const;

    // Folders laid out like the shipped one, each holding the built files of topics read at run
    // time; searched after the writable folder and before the shipped one, the first that holds a
    // file wins. Each comes with the list of its files ("wmf/heart1.wmf") as its builder wrote
    // them, so a lookup costs no disk access; the folders must not change until the next call.
    // Only the topic loader sets them.
    struct TopicRoot {
        QString folder;
        QStringList files;
    };
    void setTopicRoots(const std::vector<TopicRoot>& roots);
    // Counts the calls of setTopicRoots, so that a cache of files can tell when to forget.
    int topicGeneration() const { return topicGeneration_; }

    // Absolute path at which to write a file, under its exact name; its folder is created
    // (an existing folder that differs only in letter case is reused). Empty when the path
    // would leave the data folder, also through a symbolic link.
    QString writablePath(const QString& relative) const;

    const QString& readOnlyRoot() const { return readOnlyRoot_; }
    const QString& writableRoot() const { return writableRoot_; }

    // Splits a relative path into its parts; empty when it is absolute or climbs out.
    static QStringList components(const QString& relative);

private:
    QString resolveUnder(const QString& root, const QStringList& parts, bool lastIsFile = true) const;
    QString resolveInTopicRoots(const QStringList& parts) const;
    QString readOnlyRoot_;
    QString writableRoot_;
    QHash<QString, QString> topicFiles_; // lower-case "wmf/heart1.wmf" -> absolute path
    int topicGeneration_ = 0;
};

// Locates the read-only data folder of this executable: beside it ("data"), in an
// installation's share folder, or the build's data folder. Empty when none exists.
QString findShippedDataFolder();

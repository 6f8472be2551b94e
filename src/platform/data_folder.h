// Finds the program's media and data files from the relative paths the screens use,
// such as "wav\click.wav" or "multiple/track.txt".
#pragma once

#include <QHash>
#include <QString>
#include <QStringList>

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
    // looked up in the writable folder first. Empty when it does not exist or the path
    // would leave the data folder.
    QString resolve(const QString& relative) const;
    // The same in the shipped folder alone: for the program's own files, which nothing in the
    // user's folder may stand in for.
    QString resolveShipped(const QString& relative) const;

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
    QString readOnlyRoot_;
    QString writableRoot_;
};

// Locates the read-only data folder of this executable: beside it ("data"), in an
// installation's share folder, or the build's data folder. Empty when none exists.
QString findShippedDataFolder();

#include "printouts.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace printouts {

QString defaultFolder()
{
    QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (documents.isEmpty())
        documents = QDir::homePath();
    return documents + QStringLiteral("/Corvana");
}

QString documentName(const QStringList& parts)
{
    QStringList kept;
    for (const QString& part : parts)
        if (!part.trimmed().isEmpty())
            kept << part.trimmed();
    QString name = kept.join(QStringLiteral(" - "));
    // What Windows and Linux file names cannot hold, so a copied folder keeps its files.
    static const QString forbidden = QStringLiteral("\\/:*?\"<>|");
    for (QChar& c : name)
        if (forbidden.contains(c) || c.unicode() < 0x20 || c.unicode() == 0x7F)
            c = QLatin1Char('_');
    while (name.startsWith(QLatin1Char('.')))
        name.remove(0, 1);
    return name.left(120).trimmed();
}

QString date(const QDateTime& when) { return when.toString(QStringLiteral("yyyy-MM-dd")); }

QString dateAndTime(const QDateTime& when) { return when.toString(QStringLiteral("yyyy-MM-dd HH.mm")); }

QString savedForTeacherMessage(const QString& what, const QString& pdfPath, bool printersWithoutDefault)
{
    const QString folder = QFileInfo(pdfPath).absolutePath();
    const QString name = QFileInfo(folder).fileName();
    const QString parent = QFileInfo(QFileInfo(folder).absolutePath()).fileName();
    const QString where = parent.isEmpty() ? QStringLiteral("the \"%1\" folder").arg(name)
                                           : QStringLiteral("the \"%1\" folder in \"%2\"").arg(name, parent);
    const QString why = printersWithoutDefault ? QStringLiteral("No printer is set as the default printer here")
                                               : QStringLiteral("There is no printer here");
    return QStringLiteral("%1, so your %2 has been saved for your teacher to print later.\n\n"
                          "Your teacher will find it in %3.")
        .arg(why, what, where);
}

} // namespace printouts

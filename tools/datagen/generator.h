// The data generator: each media family registers one function that writes its files.
#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>
#include <QStringList>

#include <functional>
#include <vector>

namespace datagen {

// Where generated files go; paths are relative to the data folder, with '/' or '\'.
class Output {
public:
    explicit Output(QString root) : root_(std::move(root)) {}
    const QString& root() const { return root_; }
    QString pathFor(const QString& relative) const;
    void writeBytes(const QString& relative, const QByteArray& bytes) const;
    void writeJpeg(const QString& relative, const QImage& image, int quality = 88) const;
    void writeBmp(const QString& relative, const QImage& image) const;

    // The sharper copy of a photograph, drawn at twice its size, that large displays use:
    // "Images\\skeleton.jpg" gives "Images\\skeleton@2x.jpg" (times 2), "@4x" for 4.
    static QString sharper(const QString& relative, int times = 2);

    // writeBytes as a function, for code outside the generator that writes built files.
    std::function<void(const QString&, const QByteArray&)> writer() const
    {
        return [root = root_](const QString& relative, const QByteArray& bytes) { Output(root).writeBytes(relative, bytes); };
    }

private:
    QString root_;
};

struct Generator {
    const char* name;
    std::function<void(const Output&)> run;
};

std::vector<Generator>& generators();

// The folder of topic content folders, and the topics to build (empty: all). Set from the
// command line.
QString& contentRoot();
QStringList& contentTopics();

struct Registrar {
    Registrar(const char* name, std::function<void(const Output&)> run);
};

} // namespace datagen

// Registers a generator defined in the following block:
//   CORVANA_GENERATOR(brain_frames) { out.writeJpeg(...); }
#define CORVANA_GENERATOR(id)                                                   \
    static void generate_##id(const datagen::Output& out);                      \
    static const datagen::Registrar registrar_##id(#id, generate_##id);         \
    static void generate_##id(const datagen::Output& out)

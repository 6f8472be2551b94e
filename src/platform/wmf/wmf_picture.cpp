#include "wmf_picture.h"

#include "platform/metafile.h"
#include "wmf_player.h"

namespace wmf {

std::shared_ptr<WmfPicture> WmfPicture::fromBytes(const QByteArray& bytes)
{
    auto program = decode(bytes);
    if (!program)
        return nullptr;
    return std::shared_ptr<WmfPicture>(new WmfPicture(std::move(program)));
}

void WmfPicture::draw(QPainter& painter, const QRectF& target) const
{
    play(*program_, painter, target);
}

QString WmfPicture::words() const
{
    // Runs in the order they are written; a run on another baseline starts a new line.
    QString all;
    const TextRun* previous = nullptr;
    for (const TextRun& run : program_->texts) {
        const QString text = run.text.trimmed();
        if (text.isEmpty())
            continue;
        const bool described = run.y == kDescriptionLine;
        if (previous)
            all += previous->y == run.y && !described ? QStringLiteral(" ") : QStringLiteral("\n");
        all += described ? QStringLiteral("Picture: ") + text : text;
        previous = &run;
    }
    return all;
}

} // namespace wmf

std::shared_ptr<const VectorPicture> loadMetafile(const QByteArray& bytes)
{
    return wmf::WmfPicture::fromBytes(bytes);
}

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

} // namespace wmf

std::shared_ptr<const VectorPicture> loadMetafile(const QByteArray& bytes)
{
    return wmf::WmfPicture::fromBytes(bytes);
}

// A Windows metafile as a vector picture: decoded once, drawn at any size.
#pragma once

#include "platform/pictures.h"
#include "wmf_program.h"

#include <QByteArray>
#include <memory>

namespace wmf {

// The picture's own size (sizeTwips) is, for a placeable file, its bounding box at the
// header's units per inch; for a plain file, its viewport or else its window extent (or else
// the extent of what it draws), counting a logical unit as a 96-dpi pixel (15 twips), or as
// the unit of a metric map mode.
class WmfPicture : public VectorPicture {
public:
    // nullptr when the bytes are not a metafile.
    static std::shared_ptr<WmfPicture> fromBytes(const QByteArray& bytes);

    QSizeF sizeTwips() const override { return program_->sizeTwips; }
    void draw(QPainter& painter, const QRectF& target) const override;
    QString words() const override;
    const Program& program() const { return *program_; }

private:
    explicit WmfPicture(std::unique_ptr<Program> program) : program_(std::move(program)) {}
    std::unique_ptr<Program> program_;
};

} // namespace wmf

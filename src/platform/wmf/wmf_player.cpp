// Playback follows GDI: a device context with window and viewport, selected objects, text
// settings, a clip and a stack of saved contexts. The viewport starts as the picture's frame
// and that frame is mapped onto the target, so a file's own window settings (including y-up
// extents) place its drawing inside the target. Geometry is transformed here and drawn in
// target coordinates, so pens and text keep their proportions whatever the mapping.
#include "wmf_player.h"

#include "wmf_fonts.h"

#include <QFontMetricsF>
#include <QPaintEngine>
#include <QPainter>
#include <QPainterPath>

#include <cmath>
#include <map>
#include <tuple>

namespace wmf {
namespace {

constexpr int kMaxSavedStates = 4096;

QColor rgb(ColorRef c) { return QColor(int((c >> 16) & 0xFF), int((c >> 8) & 0xFF), int(c & 0xFF)); }

struct DC {
    QPointF winOrg, winExt, vpOrg, vpExt;
    int mapMode = 8;
    int pen = -1, brush = -1, font = -1;
    ColorRef textColor = 0x000000;
    ColorRef bkColor = 0xFFFFFF;
    int bkMode = 2; // OPAQUE
    int textAlign = 0;
    int fillMode = 1; // ALTERNATE
    int rop2 = 13;    // R2_COPYPEN
    int charExtra = 0;
    QPointF cp;
    bool clipped = false;
    QPainterPath clip; // target coordinates
};

struct FontEntry {
    QFont font;
    double ascent = 0;
    double descent = 0;
    std::unique_ptr<QFontMetricsF> metrics;
};

class Player {
public:
    Player(const Program& program, QPainter& painter, const QRectF& target);
    void run();

private:
    // geometry
    void updateTransform();
    QPointF map(double x, double y) const { return QPointF(sx_ * x + tx_, sy_ * y + ty_); }
    QRectF mapRect(int l, int t, int r, int b) const { return QRectF(map(l, t), map(r, b)).normalized(); }
    QTransform transform() const { return QTransform(sx_, 0, 0, sy_, tx_, ty_); }

    // drawing state
    void preparePen();
    void prepareBrush();
    QBrush brushFor(int object) const;
    bool prepareShape(bool fill);
    void setMode(QPainter::CompositionMode mode);
    void setAntialiased(bool on);
    void applyClip();
    void restoreTransform() { painter_.setWorldTransform(base_); }

    void step(const Op& op);
    void rectangleLike(const Op& op);
    void arcLike(const Op& op);
    void polygon(const Op& op, bool closed);
    void polyPolygon(const Op& op);
    void text(const TextRun& run);
    FontEntry& fontFor(const FontObject* f, double em);
    void blit(const Blit& b);
    void patBlt(const QRectF& r, uint32_t rop);
    QPainterPath regionPath(int object) const;
    const PenObject* penObject() const;
    const BrushObject* brushObject(int object) const;

    const Program& p_;
    QPainter& painter_;
    QRectF target_;
    QTransform base_;
    QPainterPath targetPath_;
    DC dc_;
    std::vector<DC> saved_;
    int overflowSaves_ = 0;

    double sx_ = 1, sy_ = 1, tx_ = 0, ty_ = 0;
    bool visible_ = true;
    double px96_ = 1;  // target units per 96-dpi pixel of the picture at its own size
    double devPx_ = 1; // target units per device pixel
    // Raster operations only where the engine really mixes pixels (not PDF or printers,
    // which would paint the mixing colour flat): elsewhere they draw as plain copies, and
    // pure inversions are left out.
    bool rasterOps_ = false;

    QPen pen_;
    QBrush brush_;
    bool penDirty_ = true;
    bool brushDirty_ = true;
    bool applied_ = false; // pen_ and brush_ are the painter's
    QPainter::CompositionMode mode_ = QPainter::CompositionMode_SourceOver;
    using FontKey = std::tuple<int, long, long>;
    std::map<FontKey, FontEntry> fonts_;
    QPolygonF polygon_;
};

Player::Player(const Program& program, QPainter& painter, const QRectF& target)
    : p_(program), painter_(painter), target_(target.normalized())
{
    base_ = painter.worldTransform();
    const QRectF& f = p_.frame;
    dc_.winOrg = dc_.vpOrg = f.topLeft();
    dc_.winExt = dc_.vpExt = QPointF(f.width(), f.height());
    dc_.mapMode = 8;
    if (p_.sizeTwips.width() > 0)
        px96_ = target_.width() / p_.sizeTwips.width() * 15.0;
    const double det = std::abs(base_.determinant());
    devPx_ = det > 1e-12 ? 1.0 / std::sqrt(det) : 1.0;
    if (QPaintEngine* engine = painter.paintEngine()) {
        rasterOps_ = engine->type() == QPaintEngine::Raster && engine->hasFeature(QPaintEngine::RasterOpModes);
    }
    targetPath_.addRect(target_);
    if (painter.hasClipping())
        targetPath_ = targetPath_.intersected(painter.clipPath());
    updateTransform();
}

void Player::updateTransform()
{
    const QRectF& f = p_.frame;
    const double mx = target_.width() / f.width(), my = target_.height() / f.height();
    const double ox = target_.x() - f.x() * mx, oy = target_.y() - f.y() * my;
    double ax = dc_.vpExt.x() / dc_.winExt.x();
    double ay = dc_.vpExt.y() / dc_.winExt.y();
    if (dc_.mapMode == 7) { // MM_ISOTROPIC: the same scale both ways
        const double m = std::min(std::abs(ax), std::abs(ay));
        ax = std::copysign(m, ax);
        ay = std::copysign(m, ay);
    }
    sx_ = ax * mx;
    sy_ = ay * my;
    tx_ = (dc_.vpOrg.x() - dc_.winOrg.x() * ax) * mx + ox;
    ty_ = (dc_.vpOrg.y() - dc_.winOrg.y() * ay) * my + oy;
    const double limit = 1e7;
    visible_ = std::isfinite(sx_) && std::isfinite(sy_) && std::isfinite(tx_) && std::isfinite(ty_) && sx_ != 0 && sy_ != 0
               && std::abs(sx_) < limit && std::abs(sy_) < limit && std::abs(tx_) < 1e9 && std::abs(ty_) < 1e9;
    penDirty_ = brushDirty_ = true;
}

const PenObject* Player::penObject() const
{
    return dc_.pen >= 0 ? std::get_if<PenObject>(&p_.objects[size_t(dc_.pen)]) : nullptr;
}

const BrushObject* Player::brushObject(int object) const
{
    return object >= 0 && object < int(p_.objects.size()) ? std::get_if<BrushObject>(&p_.objects[size_t(object)]) : nullptr;
}

void Player::preparePen()
{
    if (!penDirty_)
        return;
    penDirty_ = false;
    applied_ = false;
    static const PenObject defaultPen{};
    const PenObject& pen = penObject() ? *penObject() : defaultPen;
    const int style = pen.style & 0x0F;
    if (style == 5 || dc_.rop2 == 11) { // PS_NULL, R2_NOP
        pen_ = QPen(Qt::NoPen);
        return;
    }
    QColor c = rgb(pen.color);
    switch (dc_.rop2) {
    case 1: c = Qt::black; break;
    case 16: c = Qt::white; break;
    case 4: c = QColor(255 - c.red(), 255 - c.green(), 255 - c.blue()); break;
    case 6: c = Qt::white; break; // with an inverting mode
    default: break;
    }
    // A zero width is GDI's cosmetic pen: one device pixel however large the picture is drawn.
    double width = pen.width > 0 ? pen.width * std::abs(sx_) : devPx_;
    width = std::max(width, devPx_);
    pen_ = QPen(c, width);
    switch (style) {
    case 1: pen_.setStyle(Qt::DashLine); break;
    case 2: case 8: pen_.setStyle(Qt::DotLine); break;
    case 3: pen_.setStyle(Qt::DashDotLine); break;
    case 4: pen_.setStyle(Qt::DashDotDotLine); break;
    default: pen_.setStyle(Qt::SolidLine); break;
    }
    switch (pen.style & 0x0F00) {
    case 0x100: pen_.setCapStyle(Qt::SquareCap); break;
    case 0x200: pen_.setCapStyle(Qt::FlatCap); break;
    default: pen_.setCapStyle(Qt::RoundCap); break;
    }
    switch (pen.style & 0xF000) {
    case 0x1000: pen_.setJoinStyle(Qt::BevelJoin); break;
    case 0x2000: pen_.setJoinStyle(Qt::MiterJoin); break;
    default: pen_.setJoinStyle(Qt::RoundJoin); break;
    }
}

QBrush Player::brushFor(int object) const
{
    static const BrushObject defaultBrush{0, 0xFFFFFF, 0, {}};
    const BrushObject& b = brushObject(object) ? *brushObject(object) : defaultBrush;
    if (b.style == 1 || dc_.rop2 == 11)
        return QBrush(Qt::NoBrush);
    auto recolour = [this](QColor c) {
        switch (dc_.rop2) {
        case 1: return QColor(Qt::black);
        case 16: case 6: return QColor(Qt::white);
        case 4: return QColor(255 - c.red(), 255 - c.green(), 255 - c.blue());
        default: return c;
        }
    };
    // Hatches and patterns are device-pixel patterns in GDI: scaled with the picture they would
    // blur into moire when it is drawn small, and grow coarse when it is drawn large.
    const QTransform scale = QTransform::fromScale(devPx_, devPx_);
    if (b.style == 2) {
        QImage tile(8, 8, QImage::Format_ARGB32_Premultiplied);
        tile.fill(dc_.bkMode == 2 ? recolour(rgb(dc_.bkColor)) : QColor(Qt::transparent));
        const QRgb ink = recolour(rgb(b.color)).rgba();
        for (int y = 0; y < 8; ++y)
            for (int x = 0; x < 8; ++x) {
                bool on = false;
                switch (b.hatch) {
                case 0: on = y == 4; break;
                case 1: on = x == 4; break;
                case 2: on = x == y; break;
                case 3: on = x + y == 7; break;
                case 4: on = x == 4 || y == 4; break;
                case 5: on = x == y || x + y == 7; break;
                default: on = y == 4; break;
                }
                if (on)
                    tile.setPixel(x, y, ink);
            }
        QBrush brush(tile);
        brush.setTransform(scale);
        return brush;
    }
    if (b.style == 3 && !b.pattern.isNull()) {
        QBrush brush(b.pattern);
        brush.setTransform(scale);
        return brush;
    }
    return QBrush(recolour(rgb(b.color)));
}

void Player::prepareBrush()
{
    if (!brushDirty_)
        return;
    brushDirty_ = false;
    applied_ = false;
    brush_ = brushFor(dc_.brush);
}

void Player::setMode(QPainter::CompositionMode mode)
{
    if (mode != mode_) {
        painter_.setCompositionMode(mode);
        mode_ = mode;
    }
}

// Readies pen, brush and raster operation for a shape; false when nothing would show.
bool Player::prepareShape(bool fill)
{
    if (!visible_ || (dc_.rop2 == 6 && !rasterOps_)) // R2_NOT cannot be shown without mixing
        return false;
    preparePen();
    if (fill)
        prepareBrush();
    if (!applied_) {
        painter_.setPen(pen_);
        painter_.setBrush(brush_);
        applied_ = true;
    }
    if (!fill && painter_.brush().style() != Qt::NoBrush) {
        painter_.setBrush(Qt::NoBrush);
        applied_ = false;
    }
    QPainter::CompositionMode mode = QPainter::CompositionMode_SourceOver;
    switch (dc_.rop2) {
    case 6: case 7: // R2_NOT, R2_XORPEN
        mode = rasterOps_ ? QPainter::RasterOp_SourceXorDestination : mode;
        break;
    case 9: // R2_MASKPEN
        mode = rasterOps_ ? QPainter::RasterOp_SourceAndDestination : mode;
        break;
    case 15: // R2_MERGEPEN
        mode = rasterOps_ ? QPainter::RasterOp_SourceOrDestination : mode;
        break;
    default: break;
    }
    setMode(mode);
    // GDI does not smooth the edges of fills: shapes without an outline that meet edge to
    // edge (the bands of a gradient) must not show light seams between them.
    setAntialiased(pen_.style() != Qt::NoPen);
    return pen_.style() != Qt::NoPen || (fill && brush_.style() != Qt::NoBrush);
}

void Player::setAntialiased(bool on)
{
    if (painter_.testRenderHint(QPainter::Antialiasing) != on)
        painter_.setRenderHint(QPainter::Antialiasing, on);
}

void Player::applyClip()
{
    painter_.setWorldTransform(base_);
    if (dc_.clipped)
        painter_.setClipPath(dc_.clip.intersected(targetPath_));
    else
        painter_.setClipPath(targetPath_);
}

void Player::run()
{
    painter_.save();
    painter_.setRenderHint(QPainter::Antialiasing, true);
    painter_.setRenderHint(QPainter::TextAntialiasing, true);
    painter_.setRenderHint(QPainter::SmoothPixmapTransform, true);
    painter_.setClipPath(targetPath_);
    for (const Op& op : p_.ops)
        step(op);
    painter_.restore();
}

void Player::step(const Op& op)
{
    const auto* v = op.v;
    switch (op.code) {
    case Code::SetWindowOrg:
        dc_.winOrg = QPointF(v[0], v[1]);
        updateTransform();
        break;
    case Code::SetWindowExt:
        if (v[0] && v[1]) {
            dc_.winExt = QPointF(v[0], v[1]);
            updateTransform();
        }
        break;
    case Code::SetViewportOrg:
        dc_.vpOrg = QPointF(v[0], v[1]);
        updateTransform();
        break;
    case Code::SetViewportExt:
        if (v[0] && v[1]) {
            dc_.vpExt = QPointF(v[0], v[1]);
            updateTransform();
        }
        break;
    case Code::OffsetWindowOrg:
        dc_.winOrg += QPointF(v[0], v[1]);
        updateTransform();
        break;
    case Code::OffsetViewportOrg:
        dc_.vpOrg += QPointF(v[0], v[1]);
        updateTransform();
        break;
    case Code::ScaleWindowExt:
    case Code::ScaleViewportExt: {
        if (!v[1] || !v[3])
            break;
        QPointF& ext = op.code == Code::ScaleWindowExt ? dc_.winExt : dc_.vpExt;
        const QPointF scaled(ext.x() * v[0] / v[1], ext.y() * v[2] / v[3]);
        if (scaled.x() != 0 && scaled.y() != 0) {
            ext = scaled;
            updateTransform();
        }
        break;
    }
    case Code::SetMapMode:
        dc_.mapMode = v[0];
        updateTransform();
        break;
    case Code::SetBkColor:
        dc_.bkColor = ColorRef(v[0]);
        brushDirty_ = true;
        break;
    case Code::SetBkMode:
        dc_.bkMode = v[0];
        brushDirty_ = true;
        break;
    case Code::SetTextColor:
        dc_.textColor = ColorRef(v[0]);
        break;
    case Code::SetTextAlign:
        dc_.textAlign = v[0];
        break;
    case Code::SetPolyFillMode:
        dc_.fillMode = v[0];
        break;
    case Code::SetRop2:
        dc_.rop2 = v[0];
        penDirty_ = brushDirty_ = true;
        break;
    case Code::SetTextCharExtra:
        dc_.charExtra = v[0];
        break;
    case Code::Select: {
        if (v[0] < 0 || v[0] >= int(p_.objects.size()))
            break;
        const Object& o = p_.objects[size_t(v[0])];
        if (std::holds_alternative<PenObject>(o)) {
            dc_.pen = v[0];
            penDirty_ = true;
        } else if (std::holds_alternative<BrushObject>(o)) {
            dc_.brush = v[0];
            brushDirty_ = true;
        } else if (std::holds_alternative<FontObject>(o)) {
            dc_.font = v[0];
        } else if (std::holds_alternative<RegionObject>(o)) {
            // selecting a region sets the clip, as SelectClipRgn does
            dc_.clip = regionPath(v[0]);
            dc_.clipped = true;
            applyClip();
        }
        break;
    }
    case Code::SelectClipRegion:
        // A region selects it as the clip; anything else (often object 0) removes the clip.
        if (v[0] >= 0 && v[0] < int(p_.objects.size()) && std::holds_alternative<RegionObject>(p_.objects[size_t(v[0])])) {
            dc_.clip = regionPath(v[0]);
            dc_.clipped = true;
        } else {
            dc_.clipped = false;
            dc_.clip = QPainterPath();
        }
        applyClip();
        break;
    case Code::SaveDC:
        if (saved_.size() < size_t(kMaxSavedStates))
            saved_.push_back(dc_);
        else
            ++overflowSaves_;
        break;
    case Code::RestoreDC: {
        int n = v[0];
        if (n < 0) {
            int k = -n;
            const int fromOverflow = std::min(k, overflowSaves_);
            overflowSaves_ -= fromOverflow;
            k -= fromOverflow;
            if (k == 0 || k > int(saved_.size()))
                break;
            dc_ = saved_[saved_.size() - size_t(k)];
            saved_.resize(saved_.size() - size_t(k));
        } else if (n > 0 && n <= int(saved_.size())) {
            dc_ = saved_[size_t(n - 1)];
            saved_.resize(size_t(n - 1));
            overflowSaves_ = 0;
        } else {
            break;
        }
        updateTransform();
        applyClip();
        break;
    }
    case Code::IntersectClipRect:
    case Code::ExcludeClipRect: {
        if (!visible_)
            break;
        QPainterPath r;
        r.addRect(mapRect(v[0], v[1], v[2], v[3]));
        if (op.code == Code::IntersectClipRect)
            dc_.clip = dc_.clipped ? dc_.clip.intersected(r) : r;
        else
            dc_.clip = (dc_.clipped ? dc_.clip : targetPath_).subtracted(r);
        dc_.clipped = true;
        applyClip();
        break;
    }
    case Code::OffsetClipRgn:
        if (dc_.clipped && visible_) {
            dc_.clip.translate(v[0] * sx_, v[1] * sy_);
            applyClip();
        }
        break;
    case Code::MoveTo:
        dc_.cp = QPointF(v[0], v[1]);
        break;
    case Code::LineTo:
        if (prepareShape(false))
            painter_.drawLine(map(dc_.cp.x(), dc_.cp.y()), map(v[0], v[1]));
        dc_.cp = QPointF(v[0], v[1]);
        break;
    case Code::Rectangle:
    case Code::RoundRect:
    case Code::Ellipse:
        rectangleLike(op);
        break;
    case Code::Arc:
    case Code::Pie:
    case Code::Chord:
        arcLike(op);
        break;
    case Code::Polygon:
        polygon(op, true);
        break;
    case Code::Polyline:
        polygon(op, false);
        break;
    case Code::PolyPolygon:
        polyPolygon(op);
        break;
    case Code::Text:
        if (v[0] >= 0 && v[0] < int(p_.texts.size()))
            text(p_.texts[size_t(v[0])]);
        break;
    case Code::Blit:
        if (v[0] >= 0 && v[0] < int(p_.blits.size()))
            blit(p_.blits[size_t(v[0])]);
        break;
    case Code::PatBlt:
        if (visible_)
            patBlt(mapRect(v[0], v[1], v[0] + v[2], v[1] + v[3]), uint32_t(v[4]));
        break;
    case Code::SetPixel:
        if (visible_) {
            setMode(QPainter::CompositionMode_SourceOver);
            const QPointF c = map(v[0], v[1]);
            painter_.fillRect(QRectF(c, QSizeF(std::max(px96_, devPx_), std::max(px96_, devPx_))), rgb(ColorRef(v[2])));
        }
        break;
    case Code::FillRegion:
    case Code::PaintRegion:
    case Code::FrameRegion:
    case Code::InvertRegion: {
        if (!visible_)
            break;
        const QPainterPath path = regionPath(v[0]);
        if (path.isEmpty())
            break;
        if (op.code == Code::InvertRegion) {
            if (!rasterOps_)
                break;
            setMode(rasterOps_ ? QPainter::RasterOp_SourceXorDestination : QPainter::CompositionMode_Difference);
            painter_.fillPath(path, Qt::white);
            break;
        }
        setMode(QPainter::CompositionMode_SourceOver);
        setAntialiased(false);
        const QBrush brush = op.code == Code::PaintRegion ? brushFor(dc_.brush) : brushFor(v[1]);
        if (op.code == Code::FrameRegion) {
            const double w = std::max({std::abs(v[2] * sx_), std::abs(v[3] * sy_), devPx_});
            painter_.strokePath(path, QPen(brush, w));
        } else {
            painter_.fillPath(path, brush);
        }
        break;
    }
    }
}

void Player::rectangleLike(const Op& op)
{
    if (!prepareShape(true))
        return;
    QRectF r = mapRect(op.v[0], op.v[1], op.v[2], op.v[3]);
    const PenObject* pen = penObject();
    if (pen && (pen->style & 0x0F) == 6 && pen_.style() != Qt::NoPen) { // PS_INSIDEFRAME
        const double h = pen_.widthF() / 2;
        r.adjust(h, h, -h, -h);
    }
    if (op.code == Code::Rectangle) {
        painter_.drawRect(r);
    } else if (op.code == Code::Ellipse) {
        painter_.drawEllipse(r);
    } else {
        const double rx = std::min(std::abs(op.v[4] * sx_) / 2, r.width() / 2);
        const double ry = std::min(std::abs(op.v[5] * sy_) / 2, r.height() / 2);
        painter_.drawRoundedRect(r, rx, ry, Qt::AbsoluteSize);
    }
}

// Arcs are built in logical space (counter-clockwise as GDI draws them there) and then
// mapped, so a y-up window mirrors them just as it mirrors everything else.
void Player::arcLike(const Op& op)
{
    const bool fill = op.code != Code::Arc;
    if (!prepareShape(fill))
        return;
    const QRectF box = QRectF(QPointF(op.v[0], op.v[1]), QPointF(op.v[2], op.v[3])).normalized();
    if (box.width() <= 0 || box.height() <= 0)
        return;
    const QPointF c = box.center();
    const double rx = box.width() / 2, ry = box.height() / 2;
    auto angle = [&](double x, double y) { return std::atan2(-(y - c.y()) / ry, (x - c.x()) / rx) * 180.0 / M_PI; };
    const double a1 = angle(op.v[4], op.v[5]);
    const double a2 = angle(op.v[6], op.v[7]);
    double sweep = a2 - a1;
    while (sweep <= 0)
        sweep += 360;
    QPainterPath path;
    if (op.code == Code::Pie) {
        path.moveTo(c);
        path.arcTo(box, a1, sweep);
        path.closeSubpath();
    } else {
        path.arcMoveTo(box, a1);
        path.arcTo(box, a1, sweep);
        if (op.code == Code::Chord)
            path.closeSubpath();
    }
    painter_.drawPath(transform().map(path));
}

void Player::polygon(const Op& op, bool closed)
{
    if (!prepareShape(closed))
        return;
    const int first = op.v[0], count = op.v[1];
    if (first < 0 || count <= 0 || size_t(first) + size_t(count) > p_.points.size())
        return;
    polygon_.resize(count);
    for (int i = 0; i < count; ++i) {
        const Point16& pt = p_.points[size_t(first + i)];
        polygon_[i] = map(pt.x, pt.y);
    }
    if (closed)
        painter_.drawPolygon(polygon_, dc_.fillMode == 2 ? Qt::WindingFill : Qt::OddEvenFill);
    else
        painter_.drawPolyline(polygon_);
}

void Player::polyPolygon(const Op& op)
{
    if (!prepareShape(true))
        return;
    const int firstCount = op.v[0], polys = op.v[1];
    size_t point = size_t(std::max(0, op.v[2]));
    if (firstCount < 0 || polys <= 0 || size_t(firstCount) + size_t(polys) > p_.polyCounts.size())
        return;
    QPainterPath path;
    path.setFillRule(dc_.fillMode == 2 ? Qt::WindingFill : Qt::OddEvenFill);
    for (int i = 0; i < polys; ++i) {
        const int count = p_.polyCounts[size_t(firstCount + i)];
        if (point + size_t(count) > p_.points.size())
            break;
        polygon_.resize(count);
        for (int k = 0; k < count; ++k) {
            const Point16& pt = p_.points[point + size_t(k)];
            polygon_[k] = map(pt.x, pt.y);
        }
        path.addPolygon(polygon_);
        path.closeSubpath();
        point += size_t(count);
    }
    painter_.drawPath(path);
}

FontEntry& Player::fontFor(const FontObject* f, double em)
{
    // A font with a width of its own is stretched by the horizontal scale, so that is part
    // of the key too.
    const FontKey key{f ? dc_.font : -1, std::lround(em * 64), f && f->width > 0 ? std::lround(std::abs(sx_) * 4096) : 0};
    auto it = fonts_.find(key);
    if (it != fonts_.end())
        return it->second;
    QFont font(faceToDraw(f));
    const int dpi = painter_.device() ? std::max(1, painter_.device()->logicalDpiY()) : 96;
    font.setPointSizeF(std::max(0.01, em * 72.0 / dpi));
    if (f) {
        font.setWeight(QFont::Weight(std::clamp(f->weight > 0 ? f->weight : 400, 100, 900)));
        font.setItalic(f->italic);
        font.setUnderline(f->underline);
        font.setStrikeOut(f->strikeOut);
    }
    FontEntry entry;
    entry.metrics = std::make_unique<QFontMetricsF>(font, painter_.device());
    if (f && f->width > 0) {
        const double average = setWidthAverage(*entry.metrics, f, em);
        if (average > 0) {
            font.setStretch(std::clamp(int(std::lround(f->width * std::abs(sx_) / average * 100)), 1, 4000));
            entry.metrics = std::make_unique<QFontMetricsF>(font, painter_.device());
        }
    }
    entry.font = font;
    entry.ascent = entry.metrics->ascent();
    entry.descent = entry.metrics->descent();
    return fonts_.emplace(key, std::move(entry)).first->second;
}

void Player::text(const TextRun& run)
{
    if (!visible_)
        return;
    setMode(QPainter::CompositionMode_SourceOver);
    const bool updateCP = dc_.textAlign & 1;
    const QPointF ref = updateCP ? dc_.cp : QPointF(run.x, run.y);

    if ((run.options & 0x0002) && run.rect.isValid()) // ETO_OPAQUE
        painter_.fillRect(mapRect(run.rect.left(), run.rect.top(), run.rect.right(), run.rect.bottom()), rgb(dc_.bkColor));
    if (run.text.isEmpty())
        return;

    const FontObject* f = dc_.font >= 0 ? std::get_if<FontObject>(&p_.objects[size_t(dc_.font)]) : nullptr;
    const double limit = 4 * std::max(target_.width(), target_.height()) + 100;
    double em = 0;
    bool cellHeight = false;
    if (f && f->height != 0) {
        em = std::abs(f->height * sy_);
        cellHeight = f->height > 0;
    } else {
        em = 12 * px96_; // GDI's stock font is about 12 pixels to the em
    }
    em = std::min(em, limit);
    if (cellHeight) { // positive heights count the cell: scale the em so the cell fits
        const FontEntry& probe = fontFor(f, em);
        const double cell = probe.ascent + probe.descent;
        if (cell > 0)
            em = std::min(em * em / cell, limit);
    }
    if (em < 0.05)
        return;
    FontEntry& font = fontFor(f, em);
    const QFontMetricsF& fm = *font.metrics;

    // advances of the characters, in target units along the baseline
    const qsizetype n = run.text.size();
    std::vector<double> advances;
    double total = 0;
    if (!run.dx.empty() || dc_.charExtra) {
        advances.resize(size_t(n));
        for (qsizetype i = 0; i < n; ++i) {
            double a = i < qsizetype(run.dx.size()) ? run.dx[size_t(i)] * std::abs(sx_) : fm.horizontalAdvance(run.text.at(i));
            if (run.dx.empty())
                a += dc_.charExtra * std::abs(sx_);
            advances[size_t(i)] = a;
            total += a;
        }
    } else {
        total = fm.horizontalAdvance(run.text);
    }

    double x0 = 0;
    switch (dc_.textAlign & 6) {
    case 2: x0 = -total; break;     // TA_RIGHT
    case 6: x0 = -total / 2; break; // TA_CENTER
    default: break;
    }
    double baseline = font.ascent; // TA_TOP
    if ((dc_.textAlign & 24) == 24)
        baseline = 0; // TA_BASELINE
    else if (dc_.textAlign & 8)
        baseline = -font.descent; // TA_BOTTOM

    const bool clip = (run.options & 0x0004) && run.rect.isValid(); // ETO_CLIPPED
    if (clip) {
        painter_.setWorldTransform(base_);
        painter_.setClipRect(mapRect(run.rect.left(), run.rect.top(), run.rect.right(), run.rect.bottom()), Qt::IntersectClip);
    }
    const QPointF at = map(ref.x(), ref.y());
    QTransform local;
    local.translate(at.x(), at.y());
    if (f && f->escapement)
        local.rotate(-f->escapement / 10.0);
    painter_.setWorldTransform(local * base_);
    if (dc_.bkMode == 2 && !(run.options & 0x0002))
        painter_.fillRect(QRectF(x0, baseline - font.ascent, total, font.ascent + font.descent), rgb(dc_.bkColor));
    painter_.setFont(font.font);
    painter_.setPen(rgb(dc_.textColor));
    setAntialiased(true); // letters keep their smooth edges, turned or not
    applied_ = false;
    if (advances.empty()) {
        painter_.drawText(QPointF(x0, baseline), run.text);
    } else {
        double x = x0;
        for (qsizetype i = 0; i < n; ++i) {
            painter_.drawText(QPointF(x, baseline), QString(run.text.at(i)));
            x += advances[size_t(i)];
        }
    }
    restoreTransform();
    if (clip)
        applyClip();
    if (updateCP) {
        const double moved = total / sx_;
        if ((dc_.textAlign & 6) == 0)
            dc_.cp.rx() += moved;
        else if ((dc_.textAlign & 6) == 2)
            dc_.cp.rx() -= moved;
    }
}

void Player::patBlt(const QRectF& r, uint32_t rop)
{
    setAntialiased(false);
    const int code = int((rop >> 16) & 0xFF);
    const QPainter::CompositionMode invert = rasterOps_ ? QPainter::RasterOp_SourceXorDestination
                                                       : QPainter::CompositionMode_SourceOver;
    switch (code) {
    case 0xAA: // D: leaves the destination alone
        return;
    case 0x00:
        setMode(QPainter::CompositionMode_SourceOver);
        painter_.fillRect(r, Qt::black);
        return;
    case 0xFF:
        setMode(QPainter::CompositionMode_SourceOver);
        painter_.fillRect(r, Qt::white);
        return;
    case 0x55: // DSTINVERT
        if (invert == QPainter::CompositionMode_SourceOver)
            return;
        setMode(invert);
        painter_.fillRect(r, Qt::white);
        return;
    case 0x5A: // PATINVERT
        if (invert == QPainter::CompositionMode_SourceOver)
            return;
        setMode(invert);
        painter_.fillRect(r, brushFor(dc_.brush));
        return;
    default: // PATCOPY and the rest: the brush
        setMode(QPainter::CompositionMode_SourceOver);
        painter_.fillRect(r, brushFor(dc_.brush));
        return;
    }
}

void Player::blit(const Blit& b)
{
    if (!visible_ || b.image.isNull())
        return;
    const int code = int((b.rop >> 16) & 0xFF);
    if (code == 0xAA || code == 0x00 || code == 0xFF || code == 0x55 || code == 0xF0 || code == 0x5A) {
        patBlt(mapRect(b.dstX, b.dstY, b.dstX + b.dstW, b.dstY + b.dstH), b.rop);
        return;
    }
    // Source rectangle, normalised; a negative extent mirrors.
    double sx = b.srcX, sy = b.srcY, sw = b.srcW, sh = b.srcH;
    double dx = b.dstX, dy = b.dstY, dw = b.dstW, dh = b.dstH;
    if (sw == 0 || sh == 0 || dw == 0 || dh == 0)
        return;
    if (sw < 0) {
        sx += sw;
        sw = -sw;
        dx += dw;
        dw = -dw;
    }
    if (sh < 0) {
        sy += sh;
        sh = -sh;
        dy += dh;
        dh = -dh;
    }
    if (b.fromBottom)
        sy = b.image.height() - sy - sh;
    const QRectF src(sx, sy, sw, sh);
    const QRectF part = src.intersected(QRectF(b.image.rect()));
    if (part.isEmpty())
        return;
    // the destination of the part of the source that exists
    const double x0 = dx + (part.left() - sx) / sw * dw, x1 = dx + (part.right() - sx) / sw * dw;
    const double y0 = dy + (part.top() - sy) / sh * dh, y1 = dy + (part.bottom() - sy) / sh * dh;
    const QPointF d0 = map(x0, y0), d1 = map(x1, y1);
    const double kx = (d1.x() - d0.x()) / part.width(), ky = (d1.y() - d0.y()) / part.height();

    QPainter::CompositionMode mode = QPainter::CompositionMode_SourceOver;
    QImage image = b.image;
    switch (code) {
    case 0x88: // SRCAND
        mode = rasterOps_ ? QPainter::RasterOp_SourceAndDestination : mode;
        break;
    case 0xEE: // SRCPAINT
        mode = rasterOps_ ? QPainter::RasterOp_SourceOrDestination : mode;
        break;
    case 0x66: // SRCINVERT
        mode = rasterOps_ ? QPainter::RasterOp_SourceXorDestination : mode;
        break;
    case 0x33: // NOTSRCCOPY
        image.invertPixels();
        break;
    default:
        break;
    }
    setMode(mode);
    painter_.setWorldTransform(QTransform(kx, 0, 0, ky, d0.x(), d0.y()) * base_);
    painter_.drawImage(QRectF(0, 0, part.width(), part.height()), image, part);
    restoreTransform();
}

QPainterPath Player::regionPath(int object) const
{
    QPainterPath path;
    if (object < 0 || object >= int(p_.objects.size()))
        return path;
    const auto* region = std::get_if<RegionObject>(&p_.objects[size_t(object)]);
    if (!region)
        return path;
    path.setFillRule(Qt::WindingFill);
    for (const QRect& r : region->rects)
        path.addRect(QRectF(r.x(), r.y(), r.width(), r.height()));
    return transform().map(path);
}

} // namespace

void play(const Program& program, QPainter& painter, const QRectF& target)
{
    if (target.isEmpty() || !painter.isActive() || program.frame.width() == 0 || program.frame.height() == 0)
        return;
    Player(program, painter, target).run();
}

} // namespace wmf

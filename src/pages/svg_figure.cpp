#include "svg_figure.h"

#include "wmf_writer.h"

#include <QPaintDevice>
#include <QPaintEngine>
#include <QPainter>
#include <QPainterPath>
#include <QSvgRenderer>
#include <QXmlStreamReader>
#include <QTextItem>
#include <QXmlStreamReader>

#include <cmath>
#include <memory>

namespace svgfigure {

namespace {

QPoint rounded(const QPointF& p) { return QPoint(static_cast<int>(std::lround(p.x())), static_cast<int>(std::lround(p.y()))); }

QList<QPoint> roundedPolygon(const QPolygonF& poly)
{
    QList<QPoint> out;
    out.reserve(poly.size());
    for (const QPointF& p : poly) {
        const QPoint q = rounded(p);
        if (out.isEmpty() || out.last() != q)
            out << q;
    }
    return out;
}

// One colour for any brush: gradients give their middle stop. The paper copy is printed black
// on white, so there every colour becomes the grey of its brightness.
std::optional<QColor> solidColour(const QBrush& brush, bool grey)
{
    if (brush.style() == Qt::NoBrush)
        return std::nullopt;
    QColor c = brush.color();
    if (const QGradient* g = brush.gradient(); g && !g->stops().isEmpty())
        c = g->stops().at(g->stops().size() / 2).second;
    if (c.alpha() == 0)
        return std::nullopt;
    c.setAlpha(255);
    if (grey) {
        const int g = qGray(c.rgb());
        c = QColor(g, g, g);
    }
    return c;
}

// Turns what the SVG renderer paints into metafile records; device units are twips.
class WmfEngine : public QPaintEngine {
public:
    WmfEngine(WmfWriter& w, bool grey) : QPaintEngine(AllFeatures), w_(w), grey_(grey) {}

    bool begin(QPaintDevice*) override { return true; }
    bool end() override { return true; }
    Type type() const override { return User; }

    void updateState(const QPaintEngineState& s) override
    {
        const DirtyFlags f = s.state();
        if (f & DirtyPen)
            pen_ = s.pen();
        if (f & DirtyBrush)
            brush_ = s.brush();
        if (f & DirtyTransform)
            transform_ = s.transform();
        if (f & DirtyFont)
            font_ = s.font();
    }

    void drawPath(const QPainterPath& path) override
    {
        fill(path);
        stroke(path);
    }

    void drawPolygon(const QPointF* points, int count, PolygonDrawMode mode) override
    {
        QPainterPath path;
        path.addPolygon(QPolygonF(QList<QPointF>(points, points + count)));
        if (mode == PolylineMode) {
            stroke(path);
            return;
        }
        path.closeSubpath();
        path.setFillRule(mode == WindingMode ? Qt::WindingFill : Qt::OddEvenFill);
        drawPath(path);
    }

    void drawPixmap(const QRectF& r, const QPixmap& pm, const QRectF& sr) override
    {
        drawImage(r, pm.toImage(), sr, Qt::AutoColor);
    }

    void drawImage(const QRectF& r, const QImage& image, const QRectF& sr, Qt::ImageConversionFlags) override
    {
        const QRectF target = transform_.mapRect(r);
        const QImage part = image.copy(sr.toAlignedRect());
        w_.stretchDIBits(target.toAlignedRect(), grey_ ? part.convertToFormat(QImage::Format_Grayscale8) : part);
    }

    void drawTextItem(const QPointF& p, const QTextItem& item) override
    {
        const QString text = item.text();
        if (text.trimmed().isEmpty())
            return;
        const std::optional<QColor> colour = solidColour(pen_.brush(), grey_);
        if (!colour)
            return;
        const QFont f = item.font();
        const double scale = std::sqrt(std::abs(transform_.determinant()));
        const double px = f.pixelSize() > 0 ? f.pixelSize() : f.pointSizeF() * 96.0 / 72.0;
        const int height = std::max(1, static_cast<int>(std::lround(px * scale)));
        w_.font(f.family(), height, f.bold(), f.italic());
        w_.setTextColor(*colour);
        w_.setTextAlign(WmfWriter::Left | WmfWriter::Baseline);
        const QPoint at = rounded(transform_.map(p));
        w_.textOut(at.x(), at.y(), text);
    }

private:
    void fill(const QPainterPath& path)
    {
        const std::optional<QColor> c = solidColour(brush_, grey_);
        if (!c)
            return;
        QList<QList<QPoint>> polygons;
        for (const QPolygonF& poly : path.toFillPolygons(transform_)) {
            QList<QPoint> pts = roundedPolygon(poly);
            if (pts.size() >= 3)
                polygons << pts;
        }
        if (polygons.isEmpty())
            return;
        w_.nullPen();
        w_.brush(*c);
        w_.setPolyFillMode(path.fillRule() == Qt::WindingFill ? WmfWriter::FillMode::Winding
                                                               : WmfWriter::FillMode::Alternate);
        if (polygons.size() == 1)
            w_.polygon(polygons.first());
        else
            w_.polyPolygon(polygons);
    }

    void stroke(const QPainterPath& path)
    {
        if (pen_.style() == Qt::NoPen)
            return;
        const std::optional<QColor> c = solidColour(pen_.brush(), grey_);
        if (!c)
            return;
        const double scale = std::sqrt(std::abs(transform_.determinant()));
        const int width = std::max(1, static_cast<int>(std::lround(pen_.widthF() * scale)));
        WmfWriter::PenStyle style = WmfWriter::PenStyle::Solid;
        if (pen_.style() == Qt::DashLine)
            style = WmfWriter::PenStyle::Dash;
        else if (pen_.style() == Qt::DotLine)
            style = WmfWriter::PenStyle::Dot;
        w_.pen(style, width, *c);
        for (const QPolygonF& poly : path.toSubpathPolygons(transform_)) {
            const QList<QPoint> pts = roundedPolygon(poly);
            if (pts.size() >= 2)
                w_.polyline(pts);
        }
    }

    WmfWriter& w_;
    bool grey_;
    QPen pen_;
    QBrush brush_;
    QTransform transform_;
    QFont font_;
};

class WmfDevice : public QPaintDevice {
public:
    WmfDevice(WmfWriter& w, bool grey) : engine_(w, grey), size_(w.width(), w.height()) {}
    QPaintEngine* paintEngine() const override { return &engine_; }

protected:
    int metric(PaintDeviceMetric m) const override
    {
        switch (m) {
        case PdmWidth:
            return size_.width();
        case PdmHeight:
            return size_.height();
        case PdmWidthMM:
            return size_.width() * 254 / 14400;
        case PdmHeightMM:
            return size_.height() * 254 / 14400;
        case PdmDpiX:
        case PdmDpiY:
        case PdmPhysicalDpiX:
        case PdmPhysicalDpiY:
            return 1440;
        case PdmDepth:
            return 24;
        case PdmNumColors:
            return 1 << 24;
        case PdmDevicePixelRatio:
            return 1;
        case PdmDevicePixelRatioScaled:
            return static_cast<int>(QPaintDevice::devicePixelRatioFScale());
        }
        return 0;
    }

private:
    mutable WmfEngine engine_;
    QSize size_;
};

} // namespace

void draw(QSvgRenderer& svg, WmfWriter& w, const QRect& box, bool grey)
{
    const QSizeF size = svg.viewBoxF().size().isEmpty() ? QSizeF(svg.defaultSize()) : svg.viewBoxF().size();
    if (size.isEmpty())
        return;
    const double scale = std::min(box.width() / size.width(), box.height() / size.height());
    const QSizeF drawn = size * scale;
    const QRectF target(box.x() + (box.width() - drawn.width()) / 2, box.y() + (box.height() - drawn.height()) / 2,
                        drawn.width(), drawn.height());
    WmfDevice device(w, grey);
    QPainter painter(&device);
    w.saveDC();
    svg.render(&painter, target);
    painter.end();
    w.restoreDC();
}

pages::Drawing drawing(const QByteArray& svgBytes, const QString& words)
{
    auto svg = std::make_shared<QSvgRenderer>(svgBytes);
    // The drawing's own <title> (or else the page's words for it) goes with it, so that a
    // screen reader reading the page hears what the picture shows where it stands.
    QString title;
    QXmlStreamReader xml(svgBytes);
    while (!xml.atEnd() && title.isEmpty())
        if (xml.readNext() == QXmlStreamReader::StartElement && xml.name() == QLatin1String("title"))
            title = xml.readElementText().simplified();
    if (title.isEmpty())
        title = words.simplified();
    return [svg, title](WmfWriter& w, const QRect& box, const pages::Style& style) {
        if (!title.isEmpty())
            w.describePicture(title);
        draw(*svg, w, box, style.copy == pages::Copy::Print);
    };
}

QString title(const QByteArray& svgBytes, int* svgLine)
{
    QXmlStreamReader xml(svgBytes);
    int depth = 0;
    while (!xml.atEnd()) {
        const QXmlStreamReader::TokenType token = xml.readNext();
        if (token == QXmlStreamReader::EndElement)
            --depth;
        if (token != QXmlStreamReader::StartElement)
            continue;
        ++depth;
        if (depth == 1 && svgLine)
            *svgLine = static_cast<int>(xml.lineNumber());
        // The drawing's own title is a child of the <svg> element.
        if (depth == 2 && xml.name() == QLatin1String("title"))
            return xml.readElementText(QXmlStreamReader::IncludeChildElements).simplified();
    }
    return {};
}

} // namespace svgfigure

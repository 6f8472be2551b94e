// How long one full page metafile takes to draw: a landscape page of paragraphs and shapes,
// made with the page writer, drawn at screen scale (780 x 520 px) and at print scale.
// Set WMF_BENCH_PNG=/some/folder to also save the drawn pages for a look.
#include "bench_main.h"
#include "platform/fonts.h"
#include "platform/metafile.h"
#include "pages/wmf_writer.h"

#include <QApplication>
#include <QImage>
#include <QPainter>

#include <benchmark/benchmark.h>

namespace {

QByteArray makePage()
{
    WmfWriter w(11700, 7800);
    w.font(QStringLiteral("Tahoma"), 360, true);
    w.setTextColor(QColor(39, 63, 137));
    w.setTextAlign(WmfWriter::Center | WmfWriter::Top);
    w.textOut(5850, 300, QStringLiteral("Key Facts: the Skeleton"));
    w.setTextAlign(WmfWriter::Left | WmfWriter::Top);
    w.setTextColor(Qt::black);

    const QString body = QStringLiteral(
        "The skeleton is the frame of the body. It is made of more than two hundred bones, joined "
        "together at joints so that the body can bend, twist and move. Bones are alive: they grow "
        "as you grow, and they mend themselves when they break. The skull protects the brain, the "
        "ribs protect the heart and lungs, and the spine holds the body upright.");
    const QString faces[] = {QStringLiteral("Times New Roman"), QStringLiteral("Arial"), QStringLiteral("Tahoma")};
    int y = 1100;
    for (int i = 0; i < 6; ++i) {
        w.font(faces[i % 3], 220, i % 4 == 3, i % 5 == 4);
        y = w.paragraph(600, y, 6600, body, 280) + 120;
    }

    // shapes: a labelled diagram down the right-hand side
    w.pen(QColor(60, 60, 60), 20);
    w.brush(QColor(255, 240, 200));
    w.roundRect(QRect(7600, 1100, 3600, 6100), 300, 300);
    w.brush(QColor(230, 230, 230));
    w.ellipse(QRect(8700, 1400, 1400, 1600)); // skull
    w.brush(Qt::white);
    w.ellipse(QRect(9000, 1900, 300, 300));
    w.ellipse(QRect(9500, 1900, 300, 300));
    w.pen(QColor(120, 80, 40), 60);
    w.polyline({QPoint(9400, 3000), QPoint(9400, 5600)});
    for (int r = 0; r < 6; ++r)
        w.arc(QRect(8600, 3300 + r * 220, 1600, 500), 20.0, 140.0); // ribs
    w.pen(QColor(60, 60, 60), 20);
    w.brush(QColor(200, 220, 255));
    w.polygon({QPoint(8800, 5600), QPoint(10000, 5600), QPoint(9700, 6100), QPoint(9100, 6100)});
    w.pie(QRect(7900, 6200, 900, 900), 0.0, 270.0);
    w.chord(QRect(10000, 6200, 900, 900), 30.0, 200.0);
    w.hatchBrush(WmfWriter::Hatch::DiagonalCross, QColor(0, 100, 200));
    w.rectangle(QRect(8900, 6300, 900, 700));
    w.pen(WmfWriter::PenStyle::Dash, 15, Qt::red);
    w.line(7700, 3200, 8600, 3200);
    w.font(QStringLiteral("Arial"), 180);
    w.setTextAlign(WmfWriter::Right | WmfWriter::Baseline);
    w.textOut(8600, 3150, QStringLiteral("ribs"));
    w.font(QStringLiteral("Arial"), 180, false, false, 900);
    w.setTextAlign(WmfWriter::Left | WmfWriter::Baseline);
    w.textOut(11000, 5000, QStringLiteral("spine"));
    return w.bytes();
}

std::shared_ptr<const VectorPicture> page()
{
    static const auto picture = loadMetafile(makePage());
    return picture;
}

void drawPage(benchmark::State& state, QSize size)
{
    const auto picture = page();
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    for (auto _ : state) {
        image.fill(Qt::white);
        QPainter painter(&image);
        picture->draw(painter, QRectF(QPointF(0, 0), QSizeF(size)));
        painter.end();
        benchmark::DoNotOptimize(image.constBits());
    }
    if (const QByteArray folder = qgetenv("WMF_BENCH_PNG"); !folder.isEmpty())
        image.save(QString::fromLocal8Bit(folder) + QStringLiteral("/bench_page_%1.png").arg(size.width()));
}

void BM_DrawPageScreen(benchmark::State& state) { drawPage(state, QSize(780, 520)); }
BENCHMARK(BM_DrawPageScreen)->Unit(benchmark::kMillisecond);

// The print copy at 300 dpi (11700 x 7800 twips is 8.1 x 5.4 inches).
void BM_DrawPagePrint300dpi(benchmark::State& state) { drawPage(state, QSize(2438, 1625)); }
BENCHMARK(BM_DrawPagePrint300dpi)->Unit(benchmark::kMillisecond);

void BM_DecodePage(benchmark::State& state)
{
    const QByteArray bytes = makePage();
    for (auto _ : state)
        benchmark::DoNotOptimize(loadMetafile(bytes));
    state.SetBytesProcessed(int64_t(state.iterations()) * bytes.size());
}
BENCHMARK(BM_DecodePage)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv) { return runBenchmarks(argc, argv); }

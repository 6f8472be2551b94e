#include "wmf_fonts.h"

#include "wmf_program.h"

#include <QFontDatabase>
#include <QFontMetricsF>

#include <array>
#include <initializer_list>

namespace wmf {
namespace {

struct StandIn {
    std::initializer_list<const char*> faces;
    std::initializer_list<const char*> standIns;
};

// Faces with the same character widths as the Windows faces that files name.
const std::array<StandIn, 12> kMetricCompatible = {{
    {{"Arial", "Helvetica", "Arimo"}, {"Liberation Sans", "Arimo", "Nimbus Sans"}},
    {{"Arial Narrow", "Helvetica Narrow"}, {"Liberation Sans Narrow", "Nimbus Sans Narrow"}},
    {{"Times New Roman", "Times", "Tinos"}, {"Liberation Serif", "Tinos", "Nimbus Roman"}},
    {{"Courier New", "Courier", "Cousine"}, {"Liberation Mono", "Cousine", "Nimbus Mono PS"}},
    {{"Calibri"}, {"Carlito"}},
    {{"Cambria"}, {"Caladea"}},
    {{"Georgia"}, {"Gelasio"}},
    {{"Palatino Linotype", "Palatino", "Book Antiqua"}, {"P052"}},
    {{"Bookman Old Style", "Bookman"}, {"URW Bookman"}},
    {{"Century Gothic", "Avant Garde", "ITC Avant Garde Gothic"}, {"URW Gothic"}},
    {{"Century Schoolbook", "New Century Schoolbook"}, {"C059"}},
    {{"Zapf Chancery", "ITC Zapf Chancery"}, {"Z003"}},
}};

constexpr int kSymbolCharset = 2;
constexpr int kFamilyRoman = 0x10, kFamilyModern = 0x30;
constexpr int kFixedPitch = 1;

} // namespace

QString faceFor(const FontObject& font, const std::function<bool(const QString&)>& installed)
{
    const QString& face = font.face;
    if (!face.isEmpty() && installed(face))
        return face;
    for (const StandIn& s : kMetricCompatible)
        for (const char* name : s.faces)
            if (face.compare(QLatin1String(name), Qt::CaseInsensitive) == 0)
                for (const char* standIn : s.standIns)
                    if (installed(QLatin1String(standIn)))
                        return QLatin1String(standIn);
    if (font.charset == kSymbolCharset && !face.isEmpty())
        return face;
    using Faces = std::array<const char*, 4>;
    static const Faces sans = {"Liberation Sans", "DejaVu Sans", "Nimbus Sans", "Arial"};
    static const Faces serif = {"Liberation Serif", "DejaVu Serif", "Nimbus Roman", "Times New Roman"};
    static const Faces mono = {"Liberation Mono", "DejaVu Sans Mono", "Nimbus Mono PS", "Courier New"};
    const Faces* plain = &sans;
    if ((font.pitchAndFamily & 0xF0) == kFamilyRoman)
        plain = &serif;
    else if ((font.pitchAndFamily & 0xF0) == kFamilyModern || (font.pitchAndFamily & 3) == kFixedPitch)
        plain = &mono;
    for (const char* name : *plain)
        if (installed(QLatin1String(name)))
            return QLatin1String(name);
    return QLatin1String(plain->front()); // a machine without any of them: fontconfig decides
}

QString faceFor(const FontObject& font)
{
    return faceFor(font, [](const QString& family) { return QFontDatabase::hasFamily(family); });
}

QString faceToDraw(const FontObject* font)
{
    FontObject wanted = font ? *font : FontObject{};
    if (!font)
        wanted.face = QStringLiteral("Arial");
    else if (wanted.face.isEmpty() || wanted.face.compare(QLatin1String("Symbol"), Qt::CaseInsensitive) == 0)
        wanted.face = QStringLiteral("Times New Roman");
    return faceFor(wanted);
}

double averageCharWidth(const QFontMetricsF& metrics)
{
    // The weights of the letters a to z and the space, per thousand.
    static const int weights[27] = {64, 14, 27, 35, 100, 20, 14, 42, 63, 3, 6, 35, 20, 56,
                                    56, 17, 4, 49, 56, 71, 31, 10, 18, 3, 18, 2, 166};
    double sum = 0;
    for (int i = 0; i < 26; ++i)
        sum += weights[i] * metrics.horizontalAdvance(QChar(u'a' + i));
    sum += weights[26] * metrics.horizontalAdvance(QChar(u' '));
    return sum / 1000.0;
}

double setWidthAverage(const QFontMetricsF& metrics, const FontObject* font, double em)
{
    if (font && font->charset == kSymbolCharset)
        return 0.5 * em;
    return averageCharWidth(metrics);
}

} // namespace wmf

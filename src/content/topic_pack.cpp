#include "topic_pack.h"

#include <cmath>

namespace topics {

namespace {

constexpr quint32 magic = 0x43545031; // "CTP1"
// More rows than any content file may hold: a count above it is a damaged file.
constexpr quint32 maxCount = 100000;
constexpr double maxNumber = 1e6;

// Each record's fields, listed once for both writing and reading so the two can't drift apart.
template <class S> void fields(S& s, HubActivity& a) { s(a.screen, a.caption); }
template <class S> void fields(S& s, HubPages& p) { s(p.pageCount, p.pageSet, p.screenCopy, p.printCopy); }
template <class S> void fields(S& s, HubTopic& h)
{
    s(h.screen, h.title, h.questionSetFile, h.quizPicture, h.activities, h.keyFacts, h.teachersNotes, h.menuEntry,
      h.menuCaption, h.picture, h.animation, h.pictureCentred, h.pictureTopLeft);
}
template <class S> void fields(S& s, ContentError& e) { s(e.file, e.line, e.message); }
template <class S> void fields(S& s, activity::ItemRow& r)
{
    s(r.caption, r.homeLeft, r.homeTop, r.targetLeft, r.targetTop, r.group, r.where);
}
template <class S> void fields(S& s, activity::TextRow& t) { s(t.name, t.text, t.rect, t.font, t.colour, t.align); }
template <class S> void fields(S& s, activity::LineRow& l) { s(l.index, l.from, l.to); }
template <class S> void fields(S& s, activity::LineTarget& t) { s(t.lineIndex, t.partId, t.fileLine); }
template <class S> void fields(S& s, activity::ActivityLayout& l)
{
    s(l.name, l.background, l.picture, l.pictureTopLeft, l.labelWidth, l.labelHeight, l.labelFont, l.labelAlign,
      l.items, l.texts, l.lines, l.drawingOrder);
}
template <class S> void fields(S& s, activity::ActivityFile& f) { s(f.layout, f.lineTargets, f.pictureLine, f.warnings); }
template <class S> void fields(S& s, TopicActivity& a) { s(a.fileName, a.caption, a.file); }
template <class S> void fields(S& s, TopicFile& t)
{
    s(t.hub, t.activities, t.folderName, t.questionsFile, t.keyFactsFile, t.notesFile, t.menuEntryLine);
}

struct Writer {
    QDataStream& s;

    void one(const QString& v) { s << v; }
    void one(int v) { s << qint32(v); }
    void one(bool v) { s << v; }
    void one(float v) { s << v; }
    void one(double v) { s << v; }
    void one(const QPointF& v) { s << v; }
    void one(const QRectF& v) { s << v; }
    void one(const QColor& v) { s << v; }
    void one(Qt::Alignment v) { s << qint32(v.toInt()); }
    void one(const FontSpec& f) { s << QString::fromLatin1(f.family) << f.points << f.bold; }
    void one(const QStringList& v)
    {
        s << quint32(v.size());
        for (const QString& x : v)
            one(x);
    }
    template <class T> void one(const std::optional<T>& v)
    {
        s << v.has_value();
        if (v)
            one(*v);
    }
    template <class T> void one(const std::vector<T>& v)
    {
        s << quint32(v.size());
        for (const T& x : v)
            one(x);
    }
    // Records: fields() only reads them when writing.
    template <class T> void one(const T& v) { fields(*this, const_cast<T&>(v)); }
    template <class... T> void operator()(const T&... v) { (one(v), ...); }
};

struct Reader {
    QDataStream& s;

    bool ok() const { return s.status() == QDataStream::Ok; }
    void fail() { s.setStatus(QDataStream::ReadCorruptData); }
    quint32 count()
    {
        quint32 n = 0;
        s >> n;
        if (n > maxCount) {
            fail();
            return 0;
        }
        return n;
    }

    void one(QString& v) { s >> v; }
    void one(int& v)
    {
        qint32 x = 0;
        s >> x;
        v = x;
    }
    void one(bool& v) { s >> v; }
    // Numbers as the parsers allow them: finite and within a few screens.
    void number(double v)
    {
        if (!std::isfinite(v) || std::abs(v) > maxNumber)
            fail();
    }
    void one(float& v)
    {
        s >> v;
        number(v);
    }
    void one(double& v)
    {
        s >> v;
        number(v);
    }
    void one(QPointF& v)
    {
        s >> v;
        number(v.x());
        number(v.y());
    }
    void one(QRectF& v)
    {
        s >> v;
        for (double n : {v.x(), v.y(), v.width(), v.height()})
            number(n);
    }
    void one(QColor& v) { s >> v; }
    void one(Qt::Alignment& v)
    {
        qint32 x = 0;
        s >> x;
        v = Qt::Alignment::fromInt(x);
    }
    void one(FontSpec& f)
    {
        QString family;
        s >> family >> f.points >> f.bold;
        f.family = activity::fontFamily(family);
        if (!f.family)
            fail();
    }
    void one(QStringList& v)
    {
        const quint32 n = count();
        v.clear();
        for (quint32 i = 0; i < n && ok(); ++i)
            one(v.emplace_back());
    }
    template <class T> void one(std::optional<T>& v)
    {
        bool has = false;
        s >> has;
        v.reset();
        if (has)
            one(v.emplace());
    }
    template <class T> void one(std::vector<T>& v)
    {
        const quint32 n = count();
        v.clear();
        for (quint32 i = 0; i < n && ok(); ++i)
            one(v.emplace_back());
    }
    template <class T> void one(T& v) { fields(*this, v); }
    template <class... T> void operator()(T&... v) { (one(v), ...); }
};

} // namespace

void pack(QDataStream& out, const TopicFile& topic)
{
    out.setVersion(QDataStream::Qt_6_0);
    out << magic;
    Writer{out}(topic);
}

std::optional<TopicFile> unpack(QDataStream& in)
{
    in.setVersion(QDataStream::Qt_6_0);
    quint32 found = 0;
    in >> found;
    if (found != magic)
        return std::nullopt;
    TopicFile topic;
    Reader r{in};
    r(topic);
    if (!r.ok())
        return std::nullopt;
    return topic;
}

} // namespace topics

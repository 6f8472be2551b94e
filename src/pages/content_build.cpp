#include "content_build.h"

#include "svg_figure.h"

#include "platform/cp1252.h"
#include "platform/text_file.h"
#include "content/topic_file.h"
#include "worksheets/question_set.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QPainter>
#include <QRegularExpression>
#include <QStringDecoder>
#include <QSvgRenderer>

#include <cstdio>
#include <new>

#include <cmark.h>

namespace contentbuild {

namespace {

[[noreturn]] void failAt(const QString& file, int line, const QString& message)
{
    throw ContentFailure(ContentError{file, line, message});
}

// Page text sizes in twips (the shipped pages use 210 to 370).
constexpr int minTextSize = 100, maxTextSize = 720;
// A picture file, and the picture it draws in pixels (twice the screen either way).
constexpr qint64 maxPictureBytes = 2 * 1024 * 1024;
constexpr int maxPicturePixels = 1600;

// An SVG picture Corvana can draw, of a sane size, that loads nothing from outside its
// folder: an <image> may only embed its data or name a file beside it.
void checkSvg(const QByteArray& bytes, const QString& file, int line, const QString& name)
{
    const QString where = name.isEmpty() ? QStringLiteral("this picture ") : QStringLiteral("the picture \"%1\" ").arg(name);
    if (bytes.size() > maxPictureBytes)
        failAt(file, line, QStringLiteral("%1is larger than the %2 KB a picture may be").arg(where).arg(maxPictureBytes / 1024));
    static const QRegularExpression image(QStringLiteral("<image\\b[^>]*?href\\s*=\\s*[\"']([^\"']*)"),
                                          QRegularExpression::CaseInsensitiveOption);
    const QString text = QString::fromUtf8(bytes);
    for (auto it = image.globalMatch(text); it.hasNext();) {
        const QString href = it.next().captured(1).trimmed();
        const bool embedded = href.startsWith(QLatin1String("data:"), Qt::CaseInsensitive);
        if (!embedded && (href.contains(QLatin1Char(':')) || href.contains(QLatin1Char('/')) ||
                          href.contains(QLatin1Char('\\')) || href.startsWith(QLatin1Char('.'))))
            failAt(file, line, QStringLiteral("%1loads \"%2\" from outside the topic's folder").arg(where, href));
    }
    QSvgRenderer svg(bytes);
    if (!svg.isValid())
        failAt(file, line, name.isEmpty() ? QStringLiteral("this is not an SVG drawing Corvana can read")
                                          : QStringLiteral("the picture \"%1\" is not an SVG drawing").arg(name));
    const QSize size = svg.defaultSize();
    if (size.width() > maxPicturePixels || size.height() > maxPicturePixels)
        failAt(file, line, QStringLiteral("%1is %2 x %3 pixels; a picture is at most %4 x %4")
                               .arg(where)
                               .arg(size.width())
                               .arg(size.height())
                               .arg(maxPicturePixels));
}

// ---------------------------------------------------------------- Markdown pages

// Key facts: the picture on the left, the facts beside it; on paper the picture on top.
const QList<QRect> factsScreen{QRect(120, 900, 4900, 6850), QRect(5200, 1000, 6380, 6750)};
const QList<QRect> factsPrint{QRect(0, 800, pages::printWidth, pages::printHeight - 800)};
// Teacher's notes: two columns on screen, one on paper.
const QList<QRect> notesScreen{QRect(120, 950, 5600, 6800), QRect(5980, 950, 5600, 6800)};
const QList<QRect> notesPrint{QRect(0, 800, pages::printWidth, pages::printHeight - 800)};

QString literal(cmark_node* n)
{
    const char* s = cmark_node_get_literal(n);
    return s ? QString::fromUtf8(s) : QString();
}

// The words of inline content: emphasis and code are plain text on the page. Walked without
// recursion: a paragraph of thousands of nested emphasis marks must not exhaust the stack.
QString inlineText(cmark_node* parent)
{
    QString out;
    std::unique_ptr<cmark_iter, void (*)(cmark_iter*)> iter(cmark_iter_new(parent), cmark_iter_free);
    for (cmark_event_type e; (e = cmark_iter_next(iter.get())) != CMARK_EVENT_DONE;) {
        if (e != CMARK_EVENT_ENTER)
            continue;
        cmark_node* n = cmark_iter_get_node(iter.get());
        switch (cmark_node_get_type(n)) {
        case CMARK_NODE_TEXT:
        case CMARK_NODE_CODE:
            out += literal(n);
            break;
        case CMARK_NODE_SOFTBREAK:
        case CMARK_NODE_LINEBREAK:
            out += QLatin1Char(' ');
            break;
        default:
            break;
        }
    }
    return out.simplified();
}

struct Settings {
    std::optional<pages::TextSize> body, printBody;
    std::optional<int> termWidth;
};

// "<!-- text: 270/330, paper text: 280/370, term width: 1500 -->": settings; "<!-- column -->"
// and its screen and paper forms: column breaks. Returns the breaks, fills settings.
QList<pages::Block> readComment(const QString& html, const QString& file, int line, Settings& settings)
{
    static const QRegularExpression comment(QStringLiteral("^\\s*<!--(.*)-->\\s*$"),
                                            QRegularExpression::DotMatchesEverythingOption);
    const auto m = comment.match(html);
    if (!m.hasMatch())
        failAt(file, line, QStringLiteral("only comments <!-- ... --> may stand between the paragraphs"));
    const QString body = m.captured(1).simplified();
    const QString lower = body.toLower();
    if (lower == QLatin1String("column"))
        return {pages::screenBreak(), pages::printBreak()};
    if (lower == QLatin1String("screen column"))
        return {pages::screenBreak()};
    if (lower == QLatin1String("paper column"))
        return {pages::printBreak()};
    if (!body.contains(QLatin1Char(':')))
        return {}; // a note for whoever edits the page
    for (const QString& part : body.split(QRegularExpression(QStringLiteral("\\s*[,;]\\s*")))) {
        const qsizetype colon = part.indexOf(QLatin1Char(':'));
        const QString key = part.left(colon).trimmed().toLower();
        const QString value = part.mid(colon + 1).trimmed();
        auto sizes = [&]() -> pages::TextSize {
            static const QRegularExpression re(QStringLiteral("^(\\d{1,6})\\s*/\\s*(\\d{1,6})$"));
            const auto s = re.match(value);
            if (!s.hasMatch())
                failAt(file, line, QStringLiteral("write text sizes as \"size/line spacing\" in twips, like 270/330"));
            const int size = s.captured(1).toInt(), spacing = s.captured(2).toInt();
            if (size < minTextSize || size > maxTextSize || spacing < size || spacing > 2 * maxTextSize)
                failAt(file, line, QStringLiteral("a text size is %1 to %2 twips, its line spacing at least the size "
                                                  "and at most %3")
                                       .arg(minTextSize)
                                       .arg(maxTextSize)
                                       .arg(2 * maxTextSize));
            return {size, spacing};
        };
        if (key == QLatin1String("text"))
            settings.body = sizes();
        else if (key == QLatin1String("paper text"))
            settings.printBody = sizes();
        else if (key == QLatin1String("term width")) {
            bool ok = false;
            const int w = value.toInt(&ok);
            if (!ok || w <= 0 || w > pages::printWidth / 2)
                failAt(file, line, QStringLiteral("the term width is a number of twips, at most %1").arg(pages::printWidth / 2));
            settings.termWidth = w;
        } else
            failAt(file, line, QStringLiteral("unknown page setting \"%1\"").arg(key));
    }
    return {};
}

void applySettings(pages::Page& page, const Settings& s)
{
    if (s.body)
        page.body = *s.body;
    if (s.printBody)
        page.printBody = *s.printBody;
    if (s.termWidth)
        page.termWidth = *s.termWidth;
}

} // namespace

QString decodeText(const QByteArray& bytes)
{
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8.decode(bytes);
    if (utf8.hasError())
        text = cp1252::decode(bytes);
    if (text.startsWith(QChar(0xFEFF)))
        text.remove(0, 1);
    return text;
}

QString readText(const QByteArray& bytes, const QString& fileName)
{
    const QString text = decodeText(bytes);
    const QStringList lines = text.split(QRegularExpression(QStringLiteral("\r\n|\r|\n")));
    for (int i = 0; i < lines.size(); ++i)
        if (!cp1252::canEncode(lines[i]))
            failAt(fileName, i + 1, QStringLiteral("this line holds a character that can't be shown (use plain letters)"));
    return text;
}

QList<pages::Page> pagesFromMarkdown(const QString& text, const QString& fileName, PageRole role,
                                     const QString& pageSet,
                                     const std::function<std::optional<QByteArray>(const QString&)>& figureFile)
{
    const QByteArray utf8 = text.toUtf8();
    cmark_node* doc = cmark_parse_document(utf8.constData(), static_cast<size_t>(utf8.size()), CMARK_OPT_DEFAULT);
    std::unique_ptr<cmark_node, void (*)(cmark_node*)> guard(doc, cmark_node_free);

    Settings all, current;
    QList<pages::Page> result;
    pages::Page* page = nullptr;
    auto need = [&](int line) {
        if (!page)
            failAt(fileName, line, QStringLiteral("a page starts with its title: \"# Title\""));
    };

    for (cmark_node* n = cmark_node_first_child(doc); n; n = cmark_node_next(n)) {
        const int line = cmark_node_get_start_line(n);
        switch (cmark_node_get_type(n)) {
        case CMARK_NODE_HTML_BLOCK: {
            Settings& target = page ? current : all;
            const QList<pages::Block> breaks = readComment(literal(n), fileName, line, target);
            if (!breaks.isEmpty()) {
                need(line);
                page->blocks += breaks;
            }
            if (page)
                applySettings(*page, current);
            break;
        }
        case CMARK_NODE_HEADING: {
            const QString words = inlineText(n);
            if (cmark_node_get_heading_level(n) == 1) {
                pages::Page p;
                p.title = words;
                if (role == PageRole::KeyFacts) {
                    p.body = {270, 330};
                    p.printBody = {280, 370};
                    p.screenColumns = factsScreen;
                    p.printColumns = factsPrint;
                } else {
                    p.body = {210, 258};
                    p.printBody = {230, 300};
                    p.screenColumns = notesScreen;
                    p.printColumns = notesPrint;
                }
                current = Settings{};
                applySettings(p, all);
                result << p;
                page = &result.last();
            } else {
                need(line);
                page->blocks << pages::heading(words);
            }
            break;
        }
        case CMARK_NODE_PARAGRAPH: {
            need(line);
            cmark_node* first = cmark_node_first_child(n);
            // A picture on its own.
            if (first && cmark_node_get_type(first) == CMARK_NODE_IMAGE && !cmark_node_next(first)) {
                const QString url = QString::fromUtf8(cmark_node_get_url(first));
                const QString title = QString::fromUtf8(cmark_node_get_title(first));
                static const QRegularExpression heights(QStringLiteral("^\\s*(\\d{1,6})\\s*/\\s*(\\d{1,6})\\s*$"));
                const auto h = heights.match(title);
                if (h.hasMatch() && (h.captured(1).toInt() > pages::screenHeight || h.captured(2).toInt() > pages::printHeight))
                    failAt(fileName, line, QStringLiteral("a picture is at most %1 twips high on the screen and %2 on paper")
                                               .arg(pages::screenHeight)
                                               .arg(pages::printHeight));
                if (!h.hasMatch())
                    failAt(fileName, line, QStringLiteral("give the picture's heights in twips, screen/paper: "
                                                          "![what it shows](%1 \"0/6600\")").arg(url));
                const std::optional<QByteArray> bytes = figureFile(url);
                if (!bytes)
                    failAt(fileName, line, QStringLiteral("the picture \"%1\" is missing").arg(url));
                if (!url.endsWith(QLatin1String(".svg"), Qt::CaseInsensitive))
                    failAt(fileName, line, QStringLiteral("the picture \"%1\" is not an SVG drawing").arg(url));
                checkSvg(*bytes, fileName, line, url);
                cmark_node* alt = cmark_node_first_child(first);
                const char* words = alt ? cmark_node_get_literal(alt) : nullptr;
                const pages::Drawing drawing = svgfigure::drawing(*bytes, words ? QString::fromUtf8(words) : QString());
                page->blocks << pages::figure(drawing, h.captured(1).toInt(), h.captured(2).toInt());
                break;
            }
            // "**Term**: explanation"
            if (first && cmark_node_get_type(first) == CMARK_NODE_STRONG) {
                cmark_node* rest = cmark_node_next(first);
                const QString after = rest && cmark_node_get_type(rest) == CMARK_NODE_TEXT ? literal(rest) : QString();
                if (after.startsWith(QLatin1Char(':'))) {
                    QString detail = inlineText(n);
                    const QString term = inlineText(first);
                    detail = detail.mid(term.size()).trimmed();
                    if (detail.startsWith(QLatin1Char(':')))
                        detail = detail.mid(1).trimmed();
                    page->blocks << pages::term(term, detail);
                    break;
                }
            }
            page->blocks << pages::para(inlineText(n));
            break;
        }
        case CMARK_NODE_LIST:
            need(line);
            for (cmark_node* item = cmark_node_first_child(n); item; item = cmark_node_next(item))
                for (cmark_node* c = cmark_node_first_child(item); c; c = cmark_node_next(c)) {
                    if (cmark_node_get_type(c) != CMARK_NODE_PARAGRAPH)
                        failAt(fileName, cmark_node_get_start_line(c),
                               QStringLiteral("a list item holds plain text only"));
                    page->blocks << pages::bullet(inlineText(c));
                }
            break;
        default:
            failAt(fileName, line, QStringLiteral("pages hold titles, headings, paragraphs, lists, pictures and "
                                                  "comments only"));
        }
    }
    if (result.isEmpty())
        failAt(fileName, 0, QStringLiteral("the file has no page: start one with \"# Title\""));
    if (result.size() > 3)
        failAt(fileName, 0, QStringLiteral("a page set has at most three pages"));
    for (int i = 0; i < result.size(); ++i)
        result[i].name = result.size() == 1 ? pageSet : pageSet + QLatin1Char(static_cast<char>('a' + i));
    return result;
}

// ---------------------------------------------------------------- topics

namespace {

class TopicFolder {
public:
    TopicFolder(const QString& path, const QString& shownPath) : path_(path), shown_(shownPath) {}
    QString shown(const QString& name) const { return shown_ + QLatin1Char('/') + name; }
    // nullopt when missing; a file that is no plain file, can't be read or is far larger
    // than any topic file stops the build.
    std::optional<QByteArray> bytes(const QString& name) const
    {
        const QString path = path_ + QLatin1Char('/') + name;
        if (name.contains(QLatin1Char('/')) || name.contains(QLatin1Char('\\')) || !QFileInfo::exists(path))
            return std::nullopt;
        QFile f(path);
        if (!QFileInfo(path).isFile() || !f.open(QIODevice::ReadOnly))
            failAt(shown(name), 0, QStringLiteral("this is not a file Corvana can read"));
        // Read no more than the limit: a device or a growing file reports no true size.
        const QByteArray b = f.read(maxPictureBytes + 1);
        if (b.size() > maxPictureBytes)
            failAt(shown(name), 0, QStringLiteral("this file is larger than the %1 KB a topic file may be")
                                       .arg(maxPictureBytes / 1024));
        return b;
    }
    std::optional<QString> text(const QString& name) const
    {
        const auto b = bytes(name);
        if (!b)
            return std::nullopt;
        return readText(*b, shown(name));
    }
    QStringList svgFiles() const
    {
        return QDir(path_).entryList({QStringLiteral("*.svg"), QStringLiteral("*.SVG")}, QDir::Files, QDir::Name);
    }

private:
    QString path_, shown_;
};

QByteArray crlf(const QString& text)
{
    QString t = text;
    t.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    t.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    if (!t.endsWith(QLatin1Char('\n')))
        t += QLatin1Char('\n');
    t.replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
    return cp1252::encode(t);
}

// The question set's lines, checked one by one so that a mistake is named by its line.
QByteArray checkedQuestions(const QString& text, const QString& file, const QString& title)
{
    QStringList lines = text.split(QRegularExpression(QStringLiteral("\r\n|\r|\n")));
    while (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    if (lines.size() < 72)
        failAt(file, lines.size() + 1, QStringLiteral("the file ends early: a question set has 72 lines "
                                                      "(the title, then ten questions of seven lines)"));
    if (lines.size() > 72)
        failAt(file, 73, QStringLiteral("a question set has 72 lines; this one goes on"));
    for (int i = 0; i < 72; ++i) {
        const int n = i + 1;
        const QString& l = lines[i];
        const bool separator = n == 2 || (n >= 9 && (n - 9) % 7 == 0);
        const bool digit = n >= 8 && (n - 8) % 7 == 0;
        if (separator) {
            if (!l.trimmed().isEmpty())
                failAt(file, n, QStringLiteral("this line parts two questions: it holds one space"));
        } else if (digit) {
            if (l.trimmed().size() != 1 || l.trimmed() < QLatin1String("1") || l.trimmed() > QLatin1String("4"))
                failAt(file, n, QStringLiteral("the right answer is a number from 1 to 4, not \"%1\"").arg(l));
        } else {
            if (l.trimmed().isEmpty())
                failAt(file, n, QStringLiteral("this text is missing"));
            if (l.contains(QLatin1Char(',')))
                failAt(file, n, QStringLiteral("a comma ends the text early: write it as \"&\""));
            if (l.trimmed().startsWith(QLatin1Char('"')))
                failAt(file, n, QStringLiteral("a text can't start with a double quote"));
        }
    }
    if (lines[0].trimmed().replace(QLatin1Char('&'), QLatin1Char(',')) != title)
        failAt(file, 1, QStringLiteral("the question set's title must be the topic's title, \"%1\"").arg(title));
    const QByteArray bytes = crlf(lines.join(QLatin1Char('\n')));
    // The program's own loader must read it back whole.
    QuestionSet set;
    try {
        TextInput input(bytes);
        loadquestions(input, set);
    } catch (const std::exception&) {
        failAt(file, 0, QStringLiteral("the question set cannot be read"));
    }
    return bytes;
}

// A pointer line must end on the part it names: the end point lies on a painted pixel of
// that element of the SVG picture.
void checkLineTargets(const activity::ActivityFile& a, const QByteArray& svgBytes, const QString& file)
{
    QSvgRenderer svg(svgBytes);
    const QSize size = svg.defaultSize();
    const QRectF view = svg.viewBoxF();
    if (size.isEmpty() || view.isEmpty())
        failAt(file, a.pictureLine, QStringLiteral("the picture needs a width, a height and a viewBox"));
    for (const activity::LineRow& line : a.layout.lines) {
        const auto t = std::find_if(a.lineTargets.begin(), a.lineTargets.end(),
                                    [&](const activity::LineTarget& lt) { return lt.lineIndex == line.index; });
        if (t == a.lineTargets.end())
            failAt(file, a.pictureLine, QStringLiteral("pointer line %1 does not say which part it points to "
                                                       "(\"| to PART\")").arg(line.index));
        if (!svg.elementExists(t->partId))
            failAt(file, t->fileLine, QStringLiteral("the picture has no part with id \"%1\"").arg(t->partId));
        // The part alone, drawn where it lies in the whole picture.
        constexpr int zoom = 2;
        QImage image(size * zoom, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        const QTransform toImage = QTransform::fromScale(size.width() * zoom / view.width(), size.height() * zoom / view.height())
                                       .translate(-view.x(), -view.y());
        const QRectF bounds = svg.transformForElement(t->partId).mapRect(svg.boundsOnElement(t->partId));
        {
            QPainter p(&image);
            svg.render(&p, t->partId, toImage.mapRect(bounds));
        }
        const QPointF end((line.to.x() - a.layout.pictureTopLeft.x()) / 15.0 * zoom,
                          (line.to.y() - a.layout.pictureTopLeft.y()) / 15.0 * zoom);
        const QPoint px = end.toPoint();
        if (!image.rect().contains(px) || qAlpha(image.pixel(px)) < 64)
            failAt(file, t->fileLine, QStringLiteral("pointer line %1 ends at %2, %3, which is not on \"%4\"")
                                          .arg(line.index)
                                          .arg(line.to.x())
                                          .arg(line.to.y())
                                          .arg(t->partId));
    }
}

constexpr int maxPictures = 60;

QString topicMedia(const QString& folder, const QString& path)
{
    const QString prefix = QStringLiteral("topics\\") + folder + QLatin1Char('\\');
    return path.startsWith(prefix) ? path.mid(prefix.size()) : QString();
}

void checkPicture(const TopicFolder& source, const QString& folder, const QString& path, const QString& file)
{
    if (path.isEmpty())
        return;
    const QString local = topicMedia(folder, path);
    if (!local.isEmpty() && !source.bytes(local))
        failAt(file, 0, QStringLiteral("the picture \"%1\" is missing").arg(local));
}

} // namespace

namespace {

// Runs one step of a topic's build; a mistake it meets is added to the list and the next step
// still runs, so a teacher sees every broken file at once. Nothing a file holds stops the program.
template <class Step>
void attempt(QList<ContentError>& mistakes, const QString& file, Step&& step)
{
    try {
        step();
    } catch (const ContentFailure& e) {
        mistakes << e.error;
    } catch (const std::bad_alloc&) {
        mistakes << ContentError{file, 0, QStringLiteral("this file is too large or too complicated to read")};
    } catch (const std::exception& e) {
        mistakes << ContentError{file, 0, QString::fromStdString(e.what())};
    } catch (...) {
        mistakes << ContentError{file, 0, QStringLiteral("this file cannot be read")};
    }
}

// topic.txt read and parsed with the files it names.
std::optional<TopicFile> parseTopic(const TopicFolder& source, const QString& folder, QString& topicText,
                                    QList<ContentError>& mistakes)
{
    const QString topicName = source.shown(QStringLiteral("topic.txt"));
    std::optional<TopicFile> result;
    attempt(mistakes, topicName, [&] {
        const auto readTopic = source.text(QStringLiteral("topic.txt"));
        if (!readTopic)
            failAt(topicName, 0, QStringLiteral("this is not a file Corvana can read"));
        topicText = *readTopic;
        std::optional<ContentError> error;
        result = topics::parseTopicFile(topicText, topicName, folder,
                                        [&](const QString& name) { return source.text(name); }, error);
        if (!result)
            throw ContentFailure(error ? *error : ContentError{topicName, 0, QStringLiteral("cannot be read")});
    });
    return result;
}

// Checks and writes every built file of a parsed topic; each mistake is added to the list.
void writeTopic(const TopicFile& topic, const TopicFolder& source, const QString& folder, const QString& topicText,
                const WriteFile& write, TopicBuild& out)
{
    QList<ContentError>& mistakes = out.mistakes;
    const QString topicName = source.shown(QStringLiteral("topic.txt"));
    const QString title = topic.hub.title;
    const QString media = QStringLiteral("topics/") + folder + QLatin1Char('/');

    // Pictures of the topic's own folder.
    const QStringList svgNames = source.svgFiles();
    if (svgNames.size() > maxPictures)
        mistakes << ContentError{source.shown(svgNames[maxPictures]), 0,
                                 QStringLiteral("a topic folder holds at most %1 pictures").arg(maxPictures)};
    for (const QString& svgName : svgNames.mid(0, maxPictures))
        attempt(mistakes, source.shown(svgName), [&] {
            const auto bytes = source.bytes(svgName);
            if (!bytes)
                failAt(source.shown(svgName), 0, QStringLiteral("this is not a file Corvana can read"));
            checkSvg(*bytes, source.shown(svgName), 0, QString());
            int svgLine = 0;
            if (svgfigure::title(*bytes, &svgLine).isEmpty())
                failAt(source.shown(svgName), svgLine,
                       QStringLiteral("give the picture a <title> saying what it shows: screen readers read it out"));
            write(media + svgName, *bytes);
        });
    attempt(mistakes, topicName, [&] {
        checkPicture(source, folder, topic.hub.picture, topicName);
        checkPicture(source, folder, topic.hub.quizPicture, topicName);
    });

    // The question set, under the name the hub reads.
    const QString questionsName = source.shown(topic.questionsFile);
    attempt(mistakes, questionsName, [&] {
        const auto questions = source.text(topic.questionsFile);
        if (!questions)
            failAt(topicName, 0, QStringLiteral("the question set \"%1\" is missing").arg(topic.questionsFile));
        write(QStringLiteral("multiple/%1.txt").arg(title), checkedQuestions(*questions, questionsName, title));
    });

    // Pages.
    int pageCounts[2] = {1, 1};
    const struct {
        PageRole role;
        QString file;
        const HubPages& pages;
    } sets[2] = {{PageRole::KeyFacts, topic.keyFactsFile, topic.hub.keyFacts},
                 {PageRole::Notes, topic.notesFile, topic.hub.teachersNotes}};
    for (int s = 0; s < 2; ++s) {
        const QString shownFile = source.shown(sets[s].file);
        attempt(mistakes, shownFile, [&] {
            const auto text = source.text(sets[s].file);
            if (!text)
                failAt(topicName, 0, QStringLiteral("the page file \"%1\" is missing").arg(sets[s].file));
            const QList<pages::Page> pageList =
                pagesFromMarkdown(*text, shownFile, sets[s].role, sets[s].pages.pageSet,
                                  [&](const QString& name) { return source.bytes(name); });
            pageCounts[s] = static_cast<int>(pageList.size());
            for (const pages::Page& page : pageList) {
                try {
                    QList<spoken::Sentence> words;
                    write(QStringLiteral("wmf\\") + page.name + QStringLiteral(".wmf"),
                          pages::render(page, pages::Copy::Screen, &words));
                    write(QStringLiteral("wmf\\") + page.name + QStringLiteral(".txt"), spoken::write(words));
                    write(QStringLiteral("wmf2\\") + page.name + QStringLiteral(".wmf"),
                          pages::render(page, pages::Copy::Print));
                } catch (const ContentFailure&) {
                    throw;
                } catch (const std::exception& e) {
                    failAt(shownFile, 0, QString::fromStdString(e.what()));
                }
            }
        });
    }

    // Activities: their pictures and pointer lines.
    for (const TopicActivity& a : topic.activities) {
        const QString file = source.shown(a.fileName);
        attempt(mistakes, file, [&] {
            checkPicture(source, folder, a.file.layout.picture, file);
            const QString local = topicMedia(folder, a.file.layout.picture);
            if (local.endsWith(QLatin1String(".svg"), Qt::CaseInsensitive))
                if (const auto svg = source.bytes(local))
                    checkLineTargets(a.file, *svg, file);
            for (const ContentError& w : a.file.warnings)
                out.warnings << w;
            write(media + a.fileName, crlf(*source.text(a.fileName)));
        });
    }
    if (!mistakes.isEmpty())
        return;

    // The description as the program reads it, with what the build worked out.
    attempt(mistakes, topicName, [&] {
        QString installed = topicText;
        if (!installed.endsWith(QLatin1Char('\n')))
            installed += QLatin1Char('\n');
        installed += QStringLiteral("\n# Worked out by the build:\nkey facts page count: %1\nteacher's notes page count: %2\n")
                         .arg(pageCounts[0])
                         .arg(pageCounts[1]);
        write(media + QStringLiteral("topic.txt"), crlf(installed));
    });
}

} // namespace

TopicBuild readTopic(const QString& folderPath, const QString& folderName, const QString& shownDir)
{
    TopicBuild out;
    const TopicFolder source(folderPath, shownDir);
    QString text;
    out.topic = parseTopic(source, folderName, text, out.mistakes);
    return out;
}

TopicBuild buildTopic(const QString& folderPath, const QString& folderName, const QString& shownDir,
                      const WriteFile& write)
{
    TopicBuild out;
    const TopicFolder source(folderPath, shownDir);
    QString text;
    out.topic = parseTopic(source, folderName, text, out.mistakes);
    if (out.topic)
        attempt(out.mistakes, source.shown(QStringLiteral("topic.txt")),
                [&] { writeTopic(*out.topic, source, folderName, text, write, out); });
    return out;
}

void build(const QString& contentRoot, const WriteFile& write, const QStringList& only)
{
    const QDir root(contentRoot);
    QStringList folders = root.entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name);
    std::vector<TopicFile> topicsSoFar;
    QStringList built;
    for (const QString& folder : folders) {
        if (!QFileInfo::exists(root.filePath(folder + QStringLiteral("/topic.txt"))))
            continue;
        const QString shownDir = QStringLiteral("content/") + folder;
        TopicBuild read = readTopic(root.filePath(folder), folder, shownDir);
        if (!read.mistakes.isEmpty())
            throw ContentFailure(read.mistakes.first());
        const TopicFile& topic = *read.topic;
        for (const TopicFile& other : topicsSoFar)
            if (const QString why = topics::clash(other, topic); !why.isEmpty())
                failAt(shownDir + QStringLiteral("/topic.txt"), topic.menuEntryLine, why);
        topicsSoFar.push_back(topic);
        if (!only.isEmpty() && !only.contains(folder))
            continue;
        const TopicBuild result = buildTopic(root.filePath(folder), folder, shownDir, write);
        for (const ContentError& w : result.warnings)
            std::fprintf(stderr, "warning: %s\n", qPrintable(w.toString()));
        // The shipped content must be whole: every mistake is listed, the first one stops the build.
        for (const ContentError& e : result.mistakes.mid(1))
            std::fprintf(stderr, "%s\n", qPrintable(e.toString()));
        if (!result.mistakes.isEmpty())
            throw ContentFailure(result.mistakes.first());
        built << folder;
    }
    if (only.isEmpty())
        write(QStringLiteral("topics/index.txt"), crlf(built.join(QLatin1Char('\n'))));
}

} // namespace contentbuild

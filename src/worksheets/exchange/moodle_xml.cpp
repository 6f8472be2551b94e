// Moodle XML: <quiz> holding <question type="...">, each with <name>, <questiontext> and, for
// multiple choice, <answer fraction="100"> elements; a question of type "category" names the
// category of those after it. Texts are HTML unless their format says otherwise.
#include "choice_rules.h"
#include "question_exchange.h"

#include <QXmlStreamReader>
#include <QXmlStreamWriter>

#include <memory>
#include <vector>

namespace exchange {
namespace {

// One element of a question, read whole: a question is small, and its parts come in any order.
struct Node {
    QString name;
    QXmlStreamAttributes attributes;
    QString text; // the element's own character data
    std::vector<std::unique_ptr<Node>> children;
    int line = 0;

    const Node* child(const QString& n) const
    {
        for (const auto& c : children)
            if (c->name == n)
                return c.get();
        return nullptr;
    }
    QString childText(const QString& n) const
    {
        const Node* c = child(n);
        return c ? c->text : QString();
    }
    QString attribute(const QString& n) const { return attributes.value(n).toString(); }
};

constexpr int deepest = 32;

// Reads the element the reader stands on, to its end. False on a damaged document.
bool readNode(QXmlStreamReader& xml, Node& node, int depth)
{
    node.name = xml.name().toString();
    node.attributes = xml.attributes();
    node.line = static_cast<int>(xml.lineNumber());
    while (!xml.atEnd()) {
        switch (xml.readNext()) {
        case QXmlStreamReader::StartElement: {
            if (depth >= deepest) {
                xml.raiseError(QStringLiteral("elements are nested too deeply"));
                return false;
            }
            auto c = std::make_unique<Node>();
            if (!readNode(xml, *c, depth + 1))
                return false;
            node.children.push_back(std::move(c));
            break;
        }
        case QXmlStreamReader::Characters:
            node.text += xml.text();
            break;
        case QXmlStreamReader::EndElement:
            return true;
        default:
            break;
        }
    }
    return false;
}

// A text element (<questiontext>, <answer>...) as plain text.
QString textOf(const Node& holder, ImportResult& r, int line)
{
    const QString format = holder.attribute(QStringLiteral("format"));
    const QString raw = holder.childText(QStringLiteral("text"));
    if (holder.child(QStringLiteral("file")))
        r.skip(QStringLiteral("Formatting and pictures"), line);
    if (format == QLatin1String("html") || format.isEmpty()) {
        bool dropped = false;
        const QString t = htmlToText(raw, &dropped);
        if (dropped)
            r.skip(QStringLiteral("Formatting and pictures"), line);
        return t;
    }
    return raw.trimmed();
}

QString typeName(const QString& type)
{
    static const QList<QPair<QString, QString>> names = {
        {QStringLiteral("truefalse"), QStringLiteral("a true/false question")},
        {QStringLiteral("shortanswer"), QStringLiteral("a short-answer question")},
        {QStringLiteral("numerical"), QStringLiteral("a numerical question")},
        {QStringLiteral("matching"), QStringLiteral("a matching question")},
        {QStringLiteral("essay"), QStringLiteral("an essay question")},
        {QStringLiteral("description"), QStringLiteral("a description, not a question")},
        {QStringLiteral("cloze"), QStringLiteral("an embedded-answers (cloze) question")},
        {QStringLiteral("multianswer"), QStringLiteral("an embedded-answers (cloze) question")},
        {QStringLiteral("calculated"), QStringLiteral("a calculated question")},
    };
    for (const auto& n : names)
        if (n.first == type)
            return QStringLiteral("it is ") + n.second;
    return QStringLiteral("it is a question of the type \"%1\"").arg(type);
}

void question(const Node& q, ImportResult& r)
{
    const QString type = q.attribute(QStringLiteral("type"));
    const int line = q.line;
    if (type == QLatin1String("category")) {
        const Node* category = q.child(QStringLiteral("category"));
        const QString path = category ? category->childText(QStringLiteral("text")).trimmed() : QString();
        const QString last = path.section(QLatin1Char('/'), -1).trimmed();
        if (!last.isEmpty() && !last.startsWith(QLatin1Char('$')))
            r.suggestedTitle = last;
        r.skip(QStringLiteral("Categories"), line);
        return;
    }
    const Node* nameNode = q.child(QStringLiteral("name"));
    const QString name = nameNode ? nameNode->childText(QStringLiteral("text")).trimmed() : QString();
    if (!name.isEmpty())
        r.skip(QStringLiteral("Question names"), line);
    const Node* textNode = q.child(QStringLiteral("questiontext"));
    const QString text = textNode ? textOf(*textNode, r, line) : QString();
    const QString shown = text.isEmpty() ? name : text;
    if (type != QLatin1String("multichoice")) {
        r.leftOut << LeftOut{line, shown, typeName(type)};
        return;
    }
    QList<MarkedAnswer> answers;
    for (const auto& c : q.children) {
        if (c->name == QLatin1String("answer")) {
            MarkedAnswer a;
            a.percent = c->attribute(QStringLiteral("fraction")).toDouble();
            a.text = textOf(*c, r, c->line);
            if (const Node* f = c->child(QStringLiteral("feedback")); f && !f->childText(QStringLiteral("text")).trimmed().isEmpty())
                r.skip(QStringLiteral("Feedback"), c->line);
            answers << a;
        } else if (c->name.endsWith(QLatin1String("feedback")) && !c->childText(QStringLiteral("text")).trimmed().isEmpty()) {
            r.skip(QStringLiteral("Feedback"), c->line);
        }
    }
    judgeChoices(r, line, text, answers);
}

QString lineError(const QXmlStreamReader& xml)
{
    QString what = xml.errorString();
    if (!what.endsWith(QLatin1Char('.')))
        what += QLatin1Char('.');
    return QStringLiteral("Line %1: %2").arg(xml.lineNumber()).arg(what);
}

} // namespace

ImportResult readMoodleXml(const QByteArray& bytes)
{
    ImportResult r;
    QXmlStreamReader xml(bytes);
    bool root = false;
    while (!xml.atEnd()) {
        const auto token = xml.readNext();
        if (token == QXmlStreamReader::DTD || token == QXmlStreamReader::EntityReference) {
            xml.raiseError(QStringLiteral("a question file has no document type or entities of its own"));
            break;
        }
        if (token != QXmlStreamReader::StartElement)
            continue;
        if (!root) {
            if (xml.name() != QLatin1String("quiz")) {
                r.error = QStringLiteral("Line %1: this is not a Moodle XML question file (it does not start with <quiz>).")
                              .arg(xml.lineNumber());
                return r;
            }
            root = true;
            continue;
        }
        Node node;
        if (!readNode(xml, node, 0))
            break;
        if (node.name == QLatin1String("question"))
            question(node, r);
    }
    // A file that never reached <quiz> is another kind of file, whatever else is wrong with it;
    // the reader's own refusals (a document type) say so themselves.
    if (xml.hasError() && (root || xml.error() == QXmlStreamReader::CustomError))
        r.refuse(lineError(xml));
    else if (!root && r.ok())
        r.refuse(QStringLiteral("Line %1: this is not a Moodle XML question file (it has no <quiz>).")
                     .arg(std::max<qint64>(1, xml.lineNumber())));
    return r;
}

namespace {

void textElement(QXmlStreamWriter& xml, const QString& element, const QString& text, bool plain = true)
{
    xml.writeStartElement(element);
    if (plain)
        xml.writeAttribute(QStringLiteral("format"), QStringLiteral("plain_text"));
    xml.writeTextElement(QStringLiteral("text"), text);
    xml.writeEndElement();
}

} // namespace

QByteArray writeMoodleXml(const QuestionSet& set)
{
    QByteArray out;
    QXmlStreamWriter xml(&out);
    xml.setAutoFormatting(true);
    xml.writeStartDocument();
    xml.writeStartElement(QStringLiteral("quiz"));

    xml.writeStartElement(QStringLiteral("question"));
    xml.writeAttribute(QStringLiteral("type"), QStringLiteral("category"));
    xml.writeStartElement(QStringLiteral("category"));
    xml.writeTextElement(QStringLiteral("text"), QStringLiteral("$course$/top/") + set.title);
    xml.writeEndElement();
    xml.writeEndElement();

    for (int q = 1; q <= 10; ++q) {
        const Question& question = set.question(q);
        const int correct = correctOption(question);
        xml.writeStartElement(QStringLiteral("question"));
        xml.writeAttribute(QStringLiteral("type"), QStringLiteral("multichoice"));
        textElement(xml, QStringLiteral("name"), QStringLiteral("%1 %2").arg(set.title).arg(q), false);
        textElement(xml, QStringLiteral("questiontext"), question.text);
        xml.writeTextElement(QStringLiteral("defaultgrade"), QStringLiteral("1"));
        xml.writeTextElement(QStringLiteral("single"), QStringLiteral("true"));
        xml.writeTextElement(QStringLiteral("shuffleanswers"), QStringLiteral("false"));
        xml.writeTextElement(QStringLiteral("answernumbering"), QStringLiteral("ABCD"));
        for (int k = 1; k <= 4; ++k) {
            xml.writeStartElement(QStringLiteral("answer"));
            xml.writeAttribute(QStringLiteral("fraction"), k == correct ? QStringLiteral("100") : QStringLiteral("0"));
            xml.writeAttribute(QStringLiteral("format"), QStringLiteral("plain_text"));
            xml.writeTextElement(QStringLiteral("text"), question.options[k]);
            xml.writeEndElement();
        }
        xml.writeEndElement();
    }
    xml.writeEndElement();
    xml.writeEndDocument();
    return out;
}

} // namespace exchange

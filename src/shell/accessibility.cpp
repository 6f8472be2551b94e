#include "accessibility.h"

#include "platform/pictures.h"

#include <QAccessibleWidget>
#include <QWidget>

namespace {

class ItemAccessible : public QAccessibleWidget {
public:
    ItemAccessible(QWidget* w, AccessibleItem* item) : QAccessibleWidget(w, item->readerRole()), item_(item) {}

    QAccessible::Role role() const override { return item_->readerRole(); }

    QString text(QAccessible::Text t) const override
    {
        switch (t) {
        case QAccessible::Name:
            return item_->readerName();
        case QAccessible::Description:
            return item_->readerDescription();
        default:
            return QAccessibleWidget::text(t);
        }
    }

    QAccessible::State state() const override
    {
        QAccessible::State s = QAccessibleWidget::state();
        item_->readerState(s);
        return s;
    }

    QStringList actionNames() const override
    {
        QStringList names = QAccessibleWidget::actionNames();
        if (item_->readerPressable())
            names.prepend(pressAction());
        return names;
    }

    void doAction(const QString& name) override
    {
        if (name == pressAction() && item_->readerPressable())
            item_->readerPress();
        else
            QAccessibleWidget::doAction(name);
    }

private:
    AccessibleItem* item_;
};

const char* const hiddenProperty = "corvanaHiddenFromReaders";

// A screen's window: named by the screen's title, and without the items that are never shown.
class WindowAccessible : public QAccessibleWidget {
public:
    WindowAccessible(QWidget* w, AccessibleWindow* window) : QAccessibleWidget(w, QAccessible::Window), window_(window) {}

    QString text(QAccessible::Text t) const override
    {
        if (t == QAccessible::Name)
            return window_->readerTitle();
        return QAccessibleWidget::text(t);
    }

    int childCount() const override { return int(children().size()); }

    QAccessibleInterface* child(int index) const override
    {
        const QList<QWidget*> c = children();
        return index >= 0 && index < c.size() ? QAccessible::queryAccessibleInterface(c.at(index)) : nullptr;
    }

    int indexOfChild(const QAccessibleInterface* child) const override
    {
        if (!child || !child->object())
            return -1;
        return int(children().indexOf(qobject_cast<QWidget*>(child->object())));
    }

private:
    QList<QWidget*> children() const
    {
        QList<QWidget*> out;
        for (QObject* o : widget()->children()) {
            auto* w = qobject_cast<QWidget*>(o);
            if (w && !w->isWindow() && !isHiddenFromReaders(w))
                out << w;
        }
        return out;
    }

    AccessibleWindow* window_;
};

QAccessibleInterface* itemFactory(const QString&, QObject* object)
{
    if (!object || !object->isWidgetType())
        return nullptr;
    if (auto* item = dynamic_cast<AccessibleItem*>(object))
        return new ItemAccessible(static_cast<QWidget*>(object), item);
    if (auto* window = dynamic_cast<AccessibleWindow*>(object); window && static_cast<QWidget*>(object)->isWindow())
        return new WindowAccessible(static_cast<QWidget*>(object), window);
    return nullptr;
}

struct Description {
    const char* stem; // the start of the relative path, lower case, with '\'
    const char* words;
};

// The program's pictures, by the folder or file they come from.
const Description descriptions[] = {
    {"brainsm\\", "A brain, with signals racing across it"},
    {"skull\\", "A skull that looks around and laughs"},
    {"logo\\talvory2", "The Talvory Publishing logo"},
    {"logo\\", "The Talvory Publishing logo, turning"},
    {"images\\vitruvius2sm", "A small drawing of a person standing in a circle"},
    {"images\\vitruvius2", "A drawing of a person standing in a circle and a square, arms and legs stretched out"},
    {"images\\skullsm2", "A small drawing of a skull"},
    {"images\\skeleton", "A skeleton, with lines pointing to some of its bones"},
    {"images\\partsofthebody2", "A child, with lines pointing to parts of the body"},
};

} // namespace

void hideFromReaders(QWidget* w) { w->setProperty(hiddenProperty, true); }

bool isHiddenFromReaders(const QObject* o) { return o && o->property(hiddenProperty).toBool(); }

void installAccessibility()
{
    static bool installed = false;
    if (installed)
        return;
    installed = true;
    QAccessible::installFactory(itemFactory);
}

QString describePicture(const QString& source, const Picture& picture)
{
    if (picture.isNull() && source.isEmpty())
        return {};
    QString path = source.toLower();
    path.replace(QLatin1Char('/'), QLatin1Char('\\'));
    if (const QString title = picture.title(); !title.isEmpty())
        return title;
    if (const QString words = picture.words().trimmed(); !words.isEmpty()) {
        // A page: read by its first line, its heading.
        return QStringLiteral("Page: ") + words.section(QLatin1Char('\n'), 0, 0).trimmed();
    }
    for (const Description& d : descriptions)
        if (path.startsWith(QLatin1String(d.stem)))
            return QString::fromLatin1(d.words);
    // Otherwise the file's own name says what it is: "heart-small.svg" is "Picture: heart small".
    QString stem = path.section(QLatin1Char('\\'), -1).section(QLatin1Char('.'), 0, 0);
    stem.replace(QLatin1Char('-'), QLatin1Char(' ')).replace(QLatin1Char('_'), QLatin1Char(' '));
    return stem.isEmpty() ? QStringLiteral("A picture") : QStringLiteral("Picture: ") + stem;
}

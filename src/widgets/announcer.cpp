#include "widgets/announcer.h"

#include "widgets/accessible_factory.h"

#include <QAccessible>
#include <QAccessibleWidget>

namespace bw {

namespace {

// On the accessibility bus a notification whose name is what it says.
class AnnouncerAccessible : public QAccessibleWidget {
public:
    explicit AnnouncerAccessible(Announcer *announcer)
        : QAccessibleWidget(announcer, QAccessible::Notification)
    {
    }

    QString text(QAccessible::Text type) const override
    {
        return type == QAccessible::Name ? static_cast<Announcer *>(widget())->said() : QString();
    }

    QList<QPair<QAccessibleInterface *, QAccessible::Relation>> relations(QAccessible::Relation) const override
    {
        return {};
    }
};

} // namespace

Announcer::Announcer(QWidget *window)
    : QWidget(window)
{
    provideAccessible("bw::Announcer", [](QWidget *widget) -> QAccessibleInterface * {
        return new AnnouncerAccessible(static_cast<Announcer *>(widget));
    });
    setObjectName(QStringLiteral("announcer"));
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setFocusPolicy(Qt::NoFocus);
    setGeometry(0, 0, 0, 0);
}

void Announcer::say(const QString &text)
{
    said_ = text;
    if (text.isEmpty())
        return;
    // Readers speak a notification as it appears.
    QAccessibleEvent name(this, QAccessible::NameChanged);
    QAccessible::updateAccessibility(&name);
    QAccessibleEvent shown(this, QAccessible::ObjectShow);
    QAccessible::updateAccessibility(&shown);
    emit announced();
}

} // namespace bw

#include "WholeCaptions.h"

#include "platform/ui/CaptionFit.h"
#include "platform/ui/Form.h"

#include <QAbstractScrollArea>
#include <QApplication>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>

namespace testing_support {

namespace {

QString sizeText(QSize size)
{
    return QStringLiteral("%1x%2").arg(size.width()).arg(size.height());
}

// The controls of the form as shown now, except Qt's inner parts of a control (a tab bar's scroll
// buttons, a scroll area's viewport), which are the control's business; a tab control's tab bar
// shows captions and counts.
void addNotShownWhole(QStringList& found, const QWidget* form, const QStringList& exceptions)
{
    for (const QWidget* control : form->findChildren<QWidget*>()) {
        const QString name = control->objectName();
        if (!control->isVisibleTo(form) || exceptions.contains(name) ||
            (name.startsWith(QStringLiteral("qt_")) && !qobject_cast<const QTabBar*>(control)))
            continue;
        if (const ui::CaptionFit fit = ui::captionFit(control); !fit.fits())
            found << QStringLiteral("%1 \"%2\": needs %3 in %4").arg(name, fit.text, sizeText(fit.needed), sizeText(fit.room));
        const QWidget* holder = control->parentWidget();
        const auto* area = qobject_cast<const QAbstractScrollArea*>(holder ? holder->parentWidget() : nullptr);
        if (name.isEmpty() || (area && area->viewport() == holder) || (holder->isWindow() && holder != form) ||
            holder->rect().contains(control->geometry()))
            continue;
        found << QStringLiteral("%1: at %2,%3 size %4 outside %5 of %6")
                     .arg(name)
                     .arg(control->x())
                     .arg(control->y())
                     .arg(sizeText(control->size()), sizeText(holder->size()), holder->objectName());
    }
}

} // namespace

QStringList notShownWhole(const QList<QWidget*>& forms, const QStringList& exceptions)
{
    QStringList found;
    for (QWidget* form : forms) {
        auto* loadable = dynamic_cast<ui::Form*>(form);
        const bool ours = loadable && !ui::isLoaded(*loadable);
        if (ours)
            ui::show(*loadable);
        QApplication::processEvents();
        addNotShownWhole(found, form, exceptions);
        for (QTabWidget* tabs : form->findChildren<QTabWidget*>()) {
            for (int tab = 0; tab < tabs->count(); ++tab) {
                QTest::mouseClick(tabs->tabBar(), Qt::LeftButton, {}, tabs->tabBar()->tabRect(tab).center());
                if (tabs->currentIndex() != tab)
                    found << QStringLiteral("%1: tab %2 cannot be chosen").arg(tabs->objectName()).arg(tab);
                addNotShownWhole(found, form, exceptions);
            }
        }
        auto* next = form->findChild<QPushButton*>(QStringLiteral("cmdNext"));
        while (next && next->isVisible() && next->isEnabled()) {
            next->click();
            QApplication::processEvents();
            addNotShownWhole(found, form, exceptions);
        }
        if (ours)
            ui::unload(*loadable);
    }
    found.removeDuplicates();
    return found;
}

} // namespace testing_support

#include "WholeCaptions.h"

#include "platform/ui/CaptionFit.h"
#include "platform/ui/Form.h"

#include <QAbstractScrollArea>
#include <QApplication>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>
#include <QWidget>

namespace testing_support {

namespace {

QString sizeText(QSize size)
{
    return QStringLiteral("%1x%2").arg(size.width()).arg(size.height());
}

// Qt's inner parts of a control (a tab bar's scroll buttons, a scroll area's viewport) are
// the control's business, except the tab bar of a tab control, which shows captions.
bool isInnerPart(const QWidget* widget)
{
    return widget->objectName().startsWith(QStringLiteral("qt_")) && !qobject_cast<const QTabBar*>(widget);
}

bool isScrolled(const QWidget* widget)
{
    const auto* area = qobject_cast<const QAbstractScrollArea*>(
        widget->parentWidget() ? widget->parentWidget()->parentWidget() : nullptr);
    return area && area->viewport() == widget->parentWidget();
}

} // namespace

QStringList notShownWhole(const QWidget* form, const QStringList& exceptions)
{
    QStringList found;
    for (const QWidget* control : form->findChildren<QWidget*>()) {
        const QString name = control->objectName();
        if (!control->isVisibleTo(form) || isInnerPart(control) || exceptions.contains(name))
            continue;
        if (const ui::CaptionFit fit = ui::captionFit(control); !fit.fits())
            found << QStringLiteral("%1 \"%2\": needs %3 in %4")
                         .arg(name, fit.text, sizeText(fit.needed), sizeText(fit.room));
        const QWidget* holder = control->parentWidget();
        if (name.isEmpty() || !holder || isScrolled(control) || (holder->isWindow() && holder != form))
            continue;
        if (!holder->rect().contains(control->geometry()))
            found << QStringLiteral("%1: at %2,%3 size %4 outside %5 of %6")
                         .arg(name)
                         .arg(control->x())
                         .arg(control->y())
                         .arg(sizeText(control->size()), sizeText(holder->size()), holder->objectName());
    }
    return found;
}

QStringList notShownWholeOnEveryTab(QWidget* form)
{
    QStringList found = notShownWhole(form);
    for (QTabWidget* tabs : form->findChildren<QTabWidget*>()) {
        for (int tab = 0; tab < tabs->count(); ++tab) {
            QTest::mouseClick(tabs->tabBar(), Qt::LeftButton, {}, tabs->tabBar()->tabRect(tab).center());
            if (tabs->currentIndex() != tab)
                found << QStringLiteral("%1: tab %2 cannot be chosen").arg(tabs->objectName()).arg(tab);
            found << notShownWhole(form);
        }
    }
    found.removeDuplicates();
    return found;
}

QStringList loadedNotShownWhole(ui::Form* form, const QString& nextPage)
{
    ui::show(*form);
    QWidget* widget = form->widget();
    QApplication::processEvents();
    QStringList found = notShownWhole(widget);
    auto* next = nextPage.isEmpty() ? nullptr : widget->findChild<QPushButton*>(nextPage);
    while (next && next->isVisible() && next->isEnabled()) {
        next->click();
        QApplication::processEvents();
        found << notShownWhole(widget);
    }
    found.removeDuplicates();
    ui::unload(*form);
    return found;
}

} // namespace testing_support

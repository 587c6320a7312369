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

// Adds what of `form` as it shows now is not whole. Qt's inner parts of a control (a tab bar's
// scroll buttons, a scroll area's viewport) are the control's business, except the tab bar of a
// tab control, which shows captions; what a scroll area holds can be scrolled into view.
void addNotShownWhole(QStringList& found, const QWidget* form, const QStringList& exceptions)
{
    for (const QWidget* control : form->findChildren<QWidget*>()) {
        const QString name = control->objectName();
        if (!control->isVisibleTo(form) || exceptions.contains(name) ||
            (name.startsWith(QStringLiteral("qt_")) && !qobject_cast<const QTabBar*>(control)))
            continue;
        if (const ui::CaptionFit fit = ui::captionFit(control); !fit.fits())
            found << QStringLiteral("%1 \"%2\" is cut or elided").arg(name, fit.text);
        const QWidget* holder = control->parentWidget();
        if (!name.isEmpty() && holder->layout() && (control->inherits("QLineEdit") || control->inherits("QComboBox")) &&
            control->width() < control->sizeHint().width())
            found << name + QStringLiteral(" is narrower than its entries");
        const auto* area = qobject_cast<const QAbstractScrollArea*>(holder->parentWidget());
        if (!name.isEmpty() && !(area && area->viewport() == holder) && (!holder->isWindow() || holder == form) &&
            !holder->rect().contains(control->geometry()))
            found << QStringLiteral("%1 reaches out of %2").arg(name, holder->objectName());
    }
}

} // namespace

QStringList notShownWhole(const QList<QWidget*>& forms, const QStringList& exceptions)
{
    QStringList found;
    for (QWidget* form : forms) {
        auto* loadable = dynamic_cast<ui::Form*>(form);
        const bool shownHere = loadable && !ui::isLoaded(*loadable);
        if (shownHere)
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
        if (shownHere)
            ui::unload(*loadable);
    }
    found.removeDuplicates();
    return found;
}

QStringList notWholeInArea(QWidget* child)
{
    QWidget* window = child->parentWidget(); // in the area's viewport
    QStringList found = notShownWhole({child});
    if (!window->parentWidget()->rect().contains(window->geometry()))
        found << child->objectName() + QStringLiteral(" reaches out of the area");
    const auto* more = child->findChild<QWidget*>(QStringLiteral("qt_toolbar_ext_button"));
    if (more && more->isVisible())
        found << QStringLiteral("the toolbar folds buttons away");
    window->resize(window->minimumSizeHint());
    for (const QString& cut : notShownWhole({child}))
        found << QStringLiteral("at its minimum size: ") + cut;
    return found;
}

} // namespace testing_support

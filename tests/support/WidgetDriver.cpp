#include "WidgetDriver.h"

#include "TestPaths.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QStringList>
#include <QTest>
#include <QTextDocumentFragment>
#include <QTextEdit>
#include <QTimer>
#include <QWidget>

#include <gtest/gtest.h>

namespace testing_support {

namespace {

[[noreturn]] void fail(const QString& message)
{
    ADD_FAILURE() << message.toStdString();
    throw MissingControl(message.toStdString());
}

QString formName(const QObject* form)
{
    const QString name = form->objectName();
    return name.isEmpty() ? QString::fromLatin1(form->metaObject()->className()) : name;
}

QStringList namesIn(const QObject* form)
{
    QStringList names;
    for (const QObject* child : form->findChildren<QObject*>())
        if (!child->objectName().isEmpty() && !child->objectName().startsWith(QStringLiteral("qt_")))
            names << child->objectName();
    names.removeDuplicates();
    names.sort();
    return names;
}

// The user can reach a widget that is enabled and not hidden inside its window.
void expectUsable(const QWidget* widget, const QString& name)
{
    if (!widget->isEnabled())
        fail(QStringLiteral("%1 is disabled").arg(name));
    if (!widget->isVisibleTo(widget->window()) && widget != widget->window())
        fail(QStringLiteral("%1 is hidden").arg(name));
}

} // namespace

QObject* findControl(const QObject* form, const QString& name, const QMetaObject& type)
{
    if (!form)
        fail(QStringLiteral("no form to look for %1 in").arg(name));
    for (QObject* child : form->findChildren<QObject*>(name))
        if (child->metaObject()->inherits(&type))
            return child;
    fail(QStringLiteral("%1 has no %2 called %3; it has: %4")
             .arg(formName(form), QString::fromLatin1(type.className()), name, namesIn(form).join(u' ')));
}

void click(const QObject* form, const QString& name)
{
    auto* button = control<QAbstractButton>(form, name);
    expectUsable(button, name);
    button->click();
}

void trigger(const QObject* form, const QString& name)
{
    auto* item = control<QAction>(form, name);
    // The menus that hold the item, outermost first.
    QList<QMenu*> path;
    for (QObject* o = item->parent(); o; o = o->parent())
        if (auto* menu = qobject_cast<QMenu*>(o))
            path.prepend(menu);
    for (QMenu* menu : path) {
        if (!menu->menuAction()->isEnabled() || !menu->menuAction()->isVisible())
            fail(QStringLiteral("the menu %1 holding %2 cannot be opened").arg(menu->objectName(), name));
        Q_EMIT menu->aboutToShow();
    }
    if (!item->isEnabled())
        fail(QStringLiteral("%1 is disabled").arg(name));
    if (!item->isVisible())
        fail(QStringLiteral("%1 is hidden").arg(name));
    item->trigger();
    for (auto it = path.rbegin(); it != path.rend(); ++it)
        Q_EMIT(*it)->aboutToHide();
}

void whenMessageBoxIsUp(std::function<void()> work)
{
    QTimer::singleShot(5, [work = std::move(work)]() mutable {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box || !box->isVisible())
            return whenMessageBoxIsUp(std::move(work)); // looks again a little later
        work();
        box->defaultButton()->click();
    });
}

void type(const QObject* form, const QString& name, const QString& text)
{
    auto* widget = control<QWidget>(form, name);
    expectUsable(widget, name);
    if (auto* combo = qobject_cast<QComboBox*>(widget); combo && combo->isEditable())
        widget = combo->lineEdit();
    if (!qobject_cast<QLineEdit*>(widget) && !qobject_cast<QTextEdit*>(widget) &&
        !qobject_cast<QPlainTextEdit*>(widget))
        fail(QStringLiteral("%1 is not a text box").arg(name));
    widget->setFocus();
    QTest::keyClick(widget, Qt::Key_A, Qt::ControlModifier);
    if (text.isEmpty())
        QTest::keyClick(widget, Qt::Key_Delete);
    else
        QTest::keyClicks(widget, text);
}

QStringList helpMenuPathsMissing(const QString& program, const QList<const QWidget*>& roots, int atLeast)
{
    QStringList offered;
    const std::function<void(const QWidget*, const QString&)> walk = [&](const QWidget* menu, const QString& above) {
        for (const QAction* a : menu->actions()) {
            if (!a->isVisible())
                continue;
            offered << above + QString(a->text()).remove(QRegularExpression(QStringLiteral("&(?!&)")));
            if (a->menu())
                walk(a->menu(), offered.last() + QStringLiteral(" > "));
        }
    };
    for (const QWidget* root : roots)
        walk(root, QString());
    const QRegularExpression marked(
        QStringLiteral(R"re(<span class="menu" data-program="[^"]*\b%1\b[^"]*">([^<]+)</span>)re").arg(program));
    const QDir help(sourceDir() + QStringLiteral("/data/help"));
    QStringList named;
    for (const QString& page : help.entryList({QStringLiteral("*.html")})) {
        QFile file(help.filePath(page));
        EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << page.toStdString();
        for (const QRegularExpressionMatch& match : marked.globalMatch(QString::fromUtf8(file.readAll())))
            named << QTextDocumentFragment::fromHtml(match.captured(1)).toPlainText();
    }
    EXPECT_GE(named.size(), atLeast) << "paths the help pages name for " << program.toStdString();
    named.removeIf([&](const QString& path) { return offered.contains(path); });
    return named;
}

} // namespace testing_support

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
#include <QTextEdit>
#include <QTimer>
#include <QWidget>

#include <gtest/gtest.h>

#include <algorithm>

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
    auto* poll = new QTimer(qApp);
    QObject::connect(poll, &QTimer::timeout, [poll, work = std::move(work)] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!poll->isActive() || !box || !box->isVisible())
            return;
        poll->stop();
        work();
        box->defaultButton()->click();
        poll->deleteLater();
    });
    poll->start(5);
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

QStringList helpMenuPaths(const QString& program)
{
    static const QRegularExpression marked(
        QStringLiteral(R"re(<span class="menu" data-program="([^"]+)">([^<]+)</span>)re"));
    const QDir help(sourceDir() + QStringLiteral("/data/help"));
    QStringList paths;
    for (const QString& page : help.entryList({QStringLiteral("*.html")})) {
        QFile file(help.filePath(page));
        EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << page.toStdString();
        for (const QRegularExpressionMatch& match : marked.globalMatch(QString::fromUtf8(file.readAll())))
            if (match.captured(1).split(u' ').contains(program))
                paths << match.captured(2)
                             .replace(QStringLiteral("&gt;"), QStringLiteral(">"))
                             .replace(QStringLiteral("&#39;"), QStringLiteral("'"));
    }
    return paths;
}

bool hasMenuPath(const QList<const QWidget*>& roots, const QString& path)
{
    static const QRegularExpression accessKey(QStringLiteral("&(?!&)"));
    const QStringList steps = path.split(QStringLiteral(" > "));
    for (const QWidget* root : roots) {
        QList<QAction*> items = root->actions();
        for (qsizetype i = 0; i < steps.size(); ++i) {
            const auto item = std::find_if(items.cbegin(), items.cend(), [&](const QAction* a) {
                return a->isVisible() && QString(a->text()).remove(accessKey) == steps[i];
            });
            if (item == items.cend())
                break;
            if (i + 1 == steps.size())
                return true;
            if (!(*item)->menu())
                break;
            items = (*item)->menu()->actions();
        }
    }
    return false;
}

} // namespace testing_support

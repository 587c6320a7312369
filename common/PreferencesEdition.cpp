#include "common/PreferencesEdition.h"

#include <QBoxLayout>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>

QCheckBox* PreferencesEdition::addCheckBox(QBoxLayout* layout, const QString& name, const QString& caption,
                                           const QString& tip)
{
    auto* check = new QCheckBox(caption);
    check->setObjectName(name);
    check->setToolTip(tip);
    layout->addWidget(check);
    return check;
}

QComboBox* PreferencesEdition::addComboBox(QBoxLayout* layout, const QString& labelCaption, const QString& name,
                                           const QStringList& items, const QString& tip, const QString& labelTip)
{
    auto* row = new QHBoxLayout;
    auto* label = new QLabel(labelCaption);
    label->setObjectName(QStringLiteral("lbl") + name.mid(3));
    label->setToolTip(labelTip);
    auto* combo = new QComboBox;
    combo->setObjectName(name);
    combo->setToolTip(tip);
    combo->addItems(items);
    combo->setCurrentIndex(-1);
    label->setBuddy(combo);
    row->addWidget(label);
    row->addWidget(combo, 1);
    layout->addLayout(row);
    return combo;
}

QPushButton* PreferencesEdition::addButton(QBoxLayout* layout, const QString& name, const QString& caption,
                                           const QString& tip)
{
    auto* button = new QPushButton(caption);
    button->setObjectName(name);
    button->setToolTip(tip);
    button->setAutoDefault(false);
    layout->addWidget(button);
    return button;
}

QGroupBox* PreferencesEdition::addFrame(QBoxLayout* layout, const QString& name, const QString& caption)
{
    auto* frame = new QGroupBox(caption);
    frame->setObjectName(name);
    new QVBoxLayout(frame);
    layout->addWidget(frame);
    return frame;
}

#include "common/PreferencesEdition.h"

#include "platform/ui/Controls.h"

#include <QBoxLayout>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>

QCheckBox* PreferencesEdition::addCheckBox(QBoxLayout* layout, const QString& name, const QString& caption,
                                           const QString& tip)
{
    auto* check = ui::makeControl<QCheckBox>(nullptr, {name, caption, {}, tip});
    layout->addWidget(check);
    return check;
}

QComboBox* PreferencesEdition::addComboBox(QBoxLayout* layout, const QString& labelCaption, const QString& name,
                                           const QStringList& items, const QString& tip, const QString& labelTip)
{
    auto* row = new QHBoxLayout;
    auto* label = ui::makeControl<QLabel>(nullptr, {QStringLiteral("lbl") + name.mid(3), labelCaption, {}, labelTip});
    auto* combo = ui::makeControl<QComboBox>(nullptr, {name, QString(), {}, tip});
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
    auto* button = ui::makeControl<QPushButton>(nullptr, {name, caption, {}, tip});
    button->setAutoDefault(false);
    layout->addWidget(button);
    return button;
}

QGroupBox* PreferencesEdition::addFrame(QBoxLayout* layout, const QString& name, const QString& caption)
{
    auto* frame = ui::makeControl<QGroupBox>(nullptr, {name, caption});
    new QVBoxLayout(frame);
    layout->addWidget(frame);
    return frame;
}

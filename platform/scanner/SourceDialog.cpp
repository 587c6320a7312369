#include "platform/scanner/SourceDialog.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace scanner {

SourceDialog::SourceDialog(const QList<SaneDevice>& devices, const QString& current, QWidget* parent)
    : QDialog(parent), m_list(new QListWidget(this))
{
    setObjectName(QStringLiteral("SourceDialog"));
    setWindowTitle(QStringLiteral("Select Source"));
    m_list->setObjectName(QStringLiteral("lstSources"));

    auto* caption =
        new QLabel(devices.isEmpty() ? QStringLiteral("No scanner was found.") : QStringLiteral("Sources:"), this);
    caption->setObjectName(QStringLiteral("lblSources"));
    caption->setBuddy(m_list);

    for (const SaneDevice& device : devices) {
        auto* item = new QListWidgetItem(QStringLiteral("%1 (%2)").arg(device.displayName(), device.name), m_list);
        item->setData(Qt::UserRole, device.name);
        item->setToolTip(device.type);
        if (device.name == current)
            m_list->setCurrentItem(item);
    }
    if (!m_list->currentItem() && m_list->count() > 0)
        m_list->setCurrentRow(0);

    auto* buttons = new QDialogButtonBox(this);
    m_select = buttons->addButton(QStringLiteral("Select"), QDialogButtonBox::AcceptRole);
    m_select->setObjectName(QStringLiteral("cmdSelect"));
    QPushButton* cancel = buttons->addButton(QStringLiteral("Cancel"), QDialogButtonBox::RejectRole);
    cancel->setObjectName(QStringLiteral("cmdCancel"));
    m_select->setEnabled(m_list->currentItem() != nullptr);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(m_list, &QListWidget::currentItemChanged, this,
            [this](QListWidgetItem* item) { m_select->setEnabled(item != nullptr); });
    connect(m_list, &QListWidget::itemActivated, this, &QDialog::accept);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(caption);
    layout->addWidget(m_list);
    layout->addWidget(buttons);
}

QString SourceDialog::selectedDevice() const
{
    const QListWidgetItem* item = m_list->currentItem();
    return item ? item->data(Qt::UserRole).toString() : QString();
}

} // namespace scanner

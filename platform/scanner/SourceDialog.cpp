#include "platform/scanner/SourceDialog.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace scanner {

SourceDialog::SourceDialog(const QString& current, QWidget* parent)
    : QDialog(parent), m_current(current), m_caption(new QLabel(QStringLiteral("Looking for scanners..."), this)),
      m_list(new QListWidget(this))
{
    setObjectName(QStringLiteral("SourceDialog"));
    setWindowTitle(QStringLiteral("Select Source"));
    m_list->setObjectName(QStringLiteral("lstSources"));
    m_list->setCursor(Qt::BusyCursor);
    m_caption->setObjectName(QStringLiteral("lblSources"));
    m_caption->setBuddy(m_list);

    auto* buttons = new QDialogButtonBox(this);
    m_select = buttons->addButton(QStringLiteral("Select"), QDialogButtonBox::AcceptRole);
    m_select->setObjectName(QStringLiteral("cmdSelect"));
    m_select->setEnabled(false);
    QPushButton* cancel = buttons->addButton(QStringLiteral("Cancel"), QDialogButtonBox::RejectRole);
    cancel->setObjectName(QStringLiteral("cmdCancel"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(m_list, &QListWidget::currentItemChanged, this,
            [this](QListWidgetItem* item) { m_select->setEnabled(item != nullptr); });
    connect(m_list, &QListWidget::itemActivated, this, &QDialog::accept);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_caption);
    layout->addWidget(m_list);
    layout->addWidget(buttons);
}

void SourceDialog::setDevices(const QList<SaneDevice>& devices)
{
    m_list->unsetCursor();
    m_list->clear();
    m_caption->setText(devices.isEmpty() ? QStringLiteral("No scanner was found.") : QStringLiteral("Sources:"));
    for (const SaneDevice& device : devices) {
        auto* item = new QListWidgetItem(QStringLiteral("%1 (%2)").arg(device.displayName(), device.name), m_list);
        item->setData(Qt::UserRole, device.name);
        item->setToolTip(device.type);
        if (device.name == m_current)
            m_list->setCurrentItem(item);
    }
    if (!m_list->currentItem() && m_list->count() > 0)
        m_list->setCurrentRow(0);
}

QString SourceDialog::selectedDevice() const
{
    const QListWidgetItem* item = m_list->currentItem();
    return item ? item->data(Qt::UserRole).toString() : QString();
}

} // namespace scanner
